#include "ui/finestre_collegate.h"

namespace zelvo {

FinestreCollegate FinestrePredefinite() {
    FinestreCollegate f;
    // Units window, help and printer.
    // Diagram windows, scale dialog and information window.
    // Section-properties window.
    return f;
}

} // namespace zelvo
