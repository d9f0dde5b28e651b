// Beam on Winkler soil: finite elements on lumped nodal springs.
#pragma once

#include "dati.h"
#include "messaggi.h"

namespace zelvo {

class TraveWinkler {
  public:
    // Settlement of node i (positive into the soil).
    double SpostamentoW(int i) const;
    // Abscissa of node i.
    double xMolla(int i) const;
};

} // namespace zelvo
