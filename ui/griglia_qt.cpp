#include "ui/griglia_qt.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScrollBar>

namespace zelvo {

QVariant ModelloGrigliaQt::data(const QModelIndex& i, int ruolo) const {
    if (!i.isValid()) return {};
    if (ruolo == Qt::DisplayRole)
        return QString::fromStdString(g_.TestoOVuoto(i.row(), i.column()));
    if (ruolo == Qt::TextAlignmentRole) return int(Qt::AlignCenter);
    if (ruolo == Qt::BackgroundRole &&
        (i.row() < g_.RigheFisse() || i.column() < g_.ColonneFisse()))
        return QColor(0xE8, 0xE8, 0xE8);
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
    EditorCellaQt(ModelloForm& m, int i, const bool& muto, QWidget* genitore)
        : QLineEdit(genitore), m_(m), i_(i), muto_(muto) {
        setFrame(false);
        setAlignment(Qt::AlignCenter);
        connect(this, &QLineEdit::textEdited, this, [this](const QString& t) {
            const int inizio = selectionStart() >= 0 ? selectionStart() : cursorPosition();
            m_.txtEdit_Edita(i_, t.toStdString(), inizio, static_cast<int>(selectedText().size()));
        });
    }

  protected:
    void keyPressEvent(QKeyEvent* e) override {
        switch (e->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            return m_.txtEdit_Tasto(i_, TastoEditor::Invio);
        case Qt::Key_Escape:
            return m_.txtEdit_Tasto(i_, TastoEditor::Esc);
        case Qt::Key_Up:
            return m_.txtEdit_Tasto(i_, TastoEditor::Su);
        case Qt::Key_Down:
            return m_.txtEdit_Tasto(i_, TastoEditor::Giu);
        default:
            QLineEdit::keyPressEvent(e);
        }
    }
    void focusOutEvent(QFocusEvent* e) override {
        QLineEdit::focusOutEvent(e);
        if (isVisible() && !muto_) m_.txtEdit_PerdeFuoco(i_);
    }

  private:
    ModelloForm& m_;
    int i_;
    const bool& muto_; // the view is being refreshed: no event goes back
};

GrigliaQt::GrigliaQt(ModelloForm& m, int indice, QWidget* genitore)
    : QTableView(genitore), m_(m), indice_(indice) {
    modello_ = new ModelloGrigliaQt(m.FlexGrid[static_cast<size_t>(indice)], this);
    setModel(modello_);
    horizontalHeader()->hide();
    verticalHeader()->hide();
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 8);
    setSelectionMode(QAbstractItemView::NoSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setTabKeyNavigation(false);
    editor_ = new EditorCellaQt(m, indice, aggiornando_, viewport());
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
    const GrigliaTesto& g = m_.FlexGrid[static_cast<size_t>(indice_)];
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
}

void GrigliaQt::PosizionaEditor() {
    const GrigliaTesto& g = m_.FlexGrid[static_cast<size_t>(indice_)];
    editor_->setGeometry(visualRect(modello_->index(g.riga, g.colonna)));
}

void GrigliaQt::keyPressEvent(QKeyEvent* e) {
    const QString t = e->text();
    if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter)
        return m_.FlexGrid_Tasto(indice_, 13);
    if (e->key() == Qt::Key_Up || e->key() == Qt::Key_Down || e->key() == Qt::Key_Tab ||
        e->key() == Qt::Key_Backtab || t.isEmpty() || !t[0].isPrint())
        return QTableView::keyPressEvent(e);
    m_.FlexGrid_Tasto(indice_, static_cast<int>(t.toUcs4().value(0)));
}

void GrigliaQt::mousePressEvent(QMouseEvent* e) {
    const QModelIndex i = indexAt(e->position().toPoint());
    if (!i.isValid()) {
        m_.FlexGrid_Scorre(indice_);
        return;
    }
    setFocus(Qt::MouseFocusReason);
    m_.FlexGrid_Seleziona(indice_, i.row(), i.column());
}

void GrigliaQt::resizeEvent(QResizeEvent* e) {
    QTableView::resizeEvent(e);
    Larghezze();
    PosizionaEditor();
}

void GrigliaQt::scrollContentsBy(int dx, int dy) {
    if (editor_->isVisible() && !aggiornando_) m_.FlexGrid_Scorre(indice_);
    QTableView::scrollContentsBy(dx, dy);
}

} // namespace zelvo
