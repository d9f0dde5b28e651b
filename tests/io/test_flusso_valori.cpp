// Value-stream files, encodings and the atomic writer: hand-written bytes, exact
// round trips. Whole data files (substitutions, versions, cuts): the form's tests.
#include "io/codifica.h"
#include "io/file_atomico.h"
#include "io/flusso_valori.h"
#include "io/generale.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <filesystem>
#include <limits>
#include <random>
#include <sys/stat.h>
#include <unistd.h>

using namespace zelvo;
namespace fs = std::filesystem;

namespace {
fs::path CartellaProva(const std::string& nome) {
    fs::path p = fs::temp_directory_path() / ("zelvo_io_" + nome + "_" + std::to_string(getpid()));
    fs::remove_all(p);
    fs::create_directories(p);
    return p;
}
} // namespace

TEST(Codifica, Cp1252AndataRitorno) {
    const std::string utf8 = "Trave è à ù € “x” — °";
    bool sost = false;
    const std::string cp = Utf8ACp1252(utf8, &sost);
    EXPECT_FALSE(sost);
    EXPECT_EQ(cp, "Trave \xE8 \xE0 \xF9 \x80 \x93x\x94 \x97 \xB0");
    EXPECT_EQ(Cp1252AUtf8(cp), utf8);
    EXPECT_EQ(Utf8ACp1252("α β", &sost), "? ?");
    EXPECT_TRUE(sost);
    EXPECT_EQ(TestoFileAUtf8("\xE8"), "è") << "not UTF-8: read as Windows-1252";
    EXPECT_EQ(TestoFileAUtf8("è"), "è");
    EXPECT_EQ(TestoFileAUtf8(std::string("\xEF\xBB\xBF") + "a"), "a") << "mark dropped";
}

TEST(Lettura, OgniFormaNumerica) {
    RegistroMessaggi m;
    auto f = FlussoValori::PerLeggere(".5,-.5,1E-04,2.1E+11,+3,1D+03,  7  ,#TRUE#,#FALSE#\r\n"
                                      "\"testo, con virgola\",nudo,12\r\n"
                                      "3.7,-32768,1\n2\r3\r\n",
                                      m);
    float a, b;
    double d[7], x, y;
    std::string s1, s2;
    int16_t n, k, l;
    bool t;
    FileInOut(Verso::Leggi, f, a, b, d[0], d[1], d[2], d[3], d[4], d[5], d[6], s1, s2, n);
    // 3.7 into an integer rounds; values continue across LF and CR line ends.
    FileInOut(Verso::Leggi, f, k, l, t, x, y);
    EXPECT_EQ(std::pair(a, b), std::pair(0.5f, -0.5f));
    EXPECT_EQ(std::vector<double>(d, d + 7),
              (std::vector<double>{1e-4, 2.1e11, 3.0, 1000.0, 7.0, -1.0, 0.0}));
    EXPECT_EQ(std::tuple(s1, s2, n), std::tuple("testo, con virgola", "nudo", 12));
    EXPECT_EQ(std::tuple(k, l, t, x, y), std::tuple(4, -32768, true, 2.0, 3.0));
    EXPECT_TRUE(m.elenco.empty());
}

// A text just above the midpoint 1 + 2^-24 between two singles must go up,
// which a double rounding (text -> double -> single) gets wrong.
TEST(Lettura, SingoloArrotondatoUnaVolta) {
    RegistroMessaggi m;
    auto f = FlussoValori::PerLeggere("1.00000005960464477539062500000000001\r\n", m);
    float v;
    FileInOut(Verso::Leggi, f, v);
    EXPECT_EQ(v, std::nextafter(1.0f, 2.0f));
}

TEST(Lettura, ValoriNonValidi) {
    for (const char* t : {"abc", "1.5x", "inf", "nan", "1E+39", "70000", "1.2.3", "-"}) {
        RegistroMessaggi m;
        auto f = FlussoValori::PerLeggere(std::string(t) + "\r\n", m);
        float v = 42;
        int16_t n = 42;
        if (std::string(t) == "70000")
            EXPECT_THROW(FileInOut(Verso::Leggi, f, n), ErroreFile);
        else
            EXPECT_THROW(FileInOut(Verso::Leggi, f, v), ErroreFile) << t;
        EXPECT_EQ(m.Testi(), std::vector<std::string>{"Lettura incompleta del file"}) << t;
        EXPECT_FALSE(f.Aperto());
    }
}

