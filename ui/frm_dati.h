// `FrmDati`, the program's main window: shows the form model and forwards
// every event to it. It owns the calculation module, the units and the form
// model of the running program.
#pragma once

#include "core/modulo_zelvo.h"
#include "form/impostazioni.h"
#include "form/modello_form.h"
#include "graphics/fabbrica_superfici.h"
#include "io/unita.h"
#include "ui/finestre_collegate.h"
#include "ui/legami_vista.h"
#include "ui/messaggi_qt.h"

#include <QByteArray>
#include <QIcon>
#include <QMainWindow>
#include <QPointer>

#include <array>
#include <memory>
#include <string_view>
#include <utility>
#include <vector>

class QAction;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QRadioButton;
class QSplitter;

namespace zelvo {

class DiagrammiQt;
class FinestraAiuto;
class FrmProperty;
class FrmUnits;
class GrigliaQt;
class VistaCombinazioni;
class VistaContinua;

struct OpzioniFrmDati {
    // Where messages go; nullptr: message boxes over the window.
    Messaggi* messaggi = nullptr;
    // File dialog; empty: the Qt file dialog.
    SceltaFile sceltaFile;
    // The windows the main window opens.
    FinestreCollegate finestre = FinestrePredefinite();
    // Where the window's state, the recent files, the data folder and the
    // units of a new problem are remembered between runs; none: nothing is.
    std::shared_ptr<ArchivioImpostazioni> impostazioni;
    // The canvases of the PDF report; none: the Qt ones (graphics_qt/).
    std::shared_ptr<FabbricaSuperfici> superfici;
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

    // The widget of a control (nullptr when it has none).
    QWidget* Controllo(Fuoco f) const;
    QLineEdit* Campo(const char* nome, int indice = 0) const;
    GrigliaQt* Griglia(int i) const { return griglie_[static_cast<size_t>(i)]; }
    QPushButton* Calcola() const { return btnCalcola_; }
    VistaContinua* VistaTravata() const { return continua_.get(); }
    // What is remembered between runs (nullptr: nothing).
    const std::shared_ptr<ImpostazioniUtente>& Impostazioni() const { return impostazioni_; }
    // The File menu's "File recenti" and the splitter of the three panes.
    QMenu* FileRecenti() const { return recenti_; }
    QSplitter* Divisore() const { return divisore_; }
    // Writes the window's geometry, the splitter and the data folder.
    void RicordaStato();
    // The windows this main window opens, each its own: the diagram windows
    // and the scales (connected when the window is built), the units window
    // opened from "&Unità", the help. Null until opened and once closed.
    QPointer<DiagrammiQt>& DiagrammiCollegati() { return diagrammi_; }
    QPointer<FrmUnits>& UnitaAperta() { return finestraUnita_; }
    QPointer<FinestraAiuto>& AiutoAperto() { return aiuto_; }
    QPointer<FrmProperty>& SezioneAperta() { return sezione_; }

  signals:
    // The window has shown the model again (the other views re-read it).
    void Aggiornato();

  public slots:
    void btnCalcola_Click();
    // Diagram buttons: 0 "&M", 1 "&V", 2 "&C", 3 "&Stampa".
    void cbDiagramma_Click(int i);
    void cmdSezione_Click();
    // A command of the menus, the toolbar or the keys (form/comandi.h);
    // "Esci" then closes the window.
    void Esegui(Comando c);
    // File item i by its old number (the "MnuFileItem" texts).
    void mnuFileItem_Click(int i);

  protected:
    void closeEvent(QCloseEvent* e) override;
    void showEvent(QShowEvent* e) override;
    // A data file dropped on the window is opened.
    void dragEnterEvent(QDragEnterEvent* e) override;
    void dropEvent(QDropEvent* e) override;
    bool eventFilter(QObject* o, QEvent* e) override;

  private:
    void CreaMenu();
    // The style's own icon for a desktop icon name (none: an empty icon).
    QIcon IconaStile(std::string_view nome) const;
    void CreaControlli();
    QWidget* CreaDati();
    QWidget* CreaCarichi();
    QWidget* CreaRisultati();
    QLineEdit* NuovoCampo(CampoForm& c, Fuoco f, const char* nome, int indice);
    void NonDisponibile(const char* cosa);
    // "File recenti" in the File menu, filled from the list when it opens.
    void CreaFileRecenti(QMenu* file);
    void MostraFileRecenti();
    void RipristinaStato();
    // The control with the focus (Nessuno when it is none of the model's).
    Fuoco FuocoAttuale() const;

    ModuloZelvo modulo_;
    UnitMisura unita_;
    MessaggiQt messaggiQt_;
    Messaggi* msg_;
    std::unique_ptr<ModelloForm> modello_;
    FinestreCollegate finestre_;
    std::unique_ptr<Stampante> stampante_;

    struct CampoVista {
        QLineEdit* w;
        CampoForm* c;
        Fuoco f;
    };
    std::vector<CampoVista> campi_;
    QLineEdit* txtTitolo_ = nullptr;
    std::array<QLineEdit*, 4> txtDati_{};
    std::array<QLineEdit*, 3> txtRighe_{};
    std::array<QLineEdit*, 3> txtWinkler_{};
    std::array<QLineEdit*, 5> txtX_{};
    std::array<QLineEdit*, 12> txtRis_{};
    std::array<QLineEdit*, 10> txtFond_{};
    std::array<GrigliaQt*, 3> griglie_{};
    std::array<QWidget*, 3> riquadriGriglie_{};
    VistaCombinazioni* combinazioni_ = nullptr; // the combinations' results
    QLabel* lblPesoProprio_ = nullptr;          // the self-weight under the trapezoids
    std::array<QRadioButton*, 6> optSchema_{};
    // The continuous beam's frames (scheme 5).
    std::unique_ptr<VistaContinua> continua_;
    std::array<QRadioButton*, 2> optFond_{};
    QCheckBox* chkParziali_ = nullptr;
    QCheckBox* chkReagTraz_ = nullptr;
    QWidget* figura_ = nullptr;
    QGroupBox* fraWinkler_ = nullptr;
    QLabel* lblIterazione_ = nullptr;
    std::array<QLabel*, 2> lblWinkler2_{};
    QPushButton* btnCalcola_ = nullptr;
    QGroupBox* frameRis_ = nullptr;
    QGroupBox* frameFond_ = nullptr;
    QGroupBox* frX_ = nullptr;
    QGroupBox* frDiagrammi_ = nullptr;
    std::array<QWidget*, 3> rigaX4_{};
    // The fields' texts and the unit labels, written from the model.
    LegamiVista legami_;
    Fuoco ultimoFuoco_;
    uint64_t ultimaRichiestaFuoco_ = 0;
    bool aggiornando_ = false;
    std::shared_ptr<ImpostazioniUtente> impostazioni_;
    std::shared_ptr<FabbricaSuperfici> superfici_;
    QMenu* recenti_ = nullptr;
    // The actions of the menus, the toolbar and the keys with their commands
    // (enabled as the command's rule says).
    std::vector<std::pair<QAction*, const VoceComando*>> azioni_;
    QSplitter* divisore_ = nullptr;
    QByteArray statoDivisore_; // remembered, applied once laid out
    QPointer<DiagrammiQt> diagrammi_;
    QPointer<FrmUnits> finestraUnita_;
    QPointer<FinestraAiuto> aiuto_;
    QPointer<FrmProperty> sezione_;
};

} // namespace zelvo
