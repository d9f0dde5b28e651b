// The text report of the problem data and results.
//
// The report is built from what the main window shows: the texts of its
// fields, result fields and load grids, with the unit labels, so that its
// numbers appear exactly as displayed. `TestiRelazione` gathers those texts;
// `StampaRelazione` lays them out in character columns.
#pragma once

#include "core/dati.h"
#include "core/messaggi.h"
#include "form/relazione_verifiche.h"
#include "io/stampa.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace zelvo {

class ModelloForm;
class UnitMisura;

// Unit labels by kind of quantity (empty strings in no-units mode).
struct UnitaRelazione {
    std::string Lunghezza;         // slot 0
    std::string Modulo;            // E and soil pressure (slot 1)
    std::string Inerzia;           // slot 4 + "^4"
    std::string Forza;             // slot 3
    std::string Momento;           // slot 3 + slot 0
    std::string CaricoDistribuito; // slot 3 + "/" + slot 0
    std::string ForzaModello;      // slot 3 as held (the foundation's "max V")
};

// The load cases, their combinations, envelopes and deflection checks as
// the report prints them (values in the window's units, row 0 of each grid
// its heading); empty grids when the combinations were not calculated.
struct TestiCombinazioni {
    GrigliaTesto Casi;         // N°, Nome, Tipo, Categoria, psi0, psi1, psi2
    GrigliaTesto Coefficienti; // gamma, sfavorevole, favorevole (G1, G2, Q)
    std::vector<std::string> Formule;
    struct Inviluppo {
        std::string Nome;                 // "SLU", ..., "Quasi permanente"
        GrigliaTesto Campate;             // N°, Mmax, x, Mmin, x, Vmax, Vmin
        GrigliaTesto Appoggi;             // N°, Rmax, Rmin, Mmax, Mmin
        std::vector<std::string> Governo; // the combination governing each extreme
    };
    std::vector<Inviluppo> Inviluppi;
    // N°, L, f, L/f, limite, f2, L/f2, limite2, esito.
    GrigliaTesto Frecce;
    bool Presenti() const { return Casi.Righe() > 1; }
};

struct TestiRelazione {
    std::string NomeFile; // current data-file name
    std::string Titolo;
    UnitaRelazione Unita;
    std::array<std::string, 3> Dati;    // txtDati(0) Luce, (1) E, (2) J
    std::array<std::string, 2> Winkler; // txtWinkler(0) K, (1) b
    int16_t Vincoli = 0;
    bool FondazioneWinkler = false; // elastic soil (else rigid)
    bool ReagTraz = false;
    // Row counts of the three tables and the grids (row 0 the heading).
    std::array<int, 3> Righe{0, 0, 0};
    std::array<GrigliaTesto, 3> Griglie;
    std::array<std::string, 12> Ris;  // txtRis(0..11)
    std::array<std::string, 10> Fond; // txtFond(0..9)
    std::array<std::string, 5> X;     // txtX(0..4)
    // Continuous beam only (Vincoli 5), cells as the window's units show
    // them, row 0 the heading: the spans (N°, L, J) and supports (N°, Tipo,
    // k, Cedimento) of the data; after a calculation the supports (N°, x, R,
    // M, Rotaz., w), the spans' moments and shear (N°, M+, x, M-, x, max |V|)
    // and deflections (N°, f max, x, L/f). Empty grids otherwise.
    GrigliaTesto Campate, Appoggi;
    GrigliaTesto RisAppoggi, RisCampate, RisFrecce;
    TestiCombinazioni Combinazioni;
    // The steel member checks, when the problem has one and is calculated:
    // the heading line, the basis, the reason or the governing line, then
    // one row per check (span, check, action, resistance, utilisation,
    // outcome). Empty otherwise.
    std::vector<std::string> Verifiche;
    std::vector<std::array<std::string, 6>> RigheVerifiche;
    std::vector<std::string> DettagliVerifiche; // each check with its formula
    // The checks as the PDF report tables them.
    TestiVerifiche TabellaVerifiche;
};

// The report's texts of the module's combinations (nothing when they were
// not calculated).
TestiCombinazioni TestiCombinazioniDaForm(const ModelloForm& f);

// The labels of the current units by kind.
UnitaRelazione UnitaPerRelazione(const UnitMisura& u);

// The report's texts as the main window shows them: fields, result fields,
// grids (their cells as displayed), scheme and flags, the current file name,
// the unit labels of the window's units.
TestiRelazione TestiDaForm(const ModelloForm& f);

// Caption of a constraint scheme in the report ("Appoggio - Appoggio", ...,
// "Trave continua").
std::string NomeSchema(int16_t vincoli);

// Name of a continuous beam's support kind ("Incastro", "Appoggio", "Molla",
// "Libero").
std::string NomeAppoggio(TipoAppoggio t);

// Writes the report into the destination. The last line (the values at x)
// is not ended.
void StampaRelazione(const TestiRelazione& t, TestoStampa& uscita);

// The whole report as text (UTF-8, CR LF).
std::string TestoRelazione(const TestiRelazione& t);

// Writes the report text (UTF-8) to the file in Windows-1252 (characters
// outside the code page become "?"): into a temporary file beside it, renamed
// over the file only when everything was written. A failed write shows
// "Scrittura incompleta del file", leaves any old file intact and returns false.
bool ScriviRelazioneFile(const std::string& percorso, const std::string& testo, Messaggi& msg);

// The report of the window to a file (the "File di stampa (TXT)" service of
// the form model).
bool StampaRelazioneFile(const ModelloForm& f, const std::string& percorso, Messaggi& msg);

} // namespace zelvo
