// Section types built the way the editor builds them, against closed forms,
// and the editor's value list. Every type with its plastic moduli, in every
// unit, is checked through the program by tests/verifica/verifica_sezioni.py.
#include "section/sezione_edit.h"

#include "core/matematica.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace zelvo;

namespace {

void Vicino(double atteso, double v, double rel) {
    EXPECT_NEAR(v, atteso, rel * std::fabs(atteso)) << "atteso " << atteso;
}

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

// Closed form of a regular m-gon of circumradius a centred at the origin:
// m triangles from the centre, polar moment a⁴·sinθ·(2 + cosθ)/12 each
// (θ = 2π/m); by symmetry I = J/2.
double InerziaPoligonoRegolare(double a, int m) {
    const double t = 2 * PiGreco / m;
    return m * a * a * a * a * std::sin(t) * (2 + std::cos(t)) / 24;
}

// Floats in the tables: inputs like 0.3 are stored as singles, so closed
// forms are evaluated on the same single values and compared to 1e-12.
double F(double v) {
    return static_cast<double>(static_cast<float>(v));
}

} // namespace

TEST(SezioneEdit, RettangoloCentrato) {
    RegistroMessaggi msg;
    SezioneEdit s;
    ASSERT_TRUE(s.FormLeggeDati(Righe(SezRettangolo, {{"0.3", "0.5"}}), msg));
    const Poligono& p = s.Contorno;
    ASSERT_EQ(p.nVertici(), 4);
    const double b = F(0.3), h = F(0.5);
    EXPECT_DOUBLE_EQ(p.x(1), b / 2);
    EXPECT_DOUBLE_EQ(p.y(1), h / 2);
    EXPECT_DOUBLE_EQ(p.x(2), b / 2);
    EXPECT_DOUBLE_EQ(p.y(2), -h / 2);
    EXPECT_DOUBLE_EQ(p.x(3), -b / 2);
    EXPECT_DOUBLE_EQ(p.x(4), -b / 2);
    EXPECT_DOUBLE_EQ(p.y(4), h / 2);
    Vicino(b * h, p.Area, 1e-14);
    Vicino(b * h * h * h / 12, p.jota_xG, 1e-13);
    Vicino(b * h * h / 6, s.WxSup, 1e-13);
    Vicino(b * h * h / 6, s.WxInf, 1e-13);
    EXPECT_TRUE(msg.elenco.empty());
}

TEST(SezioneEdit, TCentroideSopraMeta) {
    RegistroMessaggi msg;
    SezioneEdit s;
    ASSERT_TRUE(s.FormLeggeDati(Righe(SezT, {{"1.0", "0.2"}, {"0.3", "0.6"}}), msg));
    EXPECT_EQ(s.Contorno.nVertici(), 8);
    EXPECT_GT(s.yPtoCalcoloM, 0);
    EXPECT_GT(s.WxSup, s.WxInf);
}

// Trapezoid B (top) b (bottom) h: A = (B + b)h/2, depth of centroid from the
// top h(B + 2b)/(3(B + b)), J = h³(B² + 4Bb + b²)/(36(B + b)).
TEST(SezioneEdit, Trapezio) {
    RegistroMessaggi msg;
    SezioneEdit s;
    ASSERT_TRUE(s.FormLeggeDati(Righe(SezTrapezi, {{"0.4", "0.2", "0.3"}}), msg));
    const double B = F(0.4), b = F(0.2), h = F(0.3);
    const Poligono& p = s.Contorno;
    EXPECT_GT(p.x(1), p.x(2)); // top edge wider
    Vicino((B + b) * h / 2, p.Area, 1e-13);
    Vicino(h * (B + 2 * b) / (3 * (B + b)), h / 2 - p.yG, 1e-12);
    Vicino(h * h * h * (B * B + 4 * B * b + b * b) / (36 * (B + b)), p.jota_xG, 1e-12);
}

