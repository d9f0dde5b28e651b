// `FrmDati`, the program's main window: shows the form model and forwards
// every event to it. It owns the calculation module, the units and the form
// model of the running program.
#pragma once

#include "core/modulo_zelvo.h"
#include "form/modello_form.h"
#include "io/unita.h"
#include "ui/finestre_collegate.h"
#include "ui/messaggi_qt.h"

#include <QMainWindow>

#include <memory>

class QAction;
class QLabel;
class QLineEdit;
class QPushButton;

namespace zelvo {

struct OpzioniFrmDati {
    // Where messages go; nullptr: message boxes over the window.
    Messaggi* messaggi = nullptr;
    // File dialog; empty: the Qt file dialog.
    SceltaFile sceltaFile;
    // The windows the main window opens.
    FinestreCollegate finestre = FinestrePredefinite();
};

class FrmDati : public QMainWindow {
    Q_OBJECT

  public:
    explicit FrmDati(OpzioniFrmDati opzioni = {}, QWidget* genitore = nullptr);
    ~FrmDati() override;

    ModelloForm& Modello() { return *modello_; }
    ModuloZelvo& Modulo() { return modulo_; }
    UnitMisura& Unita() { return unita_; }
    Messaggi& Msg() { return *msg_; }
    FinestreCollegate& Finestre() { return finestre_; }

    // Start-up: the regional check, the file named on the command line or the
    // default units confirmed in the units window.
    void Avvio(const QStringList& argomenti);
    // Shows the model again (after any change made outside the window's own
    // events, for instance by the units window).
    void Aggiorna();

  public slots:
    void btnCalcola_Click();
    // Diagram buttons: 0 "&M", 1 "&V", 2 "&C", 3 "&Stampa".
    void cbDiagramma_Click(int i);
    void cmdSezione_Click();
    // File item i (its position in the menu, separators included).
    void mnuFileItem_Click(int i);
    void mnuUnits_Click();
    void mnuOpzioniItem_Click(int i);
    // "?" item 0 "&Aiuto", 1 "&Files di esempio", 2 "&Informazioni".
    void mnuAiutoItem_Click(int i);

  protected:
    void closeEvent(QCloseEvent* e) override;

  private:
    void CreaMenu();
    void CreaControlli();
    void NonDisponibile(const char* cosa);

    ModuloZelvo modulo_;
    UnitMisura unita_;
    MessaggiQt messaggiQt_;
    Messaggi* msg_;
    std::unique_ptr<ModelloForm> modello_;
    FinestreCollegate finestre_;
    std::unique_ptr<Stampante> stampante_;

    QLineEdit* txtTitolo_ = nullptr;
    QPushButton* btnCalcola_ = nullptr;
    QLabel* lblRisultati_ = nullptr;
};

} // namespace zelvo
