// Output primitives of the text report.
//
// The report is laid out in character columns. `TestoStampa` collects it in
// memory (UTF-8, lines ended by CR LF) and tracks the current column, so the
// same text can go to a Windows-1252 file, to standard output or, line by
// line, to a printer.
#pragma once

#include "io/griglia_testo.h"

#include <string>
#include <string_view>
#include <vector>

namespace zelvo {

// Number of characters of a UTF-8 text (code points; an invalid byte counts
// as one character, as it will be written as one byte).
int LunghezzaCaratteri(std::string_view testo);

class TestoStampa {
  public:
    // Writes the text at the current position without ending the line.
    // A line break inside the text starts a new line.
    void StampaTesto(std::string_view testo);
    // Moves to column n (from 1) of the current line with blanks; when the
    // current position is already beyond n, to column n of the next line.
    // n < 1 counts as 1.
    void StampaTab(int n);
    // Writes the text and ends the line.
    void StampaRiga(std::string_view testo = {});
    // Writes a grid (row 0 the heading): for every row, every column, the cell text with
    // blanks trimmed (a single blank when empty) followed by a move to column
    // 15 × (column + 1); every row ends with a blank and the end of the line.
    // A grid of one row or less (heading only) writes nothing.
    void StampaGriglia(const GrigliaTesto& griglia);

    // Current column, from 1.
    int Colonna() const { return colonna_; }
    // The text written so far: UTF-8, lines ended by CR LF.
    const std::string& Testo() const { return testo_; }
    // The same text with LF line ends (for a terminal).
    std::string TestoLF() const;
    // The lines written so far; the last one is included even when not ended.
    std::vector<std::string> Righe() const;

  private:
    std::string testo_;
    int colonna_ = 1;
};

// Blanks (spaces and tabs) removed at both ends.
std::string Rifila(std::string_view testo);

} // namespace zelvo
