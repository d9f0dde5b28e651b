// Property record, section storage on the data file, and the materials file.
#include "section/property.h"

#include "io/file_atomico.h"
#include "io/generale.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

using namespace zelvo;

namespace {

std::string Scrivi(Property& p) {
    RegistroMessaggi msg;
    FlussoValori f = FlussoValori::PerScrivere(msg);
    p.LeggeScrive("S", f, UnitMisura{});
    EXPECT_TRUE(msg.elenco.empty());
    return f.Contenuto();
}

Property Leggi(const std::string& byte, const std::string& versione, RegistroMessaggi& msg) {
    FlussoValori f = FlussoValori::PerLeggere(byte, msg);
    Property q;
    q.LeggeScrive("L", f, UnitMisura{}, versione);
    return q;
}

Property Completa() {
    Property p;
    p.iProp = 70000;
    p.E = 2.1e11;
    p.nU = 0.3;
    p.Alfa = 1.2e-5;
    p.Density = 7850;
    p.NomeMat = "Steel";
    p.Area = 0.00285;
    p.Jota = 1.943e-5;
    p.NomeProp = "Trave 1";
    p.DidSezione = "IPE200 S235";
    p.SezioneNL = true;
    p.fyBeam = 235e6;
    p.My_pos = 10, p.My_neg = -10, p.Pyc = 100, p.Pyt = 100;
    p.MsuMy_posA = 0.1, p.MsuMy_negB = 0.2, p.PsuPycA = 0.3, p.PsuPycB = 0.4;
    p.YieldSrf = 2, p.xI = 1, p.xj = 2, p.yI = 3, p.yj = 4, p.Et = 5;
    return p;
}

} // namespace

TEST(Property, AndataERitornoSezioneTipizzata) {
    RegistroMessaggi msg;
    Property p = Completa();
    CampiEditorSezione c;
    c.TipoSelezionato = SezT;
    c.Righe = "2";
    c.Griglia = GrigliaTesto::DaRighe({{"1.0", "0.2"}, {"0.3", "0.6"}});
    ASSERT_TRUE(p.SezioneEd.FormLeggeDati(c, msg));
    p.SezioneEd.ScritturaSucc = false;
    ASSERT_TRUE(p.SezioneEd.DatiLeggeScrive("S"));
    p.SezioneEd.Wply = 0.0739, p.SezioneEd.Wplz = 0.07;
    const std::string byte = Scrivi(p);
    Property q = Leggi(byte, "5.4", msg);
    EXPECT_TRUE(msg.elenco.empty());
    EXPECT_EQ(q.iProp, 70000);
    EXPECT_EQ(q.E, p.E);
    EXPECT_EQ(q.Alfa, p.Alfa);
    EXPECT_EQ(q.NomeMat, "Steel");
    EXPECT_EQ(q.NomeProp, "Trave 1");
    EXPECT_EQ(q.DidSezione, "IPE200 S235");
    EXPECT_TRUE(q.SezioneConEdit);
    EXPECT_EQ(q.SezioneEd.Wply, 0.0739);
    EXPECT_EQ(q.YieldSrf, 2);
    EXPECT_EQ(q.PsuPycB, 0.4);
    EXPECT_EQ(q.Et, 5);
    // The typed section comes back and rebuilds to the same outline.
    q.SezioneEd.UnitaLunghezza = "m";
    q.SezioneEd.LetturaSucc = false;
    ASSERT_TRUE(q.SezioneEd.DatiLeggeScrive("L"));
    ASSERT_TRUE(q.SezioneEd.FormLeggeDatiContinua(msg));
    EXPECT_EQ(q.SezioneEd.TipoSezione, SezT);
    EXPECT_EQ(q.SezioneEd.Contorno.Area, p.SezioneEd.Contorno.Area);
    EXPECT_EQ(q.SezioneEd.Contorno.jota_xG, p.SezioneEd.Contorno.jota_xG);
    // Written again, the same bytes.
    EXPECT_EQ(Scrivi(q), byte);
}

