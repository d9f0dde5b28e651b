// The continuous beam's controls in the main window: the frame of its data
// (the "N° campate" field, the tables of spans and supports with their Zoom
// buttons) and the frame of its results (the read-only tables of supports
// and spans). They show the model's `ContinuaForm` and forward every event
// to it; both frames are shown for scheme 5 only.
#pragma once

#include "form/modello_form.h"

#include <QGroupBox>

#include <array>

class QLabel;
class QLineEdit;
class QTableView;

namespace zelvo {

class GrigliaQt;
class ModelloGrigliaQt;

class VistaContinua {
  public:
    // campate: the count field, made by the window as its other fields;
    // filtro: the window's event filter (drops, focus, keypad).
    VistaContinua(ModelloForm& m, QLineEdit* campate, QWidget* genitore, QObject* filtro);

    QGroupBox* Dati = nullptr;       // count and data tables
    QGroupBox* Risultati = nullptr;  // results tables
    QLineEdit* txtCampate = nullptr; // "N° campate"
    std::array<GrigliaQt*, 2> Griglie{};
    std::array<QTableView*, 2> Tabelle{}; // 0 supports, 1 spans (results)

    // Shows the model again.
    void Aggiorna();
    // The focus a widget stands for (Nessuno: none of its).
    Fuoco FuocoDi(const QWidget* w) const;
    // Open cell editors keep what was typed (the window is closing).
    void ChiudiEditori();

  private:
    ModelloForm& m_;
    std::array<QWidget*, 2> riquadri_{};
    std::array<ModelloGrigliaQt*, 2> modelliRis_{};
    std::array<QLabel*, 2> titoliRis_{};
};

} // namespace zelvo
