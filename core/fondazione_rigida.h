// Infinitely rigid foundation: linear soil reaction from the resultant of the
// loads and its eccentricity, full or partial contact, rigid settlement line.
#pragma once

#include "dati.h"
#include "messaggi.h"

namespace zelvo {

// Texts of the equilibrium messages (critical icon).
inline constexpr const char* TestoRisultanteNulla =
    "Equilibrio violato !!\r\nRisultante nulla in fondazione !!";
inline constexpr const char* TestoRisultanteEsterna =
    "Equilibrio violato !!\r\nRisultante esterna in fondazione !!";
inline constexpr const char* TestoRisultanteVersoAlto =
    "Equilibrio violato !!\r\nRisultante verso l'alto in fondazione !!";

// Linear pressure under a rigid base of length L and width b loaded by the
// resultant N (positive downward) with moment M >= 0 about the middle:
// SigmaA at the end nearer the resultant, SigmaB at the other, and the
// contact length. Returns false after an equilibrium message (outputs then
// meaningless). A resultant exactly on the edge of the base (zero contact)
// is a fault.
bool PressioneLineare(float M, float N, float b, float L, bool Trazione, float& SigmaA,
                      float& SigmaB, float& Contatto, Messaggi& msg);

// Soil reaction per unit length of the rigid foundation from the loads:
// sets r.qSuoloA, r.qSuoloB, r.xContattoIniz, r.xContattoFine. Returns false
// (and leaves the four fields empty) after an equilibrium message.
bool PressioniFondazioneRigida(const DatiTrave& d, RisultatiTrave& r, Messaggi& msg);

// Rigid settlement line f(1..NPunti): the reaction line extended to 0 and
// Luce, divided by b and K, straight between the ends.
void CedimentiFondazioneRigida(const DatiTrave& d, RisultatiTrave& r);

// Soil reaction per unit length at x on the line through the contact zone's
// ends (0 outside the contact zone when the soil does not react in tension).
double ReazioneSuoloInX(const DatiTrave& d, const RisultatiTrave& r, double x);

} // namespace zelvo
