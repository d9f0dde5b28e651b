// zelvo-calc under the C, Italian, English and German locales: JSON, saved
// data files and drawing geometry are the same bytes whatever the locale;
// displayed numbers (report, drawing labels) follow the locale's separators,
// so the German report is the Italian one and the English report the C one.
// The drawings include the Qt ones (SVG) made in the same run, after Qt has
// taken the locale from the environment.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <locale.h>
#include <map>
#include <regex>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

const char* const Locali[] = {"C", "it_IT.UTF-8", "en_US.UTF-8", "de_DE.UTF-8"};

std::string Leggi(const fs::path& p) {
    std::ifstream f(p, std::ios::binary);
    std::stringstream s;
    s << f.rdbuf();
    return s.str();
}

int Esegui(const std::string& locale, const std::string& argomenti, const fs::path& out) {
    const std::string cmd = "env -u LANGUAGE -u LC_NUMERIC LC_ALL=" + locale + " LANG=" + locale +
                            " '" + std::string(ZELVO_CALC) + "' " + argomenti + " >'" +
                            out.string() + "' 2>/dev/null";
    const int s = std::system(cmd.c_str());
    return WIFEXITED(s) ? WEXITSTATUS(s) : 128 + WTERMSIG(s);
}

// Everything one run under one locale writes, by name: json, zlv, dxf,
// report and the Qt drawings of the three diagrams M, T, C.
std::map<std::string, std::string> Calcola(const std::string& esempio, const char* locale) {
    locale_t l = newlocale(LC_ALL_MASK, locale, static_cast<locale_t>(nullptr));
    EXPECT_NE(l, static_cast<locale_t>(nullptr)) << locale << " not installed: scripts/setup.sh";
    if (l != static_cast<locale_t>(nullptr)) freelocale(l);
    const fs::path d = fs::path(::testing::TempDir()) /
                       ("zelvo_locali_" + std::to_string(::getpid())) / locale / esempio;
    fs::create_directories(d);
    const std::string file = "'" + std::string(ZELVO_SOURCE_DIR) + "/examples/" + esempio + "'";
    EXPECT_EQ(Esegui(locale,
                     file + " --json --save '" + (d / "zlv.zlv").string() + "' --dxf '" +
                         (d / "dxf.dxf").string() + "' --svg '" + (d / "d").string() + "'",
                     d / "json"),
              0)
        << locale;
    EXPECT_EQ(Esegui(locale, file, d / "report"), 0) << locale;
    std::map<std::string, std::string> u;
    for (const char* k : {"json", "zlv.zlv", "dxf.dxf", "report"})
        u[fs::path(k).stem().string()] = Leggi(d / k);
    for (const char* k : {"M", "T", "C"})
        u[k] = Leggi(d / ("d-" + std::string(k) + ".svg"));
    for (const auto& [k, v] : u)
        EXPECT_FALSE(v.empty()) << locale << " " << k;
    return u;
}

// The drawing without its texts: SVG text elements go whole (a label's
// position may follow its width), DXF text values (group 1) go.
std::string Geometria(const std::string& disegno) {
    static const std::regex testo("<text[^>]*>[^<]*</text>");
    std::istringstream in(std::regex_replace(disegno, testo, "<text/>"));
    std::string codice, valore, r;
    while (std::getline(in, codice)) {
        if (!std::getline(in, valore)) valore = "<fine>";
        const bool t = codice == "  1\r" || codice == "1\r" || codice == "  1";
        r += codice + "\n" + (t ? "<testo>" : valore) + "\n";
    }
    return r;
}

class Locale : public ::testing::TestWithParam<const char*> {};

TEST_P(Locale, StessiByteDiFileEGeometria) {
    std::map<std::string, std::map<std::string, std::string>> u;
    for (const char* l : Locali)
        u[l] = Calcola(GetParam(), l);
    auto& c = u["C"];
    auto &it = u["it_IT.UTF-8"], &de = u["de_DE.UTF-8"], &en = u["en_US.UTF-8"];
    for (const char* l : Locali) {
        for (const auto& [k, v] : u[l]) {
            if (k == "json" || k == "zlv") {
                EXPECT_EQ(v, c[k]) << l << " " << k;
            } else if (k != "report") {
                EXPECT_EQ(Geometria(v), Geometria(c[k])) << l << " " << k;
            }
        }
    }
    // The separators follow the locale's data: German as Italian, English as C.
    EXPECT_EQ(de, it);
    EXPECT_EQ(en, c);
    EXPECT_NE(it["report"], c["report"]) << "the Italian report has comma decimals";
}

INSTANTIATE_TEST_SUITE_P(Esempi, Locale,
                         ::testing::Values("appoggio-appoggio.zlv", "incastro-incastro.zlv",
                                           "incastro-appoggio.zlv", "mensola.zlv",
                                           "fondazione-winkler.zlv", "fondazione-rigida.zlv"),
                         [](const auto& i) {
                             std::string n = i.param;
                             n = n.substr(0, n.find('.'));
                             for (char& ch : n)
                                 if (ch == '-') ch = '_';
                             return n;
                         });

} // namespace
