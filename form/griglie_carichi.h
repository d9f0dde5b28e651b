// The three load grids of the main window (`MsFlex`): their layout, the
// exact values behind their cells and their next controls. The grid and its
// editor are io/griglia_testo.h's.
#pragma once

#include "form/campo_form.h"
#include "io/griglia_testo.h"
#include "io/numeri.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace zelvo {

// Column headers of table 0 (trapezoids), 1 (forces), 2 (couples).
const std::vector<std::string>& IntestazioniGriglia(int tabella);
// The same with the load-case column "Caso" after the table's own columns
// when `caso` (a problem with load cases): it holds the case's number, from 1.
std::vector<std::string> IntestazioniGriglia(int tabella, bool caso);
inline constexpr const char* IntestazioneCaso = "Caso";

// Lays out grid g for table t with n data rows: n + 1 rows, the headers in
// row 0, row numbers 1..n in column 0, one fixed row and column; the data
// cells that still fit keep their texts and values; visible when n > 0. The
// editor reads and normalises numbers with the separators s (kept by
// reference: they must outlive the grid's use).
// Shapes a table as `righe` rows (the heading row included) under the
// headings, numbering the rows; the data cells that still fit keep their
// texts and exact values.
void FormaTabella(GrigliaTesto& g, int righe, const std::vector<std::string>& intestazioni);
// `caso`: with the load-case column (a grid changing shape keeps its cells).
void DimensionaMsFlex(GrigliaTesto& g, int tabella, int16_t n, const Separatori& s,
                      bool caso = false);

// The value written behind cell (r, c) while its text still reads as the
// number written with it.
std::optional<ValoreCella> EsattoCella(const GrigliaTesto& g, int r, int c, const Separatori& s);

// The control after grid t for the keyboard: txtRigheGriglia(t + 1), or
// "Calcola" after the last grid.
Fuoco SuccessivoGriglia(int tabella);
// The control before grid t for the keyboard (Shift+Tab from its first
// cell): its own row count, txtRigheGriglia(t).
Fuoco PrecedenteGriglia(int tabella);

// The question before a pasted block of n rows grows the table.
std::string TestoAggiungiRighe(int righeBlocco);

} // namespace zelvo
