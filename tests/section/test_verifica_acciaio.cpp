// Steel members: torsion and warping constants of the catalogue against the
// producers' tables, steels, cross-section classification and resistances
// worked by hand, the lateral-torsional buckling reduction against the
// buckling curves' formula evaluated by hand, and whole members.
#include "section/verifica_acciaio.h"
#include "tests/comune/verifiche.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace zelvo;

namespace {

using prova::Catalogo;

const RigaCatalogo& Profilo(const char* nome) {
    const RigaCatalogo* r = Catalogo().Cerca(nome);
    if (!r) {
        ADD_FAILURE() << nome;
        static RigaCatalogo vuota;
        return vuota;
    }
    return *r;
}

const AcciaioStrutturale& Acciaio(const char* nome) {
    return *CercaAcciaio(nome);
}

// A simply supported span [0, L] with the design actions of a uniform load q
// (N/m) at n + 1 evenly spaced points.
TrattoAcciaio CampataUniforme(double L, double q, int n = 48) {
    TrattoAcciaio t;
    t.x1 = L;
    for (int i = 0; i <= n; ++i) {
        const double x = L * i / n;
        t.Punti.push_back({x, q * x * (L - x) / 2, q * (L / 2 - x)});
    }
    return t;
}

} // namespace

// It and Iw of the I and H profiles against the ArcelorMittal sales
// programme tables (It in cm⁴, Iw in 10³ cm⁶, as printed, 3–4 digits).
TEST(ProfiliTorsione, TabelleDeiProduttori) {
    struct Voce {
        const char* nome;
        double It, Iw;
    };
    const Voce tabella[] = {
        {"IPE200", 6.98, 12.99},  {"IPE300", 20.12, 125.9}, {"IPE400", 51.08, 490.0},
        {"IPE600", 165.4, 2846},  {"HEA100", 5.24, 2.58},   {"HEA200", 20.98, 108.0},
        {"HEA300", 85.17, 1200},  {"HEA400", 189.0, 2942},  {"HEB100", 9.25, 3.38},
        {"HEB200", 59.28, 171.1}, {"HEB300", 185.0, 1688},  {"HEB500", 538.4, 7018},
    };
    for (const auto& v : tabella) {
        const RigaCatalogo& r = Profilo(v.nome);
        EXPECT_NEAR(r.It / 1e4 / v.It, 1, 3e-3) << v.nome;
        EXPECT_NEAR(r.Iw / 1e9 / v.Iw, 1, 3e-3) << v.nome;
    }
    // Every I and H has them, the channels and angles not.
    for (const auto& r : Catalogo().Righe()) {
        if (r.tipo == "SezioneDoppioT") {
            EXPECT_GT(r.It, 0) << r.nome;
            // The warping constant is the flanges' Iz share at the lever arm:
            // below the whole Iz·(h − tf)²/4, above 80 % of it.
            const double limite = r.Jz * (r.h - r.tf) * (r.h - r.tf) / 4;
            EXPECT_LT(r.Iw, limite) << r.nome;
            EXPECT_GT(r.Iw, 0.8 * limite) << r.nome;
        } else {
            EXPECT_EQ(r.It, 0) << r.nome;
            EXPECT_EQ(r.Iw, 0) << r.nome;
        }
    }
    EXPECT_EQ(CostanteTorsioneDoppioT(100, 100, 5, 0, 10), 0.0);
}

TEST(Acciai, SnervamentoEModuli) {
    ASSERT_EQ(AcciaiStrutturali().size(), 3u);
    const AcciaioStrutturale* s355 = CercaAcciaio(" s 355");
    ASSERT_NE(s355, nullptr);
    EXPECT_EQ(SnervamentoAcciaio(*s355, 40), 355);
    EXPECT_EQ(SnervamentoAcciaio(*s355, 40.5), 335);
    EXPECT_EQ(SnervamentoAcciaio(*s355, 80), 335);
    EXPECT_EQ(SnervamentoAcciaio(*s355, 81), 0);
    EXPECT_EQ(SnervamentoAcciaio(Acciaio("S235"), 12), 235);
    EXPECT_EQ(SnervamentoAcciaio(Acciaio("S235"), 50), 215);
    EXPECT_EQ(SnervamentoAcciaio(Acciaio("S275"), 50), 255);
    EXPECT_EQ(CercaAcciaio("S460"), nullptr);
    EXPECT_NEAR(ModuloTaglioAcciaio, ModuloElasticoAcciaio / (2 * 1.3), 1);
    EXPECT_EQ(CoefficientiAcciaioNTC2018.gM0, 1.05);
    EXPECT_EQ(CoefficientiAcciaioNTC2018.gM1, 1.05);
    EXPECT_EQ(CoefficientiAcciaioEurocodice.gM0, 1.0);
    EXPECT_EQ(CoefficientiAcciaioEurocodice.gM1, 1.0);
}

