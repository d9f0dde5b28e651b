// The CAD seam of the targets "DWG" and "BLOCCO".
//
// A CAD application is reached through this interface; no bridge exists on
// this platform, so `ApriAutocad` reports that the application cannot be
// opened and the output ends with nothing drawn. A bridge would implement
// ApplicazioneCad and be returned by the factory.
#pragma once

#include "core/messaggi.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace zelvo {

class ApplicazioneCad {
  public:
    virtual ~ApplicazioneCad() = default;
    virtual void AddLine(double x1, double y1, double x2, double y2, int32_t colore) = 0;
    virtual void AddArc(double xc, double yc, double r, double a1, double a2, int32_t colore) = 0;
    virtual void AddLightWeightPolyline(const std::vector<double>& coordinate, int32_t colore) = 0;
    virtual void AddSolid(const double (&p)[4][2], int32_t colore) = 0;
    virtual void AddText(const std::string& testo, double x, double y, double altezza,
                         int32_t colore) = 0;
    // Width of the last text added.
    virtual double LarghezzaUltimoTesto() = 0;
    virtual void AttivaStileTesto(int16_t slot) = 0;
    virtual void ZoomExtents() = 0;
};

// Factory of the CAD bridge; the default finds none.
using FabbricaCad = std::function<std::unique_ptr<ApplicazioneCad>()>;
void ImpostaFabbricaCad(FabbricaCad f);

inline constexpr const char* TestoCadAssente =
    "Impossibile aprire Autocad.\r\nControllare che la versione di Autocad non sia LT";

// Opens the CAD application; on failure shows TestoCadAssente (critical icon)
// and returns false.
bool ApriAutocad(Messaggi& msg);
// The CAD application opened last (nullptr when none).
ApplicazioneCad* AutocadAperto();
void ChiudiAutocad();

} // namespace zelvo
