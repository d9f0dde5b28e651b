#include "ui/frm_property.h"

#include "graphics/colori.h"
#include "graphics_qt/superficie_qt.h"
#include "ui/frm_dati.h"
#include "ui/griglia_qt.h"

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
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QScreen>
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

constexpr double kPi = 3.14159265358979323846;

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

void ImpostaTesto(QLineEdit* e, const std::string& t) {
    if (e->text() != Q(t)) e->setText(Q(t));
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
// Pictures.

PicturaSezione::PicturaSezione(QWidget* genitore) : QWidget(genitore) {
    setAutoFillBackground(false);
    setMinimumSize(160, 120);
}

void PicturaSezione::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), Qt::white);
    p.setPen(QColor(160, 160, 160));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
    if (!disegno) return;
    DisegnoSezione d = disegno();
    if (!d) return;
    p.setRenderHint(QPainter::Antialiasing);
    TelaQt tela(&p, width(), height(), logicalDpiX());
    SuperficieVideo video(tela);
    bool ok = false;
    try {
        ok = d(video);
    } catch (...) {
        ok = false;
    }
    // A failed drawing is reported after painting, never from inside it.
    // Once per drawing: repaints of the same failed drawing stay silent.
    if (!ok && guasto && !segnalato_) {
        segnalato_ = true;
        QTimer::singleShot(0, this, [this] {
            if (guasto) guasto();
        });
    }
}

void PicturaSezione::mousePressEvent(QMouseEvent*) {
    if (click) click();
}

namespace {

using Anello = std::vector<std::pair<double, double>>;

// Outline of the loops (world units 0..1, y downwards), then 45° hatch lines
// between their crossings (even-odd: a hole stays empty).
void FiguraTratteggiata(Superficie& s, const std::vector<Anello>& anelli) {
    const int32_t contorno = s.Colore(Cad::Blu), tratteggio = s.Colore(Cad::Grigio);
    s.SpessoreLinea(1);
    for (double c = -1; c < 1; c += 0.09) {
        // crossings of the line x - y = c with every edge, ordered along it
        std::vector<double> t;
        for (const Anello& a : anelli)
            for (size_t k = 0; k < a.size(); ++k) {
                const auto [x1, y1] = a[k];
                const auto [x2, y2] = a[(k + 1) % a.size()];
                const double f1 = x1 - y1 - c, f2 = x2 - y2 - c;
                if ((f1 < 0) == (f2 < 0)) continue;
                const double u = f1 / (f1 - f2);
                t.push_back(x1 + u * (x2 - x1)); // x along the line
            }
        std::sort(t.begin(), t.end());
        for (size_t k = 0; k + 1 < t.size(); k += 2)
            s.Linea(t[k], t[k] - c, t[k + 1], t[k + 1] - c, tratteggio);
    }
    s.SpessoreLinea(2);
    for (const Anello& a : anelli) {
        Vettore1<double> x(static_cast<int>(a.size())), y(static_cast<int>(a.size()));
        for (size_t k = 0; k < a.size(); ++k) {
            x(static_cast<int>(k) + 1) = a[k].first;
            y(static_cast<int>(k) + 1) = a[k].second;
        }
        s.Poligonale(static_cast<int>(a.size()), x, y, true, contorno);
    }
}

Anello Regolare(double r, int n, double fase) {
    Anello a;
    for (int k = 0; k < n; ++k) {
        const double t = fase + 2 * kPi * k / n;
        a.emplace_back(0.5 + r * std::cos(t), 0.5 - r * std::sin(t));
    }
    return a;
}

} // namespace

