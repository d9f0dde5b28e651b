// Export of the beam diagrams for the command line.
//
// Each function needs a module holding a completed calculation
// (m.Risultati.Calcolato); without one it shows "Nessun calcolo eseguito:
// diagrammi non disponibili" and returns false. Messages (faults inside a
// diagram, file errors) go to msg; every file is written atomically, and a
// drawing that fails is not written at all. nomeFile is the name shown in the
// title block ("File : " + nomeFile + " - " + title).
//
//   EsportaDXF(m, u, "out.dxf", msg)   the three diagrams stacked (PlottaFile, "DXF")
//   EsportaPDF(m, u, "out.pdf", msg)   the printed A4 page (PlottaStampa, "STAMPANTE")
//   EsportaPNG(m, u, "pre", msg)       pre-M.png, pre-T.png, pre-C.png: the screen
//   EsportaSVG(m, u, "pre", msg)       diagrams ("VIDEO") in a 1000 x 700 window
#pragma once

#include "core/messaggi.h"
#include "core/modulo_zelvo.h"
#include "io/unita.h"

#include <string>

namespace zelvo {

inline constexpr const char* TestoSenzaCalcolo =
    "Nessun calcolo eseguito: diagrammi non disponibili";
inline constexpr int LarghezzaFinestraDiagramma = 1000;
inline constexpr int AltezzaFinestraDiagramma = 700;

bool EsportaDXF(const ModuloZelvo& m, const UnitMisura& u, const std::string& percorso,
                Messaggi& msg, const std::string& nomeFile = "");
bool EsportaPDF(const ModuloZelvo& m, const UnitMisura& u, const std::string& percorso,
                Messaggi& msg, const std::string& nomeFile = "");
bool EsportaPNG(const ModuloZelvo& m, const UnitMisura& u, const std::string& prefisso,
                Messaggi& msg, const std::string& nomeFile = "");
bool EsportaSVG(const ModuloZelvo& m, const UnitMisura& u, const std::string& prefisso,
                Messaggi& msg, const std::string& nomeFile = "");

} // namespace zelvo
