// Value-stream files, encodings and the atomic writer. Witnesses: the bytes
// of the line format written by hand, and exact round trips (every value must
// come back bit for bit: the writer's text is the shortest that reads back).
#include "io/codifica.h"
#include "io/file_atomico.h"
#include "io/flusso_valori.h"
#include "io/generale.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
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
    EXPECT_EQ(TestoFileAUtf8("\xEF\xBB\xBF"
                             "a"),
              "a");
}

TEST(Lettura, OgniFormaNumerica) {
    RegistroMessaggi m;
    auto f = FlussoValori::PerLeggere(".5,-.5,1E-04,2.1E+11,+3,1D+03,  7  ,#TRUE#,#FALSE#\r\n"
                                      "\"testo, con virgola\",nudo,12\r\n"
                                      "3.7,-32768,1\n2\r3\r\n",
                                      m);
    float a, b;
    double c, d, e, g, h, i, j;
    FileInOut("L", f, a, b, c, d, e, g, h, i, j);
    EXPECT_EQ(a, 0.5f);
    EXPECT_EQ(b, -0.5f);
    EXPECT_EQ(c, 1e-4);
    EXPECT_EQ(d, 2.1e11);
    EXPECT_EQ(e, 3.0);
    EXPECT_EQ(g, 1000.0);
    EXPECT_EQ(h, 7.0);
    EXPECT_EQ(i, -1.0);
    EXPECT_EQ(j, 0.0);
    std::string s1, s2;
    int16_t n;
    FileInOut("L", f, s1, s2, n);
    EXPECT_EQ(s1, "testo, con virgola");
    EXPECT_EQ(s2, "nudo");
    EXPECT_EQ(n, 12);
    // 3.7 into an integer rounds; values continue across LF and CR line ends.
    int16_t k, l;
    bool t;
    double x, y;
    FileInOut("L", f, k, l, t, x, y);
    EXPECT_EQ(k, 4);
    EXPECT_EQ(l, -32768);
    EXPECT_TRUE(t);
    EXPECT_EQ(x, 2.0);
    EXPECT_EQ(y, 3.0);
    EXPECT_TRUE(m.elenco.empty());
}

TEST(Lettura, SingoloArrotondatoUnaVolta) {
    // 0.1000000014901161193847656 is the single nearest to 0.1; a text just
    // above the midpoint between two singles must go up, which a double
    // rounding (text -> double -> single) can get wrong. Witness: the
    // single's neighbours from nextafter.
    RegistroMessaggi m;
    const float uno = 1.0f;
    const float dopo = std::nextafter(uno, 2.0f);
    // Midpoint 1 + 2^-24 plus a tiny amount: must round to `dopo`.
    auto f = FlussoValori::PerLeggere("1.00000005960464477539062500000000001\r\n", m);
    float v;
    FileInOut("L", f, v);
    EXPECT_EQ(v, dopo);
}

TEST(Lettura, ValoriNonValidi) {
    for (const char* t : {"abc", "1.5x", "inf", "nan", "1E+39", "70000", "1.2.3", "-"}) {
        RegistroMessaggi m;
        auto f = FlussoValori::PerLeggere(std::string(t) + "\r\n", m);
        float v = 42;
        int16_t n = 42;
        EXPECT_THROW(
            {
                if (std::string(t) == "70000")
                    FileInOut("L", f, n);
                else
                    FileInOut("L", f, v);
            },
            ErroreFile)
            << t;
        EXPECT_EQ(m.Testi(), std::vector<std::string>{"Lettura incompleta del file"}) << t;
        EXPECT_FALSE(f.Aperto());
    }
}

TEST(Lettura, FineDelFileUnSoloMessaggio) {
    RegistroMessaggi m;
    auto f = FlussoValori::PerLeggere("1,2\r\n", m);
    float a, b, c;
    try {
        FileInOut("L", f, a, b, c);
        FAIL();
    } catch (const ErroreFile& e) {
        EXPECT_EQ(e.numero, 1000);
    }
    EXPECT_EQ(a, 1.0f) << "values read before the failure stay";
    EXPECT_EQ(b, 2.0f);
    EXPECT_EQ(m.Testi(), std::vector<std::string>{"Lettura incompleta del file"});
}

