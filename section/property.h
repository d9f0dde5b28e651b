// The material-and-section record handed to the beam, and the materials table.
#pragma once

#include "core/messaggi.h"
#include "io/flusso_valori.h"
#include "io/griglia_testo.h"
#include "io/unita.h"
#include "section/sezione_edit.h"
#include "section/sezione_profili.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace zelvo {

// Writes or reads the typed section's value list and
// its plastic moduli. Failures throw ErroreFile after their message.
void CollLeggeScrive(SezioneEdit& s, FlussoValori& NumeroFile, Verso Modo);
// The same for a profile; `versione` is the file's format version (the
// pairing line is read only from "5.4" on).
void LeggeScriveProfili(SezioneProfili& p, FlussoValori& NumeroFile, Verso Modo,
                        const std::string& versione = "5.4");

class Property {
  public:
    int32_t iProp = 0;
    double E = 0;
    double nU = 0;
    double Alfa = 0;
    double Density = 0;
    std::string NomeMat;
    double Area = 0;
    double Jota = 0;
    int16_t tipo = 0;
    std::string DidSezione;
    std::string NomeProp;
    bool SezioneConEdit = true;
    SezioneProfili SezionePr;
    SezioneEdit SezioneEd;
    bool SezioneNL = false;
    double fyBeam = 0;
    double My_pos = 0;
    double My_neg = 0;
    double Pyc = 0;
    double Pyt = 0;
    double MsuMy_posA = 0;
    double MsuMy_negB = 0;
    double PsuPycA = 0;
    double PsuPycB = 0;
    int16_t YieldSrf = 0;
    double xI = 0;
    double xj = 0;
    double yI = 0;
    double yj = 0;
    double Et = 0;
    int16_t BuckCode = 0;
    double Syc = 0;
    double Syt = 0;

    // Writes or reads the whole record on an open data file; failures throw
    // ErroreFile (after the stream's message). A section read takes the
    // section length unit of `u` (the units of the problem it belongs to).
    // `conFy`: a line with the typed yield stress fyBeam closes the record
    // (see FyNelFile).
    void LeggeScrive(Verso Modo, FlussoValori& NumeroFile, const UnitMisura& u,
                     const std::string& versione = "5.4", bool conFy = false);
    // The record carries a yield stress the user typed for the check: fyBeam
    // > 0 that the nonlinear data do not already hold and that is not simply
    // the one handed over with the profile. Only then is it written, after
    // the record (a record without it keeps the older layout).
    bool FyNelFile() const {
        return !SezioneNL && fyBeam > 0 && (SezioneConEdit || fyBeam != SezionePr.fySteelTMP);
    }
    // My from the whole section's plastic modulus in its position
    // (SezioneProfili::WplFlessione) and fyBeam; false (My unchanged) when
    // the product overflows.
    bool CalcolaMy();
    bool DatiErrati(Messaggi& msg) const;
    bool DatiNonLinearErrati(std::string& messaggio, Messaggi& msg) const;
};

// ---------------------------------------------------------------------------
// Materials.

struct Materiale {
    const char* nome;
    double E, nU, Density, Alfa;
};
// The eleven default materials, in order.
const std::array<Materiale, 11>& MaterialiDefault();

// The materials grid: row 0 is the header, rows 1.. the materials; columns
// 1..5 hold name, modulus (current stress unit), Poisson's ratio, density,
// thermal expansion as text; column 0 the selection marker.
struct TabellaMateriali {
    GrigliaTesto Griglia{1, 6, 1, 1};
    int Selezionata = 1;
    int Righe() const { return Griglia.Righe(); }
    // Sets rows × 6 cells (cleared), keeping the header row.
    void Dimensiona(int righe);
    // Row filling: name, modulus in the current stress unit, the other three
    // with 4 decimals (exponential when longer than 10 characters).
    void Riempi(int riga, const std::string& nome, double E, double nU, double Density, double Alfa,
                const UnitMisura& u);
    // The default-materials action.
    void Default(const UnitMisura& u);
    // Removes a material row; false ("Impossibile rimuovere l'ultima riga"
    // shown) when it is the only one.
    bool EliminaRiga(int riga, Messaggi& msg);
};

// The user's materials file: "VantrexMateriali.txt" in the user's data
// folder (an installed program cannot write beside its executable).
std::filesystem::path PercorsoMateriali();
// The default materials file shipped with the program.
std::filesystem::path PercorsoMaterialiPredefiniti();

// Reads the materials file into the grid (Verso::Leggi) or writes the grid to it
// (Verso::Scrivi). Reading: when `percorso` does not exist yet the shipped defaults
// `predefiniti` (if given) are read in its place, silently; a missing or
// unreadable file shows "File " + path + " non trovato. Vengono inseriti i
// materiali di default" and inserts the built-in defaults.
// Writing creates the file's folder when missing, goes to a temporary file
// renamed over the old one only when complete; on failure the grid is kept
// and "Impossibile salvare il file " + path + ". I materiali non sono stati
// salvati." is shown. Returns success.
bool FileMaterialiLeggeScrive(TabellaMateriali& t, Verso Modo, Messaggi& msg, const UnitMisura& u,
                              const std::filesystem::path& percorso = PercorsoMateriali(),
                              const std::filesystem::path& predefiniti = {});

} // namespace zelvo
