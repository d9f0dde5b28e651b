#include "ui/frm_property.h"

#include "form/verifiche_form.h"
#include "graphics/colori.h"
#include "graphics_qt/superficie_qt.h"
#include "ui/frm_dati.h"
#include "ui/griglia_qt.h"
#include "ui/legami_vista.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QSignalBlocker>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTableWidget>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>
#include <optional>

namespace zelvo {

namespace {

QString Q(const std::string& s) {
    return QString::fromStdString(s);
}
std::string S(const QString& s) {
    return s.toStdString();
}

// Moves a window so that as much of it as fits lies on its screen.
void TieniSulloSchermo(QWidget* w) {
    const QScreen* sc = w->screen();
    if (!sc) return;
    const QRect s = sc->availableGeometry();
    const QRect g = w->frameGeometry();
    const int x = std::max(s.left(), std::min(g.left(), s.right() + 1 - g.width()));
    const int y = std::max(s.top(), std::min(g.top(), s.bottom() + 1 - g.height()));
    if (x != g.left() || y != g.top()) w->move(x, y);
}

QLabel* Etichetta(const QString& t, QWidget* g) {
    auto* l = new QLabel(t, g);
    l->setTextFormat(Qt::RichText);
    return l;
}

// A unit label beside a field: plain text (the exponents are the characters
// ², ³, ⁴, ⁻¹), wide enough for the longest unit.
QLabel* EtichettaUnita(const QString& t, QWidget* g) {
    auto* l = new QLabel(t, g);
    l->setTextFormat(Qt::PlainText);
    l->setMinimumWidth(l->fontMetrics().horizontalAdvance(QStringLiteral("kg/m³")) + 8);
    return l;
}

} // namespace

// ---------------------------------------------------------------------------
// The window.

FrmProperty* FrmProperty::Apri(FrmDati& trave) {
    FrmProperty* w = trave.SezioneAperta();
    if (!w) {
        w = new FrmProperty(trave);
        trave.SezioneAperta() = w;
        w->setAttribute(Qt::WA_DeleteOnClose);
        w->modello_.Form_Load(); // its observer shows it
        // over the main window, beside its data fields
        const QRect t = trave.frameGeometry();
        w->move(std::max(t.left(), t.left() + (t.width() - w->width()) / 2),
                std::max(t.top(), t.top() + 60));
        TieniSulloSchermo(w);
    }
    w->show();
    w->raise();
    w->activateWindow();
    return w;
}

void FrmProperty::TraveCambiata(FrmDati& trave) {
    if (FrmProperty* w = trave.SezioneAperta()) w->modello_.SeguiTrave();
}

bool FrmProperty::Chiudi(FrmDati& trave) {
    if (FrmProperty* w = trave.SezioneAperta()) return w->close();
    return true;
}

FrmProperty::FrmProperty(FrmDati& trave)
    : QWidget(&trave, Qt::Window), trave_(trave), modello_(trave.Modello(), trave.Msg()) {
    setObjectName(QStringLiteral("frmProperty"));
    setWindowTitle(QStringLiteral("Beam Property"));
    auto* l = new QVBoxLayout(this);
    pagine_ = new QStackedWidget(this);
    l->addWidget(pagine_);
    CreaSchede();
    CreaMateriali();
    CreaEditor();
    cmdClose_ = new QPushButton(QStringLiteral("&Close"), this);
    cmdClose_->setObjectName(QStringLiteral("cmdClose"));
    auto* basso = new QHBoxLayout;
    basso->addStretch();
    basso->addWidget(cmdClose_);
    l->addLayout(basso);
    connect(cmdClose_, &QPushButton::clicked, this, &QWidget::close);
    // every field named by its label, for screen readers and UI automation
    const std::pair<const char*, const char*> nomi[] = {
        {"txtMateriale", "Material"},
        {"txtStru0", "Young Modulus"},
        {"txtStru1", "Poisson's Ratio"},
        {"txtStru2", "Density"},
        {"txtStru3", "Thermal Expansion"},
        {"txtSec0", "Section Area"},
        {"txtSec1", "I"},
        {"txtFy", "Yield stress fy"},
        {"txtDidSezione", "Description"},
        {"PictureEdit", "Picture of the section"},
        {"txtRigheGriglia0", "n"},
        {"RaggioTxt0", "R external"},
        {"RaggioTxt1", "R internal"},
        {"RaggioTxt2", "n Vertex"},
        {"Figura", "Click picture to plot and calculate"},
        {"Risultati1", "Area"},
        {"Risultati2", "I"},
        {"Risultati3", "X (C)"},
        {"Risultati4", "Y (C)"},
    };
    for (const auto& [oggetto, nome] : nomi)
        if (auto* w = findChild<QWidget*>(QString::fromLatin1(oggetto)))
            w->setAccessibleName(QString::fromLatin1(nome));
    // the window re-reads its model whenever an event of it has run
    modello_.Cambiato = [this] { Aggiorna(); };
    MostraPagina(0);
    resize(std::max(minimumSizeHint().width(), 560), std::max(minimumSizeHint().height(), 440));
}

void FrmProperty::MostraPagina(int i) {
    if (pagine_->currentIndex() == i && pagina_ == i) return;
    // Only the page shown counts for the window's size: the materials panel
    // and the section editor enlarge the window, closing them gives back the
    // size it had.
    if (pagina_ == 0 && i != 0) dimensioneNormale_ = size();
    for (int k = 0; k < pagine_->count(); ++k)
        pagine_->widget(k)->setSizePolicy(k == i ? QSizePolicy::Preferred : QSizePolicy::Ignored,
                                          k == i ? QSizePolicy::Preferred : QSizePolicy::Ignored);
    pagine_->setCurrentIndex(i);
    const bool primaVolta = pagina_ < 0;
    pagina_ = i;
    if (primaVolta) return;
    if (i == 0) {
        setMinimumSize(0, 0);
        resize(dimensioneNormale_.isValid() ? dimensioneNormale_ : QSize(560, 440));
    } else {
        QSize voluta = size().expandedTo(i == 2 ? QSize(800, 620) : QSize(720, 520));
        if (const QScreen* sc = screen()) // no larger than the screen allows
            voluta = voluta.boundedTo(sc->availableGeometry().size() - QSize(16, 40));
        resize(voluta.expandedTo(minimumSizeHint()));
        TieniSulloSchermo(this);
    }
}

FrmProperty::~FrmProperty() = default;

void FrmProperty::CreaSchede() {
    SSTab1_ = new QTabWidget(this);
    SSTab1_->setObjectName(QStringLiteral("SSTab1"));
    pagine_->addWidget(SSTab1_);

    // Material
    auto* mat = new QWidget;
    auto* gm = new QGridLayout(mat);
    auto* cmdMaterials = new QPushButton(QStringLiteral("Materials ..."), mat);
    cmdMaterials->setObjectName(QStringLiteral("cmdMaterials"));
    gm->addWidget(cmdMaterials, 0, 0);
    gm->addWidget(NuovoCampo(modello_.txtMateriale, QStringLiteral("txtMateriale"), mat), 0, 1, 1,
                  2);
    const char* did[] = {"Young Modulus", "Poisson's Ratio", "Density", "Thermal Expansion"};
    for (int i = 0; i < 4; ++i) {
        auto* didascalia = Etichetta(QString::fromUtf8(did[i]), mat);
        txtStru_[i] = NuovoCampo(modello_.txtStru[i], QStringLiteral("txtStru%1").arg(i), mat);
        gm->addWidget(didascalia, i + 1, 0);
        gm->addWidget(txtStru_[i], i + 1, 1);
        if (i == 1) {
            legami_.Visibile(didascalia, modello_.PoissonVisibile);
            legami_.Visibile(txtStru_[i], modello_.PoissonVisibile);
        }
    }
    gm->addWidget(NuovaUnita(modello_.lblStru0, mat), 1, 2);
    gm->addWidget(EtichettaUnita(QStringLiteral("kg/m³"), mat), 3, 2);
    gm->addWidget(EtichettaUnita(QStringLiteral("°C⁻¹"), mat), 4, 2);
    gm->setRowStretch(5, 1);
    gm->setColumnStretch(1, 1);
    connect(cmdMaterials, &QPushButton::clicked, this, [this] { modello_.cmdMaterials_Click(); });
    SSTab1_->addTab(mat, QStringLiteral("Material"));

    // Section
    auto* sez = new QWidget;
    auto* gs = new QGridLayout(sez);
    gs->addWidget(Etichetta(QStringLiteral("Section Area"), sez), 0, 0);
    auto* didSec1 = Etichetta(QStringLiteral("I"), sez);
    gs->addWidget(didSec1, 1, 0);
    const std::string* unitaSec[] = {&modello_.lblSec0, &modello_.lblSec1};
    for (int i = 0; i < 2; ++i) {
        txtSec_[i] = NuovoCampo(modello_.txtSec[i], QStringLiteral("txtSec%1").arg(i), sez);
        auto* unita = NuovaUnita(*unitaSec[i], sez);
        gs->addWidget(txtSec_[i], i, 1);
        gs->addWidget(unita, i, 2);
        if (i == 1)
            for (QWidget* w : {static_cast<QWidget*>(didSec1), static_cast<QWidget*>(txtSec_[i]),
                               static_cast<QWidget*>(unita)})
                legami_.Visibile(w, modello_.InerziaVisibile);
    }
    auto* ver = new QGroupBox(
        QStringLiteral("Section check (characteristic values, no partial factors)"), sez);
    ver->setObjectName(QStringLiteral("fraVerifica"));
    auto* gv = new QGridLayout(ver);
    gv->addWidget(Etichetta(QStringLiteral("Yield stress f<sub>y</sub>"), ver), 0, 0);
    txtFy_ = new QLineEdit(ver);
    txtFy_->setObjectName(QStringLiteral("txtFy"));
    gv->addWidget(txtFy_, 0, 1);
    gv->addWidget(NuovaUnita(modello_.lblStru0, ver), 0, 2);
    const char* voci[] = {"Elastic modulus W<sub>el</sub>",
                          "Plastic modulus W<sub>pl</sub>",
                          "M<sub>el</sub> = W<sub>el</sub>·f<sub>y</sub>",
                          "M<sub>pl</sub> = W<sub>pl</sub>·f<sub>y</sub>",
                          "Largest |M| of the results",
                          "|M| / M<sub>pl</sub>"};
    const char* nomi[] = {"lblWel", "lblWpl", "lblMel", "lblMpl", "lblMmax", "lblRapporto"};
    for (int i = 0; i < 6; ++i) {
        gv->addWidget(Etichetta(QString::fromUtf8(voci[i]), ver), i + 1, 0);
        verifica_[i] = new QLabel(ver);
        verifica_[i]->setObjectName(QString::fromLatin1(nomi[i]));
        verifica_[i]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        verifica_[i]->setFrameShape(QFrame::StyledPanel);
        verifica_[i]->setMinimumWidth(110);
        unitaVer_[i] = EtichettaUnita(QString(), ver);
        gv->addWidget(verifica_[i], i + 1, 1);
        gv->addWidget(unitaVer_[i], i + 1, 2);
    }
    lblMotivo_ = new QLabel(ver);
    lblMotivo_->setObjectName(QStringLiteral("lblMotivoVerifica"));
    lblMotivo_->setWordWrap(true);
    gv->addWidget(lblMotivo_, 7, 0, 1, 3);
    auto* rimando = new QLabel(QString::fromUtf8(TestoRimandoVerifiche), ver);
    rimando->setObjectName(QStringLiteral("lblRimandoVerifiche"));
    rimando->setWordWrap(true);
    gv->addWidget(rimando, 8, 0, 1, 3);
    gv->setColumnStretch(1, 1);
    gs->addWidget(ver, 2, 0, 1, 3);
    gs->setRowStretch(3, 1);
    gs->setColumnStretch(1, 1);
    connect(txtFy_, &QLineEdit::textEdited, this,
            [this](const QString& t) { modello_.ImpostaFy(S(t)); });
    SSTab1_->addTab(sez, QStringLiteral("Section"));

    // Geometry
    auto* geo = new QWidget;
    auto* gg = new QGridLayout(geo);
    auto* descrizione = new QHBoxLayout;
    descrizione->addWidget(Etichetta(QStringLiteral("Description"), geo));
    descrizione->addWidget(NuovoCampo(modello_.txtDidSezione, QStringLiteral("txtDidSezione"), geo),
                           1);
    gg->addLayout(descrizione, 0, 0, 1, 4);
    PictureEdit_ = new PicturaSezione(geo);
    PictureEdit_->setObjectName(QStringLiteral("PictureEdit"));
    PictureEdit_->disegno = [this] { return modello_.DisegnoGeometria(); };
    PictureEdit_->guasto = [this] { modello_.Msg.Mostra(TestoErrorePlottaggio, Icona::Critica); };
    gg->addWidget(PictureEdit_, 1, 0, 1, 4);
    const char* geoTesti[] = {"&Profili", "&Edit", "&Rotate"};
    for (int i = 0; i < 3; ++i) {
        auto* b = new QPushButton(QString::fromUtf8(geoTesti[i]), geo);
        b->setObjectName(QStringLiteral("cmdGeo%1").arg(i));
        gg->addWidget(b, 2, i + 1);
        connect(b, &QPushButton::clicked, this, [this, i] { modello_.cmdGeo_Click(i); });
        if (i == 2) legami_.Abilitato(b, modello_.RuotaAbilitato);
    }
    gg->setRowStretch(1, 1);
    gg->setColumnStretch(0, 1);
    SSTab1_->addTab(geo, QStringLiteral("Geometry"));

    connect(SSTab1_, &QTabWidget::currentChanged, this,
            [this](int i) { modello_.SSTab1_Click(i); });
}

void FrmProperty::CreaMateriali() {
    auto* pan = new QGroupBox(QStringLiteral("Materials"));
    pan->setObjectName(QStringLiteral("FrameMaterials"));
    auto* l = new QGridLayout(pan);
    MSFlexGrid1_ = new QTableView(pan);
    MSFlexGrid1_->setObjectName(QStringLiteral("MSFlexGrid1"));
    MSFlexGrid1_->setAccessibleName(QStringLiteral("Materials"));
    modelloMateriali_ = new ModelloGrigliaQt(modello_.MSFlexGrid1.Griglia, MSFlexGrid1_);
    MSFlexGrid1_->setModel(modelloMateriali_);
    MSFlexGrid1_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    MSFlexGrid1_->setSelectionBehavior(QAbstractItemView::SelectRows);
    MSFlexGrid1_->setSelectionMode(QAbstractItemView::SingleSelection);
    MSFlexGrid1_->horizontalHeader()->hide();
    MSFlexGrid1_->verticalHeader()->hide();
    MSFlexGrid1_->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 8);
    MSFlexGrid1_->horizontalHeader()->setStretchLastSection(true);
    l->addWidget(MSFlexGrid1_, 0, 0, 1, 6);
    for (int c = 1; c <= 5; ++c) {
        Text_[c] = new QLineEdit(pan);
        Text_[c]->setObjectName(QStringLiteral("Text%1").arg(c));
        l->addWidget(Text_[c], 1, c - 1);
        legami_.Testo(Text_[c], modello_.Text[c]);
        connect(Text_[c], &QLineEdit::textEdited, this,
                [this, c](const QString& t) { modello_.Text[c] = S(t); });
    }
    // the stress unit beside the modulus box
    l->removeWidget(Text_[2]);
    auto* modulo = new QHBoxLayout;
    modulo->setContentsMargins(0, 0, 0, 0);
    modulo->addWidget(Text_[2], 1);
    modulo->addWidget(NuovaUnita(modello_.lblUnitaMateriali, pan));
    l->addLayout(modulo, 1, 1);
    for (int c = 0; c < 6; ++c)
        l->setColumnStretch(c, 1);
    const struct {
        const char* testo;
        const char* nome;
        std::function<void()> f;
    } pulsanti[] = {
        {"Add", "cmdAggiungi", [this] { modello_.cmdAggiungi_Click(); }},
        {"Cancel Row", "cmdEliminRiga", [this] { modello_.cmdEliminRiga_Click(); }},
        {"Default", "cmdMatDefault", [this] { modello_.cmdMatDefault_Click(); }},
        {"Save Materials", "cmdSalvaMat", [this] { modello_.cmdSalvaMat_Click(); }},
        {"&OK", "cmdOKMateriali0", [this] { modello_.cmdOKMateriali_Click(0); }},
        {"&Cancel", "cmdOKMateriali1", [this] { modello_.cmdOKMateriali_Click(1); }},
    };
    int k = 0;
    for (const auto& p : pulsanti) {
        auto* b = new QPushButton(QString::fromUtf8(p.testo), pan);
        b->setObjectName(QString::fromLatin1(p.nome));
        l->addWidget(b, 2, k++);
        auto f = p.f;
        connect(b, &QPushButton::clicked, this, [f] { f(); });
    }
    lblPredefiniti_ = new QLabel(pan);
    lblPredefiniti_->setObjectName(QStringLiteral("lblPredefiniti"));
    lblPredefiniti_->setWordWrap(true);
    lblPredefiniti_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    lblPredefiniti_->hide();
    l->addWidget(lblPredefiniti_, 3, 0, 1, 6);
    connect(MSFlexGrid1_, &QTableView::clicked, this,
            [this](const QModelIndex& i) { modello_.MSFlexGrid1_Click(i.row()); });
    pagine_->addWidget(pan);
}

