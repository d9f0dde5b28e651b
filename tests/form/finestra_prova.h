// The fixtures the tests of the windows' models share: the main window's
// model with the default units, the diagram windows' witness span, and the
// section window opened over it.
#pragma once

#include "form/diagrammi_form.h"
#include "form/finestra_property.h"
#include "form/modello_form.h"
#include "graphics/superficie_registro.h"
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

// The diagram windows' witness typed in the main window: a simply supported
// span of 6 m under a uniform 10 kN/m, E = 210000 (MPa), J = 10000 (cm⁴).
struct CampataDiagrammi : ::testing::Test {
    ModuloZelvo m;
    UnitMisura u;
    RegistroMessaggi msg;
    ModelloForm f;
    CampataDiagrammi() : f(m, u, msg) { f.InizializzaForm(); }
    // The span typed in the window and computed.
    void Calcola() {
        f.Optschema_Click(0);
        for (auto [i, t] : {std::pair{0, "6"}, {1, "210000"}, {2, "10000"}})
            f.Campo_Edita(f.txtDati[size_t(i)], t);
        f.Campo_Edita(f.txtRigheGriglia[0], "1");
        f.txtRigheGriglia_Invio(0);
        const char* riga[] = {"10", "10", "0", "6"};
        for (int c = 0; c < 4; ++c)
            f.FlexGrid[0].ImpostaTesto(1, c + 1, riga[c]);
        ASSERT_EQ(f.btnCalcola_Click(), EsitoCalcolo::Completato);
    }
    // The diagram painted on a recording device; the column of abscissa x.
    double Dipingi(ModelloDiagramma& d, const ContestoDiagrammi& c, double x) {
        TelaRegistro t;
        d.Disegna(c, t);
        return (x - t.ScalaLeft()) * t.LarghezzaDispositivo() / t.ScalaWidth();
    }
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
