// Numbers as text under Italian, English and French separators, the machine
// reader and writer, the separators of the machine's locales. Expected texts
// worked out by hand from the pattern rules, and C's own printf and strtod.
#include "io/numeri.h"

#include "core/guasto.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

using namespace zelvo;

namespace {

struct Locale {
    Separatori sep;
    const char* nome;
};
const Locale Italiano{{",", "."}, "it"};
const Locale Inglese{{".", ","}, "en"};
// A thousands separator of more than one byte (U+202F, as French settings have).
const Locale Francese{{",", "\u202f"}, "fr"};

// Replaces the Italian separators of an expected text with those of the locale.
std::string L(std::string_view italiano, const Locale& l) {
    std::string r;
    for (char c : italiano) {
        if (c == ',')
            r += l.sep.decimale;
        else if (c == '.')
            r += l.sep.migliaia;
        else
            r += c;
    }
    return r;
}

class ProvaLocale : public ::testing::TestWithParam<Locale> {};

// One formatter call, its arguments and its text with Italian separators.
struct Formato {
    char f; // N FormatoNumero, C FormatoCifre (c: of a single), K FormatoCompatto (width 10),
            // E FormatoEtichetta
    int cifre;
    double v;
    const char* atteso;
    const char* perche = "";
};
std::string Formatta(const Separatori& s, const Formato& c) {
    switch (c.f) {
    case 'N':
        return FormatoNumero(s, c.v);
    case 'n':
        return FormatoNumero(s, static_cast<float>(c.v));
    case 'C':
        return FormatoCifre(s, c.cifre, c.v);
    case 'c':
        return FormatoCifre(s, c.cifre, static_cast<float>(c.v));
    case 'K':
        return FormatoCompatto(s, c.cifre, 10, c.v);
    default:
        return FormatoEtichetta(s, c.cifre, c.v);
    }
}

} // namespace

// ---------------------------------------------------------------- separators

TEST(Separatori, DaiSimboliEDaiDatiDelLocale) {
    // (the same symbol twice: the regional check's test)
    EXPECT_EQ(SeparatoriDa(".", ""), (Separatori{".", ","})) << "C locale: no grouping symbol";
    EXPECT_EQ(SeparatoriDa(",", ""), (Separatori{",", "."}));
    // it, de, en and C are read from their data by the locale tests of zelvo-calc.
    EXPECT_FALSE(SeparatoriDiLocale("xx_XX.UTF-8")) << "not installed";
    EXPECT_STREQ(std::setlocale(LC_NUMERIC, nullptr), "C") << "the process's locale untouched";
}

TEST(Separatori, DallAmbiente) {
    const char* nomi[3] = {"LC_ALL", "LC_NUMERIC", "LANG"};
    std::optional<std::string> salva[3];
    for (int i = 0; i < 3; ++i)
        if (const char* v = std::getenv(nomi[i])) salva[i] = v;
    unsetenv("LC_ALL");
    setenv("LC_NUMERIC", "de_DE.UTF-8", 1);
    setenv("LANG", "en_US.UTF-8", 1);
    EXPECT_EQ(SeparatoriDaAmbiente(), (Separatori{",", "."}));
    setenv("LC_ALL", "en_US.UTF-8", 1);
    EXPECT_EQ(SeparatoriDaAmbiente(), (Separatori{".", ","}));
    setenv("LC_ALL", "xx_XX.UTF-8", 1);
    EXPECT_EQ(SeparatoriDaAmbiente(), (Separatori{".", ","})) << "unknown locale";
    for (int i = 0; i < 3; ++i)
        salva[i] ? setenv(nomi[i], salva[i]->c_str(), 1) : unsetenv(nomi[i]);
}

// ---------------------------------------------------------------- parsing

TEST(ValoreNumerico, ItalianoEInglese) {
    const Separatori it{",", "."}, en{".", ","};
    // (grouped texts in every locale: the formatters' round trip)
    for (auto [testo, s, v] : {std::tuple{"1234.5", it, 12345.0},
                               {"2,1E+11", it, 2.1e11},
                               {"1234,5", en, 12345.0},
                               {"-.5", en, -0.5},
                               {"1E-04", en, 1e-4},
                               {"1d3", en, 1000.0},
                               {"  +12abc", en, 12.0},
                               {"3e", en, 3.0},
                               {"-", en, 0.0},
                               {"1e-400", en, 0.0}})
        EXPECT_EQ(ValoreNumerico(testo, s), v) << testo;
    EXPECT_THROW(ValoreNumerico("1e400", en), Guasto);
    EXPECT_THROW(ValoreNumerico("123456789e305", en), Guasto);
}