void FrmProperty::CreaEditor() {
    auto* ed = new QGroupBox(QStringLiteral("Section editor"));
    ed->setObjectName(QStringLiteral("FrameEdit"));
    auto* l = new QGridLayout(ed);

    auto* tipi = new QGroupBox(QStringLiteral("Section Type"), ed);
    auto* lt = new QGridLayout(tipi);
    for (int i = 0; i < 7; ++i) {
        auto* b = new QToolButton(tipi);
        b->setObjectName(QStringLiteral("OpTipoSezione%1").arg(i));
        b->setText(Q(DidascaliaTipoSezione(static_cast<int16_t>(i))));
        b->setIcon(QIcon(DisegnoTipoSezione(i, 40, devicePixelRatioF())));
        b->setIconSize(QSize(40, 40));
        b->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
        b->setCheckable(true);
        b->setAutoExclusive(false);
        b->setMinimumWidth(64);
        lt->addWidget(b, i / 4, i % 4);
        OpTipoSezione_[i] = b;
        connect(b, &QToolButton::clicked, this, [this, i] { modello_.OpTipoSezione_Click(i); });
    }
    l->addWidget(tipi, 0, 0, 1, 2);

    auto* righe = new QHBoxLayout;
    auto* lblRighe = new QLabel(QStringLiteral("n"), ed);
    txtRigheGriglia_ =
        NuovoCampo(modello_.txtRigheGriglia0, QStringLiteral("txtRigheGriglia0"), ed);
    txtRigheGriglia_->setMaximumWidth(70);
    legami_.Visibile(lblRighe, modello_.RigheVisibili);
    legami_.Visibile(txtRigheGriglia_, modello_.RigheVisibili);
    righe->addWidget(lblRighe);
    righe->addWidget(txtRigheGriglia_);
    righe->addStretch();
    l->addLayout(righe, 1, 0);
    connect(txtRigheGriglia_, &QLineEdit::returnPressed, this,
            [this] { modello_.txtRigheGriglia_Invio(); });

    EventiGriglia ev;
    ev.Tasto = [this](int c) { modello_.Griglia_Tasto(c); };
    ev.Seleziona = [this](int r, int c) { modello_.Griglia_SelezionaCella(r, c); };
    ev.Scorre = [this] { modello_.Griglia_Scorre(); };
    ev.TastoEditor = [this](TastoEditor t) { modello_.Editor_Tasto(t); };
    ev.Edita = [this](const std::string& t, int inizio, int lunghezza) {
        modello_.Editor_Edita(t, inizio, lunghezza);
    };
    ev.PerdeFuoco = [this] { modello_.Editor_PerdeFuoco(); };
    FlexGrid0_ = new GrigliaQt(modello_.FlexGrid0, std::move(ev), 0, ed);
    FlexGrid0_->setObjectName(QStringLiteral("FlexGrid0"));
    FlexGrid0_->setAccessibleName(QStringLiteral("Shape table"));
    l->addWidget(FlexGrid0_, 2, 0);

    auto* raggi = new QGroupBox(QStringLiteral("Hollow Circular Section"), ed);
    raggi->setObjectName(QStringLiteral("RaggioFrm"));
    legami_.Visibile(raggi, modello_.RaggioFrm);
    legami_.Titolo(raggi, modello_.RaggioFrmCaption);
    auto* lr = new QGridLayout(raggi);
    const char* nomiR[] = {"R external", "R internal", "n Vertex"};
    for (int i = 0; i < 3; ++i) {
        auto* nome = new QLabel(QString::fromUtf8(nomiR[i]), raggi);
        RaggioTxt_[i] =
            NuovoCampo(modello_.RaggioTxt[i], QStringLiteral("RaggioTxt%1").arg(i), raggi);
        lr->addWidget(nome, i, 0);
        lr->addWidget(RaggioTxt_[i], i, 1);
        if (i == 2) {
            legami_.Visibile(nome, modello_.NVertexVisibile);
            legami_.Visibile(RaggioTxt_[i], modello_.NVertexVisibile);
        }
        connect(RaggioTxt_[i], &QLineEdit::returnPressed, this,
                [this, i] { modello_.RaggioTxt_Invio(i); });
    }
    for (int i = 0; i < 2; ++i) {
        auto* unita = new QLabel(raggi);
        legami_.Etichetta(unita, modello_.RaggioUnit);
        lr->addWidget(unita, i, 2);
    }
    lr->setRowStretch(3, 1);
    // in the grid's place: the two are never shown together
    l->addWidget(raggi, 2, 0, Qt::AlignTop);

    Figura_ = new PicturaSezione(ed);
    Figura_->setObjectName(QStringLiteral("Figura"));
    Figura_->setToolTip(QStringLiteral("Click picture to plot and calculate"));
    Figura_->setMinimumSize(240, 200);
    Figura_->disegno = [this] { return modello_.DisegnoEditor(); };
    Figura_->guasto = [this] { modello_.Msg.Mostra(TestoErrorePlottaggio, Icona::Critica); };
    Figura_->click = [this] { modello_.Figura_Click(); };
    auto* destra = new QVBoxLayout;
    auto* suggerimento = new QLabel(QStringLiteral("Click picture to plot and calculate"), ed);
    suggerimento->setStyleSheet(QStringLiteral("color: #555;"));
    destra->addWidget(suggerimento);
    destra->addWidget(Figura_, 1);
    auto* ris = new QGridLayout;
    const char* nomiRis[] = {"", "Area", "I", "X (C)", "Y (C)"};
    for (int i = 1; i <= 4; ++i) {
        ris->addWidget(new QLabel(QString::fromUtf8(nomiRis[i]), ed), i, 0);
        auto* r = new QLabel(ed);
        r->setObjectName(QStringLiteral("Risultati%1").arg(i));
        r->setFrameShape(QFrame::StyledPanel);
        r->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        r->setMinimumWidth(120);
        legami_.Etichetta(r, modello_.Risultati[static_cast<size_t>(i)]);
        ris->addWidget(r, i, 1);
        ris->addWidget(NuovaUnita(modello_.RisultatiUnit[static_cast<size_t>(i)], ed), i, 2);
    }
    destra->addLayout(ris);
    l->addLayout(destra, 1, 1, 3, 1);
    l->setColumnStretch(0, 1);
    l->setColumnStretch(1, 1);
    l->setRowStretch(2, 1);

    auto* bott = new QHBoxLayout;
    bott->addStretch();
    cmdOKEdit_ = new QPushButton(QStringLiteral("&OK"), ed);
    cmdOKEdit_->setObjectName(QStringLiteral("cmdOKEdit"));
    auto* annulla = new QPushButton(QStringLiteral("&Cancel"), ed);
    annulla->setObjectName(QStringLiteral("cmdAnnullaEdit"));
    bott->addWidget(cmdOKEdit_);
    bott->addWidget(annulla);
    l->addLayout(bott, 4, 0, 1, 2);
    connect(cmdOKEdit_, &QPushButton::clicked, this, [this] { modello_.cmdOKEdit_Click(); });
    connect(annulla, &QPushButton::clicked, this, [this] { modello_.cmdAnnullaEdit_Click(); });
    pagine_->addWidget(ed);
}

