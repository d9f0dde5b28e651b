// The load cases and combinations dialog ("Combinazioni..."), modal, and the
// main window's frame of the combinations' results. Behaviour in
// form/combinazioni_form.h and form/risultati_combinazioni.h.
#pragma once

#include "form/combinazioni_form.h"
#include "form/risultati_combinazioni.h"

#include <QDialog>
#include <QGroupBox>

#include <array>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;
class QTableWidget;

namespace zelvo {

class ModelloForm;

class FrmCombinazioni : public QDialog {
    Q_OBJECT

  public:
    FrmCombinazioni(ModelloForm& trave, Messaggi& msg, QWidget* genitore = nullptr);
    FinestraCombinazioni& Modello() { return modello_; }
    QTableWidget* TabellaCasi() const { return casi_; }
    QComboBox* Tipo(int r) const;
    QComboBox* Categoria(int r) const;
    QLineEdit* Gamma(int k) const { return gamma_[static_cast<size_t>(k)]; }
    QLineEdit* Limite(int k) const { return limiti_[static_cast<size_t>(k)]; }
    QComboBox* PresetLimiti() const { return preset_; }
    QCheckBox* PesoProprio() const { return chkPeso_; }
    QLineEdit* CampoPeso() const { return txtPeso_; }
    QPushButton* PulsanteOK() const { return ok_; }
    QPushButton* PulsanteAnnulla() const { return annulla_; }
    QPushButton* PulsanteAggiungi() const { return aggiungi_; }
    QPushButton* PulsanteElimina() const { return elimina_; }

  protected:
    // The keypad's decimal key types the regional separator in every number field.
    bool eventFilter(QObject* o, QEvent* e) override;

  private:
    // A number field: typed text to the model, the regional form on leaving it.
    void CampoNumerico(QLineEdit* e, CampoForm& c, bool limite = false, int indice = 0);
    // The widgets from the model (rows rebuilt when their count changed).
    void Mostra();
    void CreaRiga(int r);
    void OK();

    FinestraCombinazioni modello_;
    QTableWidget* casi_ = nullptr;
    QPushButton *aggiungi_ = nullptr, *elimina_ = nullptr;
    std::array<QLineEdit*, 6> gamma_{};
    QComboBox* preset_ = nullptr;
    std::array<QLineEdit*, 2> limiti_{};
    QCheckBox* chkPeso_ = nullptr;
    QLineEdit* txtPeso_ = nullptr;
    QLabel* unitaPeso_ = nullptr;
    QPushButton* dallaSezione_ = nullptr;
    QPushButton *ok_ = nullptr, *annulla_ = nullptr;
    bool mostrando_ = false;
};

// The frame "Combinazioni" of the main window: three read-only tables (spans,
// supports, deflections), the governing combination of a value as its
// tooltip, the deflection outcome in green or red.
class VistaCombinazioni : public QGroupBox {
    Q_OBJECT

  public:
    explicit VistaCombinazioni(QWidget* genitore);
    void Aggiorna(const QuadroCombinazioni& q);
    QTableWidget* Tabella(int i) const { return tabelle_[static_cast<size_t>(i)]; }

  private:
    QTabWidget* schede_ = nullptr;
    std::array<QTableWidget*, 3> tabelle_{};
};

} // namespace zelvo
