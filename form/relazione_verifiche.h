// The steel member checks as the PDF report tables them: one row per check,
// span by span, with its formula named, action, resistance, utilisation and
// outcome. Built from the composed checks of the window (`ComponiVerifiche`):
// its rows' texts are reused as they are, only the formulas are added. No
// toolkit.
#pragma once

#include "form/verifiche_form.h"

#include <array>
#include <string>
#include <vector>

namespace zelvo {

struct TestiVerifiche {
    // Span number, check, formula, action, resistance, utilisation, outcome.
    std::vector<std::array<std::string, 7>> Righe;
    std::vector<bool> Rosse; // per row: the utilisation is above 1
    bool Presente = false;   // the problem has a check (rows or not)
};

// The table of the checks `w` (nothing when the problem has no check).
TestiVerifiche ComponiTestiVerifiche(const VistaVerifiche& w, const DatiVerifica& v);

} // namespace zelvo