void FrmProperty::AggiornaGriglia() {
    FlexGrid0_->setVisible(modello_.FlexGrid0.visibile && modello_.FrameEdit);
    FlexGrid0_->Aggiorna();
}

void FrmProperty::AggiornaMateriali() {
    const TabellaMateriali& t = modello_.MSFlexGrid1;
    modelloMateriali_->Aggiorna();
    // the marker column narrow, the name wide, the numbers sharing the rest
    const int w0 = fontMetrics().horizontalAdvance(QStringLiteral(">")) + 16;
    const int w1 = fontMetrics().horizontalAdvance(QStringLiteral("Concrete C20/25")) + 24;
    MSFlexGrid1_->setColumnWidth(0, w0);
    MSFlexGrid1_->setColumnWidth(1, w1);
    const int resto = std::max(4 * 60, MSFlexGrid1_->viewport()->width() - w0 - w1);
    for (int c = 2; c < 6; ++c)
        MSFlexGrid1_->setColumnWidth(c, resto / 4);
    if (t.Selezionata >= 1 && t.Selezionata < t.Righe()) MSFlexGrid1_->selectRow(t.Selezionata);
    lblPredefiniti_->setText(Q(modello_.lblPredefiniti));
    lblPredefiniti_->setVisible(!modello_.lblPredefiniti.empty());
}

