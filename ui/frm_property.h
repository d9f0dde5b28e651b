// `frmProperty` ("Beam Property"): the section-properties window over the
// toolkit-free model of form/finestra_property.h, and the profile chooser
// that stands in for the outside profile program. Both only lay out, show
// and forward; every behaviour is the model's.
#pragma once

#include "form/finestra_property.h"

#include <QSize>
#include <QWidget>

#include <array>
#include <functional>
#include <memory>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QStackedWidget;
class QTabWidget;
class QTableView;
class QTableWidget;
class QToolButton;
class QPixmap;

namespace zelvo {

class FrmDati;
class GrigliaQt;
class ModelloGrigliaQt;
class Superficie;

// A picture drawn through the "VIDEO" target: `disegno` gives the drawing
// (empty: the picture stays blank). A drawing that fails is reported once,
// after painting, through `guasto`.
class PicturaSezione : public QWidget {
    Q_OBJECT
  public:
    explicit PicturaSezione(QWidget* genitore = nullptr);
    std::function<DisegnoSezione()> disegno;
    std::function<void()> guasto;
    std::function<void()> click;
    // The model changed: repaint, and report a failure of the new drawing.
    void NuovoDisegno() {
        segnalato_ = false;
        update();
    }

  protected:
    void paintEvent(QPaintEvent*) override;
    void mousePressEvent(QMouseEvent*) override;

  private:
    bool segnalato_ = false;
};

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
    void Evento(const std::function<void()>& f);
    void LeggiCampi();

    FrmDati& trave_;
    FinestraProperty modello_;
    std::unique_ptr<FrmSceltaProfili> scelta_;
    bool aggiornando_ = false;
    bool chiuso_ = false;
    int pagina_ = -1;
    int revisioneVista_ = -1;
    QSize dimensioneNormale_;

    QStackedWidget* pagine_ = nullptr;
    QTabWidget* SSTab1_ = nullptr;
    // Material
    QLineEdit* txtMateriale_ = nullptr;
    std::array<QLineEdit*, 4> txtStru_{};
    std::array<QLabel*, 4> didStru_{};
    QLabel* lblStru0_ = nullptr;
    // Section
    std::array<QLineEdit*, 2> txtSec_{};
    QLabel* didSec1_ = nullptr;
    std::array<QLabel*, 2> lblSec_{};
    QLineEdit* txtFy_ = nullptr;
    QLabel* lblFy_ = nullptr;
    std::array<QLabel*, 6> verifica_{}; // Wel, Wpl, Mel, Mpl, |M|max, ratio
    std::array<QLabel*, 6> unitaVer_{};
    QLabel* lblMotivo_ = nullptr; // why no plastic check is offered
    // Geometry
    QLineEdit* txtDidSezione_ = nullptr;
    PicturaSezione* PictureEdit_ = nullptr;
    std::array<QPushButton*, 3> cmdGeo_{};
    // Materials panel
    QTableView* MSFlexGrid1_ = nullptr;
    ModelloGrigliaQt* modelloMateriali_ = nullptr;
    std::array<QLineEdit*, 6> Text_{};
    QLabel* lblUnitaMateriali_ = nullptr;
    QLabel* lblPredefiniti_ = nullptr; // the shipped defaults shown, where they are saved
    // Section editor
    std::array<QToolButton*, 7> OpTipoSezione_{};
    QLabel* lblRighe_ = nullptr;
    QLineEdit* txtRigheGriglia_ = nullptr;
    GrigliaQt* FlexGrid0_ = nullptr;
    QLineEdit* txtEdit0_ = nullptr;
    QGroupBox* RaggioFrm_ = nullptr;
    std::array<QLineEdit*, 3> RaggioTxt_{};
    std::array<QLabel*, 3> RaggioLbl_{};
    std::array<QLabel*, 2> RaggioUnit_{};
    PicturaSezione* Figura_ = nullptr;
    std::array<QLabel*, 5> Risultati_{};
    std::array<QLabel*, 5> RisultatiUnit_{};
    QPushButton* cmdOKEdit_ = nullptr;
    QPushButton* cmdClose_ = nullptr;

    friend class FrmSceltaProfili;
};

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
    bool aggiornando_ = false;
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

// The pictures of the seven type buttons, drawn by the program on any target
// (world 0..1 both ways, y downwards) and on a pixmap through "VIDEO".
void DisegnaTipoSezione(Superficie& s, int tipo);
QPixmap DisegnoTipoSezione(int tipo, int lato, double dpr = 1);

} // namespace zelvo
