// The beam diagrams: moments ("M", with the deflected shape), shears ("T")
// and loads ("C", with the soil reaction of a foundation), drawn with the
// primitives of grafica.h through a plot window of their own, so that the
// same code serves the screen, the printer, DXF files and the CAD seam.
//
// Plot units: abscissae are beam abscissae; an ordinate is a value divided by
// the diagram's scale, with the sign reversed for moments, shears and
// deflections (sagging moments, positive shears and downward deflections lie
// below the axis). A scale is internal value units per plot unit ("1:" scale).
//
// A `Plotta` is one drawer of diagrams with its own drawing state and plot
// window: each diagram window owns one, an export makes one, so that any
// number of diagrams can be drawn side by side. Every drawing needs a
// completed calculation in the module (Calcolato).
#pragma once

#include "core/messaggi.h"
#include "core/modulo_zelvo.h"
#include "graphics/disegno_continua.h"
#include "graphics/grafica.h"
#include "graphics/plottaggio.h"
#include "graphics/superficie.h"
#include "io/unita.h"

#include <exception>
#include <memory>
#include <optional>
#include <string>

namespace zelvo {

class FabbricaSuperfici;

// What the moment and shear diagrams show once the load cases of the
// problem are calculated: every load as given (Tutti), one case alone
// (Caso: indice is its index in RisultatiCombinazioni::Casi), or the
// envelope of one kind of combination (Inviluppo: indice is its
// TipoCombinazione).
struct VistaDiagrammi {
    enum class Tipo { Tutti, Caso, Inviluppo };
    Tipo tipo = Tipo::Tutti;
    int indice = 0;
    bool operator==(const VistaDiagrammi&) const = default;
};

// The user's choices for the diagrams: the scales typed in the scale dialog
// (while ScalaUtente is true the moment and shear diagrams use them instead
// of their automatic scales) and the view chosen in the diagram windows,
// which the printed and exported diagrams follow as well.
struct ScaleUtente {
    bool ScalaUtente = false;
    double ScalaMomentiUtente = 0, ScalaTagliUtente = 0;
    VistaDiagrammi Vista{};
};

// What the diagrams read: the calculation module, the units, the message
// sink, the main window's file name (for the title block), the user
// scales (none: automatic scales) and the canvases of the PDF, PNG and SVG
// files (none: those files cannot be written).
struct ContestoDiagrammi {
    const ModuloZelvo* Modulo = nullptr;
    const UnitMisura* Unita = nullptr;
    Messaggi* Msg = nullptr;
    std::string NomeFile;
    const ScaleUtente* Scale = nullptr;
    FabbricaSuperfici* Superfici = nullptr;
};

// The view the diagrams draw: the one chosen when the module's combinations
// are calculated and the choice names one of their cases or envelopes,
// every load otherwise.
VistaDiagrammi VistaInVigore(const ContestoDiagrammi& c);
// A view as the windows list it: "Tutti i carichi", the case's name,
// "Inviluppo SLU", "Inviluppo Rara", ...
inline constexpr const char* TestoTuttiICarichi = "Tutti i carichi";
std::string NomeVista(const RisultatiCombinazioni& r, VistaDiagrammi v);
// The largest and smallest curves of quantity g in view v at the points of
// the combinations (a case alone: its values in both); false when the view
// has no such curve or its sizes do not match the points.
bool CurveVista(const RisultatiCombinazioni& r, VistaDiagrammi v, GrandezzaInviluppo g,
                CurvaInviluppo& c);
// The governing combination as a diagram's label shows it, short: the
// variable cases loaded, with their spans (1-based) unless they load every
// one of nCampate, the leading one marked "dom." when more than one is
// loaded; in SLU the permanent kinds taken favourable. "Q1 camp. 1 3 dom.;
// Q2 camp. 2; G2 fav."; "solo permanenti" without variable cases.
std::string TestoGovernoBreve(const Governo& g, const std::vector<CasoCarico>& casi, int nCampate);
// The points a view's curves label, span by span: on the largest curve its
// largest value where it is above zero (else its smallest, where the curve
// lies below zero), on the smallest curve its smallest value where it is
// below zero (else its largest, where it lies above zero; only with
// minimiPositivi). Values within 1e-9 of the largest magnitude are not
// labelled, nor a value already labelled at the same abscissa (within the
// same tolerance).
struct PuntoEtichetta {
    int Indice = 0;      // point (0-based)
    bool Massimo = true; // on the largest curve
};
std::vector<PuntoEtichetta> PuntiEtichette(const std::vector<double>& x,
                                           const std::vector<int>& campata, const CurvaInviluppo& c,
                                           bool minimiPositivi);

// The three diagrams: bending moments (with the deflected shape), shears,
// loads (with the soil reaction of a foundation).
enum class TipoDiagramma { Momento, Taglio, Carichi };
inline constexpr TipoDiagramma TuttiIDiagrammi[] = {TipoDiagramma::Momento, TipoDiagramma::Taglio,
                                                    TipoDiagramma::Carichi};
// The diagram's letter in the names of its files: "M", "T", "C".
const char* Lettera(TipoDiagramma d);

// State of a drawer of diagrams.
struct StatoPlotta {
    TipoDiagramma Tipo = TipoDiagramma::Momento; // the diagram being drawn
    float xIniziale = 0, xFinale = 0;
    float yMinDiagramma = 0, yMaxDiagramma = 0;
    double AltezzaTestoDiagrammi = 0;
    // Scales of the last diagrams computed (shown by the diagram windows).
    double ScalaMomenti = 0, ScalaTagli = 0, ScalaCarichi = 0;
    double ScalaDeformata = 0;
    // Scales of the load diagram's quantities (0: the quantity is not drawn).
    double ScalaTrapezi = 0, ScalaForze = 0, ScalaSuolo = 0, CoppiaMassima = 0;
};

class Plotta {
  public:
    // One diagram on the given target (the diagram windows: "VIDEO"; the
    // printed page: "STAMPANTE", each diagram in its band). False when
    // nothing (or not all) was drawn; a fault shows its message.
    bool PlottaDiagramma(const ContestoDiagrammi& c, TipoDiagramma d, Superficie& superficie);
    // The printed page: the three diagrams, each in its band.
    bool PlottaStampa(const ContestoDiagrammi& c, Superficie& superficie);
    // Files and CAD: the three diagrams stacked downwards in one drawing.
    bool PlottaFile(const ContestoDiagrammi& c, Superficie& superficie);