// ---------------------------------------------------------------- formatting

TEST_P(ProvaLocale, Formatori) {
    const Locale& l = GetParam();
    const Separatori& s = l.sep;
    for (const Formato& c : std::initializer_list<Formato>{
             {'N', 0, 1234567.8, "1.234.567,8"},
             {'n', 0, -1234.5, "-1.234,5"},
             {'N', 0, 0.123456789, "0,12345679", "8 decimals, half up"},
             {'N', 0, 1.000000001, "1", "no trailing separator"},
             {'N', 0, -0.000000001, "0", "no minus on a zero"},
             {'n', 0, 0.1, "0,1", "single: shortest text 0.1"},
             {'C', 4, -12.3456, "-12,35"},
             {'C', 4, 0.0123, " 0,01230"},
             {'C', 3, 123456, " 123.456"},
             {'C', 4, 1.0, " 1,000"},
             {'C', 4, 1e-20, " 0"},
             {'C', 4, 9999.6, " 10.000", "carry into a new digit"},
             {'C', 4, 999.96, " 1.000,0", "e from the unrounded value"},
             // the single 1.005 is 1.00499999523...; its shortest text is "1.005"
             {'c', 3, 1.005, " 1,01"},
             {'C', 3, 1.005, " 1,01"},
             {'C', 3, -2.675, "-2,68", "half away from zero"},
             {'K', 4, 0.05, " 0,05"},
             {'K', 4, 120000000.0, " 1,2E+08"},
             {'K', 4, 100000000.0, " 1E+08"},
             {'K', 4, 123456.0, " 123.456", "grouping zeros stay"},
             {'E', 4, -12.5, "-12,5", "fewer than 4 digits: as it is"},
             {'E', 4, 123456.7, " 123.457"},
             {'E', 4, 0.123456, " 0,1235"},
             {'E', 1, -0.3, " 0"}})
        EXPECT_EQ(Formatta(s, c), L(c.atteso, l)) << c.f << " " << c.v << " " << c.perche;
    EXPECT_EQ(ValoreNumerico(FormatoNumero(s, 1234567.8), s), 1234567.8);
    EXPECT_EQ(NormalizzaCampo(s, L("1234,50", l)), L("1.234,5", l));
    EXPECT_EQ(FormatoPattern(s, -0.5, "#,##0"), "-1");
    EXPECT_EQ(FormatoPattern(s, 2.5, "0"), "3");
    // Fixed width: grouped if it fits, else scientific, and a message when even that does not.
    RegistroMessaggi m;
    EXPECT_EQ(FormatoLarghezza(s, 4, 12, 123456789, nullptr, &m), L(" 123.456.789", l));
    EXPECT_EQ(FormatoLarghezza(s, 4, 10, -0.000012345678, nullptr, &m), L("-1,235E-05", l));
    EXPECT_EQ(FormatoLarghezza(s, 4, 10, 9.9996e20, nullptr, &m), L(" 1,000E+21", l));
    EXPECT_EQ(FormatoLarghezza(s, 3, 9, 1e100, nullptr, &m), L(" 1,00E+100", l));
    EXPECT_TRUE(m.elenco.empty());
    EXPECT_EQ(FormatoLarghezza(s, 4, 8, 123456789, nullptr, &m), L(" 1,235E+08", l));
    EXPECT_EQ(m.Testi(), std::vector<std::string>{"n. caratteri minimo = 10"});
}

INSTANTIATE_TEST_SUITE_P(Locali, ProvaLocale, ::testing::Values(Italiano, Inglese, Francese),
                         [](const auto& i) { return std::string(i.param.nome); });

// ---------------------------------------------------------------- machine texts

// The machine writer against C's printf in the C locale (the process's locale
// is C in the tests) and the reader against strtod.
class ProvaMacchina : public ::testing::TestWithParam<double> {};

