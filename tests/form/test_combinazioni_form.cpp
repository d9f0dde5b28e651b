// The load cases dialog and the load tables' "Caso" column, headless.
#include "../comune/problemi.h"
#include "finestra_prova.h"
#include "form/combinazioni_form.h"
#include "section/property.h"

#include <gtest/gtest.h>

namespace zelvo {
namespace {

// A simply supported beam with one trapezoid, one force and one couple,
// typed and shown with Italian separators.
struct Casi_ : TraveProva {
    std::unique_ptr<FinestraCombinazioni> w;
    void SetUp() override {
        TraveProva::SetUp();
        unita.separatori = SeparatoriDa(",", ".");
        DatiTrave d = prova::Base(AppoggioAppoggio, "casi");
        prova::Trapezio(d, 3000, 3000, 0, 6);
        prova::Forza(d, 10000, 2);
        prova::Coppia(d, 5000, 4);
        modulo.Dati = d;
        f->ScriveDatiInForm();
        Nuova();
    }
    void Nuova() {
        w = std::make_unique<FinestraCombinazioni>(*f, msg);
        w->Apri();
        msg.Svuota();
    }
    // G1, G2 and Q1 (category A).
    void TreCasi() {
        for (int i = 0; i < 3; ++i)
            w->AggiungiCaso();
    }
    std::string Psi(int r, int k) { return w->Casi[size_t(r)].psi[size_t(k)].testo; }
};

TEST_F(Casi_, SenzaCasiLeTabelleRestanoComePrima) {
    EXPECT_TRUE(w->Casi.empty());
    EXPECT_EQ(f->FlexGrid[0].Colonne(), 5);
    EXPECT_EQ(f->FlexGrid[1].Colonne(), 3);
    EXPECT_EQ(f->FlexGrid[2].Colonne(), 3);
    // the default factors are the NTC ones, shown with the decimal comma
    EXPECT_EQ(w->txtGamma[G1Sfav].testo, "1,3");
    EXPECT_EQ(w->txtGamma[G2Fav].testo, "0,8");
    EXPECT_EQ(w->txtGamma[QFav].testo, "0");
    EXPECT_EQ(w->Preset, PresetFreccia::SolaiGenerali);
    EXPECT_EQ(w->txtLimiti[0].testo, "250");
    EXPECT_EQ(w->txtLimiti[1].testo, "300");
    // OK without changes keeps the problem as it was, byte for byte
    const DatiTrave prima = modulo.Dati;
    EXPECT_TRUE(w->OK());
    EXPECT_EQ(modulo.Dati, prima);
    EXPECT_EQ(f->FlexGrid[0].Colonne(), 5);
}

// NTC 2018 Table 2.5.I: A (residential) 0.7 / 0.5 / 0.3; C (crowded) 0.7 /
// 0.7 / 0.6; wind 0.6 / 0.2 / 0; snow at or below 1000 m 0.5 / 0.2 / 0.
TEST_F(Casi_, NomiTipiEPsiDellaCategoria) {
    TreCasi();
    w->AggiungiCaso();
    ASSERT_EQ(w->Casi.size(), 4u);
    EXPECT_EQ(w->Casi[0].Nome, "G1");
    EXPECT_EQ(w->Casi[0].Tipo, TipoCaso::G1);
    EXPECT_EQ(w->Casi[1].Nome, "G2");
    EXPECT_EQ(w->Casi[1].Tipo, TipoCaso::G2);
    EXPECT_EQ(w->Casi[2].Nome, "Q1");
    EXPECT_EQ(w->Casi[3].Nome, "Q2");
    EXPECT_EQ(w->Casi[3].Tipo, TipoCaso::Q);
    EXPECT_EQ(Psi(2, 0), "0,7");
    EXPECT_EQ(Psi(2, 1), "0,5");
    EXPECT_EQ(Psi(2, 2), "0,3");
    EXPECT_EQ(Psi(0, 0), ""); // a permanent case has no ψ
    w->ImpostaCategoria(2, CategoriaQ::C);
    EXPECT_EQ(Psi(2, 1), "0,7");
    EXPECT_EQ(Psi(2, 2), "0,6");
    w->ImpostaCategoria(3, CategoriaQ::Vento);
    EXPECT_EQ(Psi(3, 0), "0,6");
    EXPECT_EQ(Psi(3, 2), "0");
    w->ImpostaCategoria(3, CategoriaQ::NeveSotto1000);
    EXPECT_EQ(Psi(3, 0), "0,5");
    EXPECT_EQ(Psi(3, 1), "0,2");
    ASSERT_TRUE(w->OK());
    const auto& c = modulo.Dati.Casi;
    ASSERT_EQ(c.size(), 4u);
    EXPECT_EQ(c[2].Categoria, CategoriaQ::C);
    EXPECT_DOUBLE_EQ(c[2].psi0, 0.7);
    EXPECT_DOUBLE_EQ(c[2].psi2, 0.6);
    EXPECT_DOUBLE_EQ(c[3].psi0, 0.5);
    EXPECT_DOUBLE_EQ(c[3].psi1, 0.2);
    EXPECT_EQ(c[0].psi0, 0); // nothing kept for a permanent case
}

// The tabulated ψ cannot be typed; I, K and Personalizzata are typed, and
// checked to lie in [0, 1].
TEST_F(Casi_, PsiBloccatiSalvoICKEPersonalizzata) {
    TreCasi();
    EXPECT_FALSE(w->PsiModificabili(0));
    EXPECT_FALSE(w->PsiModificabili(2));
    w->EditaPsi(2, 0, "0,1");
    EXPECT_EQ(Psi(2, 0), "0,7");
    for (CategoriaQ c : {CategoriaQ::I, CategoriaQ::K, CategoriaQ::Personalizzata}) {
        w->ImpostaCategoria(2, c);
        EXPECT_TRUE(w->PsiModificabili(2));
    }
    w->EditaPsi(2, 0, "0,8");
    w->EditaPsi(2, 1, "1,2");
    w->EditaPsi(2, 2, "0,25");
    EXPECT_FALSE(w->OK());
    EXPECT_EQ(msg.Testi(), std::vector<std::string>{"ψ1 del Caso N° 3 \"Q1\": il valore deve "
                                                    "essere compreso tra 0 e 1."});
    EXPECT_TRUE(modulo.Dati.Casi.empty()); // nothing written
    msg.Svuota();
    w->EditaPsi(2, 1, "0,6");
    ASSERT_TRUE(w->OK());
    EXPECT_DOUBLE_EQ(modulo.Dati.Casi[2].psi0, 0.8);
    EXPECT_DOUBLE_EQ(modulo.Dati.Casi[2].psi1, 0.6);
    EXPECT_DOUBLE_EQ(modulo.Dati.Casi[2].psi2, 0.25);
    EXPECT_EQ(modulo.Dati.Casi[2].Categoria, CategoriaQ::Personalizzata);
    // opened again, the typed ψ are there
    Nuova();
    EXPECT_EQ(Psi(2, 2), "0,25");
    EXPECT_TRUE(w->PsiModificabili(2));
}

TEST_F(Casi_, CampiRifiutatiConIlLoroMessaggio) {
    TreCasi();
    struct Caso {
        std::function<void()> modifica;
        std::string testo;
    };
    const Caso casi[] = {
        {[&] { w->txtGamma[QSfav].Edita("-1,5"); },
         "γQ sfavorevole: il coefficiente non può essere negativo."},
        {[&] { w->EditaLimite(1, "0"); },
         "Limite della freccia dei carichi variabili (L/…): il valore deve essere maggiore di "
         "0."},
        {[&] { w->ImpostaNome(1, " "); }, "Caso N° 2: il nome non può essere vuoto."},
        {[&] { w->ImpostaNome(2, "G1"); }, "Caso N° 3: il nome \"G1\" è già usato dal caso N° 1."},
        {[&] {
             w->chkPesoProprio = true;
             w->txtPesoProprio.Edita("0");
         },
         "Peso proprio: il valore deve essere maggiore di 0."},
    };
    for (const Caso& c : casi) {
        Nuova();
        TreCasi();
        c.modifica();
        EXPECT_FALSE(w->OK());
        EXPECT_EQ(msg.Testi(), std::vector<std::string>{c.testo});
        EXPECT_TRUE(modulo.Dati.Casi.empty());
    }
    // a number typed with the point under Italian settings is not a number
    Nuova();
    w->txtGamma[G1Sfav].Edita("1.35");
    EXPECT_FALSE(w->OK());
    ASSERT_EQ(msg.elenco.size(), 1u);
    EXPECT_EQ(msg.elenco[0].testo.rfind("γG1 sfavorevole", 0), 0u) << msg.elenco[0].testo;
    EXPECT_NE(msg.elenco[0].testo.find("1.35"), std::string::npos);
    EXPECT_EQ(modulo.Dati.Coefficienti, CoefficientiParziali{});
}

// NTC 2018 Table 2.6.I (STR): γG1 1.3 / 1.0, γG2 1.5 / 0.8, γQ 1.5 / 0;
// EN 1990 (6.10): γG 1.35 / 1.0, γQ 1.5 / 0.
TEST_F(Casi_, PresetDeiCoefficienti) {
    w->PresetEN1990();
    const char* en[6] = {"1,35", "1", "1,35", "1", "1,5", "0"};
    for (int k = 0; k < 6; ++k)
        EXPECT_EQ(w->txtGamma[size_t(k)].testo, en[k]) << k;
    ASSERT_TRUE(w->OK());
    EXPECT_DOUBLE_EQ(modulo.Dati.Coefficienti.gG2[0], 1.35);
    EXPECT_DOUBLE_EQ(modulo.Dati.Coefficienti.gG2[1], 1.0);
    Nuova();
    EXPECT_EQ(w->txtGamma[G2Sfav].testo, "1,35");
    w->PresetNTC2018();
    const char* ntc[6] = {"1,3", "1", "1,5", "0,8", "1,5", "0"};
    for (int k = 0; k < 6; ++k)
        EXPECT_EQ(w->txtGamma[size_t(k)].testo, ntc[k]) << k;
    w->txtGamma[G1Sfav].Edita("1,4");
    ASSERT_TRUE(w->OK());
    EXPECT_DOUBLE_EQ(modulo.Dati.Coefficienti.gG1[0], 1.4);
    EXPECT_DOUBLE_EQ(modulo.Dati.Coefficienti.gG2[1], 0.8);
}

// Circolare 2019 C4.1.2.2.2: roofs L/200 and L/250; floors carrying columns
// L/400 and L/500.
TEST_F(Casi_, PresetDeiLimitiEPersonalizzato) {
    w->ScegliPreset(PresetFreccia::Coperture);
    EXPECT_EQ(w->txtLimiti[0].testo, "200");
    EXPECT_EQ(w->txtLimiti[1].testo, "250");
    w->ScegliPreset(PresetFreccia::SolaiPilastri);
    EXPECT_EQ(w->txtLimiti[0].testo, "400");
    EXPECT_EQ(w->txtLimiti[1].testo, "500");
    w->EditaLimite(0, "350");
    EXPECT_EQ(w->Preset, PresetFreccia::Personalizzato);
    ASSERT_TRUE(w->OK());
    EXPECT_EQ(modulo.Dati.Limiti.Totale, 350);
    EXPECT_EQ(modulo.Dati.Limiti.Variabili, 500);
    Nuova();
    EXPECT_EQ(w->Preset, PresetFreccia::Personalizzato);
    w->ScegliPreset(PresetFreccia::Coperture);
    ASSERT_TRUE(w->OK());
    Nuova();
    EXPECT_EQ(w->Preset, PresetFreccia::Coperture); // recognised again
}

TEST_F(Casi_, SenzaOKNullaCambia) {
    TreCasi();
    w->PresetEN1990();
    w->ScegliPreset(PresetFreccia::Coperture);
    w->chkPesoProprio = true;
    w->txtPesoProprio.Edita("2");
    const DatiTrave prima = modulo.Dati;
    w.reset(); // "Annulla" or the close box
    EXPECT_EQ(modulo.Dati, prima);
    EXPECT_EQ(f->FlexGrid[0].Colonne(), 5);
}

// IPE 200: A = 28.5 cm², steel ρ = 7850 kg/m³: q = A·ρ·g =
// 28.5e-4 · 7850 · 9.80665 = 219.3993 N/m = 0.2194 kN/m.
TEST_F(Casi_, PesoProprioDallaSezione) {
    EXPECT_FALSE(w->SezioneDisponibile());
    EXPECT_EQ(w->TestoSezione(), "");
    f->SezioneProgetto.Prop = std::make_unique<Property>();
    f->SezioneProgetto.Prop->Area = 28.5e-4;
    f->SezioneProgetto.Prop->Density = 7850;
    Nuova();
    EXPECT_TRUE(w->SezioneDisponibile());
    EXPECT_EQ(w->TestoSezione(), "A = 28,50 cm², ρ = 7.850 kg/m³");
    TreCasi();
    w->PesoDallaSezione();
    EXPECT_TRUE(w->chkPesoProprio);
    EXPECT_EQ(w->lblPesoProprio, "kN/m");
    EXPECT_NEAR(Num(w->txtPesoProprio.testo), 0.219399277, 1e-8);
    ASSERT_TRUE(w->OK());
    EXPECT_TRUE(modulo.Dati.PesoProprio);
    EXPECT_NEAR(modulo.Dati.PesoProprioQ, 219.399277, 1e-5);
    EXPECT_EQ(TestoPesoProprio(*f),
              "Peso proprio: q = 0,2194 kN/m su tutta la trave, caso 1 \"G1\"");
    // typed instead, in the load unit
    Nuova();
    w->txtPesoProprio.Edita("0,5");
    ASSERT_TRUE(w->OK());
    EXPECT_DOUBLE_EQ(modulo.Dati.PesoProprioQ, 500);
    // without any case the self-weight has no case to belong to
    Nuova();
    for (int r = 2; r >= 0; --r)
        EXPECT_TRUE(w->RimuoviCaso(r));
    EXPECT_FALSE(w->OK());
    EXPECT_EQ(msg.Testi(), std::vector<std::string>{"Il peso proprio è un carico permanente: "
                                                    "aggiungere almeno un caso di carico."});
}

// With cases every load table ends with "Caso", the case's number; a case
// still used cannot go, the numbers follow the cases that stay, and the
// last case gone returns the tables to what they were.
TEST_F(Casi_, ColonnaCasoEdEliminazione) {
    TreCasi();
    ASSERT_TRUE(w->OK());
    ASSERT_EQ(f->FlexGrid[0].Colonne(), 6);
    EXPECT_EQ(f->FlexGrid[0].Testo(0, 5), "Caso");
    EXPECT_EQ(f->FlexGrid[1].Testo(0, 3), "Caso");
    EXPECT_EQ(f->FlexGrid[0].Testo(1, 5), "1");                        // the loads start in case 1
    EXPECT_EQ(f->FlexGrid[0].Testo(1, 1), f->FlexGrid[0].Testo(1, 1)); // cells kept
    EXPECT_NEAR(Num(f->FlexGrid[0].Testo(1, 1)), 3, 1e-9);
    // the force goes to case 3 (Q1), the couple to case 2 (G2)
    f->FlexGrid[1].ImpostaTesto(1, 3, "3");
    f->FlexGrid[2].ImpostaTesto(1, 3, "2");
    ASSERT_TRUE(f->LeggeDati());
    EXPECT_EQ(modulo.Dati.CarichiTrapezi(1).Caso, 0);
    EXPECT_EQ(modulo.Dati.CarichiConcentrati(1).Caso, 2);
    EXPECT_EQ(modulo.Dati.Coppie(1).Caso, 1);
    EXPECT_FLOAT_EQ(modulo.Dati.CarichiConcentrati(1).F, 10000);

    Nuova();
    EXPECT_EQ(w->RigheDelCaso(2), 1);
    EXPECT_FALSE(w->RimuoviCaso(2));
    EXPECT_EQ(msg.Testi(), std::vector<std::string>{"Il caso \"Q1\" è assegnato a 1 riga di "
                                                    "carico: assegnarle a un altro caso prima di "
                                                    "eliminarlo."});
    // G2 goes once its couple is moved to Q1: Q1 becomes case 2
    f->FlexGrid[2].ImpostaTesto(1, 3, "3");
    EXPECT_TRUE(w->RimuoviCaso(1));
    ASSERT_TRUE(w->OK());
    ASSERT_EQ(modulo.Dati.Casi.size(), 2u);
    EXPECT_EQ(modulo.Dati.Casi[1].Nome, "Q1");
    EXPECT_EQ(f->FlexGrid[1].Testo(1, 3), "2");
    EXPECT_EQ(f->FlexGrid[2].Testo(1, 3), "2");
    EXPECT_EQ(f->FlexGrid[0].Testo(1, 5), "1");
    ASSERT_TRUE(f->LeggeDati());
    EXPECT_EQ(modulo.Dati.CarichiConcentrati(1).Caso, 1);

    // every case removed: the loads stay, the column goes
    Nuova();
    EXPECT_FALSE(w->RimuoviCaso(0)); // G1 still holds the trapezoid
    f->FlexGrid[0].ImpostaTesto(1, 5, "2");
    EXPECT_TRUE(w->RimuoviCaso(0));
    EXPECT_TRUE(w->RimuoviCaso(0)); // the last case may go with its loads
    ASSERT_TRUE(w->OK());
    EXPECT_TRUE(modulo.Dati.Casi.empty());
    EXPECT_EQ(f->FlexGrid[0].Colonne(), 5);
    EXPECT_EQ(f->FlexGrid[1].Colonne(), 3);
    ASSERT_TRUE(f->LeggeDati());
    EXPECT_EQ(modulo.Dati.CarichiConcentrati(1).Caso, 0);
    EXPECT_FLOAT_EQ(modulo.Dati.CarichiTrapezi(1).q1, 3000);
}

// A problem opened with cases shows each load's case; reading the tables
// gives them back; a case number out of range is refused naming the cell.
TEST_F(Casi_, ColonnaCasoAndataERitorno) {
    DatiTrave d = modulo.Dati;
    d.Casi = {{"G1", TipoCaso::G1}, {"G2", TipoCaso::G2}, {"Q1", TipoCaso::Q}};
    d.CarichiTrapezi(1).Caso = 1;
    d.CarichiConcentrati(1).Caso = 2;
    prova::Forza(d, 2000, 5);
    d.CarichiConcentrati(2).Caso = 0;
    modulo.Dati = d;
    f->ScriveDatiInForm();
    EXPECT_EQ(f->FlexGrid[0].Testo(1, 5), "2");
    EXPECT_EQ(f->FlexGrid[1].Testo(1, 3), "3");
    EXPECT_EQ(f->FlexGrid[1].Testo(2, 3), "1");
    EXPECT_EQ(f->FlexGrid[2].Testo(1, 3), "1");
    ASSERT_TRUE(f->LeggeDati());
    EXPECT_EQ(modulo.Dati, d);
    // a grown table keeps the column
    f->txtRigheGriglia[1].Edita("3");
    f->txtRigheGriglia_Invio(1);
    EXPECT_EQ(f->FlexGrid[1].Colonne(), 4);
    EXPECT_EQ(f->FlexGrid[1].Testo(2, 3), "1");
    EXPECT_EQ(f->FlexGrid[1].Testo(3, 3), "1"); // a new load starts in the first case
    f->txtRigheGriglia[1].Edita("2");
    f->txtRigheGriglia_Invio(1);
    msg.Svuota();
    f->FlexGrid[1].ImpostaTesto(2, 3, "4");
    EXPECT_NE(f->btnCalcola_Click(), EsitoCalcolo::Completato);
    ASSERT_EQ(msg.elenco.size(), 1u);
    EXPECT_EQ(msg.elenco[0].testo.substr(0, 22), "Errore in LeggeGriglia");
    EXPECT_NE(msg.elenco[0].testo.find(
                  "riga 2, colonna Caso: il caso deve essere un numero intero da 1 a 3."),
              std::string::npos)
        << msg.elenco[0].testo;
    EXPECT_EQ(f->fuoco, (Fuoco{TipoControllo::FlexGrid, 1}));
}

} // namespace
} // namespace zelvo
