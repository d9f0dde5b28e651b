#include "ui/finestra_diagramma.h"

#include "graphics_qt/superficie_qt.h"
#include "ui/impostazioni_qt.h"
#include "ui/scorciatoie_qt.h"

#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QImage>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QTimer>
#include <QVBoxLayout>

namespace zelvo {

namespace {
// Twips to pixels at 96 dpi.
int Pixel(int twips) {
    return twips / 15;
}
} // namespace

FinestraDiagramma::FinestraDiagramma(int indice, std::function<ContestoDiagrammi()> contesto,
                                     Messaggi& msg, QWidget* genitore)
    : QWidget(genitore, Qt::Window), modello_(indice), contesto_(std::move(contesto)), msg_(msg) {
    const DescrizioneDiagramma& d = modello_.Descrizione();
    setObjectName(QString::fromUtf8(d.nome));
    setWindowTitle(QString::fromUtf8(d.caption));
    ChiudiConEsc(this);
    setFont(QFont(QString::fromStdString(FamigliaFont(FontDiagrammi))));
    auto* l = new QVBoxLayout(this);
    l->setContentsMargins(0, 0, 0, 0);
    l->setSpacing(0);
    vista_ = new QComboBox(this);
    vista_->setObjectName(QStringLiteral("cmbVista"));
    vista_->setToolTip(QStringLiteral("Risultati mostrati"));
    vista_->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    vista_->hide();
    connect(vista_, &QComboBox::activated, this, &FinestraDiagramma::VistaScelta);
    area_ = new AreaDiagramma(*this);
    area_->setObjectName(QStringLiteral("Area"));
    stato_ = new QLabel(this);
    stato_->setObjectName(QStringLiteral("Stato"));
    stato_->setContentsMargins(6, 3, 6, 3);
    stato_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    l->addWidget(vista_, 0, Qt::AlignLeft);
    l->addWidget(area_, 1);
    l->addWidget(stato_);
    const GeometriaTwips g = GeometriaIniziale(indice);
    move(Pixel(g.left), Pixel(g.top));
    resize(Pixel(g.width), Pixel(g.height));
}

FinestraDiagramma::~FinestraDiagramma() {
    if (impostazioni_)
        impostazioni_->RicordaGeometria(objectName().toStdString(), TestoDaByte(saveGeometry()));
}

void FinestraDiagramma::Ricorda(std::shared_ptr<ImpostazioniUtente> impostazioni) {
    impostazioni_ = std::move(impostazioni);
    if (!impostazioni_) return;
    if (const auto g = impostazioni_->Geometria(objectName().toStdString()))
        restoreGeometry(ByteDaTesto(*g));
}

void FinestraDiagramma::Mostra() {
    show();
    raise();
    activateWindow();
    lettura_ = false; // new results: the scale until the mouse reads again
    AggiornaVista();
    area_->update();
}

void FinestraDiagramma::Ridisegna() {
    lettura_ = false; // a reading at the mouse belongs to the results painted before
    AggiornaVista();
    area_->update();
}

void FinestraDiagramma::AggiornaVista() {
    const ContestoDiagrammi c = contesto_();
    std::vector<VoceVista> voci = VociVista(c);
    // The loads window shows every load whatever the view.
    if (modello_.Indice() == 2) voci.clear();
    const QSignalBlocker blocco(vista_);
    bool uguali = voci.size() == voci_.size();
    for (size_t i = 0; uguali && i < voci.size(); ++i)
        uguali = voci[i].Testo == voci_[i].Testo && voci[i].Vista == voci_[i].Vista;
    if (!uguali) {
        voci_ = std::move(voci);
        vista_->clear();
        for (const VoceVista& v : voci_)
            vista_->addItem(QString::fromStdString(v.Testo));
    }
    if (!voci_.empty()) vista_->setCurrentIndex(IndiceVista(voci_, c));
    vista_->setVisible(!voci_.empty());
}

void FinestraDiagramma::VistaScelta(int indice) {
    if (indice < 0 || size_t(indice) >= voci_.size()) return;
    if (scelta_) scelta_(voci_[size_t(indice)].Vista);
    Ridisegna();
}

void FinestraDiagramma::DopoDisegno() {
    // A value read at the mouse stays until the mouse moves on.
    if (!lettura_) stato_->setText(QString::fromStdString(modello_.TestoScala()));
    // Drawing faults are shown after the paint, never from inside it.
    if (avvisoInAttesa_) return;
    avvisoInAttesa_ = true;
    QTimer::singleShot(0, this, [this] {
        avvisoInAttesa_ = false;
        for (const Messaggio& m : modello_.MessaggiDopoDisegno())
            msg_.Mostra(m.testo, m.icona, m.titolo);
    });
}

void FinestraDiagramma::Lettura(double colonna, bool copia) {
    const auto l = modello_.Leggi(contesto_(), colonna);
    lettura_ = l.has_value();
    if (!l) {
        stato_->setText(QString::fromStdString(modello_.TestoScala()));
        return;
    }
    stato_->setText(QString::fromStdString(l->stato));
    if (copia) QGuiApplication::clipboard()->setText(QString::fromStdString(l->appunti));
}

AreaDiagramma::AreaDiagramma(FinestraDiagramma& finestra)
    : QWidget(&finestra), finestra_(finestra) {
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMinimumSize(120, 90);
    setCursor(Qt::CrossCursor);
}

void AreaDiagramma::paintEvent(QPaintEvent*) {
    // Straight onto the widget: on a Hi-DPI screen its backing store has the
    // device's pixels, and lines and text are drawn at that resolution.
    QPainter p(this);
    Dipingi(p);
    p.end();
    finestra_.DopoDisegno();
}

QImage AreaDiagramma::Immagine(double rapporto) {
    QImage img(QSize(qRound(width() * rapporto), qRound(height() * rapporto)),
               QImage::Format_ARGB32);
    img.setDevicePixelRatio(rapporto);
    // The widget's logical resolution, so that text has the size it has on
    // the screen.
    const int dpm = qRound(logicalDpiX() / 0.0254);
    img.setDotsPerMeterX(dpm);
    img.setDotsPerMeterY(dpm);
    QPainter p(&img);
    Dipingi(p);
    return img;
}

void AreaDiagramma::Dipingi(QPainter& p) {
    p.fillRect(rect(), Qt::white);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    TelaQt tela(&p, width(), height(), logicalDpiX());
    try {
        finestra_.modello_.Disegna(finestra_.contesto_(), tela);
    } catch (const std::exception&) {
        // The diagram's own faults are kept as messages; nothing escapes a paint.
    }
}

void AreaDiagramma::mouseMoveEvent(QMouseEvent* e) {
    finestra_.Lettura(e->position().x(), false);
}

void AreaDiagramma::mousePressEvent(QMouseEvent* e) {
    if (e->button() == Qt::LeftButton) finestra_.Lettura(e->position().x(), true);
}

void AreaDiagramma::leaveEvent(QEvent*) {
    finestra_.lettura_ = false;
    finestra_.stato_->setText(QString::fromStdString(finestra_.modello_.TestoScala()));
}

} // namespace zelvo
