// The command `zelvo-calc section TYPE VALUES... [--unit m|cm|mm]`.
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace zelvo {

// `args` are the words after the program name; a leading "section" is
// skipped. Prints a JSON object to `out` ("section": the polygon fields, or
// null; for profiles "catalogue"; "messages": every message text in order),
// messages and usage errors also to `err`. Returns 0 on success, 1 when the
// section cannot be built or its plastic modulus did not converge, 2 for bad
// arguments.
int ComandoSezione(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

} // namespace zelvo
