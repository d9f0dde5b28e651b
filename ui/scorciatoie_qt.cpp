#include "ui/scorciatoie_qt.h"

#include "form/comandi.h"
#include "io/numeri.h"

#include <QAction>
#include <QCoreApplication>
#include <QEvent>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLineEdit>
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

QKeySequence::StandardKey Standard(TastoStandard t) {
    switch (t) {
    case TastoStandard::Nuovo:
        return QKeySequence::New;
    case TastoStandard::Apri:
        return QKeySequence::Open;
    case TastoStandard::Salva:
        return QKeySequence::Save;
    case TastoStandard::SalvaCome:
        return QKeySequence::SaveAs;
    case TastoStandard::Stampa:
        return QKeySequence::Print;
    case TastoStandard::Esci:
        return QKeySequence::Quit;
    case TastoStandard::Aiuto:
        return QKeySequence::HelpContents;
    case TastoStandard::Nessuno:
        break;
    }
    return QKeySequence::UnknownKey;
}

} // namespace

void ScorciatoiaComando(QAction* a, const VoceComando& v) {
    if (v.tasto.empty()) return;
    const QKeySequence primo = QKeySequence::fromString(
        QString::fromUtf8(v.tasto.data(), static_cast<qsizetype>(v.tasto.size())),
        QKeySequence::PortableText);
    if (v.standard == TastoStandard::Nessuno)
        a->setShortcut(primo);
    else
        a->setShortcuts(Tasti(Standard(v.standard), primo));
}

void TastoContestuale(QAction* a, std::function<void()> daTastiera) {
    a->installEventFilter(new FiltroScorciatoia(a, std::move(daTastiera)));
}

std::optional<QString> TestoTastierinoQt(const QKeyEvent* k, const Separatori& s) {
    const TastoTastierino t = k->key() == Qt::Key_Period   ? TastoTastierino::Punto
                              : k->key() == Qt::Key_Comma  ? TastoTastierino::Virgola
                              : k->key() == Qt::Key_Delete ? TastoTastierino::Canc
                                                           : TastoTastierino::Altro;
    const auto testo = TestoTastierino((k->modifiers() & Qt::KeypadModifier) != 0, t, s);
    if (!testo) return std::nullopt;
    return QString::fromStdString(*testo);
}

bool TastierinoInCampo(QObject* o, const QKeyEvent* k, const Separatori& s) {
    auto* w = qobject_cast<QLineEdit*>(o);
    if (!w || w->isReadOnly()) return false;
    const std::optional<QString> sep = TestoTastierinoQt(k, s);
    if (!sep) return false;
    // the separator as a typed key: the field's own editing and signals
    QKeyEvent sostituto(QEvent::KeyPress, 0, Qt::NoModifier, *sep);
    QCoreApplication::sendEvent(w, &sostituto);
    return true;
}

void ChiudiConEsc(QWidget* finestra) {
    auto* s = new QShortcut(QKeySequence::Cancel, finestra);
    s->setContext(Qt::WindowShortcut);
    QObject::connect(s, &QShortcut::activated, finestra, &QWidget::close);
}

} // namespace zelvo
