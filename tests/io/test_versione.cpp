// File format versions: read from their texts, ordered as numbers. The
// witnesses are the numbers written by hand for each text, and for the texts
// that are not versions the plain text ordering files were always read by.
#include "io/versione.h"

#include <gtest/gtest.h>

#include <tuple>

using namespace zelvo;

struct CasoLettura {
    const char* testo;
    std::optional<Versione> atteso;
};

class LetturaVersione : public ::testing::TestWithParam<CasoLettura> {};

TEST_P(LetturaVersione, NumeriDelTesto) {
    const auto& c = GetParam();
    const auto v = Versione::Leggi(c.testo);
    ASSERT_EQ(v.has_value(), c.atteso.has_value()) << c.testo;
    if (v) {
        EXPECT_EQ(std::tuple(v->Maggiore, v->Minore),
                  std::tuple(c.atteso->Maggiore, c.atteso->Minore))
            << c.testo;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Testi, LetturaVersione,
    ::testing::Values(CasoLettura{"5.4", Versione{5, 4}}, CasoLettura{"4.0", Versione{4, 0}},
                      CasoLettura{"10.0", Versione{10, 0}}, CasoLettura{"5.12", Versione{5, 12}},
                      CasoLettura{"0", Versione{0, 0}}, CasoLettura{"7", Versione{7, 0}},
                      CasoLettura{"", std::nullopt}, CasoLettura{"abc", std::nullopt},
                      CasoLettura{"5.", std::nullopt}, CasoLettura{".4", std::nullopt},
                      CasoLettura{"5.4.1", std::nullopt}, CasoLettura{" 5.4", std::nullopt},
                      CasoLettura{"-5.4", std::nullopt}, CasoLettura{"5,4", std::nullopt},
                      CasoLettura{"99999999999.0", std::nullopt}));

TEST(OrdineVersioni, ComeNumeri) {
    const Versione v10{10, 0}, v54{5, 4}, v50{5, 0}, v40{4, 0};
    EXPECT_GT(v10, v54);
    EXPECT_GT(v54, v50);
    EXPECT_GT(v50, v40);
    EXPECT_EQ(*Versione::Leggi("5.4"), v54);
    // As texts "10.0" < "4.0" and "5.10" < "5.4"; as numbers the reverse.
    EXPECT_GT(*Versione::Leggi("10.0"), *Versione::Leggi("4.0"));
    EXPECT_GT(*Versione::Leggi("5.10"), *Versione::Leggi("5.4"));
}

TEST(OrdineVersioni, TestoRiscritto) {
    for (const char* t : {"5.4", "4.0", "10.0", "5.12"})
        EXPECT_EQ(Versione::Leggi(t)->Testo(), t);
}

struct CasoAlmeno {
    const char* testo;
    Versione minima;
    bool atteso;
};

class AlmenoVersioneFile : public ::testing::TestWithParam<CasoAlmeno> {};

TEST_P(AlmenoVersioneFile, LayoutLetto) {
    const auto& c = GetParam();
    EXPECT_EQ(AlmenoVersione(c.testo, c.minima), c.atteso) << c.testo << " vs " << c.minima.Testo();
}

// Versions by number; texts that are not versions by text ordering (an
// empty text before "4.0", a letter after "5.4", "4.x" between "4.0" and
// "5.0").
INSTANTIATE_TEST_SUITE_P(
    Testi, AlmenoVersioneFile,
    ::testing::Values(CasoAlmeno{"5.4", {5, 4}, true}, CasoAlmeno{"5.0", {5, 4}, false},
                      CasoAlmeno{"10.0", {4, 0}, true}, CasoAlmeno{"10.0", {5, 4}, true},
                      CasoAlmeno{"0", {4, 0}, false}, CasoAlmeno{"3.9", {4, 0}, false},
                      CasoAlmeno{"4.0", {4, 0}, true}, CasoAlmeno{"", {4, 0}, false},
                      CasoAlmeno{"abc", {5, 4}, true}, CasoAlmeno{"4.x", {4, 0}, true},
                      CasoAlmeno{"4.x", {5, 0}, false}, CasoAlmeno{" 5.4", {4, 0}, false}));
