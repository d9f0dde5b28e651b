// The regional check, file base names and the keyboard routines.
#include "io/generale.h"

#include <gtest/gtest.h>

using namespace zelvo;

// Italian separators: silence; English ones: a warning (not at a silent
// start-up); the same symbol twice, or separators that do not read back
// ("2" as decimal: 1234567.8 -> "1.234.56728"): an error.
TEST(ControllaSeparatori, MessaggiSecondoISimboli) {
    const std::string inglese =
        "E' impostato come separatore decimale \".\" e come separatore delle migliaia \",\"\r\n"
        "Se la lingua è Italiano è meglio usare la  \",\" come separatore decimale.\r\n"
        "Il programma funzionerà comunque correttamente se si usa come separatore delle "
        "migliaia lo spazio,\r\n"
        "impostazione consigliata perchè elimina qualunque ambiguità.\r\n"
        "Il tastierino numerico inserisce il separatore decimale scelto nelle "
        "impostazioni internazionali.";
    const std::string stesso =
        "Errore nelle impostazioni internazionali del pannello di controllo.\r"
        "Il separatore decimale è stato impostato come \",\"\r"
        "E' stato impostato lo stesso carattere per il simbolo raggruppamento cifre.\r"
        "Cambiare il simbolo raggruppamento cifre e riavviare il programma.";
    const std::string sconosciuto =
        "Errore sconosciuto nelle impostazioni internazionali del pannello di controllo.\r"
        "Provare a cambiare i simboli del separatore decimale\re del raggruppamento cifre e "
        "riavviare il programma.";
    struct Caso {
        Separatori sep;
        bool silenzioso;
        std::vector<std::string> attesi;
        std::string titolo;
        Icona icona;
    };
    for (const Caso& c : {Caso{{",", "."}, false, {}, "", Icona::Critica},
                          Caso{{".", ","}, true, {}, "", Icona::Critica},
                          Caso{{".", ","}, false, {inglese}, "ATTENZIONE ", Icona::Esclamazione},
                          Caso{SeparatoriDa(",", ","), false, {stesso}, "ERRORE", Icona::Critica},
                          Caso{{"2", "."}, false, {sconosciuto}, "ERRORE", Icona::Critica}}) {
        RegistroMessaggi m;
        ControllaSeparatori(c.sep, m, c.silenzioso);
        EXPECT_EQ(m.Testi(), c.attesi);
        if (!m.elenco.empty()) {
            EXPECT_EQ(m.elenco[0].titolo, c.titolo);
            EXPECT_EQ(m.elenco[0].icona, c.icona);
        }
    }
}

TEST(NomeBase, CartellaEdEstensione) {
    EXPECT_EQ(NomeBase("/home/u/trave.zlv"), "trave");
    EXPECT_EQ(NomeBase("C:\\Dati\\trave 1.zlv"), "trave 1");
    EXPECT_EQ(NomeBase("a.b.zlv"), "a.b");
    EXPECT_EQ(NomeBase("/cartella.x/file"), "file");
}
