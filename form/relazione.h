// The text report of the problem data and results.
//
// The report is built from what the main window shows: the texts of its
// fields, result fields and load grids, with the unit labels, so that its
// numbers appear exactly as displayed. `TestiRelazione` gathers those texts;
// `StampaRelazione` lays them out in character columns.
#pragma once

#include "io/stampa.h"

#include <array>
#include <cstdint>
#include <string>

namespace zelvo {

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
    std::array<GrigliaTesti, 3> Griglie;
    std::array<std::string, 12> Ris;  // txtRis(0..11)
    std::array<std::string, 10> Fond; // txtFond(0..9)
    std::array<std::string, 5> X;     // txtX(0..4)
};

// Caption of a constraint scheme in the report ("Appoggio - Appoggio", ...).
std::string NomeSchema(int16_t vincoli);

// Writes the report into the destination. The last line (the values at x)
// is not ended.
void StampaRelazione(const TestiRelazione& t, TestoStampa& uscita);

// The whole report as text (UTF-8, CR LF).
std::string TestoRelazione(const TestiRelazione& t);

} // namespace zelvo
