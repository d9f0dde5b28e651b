// The command `zelvo-calc section TYPE VALUES... [--unit m|cm|mm]`.
#pragma once

#include "graphics/fabbrica_superfici.h"

#include <ostream>
#include <string>
#include <vector>

namespace zelvo {

// `args` are the words after the program name; a leading "section" is
// skipped. Prints a JSON object to `out` ("section": the polygon fields, or
// null; for profiles "catalogue"; "messages": every message text in order),
// messages and usage errors also to `err`. Returns 0 on success, 1 when the
// section cannot be built or its plastic modulus did not converge, 2 for bad
// arguments. The drawings in PDF, PNG and SVG are made on the canvases of
// `superfici` (none: each says TestoSenzaSuperfici, exit status 1).
int ComandoSezione(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                   FabbricaSuperfici* superfici);

} // namespace zelvo