// Classification and resistances worked by hand from the catalogue's
// dimensions.
TEST(Acciai, ClassificazioneEResistenze) {
    // IPE 300 S235, γM0 = 1.05: web c = 300 − 2·10.7 − 2·15 = 248.6,
    // c/tw = 35.0 ≤ 72; flange c = (150 − 7.1 − 30)/2 = 56.45, c/tf = 5.28
    // ≤ 9: class 1. Mc,Rd = 628 400·235/1.05 = 140.64 kN·m.
    // Av = 5381 − 2·150·10.7 + (7.1 + 30)·10.7 = 2567.97 mm² (the tables'
    // Avz = 25.68 cm²) > hw·tw = 278.6·7.1 = 1978.06;
    // Vc,Rd = 2567.97·235/(√3·1.05) = 331.83 kN.
    ResistenzaSezione r = ResistenzaProfilo(Profilo("IPE300"), Acciaio("S235"), 1.05);
    ASSERT_TRUE(r.Valida);
    EXPECT_NEAR(r.cAnima, 248.6, 1e-9);
    EXPECT_NEAR(r.cAla, 56.45, 1e-9);
    EXPECT_EQ(r.Classe, 1);
    EXPECT_NEAR(r.McRd, 140.642e3, 1);
    EXPECT_NEAR(r.Av, 2567.97, 1e-6);
    EXPECT_NEAR(r.Aw, 1978.06, 1e-6);
    EXPECT_NEAR(r.VcRd, 331.83e3, 10);
    EXPECT_FALSE(r.ImbozzamentoTaglio);

    // HEA 300 S355: ε = √(235/355) = 0.8136; flange c = (300 − 8.5 − 54)/2
    // = 118.75, c/tf = 8.48 between 10ε = 8.14 and 14ε = 11.39: class 3;
    // web c/tw = (290 − 28 − 54)/8.5 = 24.5: class 1. Mc,Rd with Wel:
    // 1 260 000·355/1.05 = 426.0 kN·m.
    r = ResistenzaProfilo(Profilo("HEA300"), Acciaio("S355"), 1.05);
    EXPECT_NEAR(r.epsilon, 0.81362, 1e-5);
    EXPECT_EQ(r.ClasseAla, 3);
    EXPECT_EQ(r.ClasseAnima, 1);
    EXPECT_EQ(r.Classe, 3);
    EXPECT_NEAR(r.McRd, 426.0e3, 1);

    // HEA 200 S355: flange c/tf = ((200 − 6.5 − 36)/2)/10 = 7.875, between
    // 9ε = 7.32 and 10ε = 8.14: class 2, Wpl used.
    r = ResistenzaProfilo(Profilo("HEA200"), Acciaio("S355"), 1.0);
    EXPECT_EQ(r.Classe, 2);
    EXPECT_NEAR(r.McRd, 429500 * 355 / 1000.0, 1e-6);

    // HEB 300: Av = 14 908 − 2·300·19 + (11 + 54)·19 = 4743 mm² (tables:
    // 47.43 cm²).
    r = ResistenzaProfilo(Profilo("HEB300"), Acciaio("S275"), 1.0);
    EXPECT_NEAR(r.Av, 4743, 1e-6);
    EXPECT_EQ(r.Classe, 1);

    // UPN 200: flange outstand c = 75 − 8.5 − 11.5 = 55, c/tf = 4.78;
    // Av = 3218 − 2·75·11.5 + (8.5 + 11.5)·11.5 = 1723 mm².
    r = ResistenzaProfilo(Profilo("UPN200"), Acciaio("S235"), 1.0);
    ASSERT_TRUE(r.Valida);
    EXPECT_NEAR(r.cAla, 55, 1e-9);
    EXPECT_NEAR(r.Av, 1723, 1e-6);
    EXPECT_EQ(r.Classe, 1);

    // An angle is not covered; a thin web flags shear buckling:
    // hw/tw = 580/6 = 96.7 > 72 (S235), c/tw ≤ 124: a class 3 web.
    EXPECT_FALSE(ResistenzaProfilo(Profilo("L100x10"), Acciaio("S235"), 1.0).Valida);
    RigaCatalogo sottile{
        "X", "SezioneDoppioT", 600, 200, 6, 10, 0, 0, 0, 7480, 0, 0, 1.5e6, 1.7e6, 0, 0, 0, 0};
    r = ResistenzaProfilo(sottile, Acciaio("S235"), 1.0);
    EXPECT_TRUE(r.ImbozzamentoTaglio);
    EXPECT_EQ(r.ClasseAnima, 3);
}

