// General utilities: regional number separators and their start-up check,
// number parsing and formatting for display, file base names, the program's
// folders and the keyboard routines of the input fields.
//
// Displayed numbers use the regional separators (`SeparatoreDecimale`,
// `SeparatoreMigliaia`); files never do (see io/flusso_valori.h).
//
// The separators come from the environment: the first non-empty of LC_ALL,
// LC_NUMERIC, LANG; an Italian setting ("it", "it_IT.UTF-8", ...) gives ","
// decimal and "." thousands, anything else "." and ",". The machine's locale
// tables are never consulted. Tests set them with `ImpostaSeparatori` or
// `SeparatoriTemporanei`.
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
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

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

struct Separatori {
    char decimale = '.';
    char migliaia = ','; // 0 when the settings give both symbols the same character
    bool operator==(const Separatori&) const = default;
};

// Separators of a locale name ("it_IT.UTF-8" -> ',' '.', anything else '.' ',').
Separatori SeparatoriPerLocale(std::string_view nome);
// Separators of the environment (LC_ALL, then LC_NUMERIC, then LANG).
Separatori SeparatoriDaAmbiente();

// The current separators (read from the environment at first use).
char SeparatoreDecimale();
char SeparatoreMigliaia();
// Sets the current separators directly (tests, or a window that knows better).
void ImpostaSeparatori(char decimale, char migliaia);

// Sets the separators for the lifetime of the object and restores the old
// ones afterwards (tests).
class SeparatoriTemporanei {
  public:
    SeparatoriTemporanei(char decimale, char migliaia);
    ~SeparatoriTemporanei();
    SeparatoriTemporanei(const SeparatoriTemporanei&) = delete;
    SeparatoriTemporanei& operator=(const SeparatoriTemporanei&) = delete;

  private:
    Separatori vecchi_;
};

// ------------------------------------------------------------------ start-up

// Regional check: sets the two separators from `regionali` (default: the
// environment) and warns about unsafe settings through `msg`:
//  - both symbols the same character: critical box "ERRORE" (the check ends);
//  - 1234567.8 does not survive formatting and parsing: critical box "ERRORE";
//  - "," thousands and "." decimal, unless `silenzioso`: exclamation box
//    "ATTENZIONE " advising the comma as decimal separator.
// `decimale`, when given, receives the decimal separator. Never stops the program.
void ControllaSeparatori(Messaggi& msg, bool silenzioso = false, char* decimale = nullptr,
                         std::optional<Separatori> regionali = std::nullopt);

// Start-up of the general utilities: `CartellaProgramma` = the folder of the
// program file, `CartellaCorrente` = the current directory, then
// `ControllaSeparatori`. `msg` also becomes the sink of the messages of the
// formatting routines called without one (`FormatoLarghezza`).
// The process's current directory is left alone: relative paths given on the
// command line must still resolve against the directory the user started in.
void AvvioGenerale(Messaggi& msg, bool silenzioso = false, char* decimale = nullptr,
                   std::optional<Separatori> regionali = std::nullopt);

// Folder of the program file (set by `AvvioGenerale`; empty before).
const std::string& CartellaProgramma();
void ImpostaCartellaProgramma(std::string cartella);
// Folder last used for data files (set by `AvvioGenerale` and the file commands).
const std::string& CartellaCorrente();
void ImpostaCartellaCorrente(std::string cartella);

// Message sink of the formatting routines called without one (may be null:
// the message is then dropped). `AvvioGenerale` sets it.
void ImpostaMessaggiGenerale(Messaggi* msg);
Messaggi* MessaggiGenerale();

// ------------------------------------------------------------------ numbers

// Text typed by the user -> number. Every thousands separator is removed, the
// first decimal separator becomes ".", then the longest leading numeric part
// is read ("." decimal point, optional exponent E/e/D/d; leading blanks
// skipped); 0 when there is none. With Italian settings "1.234,5" and
// "1234,5" both give 1234.5. A number beyond the double range throws `Guasto`.
double ValoreNumerico(std::string_view testo);

// `x` formatted with a pattern (see the top of this file), regional separators.
// A value that rounds to zero is shown without a minus sign.
std::string FormatoPattern(Numero x, std::string_view pattern);

// Grouped text with up to 8 decimals and no trailing zeros ("1.234.567,8",
// "12"); never ends with the decimal separator.
std::string FormatoNumero(Numero x);

// Text with n significant digits; non-negative numbers get a leading blank
// (the place of the minus sign); " 0" for zero and values below 1e-19.
// `pattern`, when given, receives the pattern used.
std::string FormatoCifre(int n, Numero x, std::string* pattern = nullptr);

// `FormatoCifre` when it fits in w characters, else the scientific form
// " 0.<n-1 zeros>E+00" (sign in place of the blank). When w < n + 6 the
// message "n. caratteri minimo = " + (n + 6) is shown first, through `msg`
// (or `MessaggiGenerale()` when null).
std::string FormatoLarghezza(int n, int w, Numero x, std::string* pattern = nullptr,
                             Messaggi* msg = nullptr);

// `FormatoLarghezza` without trailing zeros after the decimal separator (and
// without the separator itself when nothing follows it).
std::string FormatoCompatto(int n, int w, Numero x, Messaggi* msg = nullptr);

// Label text for diagrams with about n significant digits, "-" or a blank in
// front; zero is " 0".
std::string FormatoEtichetta(int n, Numero x);

// Normalisation of a numeric field when it is confirmed: the text becomes
// FormatoNumero(ValoreNumerico(text)).
std::string NormalizzaCampo(std::string_view testo);

// ------------------------------------------------------------------- files

// The file name without folder (either "/" or "\") and without extension.
std::string NomeBase(std::string_view nome);

// ---------------------------------------------------------------- keyboard

inline constexpr int TastoInvio = 13;
inline constexpr int TastoDecimaleTastierino = 110;

enum class AzioneTasto { Nessuna, CampoSuccessivo };

// Key pressed in an input field. Enter (13) asks the window to move the focus
// to the next field (when the field belongs to a window that does so,
// `conFinestra`); the keypad's decimal key (110) arms `TastoDecimale`.
AzioneTasto TastoGiu(int codice, bool conFinestra = true);
// Character typed: when the keypad's decimal key was just pressed, the
// character becomes `SeparatoreDecimale` and the key is disarmed.
void TastoCarattere(int& codice);
// Whether the keypad's decimal key has been pressed and not yet typed.
bool TastoDecimale();

} // namespace zelvo
