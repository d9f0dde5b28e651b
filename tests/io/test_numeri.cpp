// Numbers as text: the display reader and formatters with Italian, English
// and German separators, the machine reader and writer, and the separators
// read from the machine's locale data. Witnesses: the expected texts are
// worked out by hand from the pattern rules (digit counts, half-away rounding
// of the shortest text) and from the C library's own printf and strtod.
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

} // namespace

// ---------------------------------------------------------------- separators

TEST(Separatori, DaiSimboliDelLocale) {
    EXPECT_EQ(SeparatoriDa(",", "."), (Separatori{",", "."}));
    EXPECT_EQ(SeparatoriDa(".", ","), (Separatori{".", ","}));
    EXPECT_EQ(SeparatoriDa(".", ""), (Separatori{".", ","})) << "C locale: no grouping symbol";
    EXPECT_EQ(SeparatoriDa(",", ""), (Separatori{",", "."}));
    EXPECT_EQ(SeparatoriDa(",", ","), (Separatori{",", ""})) << "same symbol: reported at start";
}

// The locales the set-up script generates: read from their data, whatever
// their names say.
TEST(Separatori, DaiDatiDelLocale) {
    const auto it = SeparatoriDiLocale("it_IT.UTF-8");
    const auto de = SeparatoriDiLocale("de_DE.UTF-8");
    const auto en = SeparatoriDiLocale("en_US.UTF-8");
    const auto c = SeparatoriDiLocale("C");
    ASSERT_TRUE(it && de && en) << "run scripts/setup.sh: it_IT, de_DE, en_US UTF-8 locales";
    ASSERT_TRUE(c);
    EXPECT_EQ(*it, (Separatori{",", "."}));
    EXPECT_EQ(*de, (Separatori{",", "."}));
    EXPECT_EQ(*en, (Separatori{".", ","}));
    EXPECT_EQ(*c, (Separatori{".", ","}));
    EXPECT_FALSE(SeparatoriDiLocale("xx_XX.UTF-8")) << "not installed";
    // The process's own locale is never touched.
    EXPECT_STREQ(std::setlocale(LC_NUMERIC, nullptr), "C");
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
    for (int i = 0; i < 3; ++i) {
        if (salva[i])
            setenv(nomi[i], salva[i]->c_str(), 1);
        else
            unsetenv(nomi[i]);
    }
}

// ---------------------------------------------------------------- parsing

TEST(ValoreNumerico, Italiano) {
    const Separatori s{",", "."};
    EXPECT_EQ(ValoreNumerico("1.234.567,8", s), 1234567.8);
    EXPECT_EQ(ValoreNumerico("1.234,5", s), 1234.5);
    EXPECT_EQ(ValoreNumerico("1234,5", s), 1234.5);
    EXPECT_EQ(ValoreNumerico("1234.5", s), 12345.0) << "'.' is a thousands separator here";
    EXPECT_EQ(ValoreNumerico("-0,5", s), -0.5);
    EXPECT_EQ(ValoreNumerico("2,1E+11", s), 2.1e11);
}

TEST(ValoreNumerico, Inglese) {
    const Separatori s{".", ","};
    EXPECT_EQ(ValoreNumerico("1,234,567.8", s), 1234567.8);
    EXPECT_EQ(ValoreNumerico("1234,5", s), 12345.0);
    EXPECT_EQ(ValoreNumerico(".5", s), 0.5);
    EXPECT_EQ(ValoreNumerico("-.5", s), -0.5);
    EXPECT_EQ(ValoreNumerico("1E-04", s), 1e-4);
    EXPECT_EQ(ValoreNumerico("1d3", s), 1000.0);
    EXPECT_EQ(ValoreNumerico("  +12abc", s), 12.0);
    EXPECT_EQ(ValoreNumerico("3e", s), 3.0) << "an exponent without digits is not part of it";
    EXPECT_EQ(ValoreNumerico("", s), 0.0);
    EXPECT_EQ(ValoreNumerico("abc", s), 0.0);
    EXPECT_EQ(ValoreNumerico("-", s), 0.0);
    EXPECT_EQ(ValoreNumerico("1e-400", s), 0.0);
    EXPECT_THROW(ValoreNumerico("1e400", s), Guasto);
    EXPECT_THROW(ValoreNumerico("123456789e305", s), Guasto);
}

// ---------------------------------------------------------------- formatting

