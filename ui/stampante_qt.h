// The system printer through Qt: the text report in a fixed-pitch font, so
// that its columns stay aligned. The printer and the number of copies are
// chosen in Qt's print dialog; where no printer is installed the dialog's
// print to PDF file is the printer. Cancelling the dialog prints nothing.
#pragma once

#include "form/stampante.h"

#include <functional>
#include <string>

class QFont;
class QPrinter;
class QWidget;

namespace zelvo {

inline constexpr const char* TestoErroreStampa = "Errore di stampa";

// Writes the report (UTF-8 text, lines ended by CR LF or LF) on the printer
// as `copie` copies in one document, each copy from a new page: a
// fixed-pitch font of at most 10 points, smaller when the widest line would
// not fit the page's width; as many pages as needed. False when the printer
// could not be started or a page not added.
bool StampaTesto(QPrinter& stampante, const std::string& testo, int copie = 1);

// The font the report is printed in on that printer: fixed pitch, 10 points
// or less so that the widest line fits the page's width.
QFont FontRelazione(QPrinter& stampante, const std::string& testo);

class StampanteQt : public Stampante {
  public:
    explicit StampanteQt(QWidget* genitore = nullptr);

    // The print dialog: true when the user chose to print (the printer set up
    // with its copies), false when cancelled. Replaceable (tests).
    std::function<bool(QPrinter&)> Dialogo;

    // "Stam&pa": the dialog, then the report printed once for every copy
    // asked for, each copy its own document (into a PDF file, one document
    // with the copies one after the other, as a file holds one document).
    // False when cancelled, or after "Errore di stampa" when the job failed.
    bool StampaRelazione(const std::string& testo, Messaggi& msg) override;

  private:
    QWidget* genitore_;
};

} // namespace zelvo