QLineEdit* FrmProperty::NuovoCampo(CampoForm& c, const QString& nome, QWidget* genitore) {
    auto* w = new QLineEdit(genitore);
    w->setObjectName(nome);
    legami_.Campo(w, c);
    connect(w, &QLineEdit::textEdited, this, [&c](const QString& t) { c.Edita(S(t)); });
    return w;
}

QLabel* FrmProperty::NuovaUnita(const std::string& unita, QWidget* genitore) {
    auto* l = EtichettaUnita(QString(), genitore);
    legami_.Etichetta(l, unita);
    return l;
}

void FrmProperty::Aggiorna() {
    // A change announced while the window re-reads (a cell editor losing the
    // focus to the control the model named) is read once this pass is over.
    if (rileggendo_) {
        ancora_ = true;
        return;
    }
    struct Rilegge {
        bool& b;
        explicit Rilegge(bool& bb) : b(bb) { b = true; }
        ~Rilegge() { b = false; }
    } rilegge(rileggendo_);
    for (int giro = 0; giro < 4; ++giro) {
        ancora_ = false;
        Rileggi();
        if (!ancora_) break;
    }
}

void FrmProperty::Rileggi() {
    FinestraProperty& m = modello_;
    // windows shown and hidden by the model (the chooser hides both)
    if (m.Scelta && !scelta_) {
        scelta_ = std::make_unique<FrmSceltaProfili>(*this, *m.Scelta);
        scelta_->show();
        scelta_->raise();
    }
    if (!m.Scelta && scelta_) {
        auto s = std::move(scelta_);
        s->hide();
        s.release()->deleteLater();
    }
    if (m.Aperta) {
        setVisible(m.Visibile);
        trave_.setVisible(m.TraveVisibile);
    }
    MostraPagina(m.FrameMaterials ? 1 : m.FrameEdit ? 2 : 0);
    cmdClose_->setEnabled(!m.FrameMaterials && !m.FrameEdit);
    if (SSTab1_->currentIndex() != m.Scheda) {
        // the model's tab, not a click on it
        const QSignalBlocker blocco(SSTab1_);
        SSTab1_->setCurrentIndex(m.Scheda);
    }
    legami_.Aggiorna();

    // section check
    // the yield stress being typed is not rewritten under the caret
    if (!txtFy_->hasFocus()) LegamiVista::ImpostaTesto(txtFy_, m.txtFy.testo);
    const auto t = m.TestiDellaVerifica();
    const std::string v[] = {t.Wel, t.Wpl, t.Mel, t.Mpl, t.Mmax, t.rapporto};
    const std::string u[] = {t.unitaW, t.unitaW, t.unitaM, t.unitaM, t.unitaM, ""};
    for (int i = 0; i < 6; ++i) {
        verifica_[i]->setText(Q(v[i]));
        unitaVer_[i]->setText(Q(u[i]));
    }
    // a ratio above 1 is not verified: red
    verifica_[5]->setStyleSheet(
        t.verificata ? QString() : QStringLiteral("color: #c00000; font-weight: bold;"));
    lblMotivo_->setText(Q(t.motivo));
    lblMotivo_->setVisible(!t.motivo.empty());

    if (m.FrameMaterials) AggiornaMateriali();
    // section editor
    for (int i = 0; i < 7; ++i)
        OpTipoSezione_[i]->setChecked(i == m.TipoSelezionato);
    AggiornaGriglia();
    if (m.FrameEdit) {
        switch (m.fuoco) {
        case FuocoProperty::Righe:
            txtRigheGriglia_->setFocus();
            break;
        case FuocoProperty::Raggio:
            RaggioTxt_[m.fuocoIndice]->setFocus();
            break;
        case FuocoProperty::OKEdit:
            cmdOKEdit_->setFocus();
            break;
        case FuocoProperty::Griglia:
            if (!m.FlexGrid0.editor.visibile) FlexGrid0_->setFocus();
            break;
        case FuocoProperty::Editor:
            if (m.FlexGrid0.editor.visibile) FlexGrid0_->Editor()->setFocus();
            break;
        default:
            break;
        }
    } else {
        // a refused field takes the focus
        switch (m.fuoco) {
        case FuocoProperty::Stru:
            txtStru_[static_cast<size_t>(std::clamp(m.fuocoIndice, 0, 3))]->setFocus();
            break;
        case FuocoProperty::Sec:
            txtSec_[static_cast<size_t>(std::clamp(m.fuocoIndice, 0, 1))]->setFocus();
            break;
        case FuocoProperty::Fy:
            txtFy_->setFocus();
            break;
        case FuocoProperty::Text:
            if (m.FrameMaterials)
                Text_[static_cast<size_t>(std::clamp(m.fuocoIndice, 1, 5))]->setFocus();
            break;
        default:
            break;
        }
    }
    if (m.Revisione() != revisioneVista_) {
        revisioneVista_ = m.Revisione();
        PictureEdit_->NuovoDisegno();
        Figura_->NuovoDisegno();
    }
    if (scelta_) scelta_->Aggiorna();
}

void FrmProperty::closeEvent(QCloseEvent* e) {
    setObjectName(QString()); // a new opening makes a new window
    switch (modello_.Chiusura()) {
    case EsitoChiusura::Chiusa:
        trave_.setVisible(true);
        trave_.Aggiorna(); // E and J handed back
        e->accept();
        return;
    case EsitoChiusura::Occupata:
    case EsitoChiusura::Rifiutata:
        // the window stays (a refused field: its message shown)
        setObjectName(QStringLiteral("frmProperty"));
        e->ignore();
        return;
    }
}

} // namespace zelvo