TEST_P(ProvaLocale, FormatoNumero) {
    const Locale& l = GetParam();
    const Separatori& s = l.sep;
    EXPECT_EQ(FormatoNumero(s, 1234567.8), L("1.234.567,8", l));
    EXPECT_EQ(ValoreNumerico(FormatoNumero(s, 1234567.8), s), 1234567.8);
    EXPECT_EQ(FormatoNumero(s, 12), "12");
    EXPECT_EQ(FormatoNumero(s, 12.0), "12");
    EXPECT_EQ(FormatoNumero(s, 0.0), "0");
    EXPECT_EQ(FormatoNumero(s, -1234.5f), L("-1.234,5", l));
    EXPECT_EQ(FormatoNumero(s, 0.123456789), L("0,12345679", l)) << "8 decimals, half up";
    EXPECT_EQ(FormatoNumero(s, 1.000000001), "1") << "no trailing separator";
    EXPECT_EQ(FormatoNumero(s, -0.000000001), "0") << "no minus on a zero";
    EXPECT_EQ(FormatoNumero(s, 0.1f), L("0,1", l)) << "single: shortest text 0.1";
    EXPECT_EQ(NormalizzaCampo(s, L("1234,50", l)), L("1.234,5", l));
}

TEST_P(ProvaLocale, FormatoCifre) {
    const Locale& l = GetParam();
    const Separatori& s = l.sep;
    std::string p;
    EXPECT_EQ(FormatoCifre(s, 4, 0.0123, &p), L(" 0,01230", l));
    EXPECT_EQ(p, "#,##0.00000");
    EXPECT_EQ(FormatoCifre(s, 3, 123456, &p), L(" 123.456", l));
    EXPECT_EQ(p, "#,##0");
    EXPECT_EQ(FormatoCifre(s, 4, -12.3456), L("-12,35", l));
    EXPECT_EQ(FormatoCifre(s, 4, 1.0), L(" 1,000", l));
    EXPECT_EQ(FormatoCifre(s, 4, 0.0), " 0");
    EXPECT_EQ(FormatoCifre(s, 4, 1e-20), " 0");
    EXPECT_EQ(FormatoCifre(s, 4, 9999.6), L(" 10.000", l)) << "carry into a new digit";
    EXPECT_EQ(FormatoCifre(s, 4, 999.96), L(" 1.000,0", l)) << "e from the unrounded value";
}

TEST_P(ProvaLocale, ArrotondamentoDelTestoBreve) {
    const Locale& l = GetParam();
    const Separatori& s = l.sep;
    // The single 1.005 is 1.00499999523...; its shortest text is "1.005".
    EXPECT_EQ(FormatoCifre(s, 3, 1.005f), L(" 1,01", l));
    EXPECT_EQ(FormatoCifre(s, 3, 1.005), L(" 1,01", l));
    EXPECT_EQ(FormatoCifre(s, 3, 2.675), L(" 2,68", l));
    EXPECT_EQ(FormatoCifre(s, 3, -2.675), L("-2,68", l)) << "half away from zero";
    EXPECT_EQ(FormatoCifre(s, 3, 1.0049), L(" 1,00", l));
    EXPECT_EQ(FormatoPattern(s, 0.5, "#,##0"), "1");
    EXPECT_EQ(FormatoPattern(s, -0.5, "#,##0"), "-1");
    EXPECT_EQ(FormatoPattern(s, 2.5, "0"), "3");
}

TEST_P(ProvaLocale, FormatoLarghezza) {
    const Locale& l = GetParam();
    const Separatori& s = l.sep;
    RegistroMessaggi m;
    EXPECT_EQ(FormatoLarghezza(s, 4, 12, 123456789, nullptr, &m), L(" 123.456.789", l));
    EXPECT_EQ(FormatoLarghezza(s, 4, 10, 123456789, nullptr, &m), L(" 1,235E+08", l));
    EXPECT_TRUE(m.elenco.empty());
    EXPECT_EQ(FormatoLarghezza(s, 4, 8, 123456789, nullptr, &m), L(" 1,235E+08", l));
    EXPECT_EQ(m.Testi(), std::vector<std::string>{"n. caratteri minimo = 10"});
    m.Svuota();
    EXPECT_EQ(FormatoLarghezza(s, 4, 10, -0.000012345678, nullptr, &m), L("-1,235E-05", l));
    EXPECT_EQ(FormatoLarghezza(s, 4, 10, 9.9996e20, nullptr, &m), L(" 1,000E+21", l));
    EXPECT_EQ(FormatoLarghezza(s, 3, 9, 1e100, nullptr, &m), L(" 1,00E+100", l));
    EXPECT_TRUE(m.elenco.empty());
}

