// Numbers as text: the one reader and the one writer of the program.
//
// Two kinds of text:
//  - machine texts (files, JSON, DXF, the profile catalogue, command-line
//    arguments): "." decimal point, no grouping, never the C library's locale.
//    Written by `TestoBreve` / `TestoCifre`, read by `LeggiMacchina`;
//  - display texts (fields, grids, labels, reports, messages): the regional
//    separators of a `Separatori` object that the caller owns and passes.
//    Written by the `Formato...` routines, read by `LeggiUtente`.
//
// Formatting patterns ("#,##0.000", " 0.000E+00", ...) follow the usual
// semantics: `#` optional digit, `0` required digit, `,` grouping in the
// integer part, `.` decimal point, `E+`/`E-` exponent. Rounding is half away
// from zero, applied to the shortest decimal text that reads back to the same
// value of the number's type: the single 1.005 is "1.005" and rounds to 1.01,
// the double 1.005 (1.00499999999999989...) is also "1.005" and rounds to 1.01.
#pragma once

#include "core/messaggi.h"

#include <concepts>
#include <cstddef>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>

namespace zelvo {

// A number to be formatted, with the precision of its type: a float is
// formatted from its shortest single-precision text, a double (or an
// integer) from its shortest double-precision text.
class Numero {
  public:
    Numero(double v) : valore_(v), singolo_(false) {}
    Numero(float v) : valore_(v), singolo_(true) {}
    template <std::integral I> Numero(I v) : valore_(static_cast<double>(v)), singolo_(false) {}

    double Valore() const { return valore_; }
    bool Singolo() const { return singolo_; }

