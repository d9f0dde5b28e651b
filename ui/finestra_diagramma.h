// The diagram windows FrmMomenti, FrmTagli, FrmCarichi: a picture area that
// paints its diagram through the "VIDEO" target on every paint (with the
// window's own plot window, so a resize redraws it to fit) and a status line
// with the diagram's scale and the value read at the mouse; a click copies
// "x; value" to the clipboard. Behaviour in form/diagrammi_form.h.
#pragma once

#include "form/diagrammi_form.h"
#include "form/impostazioni.h"

#include <QWidget>

#include <functional>
#include <memory>

class QComboBox;
class QImage;
class QLabel;
class QPainter;

namespace zelvo {

class AreaDiagramma;

class FinestraDiagramma : public QWidget {
    Q_OBJECT

  public:
    // contesto: what the diagram reads (asked at every paint); msg: where
    // drawing faults are shown, after painting.
    FinestraDiagramma(int indice, std::function<ContestoDiagrammi()> contesto, Messaggi& msg,
                      QWidget* genitore = nullptr);
    ~FinestraDiagramma() override;

    // The window takes the geometry remembered for it, and remembers its own
    // when it goes (nullptr: nothing remembered).
    void Ricorda(std::shared_ptr<ImpostazioniUtente> impostazioni);

    ModelloDiagramma& Modello() { return modello_; }
    AreaDiagramma* Area() { return area_; }
    QLabel* Stato() { return stato_; }
    // The choice of the view (hidden without calculated load cases).
    QComboBox* Vista() { return vista_; }
    // Where a view chosen in the window goes (the diagrams' shared choice).
    void SceltaVista(std::function<void(const VistaDiagrammi&)> scelta) {
        scelta_ = std::move(scelta);
    }
    // Repaints with the current results and brings the window to the front.
    void Mostra();
    // The model changed: repaints (an empty picture with its reason in the
    // status line when there are no results).
    void Ridisegna();

  private:
    friend class AreaDiagramma;
    void DopoDisegno();
    void Lettura(double colonna, bool copia);
    // The view list as the results offer it now, the view in force selected.
    void AggiornaVista();
    void VistaScelta(int indice);

    ModelloDiagramma modello_;
    std::function<ContestoDiagrammi()> contesto_;
    Messaggi& msg_;
    AreaDiagramma* area_ = nullptr;
    QLabel* stato_ = nullptr;
    QComboBox* vista_ = nullptr;
    std::vector<VoceVista> voci_;
    std::function<void(const VistaDiagrammi&)> scelta_;
    bool avvisoInAttesa_ = false;
    bool lettura_ = false; // the status line shows a value read at the mouse
    std::shared_ptr<ImpostazioniUtente> impostazioni_;
};

// The picture area of a diagram window.
class AreaDiagramma : public QWidget {
    Q_OBJECT

  public:
    explicit AreaDiagramma(FinestraDiagramma& finestra);
    // The picture as painted on the screen, at the area's size and the
    // device pixel ratio rapporto: (width x height) x rapporto pixels.
    QImage Immagine(double rapporto);

  protected:
    void paintEvent(QPaintEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void leaveEvent(QEvent* e) override;

  private:
    // Paints the diagram on p over the area's size in logical pixels (the
    // device's pixel ratio makes it sharp on a Hi-DPI screen).
    void Dipingi(QPainter& p);
    FinestraDiagramma& finestra_;
};

} // namespace zelvo
