// Captions, labels, tooltips, menu texts and accelerators of the main window,
// in one table: the window and its tests read them from here. An "&" marks
// the accelerator letter.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace zelvo {

struct TestoControllo {
    std::string_view controllo; // the control's name ("txtDati", "MnuFileItem", ...)
    int indice;                 // its index in a control array, -1 for a single control
    std::string_view caption;   // caption or label ("" for a menu separator)
    std::string_view tooltip;   // "" when it has none
};

// Every entry of the main window.
const std::vector<TestoControllo>& TestiFrmDati();

// The entry of a control; a fault (Guasto) when the table has none.
const TestoControllo& TestoDi(std::string_view controllo, int indice = -1);

// The entries of a control array in index order (menu items, options, ...).
std::vector<TestoControllo> TestiDi(std::string_view controllo);

// The caption of a control as text.
std::string Caption(std::string_view controllo, int indice = -1);
std::string Tooltip(std::string_view controllo, int indice = -1);

} // namespace zelvo
