// The section editor's value list and icons. Every type against closed forms,
// with its plastic moduli and messages, in every unit, is checked through the
// program by tests/verifica/verifica_sezioni.py; read back from data files by
// the corpus test.
#include "section/sezione_edit.h"

#include <gtest/gtest.h>

using namespace zelvo;

namespace {

CampiEditorSezione Campi(int16_t tipo, std::vector<std::vector<std::string>> g, std::string R = "",
                         std::string r = "", std::string n = "") {
    CampiEditorSezione c;
    c.TipoSelezionato = tipo;
    c.Righe = std::to_string(g.size());
    c.Griglia = GrigliaTesto::DaRighe(g);
    c.RaggioEsterno = std::move(R), c.RaggioInterno = std::move(r), c.NumeroVertici = std::move(n);
    return c;
}

} // namespace

// The list kept in memory (typed values) rebuilds the same section and fields.
TEST(SezioneEdit, ListaValoriAndataERitorno) {
    RegistroMessaggi msg;
    for (auto campi :
         {Campi(SezTrapezi, {{"0.4", "0.2", "0.3"}, {"0.2", "0.2", "0.5"}}),
          Campi(SezPoligono, {}, "0.8", "0.25", "7"), Campi(SezCircolare, {}, "0.5", "0"),
          Campi(SezCoordinate, {{"0", "0"}, {"2", "0"}, {"1", "3"}})}) {
        SezioneEdit s, t;
        s.UnitaLunghezza = t.UnitaLunghezza = "cm";
        ASSERT_TRUE(s.FormLeggeDati(campi, msg));
        s.ScritturaSucc = false;
        ASSERT_TRUE(s.DatiLeggeScrive(Verso::Scrivi));
        SezioneEdit::CopiaColl(t.CollEdit, s.CollEdit);
        t.LetturaSucc = false;
        ASSERT_TRUE(t.DatiLeggeScrive(Verso::Leggi));
        ASSERT_TRUE(t.FormLeggeDatiContinua(msg));
        EXPECT_EQ(t.TipoSezione, s.TipoSezione);
        EXPECT_EQ(t.Contorno.nVertici(), s.Contorno.nVertici());
        EXPECT_EQ(std::pair(t.Contorno.jota_xG, t.WxSup), std::pair(s.Contorno.jota_xG, s.WxSup));
        CampiEditorSezione c1, c2;
        s.FormScriveDati(c1);
        t.FormScriveDati(c2);
        EXPECT_EQ(c1.Griglia, c2.Griglia);
        EXPECT_EQ(c1.RaggioEsterno, c2.RaggioEsterno);
    }
    EXPECT_TRUE(msg.elenco.empty());
    // A refused section is a critical message.
    SezioneEdit s;
    EXPECT_FALSE(s.FormLeggeDati(Campi(SezCircolare, {}, "0.5", "-0.1"), msg));
    ASSERT_EQ(msg.elenco.size(), 1u);
    EXPECT_EQ(msg.elenco[0].icona, Icona::Critica);
}

// Lists cut short (a type whose count is missing, a stack without its rows, a
// ring without its sides) are not taken: the 1 x 0.5 rectangle rebuilds as it
// was (a type of three columns over a table of two once indexed out of it).
TEST(SezioneEdit, ListaIncompletaNonCambiaLaSezione) {
    RegistroMessaggi msg;
    SezioneEdit s;
    ASSERT_TRUE(s.FormLeggeDati(Campi(SezRettangolo, {{"1", "0.5"}}), msg));
    s.ScritturaSucc = false;
    ASSERT_TRUE(s.DatiLeggeScrive(Verso::Scrivi));
    for (const ValoriColl& lista :
         {ValoriColl{int16_t{3}}, ValoriColl{int16_t{2}, int16_t{3}, 0.4f, 0.1f},
          ValoriColl{int16_t{4}, 0.5f, 0.2f}, ValoriColl{int16_t{9}, int16_t{1}, 1.0f, 1.0f},
          ValoriColl{int16_t{0}, int16_t{1}, 0.3f}}) {
        SezioneEdit t = std::move(s);
        SezioneEdit::CopiaColl(t.CollEdit, lista);
        t.LetturaSucc = false;
        EXPECT_FALSE(t.DatiLeggeScrive(Verso::Leggi));
        EXPECT_EQ(t.TipoSezione, SezRettangolo);
        EXPECT_EQ(t.Righe(), 1);
        EXPECT_EQ(std::pair(t.TabellaMetri(1, 1), t.TabellaMetri(2, 1)), std::pair(1.0f, 0.5f));
        ASSERT_TRUE(t.FormLeggeDatiContinua(msg));
        EXPECT_NEAR(t.Contorno.jota_xG, 1.0 * 0.125 / 12, 1e-12);
        s = std::move(t);
    }
    EXPECT_TRUE(msg.elenco.empty());
}