TEST_P(ProvaLocale, FormatoCompatto) {
    const Locale& l = GetParam();
    const Separatori& s = l.sep;
    EXPECT_EQ(FormatoCompatto(s, 4, 10, 3.0), " 3");
    EXPECT_EQ(FormatoCompatto(s, 4, 10, 0.05), L(" 0,05", l));
    EXPECT_EQ(FormatoCompatto(s, 4, 10, 120000000.0), L(" 1,2E+08", l));
    EXPECT_EQ(FormatoCompatto(s, 4, 10, 100000000.0), " 1E+08");
    EXPECT_EQ(FormatoCompatto(s, 4, 10, 123456.0), L(" 123.456", l)) << "grouping zeros stay";
    EXPECT_EQ(FormatoCompatto(s, 4, 10, 1200.0), L(" 1.200", l));
}

TEST_P(ProvaLocale, FormatoEtichetta) {
    const Locale& l = GetParam();
    const Separatori& s = l.sep;
    EXPECT_EQ(FormatoEtichetta(s, 4, 12.5), L(" 12,5", l)) << "fewer than 4 digits: as it is";
    EXPECT_EQ(FormatoEtichetta(s, 4, -12.5), L("-12,5", l));
    EXPECT_EQ(FormatoEtichetta(s, 4, 123456.7), L(" 123.457", l));
    EXPECT_EQ(FormatoEtichetta(s, 4, 12.3456), L(" 12,35", l));
    EXPECT_EQ(FormatoEtichetta(s, 4, 0.123456), L(" 0,1235", l));
    EXPECT_EQ(FormatoEtichetta(s, 4, 0.0), " 0");
    EXPECT_EQ(FormatoEtichetta(s, 1, -0.3), " 0");
}

INSTANTIATE_TEST_SUITE_P(Locali, ProvaLocale, ::testing::Values(Italiano, Inglese, Francese),
                         [](const auto& i) { return std::string(i.param.nome); });

// ---------------------------------------------------------------- machine texts

// The machine writer against C's printf in the C locale (the process's locale
// is C in the tests) and the reader against strtod.
class ProvaMacchina : public ::testing::TestWithParam<double> {};

TEST_P(ProvaMacchina, ScritturaERilettura) {
    const double v = GetParam();
    double d = 0;
    ASSERT_EQ(LeggiMacchina(TestoBreve(v), d), EsitoLettura::Letto);
    EXPECT_EQ(d, v) << TestoBreve(v);
    const float f = static_cast<float>(v);
    float g = 0;
    if (std::isfinite(f)) {
        ASSERT_EQ(LeggiMacchina(TestoBreve(f), g), EsitoLettura::Letto);
        EXPECT_EQ(g, f);
    }
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
    EXPECT_EQ(LeggiMacchina("+.5", d), EsitoLettura::Letto);
    EXPECT_EQ(d, 0.5);
    EXPECT_EQ(LeggiMacchina("-1.5D+03", d), EsitoLettura::Letto);
    EXPECT_EQ(d, -1500.0);
    EXPECT_EQ(LeggiMacchina("5.", d), EsitoLettura::Letto);
    EXPECT_EQ(d, 5.0);
    EXPECT_EQ(LeggiMacchina("1e-400", d), EsitoLettura::Letto);
    EXPECT_EQ(d, 0.0);
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
    EXPECT_FALSE(InizioNumerico("abc", s));
    EXPECT_FALSE(InizioNumerico("", s));
    const LetturaUtente l = LeggiUtente("1e400", s);
    EXPECT_TRUE(l.numero);
    EXPECT_TRUE(l.fuoriLimiti);
    EXPECT_THROW(ValoreNumerico("1e400", s), Guasto);
}

TEST(TestoBreveRegionale, SeparatoreDecimale) {
    EXPECT_EQ(TestoBreveRegionale({",", "."}, 0.5f), "0,5");
    EXPECT_EQ(TestoBreveRegionale({".", ","}, -1.0f), "-1");
    EXPECT_EQ(TestoBreveRegionale({",", "."}, 1e-5f), "1E-05");
    EXPECT_EQ(TestoBreveRegionale({",", "."}, 12345.5f), "12345,5") << "never grouped";
}