// Bending with shear. IPE 300 S235, γM0 = 1: Vpl,Rd = 2567.97·235/√3
// = 348 415 N. With VEd = 0.75·Vpl,Rd: ρ = (1.5 − 1)² = 0.25,
// Aw²/(4·tw) = 1978.06²/28.4 = 137 772 mm³, My,V,Rd = (628 400 − 34 443)·235
// = 139.58 kN·m. Up to 0.5·Vpl,Rd none is lost. HEA 300 S355 (class 3): the
// web's elastic share 8.5·262³/(6·290) = 87 856 mm³ with ρ = 0.25:
// (1 260 000 − 21 964)·355 = 439.50 kN·m.
TEST(Acciai, FlessioneETaglio) {
    const RigaCatalogo& p = Profilo("IPE300");
    const ResistenzaSezione r = ResistenzaProfilo(p, Acciaio("S235"), 1.0);
    EXPECT_NEAR(r.VcRd, 348415.3, 0.1);
    double rho = -1;
    EXPECT_EQ(MomentoResistenteConTaglio(r, p, 0.5 * r.VcRd, 1.0, &rho), r.McRd);
    EXPECT_EQ(rho, 0);
    EXPECT_NEAR(MomentoResistenteConTaglio(r, p, -0.75 * r.VcRd, 1.0, &rho), 139.58e3, 5);
    EXPECT_NEAR(rho, 0.25, 1e-12);
    EXPECT_GT(MomentoResistenteConTaglio(r, p, 1.5 * r.VcRd, 1.0, &rho), 0);
    EXPECT_EQ(rho, 1);
    const RigaCatalogo& h = Profilo("HEA300");
    const ResistenzaSezione r3 = ResistenzaProfilo(h, Acciaio("S355"), 1.0);
    EXPECT_NEAR(MomentoResistenteConTaglio(r3, h, 0.75 * r3.VcRd, 1.0), 439.50e3, 5);
}

// The reduction factor evaluated by hand (λLT,0 = 0.4, β = 0.75):
// curve b, λ = 1: Φ = 0.5·(1 + 0.34·0.6 + 0.75) = 0.977,
//   χ = 1/(0.977 + √(0.977² − 0.75)) = 0.69967;
// curve c, λ = 1: Φ = 1.022, χ = 0.63912;
// curve b, λ = 2: Φ = 2.272, χ = 0.26721 capped by 1/λ² = 0.25;
// kc = 0.94 at λ = 1: f = 1 − 0.5·0.06·(1 − 2·0.2²) = 0.9724,
//   χmod = 0.69967/0.9724 = 0.71953.
TEST(Acciai, CurveDiSvergolamento) {
    // Wy·fy = 1e6 mm³·235 N/mm² = 235 kN·m; λLT = √(235/Mcr[kN·m]).
    RiduzioneSvergolamento r = RiduzioneLT(1e6, 235, 235e3, 2.0, 1.0);
    EXPECT_NEAR(r.lambdaLT, 1, 1e-12);
    EXPECT_EQ(r.alfaLT, 0.34);
    EXPECT_NEAR(r.phiLT, 0.977, 1e-12);
    EXPECT_NEAR(r.chiLT, 0.69967, 1e-5);
    EXPECT_NEAR(r.chiLTmod, r.chiLT, 1e-15);
    r = RiduzioneLT(1e6, 235, 235e3, 2.01, 1.0);
    EXPECT_EQ(r.alfaLT, 0.49);
    EXPECT_NEAR(r.chiLT, 0.63912, 1e-5);
    r = RiduzioneLT(1e6, 235, 235e3 / 4, 1.0, 1.0);
    EXPECT_NEAR(r.lambdaLT, 2, 1e-12);
    EXPECT_NEAR(r.chiLT, 0.25, 1e-12);
    r = RiduzioneLT(1e6, 235, 235e3, 1.0, 0.94);
    EXPECT_NEAR(r.f, 0.9724, 1e-12);
    EXPECT_NEAR(r.chiLTmod, 0.71953, 1e-5);
    // Stocky: λ ≤ 0.4 gives 1; no buckling (Mcr = 0) gives 1.
    r = RiduzioneLT(1e6, 235, 235e3 / 0.15, 1.0, 0.5);
    EXPECT_EQ(r.chiLT, 1);
    EXPECT_EQ(r.chiLTmod, 1);
    r = RiduzioneLT(1e6, 235, 0, 1.0, 1.0);
    EXPECT_EQ(r.chiLTmod, 1);
    EXPECT_EQ(r.lambdaLT, 0);
}

