// JSON views of the problem and results records for the command-line tool.
//
// Values are in internal SI units. Singles are written as the shortest
// decimal that reads back to the same single, doubles as the shortest that
// reads back to the same double; a value that does not apply or was not
// computed is null.
#pragma once

#include "core/combinazioni.h"
#include "core/dati.h"
#include "core/estrazione.h"
#include "core/trave_continua.h"

#include <nlohmann/json.hpp>

#include <optional>
#include <stdexcept>
#include <string>

namespace zelvo {

// A single as the double nearest to its shortest decimal, so that the JSON
// writer (which writes doubles) prints that decimal.
double SingoloPerJson(float v);

// The problem. A continuous beam (Vincoli 5) adds "Campate" [{"L", "J"}]
// and "Appoggi" [{"Tipo", "k", "Cedimento"}], Tipo "incastro", "appoggio",
// "molla" or "libero". A problem with load cases (`ConCasiCarico`) adds
// "Caso" to each load row, "Casi" (`JsonCasi`), "Coefficienti" {"gG1",
// "gG2", "gQ": [unfavourable, favourable]}, "LimitiFreccia" [Totale,
// Variabili], "PesoProprio" and "PesoProprioQ" [N/m].
nlohmann::json JsonProblema(const DatiTrave& d);
// The results. A calculated continuous beam (`continua`) adds "Appoggi"
// [{"x", "R", "M", "Rot", "w"}] and "Campate" [{"Mmax", "xMmax", "Mmin",
// "xMmin", "Vmax", "fmax", "xfmax"}].
nlohmann::json JsonRisultati(const RisultatiTrave& r, const RisultatiContinua* continua = nullptr);

// Load cases: [{"Nome", "Tipo": "G1" | "G2" | "Q"}], a variable case with
// its "Categoria" (`CategoriaJson`) and "psi0", "psi1", "psi2".
nlohmann::json JsonCasi(const std::vector<CasoCarico>& casi);
// "A" ... "I", "K", "Vento", "NeveSotto1000", "NeveSopra1000",
// "Temperatura", "Personalizzata".
std::string CategoriaJson(CategoriaQ c);

// The envelopes of the combinations, to be added to the results: "Casi" as
// calculated (the self-weight's case included), "Inviluppi" by combination
// ("SLU", "Rara", "Frequente", "QuasiPermanente"): {"x", "Mmax", "Mmin",
// "Vmax", "Vmin", "fmax", "fmin", "Governo": {the same six keys: the
// governing combination's text at each point}, "Appoggi": [{"Rmax", "Rmin",
// "Mmax", "Mmin", "GovernoRmax", "GovernoRmin", "GovernoMmax",
// "GovernoMmin"}]}, and "Frecce" [{"Campata" (from 1), "L", "xf", "f",
// "f2", "LsuF", "LsuF2", "Limite", "Limite2", "Verificata"}].
nlohmann::json JsonCombinazioni(const RisultatiCombinazioni& c);

// A problem object that does not read: the message names the key
// ("problem.Campate[1].L: ...").
struct ErroreJson : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// The problem of the object `problema` (the schema `JsonProblema` writes):
// every key optional (the empty problem's values), no other key, numbers
// within their type (a single, a 16-bit count, Vincoli 0 to 5), the counts
// NTrapezi, NConcentrati, NCoppie equal to their tables when both are given,
// Campate and Appoggi only with Vincoli 5 (Luce is then their sum); the
// load cases as `JsonProblema` writes them: a row's Caso within the cases
// (0 without), a Q case's Categoria required and its ψ in [0, 1], required
// for I, K and Personalizzata, otherwise equal to the category's table when
// given; "Coefficienti" may also hold "Norma": "NTC2018" or "EN1990" (the
// preset the typed pairs replace), each factor ≥ 0; the limits > 0;
// "PesoProprioQ" required when "PesoProprio" is true. Throws ErroreJson.
struct ProblemaJson {
    DatiTrave Dati;
    int16_t NSezioni = 100;
};
ProblemaJson ProblemaDaJson(const nlohmann::json& problema);

// The names of the support kinds in the JSON ("incastro", ...).
std::string TipoAppoggioJson(TipoAppoggio t);

// Summary values of a foundation: SigmaA, SigmaB, M, xM, SigmaMax, xSigmaMax.
nlohmann::json JsonFondazione(const RiepilogoFondazione& s);

// The JSON text, compact, on one line. Strings, keys and structure are
// written by the JSON library; numbers with a floating value are written as
// the shortest decimal that reads back to the same double (the library's own
// writer is not always shortest), with ".0" when that decimal is integral.
std::string TestoJson(const nlohmann::json& j);

} // namespace zelvo
