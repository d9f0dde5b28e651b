// A section picture of the section window and of the profile chooser, and
// the pixmaps of the section editor's type buttons.
#pragma once

#include "section/esporta_sezione.h"
#include "section/pittogrammi_sezione.h"

#include <QWidget>

#include <functional>

class QPixmap;

namespace zelvo {

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

// The picture of type button `tipo` (DisegnaTipoSezione) on a pixmap
// through "VIDEO".
QPixmap DisegnoTipoSezione(int tipo, int lato, double dpr = 1);

} // namespace zelvo
