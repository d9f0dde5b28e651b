// Keyboard shortcuts of the windows besides their Alt accelerators: the
// keys of the commands (the desktop's standard keys of the File items, F1,
// F5), Escape that closes a window.
#pragma once

#include <functional>

class QAction;
class QWidget;

#include <optional>

#include <QString>

class QKeyEvent;
class QObject;

namespace zelvo {

struct Separatori;

struct VoceComando;

// The keys of a command (form/comandi.h): its own key first (shown in the
// menu), then the desktop's other keys for the same standard command.
void ScorciatoiaComando(QAction* a, const VoceComando& v);

// The action's keys run `daTastiera` instead of the action's own command
// (a menu click still triggers the action).
void TastoContestuale(QAction* a, std::function<void()> daTastiera);

// The regional decimal separator when the key is the keypad's decimal key
// (io/numeri: `TestoTastierino`); nothing for other keys.
std::optional<QString> TestoTastierinoQt(const QKeyEvent* k, const Separatori& s);

// In an editable line field `o`, the keypad's decimal key types the regional
// decimal separator as if typed (the field's textEdited follows): true when
// the key was taken.
bool TastierinoInCampo(QObject* o, const QKeyEvent* k, const Separatori& s);

// Escape closes the window.
void ChiudiConEsc(QWidget* finestra);

} // namespace zelvo
