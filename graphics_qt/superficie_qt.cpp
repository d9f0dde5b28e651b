#include "graphics_qt/superficie_qt.h"

#include "graphics/grafica.h"
#include "io/file_atomico.h"

#include <QBuffer>
#include <QFont>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgGenerator>

#include <clocale>
#include <cmath>
#include <stdexcept>

namespace zelvo {

void RichiediApplicazioneQt() {
    if (!QGuiApplication::instance())
        throw std::logic_error("drawing with Qt needs a QGuiApplication");
}

ApplicazioneDisegni::ApplicazioneDisegni() {
    if (QGuiApplication::instance()) throw std::logic_error("a Qt application exists already");
    const std::string locale = std::setlocale(LC_ALL, nullptr);
    static int argc = 1;
    static char nome[] = "zelvo";
    static char* argv[] = {nome, nullptr};
    app_ = std::make_unique<QGuiApplication>(argc, argv);
    std::setlocale(LC_ALL, locale.c_str());
}

ApplicazioneDisegni::~ApplicazioneDisegni() = default;

std::string FamigliaFont(const std::string& nome) {
    if (nome == "Times New Roman" || nome == "Symbol") return "Liberation Serif";
    if (nome == "Courier New") return "Liberation Mono";
    return "Liberation Sans";
}

namespace {
QColor QColore(uint32_t rgb) {
    return QColor((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
}
QString Q(const std::string& s) {
    return QString::fromUtf8(s.data(), qsizetype(s.size()));
}
} // namespace

TelaQt::TelaQt(QPainter* pittore, double larghezza, double altezza, double dpi)
    : p_(pittore), w_(larghezza), h_(altezza), dpi_(dpi) {
    ScalaDefault();
}

void TelaQt::Penna() {
    QPen pen(QColore(ColoreAttuale()));
    pen.setWidthF(std::max(1, SpessoreAttuale()));
    pen.setCapStyle(Qt::RoundCap);
    pen.setJoinStyle(Qt::RoundJoin);
    p_->setPen(pen);
    p_->setBrush(Qt::NoBrush);
}

void TelaQt::Linea(double x1, double y1, double x2, double y2) {
    Penna();
    p_->drawLine(QPointF(Colonna(x1), Riga(y1)), QPointF(Colonna(x2), Riga(y2)));
}

void TelaQt::Arco(double xc, double yc, double r, double a1, double a2) {
    Penna();
    const double rp = std::fabs(r * LarghezzaDispositivo() / ScalaWidth());
    const QPointF c(Colonna(xc), Riga(yc));
    const double dueP = 2 * 3.14159265358979;
    double span = std::fmod(a2 - a1, dueP);
    if (span <= 0) span += dueP;
    const double g = 180.0 / 3.14159265358979 * 16;
    p_->drawArc(QRectF(c.x() - rp, c.y() - rp, 2 * rp, 2 * rp), int(std::lround(a1 * g)),
                int(std::lround(span * g)));
}

static QFont FontDi(const Tela& s) {
    // "NAME Bold": the bold face of NAME's family.
    std::string nome = s.FontAttuale();
    const std::string grassetto = " Bold";
    const bool bold =
        nome.size() > grassetto.size() &&
        nome.compare(nome.size() - grassetto.size(), grassetto.size(), grassetto) == 0;
    if (bold) nome.resize(nome.size() - grassetto.size());
    QFont f(Q(FamigliaFont(nome)));
    f.setBold(bold);
    f.setPointSizeF(s.DimensioneAttuale() > 0 ? s.DimensioneAttuale() : 8);
    return f;
}

void TelaQt::Testo(double x, double y, const std::string& testo) {
    QFont f = FontDi(*this);
    p_->setFont(f);
    p_->setPen(QColore(ColoreAttuale()));
    QFontMetricsF fm(f, p_->device());
    p_->drawText(QPointF(Colonna(x), Riga(y) + fm.ascent()), Q(testo));
}

double TelaQt::LarghezzaTesto(const std::string& testo) {
    QFontMetricsF fm(FontDi(*this), p_->device());
    return MondoX(fm.horizontalAdvance(Q(testo)));
}

double TelaQt::AltezzaTesto(const std::string&) {
    QFontMetricsF fm(FontDi(*this), p_->device());
    return MondoY(fm.height());
}

namespace {

class DisegnoImmagine : public DisegnoFile {
  public:
    DisegnoImmagine(int w, int h) : img_(w, h, QImage::Format_ARGB32) {
        img_.fill(Qt::white);
        img_.setDotsPerMeterX(3780); // 96 dpi
        img_.setDotsPerMeterY(3780);
        p_.begin(&img_);
        p_.setRenderHint(QPainter::Antialiasing);
        p_.setRenderHint(QPainter::TextAntialiasing);
        s_ = std::make_unique<TelaQt>(&p_, w, h, 96);
    }
    zelvo::Tela& Tela() override { return *s_; }
    bool Salva(const std::string& percorso) override {
        p_.end();
        QByteArray b;
        QBuffer buf(&b);
        buf.open(QIODevice::WriteOnly);
        if (!img_.save(&buf, "PNG")) return false;
        return ScriviFileAtomico(percorso, std::string(b.constData(), size_t(b.size())));
    }

  private:
    QImage img_;
    QPainter p_;
    std::unique_ptr<TelaQt> s_;
};

class DisegnoSvg : public DisegnoFile {
  public:
    DisegnoSvg(int w, int h) : buf_(&b_) {
        buf_.open(QIODevice::WriteOnly);
        gen_.setOutputDevice(&buf_);
        gen_.setSize(QSize(w, h));
        gen_.setViewBox(QRect(0, 0, w, h));
        gen_.setResolution(96);
        gen_.setTitle("Zelvo");
        p_.begin(&gen_);
        p_.fillRect(QRect(0, 0, w, h), Qt::white);
        s_ = std::make_unique<TelaQt>(&p_, w, h, 96);
    }
    zelvo::Tela& Tela() override { return *s_; }
    bool Salva(const std::string& percorso) override {
        if (!p_.end()) return false;
        buf_.close();
        return ScriviFileAtomico(percorso, std::string(b_.constData(), size_t(b_.size())));
    }

  private:
    QByteArray b_;
    QBuffer buf_;
    QSvgGenerator gen_;
    QPainter p_;
    std::unique_ptr<TelaQt> s_;
};

class DisegnoPdf : public DisegnoFile {
  public:
    DisegnoPdf() : buf_(&b_) {
        buf_.open(QIODevice::WriteOnly);
        pdf_ = std::make_unique<QPdfWriter>(&buf_);
        pdf_->setResolution(600);
        pdf_->setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                        QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter));
        pdf_->setTitle("Zelvo");
        p_.begin(pdf_.get());
        p_.setRenderHint(QPainter::Antialiasing);
        s_ = std::make_unique<TelaQt>(&p_, pdf_->width(), pdf_->height(), 600);
    }
    zelvo::Tela& Tela() override { return *s_; }
    bool NuovaPagina() override { return pdf_->newPage(); }
    bool Salva(const std::string& percorso) override {
        if (!p_.end()) return false;
        buf_.close();
        return ScriviFileAtomico(percorso, std::string(b_.constData(), size_t(b_.size())));
    }

  private:
    QByteArray b_;
    QBuffer buf_;
    std::unique_ptr<QPdfWriter> pdf_;
    QPainter p_;
    std::unique_ptr<TelaQt> s_;
};

} // namespace

std::unique_ptr<DisegnoFile> FabbricaSuperficiQt::Png(int w, int h) {
    RichiediApplicazioneQt();
    return std::make_unique<DisegnoImmagine>(w, h);
}
std::unique_ptr<DisegnoFile> FabbricaSuperficiQt::Svg(int w, int h) {
    RichiediApplicazioneQt();
    return std::make_unique<DisegnoSvg>(w, h);
}
std::unique_ptr<DisegnoFile> FabbricaSuperficiQt::Pdf() {
    RichiediApplicazioneQt();
    return std::make_unique<DisegnoPdf>();
}

} // namespace zelvo