// (The shortest text's exact round trip: the value-stream tests.)
TEST_P(ProvaMacchina, ScritturaERilettura) {
    const double v = GetParam();
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.15G", v);
    EXPECT_EQ(TestoCifre(v, 15), buf);
    EXPECT_EQ(std::strtod(TestoCifre(v, 17).c_str(), nullptr), v);
}

INSTANTIATE_TEST_SUITE_P(Valori, ProvaMacchina,
                         ::testing::Values(0.0, 2.5, -0.1, 1e-5, 123456789.125, 2.1e11, 1e300,
                                           -4.9e-324, 1.0 / 3.0, 0.000123456789012345678));

TEST(LeggiMacchina, FormeAccettateERifiutate) {
    double d = 0;
    for (auto [t, v] :
         {std::pair{"+.5", 0.5}, {"-1.5D+03", -1500.0}, {"5.", 5.0}, {"1e-400", 0.0}}) {
        EXPECT_EQ(LeggiMacchina(t, d), EsitoLettura::Letto) << t;
        EXPECT_EQ(d, v) << t;
    }
    for (const char* t : {"", ".", "+", "1,5", " 1", "1 ", "1e", "1e+", "inf", "nan", "0x10",
                          "1.2.3", "--1", "1e5x"})
        EXPECT_EQ(LeggiMacchina(t, d), EsitoLettura::NonNumerico) << t;
    EXPECT_EQ(LeggiMacchina("1e400", d), EsitoLettura::FuoriLimiti);
    float f = 0;
    EXPECT_EQ(LeggiMacchina("1e39", f), EsitoLettura::FuoriLimiti) << "beyond a single";
    EXPECT_EQ(LeggiMacchina("1e-50", f), EsitoLettura::Letto);
    EXPECT_EQ(f, 0.0f);
    EXPECT_THROW(TestoBreve(std::numeric_limits<double>::infinity()), Guasto);
    EXPECT_THROW(TestoCifre(std::nan(""), 15), Guasto);
}

TEST(LeggiUtente, InizioETestoIntero) {
    const Separatori s{",", "."};
    EXPECT_TRUE(InizioNumerico("12abc", s));
    EXPECT_FALSE(TestoNumerico("12abc", s));
    EXPECT_TRUE(TestoNumerico("  1.234,5  ", s));
    EXPECT_FALSE(InizioNumerico("", s));
    const LetturaUtente l = LeggiUtente("1e400", s);
    EXPECT_TRUE(l.numero && l.fuoriLimiti);
    // the regional shortest text is never grouped
    EXPECT_EQ(TestoBreveRegionale(s, 12345.5f), "12345,5");
    EXPECT_EQ(TestoBreveRegionale(s, 1e-5f), "1E-05");
}

// The strict reader of typed numbers: what a field or a cell accepts under
// Italian and English separators, and the value it stands for. Expected values
// by hand from the rule (groups of three before the decimal separator).
TEST(LeggiRegionale, TestiDigitatiItalianoEInglese) {
    const double R = -1; // refused
    struct Caso {
        const char* testo;
        double it, en; // R: refused; NAN: empty
    };
    const Caso casi[] = {
        {"8.5", R, 8.5},
        {"8,5", 8.5, R},
        {"1.234,5", 1234.5, R},
        {"1,234.5", R, 1234.5},
        {"1.23,4", R, R},
        {"1,23.4", R, R},
        {"12abc", R, R},
        {"abc", R, R},
        {" 2,5 ", 2.5, R},
        {"-0", 0, 0},
        {"1E+3", 1000, 1000},
        {"2,5e-3", 0.0025, R},
        {"", NAN, NAN},
        {"   ", NAN, NAN},
        {"1.234.567", 1234567, R},
        {"1234567", 1234567, 1234567},
        {"12.3456", R, 12.3456},
        {"1234.567", R, 1234.567},
        {".5", R, 0.5},
        {",5", 0.5, R},
        {"+3", 3, 3},
        {"1E", R, R},
        {"1,2,3", R, R},
        {"--1", R, R},
        {"1 234", R, R},
        {"E5", R, R},
        {"1e999", R, R},
    };
    for (const Caso& c : casi) {
        for (int k = 0; k < 2; ++k) {
            const Separatori& s = k == 0 ? Italiano.sep : Inglese.sep;
            const double atteso = k == 0 ? c.it : c.en;
            const LetturaRegionale l = LeggiRegionale(c.testo, s);
            SCOPED_TRACE(std::string(c.testo) + (k == 0 ? " (it)" : " (en)"));
            if (std::isnan(atteso)) {
                EXPECT_EQ(l.esito, EsitoRegionale::Vuoto);
            } else if (atteso == R) {
                EXPECT_FALSE(l.Letto());
            } else {
                ASSERT_TRUE(l.Letto());
                EXPECT_EQ(l.valore, atteso);
            }
        }
    }
    EXPECT_EQ(LeggiRegionale("1e999", Italiano.sep).esito, EsitoRegionale::FuoriLimiti);
    // A thousands separator of more than one byte.
    EXPECT_EQ(LeggiRegionale("1\u202f234,5", Francese.sep).valore, 1234.5);
    EXPECT_FALSE(LeggiRegionale("12\u202f34,5", Francese.sep).Letto());
}

