// The windows' event contract (GuardiaEventi) on its own, and as the main
// window's model and the section window keep it: a fault in an event is shown
// with the event's exact message and leaves nothing set, one event counts one
// change and tells the observer once, a busy model refuses every event.
#include "finestra_prova.h"
#include "form/evento_form.h"

#include "core/guasto.h"
#include "io/numeri.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <tuple>
#include <vector>

using namespace zelvo;
using Testi = std::vector<std::string>;

namespace {

template <class E> int Lancia(E e) {
    throw e;
}

struct GuardiaProva : ::testing::Test {
    RegistroMessaggi msg;
    GuardiaEventi g{msg, "Errore nella Sub ", "Errore! Controllare i dati", Icona::Critica};
    int avvisi = 0;
    uint64_t revisioneAvvisata = 0;
    void SetUp() override {
        g.Cambiato = [this] {
            ++avvisi;
            revisioneAvvisata = g.Revisione();
        };
    }
};

} // namespace

// Every kind of fault (the program's own, a library's, one that is no
// std::exception at all) ends in the event's message with the icon, the
// empty result, one change and one call of the observer; the model is not
// left busy, even by a busy guard the fault ran through.
TEST_F(GuardiaProva, UnGuastoQualsiasiMostraIlNomeELasciaTuttoLibero) {
    const std::vector<std::function<int()>> guasti = {
        [] { return Lancia(Guasto("g")); },
        [] { return Lancia(std::out_of_range("o")); },
        [] { return Lancia(42); },
    };
    int n = 0;
    for (const auto& f : guasti) {
        ++n;
        const int r = g.Esegui(
            [&] {
                const auto occupa = g.Lavoro();
                EXPECT_TRUE(g.Occupato());
                return f();
            },
            "cmdProva_Click");
        EXPECT_EQ(r, 0);
        EXPECT_FALSE(g.Occupato());
        EXPECT_EQ(std::tuple(g.Revisione(), avvisi, revisioneAvvisata),
                  std::tuple(uint64_t(n), n, uint64_t(n)));
    }
    ASSERT_EQ(msg.elenco.size(), 3u);
    for (const auto& m : msg.elenco)
        EXPECT_EQ(std::tuple(m.testo, m.icona),
                  std::tuple(std::string("Errore nella Sub cmdProva_Click"), Icona::Critica));
    // an event naming no message shows the default one
    msg.Svuota();
    g.Esegui([] { throw Guasto("senza nome"); });
    EXPECT_EQ(msg.Testi(), Testi{"Errore! Controllare i dati"});
}

// Events run from inside an event count with it: one change, one call of
// the observer, after the last step (it sees the final state).
TEST_F(GuardiaProva, EventiAnnidatiContanoUnaVolta) {
    int stato = 0, statoVisto = -1;
    g.Cambiato = [&] {
        ++avvisi;
        statoVisto = stato;
    };
    g.Esegui([&] {
        g.Esegui([&] { stato = 1; }, "interno");
        g.Esegui([&] { throw std::runtime_error("x"); }, "secondo"); // shown, not stopping
        EXPECT_EQ(avvisi, 0);
        stato = 2;
    });
    EXPECT_EQ(std::tuple(g.Revisione(), avvisi, statoVisto), std::tuple(uint64_t(1), 1, 2));
    EXPECT_EQ(msg.Testi(), Testi{"Errore nella Sub secondo"});
}

// While busy every event is refused: not run, nothing counted, the empty
// result; the busy guard gives back the flag it found.
TEST_F(GuardiaProva, OccupatoRifiutaOgniEvento) {
    bool eseguito = false;
    {
        const auto occupa = g.Lavoro();
        { const auto ancora = g.Lavoro(); }
        EXPECT_TRUE(g.Occupato()); // the inner guard found it busy
        EXPECT_FALSE(g.Esegui([&] { return eseguito = true; }, "x"));
    }
    EXPECT_FALSE(eseguito);
    EXPECT_FALSE(g.Occupato());
    EXPECT_EQ(std::tuple(g.Revisione(), avvisi, msg.elenco.size()),
              std::tuple(uint64_t(0), 0, size_t(0)));
}

// A refusal the model shows itself takes the place of the fault message.
TEST_F(GuardiaProva, UnRifiutoSiMostraDaSe) {
    g.Rifiuto = [this] {
        try {
            throw;
        } catch (const std::invalid_argument& e) {
            msg.Mostra(std::string("rifiutato: ") + e.what(), Icona::Esclamazione);
            return true;
        } catch (...) {
            return false;
        }
    };
    g.Esegui([] { throw std::invalid_argument("abc"); }, "evento");
    g.Esegui([] { throw std::logic_error("def"); }, "evento");
    EXPECT_EQ(msg.Testi(), (Testi{"rifiutato: abc", "Errore nella Sub evento"}));
    EXPECT_EQ(std::tuple(g.Revisione(), avvisi), std::tuple(uint64_t(2), 2));
}