TEST(Property, ProfiloEVersione50) {
    RegistroMessaggi msg;
    Property p = Completa();
    p.SezioneConEdit = false;
    p.tipo = 1;
    p.Et = 7, p.BuckCode = 3, p.Syc = 1e6, p.Syt = 2e6;
    auto& s = p.SezionePr;
    s.TipoProfilo = "SezioneProfiloU";
    s.h = 0.2f, s.b = 0.075f, s.tw = 0.0085f, s.tf = 0.0115f, s.bAlaInf = 0.075f,
    s.tAlaInf = 0.0115f;
    s.Jy = 1.911e-5f, s.Jz = 1.478e-6f, s.Wply = 2.2e-4, s.Wplz = 4.5e-5, s.fySteelTMP = 355e6;
    s.SezioneProfiliRuotata = true, s.Doppi = true, s.dDoppi = 0.01f, s.DoppiCorto = true;
    const std::string byte = Scrivi(p);
    Property q = Leggi(byte, "5.4", msg);
    EXPECT_TRUE(msg.elenco.empty());
    EXPECT_FALSE(q.SezioneConEdit);
    EXPECT_EQ(q.SezionePr.TipoProfilo, "SezioneProfiloU");
    EXPECT_EQ(q.SezionePr.h, 0.2f);
    EXPECT_EQ(q.SezionePr.Jy, 1.911e-5f);
    EXPECT_EQ(q.SezionePr.Wplz, 4.5e-5);
    EXPECT_EQ(q.SezionePr.fySteelTMP, 355e6);
    EXPECT_TRUE(q.SezionePr.SezioneProfiliRuotata);
    EXPECT_TRUE(q.SezionePr.Doppi);
    EXPECT_EQ(q.SezionePr.dDoppi, 0.01f);
    EXPECT_EQ(q.BuckCode, 3);
    EXPECT_EQ(q.Syt, 2e6);
    EXPECT_EQ(Scrivi(q), byte);

    // A version "5.0" file has no pairing line: the record reads without it
    // and the pairing keeps its values.
    Property v = p;
    v.SezionePr.Doppi = false;
    std::string senza;
    {
        // Drop the pairing line (the fifth line of the profile, the one after
        // the repeated plastic moduli).
        std::vector<std::string> righe;
        size_t a = 0, b;
        while ((b = byte.find("\r\n", a)) != std::string::npos) {
            righe.push_back(byte.substr(a, b - a));
            a = b + 2;
        }
        ASSERT_EQ(righe[5], "#TRUE#,0.01,#TRUE#");
        for (size_t i = 0; i < righe.size(); ++i)
            if (i != 5) senza += righe[i] + "\r\n";
    }
    FlussoValori f = FlussoValori::PerLeggere(senza, msg);
    Property r;
    r.SezionePr.Doppi = false;
    r.LeggeScrive("L", f, UnitMisura{}, "5.0");
    EXPECT_TRUE(msg.elenco.empty());
    EXPECT_EQ(r.SezionePr.TipoProfilo, "SezioneProfiloU");
    EXPECT_FALSE(r.SezionePr.Doppi); // a fresh profile: not paired
    EXPECT_EQ(r.Syt, 2e6);
}

TEST(Property, SenzaBloccoNonLineare) {
    RegistroMessaggi msg;
    Property p = Completa();
    p.SezioneNL = false;
    const std::string byte = Scrivi(p);
    Property q = Leggi(byte + "42\r\n", "5.4", msg);
    EXPECT_EQ(q.My_pos, 0);
    // A short file: the stream's message, then the failure reaches the caller.
    const std::string corto = byte.substr(0, byte.size() / 2);
    FlussoValori f = FlussoValori::PerLeggere(corto, msg);
    Property r;
    EXPECT_THROW(r.LeggeScrive("L", f, UnitMisura{}), ErroreFile);
    EXPECT_EQ(msg.Testi(), std::vector<std::string>{"Lettura incompleta del file"});
}

TEST(Property, DatiErrati) {
    RegistroMessaggi msg;
    Property p;
    p.iProp = 3;
    EXPECT_TRUE(p.DatiErrati(msg));
    EXPECT_EQ(msg.Testi(), std::vector<std::string>{
                               "Area <=0\r\nInertia <=0\r\nYoung Modulus <=0\r\n in Property 3"});
    EXPECT_EQ(msg.elenco[0].icona, Icona::Critica);
    msg.Svuota();
    p.tipo = 1;
    p.Area = 1, p.E = 1;
    EXPECT_FALSE(p.DatiErrati(msg));
    EXPECT_TRUE(msg.elenco.empty());
}

TEST(Property, DatiNonLinearErrati) {
    RegistroMessaggi msg;
    Property p;
    p.My_pos = 10, p.My_neg = -10, p.Pyc = 100, p.Pyt = 100, p.YieldSrf = 1;
    std::string m;
    EXPECT_FALSE(p.DatiNonLinearErrati(m, msg));
    p.YieldSrf = 2;
    p.MsuMy_posA = 1, p.MsuMy_negB = 1, p.PsuPycB = 1;
    EXPECT_TRUE(p.DatiNonLinearErrati(m, msg));
    EXPECT_EQ(m, "Zero value in interaction diagram.");
    p.PsuPycA = -1;
    EXPECT_TRUE(p.DatiNonLinearErrati(m, msg));
    EXPECT_EQ(m, "Incorrect signs in interaction diagram.");
    p.My_neg = 5;
    EXPECT_TRUE(p.DatiNonLinearErrati(m, msg));
    EXPECT_EQ(m, "Incorrect traction and/or compression signs.");
    Property t;
    t.tipo = 1;
    t.iProp = 4;
    t.Syc = -1, t.Syt = 0;
    EXPECT_TRUE(t.DatiNonLinearErrati(m, msg));
    EXPECT_EQ(m, "Incorrect traction and/or compression signs.");
    EXPECT_EQ(msg.Testi(), std::vector<std::string>{
                               "Warning: no traction or compression resistance in property 4"});
}