// Uniform moment on a fork-supported IPE 300 S235 span of 6 m, NTC factors,
// worked by hand: Mcr = 90.38 kN·m (the closed form, see the buckling
// tests), Wpl·fy = 147.674 kN·m, λLT = √(147.674/90.382) = 1.2782, curve b
// (h/b = 2): Φ = 0.5·(1 + 0.34·0.8782 + 0.75·1.6339) = 1.26201,
// χLT = 1/(1.26201 + √(1.26201² − 0.75·1.6339)) = 0.53533, kc = 1:
// Mb,Rd = 0.53533·147.674/1.05 = 75.29 kN·m.
TEST(VerificaAcciaio, MomentoUniformeAMano) {
    DatiVerificaAcciaio d;
    d.Profilo = Profilo("IPE300");
    d.Quota = QuotaCarico::Superiore; // no transverse load: no effect
    TrattoAcciaio t;
    t.x1 = 6;
    for (int i = 0; i <= 6; ++i)
        t.Punti.push_back({double(i), 60e3, 0});
    d.Tratti = {t};
    const EsitoVerificaAcciaio e = VerificaAcciaio(d);
    ASSERT_TRUE(e.Valido);
    ASSERT_EQ(e.Tratti.size(), 1u);
    ASSERT_EQ(e.Tratti[0].Segmenti.size(), 1u);
    const SegmentoAcciaio& s = e.Tratti[0].Segmenti[0];
    EXPECT_NEAR(s.Mcr, 90.38e3, 0.05e3);
    EXPECT_NEAR(s.C1, 1, 1e-3);
    EXPECT_NEAR(s.Riduzione.lambdaLT, 1.2782, 5e-4);
    EXPECT_NEAR(s.Riduzione.chiLT, 0.53533, 3e-4);
    EXPECT_NEAR(s.MbRd, 75.29e3, 0.05e3);
    EXPECT_NEAR(s.Utilizzo, 60 / 75.29, 1e-3);
    EXPECT_EQ(e.Governo, ControlloAcciaio::Svergolamento);
    EXPECT_EQ(e.TrattoGovernante, 0);
    EXPECT_TRUE(e.Verificata);
    EXPECT_NEAR(e.Tratti[0].UtilizzoFlessione, 60 / 140.642, 1e-4);
}

// A linear moment from M to 0 (ψ = 0) along a 6 m IPE 300 span: C1 ≈ 1.77,
// and kc = 1/√C1 agrees with EN 1993-1-1 Table 6.6, kc = 1/(1.33 − 0.33ψ)
// = 0.752; the reduction gains f < 1.
TEST(VerificaAcciaio, MomentoLineare) {
    DatiVerificaAcciaio d;
    d.Profilo = Profilo("IPE300");
    TrattoAcciaio t;
    t.x1 = 6;
    for (int i = 0; i <= 6; ++i)
        t.Punti.push_back({double(i), 60e3 * (1 - i / 6.0), -10e3});
    d.Tratti = {t};
    const EsitoVerificaAcciaio e = VerificaAcciaio(d);
    ASSERT_TRUE(e.Valido);
    const SegmentoAcciaio& s = e.Tratti[0].Segmenti[0];
    EXPECT_NEAR(s.Riduzione.kc, 0.752, 0.015);
    EXPECT_NEAR(s.Mcr, s.C1 * 90.38e3, 0.05e3);
    EXPECT_LT(s.Riduzione.f, 1);
    EXPECT_GT(s.Riduzione.chiLTmod, s.Riduzione.chiLT);
}

