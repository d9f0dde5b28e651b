// zelvo-calc run as a user runs it, for the tests of the program: a folder
// of this test process, the program's exit status and its two streams.
#pragma once

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace zelvo::prova {

namespace fs = std::filesystem;

// The folder of this test process, made on first use.
inline const fs::path& CartellaCalc() {
    static const fs::path p = [] {
        const fs::path c =
            fs::path(::testing::TempDir()) / ("zelvo_app_" + std::to_string(getpid()));
        fs::create_directories(c);
        return c;
    }();
    return p;
}

inline std::string Leggi(const fs::path& p) {
    std::ifstream f(p, std::ios::binary);
    std::stringstream s;
    s << f.rdbuf();
    return s.str();
}

// Quoted for the shell.
inline std::string Q(const std::string& s) {
    return "'" + s + "'";
}

struct Esecuzione {
    int stato = -1;
    std::string out, err;
    nlohmann::json Json() const { return nlohmann::json::parse(out); }
};

// Runs a program (zelvo-calc unless told) with the arguments, already quoted
// for the shell, in the given locale (C unless told) and without a display.
inline Esecuzione Esegui(const std::string& argomenti, const std::string& programma = ZELVO_CALC,
                         const std::string& l = "C") {
    const fs::path out = CartellaCalc() / "stdout", err = CartellaCalc() / "stderr";
    const int s = std::system(("env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM -u LANGUAGE "
                               "-u LC_NUMERIC LC_ALL=" +
                               l + " LANG=" + l + " '" + programma + "' " + argomenti + " >'" +
                               out.string() + "' 2>'" + err.string() + "'")
                                  .c_str());
    return {WIFEXITED(s) ? WEXITSTATUS(s) : 128 + WTERMSIG(s), Leggi(out), Leggi(err)};
}

// A JSON file of this run holding `testo`.
inline std::string FileJson(const std::string& nome, const std::string& testo) {
    const fs::path p = CartellaCalc() / (nome + ".json");
    std::ofstream(p, std::ios::binary) << testo;
    return p.string();
}

} // namespace zelvo::prova
