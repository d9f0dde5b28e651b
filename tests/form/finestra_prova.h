// The fixtures the tests of the windows' models share: the main window's
// model with the default units, and the section window opened over it.
#pragma once

#include "form/finestra_property.h"
#include "form/modello_form.h"
#include "io/numeri.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace zelvo {

struct TraveProva : ::testing::Test {
    ModuloZelvo modulo;
    UnitMisura unita;
    RegistroMessaggi msg;
    std::unique_ptr<ModelloForm> f;
    void SetUp() override {
        unita.UnitaDefault(); // m, MPa, t, kN, cm
        f = std::make_unique<ModelloForm>(modulo, unita, msg);
        f->InizializzaForm();
    }
    double Num(const std::string& t) const { return ValoreNumerico(t, unita.separatori); }
};

// The section window open over a beam of E = 210000 MPa, J = 8356 cm⁴, with
// no materials file.
struct FinestraProva : TraveProva {
    std::unique_ptr<FinestraProperty> w;
    void SetUp() override {
        TraveProva::SetUp();
        f->txtDati[1].Edita("210000");
        f->txtDati[2].Edita("8356");
        w = std::make_unique<FinestraProperty>(*f, msg);
        w->FileMateriali = "";
        w->FileMaterialiPredefiniti = "";
        w->Form_Load();
        msg.Svuota();
    }
    // Types v into cell (r, c) of the shape grid and presses Enter.
    void Digita(int r, int c, const std::string& v) {
        w->Griglia_SelezionaCella(r, c);
        w->FlexGrid0.editor.testo = v;
        w->Editor_Tasto(TastoEditor::Invio);
    }
};

} // namespace zelvo