void DisegnaTipoSezione(Superficie& s, int tipo) {
    switch (tipo) {
    case 0: // one rectangle
        FiguraTratteggiata(s, {{{0.3, 0.1}, {0.7, 0.1}, {0.7, 0.9}, {0.3, 0.9}}});
        break;
    case 1: // T
        FiguraTratteggiata(s, {{{0.1, 0.1},
                                {0.9, 0.1},
                                {0.9, 0.3},
                                {0.6, 0.3},
                                {0.6, 0.9},
                                {0.4, 0.9},
                                {0.4, 0.3},
                                {0.1, 0.3}}});
        break;
    case 2: // rectangles stacked
        FiguraTratteggiata(s, {{{0.15, 0.1}, {0.85, 0.1}, {0.85, 0.3}, {0.15, 0.3}},
                               {{0.38, 0.3}, {0.62, 0.3}, {0.62, 0.7}, {0.38, 0.7}},
                               {{0.25, 0.7}, {0.75, 0.7}, {0.75, 0.9}, {0.25, 0.9}}});
        break;
    case 3: // trapezoids stacked
        FiguraTratteggiata(s, {{{0.1, 0.1}, {0.9, 0.1}, {0.6, 0.5}, {0.4, 0.5}},
                               {{0.4, 0.5}, {0.6, 0.5}, {0.75, 0.9}, {0.25, 0.9}}});
        break;
    case 4: // ring
        FiguraTratteggiata(s, {Regolare(0.4, 48, 0), Regolare(0.22, 48, 0)});
        break;
    case 5: { // polygon by its vertices, the vertices marked
        const Anello v{{0.15, 0.85}, {0.2, 0.3},  {0.55, 0.12},
                       {0.88, 0.45}, {0.6, 0.55}, {0.75, 0.85}};
        FiguraTratteggiata(s, {v});
        s.SpessoreLinea(2);
        for (const auto& [x, y] : v)
            s.Arco(x, y, 0.035, 0, 2 * kPi, s.Colore(Cad::Rosso));
        break;
    }
    default: // hollow regular polygon
        FiguraTratteggiata(s, {Regolare(0.42, 6, kPi / 2), Regolare(0.22, 6, kPi / 2)});
        break;
    }
}

QPixmap DisegnoTipoSezione(int tipo, int lato, double dpr) {
    // drawn at the screen's own pixels (sharp at 1.5x and 2x)
    const int pixel = static_cast<int>(std::lround(lato * dpr));
    QPixmap pm(pixel, pixel);
    pm.setDevicePixelRatio(dpr);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    TelaQt tela(&p, lato, lato, pm.logicalDpiX());
    tela.Scala(0, 0, 1, 1);
    SuperficieVideo video(tela);
    DisegnaTipoSezione(video, tipo);
    return pm;
}

// ---------------------------------------------------------------------------
// The window.

