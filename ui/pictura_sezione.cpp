#include "ui/pictura_sezione.h"

#include "graphics_qt/superficie_qt.h"

#include <QPainter>
#include <QPixmap>
#include <QTimer>

#include <cmath>

namespace zelvo {

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

} // namespace zelvo