// A uniformly loaded IPE 300 S235 span of 6 m: the load height, an
// intermediate restraint, a continuous restraint and the shear.
TEST(VerificaAcciaio, CampataCaricoUniforme) {
    const double q = 10e3; // N/m: M = 45 kN·m, V = 30 kN
    DatiVerificaAcciaio d;
    d.Profilo = Profilo("IPE300");
    d.Tratti = {CampataUniforme(6, q)};
    d.Ripartiti = {{0, 6, q, q}};
    d.Quota = QuotaCarico::Baricentro;
    const EsitoVerificaAcciaio c = VerificaAcciaio(d);
    ASSERT_TRUE(c.Valido);
    const SegmentoAcciaio& sc = c.Tratti[0].Segmenti[0];
    EXPECT_NEAR(sc.MEd, 45e3, 1e-6);
    EXPECT_NEAR(sc.C1, 1.13, 0.0113); // the shear centre: C1 of a parabola
    EXPECT_NEAR(sc.Riduzione.kc, 1 / std::sqrt(sc.C1), 1e-12);
    EXPECT_NEAR(c.Tratti[0].VEd, 30e3, 1e-6);
    EXPECT_NEAR(c.Tratti[0].UtilizzoTaglio, 30e3 / 331.83e3, 1e-4);
    EXPECT_FALSE(c.Tratti[0].InterazioneMV);

    d.Quota = QuotaCarico::Superiore;
    const EsitoVerificaAcciaio s = VerificaAcciaio(d);
    d.Quota = QuotaCarico::Inferiore;
    const EsitoVerificaAcciaio i = VerificaAcciaio(d);
    EXPECT_NEAR(s.zg, 0.15, 1e-12);
    EXPECT_LT(s.Tratti[0].Segmenti[0].Mcr, 0.9 * sc.Mcr);
    EXPECT_GT(i.Tratti[0].Segmenti[0].Mcr, 1.1 * sc.Mcr);
    // The same C1 (loads at the shear centre) whatever the height.
    EXPECT_NEAR(s.Tratti[0].Segmenti[0].C1, sc.C1, 1e-9);
    EXPECT_GT(s.Utilizzo, c.Utilizzo);

    // A restraint at midspan: two 3 m lengths, each from 0 to the maximum
    // moment, both far stiffer than the 6 m length.
    d.Quota = QuotaCarico::Superiore;
    d.Ritegno = RitegnoLaterale::Puntuali;
    d.Ritegni = {3, 9}; // 9 lies outside the span
    const EsitoVerificaAcciaio m = VerificaAcciaio(d);
    ASSERT_EQ(m.Tratti[0].Segmenti.size(), 2u);
    EXPECT_NEAR(m.Tratti[0].Segmenti[0].Mcr, m.Tratti[0].Segmenti[1].Mcr,
                1e-3 * m.Tratti[0].Segmenti[0].Mcr); // symmetry
    EXPECT_GT(m.Tratti[0].Segmenti[0].Mcr, 2.5 * s.Tratti[0].Segmenti[0].Mcr);
    EXPECT_DOUBLE_EQ(m.Tratti[0].Segmenti[0].x1, 3);

    // Restrained continuously: bending and shear only.
    d.Ritegno = RitegnoLaterale::Continuo;
    const EsitoVerificaAcciaio k = VerificaAcciaio(d);
    EXPECT_TRUE(k.Tratti[0].Segmenti.empty());
    EXPECT_EQ(k.Governo, ControlloAcciaio::Flessione);
    EXPECT_NEAR(k.Utilizzo, 45 / 140.642, 1e-4);
}

