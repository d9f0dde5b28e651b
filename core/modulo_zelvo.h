// The calculation module: the problem, the results, the foundation model kept
// between calculations, and `Calcola`.
//
// The module is an object, not global state: the windows own one instance for
// the whole run; the command-line tool, the tests and the fuzzer make their own.
#pragma once

#include "dati.h"
#include "messaggi.h"

#include <functional>
#include <memory>

namespace zelvo {

class TraveWinkler;

// How a calculation ended.
enum class EsitoCalcolo {
    Completato, // results are valid (warnings may have been shown)
    Errore,     // a run-time fault: "Errore! Controllare i dati" has been shown
    Interrotto, // ended by a specific message (for example "Sistema non risolvibile")
};

inline constexpr const char* TestoErroreDati = "Errore! Controllare i dati";

class ModuloZelvo {
  public:
    ModuloZelvo();
    ~ModuloZelvo();
    ModuloZelvo(const ModuloZelvo&) = delete;
    ModuloZelvo& operator=(const ModuloZelvo&) = delete;

    DatiTrave Dati;
    RisultatiTrave Risultati;

    // The elastic-soil model: created at the first calculation on elastic
    // soil, rebuilt from scratch by every calculation, kept for later queries
    // of nodal displacements (deflection closing, diagrams).
    std::unique_ptr<TraveWinkler> Winkler;

    // Called once per pass of the no-tension iteration with the pass number
    // r, so that a window can show "Iterazione " + r and repaint.
    std::function<void(int)> IterazioneW;

    // Runs the whole calculation on `Dati` and fills `Risultati`.
    // A run-time fault throws `Guasto` (after the spring rows have been
    // removed from the concentrated loads); a calculation ended by a
    // specific message returns `Interrotto`.
    EsitoCalcolo Calcola(Messaggi& msg);

    // `Calcola` with the calculation's trap: a fault shows
    // "Errore! Controllare i dati" (no icon) and returns `Errore`.
    EsitoCalcolo CalcolaConTrappola(Messaggi& msg);
};

} // namespace zelvo
