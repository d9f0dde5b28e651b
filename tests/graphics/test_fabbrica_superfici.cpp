// The PDF, PNG and SVG outputs of the diagrams on the canvases handed in,
// here the recording ones. Second method: each canvas must hold exactly what
// the same drawing leaves on a recording device of the same size drawn
// directly (the diagram window, the printed page).
#include "graphics/fabbrica_superfici.h"
#include "graphics/plotta.h"
#include "graphics/superficie_registro.h"
#include "graphics/uscita_diagrammi.h"
#include "tests/comune/problemi.h"

#include <gtest/gtest.h>

using namespace zelvo;

namespace {

bool Uguali(const std::vector<TrattoRegistrato>& a, const std::vector<TrattoRegistrato>& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (a[i].tipo != b[i].tipo || a[i].v != b[i].v || a[i].testo != b[i].testo ||
            a[i].colore != b[i].colore || a[i].spessore != b[i].spessore)
            return false;
    return true;
}

// Simply supported, L = 6 m, uniform load: a completed calculation.
struct Uscite : ::testing::Test {
    ModuloZelvo m;
    UnitMisura u;
    RegistroMessaggi msg;
    FabbricaRegistro fabbrica;
    ContestoDiagrammi c;

    void SetUp() override {
        m.Dati = prova::Base(AppoggioAppoggio, "Prova");
        prova::Trapezio(m.Dati, 10000.f, 10000.f, 0, 6.f);
        u.UnitaDefault();
        c = {&m, &u, &msg, "prova.zlv", nullptr, &fabbrica};
    }
    void Calcola() { ASSERT_EQ(m.Calcola(msg), EsitoCalcolo::Completato); }
};

} // namespace

// The three windows as pictures: one 1000 x 700 canvas per diagram, in the
// order M, T, C, each saved once at prefix-letter.ext with the window's own
// drawing on it.
TEST_F(Uscite, PictureCanvasesHoldTheWindowsDrawings) {
    Calcola();
    for (const std::string formato : {"png", "svg"}) {
        fabbrica.disegni.clear();
        ASSERT_TRUE(ImmaginiDiagrammi(c, "/cartella/trave", formato, msg));
        ASSERT_EQ(fabbrica.disegni.size(), 3u);
        const char* lettere[] = {"M", "T", "C"};
        for (int i = 0; i < 3; ++i) {
            const DisegnoRegistrato& d = *fabbrica.disegni[size_t(i)];
            EXPECT_EQ(d.formato, formato);
            EXPECT_EQ(d.tela.LarghezzaDispositivo(), LarghezzaFinestraDiagramma);
            EXPECT_EQ(d.tela.AltezzaDispositivo(), AltezzaFinestraDiagramma);
            EXPECT_EQ(d.salvato, std::vector<std::string>{"/cartella/trave-" +
                                                          std::string(lettere[i]) + "." + formato});
            TelaRegistro atteso(LarghezzaFinestraDiagramma, AltezzaFinestraDiagramma);
            SuperficieVideo video(atteso);
            Plotta p;
            ASSERT_TRUE(p.PlottaDiagramma(c, TuttiIDiagrammi[i], video));
            EXPECT_FALSE(atteso.tratti.empty());
            EXPECT_TRUE(Uguali(d.tela.tratti, atteso.tratti)) << lettere[i];
        }
    }
    EXPECT_TRUE(msg.elenco.empty());
}

// A picture that cannot be written stops the others: one message, no more canvases.
TEST_F(Uscite, PictureNotWrittenIsReportedAndStops) {
    Calcola();
    fabbrica.salvaRiesce = false;
    EXPECT_FALSE(ImmaginiDiagrammi(c, "p", "png", msg));
    EXPECT_EQ(fabbrica.disegni.size(), 1u);
    ASSERT_EQ(msg.Testi(), std::vector<std::string>{"Impossibile scrivere il file p-M.png"});
    EXPECT_EQ(msg.elenco[0].icona, Icona::Critica);
}

// The printed page as PDF: one A4 canvas, the page the printer would get
// (three bands), saved once at the path; the output's own printer is back
// in place afterwards. A failed write says so.
TEST_F(Uscite, PdfCanvasHoldsThePrintedPage) {
    Calcola();
    RegistroMessaggi msgUscita;
    UscitaDiagrammi uscita(msgUscita);
    ASSERT_TRUE(StampaDiagrammiPdf(uscita, c, "/cartella/trave.pdf"));
    EXPECT_EQ(uscita.Servizi().Stampa, nullptr);
    ASSERT_EQ(fabbrica.disegni.size(), 1u);
    const DisegnoRegistrato& d = *fabbrica.disegni[0];
    EXPECT_EQ(d.formato, "pdf");
    EXPECT_EQ(d.pagine, 1);
    EXPECT_EQ(d.salvato, std::vector<std::string>{"/cartella/trave.pdf"});
    TelaRegistro atteso(FabbricaRegistro::LarghezzaPdf, FabbricaRegistro::AltezzaPdf);
    SuperficieStampante pagina(atteso);
    ASSERT_TRUE(PlottaInOggettoDiagrammi(c, pagina));
    EXPECT_TRUE(Uguali(d.tela.tratti, atteso.tratti));
    EXPECT_TRUE(msgUscita.elenco.empty());

    fabbrica.salvaRiesce = false;
    EXPECT_FALSE(StampaDiagrammiPdf(uscita, c, "/cartella/trave.pdf"));
    EXPECT_EQ(msgUscita.Testi(),
              std::vector<std::string>{"Impossibile scrivere il file /cartella/trave.pdf"});
}

// Without canvases every file output says so and returns false, never
// touching a canvas; without a calculation that is said first.
TEST_F(Uscite, WithoutCanvasesAMessageAndFalse) {
    c.Superfici = nullptr;
    EXPECT_FALSE(ImmaginiDiagrammi(c, "p", "png", msg));
    EXPECT_EQ(msg.Testi(), std::vector<std::string>{TestoSenzaCalcolo});
    msg.Svuota();
    Calcola();
    for (const char* formato : {"png", "svg"}) {
        EXPECT_FALSE(ImmaginiDiagrammi(c, "p", formato, msg));
        ASSERT_EQ(msg.Testi(), std::vector<std::string>{TestoSenzaSuperfici});
        EXPECT_EQ(msg.elenco[0].icona, Icona::Critica);
        msg.Svuota();
    }
    RegistroMessaggi msgUscita;
    UscitaDiagrammi uscita(msgUscita);
    EXPECT_FALSE(StampaDiagrammiPdf(uscita, c, "p.pdf"));
    EXPECT_EQ(msgUscita.Testi(), std::vector<std::string>{TestoSenzaSuperfici});
    EXPECT_EQ(uscita.Servizi().Stampa, nullptr);
    EXPECT_TRUE(fabbrica.disegni.empty());
}