// A heavy short span: the shear above half the plastic resistance reduces
// the bending resistance at the support side; over-loaded, the member fails
// and the governing check and span are named.
TEST(VerificaAcciaio, GovernoETaglio) {
    DatiVerificaAcciaio d;
    d.Profilo = Profilo("IPE300");
    d.Ritegno = RitegnoLaterale::Continuo;
    d.Coefficienti = CoefficientiAcciaioEurocodice;
    // Two spans: a light one and a short, heavily loaded one (V = 300 kN at
    // its ends, 0.86·Vpl,Rd).
    TrattoAcciaio a = CampataUniforme(4, 10e3);
    TrattoAcciaio b = CampataUniforme(1, 600e3);
    for (auto& p : b.Punti)
        p.x += 4;
    b.x0 = 4;
    b.x1 = 5;
    d.Tratti = {a, b};
    const EsitoVerificaAcciaio e = VerificaAcciaio(d);
    ASSERT_TRUE(e.Valido);
    EXPECT_EQ(e.TrattoGovernante, 1);
    EXPECT_EQ(e.Governo, ControlloAcciaio::Taglio);
    EXPECT_TRUE(e.Tratti[1].InterazioneMV);
    EXPECT_FALSE(e.Tratti[0].InterazioneMV);
    EXPECT_NEAR(e.Utilizzo, 300e3 / 348415.3, 1e-6);
    EXPECT_TRUE(e.Verificata);
    // Twice the load: shear beyond the resistance.
    for (auto& p : d.Tratti[1].Punti) {
        p.M *= 2;
        p.V *= 2;
    }
    const EsitoVerificaAcciaio f = VerificaAcciaio(d);
    EXPECT_FALSE(f.Verificata);
    EXPECT_TRUE(f.Tratti[0].Verificata);
    EXPECT_FALSE(f.Tratti[1].Verificata);
    EXPECT_STREQ(NomeControlloAcciaio(f.Governo), "Taglio");
}

// Published worked example: "Steel Buildings in Europe - Multi-Storey Steel
// Buildings, Part 4: Detailed Design", Appendix A, Worked Example A.1
// "Simply supported, laterally unrestrained beam" (ArcelorMittal, Peiner
// Träger, Corus; RFCS project SBE), sheets 3 and 5 of 7, pages 4-59 and 4-61.
// IPE 330 S235, span 5.70 m, γM0 = γM1 = 1.0, ULS load 22.28 kN/m on the top
// flange. Printed: My,Ed = 90.48 kN·m, VEd = 63.50 kN; flange
// c/tf = 58.25/11.5 = 5.07, web c/tw = 271/7.5 = 36.1, class 1;
// Mcr = 113.9 kN·m from the C1–C2 formula (C1 = 1.127, C2 = 0.454,
// zg = 165 mm, It = 28.15 cm⁴, Iw = 199 100 cm⁶, G = 80 770 N/mm²);
// λLT = 1.288, curve c (h/b = 2.06, αLT = 0.49), ΦLT = 1.340, χLT = 0.480.
// Our Mcr is by finite elements (114.0 kN·m): the C1–C2 formula is a fit of
// the same eigenvalue, within about 1 % for a uniform load on the top flange
// (see the buckling tests), so Mcr is matched within 1 %, which moves λLT by
// up to 0.5 % and χLT by up to 1 %. With the printed Mcr the reduction gives
// the printed λLT, ΦLT and χLT to their digits. χLT·Wpl,y·fy/γM1
// = 0.480·804.3e3·235 N·mm = 90.7 kN·m (derived from the printed χLT, without
// the f modification, which only adds resistance).
TEST(VerificaAcciaio, EsempioPubblicatoTraveNonVincolata) {
    const double L = 5.70, q = 22.28e3;
    DatiVerificaAcciaio d;
    d.Profilo = Profilo("IPE330");
    d.Coefficienti = CoefficientiAcciaioEurocodice;
    d.Quota = QuotaCarico::Superiore;
    d.Tratti = {CampataUniforme(L, q)};
    d.Ripartiti = {{0, L, q, q}};
    const EsitoVerificaAcciaio e = VerificaAcciaio(d);
    ASSERT_TRUE(e.Valido);
    EXPECT_EQ(e.Sezione.Classe, 1);
    EXPECT_NEAR(e.Sezione.cAla / d.Profilo.tf, 5.07, 0.005);
    EXPECT_NEAR(e.Sezione.cAnima / d.Profilo.tw, 36.1, 0.05);
    EXPECT_NEAR(e.zg, 0.165, 1e-12);
    EXPECT_NEAR(d.Profilo.It / 1e4, 28.15, 0.003 * 28.15);
    EXPECT_NEAR(d.Profilo.Iw / 1e6, 199100, 0.003 * 199100);
    const EsitoTrattoAcciaio& t = e.Tratti[0];
    EXPECT_NEAR(t.MEd / 1e3, 90.48, 0.01); // 90.487, printed truncated
    EXPECT_NEAR(t.VEd / 1e3, 63.50, 0.005);
    ASSERT_EQ(t.Segmenti.size(), 1u);
    const SegmentoAcciaio& s = t.Segmenti[0];
    EXPECT_NEAR(s.Mcr / 1e3, 113.9, 0.01 * 113.9);
    EXPECT_NEAR(s.C1, 1.127, 0.01 * 1.127);
    EXPECT_EQ(s.Riduzione.alfaLT, 0.49);
    EXPECT_NEAR(s.Riduzione.lambdaLT, 1.288, 0.005 * 1.288);
    EXPECT_NEAR(s.Riduzione.chiLT, 0.480, 0.01 * 0.480);
    EXPECT_NEAR(s.Riduzione.chiLT * e.Sezione.Wy * e.Sezione.fy / 1e6, 90.7, 0.01 * 90.7);
    // The f modification (kc = 1/√C1 = 0.94) only adds resistance.
    EXPECT_GT(s.MbRd, s.Riduzione.chiLT * e.Sezione.Wy * e.Sezione.fy / 1e3);
    // The printed Mcr through the reduction: the printed figures.
    const RiduzioneSvergolamento r =
        RiduzioneLT(e.Sezione.Wy, e.Sezione.fy, 113.9e3, d.Profilo.h / d.Profilo.b, 1);
    EXPECT_NEAR(r.lambdaLT, 1.288, 5e-4);
    EXPECT_NEAR(r.phiLT, 1.340, 5e-4);
    EXPECT_NEAR(r.chiLT, 0.480, 5e-4);
}

