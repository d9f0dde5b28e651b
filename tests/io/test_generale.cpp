// Number parsing/formatting and the regional check, with Italian and English
// separators. Witnesses: the expected texts are worked out by hand from the
// pattern rules (digit counts, half-away rounding of the shortest text).
#include "io/generale.h"

#include "core/guasto.h"

#include <gtest/gtest.h>

#include <cstdlib>

using namespace zelvo;

namespace {

struct Locale {
    char dec, mig;
    const char* nome;
};
const Locale Italiano{',', '.', "it"};
const Locale Inglese{'.', ',', "en"};

// Replaces the Italian separators of an expected text with those of the locale.
std::string L(std::string_view italiano, const Locale& l) {
    std::string r(italiano);
    for (char& c : r) {
        if (c == ',')
            c = l.dec;
        else if (c == '.')
            c = l.mig;
    }
    return r;
}

class ProvaLocale : public ::testing::TestWithParam<Locale> {
  protected:
    void SetUp() override { sep_.emplace(GetParam().dec, GetParam().mig); }
    std::optional<SeparatoriTemporanei> sep_;
};

} // namespace

TEST(Separatori, DaNomeDelLocale) {
    EXPECT_EQ(SeparatoriPerLocale("it_IT.UTF-8"), (Separatori{',', '.'}));
    EXPECT_EQ(SeparatoriPerLocale("it"), (Separatori{',', '.'}));
    EXPECT_EQ(SeparatoriPerLocale("it_CH"), (Separatori{',', '.'}));
    EXPECT_EQ(SeparatoriPerLocale("C.UTF-8"), (Separatori{'.', ','}));
    EXPECT_EQ(SeparatoriPerLocale("en_US.UTF-8"), (Separatori{'.', ','}));
    EXPECT_EQ(SeparatoriPerLocale(""), (Separatori{'.', ','}));
    EXPECT_EQ(SeparatoriPerLocale("iu_CA"), (Separatori{'.', ','}));
}

TEST(Separatori, OrdineDelleVariabiliDAmbiente) {
    const char* vecchie[3] = {std::getenv("LC_ALL"), std::getenv("LC_NUMERIC"),
                              std::getenv("LANG")};
    std::string salva[3];
    for (int i = 0; i < 3; ++i)
        salva[i] = vecchie[i] ? vecchie[i] : "";
    setenv("LC_ALL", "", 1);
    setenv("LC_NUMERIC", "it_IT.UTF-8", 1);
    setenv("LANG", "en_US.UTF-8", 1);
    EXPECT_EQ(SeparatoriDaAmbiente().decimale, ',');
    setenv("LC_ALL", "C.UTF-8", 1);
    EXPECT_EQ(SeparatoriDaAmbiente().decimale, '.');
    unsetenv("LC_ALL");
    unsetenv("LC_NUMERIC");
    setenv("LANG", "it_IT", 1);
    EXPECT_EQ(SeparatoriDaAmbiente().decimale, ',');
    const char* nomi[3] = {"LC_ALL", "LC_NUMERIC", "LANG"};
    for (int i = 0; i < 3; ++i) {
        if (vecchie[i])
            setenv(nomi[i], salva[i].c_str(), 1);
        else
            unsetenv(nomi[i]);
    }
}

// ---------------------------------------------------------------- regional check

TEST(ControllaSeparatori, ItalianoNessunMessaggio) {
    SeparatoriTemporanei s('.', ',');
    RegistroMessaggi m;
    char dec = 0;
    ControllaSeparatori(m, false, &dec, Separatori{',', '.'});
    EXPECT_TRUE(m.elenco.empty());
    EXPECT_EQ(dec, ',');
    EXPECT_EQ(SeparatoreDecimale(), ',');
    EXPECT_EQ(SeparatoreMigliaia(), '.');
}

