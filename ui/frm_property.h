// `frmProperty` ("Beam Property"): the section-properties window over the
// toolkit-free model of form/finestra_property.h. It only lays out, shows
// and forwards: it re-reads the model whenever the model's observer fires,
// and every behaviour (the close sequence included) is the model's. Its
// pictures and the profile chooser have headers of their own.
#pragma once

#include "form/finestra_property.h"
#include "ui/frm_scelta_profili.h"
#include "ui/legami_vista.h"
#include "ui/pictura_sezione.h"

#include <QSize>
#include <QWidget>

#include <array>
#include <functional>
#include <memory>
#include <optional>

class QLabel;
class QLineEdit;
class QPushButton;
class QStackedWidget;
class QTabWidget;
class QTableView;
class QToolButton;

namespace zelvo {

class FrmDati;
class GrigliaQt;
class ModelloGrigliaQt;
class Superficie;

class FrmSceltaProfili;

class FrmProperty : public QWidget {
    Q_OBJECT

  public:
    // The window of the main window `trave` (shown above it, not modal).
    explicit FrmProperty(FrmDati& trave);
    ~FrmProperty() override;

    FinestraProperty& Modello() { return modello_; }
    FrmSceltaProfili* Scelta() { return scelta_.get(); }
    // Shows the model again.
    void Aggiorna();

    // Opens the window of `trave` (one per main window), or brings it up.
    static FrmProperty* Apri(FrmDati& trave);
    // Closes the window of `trave`, if open, handing its E and J back (before
    // the main window replaces, saves or closes its problem). False when the
    // window stays open on a refused field (the caller does not go on).
    static bool Chiudi(FrmDati& trave);
    // The main window of `trave` changed (a calculation): its open section
    // window re-reads the results its check shows.
    static void TraveCambiata(FrmDati& trave);

  protected:
    void closeEvent(QCloseEvent* e) override;

  private:
    void CreaSchede();
    void CreaMateriali();
    void CreaEditor();
    void AggiornaGriglia();
    // Shows page i (0 the tabs, 1 the materials panel, 2 the section editor).
    void MostraPagina(int i);
    void AggiornaMateriali();
    // A text box of field `c` and a unit label of text `unita` of the model,
    // both in the table of what is shown as the model holds it (the box
    // forwards the user's edits).
    QLineEdit* NuovoCampo(CampoForm& c, const QString& nome, QWidget* genitore);
    QLabel* NuovaUnita(const std::string& unita, QWidget* genitore);
    void Rileggi();

    FrmDati& trave_;
    FinestraProperty modello_;
    std::unique_ptr<FrmSceltaProfili> scelta_;
    LegamiVista legami_;
    bool rileggendo_ = false, ancora_ = false;
    int pagina_ = -1;
    std::optional<uint64_t> revisioneVista_;
    QSize dimensioneNormale_;

    QStackedWidget* pagine_ = nullptr;
    QTabWidget* SSTab1_ = nullptr;
    // Material
    std::array<QLineEdit*, 4> txtStru_{};
    // Section
    std::array<QLineEdit*, 2> txtSec_{};
    QLineEdit* txtFy_ = nullptr;
    std::array<QLabel*, 6> verifica_{}; // Wel, Wpl, Mel, Mpl, |M|max, ratio
    std::array<QLabel*, 6> unitaVer_{};
    QLabel* lblMotivo_ = nullptr; // why no plastic check is offered
    // Geometry
    PicturaSezione* PictureEdit_ = nullptr;
    // Materials panel
    QTableView* MSFlexGrid1_ = nullptr;
    ModelloGrigliaQt* modelloMateriali_ = nullptr;
    std::array<QLineEdit*, 6> Text_{};
    QLabel* lblPredefiniti_ = nullptr; // the shipped defaults shown, where they are saved
    // Section editor
    std::array<QToolButton*, 7> OpTipoSezione_{};
    QLineEdit* txtRigheGriglia_ = nullptr;
    GrigliaQt* FlexGrid0_ = nullptr;
    std::array<QLineEdit*, 3> RaggioTxt_{};
    PicturaSezione* Figura_ = nullptr;
    QPushButton* cmdOKEdit_ = nullptr;
    QPushButton* cmdClose_ = nullptr;

    friend class FrmSceltaProfili;
};

} // namespace zelvo