// An overhang: fixed at the support, free at the tip; a tip restraint or a
// load below the shear centre stiffens it, a load on the top flange weakens
// it.
TEST(VerificaAcciaio, Sbalzo) {
    const double L = 2.5, P = 20e3;
    DatiVerificaAcciaio d;
    d.Profilo = Profilo("IPE300");
    TrattoAcciaio t;
    t.x0 = 10;
    t.x1 = 10 + L;
    t.Tipo = TipoTratto::SbalzoDestro;
    for (int i = 0; i <= 10; ++i) {
        const double x = 10 + L * i / 10;
        t.Punti.push_back({x, -P * (10 + L - x), P});
    }
    d.Tratti = {t};
    d.Concentrati = {{10 + L, P}};
    d.Quota = QuotaCarico::Baricentro;
    const EsitoVerificaAcciaio c = VerificaAcciaio(d);
    ASSERT_TRUE(c.Valido);
    ASSERT_EQ(c.Tratti[0].Segmenti.size(), 1u);
    const SegmentoAcciaio& s = c.Tratti[0].Segmenti[0];
    EXPECT_NEAR(s.MEd, P * L, 1e-6);
    EXPECT_EQ(s.C1, 0);
    EXPECT_EQ(s.Riduzione.kc, 1);
    // Plausibility: the cantilever fixed against warping at the root buckles
    // above the uniform-moment Mcr of a fork-supported length 2L (the
    // effective length 2L of an unbraced tip) and below that of L.
    const double EIz = 210e9 * 603.8e-8, GIt = 80.769e9 * 20.12e-8, EIw = 210e9 * 125.9e-9;
    EXPECT_GT(s.Mcr, McrMomentoUniforme(EIz, GIt, EIw, 2 * L));
    EXPECT_LT(s.Mcr, 2 * McrMomentoUniforme(EIz, GIt, EIw, L));
    d.Quota = QuotaCarico::Superiore;
    const double sopra = VerificaAcciaio(d).Tratti[0].Segmenti[0].Mcr;
    d.Quota = QuotaCarico::Inferiore;
    const double sotto = VerificaAcciaio(d).Tratti[0].Segmenti[0].Mcr;
    EXPECT_LT(sopra, s.Mcr);
    EXPECT_GT(sotto, s.Mcr);
    d.Quota = QuotaCarico::Superiore;
    d.Ritegno = RitegnoLaterale::Puntuali;
    d.Ritegni = {10 + L};
    EXPECT_GT(VerificaAcciaio(d).Tratti[0].Segmenti[0].Mcr, 1.5 * sopra);
    // A restraint at mid-length cuts the overhang into two lengths analysed
    // together: the same load factor, Mcr proportional to each length's
    // max |M|.
    d.Ritegni = {10 + L / 2};
    const EsitoVerificaAcciaio m = VerificaAcciaio(d);
    ASSERT_EQ(m.Tratti[0].Segmenti.size(), 2u);
    const auto& s0 = m.Tratti[0].Segmenti[0];
    const auto& s1 = m.Tratti[0].Segmenti[1];
    EXPECT_NEAR(s0.MEd, P * L, 1e-6);
    EXPECT_NEAR(s1.MEd, P * L / 2, 1e-6);
    EXPECT_NEAR(s0.Mcr / s0.MEd, s1.Mcr / s1.MEd, 1e-9 * s0.Mcr / s0.MEd);
    // A left overhang mirrored gives the same critical moment.
    DatiVerificaAcciaio sx = d;
    sx.Ritegno = RitegnoLaterale::Appoggi;
    sx.Quota = QuotaCarico::Superiore;
    sx.Tratti[0].Tipo = TipoTratto::SbalzoSinistro;
    sx.Tratti[0].x0 = -L;
    sx.Tratti[0].x1 = 0;
    for (auto& p : sx.Tratti[0].Punti) {
        p.x = -(p.x - 10);
        p.V = -P;
    }
    sx.Concentrati = {{-L, P}};
    EXPECT_NEAR(VerificaAcciaio(sx).Tratti[0].Segmenti[0].Mcr / sopra, 1, 1e-6);
}