FrmProperty* FrmProperty::Apri(FrmDati& trave) {
    auto* w =
        trave.findChild<FrmProperty*>(QStringLiteral("frmProperty"), Qt::FindDirectChildrenOnly);
    if (!w) {
        w = new FrmProperty(trave);
        w->setAttribute(Qt::WA_DeleteOnClose);
        w->modello_.Form_Load();
        w->Aggiorna();
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
    auto* w =
        trave.findChild<FrmProperty*>(QStringLiteral("frmProperty"), Qt::FindDirectChildrenOnly);
    if (!w || w->aggiornando_) return;
    const int r = w->modello_.Revisione();
    w->modello_.SeguiTrave();
    if (w->modello_.Revisione() != r) w->Aggiorna();
}

bool FrmProperty::Chiudi(FrmDati& trave) {
    if (auto* w = trave.findChild<FrmProperty*>(QStringLiteral("frmProperty"),
                                                Qt::FindDirectChildrenOnly))
        return w->close();
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

void FrmProperty::Evento(const std::function<void()>& f) {
    if (aggiornando_) return;
    f();
    Aggiorna();
}

void FrmProperty::CreaSchede() {
    SSTab1_ = new QTabWidget(this);
    SSTab1_->setObjectName(QStringLiteral("SSTab1"));
    pagine_->addWidget(SSTab1_);

    // Material
    auto* mat = new QWidget;
    auto* gm = new QGridLayout(mat);
    auto* cmdMaterials = new QPushButton(QStringLiteral("Materials ..."), mat);
    cmdMaterials->setObjectName(QStringLiteral("cmdMaterials"));
    txtMateriale_ = new QLineEdit(mat);
    txtMateriale_->setObjectName(QStringLiteral("txtMateriale"));
    gm->addWidget(cmdMaterials, 0, 0);
    gm->addWidget(txtMateriale_, 0, 1, 1, 2);
    const char* did[] = {"Young Modulus", "Poisson's Ratio", "Density", "Thermal Expansion"};
    for (int i = 0; i < 4; ++i) {
        didStru_[i] = Etichetta(QString::fromUtf8(did[i]), mat);
        txtStru_[i] = new QLineEdit(mat);
        txtStru_[i]->setObjectName(QStringLiteral("txtStru%1").arg(i));
        gm->addWidget(didStru_[i], i + 1, 0);
        gm->addWidget(txtStru_[i], i + 1, 1);
        connect(txtStru_[i], &QLineEdit::textEdited, this,
                [this, i](const QString& t) { modello_.txtStru[i].Edita(S(t)); });
    }
    lblStru0_ = EtichettaUnita(QString(), mat);
    gm->addWidget(lblStru0_, 1, 2);
    gm->addWidget(EtichettaUnita(QStringLiteral("kg/m³"), mat), 3, 2);
    gm->addWidget(EtichettaUnita(QStringLiteral("°C⁻¹"), mat), 4, 2);
    gm->setRowStretch(5, 1);
    gm->setColumnStretch(1, 1);
    connect(txtMateriale_, &QLineEdit::textEdited, this,
            [this](const QString& t) { modello_.txtMateriale.Edita(S(t)); });
    connect(cmdMaterials, &QPushButton::clicked, this,
            [this] { Evento([this] { modello_.cmdMaterials_Click(); }); });
    SSTab1_->addTab(mat, QStringLiteral("Material"));

    // Section
    auto* sez = new QWidget;
    auto* gs = new QGridLayout(sez);
    gs->addWidget(Etichetta(QStringLiteral("Section Area"), sez), 0, 0);
    didSec1_ = Etichetta(QStringLiteral("I"), sez);
    gs->addWidget(didSec1_, 1, 0);
    for (int i = 0; i < 2; ++i) {
        txtSec_[i] = new QLineEdit(sez);
        txtSec_[i]->setObjectName(QStringLiteral("txtSec%1").arg(i));
        lblSec_[i] = EtichettaUnita(QString(), sez);
        gs->addWidget(txtSec_[i], i, 1);
        gs->addWidget(lblSec_[i], i, 2);
        connect(txtSec_[i], &QLineEdit::textEdited, this,
                [this, i](const QString& t) { modello_.txtSec[i].Edita(S(t)); });
    }
    auto* ver = new QGroupBox(
        QStringLiteral("Section check (characteristic values, no partial factors)"), sez);
    ver->setObjectName(QStringLiteral("fraVerifica"));
    auto* gv = new QGridLayout(ver);
    gv->addWidget(Etichetta(QStringLiteral("Yield stress f<sub>y</sub>"), ver), 0, 0);
    txtFy_ = new QLineEdit(ver);
    txtFy_->setObjectName(QStringLiteral("txtFy"));
    lblFy_ = EtichettaUnita(QString(), ver);
    gv->addWidget(txtFy_, 0, 1);
    gv->addWidget(lblFy_, 0, 2);
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
    gv->setColumnStretch(1, 1);
    gs->addWidget(ver, 2, 0, 1, 3);
    gs->setRowStretch(3, 1);
    gs->setColumnStretch(1, 1);
    connect(txtFy_, &QLineEdit::textEdited, this,
            [this](const QString& t) { Evento([this, t] { modello_.ImpostaFy(S(t)); }); });
    SSTab1_->addTab(sez, QStringLiteral("Section"));

    // Geometry
    auto* geo = new QWidget;
    auto* gg = new QGridLayout(geo);
    auto* descrizione = new QHBoxLayout;
    descrizione->addWidget(Etichetta(QStringLiteral("Description"), geo));
    txtDidSezione_ = new QLineEdit(geo);
    txtDidSezione_->setObjectName(QStringLiteral("txtDidSezione"));
    descrizione->addWidget(txtDidSezione_, 1);
    gg->addLayout(descrizione, 0, 0, 1, 4);
    PictureEdit_ = new PicturaSezione(geo);
    PictureEdit_->setObjectName(QStringLiteral("PictureEdit"));
    PictureEdit_->disegno = [this] { return modello_.DisegnoGeometria(); };
    PictureEdit_->guasto = [this] { modello_.Msg.Mostra(TestoErrorePlottaggio, Icona::Critica); };
    gg->addWidget(PictureEdit_, 1, 0, 1, 4);
    const char* geoTesti[] = {"&Profili", "&Edit", "&Rotate"};
    for (int i = 0; i < 3; ++i) {
        cmdGeo_[i] = new QPushButton(QString::fromUtf8(geoTesti[i]), geo);
        cmdGeo_[i]->setObjectName(QStringLiteral("cmdGeo%1").arg(i));
        gg->addWidget(cmdGeo_[i], 2, i + 1);
        connect(cmdGeo_[i], &QPushButton::clicked, this,
                [this, i] { Evento([this, i] { modello_.cmdGeo_Click(i); }); });
    }
    gg->setRowStretch(1, 1);
    gg->setColumnStretch(0, 1);
    connect(txtDidSezione_, &QLineEdit::textEdited, this,
            [this](const QString& t) { modello_.txtDidSezione.Edita(S(t)); });
    SSTab1_->addTab(geo, QStringLiteral("Geometry"));

    connect(SSTab1_, &QTabWidget::currentChanged, this,
            [this](int i) { Evento([this, i] { modello_.SSTab1_Click(i); }); });
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
        connect(Text_[c], &QLineEdit::textEdited, this,
                [this, c](const QString& t) { modello_.Text[c] = S(t); });
    }
    // the stress unit beside the modulus box
    lblUnitaMateriali_ = EtichettaUnita(QString(), pan);
    l->removeWidget(Text_[2]);
    auto* modulo = new QHBoxLayout;
    modulo->setContentsMargins(0, 0, 0, 0);
    modulo->addWidget(Text_[2], 1);
    modulo->addWidget(lblUnitaMateriali_);
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
        connect(b, &QPushButton::clicked, this, [this, f] { Evento(f); });
    }
    lblPredefiniti_ = new QLabel(pan);
    lblPredefiniti_->setObjectName(QStringLiteral("lblPredefiniti"));
    lblPredefiniti_->setWordWrap(true);
    lblPredefiniti_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    lblPredefiniti_->hide();
    l->addWidget(lblPredefiniti_, 3, 0, 1, 6);
    connect(MSFlexGrid1_, &QTableView::clicked, this, [this](const QModelIndex& i) {
        Evento([this, r = i.row()] { modello_.MSFlexGrid1_Click(r); });
    });
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
        connect(b, &QToolButton::clicked, this,
                [this, i] { Evento([this, i] { modello_.OpTipoSezione_Click(i); }); });
    }
    l->addWidget(tipi, 0, 0, 1, 2);

    auto* righe = new QHBoxLayout;
    lblRighe_ = new QLabel(QStringLiteral("n"), ed);
    txtRigheGriglia_ = new QLineEdit(ed);
    txtRigheGriglia_->setObjectName(QStringLiteral("txtRigheGriglia0"));
    txtRigheGriglia_->setMaximumWidth(70);
    righe->addWidget(lblRighe_);
    righe->addWidget(txtRigheGriglia_);
    righe->addStretch();
    l->addLayout(righe, 1, 0);
    connect(txtRigheGriglia_, &QLineEdit::textEdited, this,
            [this](const QString& t) { modello_.txtRigheGriglia0.Edita(S(t)); });
    connect(txtRigheGriglia_, &QLineEdit::returnPressed, this,
            [this] { Evento([this] { modello_.txtRigheGriglia_Invio(); }); });

    EventiGriglia ev;
    ev.Tasto = [this](int c) { Evento([this, c] { modello_.Griglia_Tasto(c); }); };
    ev.Seleziona = [this](int r, int c) {
        Evento([this, r, c] { modello_.Griglia_SelezionaCella(r, c); });
    };
    ev.Scorre = [this] { Evento([this] { modello_.Griglia_Scorre(); }); };
    ev.TastoEditor = [this](TastoEditor t) { Evento([this, t] { modello_.Editor_Tasto(t); }); };
    ev.Edita = [this](const std::string& t, int inizio, int lunghezza) {
        if (!aggiornando_) modello_.Editor_Edita(t, inizio, lunghezza);
    };
    ev.PerdeFuoco = [this] { Evento([this] { modello_.Editor_PerdeFuoco(); }); };
    FlexGrid0_ = new GrigliaQt(modello_.FlexGrid0, std::move(ev), 0, ed);
    FlexGrid0_->setObjectName(QStringLiteral("FlexGrid0"));
    FlexGrid0_->setAccessibleName(QStringLiteral("Shape table"));
    txtEdit0_ = FlexGrid0_->Editor();
    l->addWidget(FlexGrid0_, 2, 0);

    RaggioFrm_ = new QGroupBox(QStringLiteral("Hollow Circular Section"), ed);
    RaggioFrm_->setObjectName(QStringLiteral("RaggioFrm"));
    auto* lr = new QGridLayout(RaggioFrm_);
    const char* nomiR[] = {"R external", "R internal", "n Vertex"};
    for (int i = 0; i < 3; ++i) {
        RaggioLbl_[i] = new QLabel(QString::fromUtf8(nomiR[i]), RaggioFrm_);
        RaggioTxt_[i] = new QLineEdit(RaggioFrm_);
        RaggioTxt_[i]->setObjectName(QStringLiteral("RaggioTxt%1").arg(i));
        lr->addWidget(RaggioLbl_[i], i, 0);
        lr->addWidget(RaggioTxt_[i], i, 1);
        connect(RaggioTxt_[i], &QLineEdit::textEdited, this,
                [this, i](const QString& t) { modello_.RaggioTxt[i].Edita(S(t)); });
        connect(RaggioTxt_[i], &QLineEdit::returnPressed, this,
                [this, i] { Evento([this, i] { modello_.RaggioTxt_Invio(i); }); });
    }
    for (int i = 0; i < 2; ++i) {
        RaggioUnit_[i] = new QLabel(RaggioFrm_);
        lr->addWidget(RaggioUnit_[i], i, 2);
    }
    lr->setRowStretch(3, 1);
    // in the grid's place: the two are never shown together
    l->addWidget(RaggioFrm_, 2, 0, Qt::AlignTop);

    Figura_ = new PicturaSezione(ed);
    Figura_->setObjectName(QStringLiteral("Figura"));
    Figura_->setToolTip(QStringLiteral("Click picture to plot and calculate"));
    Figura_->setMinimumSize(240, 200);
    Figura_->disegno = [this] { return modello_.DisegnoEditor(); };
    Figura_->guasto = [this] { modello_.Msg.Mostra(TestoErrorePlottaggio, Icona::Critica); };
    Figura_->click = [this] { Evento([this] { modello_.Figura_Click(); }); };
    auto* destra = new QVBoxLayout;
    auto* suggerimento = new QLabel(QStringLiteral("Click picture to plot and calculate"), ed);
    suggerimento->setStyleSheet(QStringLiteral("color: #555;"));
    destra->addWidget(suggerimento);
    destra->addWidget(Figura_, 1);
    auto* ris = new QGridLayout;
    const char* nomiRis[] = {"", "Area", "I", "X (C)", "Y (C)"};
    for (int i = 1; i <= 4; ++i) {
        ris->addWidget(new QLabel(QString::fromUtf8(nomiRis[i]), ed), i, 0);
        Risultati_[i] = new QLabel(ed);
        Risultati_[i]->setObjectName(QStringLiteral("Risultati%1").arg(i));
        Risultati_[i]->setFrameShape(QFrame::StyledPanel);
        Risultati_[i]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        Risultati_[i]->setMinimumWidth(120);
        RisultatiUnit_[i] = EtichettaUnita(QString(), ed);
        ris->addWidget(Risultati_[i], i, 1);
        ris->addWidget(RisultatiUnit_[i], i, 2);
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
    connect(cmdOKEdit_, &QPushButton::clicked, this,
            [this] { Evento([this] { modello_.cmdOKEdit_Click(); }); });
    connect(annulla, &QPushButton::clicked, this,
            [this] { Evento([this] { modello_.cmdAnnullaEdit_Click(); }); });
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
    for (int c = 1; c <= 5; ++c)
        ImpostaTesto(Text_[c], modello_.Text[c]);
    lblUnitaMateriali_->setText(Q(modello_.lblUnitaMateriali));
    lblPredefiniti_->setText(Q(modello_.lblPredefiniti));
    lblPredefiniti_->setVisible(!modello_.lblPredefiniti.empty());
}

