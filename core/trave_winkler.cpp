#include "trave_winkler.h"

namespace zelvo {
double TraveWinkler::SpostamentoW(int) const { return 0; }
double TraveWinkler::xMolla(int) const { return 0; }
} // namespace zelvo