// What is outside these checks.
TEST(VerificaAcciaio, FuoriAmbito) {
    DatiVerificaAcciaio d;
    d.Profilo = Profilo("UPN200");
    d.Tratti = {CampataUniforme(4, 5e3)};
    EsitoVerificaAcciaio e = VerificaAcciaio(d);
    EXPECT_TRUE(e.Valido);
    EXPECT_EQ(e.Motivo, MotivoFuoriAmbito::SvergolamentoCanale);
    EXPECT_EQ(e.Governo, ControlloAcciaio::FuoriAmbito);
    EXPECT_FALSE(e.Verificata);
    d.Ritegno = RitegnoLaterale::Continuo; // a channel braced along its length
    e = VerificaAcciaio(d);
    EXPECT_EQ(e.Motivo, MotivoFuoriAmbito::Nessuno);
    EXPECT_TRUE(e.Verificata);
    EXPECT_NEAR(e.Utilizzo, 10e3 / (227800 * 235 / 1.05 / 1000), 1e-6);

    // A slender flange: (300 − 7)/2/6 = 24.4 > 14: class 4.
    d.Profilo = RigaCatalogo{
        "X", "SezioneDoppioT", 300, 300, 7, 6, 0, 0, 0, 5558, 0, 0, 6e5, 6.5e5, 0, 0, 0, 0};
    e = VerificaAcciaio(d);
    EXPECT_EQ(e.Motivo, MotivoFuoriAmbito::Classe4);
    EXPECT_EQ(e.Sezione.Classe, 4);
    EXPECT_FALSE(e.Verificata);

    d.Profilo = Profilo("IPE300");
    d.Acciaio = "S960";
    EXPECT_FALSE(VerificaAcciaio(d).Valido);
    d.Acciaio = "S235";
    d.Tratti[0].x1 = d.Tratti[0].x0;
    EXPECT_FALSE(VerificaAcciaio(d).Valido);
    d.Tratti = {CampataUniforme(4, 5e3)};
    d.Tratti[0].Punti[3].M = std::nan("");
    e = VerificaAcciaio(d);
    EXPECT_FALSE(e.Valido);
    EXPECT_EQ(e.Motivo, MotivoFuoriAmbito::DatiNonValidi);
}
