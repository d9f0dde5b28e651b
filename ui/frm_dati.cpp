#include "ui/frm_dati.h"

#include "core/calcolo.h"
#include "form/comandi.h"
#include "form/figura_schema.h"
#include "form/relazione.h"
#include "form/scrivania.h"
#include "form/testi_finestra.h"
#include "graphics/disegno_continua.h"
#include "graphics_qt/superficie_qt.h"
#include "io/generale.h"
#include "ui/continua_qt.h"
#include "ui/frm_combinazioni.h"
#include "ui/frm_property.h"
#include "ui/frm_verifiche.h"
#include "ui/griglia_qt.h"
#include "ui/impostazioni_qt.h"
#include "ui/scorciatoie_qt.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDir>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QSplitter>
#include <QStyle>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>

#include <map>

namespace zelvo {

namespace {

QString Q(std::string_view s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

// The accessible name and description of a control: its caption or label,
// and its tooltip.
void Accessibile(QWidget* w, std::string_view controllo, int indice) {
    const TestoControllo& t = TestoDi(controllo, indice);
    QString nome = Q(t.caption).remove(QLatin1Char('&')).trimmed();
    if (nome.isEmpty()) nome = Q(t.tooltip).trimmed();
    w->setAccessibleName(nome);
    w->setAccessibleDescription(Q(t.tooltip).trimmed());
    if (!t.tooltip.empty()) w->setToolTip(Q(t.tooltip));
}

// The picture of the chosen scheme, drawn on the program's drawing surface.
class FiguraSchema : public QWidget {
  public:
    FiguraSchema(const ModelloForm& m, QWidget* genitore) : QWidget(genitore), m_(m) {
        setMinimumSize(220, 110);
        setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
        setAccessibleName(QStringLiteral("Schema dei vincoli"));
    }

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        p.fillRect(rect(), Qt::white);
        TelaQt s(&p, width(), height(), logicalDpiX());
        if (m_.Optschema == Continua) {
            // The continuous beam's picture is drawn from its tables as typed.
            const std::string unita = m_.Unita.Etichetta(Grandezza::Lunghezza);
            DisegnaSchemaContinua(s, m_.Travata.CampateDigitate(), m_.Travata.AppoggiDigitati(),
                                  [&](double L) {
                                      std::string t = m_.TestoUnita(Grandezza::Lunghezza, L, false);
                                      t.erase(0, t.find_first_not_of(' '));
                                      return unita.empty() ? t : t + " " + unita;
                                  });
            return;
        }
        DisegnaSchema(s, m_.Figura);
    }

  private:
    const ModelloForm& m_;
};

// The local paths of a drop (a non-local URL gives an empty path).
std::vector<std::string> PercorsiTrascinati(const QMimeData* d) {
    std::vector<std::string> p;
    if (d && d->hasUrls())
        for (const QUrl& u : d->urls())
            p.push_back(u.toLocalFile().toStdString());
    return p;
}

} // namespace

FrmDati::FrmDati(OpzioniFrmDati opzioni, QWidget* genitore)
    : QMainWindow(genitore), messaggiQt_(this),
      msg_(opzioni.messaggi ? opzioni.messaggi : &messaggiQt_),
      finestre_(std::move(opzioni.finestre)) {
    // The separators the user sees and types: the regional settings.
    const QLocale regionale = QLocale::system();
    unita_.separatori = SeparatoriDa(regionale.decimalPoint().toStdString(),
                                     regionale.groupSeparator().toStdString());
    modello_ = std::make_unique<ModelloForm>(modulo_, unita_, *msg_);
    modello_->Servizi.SceltaFile =
        opzioni.sceltaFile ? std::move(opzioni.sceltaFile) : DialogoFileQt(this);
    modello_->Servizi.StampaRelazione = StampaRelazioneFile;
    superfici_ =
        opzioni.superfici ? std::move(opzioni.superfici) : std::make_shared<FabbricaSuperficiQt>();
    modello_->Servizi.Superfici = superfici_.get();
    modello_->CartellaEsempi = FileDati("examples");
    if (opzioni.impostazioni) {
        impostazioni_ = std::make_shared<ImpostazioniUtente>(std::move(opzioni.impostazioni));
        modello_->Servizi.Impostazioni = impostazioni_.get();
    }
    if (finestre_.CreaStampante) stampante_ = finestre_.CreaStampante(this);
    ServiziForm& sv = modello_->Servizi;
    sv.StampanteSistema = stampante_.get();
    // A window the program was built without says so instead of opening.
    auto apre = [this](const auto& finestra, const char* nome) {
        return [this, &finestra, nome](auto... argomenti) {
            if (finestra)
                finestra(*this, argomenti...);
            else
                NonDisponibile(nome);
        };
    };
    sv.MostraDiagramma = apre(finestre_.Diagramma, "Diagrammi");
    sv.MostraSezione = apre(finestre_.Sezione, "Sezione");
    // the section window hands its E and J back before a command that
    // replaces, saves or closes the problem
    sv.RiprendiSezione = [this] { return FrmProperty::Chiudi(*this); };
    sv.MostraUnita = [this, senza = apre(finestre_.Unita, "Unità")](bool modale) {
        // without a units window, start-up goes on with the units as they are
        if (!finestre_.Unita && modale)
            modello_->frmUnits_OK();
        else
            senza(modale);
    };
    sv.MostraScale = apre(finestre_.Scale, "Scelta scale");
    sv.MostraCombinazioni = [this] {
        FrmCombinazioni d(*modello_, *msg_, this);
        d.exec();
    };
    sv.MostraVerifiche = apre(finestre_.Verifiche, "Verifiche");
    sv.MostraInformazioni = apre(finestre_.Informazioni, "Informazioni");
    sv.MostraAiuto = apre(finestre_.Aiuto, "Aiuto");
    // The passes of a long calculation repaint the window (the iteration
    // label) without letting user input start anything: the model refuses
    // every event while it is busy.
    sv.EventiInSospeso = [] { QCoreApplication::processEvents(); };
    if (finestre_.Collega) finestre_.Collega(*this);
    CreaMenu();
    CreaControlli();
    modello_->Cambiato = [this] {
        Aggiorna();
        FrmProperty::TraveCambiata(*this); // its section check follows the results
        FrmVerifiche::TraveCambiata(*this);
    };
    resize(1280, 800);
    RipristinaStato();
    Aggiorna();
}

FrmDati::~FrmDati() {
    RicordaStato();
    // A field or a cell editor losing the focus calls back into the model:
    // let it happen now, while the model is alive, not from QWidget's own
    // destructor after the model is gone.
    hide();
    modello_->Cambiato = nullptr;
}

void FrmDati::RipristinaStato() {
    if (!impostazioni_) return;
    if (const auto g = impostazioni_->Geometria("FrmDati")) restoreGeometry(ByteDaTesto(*g));
    if (const auto d = impostazioni_->Geometria("FrmDati.Divisore"))
        statoDivisore_ = ByteDaTesto(*d);
}

void FrmDati::showEvent(QShowEvent* e) {
    QMainWindow::showEvent(e);
    if (statoDivisore_.isEmpty()) return;
    // The splitter's parts once the window has its size: restored before,
    // they would be stretched again when the splitter grows to it.
    QTimer::singleShot(0, this, [this] {
        if (!statoDivisore_.isEmpty()) divisore_->restoreState(statoDivisore_);
        statoDivisore_.clear();
    });
}

void FrmDati::RicordaStato() {
    if (!impostazioni_) return;
    impostazioni_->RicordaGeometria("FrmDati", TestoDaByte(saveGeometry()));
    // (never shown: what was remembered stays)
    if (statoDivisore_.isEmpty())
        impostazioni_->RicordaGeometria("FrmDati.Divisore", TestoDaByte(divisore_->saveState()));
    impostazioni_->RicordaCartella(modello_->CartellaDati);
}

void FrmDati::CreaFileRecenti(QMenu* file) {
    // Before the last separator (the one above "&Esci").
    QAction* prima = nullptr;
    for (QAction* a : file->actions())
        if (a->isSeparator()) prima = a;
    recenti_ = new QMenu(QStringLiteral("File &recenti"), file);
    recenti_->setObjectName(QStringLiteral("mnuFileRecenti"));
    file->insertSeparator(file->insertMenu(prima, recenti_));
    connect(recenti_, &QMenu::aboutToShow, this, &FrmDati::MostraFileRecenti);
    MostraFileRecenti();
}

void FrmDati::MostraFileRecenti() {
    recenti_->clear();
    const std::vector<std::string> elenco =
        impostazioni_ ? impostazioni_->FileRecenti() : std::vector<std::string>{};
    if (elenco.empty()) recenti_->addAction(QStringLiteral("(nessuno)"))->setEnabled(false);
    for (size_t k = 0; k < elenco.size(); ++k) {
        const QString percorso = Q(elenco[k]);
        QString testo = percorso;
        testo.replace(QLatin1Char('&'), QStringLiteral("&&"));
        QAction* a = recenti_->addAction(QStringLiteral("&%1 %2").arg(k + 1).arg(testo));
        a->setData(percorso);
        connect(a, &QAction::triggered, this,
                [this, p = elenco[k]] { ApriFileRecente(*modello_, *impostazioni_, p); });
    }
}

void FrmDati::CreaMenu() {
    // The menus, the toolbar and the keys, as the command table lists them.
    QToolBar* barra = addToolBar(QStringLiteral("ToolbarUp"));
    barra->setObjectName(QStringLiteral("ToolbarUp"));
    barra->setMovable(false);
    std::map<MenuComando, QMenu*> menu;
    for (const VoceComando& v : Comandi()) {
        const QString testo = Q(CaptionComando(v));
        QAction* a = nullptr;
        if (v.menu == MenuComando::Barra) {
            a = menuBar()->addAction(testo);
        } else if (v.menu == MenuComando::Finestra) {
            a = new QAction(testo, this);
            addAction(a);
        } else {
            QMenu*& m = menu[v.menu];
            if (!m) m = menuBar()->addMenu(Q(TitoloMenu(v.menu)));
            if (v.separatorePrima) m->addSeparator();
            a = m->addAction(testo);
        }
        ScorciatoiaComando(a, v);
        const Comando c = v.comando;
        connect(a, &QAction::triggered, this, [this, c] { Esegui(c); });
        azioni_.push_back({a, &v});
        if (c == Comando::Aiuto) {
            // F1: the help about the control with the focus.
            TastoContestuale(a, [this] { AiutoContestuale(*modello_, FuocoAttuale()); });
        }
        if (v.barra >= 0) {
            const QIcon icona =
                QIcon::fromTheme(v.iconaTema ? Q(v.icona) : QString(), IconaStile(v.icona));
            QAction* b = barra->addAction(icona, Q(Caption("ToolbarUp", v.barra)));
            b->setToolTip(Q(Tooltip("ToolbarUp", v.barra)));
            connect(b, &QAction::triggered, this, [this, c] { Esegui(c); });
            azioni_.push_back({b, &v});
        }
    }
    CreaFileRecenti(menu.at(MenuComando::File));
    setAcceptDrops(true);
}

QIcon FrmDati::IconaStile(std::string_view nome) const {
    // The style's own picture for a desktop icon name.
    const std::pair<std::string_view, QStyle::StandardPixmap> icone[] = {
        {"document-new", QStyle::SP_FileIcon},
        {"document-open", QStyle::SP_DialogOpenButton},
        {"document-save", QStyle::SP_DialogSaveButton},
        {"document-print", QStyle::SP_FileDialogDetailedView}};
    for (const auto& [n, p] : icone)
        if (n == nome) return style()->standardIcon(p);
    return {};
}

QLineEdit* FrmDati::NuovoCampo(CampoForm& c, Fuoco f, const char* nome, int indice) {
    auto* w = new QLineEdit(this);
    w->setObjectName(indice >= 0 ? QStringLiteral("%1%2").arg(QLatin1String(nome)).arg(indice)
                                 : QLatin1String(nome));
    Accessibile(w, nome, indice);
    w->installEventFilter(this);
    campi_.push_back({w, &c, f});
    legami_.Campo(w, c);
    connect(w, &QLineEdit::textEdited, this,
            [this, &c](const QString& t) { modello_->Campo_Edita(c, t.toStdString()); });
    return w;
}

QWidget* FrmDati::CreaDati() {
    ModelloForm& m = *modello_;
    auto* pannello = new QWidget(this);
    auto* v = new QVBoxLayout(pannello);
    v->setContentsMargins(0, 0, 0, 0);

    // Title.
    auto* riga = new QHBoxLayout;
    riga->addWidget(new QLabel(Q(TestoDi("txtTitolo").caption), pannello));
    txtTitolo_ = NuovoCampo(m.txtTitolo, {TipoControllo::TxtTitolo, 0}, "txtTitolo", -1);
    connect(txtTitolo_, &QLineEdit::returnPressed, this, [this] { modello_->txtTitolo_Invio(); });
    riga->addWidget(txtTitolo_, 1);
    v->addLayout(riga);

    // Beam data.
    auto* dati = new QGroupBox(QStringLiteral("Trave"), pannello);
    auto* g = new QGridLayout(dati);
    const std::string* unita[3] = {&m.lblLuce, &m.lblE, &m.lblJ};
    for (int i = 0; i < 3; ++i) {
        txtDati_[static_cast<size_t>(i)] = NuovoCampo(m.txtDati[static_cast<size_t>(i)],
                                                      {TipoControllo::TxtDati, i}, "txtDati", i);
        auto* l = new QLabel(Q(TestoDi("txtDati", i).caption), dati);
        l->setBuddy(txtDati_[static_cast<size_t>(i)]);
        auto* u = new QLabel(dati);
        u->setMinimumWidth(50);
        legami_.Etichetta(u, *unita[i]);
        g->addWidget(l, i, 0);
        g->addWidget(txtDati_[static_cast<size_t>(i)], i, 1);
        g->addWidget(u, i, 2);
    }
    txtDati_[3] = NuovoCampo(m.txtDati[3], {TipoControllo::TxtDati, 3}, "txtDati", 3);
    txtDati_[3]->setMaximumWidth(70);
    g->addWidget(txtDati_[3], 3, 1);
    g->addWidget(new QLabel(Q(TestoDi("txtDati", 3).caption).trimmed(), dati), 3, 2, 1, 2);
    for (int i = 0; i < 4; ++i)
        connect(txtDati_[static_cast<size_t>(i)], &QLineEdit::returnPressed, this,
                [this, i] { modello_->txtDati_Invio(i); });
    auto* sezione = new QPushButton(Q(TestoDi("cmdSezione").caption), dati);
    sezione->setObjectName(QStringLiteral("cmdSezione"));
    Accessibile(sezione, "cmdSezione", -1);
    connect(sezione, &QPushButton::clicked, this, &FrmDati::cmdSezione_Click);
    g->addWidget(sezione, 1, 3, 2, 1);
    g->setColumnStretch(1, 1);
    v->addWidget(dati);

    // Constraint scheme.
    auto* vincoli = new QGroupBox(Q(TestoDi("Frame1").caption), pannello);
    auto* gv = new QGridLayout(vincoli);
    for (int i = 0; i < 6; ++i) {
        auto* o = new QRadioButton(Q(TestoDi("Optschema", i).caption), vincoli);
        o->setObjectName(QStringLiteral("Optschema%1").arg(i));
        Accessibile(o, "Optschema", i);
        optSchema_[static_cast<size_t>(i)] = o;
        gv->addWidget(o, i, 0);
        connect(o, &QRadioButton::clicked, this, [this, i] { modello_->Optschema_Click(i); });
    }
    figura_ = new FiguraSchema(m, vincoli);
    figura_->setObjectName(QStringLiteral("Figura"));
    gv->addWidget(figura_, 0, 1, 6, 1);
    chkParziali_ = new QCheckBox(Q(TestoDi("chkDistanzeParziali").caption), vincoli);
    chkParziali_->setObjectName(QStringLiteral("chkDistanzeParziali"));
    Accessibile(chkParziali_, "chkDistanzeParziali", -1);
    connect(chkParziali_, &QCheckBox::clicked, this,
            [this](bool b) { modello_->chkDistanzeParziali_Click(b); });
    gv->addWidget(chkParziali_, 6, 0, 1, 2);
    gv->setColumnStretch(1, 1);
    v->addWidget(vincoli, 1);

    // Foundation.
    fraWinkler_ = new QGroupBox(Q(TestoDi("fraWinkler").caption), pannello);
    fraWinkler_->setObjectName(QStringLiteral("fraWinkler"));
    auto* gf = new QGridLayout(fraWinkler_);
    for (int i = 0; i < 2; ++i) {
        auto* o = new QRadioButton(Q(TestoDi("OptFond", i).caption), fraWinkler_);
        o->setObjectName(QStringLiteral("OptFond%1").arg(i));
        Accessibile(o, "OptFond", i);
        optFond_[static_cast<size_t>(i)] = o;
        gf->addWidget(o, 0, i);
        connect(o, &QRadioButton::clicked, this, [this, i] { modello_->OptFond_Click(i); });
    }
    chkReagTraz_ = new QCheckBox(Q(TestoDi("chkReagTraz").caption), fraWinkler_);
    chkReagTraz_->setObjectName(QStringLiteral("chkReagTraz"));
    Accessibile(chkReagTraz_, "chkReagTraz", -1);
    connect(chkReagTraz_, &QCheckBox::clicked, this,
            [this](bool b) { modello_->chkReagTraz_Click(b); });
    gf->addWidget(chkReagTraz_, 0, 2);
    const std::string* uw[3] = {&m.lblK, &m.lblB, nullptr};
    for (int i = 0; i < 3; ++i) {
        auto* w = NuovoCampo(m.txtWinkler[static_cast<size_t>(i)], {TipoControllo::TxtWinkler, i},
                             "txtWinkler", i);
        txtWinkler_[static_cast<size_t>(i)] = w;
        connect(w, &QLineEdit::returnPressed, this, [this, i] { modello_->txtWinkler_Invio(i); });
        auto* l = new QLabel(Q(TestoDi("txtWinkler", i).caption), fraWinkler_);
        l->setBuddy(w);
        gf->addWidget(l, i + 1, 0);
        gf->addWidget(w, i + 1, 1);
        if (uw[i]) {
            auto* u = new QLabel(fraWinkler_);
            legami_.Etichetta(u, *uw[i]);
            gf->addWidget(u, i + 1, 2);
        } else {
            lblWinkler2_ = {l, nullptr};
        }
    }
    txtWinkler_[2]->setToolTip(
        Q(std::string(TestoDi("txtWinkler", 2).tooltip) + ": da 1 a " +
          FormatoNumero(unita_.separatori, DivisioniCentoSezioni) +
          " con 100 sezioni e nessun carico, meno con più sezioni o carichi, mai oltre " +
          FormatoNumero(unita_.separatori, MaxDivisioni)));
    lblIterazione_ = new QLabel(fraWinkler_);
    lblIterazione_->setObjectName(QStringLiteral("lblWinkler3"));
    Accessibile(lblIterazione_, "lblWinkler", 3);
    gf->addWidget(lblIterazione_, 3, 2);
    v->addWidget(fraWinkler_);

    // Continuous beam.
    continua_ = std::make_unique<VistaContinua>(
        m, NuovoCampo(m.Travata.txtCampate, {TipoControllo::TxtCampate, 0}, "txtCampate", -1),
        pannello, this);
    v->addWidget(continua_->Dati, 3);
    return pannello;
}

QWidget* FrmDati::CreaCarichi() {
    ModelloForm& m = *modello_;
    auto* pannello = new QWidget(this);
    auto* v = new QVBoxLayout(pannello);
    v->setContentsMargins(0, 0, 0, 0);
    for (int i = 0; i < 3; ++i) {
        auto* riquadro = new QGroupBox(Q(TestoDi("FlexGrid", i).caption).trimmed(), pannello);
        riquadro->setObjectName(QStringLiteral("riquadroGriglia%1").arg(i));
        auto* g = new QGridLayout(riquadro);
        auto* righe = NuovoCampo(m.txtRigheGriglia[static_cast<size_t>(i)],
                                 {TipoControllo::TxtRigheGriglia, i}, "txtRigheGriglia", i);
        righe->setMaximumWidth(60);
        txtRighe_[static_cast<size_t>(i)] = righe;
        connect(righe, &QLineEdit::returnPressed, this,
                [this, i] { modello_->txtRigheGriglia_Invio(i); });
        auto* l = new QLabel(Q(TestoDi("txtRigheGriglia", i).caption), riquadro);
        l->setBuddy(righe);
        auto* zoom = new QPushButton(Q(TestoDi("FlexGridZoom", i).caption), riquadro);
        zoom->setObjectName(QStringLiteral("FlexGridZoom%1").arg(i));
        zoom->setAccessibleName(QStringLiteral("Zoom ") +
                                Q(TestoDi("FlexGrid", i).caption).trimmed());
        connect(zoom, &QPushButton::clicked, this, [this, i] { modello_->FlexGridZoom_Click(i); });
        auto* griglia = new GrigliaQt(m, i, riquadro);
        griglia->setObjectName(QStringLiteral("FlexGrid%1").arg(i));
        Accessibile(griglia, "FlexGrid", i);
        griglia->Editor()->installEventFilter(this);
        griglia->installEventFilter(this);
        griglie_[static_cast<size_t>(i)] = griglia;
        g->addWidget(l, 0, 0);
        g->addWidget(righe, 0, 1);
        g->addWidget(zoom, 0, 3);
        g->setColumnStretch(2, 1);
        g->addWidget(griglia, 1, 0, 1, 4);
        if (i == 0) {
            // the self-weight, a load of its own shown under the trapezoids
            lblPesoProprio_ = new QLabel(riquadro);
            lblPesoProprio_->setObjectName(QStringLiteral("lblPesoProprio"));
            lblPesoProprio_->hide();
            g->addWidget(lblPesoProprio_, 2, 0, 1, 4);
        }
        riquadriGriglie_[static_cast<size_t>(i)] = riquadro;
        v->addWidget(riquadro, 1);
    }
    return pannello;
}

QWidget* FrmDati::CreaRisultati() {
    ModelloForm& m = *modello_;
    auto* pannello = new QWidget(this);
    auto* v = new QVBoxLayout(pannello);
    v->setContentsMargins(0, 0, 0, 0);
    btnCalcola_ = new QPushButton(Q(TestoDi("btnCalcola").caption), pannello);
    btnCalcola_->setObjectName(QStringLiteral("btnCalcola"));
    btnCalcola_->setMinimumHeight(36);
    btnCalcola_->setDefault(false);
    btnCalcola_->setAutoDefault(true);
    Accessibile(btnCalcola_, "btnCalcola", -1);
    connect(btnCalcola_, &QPushButton::clicked, this, &FrmDati::btnCalcola_Click);
    // A command button of its own size, not a bar across the column.
    btnCalcola_->setMinimumWidth(
        btnCalcola_->fontMetrics().horizontalAdvance(btnCalcola_->text()) * 3 + 48);
    v->addWidget(btnCalcola_, 0, Qt::AlignLeft);

    auto uscita = [&](QGroupBox* box, QGridLayout* g, int riga, int col, CampoForm& c,
                      const char* nome, int i, const std::string* unita, const char* fissa) {
        auto* w = new QLineEdit(box);
        w->setReadOnly(true);
        w->setObjectName(QStringLiteral("%1%2").arg(QLatin1String(nome)).arg(i));
        Accessibile(w, nome, i);
        campi_.push_back({w, &c, {}});
        legami_.Campo(w, c);
        auto* l = new QLabel(Q(TestoDi(nome, i).caption), box);
        l->setBuddy(w);
        auto* u = new QLabel(fissa ? QString::fromUtf8(fissa) : QString(), box);
        u->setMinimumWidth(40);
        if (unita) legami_.Etichetta(u, *unita);
        g->addWidget(l, riga, col);
        g->addWidget(w, riga, col + 1);
        g->addWidget(u, riga, col + 2);
        return w;
    };
    frameRis_ = new QGroupBox(Q(TestoDi("FrameRis").caption), pannello);
    frameRis_->setObjectName(QStringLiteral("FrameRis"));
    {
        auto* g = new QGridLayout(frameRis_);
        g->addWidget(new QLabel(Q(TestoDi("lblReazioni").caption), frameRis_), 0, 0, 1, 6);
        const std::string* u[12] = {&m.lblMomento,   &m.lblMomento,   &m.lblForza,
                                    &m.lblForza,     nullptr,         nullptr,
                                    &m.lblMomento,   &m.lblLunghezza, &m.lblMomento,
                                    &m.lblLunghezza, &m.lblLunghezza, &m.lblLunghezza};
        for (int i = 0; i < 12; ++i) {
            const int r = i < 6 ? 1 + i / 2 : 4 + (i - 6) / 2;
            const int c = (i % 2) * 3;
            txtRis_[static_cast<size_t>(i)] =
                uscita(frameRis_, g, r, c, m.txtRis[static_cast<size_t>(i)], "txtRis", i, u[i],
                       i == 4 || i == 5 ? "[rad]" : nullptr);
        }
    }
    v->addWidget(frameRis_);
    frameFond_ = new QGroupBox(Q(TestoDi("FrameFond").caption), pannello);
    frameFond_->setObjectName(QStringLiteral("FrameFond"));
    {
        auto* g = new QGridLayout(frameFond_);
        const std::string* u[10] = {
            &m.lblPressione, &m.lblMomento,   &m.lblForza,     &m.lblLunghezza, &m.lblPressione,
            &m.lblLunghezza, &m.lblLunghezza, &m.lblLunghezza, &m.lblPressione, &m.lblLunghezza};
        for (int i = 0; i < 10; ++i) {
            const int r = i < 4 ? i : i < 8 ? i - 4 : 4;
            const int c = i < 4 ? 0 : i < 8 ? 3 : (i - 8) * 3;
            txtFond_[static_cast<size_t>(i)] =
                uscita(frameFond_, g, r, c, m.txtFond[static_cast<size_t>(i)], "txtFond", i, u[i],
                       nullptr);
        }
    }
    v->addWidget(frameFond_);
    v->addWidget(continua_->Risultati);
    combinazioni_ = new VistaCombinazioni(pannello);
    v->addWidget(combinazioni_);
    frX_ = new QGroupBox(Q(TestoDi("frRisultatiInX").caption), pannello);
    frX_->setObjectName(QStringLiteral("frRisultatiInX"));
    {
        auto* g = new QGridLayout(frX_);
        txtX_[0] = NuovoCampo(m.txtX[0], {TipoControllo::TxtX, 0}, "txtX", 0);
        connect(txtX_[0], &QLineEdit::returnPressed, this, [this] { modello_->txtX_Invio(); });
        auto* l = new QLabel(Q(TestoDi("txtX", 0).caption), frX_);
        l->setBuddy(txtX_[0]);
        auto* u = new QLabel(frX_);
        legami_.Etichetta(u, m.lblLunghezza);
        g->addWidget(l, 0, 0);
        g->addWidget(txtX_[0], 0, 1);
        g->addWidget(u, 0, 2);
        const std::string* ux[4] = {&m.lblMomento, &m.lblForza, &m.lblLunghezza, &m.lblPressione};
        for (int i = 1; i < 5; ++i) {
            const int r = i <= 2 ? 1 : 2, c = (i % 2 == 1) ? 0 : 3;
            txtX_[static_cast<size_t>(i)] =
                uscita(frX_, g, i == 4 ? 0 : r, i == 4 ? 3 : c, m.txtX[static_cast<size_t>(i)],
                       "txtX", i, ux[i - 1], nullptr);
        }
        for (int k = 0; k < 3; ++k)
            rigaX4_[static_cast<size_t>(k)] =
                g->itemAtPosition(0, 3 + k) ? g->itemAtPosition(0, 3 + k)->widget() : nullptr;
    }
    v->addWidget(frX_);
    frDiagrammi_ = new QGroupBox(Q(TestoDi("FrDiagrammi").caption), pannello);
    frDiagrammi_->setObjectName(QStringLiteral("FrDiagrammi"));
    {
        auto* h = new QHBoxLayout(frDiagrammi_);
        h->addWidget(new QLabel(Q(TestoDi("lblVisualizza").caption), frDiagrammi_));
        for (int i = 0; i < 4; ++i) {
            auto* b = new QPushButton(Q(TestoDi("cbDiagramma", i).caption), frDiagrammi_);
            b->setObjectName(QStringLiteral("cbDiagramma%1").arg(i));
            Accessibile(b, "cbDiagramma", i);
            connect(b, &QPushButton::clicked, this, [this, i] { cbDiagramma_Click(i); });
            h->addWidget(b);
        }
    }
    v->addWidget(frDiagrammi_);
    v->addStretch(1);
    return pannello;
}

void FrmDati::CreaControlli() {
    auto* centro = new QWidget(this);
    auto* h = new QHBoxLayout(centro);
    divisore_ = new QSplitter(Qt::Horizontal, centro);
    divisore_->setObjectName(QStringLiteral("Divisore"));
    divisore_->setChildrenCollapsible(false);
    const int fattori[3] = {4, 4, 5};
    QWidget* pannelli[3] = {CreaDati(), CreaCarichi(), CreaRisultati()};
    for (int k = 0; k < 3; ++k) {
        divisore_->addWidget(pannelli[k]);
        divisore_->setStretchFactor(k, fattori[k]);
    }
    // First shown in the same proportions (the space is shared by weight).
    divisore_->setSizes({400, 400, 500});
    h->addWidget(divisore_);
    auto* scorri = new QScrollArea(this);
    scorri->setWidgetResizable(true);
    scorri->setFrameShape(QFrame::NoFrame);
    scorri->setWidget(centro);
    centro->setMinimumSize(1000, 560);
    setCentralWidget(scorri);
    // Keyboard order: the Enter chain's order.
    QWidget* ordine[] = {txtTitolo_,
                         txtDati_[0],
                         txtDati_[1],
                         txtDati_[2],
                         txtDati_[3],
                         continua_->txtCampate,
                         continua_->Griglie[0],
                         continua_->Griglie[1],
                         txtRighe_[0],
                         griglie_[0],
                         txtRighe_[1],
                         griglie_[1],
                         txtRighe_[2],
                         griglie_[2],
                         txtWinkler_[0],
                         txtWinkler_[1],
                         txtWinkler_[2],
                         btnCalcola_,
                         txtX_[0]};
    for (size_t i = 0; i + 1 < std::size(ordine); ++i)
        setTabOrder(ordine[i], ordine[i + 1]);
}

QWidget* FrmDati::Controllo(Fuoco f) const {
    const auto i = static_cast<size_t>(f.indice);
    switch (f.tipo) {
    case TipoControllo::TxtTitolo:
        return txtTitolo_;
    case TipoControllo::TxtDati:
        return i < 4 ? txtDati_[i] : nullptr;
    case TipoControllo::TxtRigheGriglia:
        return i < 3 ? txtRighe_[i] : nullptr;
    case TipoControllo::FlexGrid:
        return i < 3 ? griglie_[i] : nullptr;
    case TipoControllo::TxtEdit:
        return i < 3 ? griglie_[i]->Editor() : nullptr;
    case TipoControllo::TxtWinkler:
        return i < 3 ? txtWinkler_[i] : nullptr;
    case TipoControllo::TxtX:
        return txtX_[0];
    case TipoControllo::BtnCalcola:
        return btnCalcola_;
    case TipoControllo::TxtCampate:
        return continua_->txtCampate;
    case TipoControllo::GrigliaContinua:
        return i < 2 ? continua_->Griglie[i] : nullptr;
    case TipoControllo::EditContinua:
        return i < 2 ? continua_->Griglie[i]->Editor() : nullptr;
    case TipoControllo::Nessuno:
        break;
    }
    return nullptr;
}

QLineEdit* FrmDati::Campo(const char* nome, int indice) const {
    return findChild<QLineEdit*>(QStringLiteral("%1%2").arg(QLatin1String(nome)).arg(indice));
}

void FrmDati::Aggiorna() {
    if (aggiornando_) return;
    aggiornando_ = true;
    const ModelloForm& m = *modello_;
    // "*" before the caption while the data are not saved.
    setWindowTitle(QStringLiteral("[*]") + QString::fromStdString(m.Caption));
    setWindowModified(m.DatiModificati());
    legami_.Aggiorna();
    txtWinkler_[2]->setVisible(m.txtWinkler[2].visibile);
    if (lblWinkler2_[0]) lblWinkler2_[0]->setVisible(m.txtWinkler[2].visibile);
    for (int i = 0; i < 6; ++i)
        optSchema_[static_cast<size_t>(i)]->setChecked(m.Optschema == i);
    // A continuous beam's length is the sum of its spans.
    txtDati_[0]->setReadOnly(m.Optschema == Continua);
    for (int i = 0; i < 2; ++i)
        optFond_[static_cast<size_t>(i)]->setChecked(m.OptFond == i);
    chkParziali_->setChecked(m.chkDistanzeParziali);
    chkReagTraz_->setChecked(m.chkReagTraz);
    fraWinkler_->setVisible(m.fraWinkler);
    lblIterazione_->setVisible(m.lblWinkler3);
    lblIterazione_->setText(m.testoIterazione.empty() ? Q(TestoDi("lblWinkler", 3).caption)
                                                      : QString::fromStdString(m.testoIterazione));
    frameRis_->setVisible(m.FrameRis && m.Optschema != Continua);
    continua_->Aggiorna();
    frameFond_->setVisible(m.FrameFond);
    combinazioni_->Aggiorna(TabelleCombinazioni(m.Modulo.Combinazioni, m.Modulo.Dati, m.Unita));
    const std::string peso = TestoPesoProprio(m);
    lblPesoProprio_->setText(QString::fromStdString(peso));
    lblPesoProprio_->setVisible(!peso.empty());
    frX_->setVisible(m.frRisultatiInX);
    frDiagrammi_->setVisible(m.FrDiagrammi);
    for (QWidget* w : rigaX4_)
        if (w) w->setVisible(m.txtX4Visibile);
    btnCalcola_->setEnabled(VoceDi(Comando::Calcola).abilitato(m));
    for (const auto& [a, v] : azioni_)
        a->setEnabled(v->abilitato(m));
    for (int i = 0; i < 3; ++i) {
        const GrigliaTesto& g = m.FlexGrid[static_cast<size_t>(i)];
        griglie_[static_cast<size_t>(i)]->setVisible(g.visibile);
        griglie_[static_cast<size_t>(i)]->Aggiorna();
        // "Zoom": the grid takes the room of the other two.
        bool altroZoom = false;
        for (int k = 0; k < 3; ++k)
            altroZoom = altroZoom || (k != i && m.FlexGrid[static_cast<size_t>(k)].zoom);
        riquadriGriglie_[static_cast<size_t>(i)]->setVisible(!altroZoom || g.zoom);
    }
    figura_->update();
    // The focus follows the model when it moves, and always after a refusal
    // (the field may already be the model's while a button has the focus).
    if (!(m.fuoco == ultimoFuoco_) || m.RichiesteFuoco != ultimaRichiestaFuoco_) {
        ultimoFuoco_ = m.fuoco;
        ultimaRichiestaFuoco_ = m.RichiesteFuoco;
        if (QWidget* w = Controllo(m.fuoco); w && w->isVisibleTo(this)) {
            w->setFocus(Qt::OtherFocusReason);
            if (auto* e = qobject_cast<QLineEdit*>(w); e && m.fuoco.tipo != TipoControllo::TxtEdit)
                e->selectAll();
        }
    }
    aggiornando_ = false;
    emit Aggiornato();
}

bool FrmDati::eventFilter(QObject* o, QEvent* e) {
    // A data file dropped on a field opens, as on the window (a text field
    // would otherwise take the path as text).
    if (e->type() == QEvent::DragEnter || e->type() == QEvent::DragMove ||
        e->type() == QEvent::Drop) {
        auto* d = static_cast<QDropEvent*>(e);
        if (!FileDatiTrascinato(PercorsiTrascinati(d->mimeData())).empty()) {
            if (e->type() == QEvent::Drop)
                dropEvent(d);
            else
                d->acceptProposedAction();
            return true;
        }
    }
    if (e->type() == QEvent::KeyPress) {
        auto* k = static_cast<QKeyEvent*>(e);
        // The keypad's decimal key types the regional decimal separator.
        if (TastierinoInCampo(o, k, unita_.separatori)) return true;
    }
    if (e->type() == QEvent::FocusOut && !aggiornando_) {
        // Leaving a field writes its number back in the regional format.
        for (const CampoVista& c : campi_)
            if (c.w == o && c.f.tipo != TipoControllo::Nessuno) modello_->Fuoco_Perso(c.f);
    }
    if (e->type() == QEvent::FocusIn && !aggiornando_) {
        for (const CampoVista& c : campi_)
            if (c.w == o && c.f.tipo != TipoControllo::Nessuno) {
                ultimoFuoco_ = c.f;
                modello_->Fuoco_Preso(c.f);
                // Entering a field selects its whole text.
                QTimer::singleShot(0, c.w, [w = c.w] { w->selectAll(); });
            }
    }
    return QMainWindow::eventFilter(o, e);
}

void FrmDati::Avvio(const QStringList& argomenti) {
    std::vector<std::string> a;
    for (const QString& t : argomenti)
        a.push_back(t.toStdString());
    modello_->Avvio(a);
}

void FrmDati::NonDisponibile(const char* cosa) {
    msg_->Mostra(std::string(cosa) + ": non ancora disponibile in questa versione.",
                 Icona::Informazione);
}

void FrmDati::btnCalcola_Click() {
    modello_->btnCalcola_Click();
}

void FrmDati::cbDiagramma_Click(int i) {
    modello_->cbDiagramma_Click(i);
}

void FrmDati::cmdSezione_Click() {
    modello_->cmdSezione_Click();
}

void FrmDati::Esegui(Comando c) {
    modello_->Esegui(c);
    if (modello_->Chiuso) close();
}

void FrmDati::mnuFileItem_Click(int i) {
    if (const std::optional<Comando> c = ComandoDaTesto("MnuFileItem", i)) Esegui(*c);
}

Fuoco FrmDati::FuocoAttuale() const {
    const QWidget* w = QApplication::focusWidget();
    for (const CampoVista& c : campi_)
        if (c.w == w) return c.f;
    for (GrigliaQt* g : griglie_)
        if (w == g || w == g->Editor()) return {TipoControllo::FlexGrid, g->Indice()};
    if (const Fuoco f = continua_->FuocoDi(w); f.tipo != TipoControllo::Nessuno) return f;
    if (w == btnCalcola_) return {TipoControllo::BtnCalcola, 0};
    return {};
}

void FrmDati::dragEnterEvent(QDragEnterEvent* e) {
    if (!FileDatiTrascinato(PercorsiTrascinati(e->mimeData())).empty()) e->acceptProposedAction();
}

void FrmDati::dropEvent(QDropEvent* e) {
    const std::string file = FileDatiTrascinato(PercorsiTrascinati(e->mimeData()));
    if (file.empty()) return;
    e->acceptProposedAction();
    // the section window hands its E and J back before the problem is replaced
    if (!FrmProperty::Chiudi(*this)) return;
    ApriFileTrascinato(*modello_, file);
}

void FrmDati::closeEvent(QCloseEvent* e) {
    // An open cell editor keeps what was typed.
    for (GrigliaQt* g : griglie_)
        if (g->Editor()->isVisible()) modello_->txtEdit_PerdeFuoco(g->Indice());
    continua_->ChiudiEditori();
    // what the section window holds counts as typed (a refused field: no closing)
    if (!FrmProperty::Chiudi(*this)) {
        e->ignore();
        return;
    }
    if (modello_->Chiusura())
        e->accept();
    else
        e->ignore();
}

} // namespace zelvo
