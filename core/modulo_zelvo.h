// The calculation module: the problem, the results, the foundation model kept
// between calculations, and `Calcola`.
//
// The module is an object, not global state: the windows own one instance for
// the whole run; the command-line tool, the tests and the fuzzer make their own.
#pragma once

#include "combinazioni.h"
#include "dati.h"
#include "messaggi.h"
#include "trave_continua.h"

#include <functional>
#include <memory>

namespace zelvo {

class TraveWinkler;

// How a calculation ended, by cause. Every cause but `Completato` has shown
// its own message; no result of it is valid.
enum class EsitoCalcolo {
    Completato,           // results are valid (warnings may have been shown)
    ErroreDati,           // a run-time fault: "Errore! Controllare i dati"
    SistemaIrrisolvibile, // the elastic-soil system is singular: "Sistema non risolvibile"
    EquilibrioViolato,    // the rigid foundation cannot balance the loads: "Equilibrio violato !!"
    ErroreGriglia,        // a load grid does not read: "Errore in LeggeGriglia"
    FileIncompleto,       // the data file stopped short: "Lettura incompleta del file"
    TraveRifiutata,       // the continuous beam's data were refused, or the beam is
                          // labile ("Trave labile: ..."): its message shown
};

inline constexpr const char* TestoErroreDati = "Errore! Controllare i dati";

// The calculation's one trap: runs `passi` (reading the data and
// calculating) and turns any fault they throw - `Guasto` of the checked
// helpers, or any other standard exception such as a failed allocation - into
// the single message "Errore! Controllare i dati" (no icon) and `ErroreDati`.
// The steps stop where the fault occurred. A `GuastoSpiegato` adds its line
// under the generic one (joined by `ACapo`).
EsitoCalcolo TrappolaCalcolo(Messaggi& msg, const std::function<EsitoCalcolo()>& passi);
// The same, with the message's second line naming what caused the fault
// (`causa`, asked only after a fault; an empty text adds no line).
EsitoCalcolo TrappolaCalcolo(Messaggi& msg, const std::function<EsitoCalcolo()>& passi,
                             const std::function<std::string()>& causa);

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

    // The continuous beam's own results (Vincoli == Continua): supports,
    // spans and the exact values at any x. Reset by every calculation.
    // (Inside the module's members the scheme is spelt SchemaVincolo::Continua.)
    RisultatiContinua Continua;

    // Every load case and envelope, when the problem has load cases
    // (Dati.Casi not empty); reset by every calculation.
    RisultatiCombinazioni Combinazioni;

    // Called once per pass of the no-tension iteration with the pass number
    // r, so that a window can show "Iterazione " + r and repaint.
    std::function<void(int)> IterazioneW;

    // Runs the whole calculation on `Dati` and fills `Risultati`. With load
    // cases (`Casi` not empty or `PesoProprio`) the ordinary results take
    // every load unfactored, the self-weight included as one more uniform
    // load over the whole beam, and `Combinazioni` is filled afterwards (a
    // failed envelope shows its message and leaves it not calculated, the
    // ordinary results standing).
    // A run-time fault throws `Guasto` (after the spring rows have been
    // removed from the concentrated loads); a calculation ended by a
    // specific message returns its cause.
    EsitoCalcolo Calcola(Messaggi& msg);

    // `Calcola` inside `TrappolaCalcolo`.
    EsitoCalcolo CalcolaConTrappola(Messaggi& msg);
};

} // namespace zelvo
