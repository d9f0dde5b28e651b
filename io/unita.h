// Units of measure: the labels the user has chosen and the conversions
// between internal units (SI: m, N, N/m, N·m, Pa, m⁴, m², N/m³) and the
// units shown in the windows, the report and the diagrams.
//
// The identity of a unit is its label: every conversion compares the current
// label with the few it knows; an unknown label (or an empty one) means
// factor 1. Slots of `UnitaModello`:
//   0 length          "m" ×1, "cm" ×100, "mm" ×1000
//   1 modulus/stress  "Pa" ×1, "MPa" ÷1e6, "kPa" ÷1e3
//   2 (carried only)  "t"
//   3 force           "N" ×1, "kN" ÷1e3, "MN" ÷1e6
//   4 section length  "m", "cm", "mm": area ×f², inertia ×f⁴
// Derived: moment = (v × length) × force, label force+length ("kNm");
// distributed load = (v × force) ÷ length, label force+"/"+length ("kN/m");
// inertia label slot4+"^4", area label slot4+"^2".
// The Winkler coefficient K is always shown in daN/cm³ (÷ 1e7), in no-units
// mode too, with the fixed labels below.
//
// In no-units mode (`SenzaUnita`) every other value is shown as held and
// every label is empty.
//
// Conversions are computed in double and rounded once to the field's type:
// the float overloads return a float rounded from the double result
// (overflow throws `Guasto`), and the formatted texts of a float are made
// from the shortest single-precision text of the converted value.
#pragma once

#include "io/numeri.h"

#include <array>
#include <string>
#include <string_view>

namespace zelvo {

enum class Grandezza {
    Lunghezza, // length, abscissa, deflection, width b
    Forza,     // force, reaction
    Momento,   // moment, couple
    Carico,    // distributed load
    Tensione,  // modulus E, stress, soil pressure
    Inerzia,   // moment of inertia J
    Area,      // area
    K,         // Winkler coefficient
};

// Fixed labels of K (shown in daN/cm³).
inline constexpr const char* EtichettaKReport = " daN/cm^3";
inline constexpr const char* EtichettaKDiagramma = "daN/cm3";
inline constexpr const char* EtichettaKCampo = "daN/cm";

// The labels of the units window's options by group (length, modulus and
// stress, force, section length), choice 0 to 2, and the start labels.
inline constexpr std::array<std::array<const char*, 3>, 4> ScelteUnita{
    {{"m", "cm", "mm"}, {"Pa", "MPa", "kPa"}, {"N", "kN", "MN"}, {"m", "cm", "mm"}}};
inline constexpr std::array<const char*, 5> UnitaIniziali{"m", "MPa", "t", "kN", "cm"};

// The units of one window or run, owned by it and passed to whoever shows,
// reads or writes values in them.
class UnitMisura {
  public:
    std::array<std::string, 5> UnitaModello{UnitaIniziali[0], UnitaIniziali[1], UnitaIniziali[2],
                                            UnitaIniziali[3], UnitaIniziali[4]};
    bool SenzaUnita = false;
    // The regional separators of every text shown or typed in these units
    // (the desktop's in the windows, the environment's on the command line).
    Separatori separatori;

    // Labels "m", "MPa", "t", "kN", "cm".
    void UnitaDefault();
    // All five labels empty.
    void UnitaVuote();

    // Internal -> shown.
    double Mostrata(Grandezza g, double v) const;
    float Mostrata(Grandezza g, float v) const;
    // Shown -> internal.
    double Interna(Grandezza g, double v) const;
    float Interna(Grandezza g, float v) const;
    // Internal value -> shown text: FormatoLarghezza(4, 10) of the shown
    // value, or FormatoLarghezza(n, n + 6) when n > 0.
    std::string Testo(Grandezza g, Numero v, int n = 0) const;
    // Text of an entry field (regional separators) -> internal value.
    double Leggi(Grandezza g, std::string_view testo) const;
    // ... rounded once to a single (overflow throws `Guasto`).
    float LeggiSingolo(Grandezza g, std::string_view testo) const;
    // Label of the quantity ("" in no-units mode; K: `EtichettaKCampo`),
    // wrapped as "(" + label + ")" when `parentesi`.
    std::string Etichetta(Grandezza g, bool parentesi = false) const;

    // Factor applied by `Mostrata` for lengths, forces, stresses, section
    // lengths: shown = internal × factor (1 for unknown labels).
    double FattoreLunghezza() const;
    double FattoreForza() const;
    double FattoreTensione() const;
    double FattoreSezione() const;
};

} // namespace zelvo
