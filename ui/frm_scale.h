// The scale dialog frmScale ("Scale Plottaggio"), modal: two boxes for the
// moment and shear scales, "OK" and "Annulla". Behaviour in
// form/diagrammi_form.h (ModelloScale).
#pragma once

#include "form/diagrammi_form.h"

#include <QDialog>

class QLineEdit;
class QPushButton;

namespace zelvo {

class FrmScale : public QDialog {
    Q_OBJECT

  public:
    // Opens on the user scales s, which OK and Annulla change, showing the
    // scales in force (`inVigore`, see ModelloScale::Apri).
    FrmScale(ScaleUtente& s, Messaggi& msg, const Separatori& sep = {}, QWidget* genitore = nullptr,
             const std::optional<std::array<double, 2>>& inVigore = std::nullopt);
    QLineEdit* Casella(int i) { return txtScala_[i]; }
    QPushButton* PulsanteOK() { return ok_; }
    QPushButton* PulsanteAnnulla() { return annulla_; }
    ModelloScale& Modello() { return modello_; }

  protected:
    bool eventFilter(QObject* o, QEvent* e) override;
    void showEvent(QShowEvent* e) override;

  private:
    void Mostra();
    void OK();
    void Annulla();

    ScaleUtente& scale_;
    Messaggi& msg_;
    ModelloScale modello_;
    QLineEdit* txtScala_[2] = {nullptr, nullptr};
    QLineEdit* txtNascosto_ = nullptr;
    QPushButton* ok_ = nullptr;
    QPushButton* annulla_ = nullptr;
};

} // namespace zelvo
