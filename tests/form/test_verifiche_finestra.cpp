// The "Verifiche" window's model beyond the checks themselves: the section
// class of every row, the picture of the critical buckling mode, and typed
// restraints and factors refused with the program's messages.
#include "core/modulo_zelvo.h"
#include "form/verifiche_form.h"
#include "graphics/colori.h"
#include "graphics/superficie_registro.h"
#include "tests/comune/problemi.h"
#include "tests/comune/verifiche.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

using namespace zelvo;

namespace {

using prova::Catalogo;

using prova::Profilo;

using prova::Calcola;

} // namespace

// The section class beside every row. HEA 300 in S355 (ε = √(235/355) =
// 0.814): flange c/tf = (300 − 8.5 − 2·27)/2/14 = 8.48, above 10ε = 8.14 and
// below 14ε = 11.39: class 3, so the bending resistance is elastic,
// Mc,Rd = Wel·fy/γM0 = 1260e3·355/1.05 N·mm = 426.0 kN·m.
TEST(VerificheForm, ClasseDellaSezione) {
    ModuloZelvo m;
    m.Dati = prova::Base(AppoggioAppoggio, "classe");
    prova::Trapezio(m.Dati, 40000, 40000, 0, 6);
    Profilo(m);
    Calcola(m);
    ModelloVerifiche v(m, Catalogo());
    ASSERT_FALSE(v.Righe.empty());
    for (const auto& r : v.Righe)
        EXPECT_EQ(r.Classe, "1") << r.Controllo; // IPE 300 in S235
    v.ScegliProfilo("HEA300");
    v.ScegliAcciaio("S355");
    ASSERT_FALSE(v.Righe.empty());
    for (const auto& r : v.Righe)
        EXPECT_EQ(r.Classe, "3") << r.Controllo;
    EXPECT_NEAR(v.Risultato.Esito.Sezione.McRd / (1260e3 * 355 / 1.05 / 1000), 1.0, 3e-3);
}

// The picture of the critical mode. Simple span 6 m, uniform load at the
// shear centre, no intermediate restraint: one length, forks at 0 and 6, the
// flange's displacement 0 at the forks, symmetric about midspan with its
// largest value 1 there; Mcr = 102.2 kN·m by hand (C1 = 1.13 on the uniform
// moment's 90.38 kN·m). A cantilever of 3 m: the fixed support at 0, no
// fork, the tip moving most.
TEST(VerificheForm, FiguraDellaFormaCritica) {
    ModuloZelvo m;
    m.Dati = prova::Base(AppoggioAppoggio, "figura");
    prova::Trapezio(m.Dati, 20000, 20000, 0, 6);
    Profilo(m, DatiVerifica::TipoRitegno::Appoggi);
    Calcola(m);
    Separatori sep;
    sep.decimale = ",";
    ModelloVerifiche v(m, Catalogo(), sep);
    const FiguraSvergolamento& f = v.Figura;
    ASSERT_TRUE(f.Presente);
    EXPECT_EQ(f.Didascalia.rfind(
                  "Forma critica dello svergolamento: campata 1, x = 0,00..6,00 m, Mcr = 102,", 0),
              0u)
        << f.Didascalia;
    EXPECT_EQ(f.Forcelle, (std::vector<double>{0, 6}));
    EXPECT_TRUE(f.Incastri.empty());
    ASSERT_EQ(f.x.size(), f.w.size());
    ASSERT_GT(f.x.size(), 8u);
    EXPECT_NEAR(f.w.front(), 0, 1e-9);
    EXPECT_NEAR(f.w.back(), 0, 1e-9);
    double mx = 0;
    for (size_t i = 0; i < f.x.size(); ++i) {
        mx = std::max(mx, std::fabs(f.w[i]));
        EXPECT_NEAR(f.w[i], f.w[f.x.size() - 1 - i], 1e-4) << f.x[i];
        if (std::fabs(f.x[i] - 3) < 1e-9) {
            EXPECT_NEAR(std::fabs(f.w[i]), 1, 1e-9);
        }
    }
    EXPECT_NEAR(mx, 1, 1e-12);
    // Drawn: the red curve peaks at mid-width, its ends on the axis.
    TelaRegistro t(600, 200);
    DisegnaFormaSvergolamento(t, f);
    double yMin = 1e9, yMax = -1e9, xPicco = 0, yAsse = 0;
    for (const auto& r : t.tratti) {
        if (r.tipo == "Linea" && r.colore == Rgb::Rosso) {
            for (size_t k = 0; k < 4; k += 2) {
                if (r.v[k + 1] < yMin) xPicco = r.v[k];
                yMin = std::min(yMin, r.v[k + 1]);
                yMax = std::max(yMax, r.v[k + 1]);
            }
        } else if (r.tipo == "Linea" && r.colore == Rgb::Grigio) {
            yAsse = r.v[1];
        }
    }
    const bool suAsseOltre = yMax <= yAsse + 1e-9 || yMin >= yAsse - 1e-9;
    EXPECT_TRUE(suAsseOltre) << "the curve stays on one side of the axis";
    EXPECT_NEAR(xPicco, 300, 1e-6);

    // The cantilever.
    m.Dati = prova::Base(Mensola, "mensola");
    m.Dati.Luce = 3;
    prova::Trapezio(m.Dati, 20000, 20000, 0, 3);
    Profilo(m, DatiVerifica::TipoRitegno::Appoggi);
    Calcola(m);
    v.Aggiorna();
    ASSERT_TRUE(v.Figura.Presente);
    EXPECT_EQ(v.Figura.Incastri, (std::vector<double>{0}));
    EXPECT_TRUE(v.Figura.Forcelle.empty());
    EXPECT_NEAR(v.Figura.w.front(), 0, 1e-9);
    EXPECT_NEAR(std::fabs(v.Figura.w.back()), 1, 1e-9);
    // Restrained continuously: nothing buckles, no picture.
    v.ImpostaRitegno(DatiVerifica::TipoRitegno::Continui);
    EXPECT_FALSE(v.Figura.Presente);
}

