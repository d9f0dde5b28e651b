#include "trave_winkler.h"

#include "modulo_zelvo.h"

namespace zelvo {
// Placeholder until the foundation model lands.
double TraveWinkler::SpostamentoW(int) const { return 0; }
double TraveWinkler::xMolla(int) const { return 0; }
bool PreparaSuoloElastico(ModuloZelvo&, Messaggi&) { return true; }
} // namespace zelvo
