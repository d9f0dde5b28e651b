// A window's widgets bound to the fields of its form model, as the main
// window binds its fields: a table of (widget, model field) pairs that the
// window's refresh writes from the model, each widget only when it differs.
#pragma once

#include "form/campo_form.h"

#include <string>
#include <utility>
#include <vector>

class QGroupBox;
class QLabel;
class QLineEdit;
class QWidget;

namespace zelvo {

class LegamiVista {
  public:
    // A text box showing a field (a model text without a field: `Testo`).
    void Campo(QLineEdit* w, const CampoForm& c) { testi_.push_back({w, &c.testo}); }
    void Testo(QLineEdit* w, const std::string& t) { testi_.push_back({w, &t}); }
    void Etichetta(QLabel* l, const std::string& t) { etichette_.push_back({l, &t}); }
    void Visibile(QWidget* w, const bool& b) { visibili_.push_back({w, &b}); }
    void Abilitato(QWidget* w, const bool& b) { abilitati_.push_back({w, &b}); }
    void Titolo(QGroupBox* g, const std::string& t) { titoli_.push_back({g, &t}); }
    // Writes every bound widget from its model field.
    void Aggiorna() const;

    // A text box's text, set only when it differs (the caret stays).
    static void ImpostaTesto(QLineEdit* e, const std::string& t);

  private:
    std::vector<std::pair<QLineEdit*, const std::string*>> testi_;
    std::vector<std::pair<QLabel*, const std::string*>> etichette_;
    std::vector<std::pair<QWidget*, const bool*>> visibili_, abilitati_;
    std::vector<std::pair<QGroupBox*, const std::string*>> titoli_;
};

} // namespace zelvo