void FrmProperty::Aggiorna() {
    aggiornando_ = true;
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
    if (SSTab1_->currentIndex() != m.Scheda) SSTab1_->setCurrentIndex(m.Scheda);

    ImpostaTesto(txtMateriale_, m.txtMateriale.testo);
    for (int i = 0; i < 4; ++i)
        ImpostaTesto(txtStru_[i], m.txtStru[i].testo);
    txtStru_[1]->setVisible(m.PoissonVisibile);
    didStru_[1]->setVisible(m.PoissonVisibile);
    lblStru0_->setText(Q(m.lblStru0));
    for (int i = 0; i < 2; ++i)
        ImpostaTesto(txtSec_[i], m.txtSec[i].testo);
    lblSec_[0]->setText(Q(m.lblSec0));
    lblSec_[1]->setText(Q(m.lblSec1));
    txtSec_[1]->setVisible(m.InerziaVisibile);
    didSec1_->setVisible(m.InerziaVisibile);
    lblSec_[1]->setVisible(m.InerziaVisibile);
    ImpostaTesto(txtDidSezione_, m.txtDidSezione.testo);
    cmdGeo_[2]->setEnabled(m.RuotaAbilitato);

    // section check
    if (!txtFy_->hasFocus()) ImpostaTesto(txtFy_, m.txtFy.testo);
    lblFy_->setText(Q(m.lblStru0));
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
    lblRighe_->setVisible(m.RigheVisibili);
    txtRigheGriglia_->setVisible(m.RigheVisibili);
    ImpostaTesto(txtRigheGriglia_, m.txtRigheGriglia0.testo);
    RaggioFrm_->setVisible(m.RaggioFrm);
    RaggioFrm_->setTitle(Q(m.RaggioFrmCaption));
    RaggioLbl_[2]->setVisible(m.NVertexVisibile);
    RaggioTxt_[2]->setVisible(m.NVertexVisibile);
    for (int i = 0; i < 3; ++i)
        ImpostaTesto(RaggioTxt_[i], m.RaggioTxt[i].testo);
    for (int i = 0; i < 2; ++i)
        RaggioUnit_[i]->setText(Q(m.RaggioUnit));
    for (int i = 1; i <= 4; ++i) {
        Risultati_[i]->setText(Q(m.Risultati[i]));
        RisultatiUnit_[i]->setText(Q(m.RisultatiUnit[i]));
    }
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
            if (m.FlexGrid0.editor.visibile) txtEdit0_->setFocus();
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
    aggiornando_ = false;
}

