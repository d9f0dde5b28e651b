// The continuous beam's drawings as PNG images drawn with Qt's painter.
#include "graphics/colori.h"
#include "graphics/disegno_continua.h"
#include "graphics/grafica.h"
#include "graphics/plottaggio.h"
#include "graphics_qt/superficie_qt.h"
#include "tests/comune/continua.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

using namespace zelvo;
using namespace zelvo::prova;
using T = TipoAppoggio;

// The scheme picture and the moment diagram of the four-span beam as PNG
// images, into ZELVO_DIAGRAMMI (default: a temporary folder), for people to
// look at.
TEST(DiagrammiContinua, ImmaginiPng) {
    const char* e = std::getenv("ZELVO_DIAGRAMMI");
    const std::filesystem::path dir =
        e ? std::filesystem::path(e) : std::filesystem::temp_directory_path() / "zelvo_diagrammi";
    std::filesystem::create_directories(dir);
    const DatiContinua d = QuattroCampate();
    FabbricaSuperficiQt superfici;
    for (auto [w, h] : {std::pair{440, 220}, {220, 110}}) {
        auto img = superfici.Png(w, h);
        DisegnaSchemaContinua(img->Tela(), d.Campate, d.Appoggi, Metri);
        const auto p = dir / ("continua-schema-" + std::to_string(w) + ".png");
        ASSERT_TRUE(img->Salva(p.string()));
        EXPECT_GT(std::filesystem::file_size(p), 500u);
    }
    // 100 spans: the picture stays legible.
    {
        const DatiContinua m = Casuale(100, 11);
        auto img = superfici.Png(800, 220);
        DisegnaSchemaContinua(img->Tela(), m.Campate, m.Appoggi, Metri);
        ASSERT_TRUE(img->Salva((dir / "continua-schema-100.png").string()));
    }
    // Fixed ends, a fixed support and a spring between spans, a short span.
    {
        auto img = superfici.Png(440, 220);
        DisegnaSchemaContinua(
            img->Tela(), {{3, 1}, {0.2, 1}, {5, 1}, {4, 1}},
            {{T::Incastro}, {T::Appoggio}, {T::Incastro}, {T::Molla, 1e6}, {T::Incastro}}, Metri);
        ASSERT_TRUE(img->Salva((dir / "continua-schema-incastri.png").string()));
    }
    auto diagramma = [&](const DatiContinua& dati, DiagrammaContinua dia, const std::string& nome) {
        const RisultatiContinua r = Calcola(dati);
        auto img = superfici.Png(1000, 500);
        SuperficieVideo sup(img->Tela());
        Grafica g;
        g.ImpostaSuperficie(&sup);
        Plottaggio f;
        const MappaDiagramma m = MappaDiagrammaContinua(r, dia);
        f.EstremiFinestra(0.1f, 0.1f, 0.85f, 0.9f);
        f.Inizializza(g, m.xIniziale, m.xFinale, m.yMin, m.yMax, sup, 1, false, 0);
        // The curve, as the diagram windows draw theirs.
        const auto curva = CurvaContinua(r, dia);
        const int n = int(curva.size());
        Vettore1<double> x(n), y(n);
        for (int i = 1; i <= n; ++i)
            x(i) = curva[size_t(i - 1)].first, y(i) = curva[size_t(i - 1)].second;
        g.SpessoreLinea(2);
        g.ImpostaColore(Cad::Rosso);
        g.Poligonale(n, x, y, -m.Scala);
        DecoraDiagrammaContinua(g, m, dia, r, dati.Appoggi,
                                dia == DiagrammaContinua::Frecce ? Millimetri : Kilo);
        EXPECT_TRUE(img->Salva((dir / nome).string()));
    };
    for (auto dia :
         {DiagrammaContinua::Momenti, DiagrammaContinua::Tagli, DiagrammaContinua::Frecce})
        diagramma(d, dia, "continua-" + std::to_string(int(dia)) + ".png");
    diagramma(Casuale(20, 3), DiagrammaContinua::Momenti, "continua-20-momenti.png");
    diagramma(Casuale(20, 3), DiagrammaContinua::Tagli, "continua-20-tagli.png");
}
