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

bool Installato(const char* nome) {
    locale_t l = newlocale(LC_ALL_MASK, nome, static_cast<locale_t>(nullptr));
    if (l == static_cast<locale_t>(nullptr)) return false;
    freelocale(l);
    return true;
}

// Everything one run under one locale writes.
struct Uscite {
    int stato = -1;
    std::string json, report, zlv, dxf;
    std::map<std::string, std::string> svg; // by diagram: M, T, C
};

int Esegui(const std::string& locale, const std::string& argomenti, const fs::path& out) {
    const std::string cmd = "env -u LANGUAGE -u LC_NUMERIC LC_ALL=" + locale + " LANG=" + locale +
                            " '" + std::string(ZELVO_CALC) + "' " + argomenti + " >'" +
                            out.string() + "' 2>/dev/null";
    const int s = std::system(cmd.c_str());
    return WIFEXITED(s) ? WEXITSTATUS(s) : 128 + WTERMSIG(s);
}

Uscite Calcola(const std::string& esempio, const std::string& locale) {
    const fs::path d = fs::path(::testing::TempDir()) /
                       ("zelvo_locali_" + std::to_string(::getpid())) / locale / esempio;
    fs::create_directories(d);
    const std::string file = "'" + std::string(ZELVO_SOURCE_DIR) + "/examples/" + esempio + "'";
    Uscite u;
    u.stato = Esegui(locale,
                     file + " --json --save '" + (d / "salvato.zlv").string() + "' --dxf '" +
                         (d / "diagrammi.dxf").string() + "' --svg '" + (d / "d").string() + "'",
                     d / "json");
    u.json = Leggi(d / "json");
    u.zlv = Leggi(d / "salvato.zlv");
    u.dxf = Leggi(d / "diagrammi.dxf");
    for (const char* k : {"M", "T", "C"})
        u.svg[k] = Leggi(d / ("d-" + std::string(k) + ".svg"));
    EXPECT_EQ(Esegui(locale, file, d / "report"), 0) << locale;
    u.report = Leggi(d / "report");
    return u;
}

// The drawing without its texts: SVG text elements go whole (a label's
// position may follow its width), DXF text values (group 1) go.
std::string GeometriaSvg(const std::string& svg) {
    static const std::regex testo("<text[^>]*>[^<]*</text>");
    return std::regex_replace(svg, testo, "<text/>");
}
std::string GeometriaDxf(const std::string& dxf) {
    std::istringstream in(dxf);
    std::string riga, r;
    bool valore = false;
    int n = 0;
    while (std::getline(in, riga)) {
        if (n++ % 2 == 0) {
            valore = riga == "  1\r" || riga == "1\r" || riga == "  1";
            r += riga + "\n";
        } else {
            r += valore ? "<testo>\n" : riga + "\n";
        }
    }
    return r;
}

class Locale : public ::testing::TestWithParam<const char*> {};

TEST_P(Locale, StessiByteDiFileEGeometria) {
    for (const char* l : Locali)
        ASSERT_TRUE(Installato(l)) << l << " is not installed: run scripts/setup.sh";
    std::map<std::string, Uscite> u;
    for (const char* l : Locali)
        u[l] = Calcola(GetParam(), l);
    const Uscite& c = u["C"];
    ASSERT_EQ(c.stato, 0);
    ASSERT_FALSE(c.json.empty());
    ASSERT_FALSE(c.zlv.empty());
    ASSERT_FALSE(c.dxf.empty());
    ASSERT_FALSE(c.report.empty());
    for (const char* l : Locali) {
        const Uscite& x = u[l];
        EXPECT_EQ(x.stato, 0) << l;
        EXPECT_EQ(x.json, c.json) << l;
        EXPECT_EQ(x.zlv, c.zlv) << l;
        EXPECT_EQ(GeometriaDxf(x.dxf), GeometriaDxf(c.dxf)) << l;
        for (const auto& [k, svg] : c.svg) {
            ASSERT_FALSE(svg.empty()) << k;
            EXPECT_EQ(GeometriaSvg(x.svg.at(k)), GeometriaSvg(svg)) << l << " " << k;
        }
    }
    // The separators follow the locale's data: German as Italian, English as C.
    const Uscite& it = u["it_IT.UTF-8"];
    const Uscite& de = u["de_DE.UTF-8"];
    const Uscite& en = u["en_US.UTF-8"];
    EXPECT_EQ(de.report, it.report);
    EXPECT_EQ(de.dxf, it.dxf);
    EXPECT_EQ(de.svg, it.svg);
    EXPECT_EQ(en.report, c.report);
    EXPECT_EQ(en.dxf, c.dxf);
    EXPECT_EQ(en.svg, c.svg);
    EXPECT_NE(it.report, c.report) << "the Italian report has comma decimals";
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
