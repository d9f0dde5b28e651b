// The profile chooser that stands in for the outside profile program: it
// lays out and shows `ModelloSceltaProfili` and forwards every event to it.
#pragma once

#include "form/scelta_profili_form.h"

#include <QWidget>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QListWidget;
class QTableWidget;

namespace zelvo {

class FrmProperty;
class PicturaSezione;

// The profile chooser: families, the catalogue with a filter, the grade,
// paired profiles and the picture of the chosen one.
class FrmSceltaProfili : public QWidget {
    Q_OBJECT
  public:
    FrmSceltaProfili(FrmProperty& finestra, ModelloSceltaProfili& modello);
    ModelloSceltaProfili& Modello() { return modello_; }
    void Aggiorna();
    // "&OK": the selected profile is communicated and the chooser closes.
    void Conferma();

  protected:
    void closeEvent(QCloseEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;

  private:
    void Colonne();
    FrmProperty& finestra_;
    ModelloSceltaProfili& modello_;
    bool chiusa_ = false;
    bool colonneDimensionate_ = false;
    QListWidget* famiglie_ = nullptr;
    QLineEdit* filtro_ = nullptr;
    QTableWidget* tabella_ = nullptr;
    QComboBox* grado_ = nullptr;
    QCheckBox* doppi_ = nullptr;
    QLineEdit* dDoppi_ = nullptr;
    QCheckBox* doppiCorto_ = nullptr;
    PicturaSezione* figura_ = nullptr;
};

} // namespace zelvo
