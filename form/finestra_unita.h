// State of the units window `frmUnits` while it is open, and the captions of
// its choices.
#pragma once

#include <array>

namespace zelvo {

struct FinestraUnita {
    bool aperta = false;
    bool noUnits = false;                  // chkNoUnits ticked
    bool apertaSenzaUnita = false;         // opened in no-units mode
    std::array<int, 4> scelta{0, 0, 0, 0}; // optLeng, optStress, optForce, optArea: 0..2
    bool opzioniAbilitate = true;
};

// Texts of the unit-window choices, by group (Length, Modulus/Stress,
// Force, Area - Inertia) and option 0..2.
const std::array<std::array<const char*, 3>, 4>& CaptionUnita();

} // namespace zelvo