TEST(LeggiRegionale, RifiutoENormalizzazione) {
    EXPECT_EQ(TestoNumeroRifiutato("Luce", "8.5", Italiano.sep),
              "Luce: \"8.5\" non è un numero valido.\r\n"
              "Scrivere i numeri con il separatore decimale \",\" (ad esempio 1.234,5).");
    try {
        LeggiTipizzato("12abc", Inglese.sep, "Carichi concentrati, riga 2, colonna F");
        FAIL() << "not refused";
    } catch (const NumeroRifiutato& e) {
        EXPECT_EQ(e.Luogo, "Carichi concentrati, riga 2, colonna F");
        EXPECT_NE(std::string(e.what()).find("\"12abc\""), std::string::npos);
        EXPECT_NE(std::string(e.what()).find("\".\""), std::string::npos);
    }
    EXPECT_EQ(LeggiTipizzato("", Italiano.sep, "x", 7), 7);
    // Normalised text reads back as the same double: grouped when it can be,
    // else in exponent form (no digit lost to the 8 decimals of the grouped form).
    EXPECT_EQ(NormalizzaCampo(Italiano.sep, "1234,5"), "1.234,5");
    EXPECT_EQ(NormalizzaCampo(Italiano.sep, " -0 "), "0");
    EXPECT_EQ(NormalizzaCampo(Italiano.sep, "1,2345E-07"), "1,2345E-07");
    EXPECT_EQ(NormalizzaCampo(Inglese.sep, "1e3"), "1,000");
    EXPECT_EQ(NormalizzaCampo(Italiano.sep, "8.5"), "8.5"); // refused later, not rewritten
    for (const char* t : {"0,1", "123456789,123", "6,02E+23", "-0,000000001"}) {
        const std::string n = NormalizzaCampo(Italiano.sep, t);
        EXPECT_EQ(LeggiRegionale(n, Italiano.sep).valore, LeggiRegionale(t, Italiano.sep).valore)
            << t << " -> " << n;
    }
}

// The keypad's decimal key types the regional separator whatever the layout
// prints on it ('.', ',' or, with Num Lock off, Delete); the same keys off
// the keypad, and other keypad keys, type what they type.
TEST(Tastierino, DecimaleRegionale) {
    const Separatori it{",", "."}, en{".", ","};
    for (auto t : {TastoTastierino::Punto, TastoTastierino::Virgola, TastoTastierino::Canc}) {
        EXPECT_EQ(TestoTastierino(true, t, it), std::optional<std::string>(","));
        EXPECT_EQ(TestoTastierino(true, t, en), std::optional<std::string>("."));
        EXPECT_EQ(TestoTastierino(false, t, it), std::nullopt);
    }
    EXPECT_EQ(TestoTastierino(true, TastoTastierino::Altro, it), std::nullopt);
    // A separator beyond ASCII is typed whole (its UTF-8 bytes).
    EXPECT_EQ(TestoTastierino(true, TastoTastierino::Punto, Separatori{"\u066b", "\u066c"}),
              std::optional<std::string>("\xd9\xab"));
}
