// zelvo-calc: runs one beam problem from a .zlv data file, as the main
// window does when the file is opened and "Calcola" is pressed, and prints
// the text report or a JSON object of the problem and its results.
//
//   zelvo-calc FILE.zlv [--report OUT.txt] [--report-pdf OUT.pdf] [--json] [--dxf OUT.dxf] ...
//   zelvo-calc PROBLEM.json ...   (a problem in the schema --json prints)
//   zelvo-calc section ...        (the section-properties tool)
//
// Exit status: 0 after a completed calculation (warnings included), 1 when
// the calculation or the reading of the file ended in an error, 2 for a usage
// error or a file that cannot be opened.
#include "app/json_zelvo.h"
#include "app/uscita_calc.h"
#include "app/versione_zelvo.h"
#include "section/comando_sezione.h"

#include "graphics_qt/superficie_qt.h"

#include <CLI/CLI.hpp>

#include <cstdlib>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

namespace {

// The drawings in PDF, PNG and SVG need fonts, hence a Qt application: the
// tool makes one only when such a drawing is asked for, on the "offscreen"
// platform (it never opens a window) unless QT_QPA_PLATFORM names another.
std::unique_ptr<zelvo::ApplicazioneDisegni>
ApplicazioneGrafica(const std::vector<std::string>& argomenti) {
    for (const auto& a : argomenti)
        for (const char* o : {"--pdf", "--png", "--svg", "--report-pdf"})
            if (a == o || a.rfind(std::string(o) + "=", 0) == 0) {
                setenv("QT_QPA_PLATFORM", "offscreen", 0); // 0: a value already set stays
                return std::make_unique<zelvo::ApplicazioneDisegni>();
            }
    return nullptr;
}

} // namespace

int main(int argc, char** argv) {
    std::vector<std::string> argomenti(argv + 1, argv + argc);
    const auto qt = ApplicazioneGrafica(argomenti);
    // The PDF, PNG and SVG canvases handed to the section tool and the run.
    zelvo::FabbricaSuperficiQt superfici;

    // The section-properties tool has its own command line.
    if (!argomenti.empty() && argomenti.front() == "section") {
        return zelvo::ComandoSezione({argomenti.begin() + 1, argomenti.end()}, std::cout, std::cerr,
                                     &superfici);
    }

    zelvo::OpzioniCalc opzioni;
    CLI::App app{"zelvo-calc: calculates a beam problem saved in a .zlv data file (Zelvo).\n"
                 "Opens the file as the main window's Open does, calculates it as the\n"
                 "\"Calcola\" button does and prints the text report (UTF-8) to standard\n"
                 "output. Every message the window would show goes to standard error.\n"
                 "A .json file holds a problem in the schema --json prints.\n"
                 "Exit status: 0 calculation completed (warnings included), 1 the\n"
                 "calculation or the file ended in an error, 2 usage error, a file that\n"
                 "cannot be opened or a JSON problem that does not read.\n"
                 "The section-properties tool: zelvo-calc section --help",
                 "zelvo-calc"};
    app.add_option("file", opzioni.file,
                   "the .zlv data file, or a .json file whose \"problem\" object has the "
                   "schema --json prints (SI units; docs/problema.schema.json)")
        ->required();
    app.add_option("--report", opzioni.report,
                   "write the report to this file (Windows-1252) instead of standard output");
    app.add_option("--report-pdf", opzioni.reportPdf,
                   "write the report with the data, the results and the three diagrams to this "
                   "A4 PDF file");
    app.add_option("--save", opzioni.salva,
                   "write the problem to this data file as the window's Save as does");
    app.add_flag("--json", opzioni.json,
                 "print a JSON object of the problem, the results (internal SI units) and "
                 "the messages instead of the report");
    app.set_version_flag(
        "--version",
        std::string("zelvo-calc (" ZELVO_NOME ") " ZELVO_VERSIONE ", built " ZELVO_DATA_BUILD),
        "print the name, version and build date and exit");
    for (auto& d : zelvo::Disegni())
        app.add_option("--" + d.opzione, opzioni.disegni[d.opzione], d.descrizione);
    try {
        app.parse(static_cast<int>(argomenti.size()) + 1, argv);
    } catch (const CLI::CallForHelp& e) {
        std::cout << app.help();
        return 0;
    } catch (const CLI::CallForVersion& e) {
        std::cout << e.what() << "\n";
        return 0;
    } catch (const CLI::ParseError& e) {
        std::cerr << "zelvo-calc: " << e.what() << "\n"
                  << "Run with --help for more information.\n";
        return zelvo::EsitoUso;
    }
    return zelvo::EseguiCalc(opzioni, std::cout, std::cerr, &superfici);
}
