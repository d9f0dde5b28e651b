// The beam diagrams: moments ("M", with the deflected shape), shears ("T")
// and loads ("C", with the soil reaction of a foundation), drawn with the
// primitives of grafica.h through one shared plot window, so that the same
// code serves the screen, the printer, DXF files and the CAD seam.
//
// Plot units: abscissae are beam abscissae; an ordinate is a value divided by
// the diagram's scale, with the sign reversed for moments, shears and
// deflections (sagging moments, positive shears and downward deflections lie
// below the axis). A scale is internal value units per plot unit ("1:" scale).
//
// Every routine needs a completed calculation in the module (Calcolato).
#pragma once

#include "core/messaggi.h"
#include "core/modulo_zelvo.h"
#include "graphics/plottaggio.h"
#include "graphics/superficie.h"
#include "io/unita.h"

#include <memory>
#include <string>

namespace zelvo {

// What the diagrams read: the calculation module, the units, the message
// sink and the main window's file name (for the title block).
struct ContestoDiagrammi {
    const ModuloZelvo* Modulo = nullptr;
    const UnitMisura* Unita = nullptr;
    Messaggi* Msg = nullptr;
    std::string NomeFile;
};

// Module state of the diagrams.
struct StatoPlotta {
    std::string Diagramma;            // "M", "T" or "C"
    std::string DispositivoDiagrammi; // target of the current drawing
    SuperficieRaster* SuperficieDiagrammi = nullptr;
    std::unique_ptr<Plottaggio> FinestraDiagrammi;
    float xIniziale = 0, xFinale = 0;
    float yMinDiagramma = 0, yMaxDiagramma = 0;
    double AltezzaTestoDiagrammi = 0;
    bool ScalaUtente = false;
    double ScalaMomentiUtente = 0, ScalaTagliUtente = 0;
    // Scales of the last diagrams computed (shown by the diagram windows).
    double ScalaMomenti = 0, ScalaTagli = 0, ScalaCarichi = 0;
    double ScalaDeformata = 0;
    // Scales of the load diagram's quantities (0: the quantity is not drawn).
    double ScalaTrapezi = 0, ScalaForze = 0, ScalaSuolo = 0, CoppiaMassima = 0;
};
StatoPlotta& Plotta();

// One diagram on the given target (the diagram windows: "VIDEO"; the main
// window prints the three one after the other on "STAMPANTE").
// False when nothing (or not all) was drawn; a fault shows its message.
bool PlottaDiagramma(const ContestoDiagrammi& c, const std::string& lettera,
                     const std::string& dispositivo, SuperficieRaster* superficie);
// The printed page: the three diagrams, each in its band.
bool PlottaStampa(const ContestoDiagrammi& c, const std::string& dispositivo,
                  SuperficieRaster* superficie);
// "DXF" / "DWG": the three diagrams stacked downwards in one drawing.
bool PlottaFile(const ContestoDiagrammi& c, const std::string& dispositivo,
                SuperficieRaster* superficie = nullptr);

// The form's PlottaInOggetto dispatch for the diagrams: "STAMPANTE" ->
// PlottaStampa, "DXF"/"DWG" -> PlottaFile, any other target shows
// "Sub PlottaInOggetto - Uscita = " + target.
bool PlottaInOggettoDiagrammi(const ContestoDiagrammi& c, const std::string& dispositivo,
                              SuperficieRaster* superficie);

// Scale and ordinate window of a diagram (sets yMin/yMaxDiagramma).
void PlottaMomenti(const ContestoDiagrammi& c, double offset, bool disegna);
void PlottaTagli(const ContestoDiagrammi& c, double offset, bool disegna);
void PlottaCarichi(const ContestoDiagrammi& c, double offset, bool disegna);
double CalcolaScala(double x1, double x2, double vMin, double vMax, const std::string& lettera);
double ScalaTonda(double v);
void ImpostaFinestra(double offset);
void PlottaAsse(const ContestoDiagrammi& c);
double PosizioneEtichetta(double y);

// Text of a fault inside a diagram.
std::string TestoErroreDiagramma(const std::exception& e);

} // namespace zelvo