TEST(Lettura, CondVersioneVecchia) {
    RegistroMessaggi m;
    auto f = FlussoValori::PerLeggere("#TRUE#\r\n", m);
    bool b = false;
    EXPECT_FALSE(FileInOutCond("L", f, "0", "4.0", b)); // skipped: not read
    EXPECT_FALSE(b);
    EXPECT_FALSE(f.Aperto());
    FileInOutCond("L", f, "0", "4.0", b);
    EXPECT_EQ(m.Testi(), (std::vector<std::string>{"Lettura incompleta del file",
                                                   "Lettura incompleta del file"}));
    // Version 4.0 and later read it.
    RegistroMessaggi m2;
    auto g = FlussoValori::PerLeggere("#TRUE#\r\n", m2);
    EXPECT_TRUE(FileInOutCond("L", g, "4.0", "4.0", b));
    EXPECT_TRUE(b);
    EXPECT_FALSE(FileInOutCond("L", g, "5.4", "4.0", b)); // past the end: message, no throw
    EXPECT_EQ(m2.Testi(), std::vector<std::string>{"Lettura incompleta del file"});
}

TEST(Lettura, FineDatiSoloSpazi) {
    // Only blanks and line ends left: no item, the file ends there.
    RegistroMessaggi m;
    auto f = FlussoValori::PerLeggere("1\r\n \r\n\t\r\n", m);
    EXPECT_FALSE(f.FineDati());
    int16_t n = 0;
    FileInOut("L", f, n);
    EXPECT_TRUE(f.FineDati());
    auto g = FlussoValori::PerLeggere("1\r\n\r\n,\r\n", m);
    FileInOut("L", g, n);
    EXPECT_FALSE(g.FineDati()) << "an empty item is an item";
}

TEST(Modo, SconosciutoMessaggio) {
    RegistroMessaggi m;
    auto f = FlussoValori::PerScrivere(m);
    float a = 1;
    std::vector<std::string> l;
    FileInOut("X", f, a);
    FileInOutSenzaMessaggio("X", f, a);
    FileInOutCond("X", f, "5.4", "4.0", a);
    FileInOutStringColl("X", f, l);
    EXPECT_EQ(m.Testi(), (std::vector<std::string>{"Errore nella Sub FileInOut",
                                                   "Errore nella Sub FileInOutSenzaMessaggio",
                                                   "Errore nella Sub FileInOutCond",
                                                   "Errore nella Sub FileInOutStringColl"}));
    EXPECT_EQ(f.Contenuto(), "");
}

TEST(Scrittura, FormatoDellaRiga) {
    RegistroMessaggi m;
    auto f = FlussoValori::PerScrivere(m);
    float a = 0.1f, b = 2.1e11f, c = 1e-4f;
    double d = 0.1, e = -1234567.8;
    int16_t n = -7;
    bool t = true, u = false;
    std::string str = "Trave è";
    FileInOut("S", f, a, b, c, d, e, n, t, u, str);
    EXPECT_EQ(f.Contenuto(),
              "0.1,2.1E+11,1E-04,0.1,-1234567.8,-7,#TRUE#,#FALSE#,\"Trave \xE8\"\r\n");
    EXPECT_FALSE(f.Sostituiti());
}

// Bit-exact round trip of random values of every type.
TEST(Scrittura, AndataRitornoEsatta) {
    std::mt19937_64 g(12345);
    RegistroMessaggi m;
    auto f = FlussoValori::PerScrivere(m);
    std::vector<float> fs_;
    std::vector<double> ds;
    for (int i = 0; i < 2000; ++i) {
        uint32_t bf = static_cast<uint32_t>(g());
        uint64_t bd = g();
        float x;
        double y;
        std::memcpy(&x, &bf, 4);
        std::memcpy(&y, &bd, 8);
        if (!std::isfinite(x)) x = 1.5f;
        if (!std::isfinite(y)) y = -2.5;
        fs_.push_back(x);
        ds.push_back(y);
        FileInOut("S", f, x, y);
    }
    fs_.push_back(std::numeric_limits<float>::denorm_min());
    ds.push_back(std::numeric_limits<double>::max());
    FileInOut("S", f, fs_.back(), ds.back());
    auto r = FlussoValori::PerLeggere(f.Contenuto(), m);
    for (size_t i = 0; i < fs_.size(); ++i) {
        float x;
        double y;
        FileInOut("L", r, x, y);
        ASSERT_EQ(std::memcmp(&x, &fs_[i], 4), 0) << fs_[i];
        ASSERT_EQ(std::memcmp(&y, &ds[i], 8), 0) << ds[i];
    }
    EXPECT_TRUE(m.elenco.empty());
}

