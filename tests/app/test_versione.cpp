// --version of both programs and --help of the window program, answered
// without a display.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <regex>
#include <string>

namespace {

struct Uscita {
    int stato = -1;
    std::string testo;
};

// Runs a command with no display at all and collects standard output.
Uscita Esegui(const std::string& programma, const std::string& argomenti) {
    const std::string cmd = "env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM '" + programma +
                            "' " + argomenti + " 2>/dev/null";
    Uscita u;
    FILE* p = ::popen(cmd.c_str(), "r");
    if (!p) return u;
    std::array<char, 512> b{};
    size_t n;
    while ((n = std::fread(b.data(), 1, b.size(), p)) > 0)
        u.testo.append(b.data(), n);
    const int s = ::pclose(p);
    u.stato = WIFEXITED(s) ? WEXITSTATUS(s) : 128 + WTERMSIG(s);
    return u;
}

const std::string Versione = ZELVO_VERSIONE_ATTESA;

} // namespace

TEST(Versione, SenzaDisplay) {
    const std::string data = ", built [0-9]{4}-[0-9]{2}-[0-9]{2}\n";
    Uscita u = Esegui(ZELVO_CALC, "--version");
    EXPECT_EQ(u.stato, 0);
    EXPECT_TRUE(std::regex_match(u.testo, std::regex("zelvo-calc \\(Zelvo\\) " + Versione + data)))
        << u.testo;
    u = Esegui(ZELVO_GUI, "--version");
    EXPECT_EQ(u.stato, 0);
    EXPECT_TRUE(std::regex_match(u.testo, std::regex("zelvo " + Versione + " \\(Zelvo\\)" + data)))
        << u.testo;
    u = Esegui(ZELVO_GUI, "--help");
    EXPECT_EQ(u.stato, 0);
    EXPECT_NE(u.testo.find("[FILE.zlv]"), std::string::npos) << u.testo;
    // An unknown option is refused with status 1 before any window opens.
    u = Esegui(ZELVO_GUI, "-platform offscreen --nessuna");
    EXPECT_EQ(u.stato, 1);
    EXPECT_TRUE(u.testo.empty()) << u.testo;
}
