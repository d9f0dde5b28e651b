// The pictures of the constraint schemes (`Pctvincoli`): the four beams, the
// rigid foundation and the foundation on elastic soil, each also with its
// load positions measured as partial distances. Drawn on any drawing
// surface, in world units the function sets itself.
#pragma once

#include "graphics/superficie.h"

namespace zelvo {

// Which picture: the scheme (0..3 the beams, 4 the rigid foundation, 5 the
// foundation on elastic soil) and whether the load positions are drawn as
// partial distances.
struct FiguraVincoli {
    int schema = 0;
    bool parziali = false;
    bool operator==(const FiguraVincoli&) const = default;
};

// Draws the picture over the whole surface; a scheme out of 0..5 draws
// nothing.
void DisegnaSchema(Tela& s, FiguraVincoli f);

} // namespace zelvo