TEST(ControllaSeparatori, IngleseAvvisoUnaVolta) {
    SeparatoriTemporanei s(',', '.');
    RegistroMessaggi m;
    ControllaSeparatori(m, false, nullptr, Separatori{'.', ','});
    ASSERT_EQ(m.elenco.size(), 1u);
    EXPECT_EQ(m.elenco[0].titolo, "ATTENZIONE ");
    EXPECT_EQ(m.elenco[0].icona, Icona::Esclamazione);
    EXPECT_EQ(m.elenco[0].testo,
              "E' impostato come separatore decimale \".\" e come separatore delle migliaia "
              "\",\"\r\n"
              "Se la lingua è Italiano è meglio usare la  \",\" come separatore decimale.\r\n"
              "Il programma funzionerà comunque correttamente se si usa come separatore delle "
              "migliaia lo spazio,\r\n"
              "impostazione consigliata perchè elimina qualunque ambiguità.\r\n"
              "Il tastierino numerico inserisce il separatore decimale scelto nelle "
              "impostazioni internazionali.");
    m.Svuota();
    ControllaSeparatori(m, true, nullptr, Separatori{'.', ','});
    EXPECT_TRUE(m.elenco.empty()) << "silent start-up shows nothing";
}

TEST(ControllaSeparatori, StessoCarattere) {
    SeparatoriTemporanei s(',', '.');
    RegistroMessaggi m;
    ControllaSeparatori(m, false, nullptr, Separatori{',', ','});
    ASSERT_EQ(m.elenco.size(), 1u);
    EXPECT_EQ(m.elenco[0].titolo, "ERRORE");
    EXPECT_EQ(m.elenco[0].icona, Icona::Critica);
    EXPECT_EQ(m.elenco[0].testo,
              "Errore nelle impostazioni internazionali del pannello di controllo.\r"
              "Il separatore decimale è stato impostato come \",\"\r"
              "E' stato impostato lo stesso carattere per il simbolo raggruppamento cifre.\r"
              "Cambiare il simbolo raggruppamento cifre e riavviare il programma.");
}

TEST(ControllaSeparatori, ProvaDiRiletturaFallita) {
    // With '2' as decimal separator 1234567.8 becomes "1.234.56728", which
    // reads back as 1.3456728.
    SeparatoriTemporanei s(',', '.');
    RegistroMessaggi m;
    ControllaSeparatori(m, false, nullptr, Separatori{'2', '.'});
    ASSERT_EQ(m.elenco.size(), 1u);
    EXPECT_EQ(m.elenco[0].titolo, "ERRORE");
    EXPECT_EQ(m.elenco[0].testo,
              "Errore sconosciuto nelle impostazioni internazionali del pannello di "
              "controllo.\rProvare a cambiare i simboli del separatore decimale\re del "
              "raggruppamento cifre e riavviare il programma.");
}

// ---------------------------------------------------------------- parsing

TEST(ValoreNumerico, Italiano) {
    SeparatoriTemporanei s(',', '.');
    EXPECT_EQ(ValoreNumerico("1.234.567,8"), 1234567.8);
    EXPECT_EQ(ValoreNumerico("1.234,5"), 1234.5);
    EXPECT_EQ(ValoreNumerico("1234,5"), 1234.5);
    EXPECT_EQ(ValoreNumerico("1234.5"), 12345.0) << "'.' is a thousands separator here";
    EXPECT_EQ(ValoreNumerico("-0,5"), -0.5);
    EXPECT_EQ(ValoreNumerico("2,1E+11"), 2.1e11);
}

