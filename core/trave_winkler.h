// Beam on Winkler soil: finite elements on lumped nodal springs.
#pragma once

#include "dati.h"
#include "messaggi.h"

namespace zelvo {

class ModuloZelvo;

class TraveWinkler {
  public:
    // Settlement of node i (positive into the soil).
    double SpostamentoW(int i) const;
    // Abscissa of node i.
    double xMolla(int i) const;
};

// The driver's elastic-soil hand-off: builds the model from m.Dati (loads
// negated), solves it, fills m.Risultati.Molle and appends the spring rows to
// m.Dati.CarichiConcentrati (raising NConcentrati). Returns false when the
// calculation must end (its message has been shown). Faults throw Guasto.
bool PreparaSuoloElastico(ModuloZelvo& m, Messaggi& msg);

} // namespace zelvo
