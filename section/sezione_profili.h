// Steel profile sections from the catalogue, and the profile chooser.
#pragma once

#include "core/messaggi.h"
#include "graphics/plottaggio.h"
#include "graphics/superficie.h"
#include "io/numeri.h"
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
    // Plastic moduli (m³): Wply for the normal position (bending about the
    // horizontal axis), Wplz for the profile turned by a right angle. A
    // catalogue profile takes the catalogue's values (fillets included); a
    // profile without them gets Wplastici of its fillet-free outline
    // (CalcolaWplastici).
    double Wply = 0, Wplz = 0;
    // Elastic moduli of the catalogue (m³, fillets included; the smaller of
    // the two extreme fibres): Wely about the horizontal axis in the normal
    // position, Welz about the vertical one. 0 when not known (they do not
    // travel in the data file; see ModuliDaCatalogo).
    double Wely = 0, Welz = 0;
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
    // Number of profiles of the section: 2 for a pair, 1 otherwise.
    int Numero() const { return Doppi ? 2 : 1; }
    // Section moduli for bending about the horizontal axis in the current
    // position (Wely/Wply, or Welz/Wplz for a turned profile), a pair's
    // doubled (the twin lies at the same heights). Wel falls back on the
    // inertia over the farthest fibre of the outline when the catalogue's is
    // not known. False when the outline cannot be built or a modulus is 0.
    bool ModuliFlessione(double& Wel, double& Wpl, Messaggi& msg);
    // Distance (m) from the back of one profile (its side toward the twin of
    // a pair) to its centroid, in the normal position. A catalogue channel or
    // angle gives it as b - Jz/Welz (its elastic modulus about the vertical
    // axis belongs to the toe, the farther fibre); otherwise the outline's.
    double DistanzaBaricentro() const;
    // The whole section's inertia (m⁴) about its horizontal axis in the
    // current position. A pair turned by a right angle is turned as one
    // section: each profile lies at DistanzaBaricentro + dDoppi/2 from the
    // pair's axis, so J = 2·(Jz + A·d²) (parallel axes).
    double InerziaFlessione() const;
    // The whole section's plastic modulus (m³) in the current position; for
    // a turned pair 2·A·d (each half's first moment about the pair's axis).
    double WplFlessione() const;
    // Description of the section: the profile's name, a pair as
    // "2×UPN200, gap 10 mm" (gap in mm with the given separators).
    std::string NomeSezione(const std::string& nome, const Separatori& s) const;

    // ---- drawing ----
    // As SezioneEdit::PltInizializza: this profile's plot window on the target.
    bool PltInizializza(double xMin, double xMax, double yMin, double yMax, Superficie& superficie);
    // Draws Poligono1 (built by Coordinate) outlined and hatched; with Doppi
    // the window is widened to hold the twin (Gemello), drawn and hatched
    // too. False when there is no drawable outline or a primitive failed.
    bool PlottaSezione(Superficie& superficie);
    Grafica& Disegno() { return grafica_; }
    // The mirrored twin of a pair: Poligono1 mirrored to the left at the
    // gap; for a pair turned as one section, below it at the gap.
    Poligono Gemello() const;

  private:
    bool tipoSconosciuto_ = false;
    Plottaggio finestra_;
    Grafica grafica_;
};

// One catalogue row (mm, mm², mm⁴).
struct RigaCatalogo {
    std::string nome, tipo;
    double h = 0, b = 0, tw = 0, tf = 0, r = 0, r2 = 0, pendenza = 0;
    double Area = 0, Jy = 0, Jz = 0;
    double Wely = 0, Wply = 0, Welz = 0, Wplz = 0; // mm³
    // Torsion constant (mm⁴) and warping constant (mm⁶) of an I or H
    // profile, computed on loading from the dimensions (CostanteTorsioneDoppioT,
    // CostanteIngobbamentoDoppioT); 0 for the other kinds.
    double It = 0, Iw = 0;
};

// St Venant torsion constant (mm⁴) of a rolled I or H profile with root
// fillets (dimensions in mm), by the closed form of the producers' tables
// (ArcelorMittal; after El Darwish and Johnston):
//   It = 2/3·(b − 0.63·tf)·tf³ + 1/3·(h − 2·tf)·tw³ + 2·α·D⁴
//   α = (tw/tf)·(0.145 + 0.1·r/tf)
//   D = ((r + tw/2)² + (r + tf)² − r²)/(2·r + tf)
// the two flanges as thin rectangles with the end loss of their free edges,
// the web, and the two web-flange junctions with their fillets (D the
// diameter of the circle inscribed in the junction).
double CostanteTorsioneDoppioT(double h, double b, double tw, double tf, double r);
// Warping constant (mm⁶) of a doubly symmetric I profile: the flanges' lateral
// inertia about the web, tf·b³/12 each, at the lever arm h − tf between the
// flanges' mid-planes: Iw = (tf·b³/12)·(h − tf)²/2 = tf·b³·(h − tf)²/24 (the
// web and fillets, near the shear centre, neglected as the tables do).
double CostanteIngobbamentoDoppioT(double h, double b, double tf);

// The catalogue shipped with the program: "profili.csv" among the program's
// data files (beside the program, else the installed data folder).
class CatalogoProfili {
  public:
    // false (with the reason in `errore`) when no readable catalogue is found.
    bool Carica(std::string* errore = nullptr);
    bool CaricaDa(const std::string& percorso, std::string* errore = nullptr);
    const std::vector<RigaCatalogo>& Righe() const { return righe_; }
    // Case-insensitive, blanks ignored ("IPE 200" = "ipe200").
    const RigaCatalogo* Cerca(const std::string& nome) const;
    // The row of the same kind and dimensions (h, b, tw, tf in metres, as a
    // profile holds them), or none.
    const RigaCatalogo* CercaDimensioni(const SezioneProfili& p) const;
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

// A profile or grade name as the catalogue compares it: blanks dropped,
// letters in upper case ("ipe 300" -> "IPE300").
std::string ChiaveProfilo(const std::string& s);

// The chooser standing in for the outside profile program: it supplies the
// same items and raises the same two events.
class SceltaProfili {
  public:
    explicit SceltaProfili(const CatalogoProfili& cat) : cat_(cat) {}
    // Identification; empty when there is no catalogue.
    std::string Identificazione() const;
    // Separators of the description's numbers (the gap of a pair).
    Separatori separatori;
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
    double Wely = 0, Wply = 0, Welz = 0, Wplz = 0;  // mm³
    double RaggioRaccordo = 0, RaggioEstremita = 0; // r, r2 (mm)
    double fy = 0;                                  // N/mm²

  private:
    const CatalogoProfili& cat_;
};

// What the section window does on ComunicaProfilo: copies the settings and
// the items into the profile (mm → m, mm³ → m³, mm⁴ → m⁴, N/mm² → N/m²) and
// builds the outline. The section moduli are the catalogue's; a chooser
// without them leaves the plastic moduli to the fillet-free outline.
bool RiceviProfilo(const SceltaProfili& s, SezioneProfili& p, Messaggi& msg);

// A profile read from a data file carries its plastic moduli but not the
// elastic ones: takes Wely and Welz (and, when missing, Wply and Wplz) from
// the catalogue row of the same kind and dimensions. False when no row
// matches (nothing changed).
bool ModuliDaCatalogo(const CatalogoProfili& cat, SezioneProfili& p);

} // namespace zelvo