// Typed values with Italian separators, read strictly: "12,5" is 12.5 (the
// 12.5 × 10 cm rectangle: A = 125 cm², I = 12.5·10³/12 cm⁴ by hand), "12.5"
// and "4,5" sides are refused naming the field, an empty cell is 0.
TEST(SezioneEdit, NumeriDigitatiConSeparatoriItaliani) {
    const Separatori it{",", "."};
    RegistroMessaggi msg;
    SezioneEdit s;
    s.UnitaLunghezza = "cm";
    auto campi = [&](CampiEditorSezione c) {
        c.separatori = it;
        return c;
    };
    ASSERT_TRUE(s.FormLeggeDati(campi(Campi(SezRettangolo, {{"12,5", "10"}})), msg));
    // (dimensions held as singles: a relative 1e-6)
    EXPECT_NEAR(s.Contorno.Area, 125e-4, 125e-10);
    EXPECT_NEAR(s.Contorno.jota_xG, 12.5 * 1000 / 12 * 1e-8, 1e-6 * 1.05e-5);
    CampiEditorSezione scritti;
    scritti.separatori = it;
    s.FormScriveDati(scritti);
    EXPECT_EQ(scritti.Griglia.Testo(0, 0), "12,5"); // shown back as typed
    // the outer radius 10,5 cm: a 4-sided polygon of circumradius 10.5 has A = 2·R²
    ASSERT_TRUE(s.FormLeggeDati(campi(Campi(SezPoligono, {}, "10,5", "0", "4")), msg));
    EXPECT_NEAR(s.Contorno.Area, 2 * 10.5 * 10.5 * 1e-4, 1e-6 * 0.0221);
    EXPECT_TRUE(msg.elenco.empty());

    struct Caso {
        CampiEditorSezione c;
        std::string messaggio;
        RifiutoEditorSezione dove;
    };
    const std::string sep = "\r\nScrivere i numeri con il separatore decimale \",\" (ad esempio "
                            "1.234,5).";
    const Caso casi[] = {
        {Campi(SezRettangolo, {{"10", "12.5"}}),
         "Tabella della sezione, riga 1, colonna h: \"12.5\" non è un numero valido." + sep,
         {CampoEditorSezione::Griglia, 1, 2}},
        {Campi(SezTrapezi, {{"1", "2", "3"}, {"4", "5x", ""}}),
         "Tabella della sezione, riga 2, colonna b: \"5x\" non è un numero valido." + sep,
         {CampoEditorSezione::Griglia, 2, 2}},
        {Campi(SezPoligono, {}, "10.5", "0", "4"),
         "R external: \"10.5\" non è un numero valido." + sep,
         {CampoEditorSezione::RaggioEsterno, 0, 0}},
        {Campi(SezPoligono, {}, "10", "0", "4,5"),
         "n Vertex: \"4,5\" non è un numero intero.",
         {CampoEditorSezione::NumeroVertici, 0, 0}},
        {Campi(SezPoligono, {}, "10", "0", "4.7"),
         "n Vertex: \"4.7\" non è un numero valido." + sep,
         {CampoEditorSezione::NumeroVertici, 0, 0}},
    };
    for (const Caso& k : casi) {
        msg.Svuota();
        EXPECT_FALSE(s.FormLeggeDati(campi(k.c), msg));
        EXPECT_EQ(msg.Testi(), std::vector<std::string>{k.messaggio});
        EXPECT_EQ(std::tuple(s.Rifiuto.campo, s.Rifiuto.riga, s.Rifiuto.colonna),
                  std::tuple(k.dove.campo, k.dove.riga, k.dove.colonna));
    }
    // an empty cell keeps its meaning: 0 (a rectangle without height has no area)
    msg.Svuota();
    EXPECT_FALSE(s.FormLeggeDati(campi(Campi(SezRettangolo, {{"10", ""}})), msg));
    EXPECT_EQ(s.Rifiuto.campo, CampoEditorSezione::Nessuno);
}