TEST(ValoreNumerico, Inglese) {
    SeparatoriTemporanei s('.', ',');
    EXPECT_EQ(ValoreNumerico("1,234,567.8"), 1234567.8);
    EXPECT_EQ(ValoreNumerico("1234,5"), 12345.0);
    EXPECT_EQ(ValoreNumerico(".5"), 0.5);
    EXPECT_EQ(ValoreNumerico("-.5"), -0.5);
    EXPECT_EQ(ValoreNumerico("1E-04"), 1e-4);
    EXPECT_EQ(ValoreNumerico("1d3"), 1000.0);
    EXPECT_EQ(ValoreNumerico("  +12abc"), 12.0);
    EXPECT_EQ(ValoreNumerico("3e"), 3.0) << "an exponent without digits is not part of it";
    EXPECT_EQ(ValoreNumerico(""), 0.0);
    EXPECT_EQ(ValoreNumerico("abc"), 0.0);
    EXPECT_EQ(ValoreNumerico("-"), 0.0);
    EXPECT_EQ(ValoreNumerico("1e-400"), 0.0);
    EXPECT_THROW(ValoreNumerico("1e400"), Guasto);
    EXPECT_THROW(ValoreNumerico("123456789e305"), Guasto);
}

// ---------------------------------------------------------------- formatting

TEST_P(ProvaLocale, FormatoNumero) {
    const Locale& l = GetParam();
    EXPECT_EQ(FormatoNumero(1234567.8), L("1.234.567,8", l));
    EXPECT_EQ(ValoreNumerico(FormatoNumero(1234567.8)), 1234567.8);
    EXPECT_EQ(FormatoNumero(12), "12");
    EXPECT_EQ(FormatoNumero(12.0), "12");
    EXPECT_EQ(FormatoNumero(0.0), "0");
    EXPECT_EQ(FormatoNumero(-1234.5f), L("-1.234,5", l));
    EXPECT_EQ(FormatoNumero(0.123456789), L("0,12345679", l)) << "8 decimals, half up";
    EXPECT_EQ(FormatoNumero(1.000000001), "1") << "no trailing separator";
    EXPECT_EQ(FormatoNumero(-0.000000001), "0") << "no minus on a zero";
    EXPECT_EQ(FormatoNumero(0.1f), L("0,1", l)) << "single: shortest text 0.1";
    EXPECT_EQ(NormalizzaCampo(L("1234,50", l)), L("1.234,5", l));
}

TEST_P(ProvaLocale, FormatoCifre) {
    const Locale& l = GetParam();
    std::string p;
    EXPECT_EQ(FormatoCifre(4, 0.0123, &p), L(" 0,01230", l));
    EXPECT_EQ(p, "#,##0.00000");
    EXPECT_EQ(FormatoCifre(3, 123456, &p), L(" 123.456", l));
    EXPECT_EQ(p, "#,##0");
    EXPECT_EQ(FormatoCifre(4, -12.3456), L("-12,35", l));
    EXPECT_EQ(FormatoCifre(4, 1.0), L(" 1,000", l));
    EXPECT_EQ(FormatoCifre(4, 0.0), " 0");
    EXPECT_EQ(FormatoCifre(4, 1e-20), " 0");
    EXPECT_EQ(FormatoCifre(4, 9999.6), L(" 10.000", l)) << "carry into a new digit";
    EXPECT_EQ(FormatoCifre(4, 999.96), L(" 1.000,0", l)) << "e from the unrounded value";
}

TEST_P(ProvaLocale, ArrotondamentoDelTestoBreve) {
    const Locale& l = GetParam();
    // The single 1.005 is 1.00499999523...; its shortest text is "1.005".
    EXPECT_EQ(FormatoCifre(3, 1.005f), L(" 1,01", l));
    EXPECT_EQ(FormatoCifre(3, 1.005), L(" 1,01", l));
    EXPECT_EQ(FormatoCifre(3, 2.675), L(" 2,68", l));
    EXPECT_EQ(FormatoCifre(3, -2.675), L("-2,68", l)) << "half away from zero";
    EXPECT_EQ(FormatoCifre(3, 1.0049), L(" 1,00", l));
    EXPECT_EQ(FormatoPattern(0.5, "#,##0"), "1");
    EXPECT_EQ(FormatoPattern(-0.5, "#,##0"), "-1");
    EXPECT_EQ(FormatoPattern(2.5, "0"), "3");
}