void FrmProperty::closeEvent(QCloseEvent* e) {
    // E and J do not change under a calculation that is running its passes
    if (trave_.Modello().Occupato()) {
        e->ignore();
        return;
    }
    if (!chiuso_) {
        chiuso_ = true;
        setObjectName(QString()); // a new opening makes a new window
        if (txtEdit0_->isVisible()) modello_.Editor_PerdeFuoco();
        scelta_.reset();
        if (!modello_.Form_Unload()) {
            // a field refused: the window stays, its message shown
            chiuso_ = false;
            setObjectName(QStringLiteral("frmProperty"));
            Aggiorna();
            e->ignore();
            return;
        }
        trave_.setVisible(true);
        trave_.Aggiorna();
    }
    e->accept();
}

// ---------------------------------------------------------------------------
// The profile chooser.

FrmSceltaProfili::FrmSceltaProfili(FrmProperty& finestra, ModelloSceltaProfili& modello)
    : QWidget(nullptr, Qt::Window), finestra_(finestra), modello_(modello) {
    setObjectName(QStringLiteral("frmSceltaProfili"));
    setWindowTitle(QStringLiteral("Steel profiles"));
    auto* l = new QGridLayout(this);
    auto* sinistra = new QVBoxLayout;
    sinistra->addWidget(new QLabel(QStringLiteral("Family"), this));
    famiglie_ = new QListWidget(this);
    famiglie_->setObjectName(QStringLiteral("lstFamiglie"));
    for (const auto& f : ModelloSceltaProfili::Famiglie())
        famiglie_->addItem(Q(f));
    famiglie_->setFixedHeight(famiglie_->sizeHintForRow(0) * famiglie_->count() +
                              2 * famiglie_->frameWidth() + 4);
    sinistra->addWidget(famiglie_);
    l->addLayout(sinistra, 0, 0, 2, 1);

    auto* filtro = new QHBoxLayout;
    filtro->addWidget(new QLabel(QStringLiteral("Filter"), this));
    filtro_ = new QLineEdit(this);
    filtro_->setObjectName(QStringLiteral("txtFiltro"));
    filtro_->setPlaceholderText(QStringLiteral("part of the name, e.g. 200"));
    filtro->addWidget(filtro_);
    l->addLayout(filtro, 0, 1);

    tabella_ = new QTableWidget(this);
    tabella_->setObjectName(QStringLiteral("tblProfili"));
    tabella_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tabella_->setSelectionBehavior(QAbstractItemView::SelectRows);
    tabella_->setSelectionMode(QAbstractItemView::SingleSelection);
    tabella_->verticalHeader()->hide();
    tabella_->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 8);
    tabella_->setColumnCount(int(ModelloSceltaProfili::Intestazioni().size()));
    QStringList intest;
    for (const auto& s : ModelloSceltaProfili::Intestazioni())
        intest << Q(s);
    tabella_->setHorizontalHeaderLabels(intest);
    l->addWidget(tabella_, 1, 1);

    // the settings, the picture and the buttons under the families
    auto* destra = sinistra;
    auto* opz = new QGroupBox(QStringLiteral("Settings"), this);
    auto* lo = new QGridLayout(opz);
    lo->addWidget(new QLabel(QStringLiteral("Steel grade"), opz), 0, 0);
    grado_ = new QComboBox(opz);
    grado_->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    grado_->setObjectName(QStringLiteral("cmbGrado"));
    for (const auto& g : GradiAcciaio())
        grado_->addItem(QStringLiteral("%1 (fy = %2 N/mm²)").arg(QLatin1String(g.nome)).arg(g.fy));
    lo->addWidget(grado_, 0, 1, 1, 2);
    doppi_ = new QCheckBox(QStringLiteral("Paired profiles"), opz);
    doppi_->setObjectName(QStringLiteral("chkDoppi"));
    lo->addWidget(doppi_, 1, 0, 1, 3);
    lo->addWidget(new QLabel(QStringLiteral("Gap"), opz), 2, 0);
    dDoppi_ = new QLineEdit(opz);
    dDoppi_->setObjectName(QStringLiteral("txtDDoppi"));
    lo->addWidget(dDoppi_, 2, 1);
    lo->addWidget(new QLabel(QStringLiteral("[mm]"), opz), 2, 2);
    doppiCorto_ = new QCheckBox(QStringLiteral("Channels toe to toe"), opz);
    doppiCorto_->setObjectName(QStringLiteral("chkDoppiCorto"));
    lo->addWidget(doppiCorto_, 3, 0, 1, 3);
    destra->addWidget(opz);
    figura_ = new PicturaSezione(this);
    figura_->setObjectName(QStringLiteral("picProfilo"));
    figura_->setMinimumSize(240, 220);
    figura_->disegno = [this] { return modello_.Anteprima(); };
    destra->addWidget(figura_, 1);
    auto* bott = new QHBoxLayout;
    auto* ok = new QPushButton(QStringLiteral("&OK"), this);
    ok->setObjectName(QStringLiteral("cmdOK"));
    auto* annulla = new QPushButton(QStringLiteral("&Cancel"), this);
    annulla->setObjectName(QStringLiteral("cmdCancel"));
    bott->addStretch();
    bott->addWidget(ok);
    bott->addWidget(annulla);
    destra->addLayout(bott);
    l->setColumnStretch(1, 1);

    auto cambio = [this](const std::function<void()>& f) {
        if (aggiornando_) return;
        f();
        Aggiorna();
    };
    connect(famiglie_, &QListWidget::currentRowChanged, this,
            [this, cambio](int r) { cambio([this, r] { modello_.ImpostaFamiglia(r); }); });
    connect(filtro_, &QLineEdit::textEdited, this, [this, cambio](const QString& t) {
        cambio([this, t] { modello_.ImpostaFiltro(S(t)); });
    });
    connect(tabella_, &QTableWidget::cellClicked, this,
            [this, cambio](int r, int) { cambio([this, r] { modello_.SelezionaRiga(r); }); });
    connect(tabella_, &QTableWidget::cellDoubleClicked, this, [this](int r, int) {
        modello_.SelezionaRiga(r);
        Conferma();
    });
    connect(grado_, &QComboBox::currentIndexChanged, this,
            [this, cambio](int i) { cambio([this, i] { modello_.Grado = i; }); });
    connect(doppi_, &QCheckBox::toggled, this,
            [this, cambio](bool b) { cambio([this, b] { modello_.Doppi = b; }); });
    connect(doppiCorto_, &QCheckBox::toggled, this,
            [this, cambio](bool b) { cambio([this, b] { modello_.DoppiCorto = b; }); });
    connect(dDoppi_, &QLineEdit::textEdited, this,
            [this, cambio](const QString& t) { cambio([this, t] { modello_.dDoppi = S(t); }); });
    connect(ok, &QPushButton::clicked, this, &FrmSceltaProfili::Conferma);
    connect(annulla, &QPushButton::clicked, this, &QWidget::close);
    resize(1240, 600);
    Aggiorna();
}