TEST(Property, CalcolaMy) {
    Property p;
    p.fyBeam = 235e6;
    p.SezionePr.Wply = 2e-4, p.SezionePr.Wplz = 4e-5;
    p.CalcolaMy();
    EXPECT_DOUBLE_EQ(p.My_pos, 47000);
    EXPECT_DOUBLE_EQ(p.My_neg, -47000);
    p.SezionePr.SezioneProfiliRuotata = true;
    p.CalcolaMy();
    EXPECT_DOUBLE_EQ(p.My_pos, 9400);
    // a pair of profiles: twice the plastic modulus of one
    p.SezionePr.Doppi = true;
    p.CalcolaMy();
    EXPECT_DOUBLE_EQ(p.My_pos, 18800);
    p.SezionePr.Doppi = false;
    p.CalcolaMy();
    // Moduli and yield stress read from a damaged file whose product
    // overflows: My stays as it was (never an infinity, which no file holds).
    p.SezionePr.Wplz = 1e300, p.fyBeam = 1e10;
    EXPECT_FALSE(p.CalcolaMy());
    EXPECT_DOUBLE_EQ(p.My_pos, 9400);
    EXPECT_DOUBLE_EQ(p.My_neg, -9400);
}

// ---------------------------------------------------------------------------

class Materiali : public ::testing::Test {
  protected:
    void SetUp() override {
        cartella = std::filesystem::temp_directory_path() /
                   ("zelvo_materiali_" + std::to_string(::getpid()));
        std::filesystem::remove_all(cartella);
        std::filesystem::create_directories(cartella);
        percorso = cartella / "VantrexMateriali.txt";
        u.UnitaDefault(); // modulus shown in MPa
    }
    void TearDown() override {
        SimulaDiscoPieno(std::nullopt);
        std::filesystem::remove_all(cartella);
    }
    std::filesystem::path cartella, percorso;
    UnitMisura u;
};

TEST_F(Materiali, DefaultSalvaRileggi) {
    RegistroMessaggi msg;
    TabellaMateriali t;
    EXPECT_FALSE(FileMaterialiLeggeScrive(t, "L", msg, u, percorso));
    const std::string pieno = std::filesystem::absolute(percorso).string();
    EXPECT_EQ(msg.Testi(),
              std::vector<std::string>{"File " + pieno +
                                       " non trovato. Vengono inseriti i materiali di default"});
    ASSERT_EQ(t.Righe(), 12);
    EXPECT_EQ(t.Griglia.Testo(1, 1), "Steel");
    EXPECT_EQ(t.Griglia.Testo(5, 1), "Concrete C28/35");
    EXPECT_EQ(t.Griglia.Testo(11, 1), "Wood (Spruce)");
    msg.Svuota();
    t.Griglia.ImpostaTesto(2, 1, "Alluminio 6061");
    ASSERT_TRUE(FileMaterialiLeggeScrive(t, "S", msg, u, percorso));
    EXPECT_EQ(msg.Testi(), std::vector<std::string>{
                               "I dati dei materiali sono stati salvati nel file " + pieno});
    // The modulus is stored in N/m² whatever the display unit.
    auto byte = LeggiFile(percorso);
    ASSERT_TRUE(byte);
    EXPECT_NE(byte->find("\"Steel\"\r\n2.1E+11,"), std::string::npos) << *byte;
    msg.Svuota();
    TabellaMateriali r;
    ASSERT_TRUE(FileMaterialiLeggeScrive(r, "L", msg, u, percorso));
    EXPECT_TRUE(msg.elenco.empty());
    ASSERT_EQ(r.Righe(), 12);
    EXPECT_EQ(r.Griglia.Testo(2, 1), "Alluminio 6061");
    EXPECT_EQ(r.Griglia.Testo(1, 2), t.Griglia.Testo(1, 2));
}

TEST_F(Materiali, ScritturaFallitaConservaLaGriglia) {
    RegistroMessaggi msg;
    TabellaMateriali t;
    t.Default(u);
    ASSERT_TRUE(FileMaterialiLeggeScrive(t, "S", msg, u, percorso));
    const auto prima = LeggiFile(percorso);
    t.Griglia.ImpostaTesto(1, 1, "Acciaio mio");
    msg.Svuota();
    SimulaDiscoPieno(20);
    EXPECT_FALSE(FileMaterialiLeggeScrive(t, "S", msg, u, percorso));
    const std::string pieno = std::filesystem::absolute(percorso).string();
    EXPECT_EQ(msg.Testi(), std::vector<std::string>{"Impossibile salvare il file " + pieno +
                                                    ". I materiali non sono stati salvati."});
    EXPECT_EQ(t.Griglia.Testo(1, 1), "Acciaio mio"); // the user's grid is kept
    EXPECT_EQ(LeggiFile(percorso), prima);           // the old file is intact
}

TEST_F(Materiali, UltimaRiga) {
    RegistroMessaggi msg;
    TabellaMateriali t;
    t.Default(u);
    while (t.Righe() > 2)
        ASSERT_TRUE(t.EliminaRiga(1, msg));
    EXPECT_FALSE(t.EliminaRiga(1, msg));
    EXPECT_EQ(t.Righe(), 2);
    EXPECT_EQ(msg.Testi(), std::vector<std::string>{"Impossibile rimuovere l'ultima riga"});
}
