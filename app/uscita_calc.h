// The command-line tool's run: options, message sink, report and JSON output.
#pragma once

#include "core/messaggi.h"
#include "core/modulo_zelvo.h"

#include <nlohmann/json_fwd.hpp>

#include <functional>
#include <iosfwd>
#include <map>
#include <string>
#include <vector>

namespace zelvo {

// Exit statuses.
inline constexpr int EsitoCompletato = 0; // calculation completed (warnings included)
inline constexpr int EsitoErrore = 1;     // calculation or file reading ended in an error
inline constexpr int EsitoUso = 2;        // usage error, file that cannot be opened

struct OpzioniCalc {
    std::string file;
    std::string report;    // empty: the report goes to standard output
    std::string salva;     // data file written from the window's fields ("" = not asked)
    std::string reportPdf; // the report with the diagrams as a PDF file ("" = not asked)
    bool json = false;
    // Drawing outputs by option name ("dxf", ...): the file to write ("" = not asked).
    std::map<std::string, std::string> disegni;
};

struct ContestoDiagrammi;
class FabbricaSuperfici;

// A drawing output of the tool: the diagrams of the calculated problem
// written to a file (or files named from a prefix); false after its own
// message. The raster formats (pdf, png, svg) are drawn on the context's
// canvases (Superfici), which need a QGuiApplication: the tool's main creates
// one when one of them is asked for.
struct DisegnoCalc {
    std::string opzione;
    std::string descrizione;
    std::function<bool(const ContestoDiagrammi&, const std::string& percorso, Messaggi&)> esporta;
};
const std::vector<DisegnoCalc>& Disegni();
// Whether the options ask for any drawing.
bool DisegniRichiesti(const OpzioniCalc& opzioni);

// Messages of the tool: every one goes to standard error as it is shown
// (line breaks as LF) and is kept in order; questions are answered no.
class MessaggiCalc : public Messaggi {
  public:
    explicit MessaggiCalc(std::ostream& err) : err_(err) {}
    void Mostra(const std::string& testo, Icona icona = Icona::Nessuna,
                const std::string& titolo = "") override;
    bool Chiedi(const std::string& testo, Icona icona = Icona::Domanda,
                const std::string& titolo = "") override;
    const std::vector<std::string>& Testi() const { return testi_; }

  private:
    std::ostream& err_;
    std::vector<std::string> testi_;
};

// Exit status of a calculation's outcome: 0 when it completed, 1 for every
// cause that ended it.
int StatoDiUscita(EsitoCalcolo e);

struct ProblemaJson;

// Whether the tool's input is a JSON problem (extension ".json", any case)
// rather than a .zlv data file.
bool FileJson(const std::string& percorso);

// The problem of a JSON file: an object whose "problem" is read by
// `ProblemaDaJson`; the keys "results", "foundation" and "messages" that
// --json writes beside it are allowed and ignored, any other is refused
// (ErroreJson naming it).
ProblemaJson ProblemaDaFileJson(const nlohmann::json& j);

// The whole run: open (a .zlv data file, or a JSON problem: one that does
// not read is a usage error naming the key), calculate, write the report or
// the JSON object; the PDF report and the pictures on the canvases of
// `superfici`. Returns the exit status.
int EseguiCalc(const OpzioniCalc& opzioni, std::ostream& out, std::ostream& err,
               FabbricaSuperfici* superfici);

} // namespace zelvo