// Typed restraints and factors with Italian separators: the comma reads,
// a point is refused with the program's message for typed numbers (never
// read as 1.5 nor as 15), off the beam is refused, repeated and unsorted
// abscissae are kept once and in order; empty and garbage factors refused.
TEST(VerificheForm, TestiDigitatiRifiutati) {
    ModuloZelvo m;
    m.Dati = prova::Base(AppoggioAppoggio, "digitati");
    prova::Trapezio(m.Dati, 20000, 20000, 0, 6);
    Profilo(m, DatiVerifica::TipoRitegno::Puntuali);
    Calcola(m);
    Separatori sep;
    sep.decimale = ",";
    sep.migliaia = ".";
    RegistroMessaggi msg;
    ModelloVerifiche v(m, Catalogo(), sep);
    v.Msg = &msg;
    EXPECT_TRUE(v.ImpostaAscisseRitegni("4 1,5;4;  3"));
    EXPECT_EQ(m.Dati.Verifica.xRitegni, (std::vector<double>{1.5, 3, 4}));
    EXPECT_TRUE(msg.elenco.empty());
    EXPECT_FALSE(v.ImpostaAscisseRitegni("1.5"));
    EXPECT_FALSE(v.ImpostaAscisseRitegni("2; 7"));
    EXPECT_FALSE(v.ImpostaAscisseRitegni("-1"));
    EXPECT_EQ(m.Dati.Verifica.xRitegni, (std::vector<double>{1.5, 3, 4}));
    ASSERT_EQ(msg.elenco.size(), 3u);
    EXPECT_EQ(msg.elenco[0].testo,
              std::string("Ritegni laterali: \"1.5\" non è un numero valido.") + ACapo +
                  "Scrivere i numeri con il separatore decimale \",\" (ad "
                  "esempio 1.234,5).");
    EXPECT_EQ(msg.elenco[1].testo,
              "Ritegni laterali: x = 7 m è fuori dalla trave (da 0,00 a 6,00 m).");
    EXPECT_EQ(msg.elenco[2].testo,
              "Ritegni laterali: x = -1 m è fuori dalla trave (da 0,00 a 6,00 m).");
    // Three lengths: the buckling rows are those of 1,5..3 and 3..4 and 4..6 at most.
    EXPECT_TRUE(v.ImpostaAscisseRitegni(""));
    EXPECT_TRUE(m.Dati.Verifica.xRitegni.empty());

    msg.Svuota();
    EXPECT_FALSE(v.ImpostaCoefficientiDigitati("", "1,05"));
    EXPECT_FALSE(v.ImpostaCoefficientiDigitati("1,05", "uno"));
    EXPECT_FALSE(v.ImpostaCoefficientiDigitati("1.05", "1,05"));
    EXPECT_FALSE(v.ImpostaCoefficientiDigitati("0,9", "1"));
    EXPECT_EQ(m.Dati.Verifica.gM0, 1.05);
    ASSERT_EQ(msg.elenco.size(), 4u);
    EXPECT_EQ(msg.elenco[1].testo.rfind("γM1: \"uno\" non è un numero valido.", 0), 0u);
    EXPECT_EQ(msg.elenco[3].testo,
              "I coefficienti γM0 e γM1 devono essere compresi tra 1,00 e 2,00.");
    EXPECT_TRUE(v.ImpostaCoefficientiDigitati(" 1,1 ", "1,2"));
    EXPECT_EQ(m.Dati.Verifica.gM0, 1.1);
    EXPECT_EQ(m.Dati.Verifica.gM1, 1.2);
}
