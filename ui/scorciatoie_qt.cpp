#include "ui/scorciatoie_qt.h"

#include <QAction>
#include <QEvent>
#include <QKeySequence>
#include <QShortcut>
#include <QWidget>

namespace zelvo {

namespace {

// The desktop's keys for a standard command, `primo` first (shown in the
// menu): some key schemes have none for "Save as" or "Quit".
QList<QKeySequence> Tasti(QKeySequence::StandardKey standard, const QKeySequence& primo) {
    QList<QKeySequence> l = QKeySequence::keyBindings(standard);
    l.removeAll(primo);
    l.prepend(primo);
    return l;
}

class FiltroScorciatoia : public QObject {
  public:
    FiltroScorciatoia(QObject* genitore, std::function<void()> f)
        : QObject(genitore), f_(std::move(f)) {}

  protected:
    bool eventFilter(QObject* o, QEvent* e) override {
        if (e->type() == QEvent::Shortcut) {
            f_();
            return true;
        }
        return QObject::eventFilter(o, e);
    }

  private:
    std::function<void()> f_;
};

} // namespace

void ScorciatoiaVoceFile(QAction* a, int voce) {
    switch (voce) {
    case 0:
        a->setShortcuts(Tasti(QKeySequence::New, QKeySequence(Qt::CTRL | Qt::Key_N)));
        break;
    case 1:
        a->setShortcuts(Tasti(QKeySequence::Open, QKeySequence(Qt::CTRL | Qt::Key_O)));
        break;
    case 2:
        a->setShortcuts(Tasti(QKeySequence::Save, QKeySequence(Qt::CTRL | Qt::Key_S)));
        break;
    case 3:
        a->setShortcuts(
            Tasti(QKeySequence::SaveAs, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S)));
        break;
    case 5:
        a->setShortcuts(Tasti(QKeySequence::Print, QKeySequence(Qt::CTRL | Qt::Key_P)));
        break;
    case 12:
        a->setShortcuts(Tasti(QKeySequence::Quit, QKeySequence(Qt::CTRL | Qt::Key_Q)));
        break;
    default:
        break;
    }
}

void ScorciatoiaAiuto(QAction* a, std::function<void()> daTastiera) {
    a->setShortcuts(Tasti(QKeySequence::HelpContents, QKeySequence(Qt::Key_F1)));
    a->installEventFilter(new FiltroScorciatoia(a, std::move(daTastiera)));
}

void ChiudiConEsc(QWidget* finestra) {
    auto* s = new QShortcut(QKeySequence::Cancel, finestra);
    s->setContext(Qt::WindowShortcut);
    QObject::connect(s, &QShortcut::activated, finestra, &QWidget::close);
}

} // namespace zelvo
