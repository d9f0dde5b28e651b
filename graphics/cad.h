// The CAD target "DWG" (model space of a running CAD application), reached
// through the seam `ApplicazioneCad`.
//
// No CAD application can be reached on this platform: the default factory
// finds none, so `ApriAutocad` reports that the application cannot be opened
// and the output ends with nothing drawn. A bridge (or a test's recorder)
// implements ApplicazioneCad and is handed to the output service as its
// factory; whoever opens the application owns it for the drawing.
#pragma once

#include "core/messaggi.h"
#include "graphics/superficie.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace zelvo {

class ApplicazioneCad {
  public:
    virtual ~ApplicazioneCad() = default;
    // Entities of the model space.
    virtual void AddLine(double x1, double y1, double x2, double y2, int32_t colore) = 0;
    virtual void AddArc(double xc, double yc, double r, double a1, double a2, int32_t colore) = 0;
    virtual void AddLightWeightPolyline(const std::vector<double>& coordinate, int32_t colore) = 0;
    // Solids always go to the model space.
    virtual void AddSolid(const double (&p)[4][2], int32_t colore) = 0;
    virtual void AddText(const std::string& testo, double x, double y, double altezza,
                         int32_t colore) = 0;
    // Width of the last text added.
    virtual double LarghezzaUltimoTesto() = 0;
    // A text style for font slot `slot` (its font file: the system's fonts
    // folder + file + ".ttf"); false when the font file is missing.
    virtual bool DefinisciStileTesto(int16_t /*slot*/, const std::string& /*nome*/,
                                     const std::string& /*file*/) {
        return true;
    }
    virtual void AttivaStileTesto(int16_t slot) = 0;
    virtual void ZoomExtents() = 0;
};

// Factory of the CAD bridge: the application, or nullptr when none can be reached.
using FabbricaCad = std::function<std::unique_ptr<ApplicazioneCad>()>;
// The factory of this platform: none can be reached.
FabbricaCad NessunCad();

inline constexpr const char* TestoCadAssente =
    "Impossibile aprire Autocad.\r\nControllare che la versione di Autocad non sia LT";

// Opens the CAD application through the factory; on failure shows
// TestoCadAssente (critical icon) and returns nullptr.
std::unique_ptr<ApplicazioneCad> ApriAutocad(const FabbricaCad& fabbrica, Messaggi& msg);

// "DWG": entities in the application's model space.
class SuperficieCad : public Superficie {
  public:
    SuperficieCad(ApplicazioneCad& cad, Messaggi& msg) : cad_(cad), msg_(msg) {}
    std::string Nome() const override { return "DWG"; }
    bool ScaleNelDisegno() const override { return true; }
    bool AbbassaTestoDallAlto() const override { return true; }
    void SelezionaFont(int16_t slot, const std::string& nome) override;
    void DefinisciFont(int16_t slot, const std::string& nome, const std::string& file) override;
    void Linea(double x1, double y1, double x2, double y2, int32_t colore) override;
    void Arco(double xc, double yc, double r, double a1, double a2, int32_t colore) override;
    void Poligonale(int n, const Vettore1<double>& x, const Vettore1<double>& y, bool chiusa,
                    int32_t colore) override;
    // Exactly 4 points: otherwise "Errore in Sub SolidDwg - I punti devono
    // essere 4", and only the first four of more make the solid.
    void Solido(int n, const Vettore1<double>& x, const Vettore1<double>& y,
                int32_t colore) override;
    void Testo(double x, double y, double altezza, const std::string& testo,
               int32_t colore) override;
    double PezzoTesto(double x, double y, double altezza, const std::string& testo,
                      const std::string& font, int32_t colore) override;

  protected:
    ApplicazioneCad& cad_;
    Messaggi& msg_;
};

} // namespace zelvo
