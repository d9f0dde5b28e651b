#include "ui/griglia_qt.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScrollBar>

#include <algorithm>
#include <functional>

namespace zelvo {

namespace {

// Tab and Shift+Tab (Backtab) go to the grid's own event, before Qt's focus
// chain sees them: true when the key was taken.
bool InoltraTab(QEvent* e, const std::function<void(bool)>& tab) {
    if (e->type() != QEvent::KeyPress || !tab) return false;
    auto* k = static_cast<QKeyEvent*>(e);
    if (k->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) return false;
    if (k->key() != Qt::Key_Tab && k->key() != Qt::Key_Backtab) return false;
    tab(k->key() == Qt::Key_Backtab || (k->modifiers() & Qt::ShiftModifier));
    return true;
}

} // namespace

QVariant ModelloGrigliaQt::data(const QModelIndex& i, int ruolo) const {
    if (!i.isValid()) return {};
    if (ruolo == Qt::DisplayRole)
        return QString::fromStdString(g_.TestoOVuoto(i.row(), i.column()));
    if (ruolo == Qt::TextAlignmentRole) return int(Qt::AlignCenter);
    if (ruolo == Qt::BackgroundRole &&
        (i.row() < g_.RigheFisse() || i.column() < g_.ColonneFisse()))
        return QColor(0xE8, 0xE8, 0xE8);
    if (ruolo == Qt::BackgroundRole) {
        // A selected block of more than one cell.
        const RettangoloCelle s = g_.Selezione();
        if (s.NumeroRighe() * s.NumeroColonne() > 1 && s.Contiene(i.row(), i.column()))
            return QColor(0xC8, 0xDC, 0xF5);
    }
    return {};
}

void ModelloGrigliaQt::Aggiorna() {
    if (righe_ != g_.Righe() || colonne_ != g_.Colonne()) {
        beginResetModel();
        righe_ = g_.Righe();
        colonne_ = g_.Colonne();
        endResetModel();
        return;
    }
    if (righe_ > 0 && colonne_ > 0) emit dataChanged(index(0, 0), index(righe_ - 1, colonne_ - 1));
}

// The in-place editor: its keys and its loss of focus go to the model.
class EditorCellaQt : public QLineEdit {
  public:
    EditorCellaQt(const EventiGriglia& ev, const bool& muto, QWidget* genitore)
        : QLineEdit(genitore), ev_(ev), muto_(muto) {
        setFrame(false);
        setAlignment(Qt::AlignCenter);
        connect(this, &QLineEdit::textEdited, this, [this](const QString& t) {
            const int inizio = selectionStart() >= 0 ? selectionStart() : cursorPosition();
            if (ev_.Edita)
                ev_.Edita(t.toStdString(), inizio, static_cast<int>(selectedText().size()));
        });
    }

  protected:
    bool event(QEvent* e) override {
        // Tab leaves the cell for the next one (before the focus chain sees it).
        if (InoltraTab(e, ev_.Tab)) return true;
        return QLineEdit::event(e);
    }
    void keyPressEvent(QKeyEvent* e) override {
        // A block of cells from a spreadsheet goes into the grid, not into
        // this one cell.
        if (e->matches(QKeySequence::Paste) && ev_.Incolla) {
            const QString t = QGuiApplication::clipboard()->text();
            if (BloccoDaTesto(t.toStdString()).size() > 1 || t.contains(QLatin1Char('\t'))) {
                ev_.Incolla(t.toStdString());
                return;
            }
        }
        switch (e->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            return Tasto(TastoEditor::Invio);
        case Qt::Key_Escape:
            return Tasto(TastoEditor::Esc);
        case Qt::Key_Up:
            return Tasto(TastoEditor::Su);
        case Qt::Key_Down:
            return Tasto(TastoEditor::Giu);
        default:
            QLineEdit::keyPressEvent(e);
        }
    }
    void focusOutEvent(QFocusEvent* e) override {
        QLineEdit::focusOutEvent(e);
        if (isVisible() && !muto_ && ev_.PerdeFuoco) ev_.PerdeFuoco();
    }

