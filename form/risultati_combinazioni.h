// What the main window shows of the load combinations once they are
// calculated: per span the ultimate-limit-state envelope's extremes of M and
// V, per support the extremes of the reaction and of the moment over it, each
// with the combination that governs it, and per span the deflection check with its outcome.
#pragma once

#include "core/combinazioni.h"
#include "core/dati.h"
#include "io/unita.h"

#include <string>
#include <vector>

namespace zelvo {

// One read-only table: headings in row 0, then one row per span or support.
struct TabellaCombinazioni {
    std::vector<std::vector<std::string>> Testi;
    // The same shape: the governing combination of each value ("" none).
    std::vector<std::vector<std::string>> Governi;
    // Per row: +1 verified (shown green), -1 not verified (red), 0 neither.
    std::vector<int> Esiti;
};

struct QuadroCombinazioni {
    bool Visibile = false; // the combinations were calculated
    TabellaCombinazioni Campate, Appoggi, Frecce;
};

inline constexpr const char* TestoVerificata = "verificata";
inline constexpr const char* TestoNonVerificata = "non verificata";

// The tables of `r` in the units `u` (the problem `d` names the supports).
QuadroCombinazioni TabelleCombinazioni(const RisultatiCombinazioni& r, const DatiTrave& d,
                                       const UnitMisura& u);

} // namespace zelvo
