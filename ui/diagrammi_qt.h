// The diagram windows of one main window and what they share: the user
// scales of the scale dialog and the diagram output (Qt save dialog, Qt
// printer, the CAD seam). Made as a child of the main window when it is
// built (`CollegaDiagrammi`), so it lives and dies with it.
#pragma once

#include "graphics/plotta.h"
#include "graphics/uscita_diagrammi.h"

#include <QObject>
#include <QPointer>

#include <memory>

namespace zelvo {

class FrmDati;
class FinestraDiagramma;

class DiagrammiQt : public QObject {
    Q_OBJECT

  public:
    explicit DiagrammiQt(FrmDati& f);
    ~DiagrammiQt() override;
    // The one of the main window (nullptr when not connected).
    static DiagrammiQt* Di(FrmDati& f);

    // Window i (0 moments, 1 shears, 2 loads) with the results just
    // calculated: opened at its first use, else brought to the front and
    // repainted.
    void Mostra(int i);
    // "&Scelta scale dwg, dxf": the scale dialog, modal.
    void Scale();
    // "&Informazioni".
    void Informazioni();
    // Repaints every open diagram window from the model.
    void Ridisegna();

    FinestraDiagramma* Finestra(int i) const;
    ScaleUtente& ScaleCorrenti() { return scale_; }
    UscitaDiagrammi& Uscita() { return *uscita_; }

  private:
    FrmDati& f_;
    ScaleUtente scale_;
    std::unique_ptr<StampantePagine> stampante_;
    std::unique_ptr<UscitaDiagrammi> uscita_;
    QPointer<FinestraDiagramma> finestre_[3];
};

// Connects the diagram windows and the diagram output to the main window.
void CollegaDiagrammi(FrmDati& f);

} // namespace zelvo