  private:
    void Tasto(TastoEditor t) {
        if (ev_.TastoEditor) ev_.TastoEditor(t);
    }
    const EventiGriglia& ev_;
    const bool& muto_; // the view is being refreshed: no event goes back
};

namespace {
EventiGriglia EventiCarichi(ModelloForm& m, int i) {
    EventiGriglia e;
    e.Tasto = [&m, i](int c) { m.FlexGrid_Tasto(i, c); };
    e.Seleziona = [&m, i](int r, int c) { m.FlexGrid_Seleziona(i, r, c); };
    e.Scorre = [&m, i] { m.FlexGrid_Scorre(i); };
    e.TastoEditor = [&m, i](TastoEditor t) { m.txtEdit_Tasto(i, t); };
    e.Edita = [&m, i](const std::string& t, int s, int l) { m.txtEdit_Edita(i, t, s, l); };
    e.PerdeFuoco = [&m, i] { m.txtEdit_PerdeFuoco(i); };
    e.Muovi = [&m, i](int dr, int dc, bool estendi) { m.FlexGrid_Muovi(i, dr, dc, estendi); };
    e.Tab = [&m, i](bool indietro) { m.FlexGrid_Tab(i, indietro); };
    e.Estendi = [&m, i](int r, int c) { m.FlexGrid_Estendi(i, r, c); };
    e.Copia = [&m, i] { return m.FlexGrid_Copia(i); };
    e.Incolla = [&m, i](const std::string& t) { m.FlexGrid_Incolla(i, t); };
    e.Svuota = [&m, i] { m.FlexGrid_Svuota(i); };
    return e;
}
} // namespace

GrigliaQt::GrigliaQt(ModelloForm& m, int indice, QWidget* genitore)
    : GrigliaQt(m.FlexGrid.at(static_cast<size_t>(indice)), EventiCarichi(m, indice), indice,
                genitore) {}

GrigliaQt::GrigliaQt(const GrigliaTesto& g, EventiGriglia eventi, int indice, QWidget* genitore)
    : QTableView(genitore), g_(g), ev_(std::move(eventi)), indice_(indice) {
    modello_ = new ModelloGrigliaQt(g_, this);
    setModel(modello_);
    horizontalHeader()->hide();
    verticalHeader()->hide();
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 8);
    setSelectionMode(QAbstractItemView::NoSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setTabKeyNavigation(false);
    editor_ = new EditorCellaQt(ev_, aggiornando_, viewport());
    editor_->hide();
    editor_->setObjectName(QStringLiteral("txtEdit%1").arg(indice));
    editor_->setAccessibleName(QStringLiteral("Editor della cella"));
}

QLineEdit* GrigliaQt::Editor() const {
    return editor_;
}

void GrigliaQt::Larghezze() {
    // Column 0 narrow, the data columns sharing the rest.
    const int n = modello_->columnCount();
    if (n <= 0) return;
    const int c0 = fontMetrics().horizontalAdvance(QStringLiteral("N°")) + 16;
    setColumnWidth(0, c0);
    const int resto = viewport()->width() - c0;
    for (int c = 1; c < n; ++c)
        setColumnWidth(c, std::max(40, resto / (n - 1)));
}

void GrigliaQt::Aggiorna() {
    const GrigliaTesto& g = g_;
    struct Muto {
        bool& b;
        explicit Muto(bool& bb) : b(bb) { b = true; }
        ~Muto() { b = false; }
    } muto(aggiornando_);
    modello_->Aggiorna();
    Larghezze();
    const EditorCella& e = g.editor;
    if (e.visibile && g.CellaDati()) {
        if (editor_->text().toStdString() != e.testo)
            editor_->setText(QString::fromStdString(e.testo));
        const int fine = e.selInizio + e.selLunghezza;
        if (e.selLunghezza > 0)
            editor_->setSelection(e.selInizio, e.selLunghezza);
        else if (editor_->cursorPosition() != fine)
            editor_->setCursorPosition(e.selInizio);
        scrollTo(modello_->index(g.riga, g.colonna));
        PosizionaEditor();
        editor_->show();
    } else {
        editor_->hide();
    }
    // The model's current cell is the view's (a refused cell is shown and
    // scrolled to).
    if (g.CellaDati()) {
        const QModelIndex corrente = modello_->index(g.riga, g.colonna);
        if (currentIndex() != corrente) {
            setCurrentIndex(corrente);
            scrollTo(corrente);
        }
    }
}

void GrigliaQt::PosizionaEditor() {
    const GrigliaTesto& g = g_;
    editor_->setGeometry(visualRect(modello_->index(g.riga, g.colonna)));
}

bool GrigliaQt::event(QEvent* e) {
    if (InoltraTab(e, ev_.Tab)) return true;
    // Copy, paste and Delete belong to the grid, not to a window shortcut.
    if (e->type() == QEvent::ShortcutOverride) {
        auto* k = static_cast<QKeyEvent*>(e);
        if ((ev_.Copia && k->matches(QKeySequence::Copy)) ||
            (ev_.Incolla && k->matches(QKeySequence::Paste)) ||
            (ev_.Svuota && k->key() == Qt::Key_Delete)) {
            e->accept();
            return true;
        }
    }
    return QTableView::event(e);
}

void GrigliaQt::keyPressEvent(QKeyEvent* e) {
    const QString t = e->text();
    if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) {
        if (ev_.Tasto) ev_.Tasto(TastoInvio);
        return;
    }
    if (e->matches(QKeySequence::Copy) && ev_.Copia) {
        QGuiApplication::clipboard()->setText(QString::fromStdString(ev_.Copia()));
        return;
    }
    if (e->matches(QKeySequence::Paste) && ev_.Incolla) {
        ev_.Incolla(QGuiApplication::clipboard()->text().toStdString());
        return;
    }
    if (e->key() == Qt::Key_Delete && ev_.Svuota) {
        ev_.Svuota();
        return;
    }
    if (ev_.Muovi && !(e->modifiers() & Qt::AltModifier)) {
        const bool estendi = e->modifiers() & Qt::ShiftModifier;
        const bool ctrl = e->modifiers() & Qt::ControlModifier;
        // Moves past the edge stop at the last data cell.
        const int tutte = std::max(modello_->rowCount(), modello_->columnCount());
        const int pagina = std::max(1, viewport()->height() / std::max(1, rowHeight(0)) - 1);
        switch (e->key()) {
        case Qt::Key_Home:
            return ev_.Muovi(ctrl ? -tutte : 0, -tutte, estendi);
        case Qt::Key_End:
            return ev_.Muovi(ctrl ? tutte : 0, tutte, estendi);
        case Qt::Key_PageUp:
            return ev_.Muovi(-pagina, 0, estendi);
        case Qt::Key_PageDown:
            return ev_.Muovi(pagina, 0, estendi);
        default:
            break;
        }
    }
    if (ev_.Muovi && !(e->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
        const bool estendi = e->modifiers() & Qt::ShiftModifier;
        switch (e->key()) {
        case Qt::Key_Up:
            return ev_.Muovi(-1, 0, estendi);
        case Qt::Key_Down:
            return ev_.Muovi(1, 0, estendi);
        case Qt::Key_Left:
            return ev_.Muovi(0, -1, estendi);
        case Qt::Key_Right:
            return ev_.Muovi(0, 1, estendi);
        default:
            break;
        }
    }
    if (e->key() == Qt::Key_Up || e->key() == Qt::Key_Down || e->key() == Qt::Key_Tab ||
        e->key() == Qt::Key_Backtab || t.isEmpty() || !t[0].isPrint())
        return QTableView::keyPressEvent(e);
    if (ev_.Tasto) ev_.Tasto(static_cast<int>(t.toUcs4().value(0)));
}

void GrigliaQt::mousePressEvent(QMouseEvent* e) {
    const QModelIndex i = indexAt(e->position().toPoint());
    if (!i.isValid()) {
        if (ev_.Scorre) ev_.Scorre();
        return;
    }
    setFocus(Qt::MouseFocusReason);
    trascinaRiga_ = i.row();
    trascinaColonna_ = i.column();
    if ((e->modifiers() & Qt::ShiftModifier) && ev_.Estendi) {
        ev_.Estendi(i.row(), i.column());
        return;
    }
    if (ev_.Seleziona) ev_.Seleziona(i.row(), i.column());
}

void GrigliaQt::mouseMoveEvent(QMouseEvent* e) {
    // A drag from one cell to another selects the block between them.
    if (!(e->buttons() & Qt::LeftButton) || !ev_.Estendi || trascinaRiga_ < 0) return;
    const QModelIndex i = indexAt(e->position().toPoint());
    if (!i.isValid() || (i.row() == trascinaRiga_ && i.column() == trascinaColonna_)) return;
    trascinaRiga_ = i.row();
    trascinaColonna_ = i.column();
    setFocus(Qt::MouseFocusReason);
    ev_.Estendi(i.row(), i.column());
}

void GrigliaQt::resizeEvent(QResizeEvent* e) {
    QTableView::resizeEvent(e);
    Larghezze();
    PosizionaEditor();
}

void GrigliaQt::scrollContentsBy(int dx, int dy) {
    if (editor_->isVisible() && !aggiornando_ && ev_.Scorre) ev_.Scorre();
    QTableView::scrollContentsBy(dx, dy);
}

} // namespace zelvo
