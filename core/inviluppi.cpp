// Envelopes by superposition (to be completed).
#include "combinazioni.h"

namespace zelvo {

struct RisultatiCombinazioni::Dettaglio {};

std::string TestoGoverno(const Governo&, const std::vector<CasoCarico>&) {
    return {};
}

Governo RisultatiCombinazioni::GovernoPunto(TipoCombinazione t, GrandezzaInviluppo, int,
                                            bool) const {
    Governo g;
    g.Tipo = t;
    return g;
}

Governo RisultatiCombinazioni::GovernoAppoggio(TipoCombinazione t, int, bool, bool) const {
    Governo g;
    g.Tipo = t;
    return g;
}

RisultatiCombinazioni CalcolaCombinazioni(const DatiTrave&, Messaggi&) {
    return {};
}

} // namespace zelvo