TEST(SezioneEdit, CircolarePienoEAnello) {
    RegistroMessaggi msg;
    SezioneEdit s;
    ASSERT_TRUE(s.FormLeggeDati(Cerchio(SezCircolare, "0.5", "0"), msg));
    EXPECT_EQ(s.Contorno.nVertici(), 50);
    const double R = 0.5;
    EXPECT_DOUBLE_EQ(s.Contorno.Area, PiGreco * 0.25);
    Vicino(PiGreco * std::pow(R, 4) / 4, s.Contorno.jota_xG, 1e-15);
    Vicino(PiGreco * std::pow(R, 4) / 4 / R, s.WxSup, 1e-15);
    EXPECT_EQ(s.WxSup, s.WxInf);
    // jota_yG keeps the 50-gon's value.
    Vicino(InerziaPoligonoRegolare(R, 50), s.Contorno.jota_yG, 1e-12);
    EXPECT_NEAR(s.Contorno.xG, 0, 1e-15);

    SezioneEdit a;
    ASSERT_TRUE(a.FormLeggeDati(Cerchio(SezCircolare, "0.5", "0.3"), msg));
    EXPECT_EQ(a.Contorno.nVertici(), 102);
    const double r = F(0.3), Rf = F(0.5);
    Vicino(PiGreco * (Rf * Rf - r * r), a.Contorno.Area, 1e-14);
    Vicino(PiGreco * (std::pow(Rf, 4) - std::pow(r, 4)) / 4, a.Contorno.jota_xG, 1e-14);
    Vicino(InerziaPoligonoRegolare(Rf, 50) - InerziaPoligonoRegolare(r, 50), a.Contorno.jota_yG,
           1e-12);
    EXPECT_TRUE(msg.elenco.empty());
}

TEST(SezioneEdit, PoligonoRegolare) {
    RegistroMessaggi msg;
    SezioneEdit q;
    ASSERT_TRUE(q.FormLeggeDati(Cerchio(SezPoligono, "1", "0", "4"), msg));
    EXPECT_NEAR(q.Contorno.x(1), 0, 1e-14);
    EXPECT_DOUBLE_EQ(q.Contorno.y(1), 1);
    Vicino(2, q.Contorno.Area, 1e-14);
    Vicino(1.0 / 3, q.Contorno.jota_xG, 1e-14);
    EXPECT_TRUE(msg.elenco.empty());
}

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

TEST(SezioneEdit, CoordinateOrarioEAntiorario) {
    RegistroMessaggi msg;
    SezioneEdit a, b;
    ASSERT_TRUE(a.FormLeggeDati(
        Righe(SezCoordinate, {{"0", "0"}, {"2", "0"}, {"2", "1"}, {"1", "3"}}), msg));
    ASSERT_TRUE(b.FormLeggeDati(
        Righe(SezCoordinate, {{"1", "3"}, {"2", "1"}, {"2", "0"}, {"0", "0"}}), msg));
    EXPECT_DOUBLE_EQ(a.Contorno.Area, b.Contorno.Area);
    Vicino(a.Contorno.jota_xG, b.Contorno.jota_xG, 1e-13);
    EXPECT_EQ(a.Contorno.x(1), 0); // not re-centred
}

TEST(SezioneEdit, UnitaMmECm) {
    RegistroMessaggi msg;
    SezioneEdit mm, cm;
    mm.UnitaLunghezza = "mm";
    cm.UnitaLunghezza = "cm";
    ASSERT_TRUE(mm.FormLeggeDati(Righe(SezT, {{"400", "120"}, {"150", "500"}}), msg));
    ASSERT_TRUE(cm.FormLeggeDati(Righe(SezT, {{"40", "12"}, {"15", "50"}}), msg));
    for (int i = 1; i <= 8; ++i) {
        EXPECT_NEAR(mm.Contorno.x(i), cm.Contorno.x(i), 1e-7);
        EXPECT_NEAR(mm.Contorno.y(i), cm.Contorno.y(i), 1e-7);
    }
    Vicino(cm.Contorno.jota_xG, mm.Contorno.jota_xG, 1e-6);
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
