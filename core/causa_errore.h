// The datum behind "Errore! Controllare i dati": after a run-time fault of
// the calculation, the first rule of the problem it breaks, as the message's
// second line ("K deve essere maggiore di zero."), so that the user knows
// which field or load to change.
#pragma once

#include "core/dati.h"

#include <string>

namespace zelvo {

// The rule broken by the problem, named by the field (its caption) or the
// table and row; a general line on the orders of magnitude when no rule of
// the data is broken (a value of the calculation beyond the numbers' range).
std::string CausaErroreDati(const DatiTrave& d);

} // namespace zelvo
