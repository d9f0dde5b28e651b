// Property record, section storage on the data file, and the materials file.
#include "section/property.h"

#include "io/file_atomico.h"
#include "io/generale.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>

using namespace zelvo;

namespace {

std::string Scrivi(Property& p) {
    RegistroMessaggi msg;
    FlussoValori f = FlussoValori::PerScrivere(msg);
    p.LeggeScrive(Verso::Scrivi, f, UnitMisura{});
    EXPECT_TRUE(msg.elenco.empty());
    return f.Contenuto();
}

Property Leggi(const std::string& byte, const std::string& versione, RegistroMessaggi& msg) {
    FlussoValori f = FlussoValori::PerLeggere(byte, msg);
    Property q;
    q.LeggeScrive(Verso::Leggi, f, UnitMisura{}, versione);
    return q;
}

Property Completa() {
    Property p;
    p.iProp = 70000;
    p.E = 2.1e11, p.nU = 0.3, p.Alfa = 1.2e-5, p.Density = 7850;
    p.NomeMat = "Steel", p.NomeProp = "Trave 1", p.DidSezione = "IPE200 S235";
    p.Area = 0.00285, p.Jota = 1.943e-5;
    p.SezioneNL = true;
    p.fyBeam = 235e6;
    p.My_pos = 10, p.My_neg = -10, p.Pyc = 100, p.Pyt = 100;
    p.MsuMy_posA = 0.1, p.MsuMy_negB = 0.2, p.PsuPycA = 0.3, p.PsuPycB = 0.4;
    p.YieldSrf = 2, p.xI = 1, p.xj = 2, p.yI = 3, p.yj = 4, p.Et = 5;
    return p;
}

// Written, read back without a message, written again: the same bytes (a
// field lost or misplaced on reading shows as a difference).
Property AndataERitorno(const Property& p) {
    RegistroMessaggi msg;
    Property c = p;
    const std::string byte = Scrivi(c);
    Property q = Leggi(byte, "5.4", msg);
    EXPECT_TRUE(msg.elenco.empty());
    EXPECT_EQ(Scrivi(q), byte);
    return q;
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
    ASSERT_TRUE(p.SezioneEd.DatiLeggeScrive(Verso::Scrivi));
    p.SezioneEd.Wply = 0.0739, p.SezioneEd.Wplz = 0.07;
    EXPECT_TRUE(AndataERitorno(p).SezioneConEdit);
}

TEST(Property, AndataERitornoProfilo) {
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
    Property q = AndataERitorno(p);
    EXPECT_FALSE(q.SezioneConEdit);
    EXPECT_EQ(q.SezionePr.TipoProfilo, "SezioneProfiloU");
    EXPECT_EQ(q.Syt, 2e6);
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
    const std::vector<std::pair<std::function<void()>, std::string>> passi = {
        {[] {}, "Zero value in interaction diagram."},
        {[&] { p.PsuPycA = -1; }, "Incorrect signs in interaction diagram."},
        {[&] { p.My_neg = 5; }, "Incorrect traction and/or compression signs."}};
    for (const auto& [cambia, testo] : passi) {
        cambia();
        EXPECT_TRUE(p.DatiNonLinearErrati(m, msg));
        EXPECT_EQ(m, testo);
    }
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
    // an I of 100 mm flanges, a pair 10 mm apart
    SezioneProfili& s = p.SezionePr;
    s.TipoProfilo = "SezioneDoppioT";
    s.h = 0.2f, s.b = 0.1f, s.tw = 0.0056f, s.tf = 0.0085f, s.Area = 2.5e-3f, s.dDoppi = 0.01f;
    // fy·Wpl about the strong axis (twice for a pair), the weak one when
    // turned; a pair turned bends about its own axis: each half's first
    // moment is A·(gap/2 + b/2), so Wpl = 2·A·0.055 m.
    const double A = s.Area;
    for (auto [ruotato, doppi, My] : {std::tuple{false, false, 47000.0},
                                      {false, true, 94000.0},
                                      {true, true, 235e6 * 2 * A * 0.055},
                                      {true, false, 9400.0}}) {
        p.SezionePr.SezioneProfiliRuotata = ruotato, p.SezionePr.Doppi = doppi;
        EXPECT_TRUE(p.CalcolaMy());
        EXPECT_NEAR(p.My_pos, My, 1e-6 * My); // lengths held as singles
        EXPECT_NEAR(p.My_neg, -My, 1e-6 * My);
    }
    // A product that overflows (damaged file): My stays, never an infinity.
    p.SezionePr.Wplz = 1e300, p.fyBeam = 1e10;
    EXPECT_FALSE(p.CalcolaMy());
    EXPECT_DOUBLE_EQ(p.My_pos, 9400);
}

// A failed save (disk full) is reported, keeps the user's grid and the old file.
TEST(Materiali, ScritturaFallitaConservaLaGriglia) {
    const auto percorso = std::filesystem::temp_directory_path() /
                          ("zelvo_materiali_" + std::to_string(::getpid()) + ".txt");
    RegistroMessaggi msg;
    UnitMisura u;
    u.UnitaDefault();
    TabellaMateriali t;
    t.Default(u);
    ASSERT_TRUE(FileMaterialiLeggeScrive(t, Verso::Scrivi, msg, u, percorso));
    const auto prima = LeggiFile(percorso);
    t.Griglia.ImpostaTesto(1, 1, "Acciaio mio");
    msg.Svuota();
    SimulaDiscoPieno(20);
    EXPECT_FALSE(FileMaterialiLeggeScrive(t, Verso::Scrivi, msg, u, percorso));
    SimulaDiscoPieno(std::nullopt);
    EXPECT_EQ(msg.Testi(),
              std::vector<std::string>{"Impossibile salvare il file " + percorso.string() +
                                       ". I materiali non sono stati salvati."});
    EXPECT_EQ(t.Griglia.Testo(1, 1), "Acciaio mio");
    EXPECT_EQ(LeggiFile(percorso), prima);
    std::filesystem::remove(percorso);
}
