// Number texts of the form: the few operations the fields and grids need,
// on top of the program's locale-aware parsing and formatting (io/generale.h).
#pragma once

#include <string>

namespace zelvo {

// The number a field's text stands for (`ValoreNumerico`): never fails, a
// text without a leading number reads 0.
double ValoreTesto(const std::string& testo);

// True when the text (read with the locale's separators) starts with a
// number: what a grid cell must hold.
bool InizioNumerico(const std::string& testo);

// True when the whole text (blanks around it aside) is a number: what an
// integer field and the abscissa field must hold.
bool TestoNumerico(const std::string& testo);

// Field normalisation: FormatoNumero(ValoreNumerico(testo)).
std::string NormalizzaNumero(const std::string& testo);

// The locale's decimal separator.
char SeparatoreDecimaleForm();

// A rotation in radians with ten significant digits.
std::string FormatoRotazione(double rad);

// An internal value inside a message: the shortest text of the single, with
// the locale's decimal separator ("-1", "0,5", "1E-05").
std::string TestoValoreMessaggio(double v);

} // namespace zelvo
