// A data file with a section-property record reads back to the same record.
#include "form/file_progetto.h"

#include <gtest/gtest.h>

using namespace zelvo;

namespace {
std::string Scrivi(DatiTrave& d, RecordProperty& rec) {
    RegistroMessaggi msg;
    FlussoValori f = FlussoValori::PerScrivere(msg);
    int16_t ns = 100;
    UnitMisura u;
    std::string v = "5.4";
    FileLeggeScrive(f, "S", ProgettoFile{d, ns, u, v, &rec});
    EXPECT_TRUE(msg.elenco.empty());
    return f.Contenuto();
}
} // namespace

TEST(FileProgetto, RecordTipizzatoEProfilo) {
    for (bool profilo : {false, true}) {
        DatiTrave d;
        d.Luce = 5;
        zelvo::RecordProperty rec;
        rec.Prop = std::make_unique<Property>();
        Property& p = *rec.Prop;
        p.E = 2.1e11, p.Area = 0.15, p.Jota = 0.003125, p.NomeMat = "Steel";
        RegistroMessaggi msg;
        if (profilo) {
            p.SezioneConEdit = false;
            p.SezionePr.TipoProfilo = "SezioneDoppioT";
            p.SezionePr.h = 0.2f, p.SezionePr.Wply = 2.2e-4;
        } else {
            CampiEditorSezione c;
            c.TipoSelezionato = SezRettangolo;
            c.Griglia = {{"0.3", "0.5"}};
            ASSERT_TRUE(p.SezioneEd.FormLeggeDati(c, msg));
            p.SezioneEd.ScritturaSucc = false;
            ASSERT_TRUE(p.SezioneEd.DatiLeggeScrive("S"));
        }
        const std::string byte = Scrivi(d, rec);
        FlussoValori f = FlussoValori::PerLeggere(byte, msg);
        DatiTrave d2;
        int16_t ns = 0;
        UnitMisura u;
        std::string v;
        zelvo::RecordProperty letto;
        letto.Versione = &v;
        EXPECT_EQ(FileLeggeScrive(f, "L", ProgettoFile{d2, ns, u, v, &letto}),
                  EsitoProgetto::Completo);
        EXPECT_TRUE(msg.elenco.empty());
        ASSERT_TRUE(letto.Prop);
        EXPECT_EQ(letto.Prop->SezioneConEdit, !profilo);
        EXPECT_EQ(letto.Prop->Jota, 0.003125);
        if (profilo) {
            EXPECT_EQ(letto.Prop->SezionePr.Wply, 2.2e-4);
        } else {
            EXPECT_EQ(letto.Prop->SezioneEd.CollEdit.size(), p.SezioneEd.CollEdit.size());
        }
        EXPECT_EQ(Scrivi(d2, letto), byte);
    }
    // Without a record the presence is 0 and reads back as no record.
    DatiTrave d;
    zelvo::RecordProperty vuoto;
    const std::string byte = Scrivi(d, vuoto);
    RegistroMessaggi msg;
    FlussoValori f = FlussoValori::PerLeggere(byte, msg);
    int16_t ns = 0;
    UnitMisura u;
    std::string v;
    zelvo::RecordProperty letto;
    letto.Prop = std::make_unique<Property>();
    FileLeggeScrive(f, "L", ProgettoFile{d, ns, u, v, &letto});
    EXPECT_FALSE(letto.Prop);
}
