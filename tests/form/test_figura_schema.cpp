// The constraint-scheme pictures, recorded primitive by primitive. Witnesses:
// the picture's geometry worked out by hand (the beam from 0 to 100, the two
// forces at 35 and 75 drawn down from 22 to the beam, eleven springs every 10
// under the beam on elastic soil) and the colours as the picture has always
// shown them, written as plain 0xRRGGBB numbers (the force arrows dark blue,
// the springs rust).
#include "form/figura_schema.h"

#include "graphics/colori.h"
#include "graphics/superficie_registro.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

using namespace zelvo;

namespace {

// Picture p: the scheme, + 10 with partial distances.
std::vector<TrattoRegistrato> Schema(int p) {
    TelaRegistro t;
    DisegnaSchema(t, {p % 10, p >= 10});
    return t.tratti;
}

// The recorded lines with these end points (to 1e-9).
std::vector<TrattoRegistrato> Linee(const std::vector<TrattoRegistrato>& tr, double x1, double y1,
                                    double x2, double y2) {
    std::vector<TrattoRegistrato> out;
    for (const auto& t : tr) {
        if (t.tipo != "Linea") continue;
        const std::vector<double> v{x1, y1, x2, y2};
        bool uguale = true;
        for (size_t i = 0; i < 4; ++i)
            uguale = uguale && std::abs(t.v[i] - v[i]) < 1e-9;
        if (uguale) out.push_back(t);
    }
    return out;
}

} // namespace

TEST(FiguraSchema, PaletteComeDisegnata) {
    EXPECT_EQ(Rgb::BluNotte, 0x2020C0u);
    EXPECT_EQ(Rgb::Ruggine, 0xB04010u);
}

class FrecceForze : public ::testing::TestWithParam<int> {};

// Every picture, with either way of measuring the loads, draws the two
// forces the same way: a shaft, two head strokes and the name, dark blue.
TEST_P(FrecceForze, BluNotteConNome) {
    const auto tr = Schema(GetParam());
    for (double x : {35.0, 75.0}) {
        const double tratti[3][4] = {{x, 22, x, 2}, {x, 2, x - 1.5, 6}, {x, 2, x + 1.5, 6}};
        for (const auto& c : tratti) {
            const auto l = Linee(tr, c[0], c[1], c[2], c[3]);
            ASSERT_EQ(l.size(), 1u) << "force at " << x << ", stroke to " << c[2] << "," << c[3];
            EXPECT_EQ(l[0].colore, 0x2020C0u);
            EXPECT_EQ(l[0].spessore, 1);
        }
    }
    std::vector<std::string> nomi;
    for (const auto& t : tr)
        if (t.tipo == "Testo" && t.colore == Rgb::BluNotte) nomi.push_back(t.testo);
    EXPECT_EQ(nomi, (std::vector<std::string>{"F1", "F2"}));
}

INSTANTIATE_TEST_SUITE_P(Schemi, FrecceForze, ::testing::Values(0, 1, 2, 3, 4, 5, 10, 15));

TEST(FiguraSchema, TraveNeraSpessa) {
    const auto l = Linee(Schema(0), 0, 0, 100, 0);
    ASSERT_EQ(l.size(), 1u);
    EXPECT_EQ(l[0].colore, 0x000000u);
    EXPECT_EQ(l[0].spessore, 3);
}

// The beam on elastic soil: eleven springs, at 0, 10, ... 100, each starting
// with a rust stroke from the ground (-12) to -10; no other picture has one.
TEST(FiguraSchema, MolleColorRuggine) {
    const auto tr = Schema(5);
    for (int i = 0; i <= 10; ++i) {
        const auto l = Linee(tr, 10.0 * i, -12, 10.0 * i, -10);
        ASSERT_EQ(l.size(), 1u) << "spring " << i;
        EXPECT_EQ(l[0].colore, 0xB04010u);
    }
    for (int p : {0, 1, 2, 3, 4}) {
        const auto altro = Schema(p);
        EXPECT_TRUE(std::none_of(altro.begin(), altro.end(),
                                 [](const auto& t) { return t.colore == 0xB04010u; }))
            << "picture " << p;
    }
}

TEST(FiguraSchema, IndiciFuoriNienteDisegnato) {
    for (int p : {-1, 6, 9, 16})
        EXPECT_TRUE(Schema(p).empty()) << p;
}
