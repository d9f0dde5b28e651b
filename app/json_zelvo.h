// JSON views of the problem and results records for the command-line tool.
//
// Values are in internal SI units. Singles are written as the shortest
// decimal that reads back to the same single, doubles as the shortest that
// reads back to the same double; a value that does not apply or was not
// computed is null.
#pragma once

#include "core/dati.h"
#include "core/estrazione.h"

#include <nlohmann/json.hpp>

#include <optional>

namespace zelvo {

// A single as the double nearest to its shortest decimal, so that the JSON
// writer (which writes doubles) prints that decimal.
double SingoloPerJson(float v);

nlohmann::json JsonProblema(const DatiTrave& d);
nlohmann::json JsonRisultati(const RisultatiTrave& r);

// Summary values of a foundation: SigmaA, SigmaB, M, xM, SigmaMax, xSigmaMax.
nlohmann::json JsonFondazione(const RiepilogoFondazione& s);

// The JSON text, compact, on one line. Strings, keys and structure are
// written by the JSON library; numbers with a floating value are written as
// the shortest decimal that reads back to the same double (the library's own
// writer is not always shortest), with ".0" when that decimal is integral.
std::string TestoJson(const nlohmann::json& j);

} // namespace zelvo