void FrmSceltaProfili::Aggiorna() {
    aggiornando_ = true;
    if (famiglie_->currentRow() != modello_.Famiglia) famiglie_->setCurrentRow(modello_.Famiglia);
    ImpostaTesto(filtro_, modello_.Filtro);
    const auto righe = modello_.Righe();
    tabella_->setRowCount(int(righe.size()));
    for (int r = 0; r < int(righe.size()); ++r) {
        const auto testi = modello_.TestiRiga(*righe[size_t(r)]);
        for (int c = 0; c < int(testi.size()); ++c) {
            auto* it = tabella_->item(r, c);
            if (!it) {
                it = new QTableWidgetItem;
                tabella_->setItem(r, c, it);
            }
            it->setText(Q(testi[size_t(c)]));
            it->setTextAlignment(c == 0 ? Qt::AlignLeft | Qt::AlignVCenter
                                        : Qt::AlignRight | Qt::AlignVCenter);
        }
    }
    if (!colonneDimensionate_ && !righe.empty()) {
        Colonne();
        colonneDimensionate_ = true;
    }
    if (modello_.Selezionata >= 0) tabella_->selectRow(modello_.Selezionata);
    grado_->setCurrentIndex(modello_.Grado);
    doppi_->setChecked(modello_.Doppi);
    ImpostaTesto(dDoppi_, modello_.dDoppi);
    dDoppi_->setEnabled(modello_.Doppi);
    doppiCorto_->setChecked(modello_.DoppiCorto);
    doppiCorto_->setEnabled(modello_.Doppi);
    figura_->update();
    aggiornando_ = false;
}

