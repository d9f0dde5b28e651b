// The system printer for the diagrams ("STAMPANTE" pages) through Qt: the
// print dialog chooses the printer and the copies; where no printer is
// installed the dialog's print to PDF file is the printer.
#pragma once

#include "graphics/superficie.h"

#include <functional>
#include <memory>

class QPainter;
class QPrinter;
class QWidget;

namespace zelvo {

class TelaQt;

class StampantePagineQt : public StampantePagine {
  public:
    explicit StampantePagineQt(QWidget* genitore = nullptr);
    ~StampantePagineQt() override;

    // The print dialog on the printer: true when the user chose to print.
    // Replaceable (tests).
    std::function<bool(QPrinter&)> Dialogo;

    // Asks the printer and the copies; nothing when cancelled.
    std::optional<int> DialogoStampa() override;
    // Starts the document on the printer (without the dialog: the printer
    // chosen last, or the system's default).
    bool Inizia() override;
    Tela& Pagina() override;
    void NuovaPagina() override;
    // Ends the job; "Errore di stampa" when it could not be finished.
    bool Fine(Messaggi& msg) override;

    QPrinter& Stampante() { return *stampante_; }

  private:
    QWidget* genitore_;
    std::unique_ptr<QPrinter> stampante_;
    std::unique_ptr<QPainter> pittore_;
    std::unique_ptr<TelaQt> tela_;
};

} // namespace zelvo
