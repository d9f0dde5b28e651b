// The steel member checks as the PDF report details them: the check's data,
// the cross-section's class and properties, and for every span each check
// with its formula named, action, resistance, utilisation and outcome, and
// the lateral-torsional buckling of each length between restraints. Built
// from the composed checks of the window (`ComponiVerifiche`): its rows'
// texts are reused as they are, only the formulas and the details of the
// result are added. No toolkit.
#pragma once

#include "core/dati.h"
#include "form/verifiche_form.h"

#include <array>
#include <string>
#include <vector>

namespace zelvo {

struct TestiVerifiche {
    // "label", "value" pairs of the check's data (profile, steel, fy, ε,
    // γM0, γM1) and of the cross-section (class, Wy, Av, hw/tw).
    std::vector<std::array<std::string, 2>> Dati, Sezione;
    std::string Ritegni;      // "Ritegni laterali dell'ala compressa: ..."
    std::string Quota;        // "Quota dei carichi: ..."
    std::string Imbozzamento; // the web's shear-buckling check, hw/tw against 72ε/η
    // One row per check, span by span: span number, check, formula, action,
    // resistance, utilisation, outcome; red when the utilisation is above 1.
    std::vector<std::array<std::string, 7>> Righe;
    std::vector<bool> Rosse;
    // The details of a span: bending with shear, the buckling lengths
    // (x0 - x1, MEd, Mcr, C1, λLT, χLT, f, χLT,mod, Mb,Rd, utilisation).
    // Spans without details are left out.
    struct Campata {
        std::string Titolo; // "Campata 1, x da 0,00 a 6,00 m, azioni: ..."
        std::vector<std::string> Dettagli;
        std::vector<std::array<std::string, 10>> Tratti;
        std::vector<bool> TrattiRossi;
    };
    std::vector<Campata> Campate;
    std::vector<std::string> Note; // formulas of the buckling reduction, scope
    bool Presenti() const { return !Dati.empty(); }
};

// The details of the checks `w` of the problem's check `v` (empty when no
// profile is checked), numbers with the decimal separator of `sep`.
TestiVerifiche ComponiTestiVerifiche(const VistaVerifiche& w, const DatiVerifica& v,
                                     const Separatori& sep);

} // namespace zelvo
