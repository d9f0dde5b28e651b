// The pictures of the section editor's type buttons on the recording
// target: every one inside its box, the hatching laid only inside the shape
// (a hole stays empty), the lines of a rectangle counted and placed by hand.
#include "section/pittogrammi_sezione.h"

#include "graphics/colori.h"
#include "graphics/superficie_registro.h"

#include <gtest/gtest.h>

#include <cmath>
#include <tuple>

using namespace zelvo;

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double Eps = 1e-9;

std::vector<TrattoRegistrato> Tratti(const std::string& tipo, const SuperficieRegistro& s) {
    std::vector<TrattoRegistrato> v;
    for (const auto& t : s.tratti)
        if (t.tipo == tipo) v.push_back(t);
    return v;
}

} // namespace

// Every primitive of every picture lies inside the unit box (an arc with its
// radius); every picture has an outline and a hatching.
TEST(PittogrammiSezione, OgniFiguraStaNelSuoRiquadro) {
    for (int tipo = 0; tipo <= 6; ++tipo) {
        SCOPED_TRACE(tipo);
        SuperficieRegistro s;
        DisegnaTipoSezione(s, tipo);
        EXPECT_FALSE(Tratti("Linea", s).empty());
        EXPECT_FALSE(Tratti("Poligonale", s).empty());
        for (const auto& t : s.tratti) {
            if (t.tipo == "Arco") {
                const double x = t.v[0], y = t.v[1], r = t.v[2];
                EXPECT_TRUE(x - r >= 0 && x + r <= 1 && y - r >= 0 && y + r <= 1);
                continue;
            }
            for (double c : t.v)
                EXPECT_TRUE(c >= 0 && c <= 1) << t.tipo << " " << c;
        }
    }
}

// Rectangle 0.3..0.7 × 0.1..0.9: the line x - y = c meets it for
// 0.3 - 0.9 < c < 0.7 - 0.1, i.e. c = -1 + 0.09k for k = 5..17: 13 lines,
// each from x = max(0.3, 0.1 + c) to x = min(0.7, 0.9 + c). Hatching grey
// at width 1, then the outline blue at width 2, closed.
TEST(PittogrammiSezione, RettangoloRighePerPunto) {
    SuperficieRegistro s;
    DisegnaTipoSezione(s, 0);
    const auto linee = Tratti("Linea", s);
    ASSERT_EQ(linee.size(), 13u);
    for (size_t i = 0; i < linee.size(); ++i) {
        const double c = -1 + 0.09 * static_cast<double>(i + 5);
        const double x1 = std::max(0.3, 0.1 + c), x2 = std::min(0.7, 0.9 + c);
        const auto& v = linee[i].v;
        EXPECT_NEAR(v[0], x1, Eps);
        EXPECT_NEAR(v[1], x1 - c, Eps);
        EXPECT_NEAR(v[2], x2, Eps);
        EXPECT_NEAR(v[3], x2 - c, Eps);
        EXPECT_EQ(std::tuple(linee[i].colore, linee[i].spessore),
                  std::tuple(static_cast<uint32_t>(Cad::Grigio), 1));
    }
    const auto contorni = Tratti("Poligonale", s);
    ASSERT_EQ(contorni.size(), 1u);
    EXPECT_EQ(contorni[0].v,
              (std::vector<double>{0.3, 0.1, 0.7, 0.1, 0.7, 0.9, 0.3, 0.9, 0.3, 0.1}));
    EXPECT_EQ(std::tuple(contorni[0].colore, contorni[0].spessore),
              std::tuple(static_cast<uint32_t>(Cad::Blu), 2));
}

// The ring (48-gons of radius 0.4 and 0.22 about the centre): every hatch
// line lies between the two, its ends on them - none crosses the hole. A
// point of a 48-gon of radius R is between R·cos(π/48) and R from the centre.
TEST(PittogrammiSezione, AnelloForoVuoto) {
    SuperficieRegistro s;
    DisegnaTipoSezione(s, 4);
    const double interno = 0.22 * std::cos(kPi / 48), esterno = 0.4;
    auto raggio = [](double x, double y) { return std::hypot(x - 0.5, y - 0.5); };
    const auto linee = Tratti("Linea", s);
    ASSERT_FALSE(linee.empty());
    int pezziAlCentro = 0;
    for (const auto& l : linee) {
        const auto& v = l.v;
        for (int k = 0; k <= 4; ++k) { // ends, middle, quarters
            const double u = k / 4.0;
            const double r = raggio(v[0] + u * (v[2] - v[0]), v[1] + u * (v[3] - v[1]));
            EXPECT_GE(r, interno - Eps);
            EXPECT_LE(r, esterno + Eps);
        }
        // x - y = -0.01 (k = 11) passes by the centre: two pieces, one either side
        if (std::fabs(v[0] - v[1] + 0.01) < Eps) ++pezziAlCentro;
    }
    EXPECT_EQ(pezziAlCentro, 2);
    EXPECT_EQ(Tratti("Poligonale", s).size(), 2u);
}

// The polygon by its vertices marks its six vertices in red.
TEST(PittogrammiSezione, PoligonoSegnaIVertici) {
    SuperficieRegistro s;
    DisegnaTipoSezione(s, 5);
    const auto archi = Tratti("Arco", s);
    ASSERT_EQ(archi.size(), 6u);
    const auto contorno = Tratti("Poligonale", s).at(0).v;
    for (size_t i = 0; i < archi.size(); ++i) {
        EXPECT_EQ(std::tuple(archi[i].v[0], archi[i].v[1], archi[i].v[2]),
                  std::tuple(contorno[2 * i], contorno[2 * i + 1], 0.035));
        EXPECT_EQ(archi[i].colore, static_cast<uint32_t>(Cad::Rosso));
    }
}
