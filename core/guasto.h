// Run-time faults of the calculation and the checked helpers that detect them.
//
// The calculation's run-time faults (division by zero, overflow of a single or
// of a 16-bit integer, invalid number text, an index out of bounds) do not trap
// by themselves in C++. They are detected where they happen by the helpers
// below, which throw `Guasto`; the pipeline's single catch turns it into
// "Errore! Controllare i dati". No inf or NaN ever leaves the core.
#pragma once

#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>
#include <stdexcept>
#include <string>
#include <utility>

namespace zelvo {

// The one internal fault type. The text is for developers only (never shown).
class Guasto : public std::runtime_error {
  public:
    explicit Guasto(const std::string& causa) : std::runtime_error(causa) {}
};

// A fault the user can mend by changing one datum: the generic message is
// followed by a line that says what to change.
class GuastoSpiegato : public Guasto {
  public:
    GuastoSpiegato(const std::string& causa, std::string riga)
        : Guasto(causa), riga_(std::move(riga)) {}
    const std::string& Riga() const { return riga_; }

  private:
    std::string riga_;
};

// A double that must be finite (overflow or 0/0 of a double is a fault).
inline double Finito(double v, const char* dove = "valore non finito") {
    if (!std::isfinite(v)) throw Guasto(dove);
    return v;
}

// Checked division: a zero divisor or a non-finite quotient is a fault.
inline double Diviso(double a, double b, const char* dove = "divisione per zero") {
    if (b == 0.0) throw Guasto(dove);
    return Finito(a / b, dove);
}

// A double as a single when it fits one; none on overflow or NaN. Values
// below the smallest single round to zero or a subnormal, as the hardware does.
inline std::optional<float> SingoloSeEntra(double v) {
    if (!std::isfinite(v)) return std::nullopt;
    const float f = static_cast<float>(v);
    if (!std::isfinite(f)) return std::nullopt;
    return f;
}

// Conversion of a double to a single: overflow (or NaN) is a fault.
inline float ASingolo(double v, const char* dove = "overflow di un single") {
    if (const auto f = SingoloSeEntra(v)) return *f;
    throw Guasto(dove);
}

// Conversion to a 16-bit integer with rounding half to even (the conversion
// of the integer fields); out of range is a fault.
inline int16_t AIntero16(double v, const char* dove = "overflow di un intero a 16 bit") {
    if (!std::isfinite(v)) throw Guasto(dove);
    const double r = std::nearbyint(v);
    if (r < -32768.0 || r > 32767.0) throw Guasto(dove);
    return static_cast<int16_t>(r);
}

// A 16-bit count built from a wider integer.
inline int16_t Conteggio16(long long n, const char* dove = "overflow di un intero a 16 bit") {
    if (n < -32768 || n > 32767) throw Guasto(dove);
    return static_cast<int16_t>(n);
}

} // namespace zelvo
