// Message boxes and file dialogs of the windows: the Qt side of the form's
// `Messaggi` interface and of its file-choice seam. Every box the program
// shows goes through `MessaggiQt`.
#pragma once

#include "core/messaggi.h"
#include "form/operazione_file.h"

#include <QPointer>
#include <QWidget>

namespace zelvo {

// Default title of the program's message boxes.
inline constexpr const char* TitoloProgramma = "Trave Zelvo";

// Message boxes (QMessageBox) over a parent window.
class MessaggiQt : public Messaggi {
  public:
    explicit MessaggiQt(QWidget* genitore = nullptr) : genitore_(genitore) {}
    void Genitore(QWidget* g) { genitore_ = g; }
    void Mostra(const std::string& testo, Icona icona = Icona::Nessuna,
                const std::string& titolo = "") override;
    bool Chiedi(const std::string& testo, Icona icona = Icona::Domanda,
                const std::string& titolo = "") override;
    // Closing the box answers cancel.
    Risposta ChiediAnnulla(const std::string& testo, Icona icona = Icona::Domanda,
                           const std::string& titolo = "") override;

  private:
    QPointer<QWidget> genitore_;
};

// The form's filter text "Descr (*.a)|*.a|..." as a Qt filter list
// "Descr (*.a);;...".
QString FiltroQt(const std::string& filtro);

// The file dialog of the windows (QFileDialog): open, or save with the
// overwrite question.
SceltaFile DialogoFileQt(QWidget* genitore);

} // namespace zelvo
