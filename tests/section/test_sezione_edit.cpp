// The section editor's messages and value list. Every type against closed
// forms, with its plastic moduli, in every unit, is checked through the
// program by tests/verifica/verifica_sezioni.py.
#include "section/sezione_edit.h"

#include <gtest/gtest.h>

using namespace zelvo;

namespace {

CampiEditorSezione Righe(int16_t tipo, std::vector<std::vector<std::string>> g) {
    CampiEditorSezione c;
    c.TipoSelezionato = tipo;
    c.Righe = std::to_string(g.size());
    c.Griglia = GrigliaTesto::DaRighe(g);
    return c;
}

CampiEditorSezione Cerchio(int16_t tipo, std::string R, std::string r, std::string n = "") {
    CampiEditorSezione c;
    c.TipoSelezionato = tipo;
    c.RaggioEsterno = std::move(R);
    c.RaggioInterno = std::move(r);
    c.NumeroVertici = std::move(n);
    return c;
}

} // namespace

TEST(SezioneEdit, MessaggiRaggi) {
    RegistroMessaggi msg;
    SezioneEdit s;
    EXPECT_FALSE(s.FormLeggeDati(Cerchio(SezCircolare, "0.5", "-0.1"), msg));
    EXPECT_FALSE(s.FormLeggeDati(Cerchio(SezCircolare, "0.5", "0.5"), msg));
    EXPECT_FALSE(s.FormLeggeDati(Cerchio(SezPoligono, "0.5", "0.6", "6"), msg));
    EXPECT_FALSE(s.FormLeggeDati(Righe(SezRettangolo, {{"0.3", "0"}}), msg));
    EXPECT_EQ(msg.Testi(), (std::vector<std::string>{"Internal radius must be >= 0",
                                                     "External radius must be > internal radius",
                                                     "External radius must be > internal radius",
                                                     "Section Area is Null"}));
    for (const auto& m : msg.elenco)
        EXPECT_EQ(m.icona, Icona::Critica);
}

TEST(SezioneEdit, ListaValoriAndataERitorno) {
    RegistroMessaggi msg;
    for (auto campi : {Righe(SezTrapezi, {{"0.4", "0.2", "0.3"}, {"0.2", "0.2", "0.5"}}),
                       Cerchio(SezPoligono, "0.8", "0.25", "7"), Cerchio(SezCircolare, "0.5", "0"),
                       Righe(SezCoordinate, {{"0", "0"}, {"2", "0"}, {"1", "3"}})}) {
        SezioneEdit s;
        s.UnitaLunghezza = "cm";
        ASSERT_TRUE(s.FormLeggeDati(campi, msg));
        s.ScritturaSucc = false;
        ASSERT_TRUE(s.DatiLeggeScrive("S"));
        SezioneEdit t;
        t.UnitaLunghezza = "cm";
        SezioneEdit::CopiaColl(t.CollEdit, s.CollEdit);
        t.LetturaSucc = false;
        ASSERT_TRUE(t.DatiLeggeScrive("L"));
        ASSERT_TRUE(t.FormLeggeDatiContinua(msg));
        EXPECT_EQ(t.TipoSezione, s.TipoSezione);
        EXPECT_EQ(t.Contorno.nVertici(), s.Contorno.nVertici());
        EXPECT_EQ(t.Contorno.Area, s.Contorno.Area);
        EXPECT_EQ(t.Contorno.jota_xG, s.Contorno.jota_xG);
        EXPECT_EQ(t.WxSup, s.WxSup);
        CampiEditorSezione c1, c2;
        s.FormScriveDati(c1);
        t.FormScriveDati(c2);
        EXPECT_EQ(c1.Griglia, c2.Griglia);
        EXPECT_EQ(c1.RaggioEsterno, c2.RaggioEsterno);
        // Values read from a file arrive as doubles: same section.
        SezioneEdit u;
        u.UnitaLunghezza = "cm";
        for (const auto& v : s.CollEdit)
            std::visit(
                [&](auto x) {
                    if constexpr (std::is_arithmetic_v<decltype(x)>) {
                        ValoreColl d;
                        d.emplace<double>(static_cast<double>(x));
                        u.CollEdit.push_back(d);
                    }
                },
                v);
        ASSERT_TRUE(u.DatiLeggeScrive("L"));
        ASSERT_TRUE(u.FormLeggeDatiContinua(msg));
        EXPECT_EQ(u.Contorno.Area, s.Contorno.Area);
    }
    EXPECT_TRUE(msg.elenco.empty());
    // A short list is not a section.
    SezioneEdit v;
    v.CollEdit = {int16_t{0}, int16_t{1}, 0.3f};
    EXPECT_FALSE(v.DatiLeggeScrive("L"));
}

TEST(SezioneEdit, ListaIncompletaNonCambiaLaSezione) {
    // A 1 x 0.5 rectangle, then lists cut short: a trapezoid type whose count
    // is missing, a stack whose rows are missing, a ring without its sides.
    // Nothing of them is taken: the rectangle rebuilds as it was (before, a
    // type of three columns over a table of two made the rebuild index out of
    // its table).
    RegistroMessaggi msg;
    SezioneEdit s;
    ASSERT_TRUE(s.FormLeggeDati(Righe(SezRettangolo, {{"1", "0.5"}}), msg));
    s.ScritturaSucc = false;
    ASSERT_TRUE(s.DatiLeggeScrive("S"));
    for (const ValoriColl& lista :
         {ValoriColl{int16_t{3}}, ValoriColl{int16_t{2}, int16_t{3}, 0.4f, 0.1f},
          ValoriColl{int16_t{4}, 0.5f, 0.2f}, ValoriColl{int16_t{9}, int16_t{1}, 1.0f, 1.0f}}) {
        SezioneEdit t = std::move(s);
        SezioneEdit::CopiaColl(t.CollEdit, lista);
        t.LetturaSucc = false;
        EXPECT_FALSE(t.DatiLeggeScrive("L"));
        EXPECT_EQ(t.TipoSezione, SezRettangolo);
        EXPECT_EQ(t.Righe(), 1);
        EXPECT_EQ(t.TabellaMetri(1, 1), 1.0f);
        EXPECT_EQ(t.TabellaMetri(2, 1), 0.5f);
        ASSERT_TRUE(t.FormLeggeDatiContinua(msg));
        EXPECT_NEAR(t.Contorno.Area, 0.5, 1e-12);
        EXPECT_NEAR(t.Contorno.jota_xG, 1.0 * 0.125 / 12, 1e-12);
        s = std::move(t);
    }
    EXPECT_TRUE(msg.elenco.empty());
}

TEST(SezioneEdit, DimSezRicostruisce) {
    RegistroMessaggi msg;
    SezioneEdit s;
    ASSERT_TRUE(s.FormLeggeDati(Righe(SezT, {{"1.0", "0.2"}, {"0.3", "0.6"}}), msg));
    s.ScritturaSucc = false;
    s.DatiLeggeScrive("S");
    double h = 0, b = 0;
    ASSERT_TRUE(s.DimSez(h, b, msg));
    EXPECT_NEAR(h, 0.8, 1e-7);
    EXPECT_NEAR(b, 1.0, 1e-7);
    SezioneEdit vuota;
    EXPECT_FALSE(vuota.DimSez(h, b, msg));
    EXPECT_EQ(msg.Testi().back(), "Error in Function hSez");
}
