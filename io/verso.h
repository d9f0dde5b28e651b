// The direction of a routine that both reads and writes the same sequence of
// values (value-stream files, the section's value list, the display and
// metre tables), so that one routine defines a format both ways.
#pragma once

namespace zelvo {

// From the file (or list) into the variables, or from the variables into it.
enum class Verso { Leggi, Scrivi };

} // namespace zelvo
