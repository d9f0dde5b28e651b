// The pictures of the constraint schemes (`Pctvincoli`): the four beams, the
// rigid foundation and the foundation on elastic soil, each also with its
// load positions measured as partial distances (index + 10). Drawn on any
// drawing surface, in world units the function sets itself.
#pragma once

#include "graphics/superficie.h"

namespace zelvo {

// Draws picture p (0..5 or 10..15) over the whole surface; other indices
// draw nothing.
void DisegnaSchema(Tela& s, int p);

} // namespace zelvo