TEST(Scrittura, CaratteriSostituiti) {
    RegistroMessaggi m;
    auto f = FlussoValori::PerScrivere(m);
    std::string s = "a\"b\tc\x01"
                    "d α";
    FileInOut("S", f, s);
    EXPECT_EQ(f.Contenuto(), "\"a'b?c?d ?\"\r\n");
    EXPECT_TRUE(f.Sostituiti());
}

TEST(ListaStringhe, TitoloSuDueRighe) {
    RegistroMessaggi m;
    auto f = FlussoValori::PerScrivere(m);
    std::vector<std::string> l{"riga 1\r\nriga 2", "x,y", ""};
    FileInOutStringColl("S", f, l);
    EXPECT_EQ(f.Contenuto(), "\"riga 1\x01\x01riga 2\",\"x,y\",\"\"\r\n");
    EXPECT_FALSE(f.Sostituiti());
    auto r = FlussoValori::PerLeggere(f.Contenuto(), m);
    std::vector<std::string> back;
    FileInOutStringColl("L", r, back);
    EXPECT_EQ(back, l);
    // Lone LF and lone CR are normalised to CR LF.
    auto g = FlussoValori::PerScrivere(m);
    std::vector<std::string> l2{"a\nb\rc"};
    FileInOutStringColl("S", g, l2);
    auto r2 = FlussoValori::PerLeggere(g.Contenuto(), m);
    FileInOutStringColl("L", r2, back);
    EXPECT_EQ(back, std::vector<std::string>{"a\r\nb\r\nc"});
}

TEST(Intestazione, SoloTitoloVersioneZero) {
    RegistroMessaggi m;
    auto f = FlussoValori::PerLeggere("\"Solo titolo\"\r\n", m);
    std::string t, v;
    FileInOutIntestazione("L", f, t, v, "5.4");
    EXPECT_EQ(t, "Solo titolo");
    EXPECT_EQ(v, "0");
    auto g = FlussoValori::PerLeggere("\"Titolo\",\"5.0\"\r\n", m);
    FileInOutIntestazione("L", g, t, v, "5.4");
    EXPECT_EQ(v, "5.0");
    auto e = FlussoValori::PerLeggere("", m);
    EXPECT_THROW(FileInOutIntestazione("L", e, t, v, "5.4"), ErroreFile);
}

TEST(Scrittura, FlussoCheFallisceUnSoloMessaggio) {
    RegistroMessaggi m;
    auto f = FlussoValori::PerScrivere(m);
    f.GuastoDopoRighe(1);
    float a = 1;
    FileInOut("S", f, a);
    FileInOut("S", f, a);
    FileInOut("S", f, a);
    FileInOutCond("S", f, "5.4", "4.0", a);
    EXPECT_EQ(m.Testi(), std::vector<std::string>{"Scrittura incompleta del file"});
    EXPECT_TRUE(f.Fallito());
    const fs::path dir = CartellaProva("fallito");
    ASSERT_TRUE(ScriviFileAtomico(dir / "a.zlv", "vecchio"));
    EXPECT_FALSE(f.Salva(dir / "a.zlv"));
    EXPECT_EQ(*LeggiFile(dir / "a.zlv"), "vecchio");
    fs::remove_all(dir);
}

TEST(FileAtomico, SostituisceSoloAFineScrittura) {
    const fs::path dir = CartellaProva("atomico");
    const fs::path p = dir / "dati.zlv";
    ASSERT_TRUE(ScriviFileAtomico(p, "primo"));
    EXPECT_EQ(*LeggiFile(p), "primo");
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
    // A folder that does not exist.
    EXPECT_FALSE(ScriviFileAtomico(dir / "manca" / "x.zlv", "x"));
    fs::remove_all(dir);
}

TEST(FileAtomico, CartellaSolaLettura) {
    if (::geteuid() == 0) GTEST_SKIP() << "root ignores permission bits";
    const fs::path dir = CartellaProva("sola_lettura");
    const fs::path p = dir / "dati.zlv";
    ASSERT_TRUE(ScriviFileAtomico(p, "vecchio"));
    ::chmod(dir.c_str(), 0555);
    EXPECT_FALSE(ScriviFileAtomico(p, "nuovo"));
    ::chmod(dir.c_str(), 0755);
    EXPECT_EQ(*LeggiFile(p), "vecchio");
    fs::remove_all(dir);
}