TEST_P(ProvaLocale, FormatoLarghezza) {
    const Locale& l = GetParam();
    RegistroMessaggi m;
    EXPECT_EQ(FormatoLarghezza(4, 12, 123456789, nullptr, &m), L(" 123.456.789", l));
    EXPECT_EQ(FormatoLarghezza(4, 10, 123456789, nullptr, &m), L(" 1,235E+08", l));
    EXPECT_TRUE(m.elenco.empty());
    EXPECT_EQ(FormatoLarghezza(4, 8, 123456789, nullptr, &m), L(" 1,235E+08", l));
    EXPECT_EQ(m.Testi(), std::vector<std::string>{"n. caratteri minimo = 10"});
    m.Svuota();
    EXPECT_EQ(FormatoLarghezza(4, 10, -0.000012345678, nullptr, &m), L("-1,235E-05", l));
    EXPECT_EQ(FormatoLarghezza(4, 10, 9.9996e20, nullptr, &m), L(" 1,000E+21", l));
    EXPECT_EQ(FormatoLarghezza(3, 9, 1e100, nullptr, &m), L(" 1,00E+100", l));
    EXPECT_TRUE(m.elenco.empty());
}

TEST_P(ProvaLocale, FormatoCompatto) {
    const Locale& l = GetParam();
    EXPECT_EQ(FormatoCompatto(4, 10, 3.0), " 3");
    EXPECT_EQ(FormatoCompatto(4, 10, 0.05), L(" 0,05", l));
    EXPECT_EQ(FormatoCompatto(4, 10, 120000000.0), L(" 1,2E+08", l));
    EXPECT_EQ(FormatoCompatto(4, 10, 100000000.0), " 1E+08");
    EXPECT_EQ(FormatoCompatto(4, 10, 123456.0), L(" 123.456", l)) << "grouping zeros stay";
    EXPECT_EQ(FormatoCompatto(4, 10, 1200.0), L(" 1.200", l));
}

TEST_P(ProvaLocale, FormatoEtichetta) {
    const Locale& l = GetParam();
    EXPECT_EQ(FormatoEtichetta(4, 12.5), L(" 12,5", l)) << "fewer than 4 digits: as it is";
    EXPECT_EQ(FormatoEtichetta(4, -12.5), L("-12,5", l));
    EXPECT_EQ(FormatoEtichetta(4, 123456.7), L(" 123.457", l));
    EXPECT_EQ(FormatoEtichetta(4, 12.3456), L(" 12,35", l));
    EXPECT_EQ(FormatoEtichetta(4, 0.123456), L(" 0,1235", l));
    EXPECT_EQ(FormatoEtichetta(4, 0.0), " 0");
    EXPECT_EQ(FormatoEtichetta(1, -0.3), " 0");
}

INSTANTIATE_TEST_SUITE_P(Locali, ProvaLocale, ::testing::Values(Italiano, Inglese),
                         [](const auto& i) { return std::string(i.param.nome); });

TEST(NomeBase, CartellaEdEstensione) {
    EXPECT_EQ(NomeBase("/home/u/trave.zlv"), "trave");
    EXPECT_EQ(NomeBase("C:\\Dati\\trave 1.zlv"), "trave 1");
    EXPECT_EQ(NomeBase("a.b.zlv"), "a.b");
    EXPECT_EQ(NomeBase("senza"), "senza");
    EXPECT_EQ(NomeBase("/cartella.x/file"), "file");
}

TEST(Tastiera, TastierinoDecimale) {
    SeparatoriTemporanei s(',', '.');
    EXPECT_EQ(TastoGiu(TastoInvio), AzioneTasto::CampoSuccessivo);
    EXPECT_EQ(TastoGiu(TastoInvio, false), AzioneTasto::Nessuna);
    EXPECT_EQ(TastoGiu(TastoDecimaleTastierino), AzioneTasto::Nessuna);
    int c = '.';
    TastoCarattere(c);
    EXPECT_EQ(c, ',');
    int d = '5';
    TastoCarattere(d);
    EXPECT_EQ(d, '5') << "the key types one separator, then the digit";
    EXPECT_FALSE(TastoDecimale());
}
