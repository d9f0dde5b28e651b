// Keyboard shortcuts of the windows besides their Alt accelerators: the
// desktop's standard keys of the File items, F1 and F5, Escape that closes a
// window.
#pragma once

#include <functional>

class QAction;
class QWidget;

namespace zelvo {

// The shortcut of File item `voce` (its position in the menu): 0 Ctrl+N,
// 1 Ctrl+O, 2 Ctrl+S, 3 Ctrl+Shift+S, 5 Ctrl+P, 12 Ctrl+Q, with the
// desktop's other keys for the same command; the others have none.
void ScorciatoiaVoceFile(QAction* a, int voce);

// F1 (the desktop's help key) on the action, running `daTastiera` instead
// of the action's own command (a menu click still triggers the action).
void ScorciatoiaAiuto(QAction* a, std::function<void()> daTastiera);

// Escape closes the window.
void ChiudiConEsc(QWidget* finestra);

} // namespace zelvo