// Only blanks and line ends left: no item, the file ends there.
TEST(Lettura, FineDatiSoloSpazi) {
    RegistroMessaggi m;
    auto f = FlussoValori::PerLeggere("1\r\n \r\n\t\r\n", m);
    EXPECT_FALSE(f.FineDati());
    int16_t n = 0;
    FileInOut(Verso::Leggi, f, n);
    EXPECT_TRUE(f.FineDati());
    auto g = FlussoValori::PerLeggere("1\r\n\r\n,\r\n", m);
    FileInOut(Verso::Leggi, g, n);
    EXPECT_FALSE(g.FineDati()) << "an empty item is an item";
}

TEST(Scrittura, FormatoDellaRiga) {
    RegistroMessaggi m;
    auto f = FlussoValori::PerScrivere(m);
    float a = 0.1f, b = 2.1e11f, c = 1e-4f;
    double d = 0.1, e = -1234567.8;
    int16_t n = -7;
    bool t = true, u = false;
    std::string str = "Trave è";
    FileInOut(Verso::Scrivi, f, a, b, c, d, e, n, t, u, str);
    EXPECT_EQ(f.Contenuto(),
              "0.1,2.1E+11,1E-04,0.1,-1234567.8,-7,#TRUE#,#FALSE#,\"Trave \xE8\"\r\n");
    EXPECT_FALSE(f.Sostituiti());
}

// Random bit patterns of both types come back bit for bit.
TEST(Scrittura, AndataRitornoEsatta) {
    std::mt19937_64 g(12345);
    RegistroMessaggi m;
    auto f = FlussoValori::PerScrivere(m);
    std::vector<std::pair<float, double>> scritti;
    for (int i = 0; i <= 2000; ++i) {
        float x = std::bit_cast<float>(static_cast<uint32_t>(g()));
        double y = std::bit_cast<double>(g());
        if (!std::isfinite(x)) x = 1.5f;
        if (!std::isfinite(y)) y = -2.5;
        if (i == 2000)
            x = std::numeric_limits<float>::denorm_min(), y = std::numeric_limits<double>::max();
        scritti.push_back({x, y});
        FileInOut(Verso::Scrivi, f, x, y);
    }
    auto r = FlussoValori::PerLeggere(f.Contenuto(), m);
    for (auto [x0, y0] : scritti) {
        float x;
        double y;
        FileInOut(Verso::Leggi, r, x, y);
        ASSERT_EQ(std::bit_cast<uint32_t>(x), std::bit_cast<uint32_t>(x0)) << x0;
        ASSERT_EQ(std::bit_cast<uint64_t>(y), std::bit_cast<uint64_t>(y0)) << y0;
    }
    EXPECT_TRUE(m.elenco.empty());
}

// A list of strings: line ends (lone LF and CR become CR LF) and commas survive.
TEST(ListaStringhe, TitoloSuDueRighe) {
    RegistroMessaggi m;
    auto f = FlussoValori::PerScrivere(m);
    std::vector<std::string> l{"riga 1\r\nriga 2", "x,y", "", "a\nb\rc"};
    FileInOutStringColl(Verso::Scrivi, f, l);
    EXPECT_EQ(f.Contenuto(), "\"riga 1\x01\x01riga 2\",\"x,y\",\"\",\"a\x01\x01"
                             "b\x01\x01"
                             "c\"\r\n");
    auto r = FlussoValori::PerLeggere(f.Contenuto(), m);
    std::vector<std::string> letti;
    FileInOutStringColl(Verso::Leggi, r, letti);
    l.back() = "a\r\nb\r\nc";
    EXPECT_EQ(letti, l);
}

TEST(FileAtomico, SostituisceSoloAFineScrittura) {
    const fs::path dir = CartellaProva("atomico");
    const fs::path p = dir / "dati.zlv";
    ASSERT_TRUE(ScriviFileAtomico(p, "primo"));
    ::chmod(p.c_str(), 0640);
    ASSERT_TRUE(ScriviFileAtomico(p, "secondo"));
    EXPECT_EQ(*LeggiFile(p), "secondo");
    struct stat st {};
    ::stat(p.c_str(), &st);
    EXPECT_EQ(st.st_mode & 0777, 0640u) << "the old permission bits are kept";
    // Disk full after 3 bytes: failure, old content intact, no temporary left.
    SimulaDiscoPieno(3);
    std::string err;
    EXPECT_FALSE(ScriviFileAtomico(p, "terzo contenuto", &err));
    SimulaDiscoPieno(std::nullopt);
    EXPECT_FALSE(err.empty());
    EXPECT_EQ(*LeggiFile(p), "secondo");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 1);
    EXPECT_FALSE(ScriviFileAtomico(dir / "manca" / "x.zlv", "x"));
    fs::remove_all(dir);
}
