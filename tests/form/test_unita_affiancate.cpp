// Two windows' worth of problems in one process, each with its own units and
// separators: calculating one never changes what the other shows or reads.
#include "core/modulo_zelvo.h"
#include "form/modello_form.h"
#include "io/unita.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace zelvo;

namespace {

const std::filesystem::path Esempio =
    std::filesystem::path(ZELVO_SOURCE_DIR) / "examples" / "appoggio-appoggio.zlv";

struct Finestra {
    ModuloZelvo modulo;
    UnitMisura unita;
    RegistroMessaggi msg;
    ModelloForm form{modulo, unita, msg};
};

} // namespace

TEST(UnitaAffiancate, DueCalcoliConUnitaDiverse) {
    Finestra a, b;
    a.form.InizializzaForm();
    b.form.InizializzaForm();
    ASSERT_TRUE(a.form.ApriFileDati(Esempio.string()));
    ASSERT_TRUE(b.form.ApriFileDati(Esempio.string()));
    // b: millimetres, newtons and pascals with Italian separators; a keeps
    // the file's units and the English separators.
    b.unita.UnitaModello = {"mm", "Pa", "t", "N", "mm"};
    b.unita.separatori = {",", "."};
    b.form.ScriveDatiInForm();
    ASSERT_EQ(a.form.btnCalcola_Click(), EsitoCalcolo::Completato);
    ASSERT_EQ(b.form.btnCalcola_Click(), EsitoCalcolo::Completato);
    ASSERT_EQ(a.form.btnCalcola_Click(), EsitoCalcolo::Completato) << "a again, after b";
    EXPECT_TRUE(a.msg.elenco.empty());
    EXPECT_TRUE(b.msg.elenco.empty());

    // The same problem read back from differently shown fields: same results.
    EXPECT_EQ(a.modulo.Dati, b.modulo.Dati);
    EXPECT_EQ(a.modulo.Risultati.RA, b.modulo.Risultati.RA);
    EXPECT_EQ(a.modulo.Risultati.Mmax, b.modulo.Risultati.Mmax);
    EXPECT_EQ(a.modulo.Risultati.fmax, b.modulo.Risultati.fmax);

    // Each shows its own units: the span of a in its unit, b's in mm with a
    // comma decimal and a point for the thousands.
    const float luce = a.modulo.Dati.Luce;
    EXPECT_EQ(a.form.txtDati[0].testo, a.unita.Testo(Grandezza::Lunghezza, luce));
    EXPECT_EQ(b.form.txtDati[0].testo,
              FormatoLarghezza(Separatori{",", "."}, 4, 10, ASingolo(luce * 1000.0)));
    // E in the file's stress unit and in pascals.
    EXPECT_EQ(a.form.txtDati[1].testo, a.unita.Testo(Grandezza::Tensione, a.modulo.Dati.E));
    EXPECT_EQ(b.form.txtDati[1].testo,
              FormatoLarghezza(Separatori{",", "."}, 4, 10, a.modulo.Dati.E));
    EXPECT_NE(a.form.txtDati[1].testo, b.form.txtDati[1].testo);
}
