// The regional check, file base names and the keyboard routines.
#include "io/generale.h"

#include <gtest/gtest.h>

using namespace zelvo;

// ---------------------------------------------------------------- regional check

TEST(ControllaSeparatori, ItalianoNessunMessaggio) {
    RegistroMessaggi m;
    ControllaSeparatori(Separatori{",", "."}, m, false);
    EXPECT_TRUE(m.elenco.empty());
}

TEST(ControllaSeparatori, IngleseAvvisoUnaVolta) {
    RegistroMessaggi m;
    ControllaSeparatori(Separatori{".", ","}, m, false);
    ASSERT_EQ(m.elenco.size(), 1u);
    EXPECT_EQ(m.elenco[0].titolo, "ATTENZIONE ");
    EXPECT_EQ(m.elenco[0].icona, Icona::Esclamazione);
    EXPECT_EQ(m.elenco[0].testo,
              "E' impostato come separatore decimale \".\" e come separatore delle migliaia "
              "\",\"\r\n"
              "Se la lingua è Italiano è meglio usare la  \",\" come separatore decimale.\r\n"
              "Il programma funzionerà comunque correttamente se si usa come separatore delle "
              "migliaia lo spazio,\r\n"
              "impostazione consigliata perchè elimina qualunque ambiguità.\r\n"
              "Il tastierino numerico inserisce il separatore decimale scelto nelle "
              "impostazioni internazionali.");
    m.Svuota();
    ControllaSeparatori(Separatori{".", ","}, m, true);
    EXPECT_TRUE(m.elenco.empty()) << "silent start-up shows nothing";
}

TEST(ControllaSeparatori, StessoCarattere) {
    RegistroMessaggi m;
    ControllaSeparatori(SeparatoriDa(",", ","), m, false);
    ASSERT_EQ(m.elenco.size(), 1u);
    EXPECT_EQ(m.elenco[0].titolo, "ERRORE");
    EXPECT_EQ(m.elenco[0].icona, Icona::Critica);
    EXPECT_EQ(m.elenco[0].testo,
              "Errore nelle impostazioni internazionali del pannello di controllo.\r"
              "Il separatore decimale è stato impostato come \",\"\r"
              "E' stato impostato lo stesso carattere per il simbolo raggruppamento cifre.\r"
              "Cambiare il simbolo raggruppamento cifre e riavviare il programma.");
}

TEST(ControllaSeparatori, ProvaDiRiletturaFallita) {
    // With '2' as decimal separator 1234567.8 becomes "1.234.56728", which
    // reads back as 1.3456728.
    RegistroMessaggi m;
    ControllaSeparatori(Separatori{"2", "."}, m, false);
    ASSERT_EQ(m.elenco.size(), 1u);
    EXPECT_EQ(m.elenco[0].titolo, "ERRORE");
    EXPECT_EQ(m.elenco[0].testo,
              "Errore sconosciuto nelle impostazioni internazionali del pannello di "
              "controllo.\rProvare a cambiare i simboli del separatore decimale\re del "
              "raggruppamento cifre e riavviare il programma.");
}

TEST(NomeBase, CartellaEdEstensione) {
    EXPECT_EQ(NomeBase("/home/u/trave.zlv"), "trave");
    EXPECT_EQ(NomeBase("C:\\Dati\\trave 1.zlv"), "trave 1");
    EXPECT_EQ(NomeBase("a.b.zlv"), "a.b");
    EXPECT_EQ(NomeBase("senza"), "senza");
    EXPECT_EQ(NomeBase("/cartella.x/file"), "file");
}

TEST(Tastiera, TastierinoDecimale) {
    const Separatori s{",", "."};
    Tastiera t;
    EXPECT_EQ(t.TastoGiu(TastoInvio), AzioneTasto::CampoSuccessivo);
    EXPECT_EQ(t.TastoGiu(TastoInvio, false), AzioneTasto::Nessuna);
    EXPECT_EQ(t.TastoGiu(TastoDecimaleTastierino), AzioneTasto::Nessuna);
    int c = '.';
    t.TastoCarattere(c, s);
    EXPECT_EQ(c, ',');
    int d = '5';
    t.TastoCarattere(d, s);
    EXPECT_EQ(d, '5') << "the key types one separator, then the digit";
    EXPECT_FALSE(t.TastoDecimale());
    // Two windows' keyboards are independent.
    Tastiera u;
    t.TastoGiu(TastoDecimaleTastierino);
    EXPECT_FALSE(u.TastoDecimale());
    int e = '.';
    t.TastoCarattere(e, Separatori{"\u066b", "\u066c"});
    EXPECT_EQ(e, 0x066B) << "a separator beyond ASCII is typed as its code point";
}
