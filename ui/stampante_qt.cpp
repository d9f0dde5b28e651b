// Printing the report through Qt.
#include "ui/stampante_qt.h"

#include "graphics_qt/superficie_qt.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QStringList>

#include <algorithm>

namespace zelvo {

namespace {

// Largest and smallest size of the report's font (points).
constexpr double PuntiMassimi = 10;
constexpr double PuntiMinimi = 5;

QStringList Righe(const std::string& testo) {
    QStringList righe = QString::fromUtf8(testo.data(), static_cast<qsizetype>(testo.size()))
                            .split(QLatin1Char('\n'));
    for (QString& r : righe)
        if (r.endsWith(QLatin1Char('\r'))) r.chop(1);
    // A text ended by a line end has no further line.
    if (righe.size() > 1 && righe.back().isEmpty()) righe.removeLast();
    return righe;
}

QFont FontPassoFisso(double punti) {
    QFont f(QString::fromStdString(FamigliaFont("Courier New")));
    f.setStyleHint(QFont::Monospace);
    f.setFixedPitch(true);
    f.setPointSizeF(punti);
    return f;
}

qsizetype Colonne(const QStringList& righe) {
    qsizetype colonne = 1;
    for (const QString& r : righe)
        colonne = std::max(colonne, r.size());
    return colonne;
}

QFont FontPerColonne(QPrinter& stampante, qsizetype colonne) {
    QFont font = FontPassoFisso(PuntiMassimi);
    const QFontMetricsF m(font, &stampante);
    const double serve = m.horizontalAdvance(QString(colonne, QLatin1Char('M')));
    const double larghezzaPagina = stampante.width();
    if (serve > larghezzaPagina)
        font = FontPassoFisso(std::max(PuntiMinimi, PuntiMassimi * larghezzaPagina / serve * 0.98));
    return font;
}

bool ScriviCopie(QPrinter& stampante, QPainter& p, const QStringList& righe, int copie) {
    const double altezzaPagina = stampante.height();
    // The widest line fits the page's width.
    const QFont font = FontPerColonne(stampante, Colonne(righe));
    p.setFont(font);
    p.setPen(Qt::black);
    const QFontMetricsF m(font, &stampante);
    const double passo = m.lineSpacing();
    if (!(passo > 0) || altezzaPagina < passo) return false;

    for (int copia = 0; copia < copie; ++copia) {
        if (copia > 0 && !stampante.newPage()) return false;
        double y = m.ascent();
        for (const QString& r : righe) {
            if (y + m.descent() > altezzaPagina) {
                if (!stampante.newPage()) return false;
                y = m.ascent();
            }
            p.drawText(QPointF(0, y), r);
            y += passo;
        }
    }
    return true;
}

} // namespace

QFont FontRelazione(QPrinter& stampante, const std::string& testo) {
    return FontPerColonne(stampante, Colonne(Righe(testo)));
}

bool StampaTesto(QPrinter& stampante, const std::string& testo, int copie) {
    QPainter p;
    if (!p.begin(&stampante)) return false;
    const bool scritto = ScriviCopie(stampante, p, Righe(testo), std::max(1, copie));
    const bool chiuso = p.end();
    return scritto && chiuso;
}

StampanteQt::StampanteQt(QWidget* genitore) : genitore_(genitore) {
    Dialogo = [this](QPrinter& stampante) {
        QPrintDialog dialogo(&stampante, genitore_);
        dialogo.setWindowTitle(QStringLiteral("Stampa"));
        dialogo.setOption(QAbstractPrintDialog::PrintSelection, false);
        dialogo.setOption(QAbstractPrintDialog::PrintPageRange, false);
        dialogo.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
        return dialogo.exec() == QDialog::Accepted;
    };
}

bool StampanteQt::StampaRelazione(const std::string& testo, Messaggi& msg) {
    QPrinter stampante(QPrinter::HighResolution);
    stampante.setDocName(QStringLiteral("Trave Zelvo - Relazione"));
    stampante.setCopyCount(1);
    if (!Dialogo || !Dialogo(stampante)) return false;
    const int copie = std::max(1, stampante.copyCount());
    stampante.setCopyCount(1);
    bool riuscita = true;
    if (stampante.outputFormat() == QPrinter::PdfFormat) {
        riuscita = StampaTesto(stampante, testo, copie);
    } else {
        for (int i = 0; i < copie && riuscita; ++i)
            riuscita = StampaTesto(stampante, testo);
    }
    if (!riuscita) msg.Mostra(TestoErroreStampa, Icona::Critica);
    return riuscita;
}

} // namespace zelvo