    // Scale and ordinate window of a diagram (sets yMin/yMaxDiagramma); with
    // disegna also the drawing, on the target of the last entry above.
    void PlottaMomenti(double offset, bool disegna);
    void PlottaTagli(double offset, bool disegna);
    void PlottaCarichi(double offset, bool disegna);
    double CalcolaScala(double x1, double x2, double vMin, double vMax, TipoDiagramma d);
    double PosizioneEtichetta(double y) const;

    const StatoPlotta& Stato() const { return p_; }
    // The drawing state (current target, scales) of the last drawing.
    const Grafica& Disegno() const { return g_; }
    // The plot window of the diagram being drawn (none between diagrams).
    const Plottaggio* Finestra() const { return finestra_.get(); }

  private:
    bool Pronto(const ContestoDiagrammi& c) const;
    void Avvia(const ContestoDiagrammi& c, Superficie& s, double divisoreH);
    template <class Fn> bool Protetto(Fn fn);
    Plottaggio& FinestraDiagrammi();
    void ImpostaFinestra(double offset);
    void PlottaAsse();
    void Appoggio(double xe, double a);
    void Incastro(double xe, bool aSinistra, double a);
    // The title block; vista: the view's name (none for every load).
    void TitoloEScala(const std::string& didascalia, double scala, const std::string& vista = {});
    void CurvaESonda(const Vettore1<float>& v, const std::optional<float>& vx, double scala);
    void EtichetteEstremi(Grandezza g, double x1, double v1, double x2, double v2, double scala);
    // The moment or shear diagram of a view other than Tutti.
    void PlottaVista(TipoDiagramma d, const VistaDiagrammi& v, double offset, bool disegna);
    // A view's curves and labels (in `colore` the largest curve, in blue
    // the smallest one of an envelope); returns the boxes the labels take.
    std::vector<Riquadro> CurveEtichetteVista(const VistaDiagrammi& v, GrandezzaInviluppo q,
                                              double scala, int32_t colore, Grandezza g,
                                              std::vector<Riquadro> ostacoli, bool governo);
    // The continuous beam's diagram window as its drawings map it, and its
    // axis, supports and labels.
    MappaDiagramma MappaContinua(double scala) const;
    // Returns the boxes the supports and labels take.
    std::vector<Riquadro> EtichetteTraveContinua(DiagrammaContinua d, Grandezza g, double scala);
    void PlottaTrapezio(double q1, double q2, double d1, double d2, double s, bool suolo);
    void PlottaSuoloWinkler(double sP);
    void Coppia(double W, double dW, double Wmax);
    std::string Etichetta(Grandezza g, double v) const;
    std::string Valore(Grandezza g, double v) const;
    double H() const { return p_.AltezzaTestoDiagrammi; }
    const DatiTrave& Dati() const { return c_->Modulo->Dati; }
    const RisultatiTrave& Ris() const { return c_->Modulo->Risultati; }

    const ContestoDiagrammi* c_ = nullptr;
    Superficie* sup_ = nullptr;
    StatoPlotta p_;
    Grafica g_;
    std::unique_ptr<Plottaggio> finestra_;
    // The boxes the title block's lines of the last diagram take (plot units).
    std::vector<Riquadro> titolo_;
};

// The owner's PlottaInOggetto for the diagrams: a printed page gets the
// three diagrams in bands, a file or CAD target the stacked drawing; any
// other target shows "Sub PlottaInOggetto - Uscita = " + its name.
bool PlottaInOggettoDiagrammi(const ContestoDiagrammi& c, Superficie& superficie);

double ScalaTonda(double v);

// Text of a fault inside a diagram.
std::string TestoErroreDiagramma(const std::exception& e);

} // namespace zelvo
