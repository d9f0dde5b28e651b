// The units window `frmUnits` ("Model Units"): four frames of three option
// buttons (Length, Modulus/Stress, Force, Area - Inertia, with the exponents
// 2 and 4 beside the area options), "No Units", "Sistema SI", "&OK" and
// "&Cancel". The widget only shows the form model's `FinestraUnita` and
// forwards every click to the model's frmUnits_* operations.
//
// Modal at start-up (`ConfermaUnitaModale`, handed to `ModelloForm::Avvio`,
// which has already opened the window's state) and modeless from the main
// window's "&Unità" (`Apri`). After "&OK" the signal `UnitaConfermate` asks
// the main window to show its fields, labels and results again.
#pragma once

#include <QDialog>

#include <array>
#include <functional>

class QCheckBox;
class QGroupBox;
class QPushButton;
class QRadioButton;

namespace zelvo {

class FrmDati;
class ModelloForm;

class FrmUnits : public QDialog {
    Q_OBJECT

  public:
    explicit FrmUnits(ModelloForm& modello, QWidget* genitore = nullptr);

    // "&Unità": applies the opening rules and shows the window without
    // blocking the main window; a window already shown is brought to the front
    // as it is.
    void Apri();
    // Start-up: shows, modally, the state the model has already opened.
    int EseguiModale();

    // Shows the model's state (selected options, check box, enabled options).
    void Leggi();

    // Option button k (0..2) of group g (0 Length, 1 Modulus/Stress, 2 Force,
    // 3 Area - Inertia), the check box and the buttons (for the tests and
    // for UI automation; every control also has its object name).
    QRadioButton* Opzione(int g, int k) const;
    QCheckBox* NoUnits() const { return chkNoUnits_; }
    QPushButton* SistemaSI() const { return cmdSI_; }
    QPushButton* OK() const { return cmdOK_; }
    QPushButton* Cancel() const { return cmdCancel_; }

  signals:
    // "&OK" changed the units: the main window shows its data again.
    void UnitaConfermate();

  public slots:
    void reject() override; // Escape and the window's close button: "&Cancel"

  private:
    void Scelta(int g, int k);
    void Spunta(bool spuntato);
    void SI();
    void Conferma();
    // Runs an event of the model; a fault is reported, never escapes.
    void Evento(const std::function<void()>& azione);

    ModelloForm& f_;
    std::array<QGroupBox*, 4> frame_{};
    std::array<std::array<QRadioButton*, 3>, 4> opt_{};
    QCheckBox* chkNoUnits_ = nullptr;
    QPushButton* cmdSI_ = nullptr;
    QPushButton* cmdOK_ = nullptr;
    QPushButton* cmdCancel_ = nullptr;
    bool lettura_ = false; // the widgets are being set from the model
};

// The main window's units window: `modale` at start-up (the model has
// already opened the window's state), otherwise the one modeless window of
// the main window, shown by "&Unità". After "&OK" the main window shows its
// model again (`FrmDati::Aggiorna`).
void MostraFinestraUnita(FrmDati& finestra, bool modale);

} // namespace zelvo
