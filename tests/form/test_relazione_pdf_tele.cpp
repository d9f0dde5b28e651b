// The PDF report of the window ("Relazione PDF...") on the canvases the
// model is handed (recording ones). Second method: the same document printed
// on a recording printer of the same page size directly.
#include "form/modello_form.h"
#include "form/relazione_pdf.h"
#include "graphics/documento.h"
#include "graphics/superficie_registro.h"

#include <gtest/gtest.h>

using namespace zelvo;

namespace {

// A printer whose pages are one recording device, the size of the PDF page.
class StampanteRegistro : public StampantePagine {
  public:
    bool Inizia() override { return true; }
    Tela& Pagina() override { return tela; }
    void NuovaPagina() override { ++pagine; }
    bool Fine(Messaggi&) override { return true; }
    TelaRegistro tela{FabbricaRegistro::LarghezzaPdf, FabbricaRegistro::AltezzaPdf};
    int pagine = 1;
};

} // namespace

TEST(RelazionePdfTele, DocumentOnTheCanvasHandedInOrAMessageWithoutOne) {
    ModuloZelvo modulo;
    UnitMisura unita;
    RegistroMessaggi msg;
    ModelloForm f(modulo, unita, msg);
    f.InizializzaForm();
    ASSERT_TRUE(f.ApriFileDati(std::string(ZELVO_SOURCE_DIR) + "/examples/appoggio-appoggio.zlv"));
    ASSERT_EQ(f.btnCalcola_Click(), EsitoCalcolo::Completato);
    msg.Svuota();

    // None handed in: the message, no file.
    EXPECT_FALSE(f.FileRelazionePdf("/cartella/r.pdf"));
    ASSERT_EQ(msg.Testi(), std::vector<std::string>{TestoSenzaSuperfici});
    EXPECT_EQ(msg.elenco[0].icona, Icona::Critica);
    msg.Svuota();

    FabbricaRegistro fabbrica;
    f.Servizi.Superfici = &fabbrica;
    ASSERT_TRUE(f.FileRelazionePdf("/cartella/r.pdf"));
    EXPECT_TRUE(msg.elenco.empty());
    ASSERT_EQ(fabbrica.disegni.size(), 1u);
    const DisegnoRegistrato& d = *fabbrica.disegni[0];
    EXPECT_EQ(d.formato, "pdf");
    EXPECT_EQ(d.salvato, std::vector<std::string>{"/cartella/r.pdf"});

    StampanteRegistro diretta;
    ASSERT_TRUE(StampaDocumento(DocumentoRelazione(DatiRelazionePdfDaForm(f)), diretta, msg));
    EXPECT_EQ(d.pagine, diretta.pagine);
    ASSERT_EQ(d.tela.tratti.size(), diretta.tela.tratti.size());
    EXPECT_GT(d.tela.tratti.size(), 100u); // texts, tables and three diagrams
    for (size_t i = 0; i < d.tela.tratti.size(); ++i) {
        EXPECT_EQ(d.tela.tratti[i].tipo, diretta.tela.tratti[i].tipo) << i;
        EXPECT_EQ(d.tela.tratti[i].v, diretta.tela.tratti[i].v) << i;
        EXPECT_EQ(d.tela.tratti[i].testo, diretta.tela.tratti[i].testo) << i;
    }

    // A file that cannot be written: the message, false.
    fabbrica.salvaRiesce = false;
    EXPECT_FALSE(f.FileRelazionePdf("/cartella/r.pdf"));
    EXPECT_EQ(msg.Testi(),
              std::vector<std::string>{"Impossibile scrivere il file /cartella/r.pdf"});
}
