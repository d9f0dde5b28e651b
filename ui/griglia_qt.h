// A text grid on screen (the load grids of the main window, the shape grid of
// the section editor): a QTableView over a form's text grid with the in-place
// editor laid over the current cell. The widget only shows the grid and the
// editor as the model holds them and forwards keys, clicks, scrolls, edits
// and focus changes to the model's events.
#pragma once

#include "form/modello_form.h"

#include <QAbstractTableModel>
#include <QLineEdit>
#include <QTableView>

#include <functional>
#include <string>

namespace zelvo {

// The grid's cells as a Qt table model (row 0 and column 0 are the headings).
class ModelloGrigliaQt : public QAbstractTableModel {
    Q_OBJECT
  public:
    explicit ModelloGrigliaQt(const GrigliaTesto& g, QObject* genitore = nullptr)
        : QAbstractTableModel(genitore), g_(g) {}
    int rowCount(const QModelIndex& = {}) const override { return g_.Righe(); }
    int columnCount(const QModelIndex& = {}) const override { return g_.Colonne(); }
    QVariant data(const QModelIndex& i, int ruolo) const override;
    // Re-reads the grid (shape and texts).
    void Aggiorna();

  private:
    const GrigliaTesto& g_;
    int righe_ = -1, colonne_ = -1;
};

class EditorCellaQt;

// The events a grid on screen raises; each goes to its form's model.
struct EventiGriglia {
    std::function<void(int carattere)> Tasto;     // a key typed on the grid
    std::function<void(int r, int c)> Seleziona;  // a mouse selection of a cell
    std::function<void()> Scorre;                 // the grid's own mouse or scroll event
    std::function<void(TastoEditor)> TastoEditor; // Enter, Escape, Up, Down in the editor
    std::function<void(const std::string&, int, int)> Edita; // editor text, selection
    std::function<void()> PerdeFuoco;                        // the editor loses the focus
    // A grid that behaves as a table (each one optional: without it the key
    // keeps the table view's own behaviour).
    std::function<void(int dr, int dc, bool estendi)> Muovi; // arrows on the grid (Shift: block)
    std::function<void(bool indietro)> Tab;                  // Tab / Shift+Tab, grid or editor
    std::function<void(int r, int c)> Estendi;       // a drag of the mouse or Shift+click to (r, c)
    std::function<std::string()> Copia;              // Ctrl+C on the grid: the block's text
    std::function<void(const std::string&)> Incolla; // Ctrl+V: a block of text
    std::function<void()> Svuota;                    // Delete on the grid
};

class GrigliaQt : public QTableView {
    Q_OBJECT
  public:
    // Load grid `indice` of the main window's model.
    GrigliaQt(ModelloForm& m, int indice, QWidget* genitore = nullptr);
    // Any text grid with its events (the grid outlives the widget).
    GrigliaQt(const GrigliaTesto& g, EventiGriglia eventi, int indice, QWidget* genitore = nullptr);
    // Shows the model's grid and editor again.
    void Aggiorna();
    QLineEdit* Editor() const;
    int Indice() const { return indice_; }

  protected:
    bool event(QEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void scrollContentsBy(int dx, int dy) override;

  private:
    void Larghezze();
    void PosizionaEditor();
    const GrigliaTesto& g_;
    EventiGriglia ev_;
    int indice_;
    ModelloGrigliaQt* modello_;
    EditorCellaQt* editor_;
    bool aggiornando_ = false;
    int trascinaRiga_ = -1, trascinaColonna_ = -1; // the cell a drag last reached
};

} // namespace zelvo
