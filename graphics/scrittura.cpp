// Files written by the drawing module go through the program's atomic writer.
#include "io/file_atomico.h"

#include <string>

namespace zelvo {

bool ScriviFileGrafica(const std::string& percorso, const std::string& byte) {
    return ScriviFileAtomico(percorso, byte);
}

} // namespace zelvo