// ---------------------------------------------------------------------------
// The main window's model keeps the contract: its faults show "Errore!
// Controllare i dati" (or the named message) without an icon, a refused
// datum its own message with the focus on its field.

TEST_F(TraveProva, GuastoRifiutoEOccupatoNelModelloDellaTrave) {
    int avvisi = 0;
    f->Cambiato = [&] { ++avvisi; };
    const uint64_t prima = f->Revisione();
    f->Evento([] { throw Guasto("x"); });
    f->Evento([] { throw 7; }, "Errore in Sub mnuFileItem_Click");
    EXPECT_FALSE(f->Evento([]() -> bool {
        throw DatoRifiutato{"Luce: no.", {TipoControllo::TxtDati, 0}};
    }));
    ASSERT_EQ(msg.elenco.size(), 3u);
    EXPECT_EQ(std::tuple(msg.elenco[0].testo, msg.elenco[0].icona),
              std::tuple(std::string("Errore! Controllare i dati"), Icona::Nessuna));
    EXPECT_EQ(msg.elenco[1].testo, "Errore in Sub mnuFileItem_Click");
    EXPECT_EQ(std::tuple(msg.elenco[2].testo, msg.elenco[2].icona),
              std::tuple(std::string("Luce: no."), Icona::Esclamazione));
    EXPECT_EQ(f->fuoco, (Fuoco{TipoControllo::TxtDati, 0}));
    EXPECT_EQ(std::tuple(f->Revisione() - prima, avvisi, f->Occupato()),
              std::tuple(uint64_t(3), 3, false));
    // busy: "Calcola" and every other event refused
    {
        const auto occupa = f->Eventi().Lavoro();
        EXPECT_TRUE(f->Occupato());
        EXPECT_EQ(f->btnCalcola_Click(), EsitoCalcolo::ErroreDati);
        f->Optschema_Click(2);
    }
    EXPECT_EQ(std::tuple(f->Optschema, f->Revisione() - prima, msg.elenco.size()),
              std::tuple(0, uint64_t(3), size_t(3)));
}

// ---------------------------------------------------------------------------
// The section window keeps it too: a fault names its routine after "Errore
// nella Sub " with the critical icon; an event that runs other events
// (confirming the editor builds the section, closes the editor and checks
// the section) tells the observer once, when all of it is done.

TEST_F(FinestraProva, GuastoENotificaUnicaNellaFinestraDellaSezione) {
    int avvisiFinestra = 0;
    w->Cambiato = [&] { ++avvisiFinestra; };
    // a materials table already full: adding one more is a fault of the routine
    w->MSFlexGrid1.Griglia.Dimensiona(32767, 6);
    const uint64_t prima = w->Revisione();
    w->cmdAggiungi_Click();
    ASSERT_EQ(msg.elenco.size(), 1u);
    EXPECT_EQ(std::tuple(msg.elenco[0].testo, msg.elenco[0].icona),
              std::tuple(std::string("Errore nella Sub cmdAggiungi_Click"), Icona::Critica));
    EXPECT_EQ(std::tuple(w->Revisione() - prima, avvisiFinestra), std::tuple(uint64_t(1), 1));

    w->cmdGeo_Click(1);
    w->OpTipoSezione_Click(SezRettangolo);
    Digita(1, 1, "20");
    Digita(1, 2, "30");
    bool editorVisto = true;
    w->Cambiato = [&] {
        ++avvisiFinestra;
        editorVisto = w->FrameEdit;
    };
    avvisiFinestra = 0;
    const uint64_t r = w->Revisione();
    w->cmdOKEdit_Click();
    // 20 × 30 cm: A = 600 cm²
    EXPECT_DOUBLE_EQ(Num(w->txtSec[0].testo), 600);
    EXPECT_EQ(std::tuple(w->Revisione() - r, avvisiFinestra, editorVisto),
              std::tuple(uint64_t(1), 1, false));
}

// The profile chooser keeps it as well: each change of the user's is one
// event heard once by its view.
TEST_F(FinestraProva, IlSelettoreAvvisaUnaVoltaPerEvento) {
    w->cmdGeo_Click(0);
    ASSERT_TRUE(w->Scelta);
    ModelloSceltaProfili& s = *w->Scelta;
    int avvisiScelta = 0;
    s.Cambiato = [&] { ++avvisiScelta; };
    s.ImpostaFamiglia(1);
    s.ImpostaFiltro("200");
    s.ImpostaGrado(2);
    s.ImpostaDoppi(true);
    s.ImpostaDistanzaDoppi("10");
    EXPECT_EQ(std::tuple(s.Revisione(), avvisiScelta, s.Famiglia, s.Grado, s.Doppi, s.dDoppi),
              std::tuple(uint64_t(5), 5, 1, 2, true, std::string("10")));
    ASSERT_NE(s.RigaScelta(), nullptr);
    EXPECT_EQ(s.RigaScelta()->nome, "HEA200");
}
