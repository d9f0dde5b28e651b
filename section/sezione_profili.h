// Steel profile sections from the catalogue, and the profile chooser.
#pragma once

#include "core/messaggi.h"
#include "graphics/plottaggio.h"
#include "graphics/superficie.h"
#include "section/poligono.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace zelvo {

class SezioneProfili {
  public:
    std::string TipoProfilo; // "SezioneDoppioT", "SezioneProfiloL", "SezioneProfiloU"
    float h = 0, b = 0, tw = 0, tf = 0, bAlaInf = 0, tAlaInf = 0;
    bool SaldataAsimm = false;
    float Area = 0, Jz = 0, Jy = 0;
    double xG = 0, yG = 0;
    double WxSuperiore = 0, WxInferiore = 0, WyDestra = 0, WySinistra = 0;
    // Plastic moduli: Wply for the normal position (bending about the
    // horizontal axis), Wplz for the profile turned by a right angle. The
    // chooser fills them with Wplastici of the fillet-free outline
    // (CalcolaWplastici), which lies slightly on the safe side of the
    // published values (the fillets are left out).
    double Wply = 0, Wplz = 0;
    double fySteelTMP = 0; // yield stress handed over, N/m²
    Poligono Poligono1;
    bool SezioneProfiliRuotata = false;
    int16_t VersioneSezioneProfili = 0;
    bool Doppi = false;
    float dDoppi = 0;
    bool DoppiCorto = false;

    // Builds Poligono1 and computes its properties; false for an unknown kind.
    bool Coordinate(Messaggi& msg);
    // Recomputes Poligono1 and copies its properties into the fields.
    bool CaratteristicheStaticheSezione(Messaggi& msg);
    // Wply and Wplz from the outline in the normal position; false when a
    // halving did not converge.
    bool CalcolaWplastici(Messaggi& msg);
    // Overall height and width of Poligono1.
    bool DimSez(double& hSez, double& bSez) const;
    bool TipoSconosciuto() const { return tipoSconosciuto_; }

    // ---- drawing ----
    // As SezioneEdit::PltInizializza: this profile's plot window on the target.
    bool PltInizializza(double xMin, double xMax, double yMin, double yMax,
                        const std::string& dispositivo, SuperficieRaster* superficie);
    // Draws Poligono1 (built by Coordinate) outlined and hatched; with Doppi
    // the window is widened to the left by the profile's width plus dDoppi
    // and the twin, mirrored about the vertical through the left side at the
    // gap dDoppi, is drawn and hatched too. False when there is no drawable
    // outline or a primitive failed.
    bool PlottaSezione(const std::string& dispositivo, SuperficieRaster* superficie = nullptr);
    // The mirrored twin of a pair (Poligono1 mirrored to the left at the gap).
    Poligono Gemello() const;

  private:
    bool tipoSconosciuto_ = false;
    Plottaggio finestra_;
};

// One catalogue row (mm, mm², mm⁴).
struct RigaCatalogo {
    std::string nome, tipo;
    double h = 0, b = 0, tw = 0, tf = 0, r = 0, r2 = 0, pendenza = 0;
    double Area = 0, Jy = 0, Jz = 0;
};

// The catalogue shipped with the program: "profili.csv" in the program's
// folder (or its "dati" subfolder), else the source tree's copy.
class CatalogoProfili {
  public:
    // false (with the reason in `errore`) when no readable catalogue is found.
    bool Carica(std::string* errore = nullptr);
    bool CaricaDa(const std::string& percorso, std::string* errore = nullptr);
    const std::vector<RigaCatalogo>& Righe() const { return righe_; }
    // Case-insensitive, blanks ignored ("IPE 200" = "ipe200").
    const RigaCatalogo* Cerca(const std::string& nome) const;
    static std::vector<std::string> Percorsi();

  private:
    std::vector<RigaCatalogo> righe_;
};

// Steel grades and their nominal yield stress (N/mm², thicknesses ≤ 40 mm).
struct GradoAcciaio {
    const char* nome;
    double fy;
};
const std::vector<GradoAcciaio>& GradiAcciaio();

// The chooser standing in for the outside profile program: it supplies the
// same items and raises the same two events.
class SceltaProfili {
  public:
    explicit SceltaProfili(const CatalogoProfili& cat) : cat_(cat) {}
    // Identification; empty when there is no catalogue.
    std::string Identificazione() const;
    // Settings copied into the profile, in this order.
    int16_t VersioneSezioneProfili = 54;
    bool Doppi = false;
    float dDoppi = 0;
    bool DoppiCorto = false;
    // Events.
    std::function<void()> ComunicaProfilo;
    std::function<void()> ProfiliQuit;
    // The user picks a profile and a grade; raises ComunicaProfilo. false
    // when the name or the grade is unknown (nothing raised).
    bool Scegli(const std::string& nome, const std::string& grado = "S235");
    // The chooser closes; raises ProfiliQuit.
    void Chiudi();
    // Items of the communicated profile.
    std::string Descrizione;
    std::string TipoProfilo;
    double Lunghezze[6] = {}; // h, b, tw, tf, bottom flange width, bottom flange thickness (mm)
    double Area = 0, Jy = 0, Jz = 0;                // mm², mm⁴
    double RaggioRaccordo = 0, RaggioEstremita = 0; // r, r2 (mm)
    double fy = 0;                                  // N/mm²

  private:
    const CatalogoProfili& cat_;
};

// What the section window does on ComunicaProfilo: copies the settings and
// the items into the profile (mm → m, mm⁴ → m⁴, N/mm² → N/m²), builds the
// outline and its plastic moduli.
bool RiceviProfilo(const SceltaProfili& s, SezioneProfili& p, Messaggi& msg);

} // namespace zelvo