  private:
    double valore_;
    bool singolo_;
};

// ---------------------------------------------------------------- separators

// The regional separators of displayed numbers (UTF-8 texts, usually one
// character each). `migliaia` is empty when the settings give both symbols
// the same character (the start-up check reports it).
struct Separatori {
    std::string decimale = ".";
    std::string migliaia = ",";
    bool operator==(const Separatori&) const = default;
};

// Separators from a locale's two symbols. A locale without a thousands
// symbol (the C locale) groups with the other of "." and ","; a thousands
// symbol equal to the decimal one becomes empty.
Separatori SeparatoriDa(std::string_view decimale, std::string_view migliaia);

// Separators of an installed locale ("it_IT.UTF-8"; "" = the one the
// environment names: LC_ALL, LC_NUMERIC, LANG), read from its data without
// touching the process's locale. Empty when the locale is not installed.
std::optional<Separatori> SeparatoriDiLocale(const std::string& nome);

// Separators of the environment's locale; "." and "," when it cannot be loaded.
Separatori SeparatoriDaAmbiente();

// The keypad's decimal key as the keyboard reports it: '.' or ',' as the
// layout prints it, Delete with Num Lock off; `Altro`: any other key.
enum class TastoTastierino { Punto, Virgola, Canc, Altro };

// What the keypad's decimal key types in a number field: the regional
// decimal separator, whatever the layout prints on the key. Nothing for a
// key off the keypad or another key (it types what it types).
std::optional<std::string> TestoTastierino(bool tastierino, TastoTastierino tasto,
                                           const Separatori& s);

// ------------------------------------------------------------ machine texts

// Shortest decimal text that reads back to the same value ("2.5", "1e-05");
// `esponente` is the exponent letter. Not finite: throws `Guasto`.
std::string TestoBreve(double v, char esponente = 'e');
std::string TestoBreve(float v, char esponente = 'e');

// The value with `cifre` significant digits as C's "%.<cifre>G" writes it
// ("0.5", "1.5E-05", "1E+20"). Not finite: throws `Guasto`.
std::string TestoCifre(double v, int cifre);

enum class EsitoLettura { Letto, NonNumerico, FuoriLimiti };

// The whole text as a number: optional sign, digits with an optional "." (at
// least one digit), optional exponent E, e, D or d. Rounded once to the type.
// A value below the type's range reads as its nearest value (0 or a
// subnormal); one beyond it is `FuoriLimiti`, and so is anything that is not
// finite.
EsitoLettura LeggiMacchina(std::string_view testo, double& v);
EsitoLettura LeggiMacchina(std::string_view testo, float& v);

// ------------------------------------------------------------ display texts

// A typed text read with the regional separators: every thousands separator
// is removed, the first decimal separator stands for the point, then the
// longest leading numeric part is read (leading blanks skipped; exponent E,
// e, D or d). With Italian separators "1.234,5" and "1234,5" both give 1234.5.
struct LetturaUtente {
    double valore = 0;        // 0 when there is no leading number (or it is out of range)
    bool numero = false;      // the text starts with a number
    bool completo = false;    // ... and nothing but blanks follows it
    bool fuoriLimiti = false; // ... beyond the double range
};
LetturaUtente LeggiUtente(std::string_view testo, const Separatori& s);

// ------------------------------------------------------- typed numbers (strict)

// What a field or cell the user types into holds, read strictly with the
// regional separators: blanks around; an optional sign; digits, with
// thousands separators only between groups of exactly three digits before the
// decimal separator (the first group one to three digits); at most one
// decimal separator; at least one digit; an optional exponent (E or e, an
// optional sign, digits). With Italian separators "1.234,5", "1234,5" and
// "2,5E-3" are numbers; "8.5", "1.23,4", "12abc" and "2.5" are not.
enum class EsitoRegionale { Numero, Vuoto, NonNumero, FuoriLimiti };
struct LetturaRegionale {
    EsitoRegionale esito = EsitoRegionale::Vuoto;
    double valore = 0; // the number when `esito` is Numero, else 0
    bool Letto() const { return esito == EsitoRegionale::Numero; }
};
LetturaRegionale LeggiRegionale(std::string_view testo, const Separatori& s);

// The message that refuses a typed text: the place (a field's caption, or a
// table with its row and column), the text, then the decimal separator to
// use, on two lines.
std::string TestoNumeroRifiutato(const std::string& luogo, std::string_view testo,
                                 const Separatori& s);

// The message that refuses a number too large for the calculation ("1E+400").
std::string TestoNumeroFuoriLimiti(const std::string& luogo, std::string_view testo);

// A typed text refused where it is read: the message above, and the place
// as the caller names it. Not a `Guasto`: the reader shows it as it is and
// moves the focus to the place.
class NumeroRifiutato : public std::runtime_error {
  public:
    NumeroRifiutato(const std::string& messaggio, std::string luogo)
        : std::runtime_error(messaggio), Luogo(std::move(luogo)) {}
    std::string Luogo;
};

// The number a text strictly stands for, or NumeroRifiutato naming `luogo`.
// An empty text gives `vuoto`.
double LeggiTipizzato(std::string_view testo, const Separatori& s, const std::string& luogo,
                      double vuoto = 0);

// The number a typed text stands for; 0 when it has no leading number.
// A number beyond the double range throws `Guasto`.
double ValoreNumerico(std::string_view testo, const Separatori& s);

// The text starts with a number (what a grid cell must hold).
bool InizioNumerico(std::string_view testo, const Separatori& s);
// The whole text, blanks around it aside, is a number (what an integer field
// and the abscissa field must hold).
bool TestoNumerico(std::string_view testo, const Separatori& s);

// `x` formatted with a pattern (see the top of this file).
// A value that rounds to zero is shown without a minus sign.
std::string FormatoPattern(const Separatori& s, Numero x, std::string_view pattern);

// Grouped text with up to 8 decimals and no trailing zeros ("1.234.567,8",
// "12"); never ends with the decimal separator.
std::string FormatoNumero(const Separatori& s, Numero x);

// Text with n significant digits; non-negative numbers get a leading blank
// (the place of the minus sign); " 0" for zero and values below 1e-19.
// `pattern`, when given, receives the pattern used.
std::string FormatoCifre(const Separatori& s, int n, Numero x, std::string* pattern = nullptr);

// `FormatoCifre` when it fits in w characters, else the scientific form
// " 0.<n-1 zeros>E+00" (sign in place of the blank). When w < n + 6 the
// message "n. caratteri minimo = " + (n + 6) is shown first through `msg`
// (callers that always pass w >= n + 6 may pass none).
std::string FormatoLarghezza(const Separatori& s, int n, int w, Numero x,
                             std::string* pattern = nullptr, Messaggi* msg = nullptr);

// `FormatoLarghezza` without trailing zeros after the decimal separator (and
// without the separator itself when nothing follows it).
std::string FormatoCompatto(const Separatori& s, int n, int w, Numero x, Messaggi* msg = nullptr);

// Label text for diagrams with about n significant digits, "-" or a blank in
// front; zero is " 0".
std::string FormatoEtichetta(const Separatori& s, int n, Numero x);

// The shortest text of the single nearest to v, with the regional decimal
// separator and "E" exponent ("-1", "0,5", "1E-05"): a value inside a message
// or a field that shows exactly what is held.
std::string TestoBreveRegionale(const Separatori& s, float v);

// Normalisation of a numeric field when it is confirmed or loses the focus:
// a text that `LeggiRegionale` reads becomes the same number in the regional
// format, grouped (`FormatoNumero`) when that text reads back to the same
// double, else in the exponent form ("1,2345E-07"); any other text is
// returned unchanged (it is refused where it is used).
std::string NormalizzaCampo(const Separatori& s, std::string_view testo);

} // namespace zelvo