void FrmSceltaProfili::Colonne() {
    // each column as wide as its texts, the room left shared out (up to 16
    // pixels each) so that the headers do not touch
    tabella_->resizeColumnsToContents();
    const int n = tabella_->columnCount();
    int somma = 0;
    for (int c = 0; c < n; ++c)
        somma += tabella_->columnWidth(c);
    const int extra = n > 0 ? std::clamp((tabella_->viewport()->width() - somma) / n, 0, 16) : 0;
    for (int c = 0; c < n; ++c)
        tabella_->setColumnWidth(c, tabella_->columnWidth(c) + extra);
}

void FrmSceltaProfili::resizeEvent(QResizeEvent* e) {
    QWidget::resizeEvent(e);
    // once the layout has given the table its width
    QTimer::singleShot(0, this, [this] {
        if (colonneDimensionate_) Colonne();
    });
}

void FrmSceltaProfili::Conferma() {
    std::string perche;
    if (!modello_.Scegli(&perche)) {
        finestra_.Modello().Msg.Mostra(perche, Icona::Esclamazione);
        return;
    }
    close();
}

void FrmSceltaProfili::closeEvent(QCloseEvent* e) {
    e->accept();
    if (chiusa_) return;
    chiusa_ = true;
    // ProfiliQuit: the two windows come back; the chooser goes after the event
    QTimer::singleShot(0, &finestra_, [f = &finestra_] {
        f->Aggiorna();
        f->Modello().RilasciaSceltaChiusa();
    });
    modello_.Chiudi();
}

} // namespace zelvo
