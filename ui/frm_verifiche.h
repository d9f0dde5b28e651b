// The "Verifiche" window: the steel member checks of the calculated beam,
// on top of the main window, not modal. It lays out and shows the model
// ModelloVerifiche (form/verifiche_form.h) and forwards every input to it.
#pragma once

#include "form/verifiche_form.h"

#include <QWidget>

#include <memory>

class QComboBox;
class QLabel;
class QLineEdit;
class QTableWidget;

namespace zelvo {

class FrmDati;

class FrmVerifiche : public QWidget {
    Q_OBJECT

  public:
    // Opens (or raises) the window of the main window `trave`.
    static FrmVerifiche* Apri(FrmDati& trave);
    // The problem or its results changed: an open window follows them.
    static void TraveCambiata(FrmDati& trave);

    explicit FrmVerifiche(FrmDati& trave);
    ModelloVerifiche& Modello() { return *modello_; }
    QTableWidget* Tabella() { return tabella_; }
    QLabel* EtichettaGoverno() { return governo_; }
    QLabel* EtichettaMotivo() { return motivo_; }
    QLabel* EtichettaSezione() { return sezione_; }
    QComboBox* SceltaProfilo() { return profilo_; }
    QLineEdit* CampoAscisse() { return ascisse_; }
    QLineEdit* CampoGM0() { return gM0_; }
    QWidget* FiguraForma() { return figura_; }

    // Shows the model's state in every control.
    void Mostra();

  private:
    void Coefficienti();
    void Ascisse();

    FrmDati& trave_;
    CatalogoProfili catalogo_;
    std::unique_ptr<ModelloVerifiche> modello_;
    QComboBox* profilo_ = nullptr;
    QComboBox* acciaio_ = nullptr;
    QLineEdit* gM0_ = nullptr;
    QLineEdit* gM1_ = nullptr;
    QComboBox* ritegno_ = nullptr;
    QLineEdit* ascisse_ = nullptr;
    QComboBox* quota_ = nullptr;
    QLabel* governo_ = nullptr;
    QLabel* base_ = nullptr;
    QLabel* motivo_ = nullptr;
    QLabel* sezione_ = nullptr;
    QTableWidget* tabella_ = nullptr;
    QWidget* figura_ = nullptr;
    bool mostrando_ = false;
    bool leggendo_ = false; // a typed input being read
};

} // namespace zelvo
