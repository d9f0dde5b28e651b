// Data files with a section record, one per section type and profile kind
// (plus "5.0" files without the pairing line), are the fuzz corpus seeds
// (fuzz/corpus/sezione-*, profilo-*): they must be what the program writes
// today and read back to the closed-form area. ZELVO_RIGENERA_CORPUS=1 writes them.
#include "form/file_progetto.h"
#include "io/file_atomico.h"
#include "io/generale.h"
#include "section/property.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>

using namespace zelvo;
namespace fs = std::filesystem;

namespace {

struct Seme {
    std::string nome;
    double area; // closed-form area of the section, m²
    std::function<bool(Property&, Messaggi&)> costruisci;
};

Property MaterialeProva() {
    Property p;
    p.iProp = 1;
    p.E = 2.1e11, p.nU = 0.3, p.Alfa = 1.2e-5, p.Density = 7850;
    p.NomeMat = "Steel", p.NomeProp = "Trave";
    return p;
}

std::function<bool(Property&, Messaggi&)> Tipizzata(int16_t tipo,
                                                    std::vector<std::vector<std::string>> righe,
                                                    std::string R = "", std::string r = "",
                                                    std::string n = "") {
    return [=](Property& p, Messaggi& msg) {
        CampiEditorSezione c;
        c.TipoSelezionato = tipo, c.Righe = std::to_string(righe.size());
        c.Griglia = GrigliaTesto::DaRighe(righe);
        c.RaggioEsterno = R, c.RaggioInterno = r, c.NumeroVertici = n;
        SezioneEdit& s = p.SezioneEd;
        s.UnitaLunghezza = "m";
        if (!s.FormLeggeDati(c, msg)) return false;
        Poligono w = s.Contorno.Copia();
        if (!w.Wplastici(msg)) return false;
        s.Wply = w.Wplx, s.Wplz = w.Wply;
        s.ScritturaSucc = false;
        if (!s.DatiLeggeScrive(Verso::Scrivi)) return false;
        p.SezioneConEdit = true, p.Area = s.Contorno.Area, p.Jota = s.Contorno.jota_xG;
        p.DidSezione = DidascaliaTipoSezione(tipo);
        return true;
    };
}

std::function<bool(Property&, Messaggi&)> Profilo(std::string nome, bool ruotato, bool doppi,
                                                  bool nonLineare) {
    return [=](Property& p, Messaggi& msg) {
        CatalogoProfili cat;
        if (!cat.CaricaDa(std::string(ZELVO_DATI_SEZIONE) + "/profili.csv")) return false;
        SceltaProfili sc(cat);
        sc.Doppi = sc.DoppiCorto = doppi, sc.dDoppi = doppi ? 0.012f : 0.0f;
        bool ok = false;
        sc.ComunicaProfilo = [&] { ok = RiceviProfilo(sc, p.SezionePr, msg); };
        if (!sc.Scegli(nome, "S275") || !ok) return false;
        p.SezioneConEdit = false, p.SezionePr.SezioneProfiliRuotata = ruotato;
        p.Area = p.SezionePr.Area, p.Jota = ruotato ? p.SezionePr.Jz : p.SezionePr.Jy;
        p.DidSezione = nome;
        if (nonLineare) {
            p.SezioneNL = true, p.fyBeam = 275e6;
            p.CalcolaMy();
            p.Pyc = p.Pyt = p.Area * p.fyBeam;
            p.MsuMy_posA = p.MsuMy_negB = 0.9, p.PsuPycA = p.PsuPycB = 0.2;
            p.YieldSrf = 2, p.Et = 2.1e9;
        }
        return true;
    };
}

const double Pi = 3.14159265358979;

std::vector<Seme> Semi() {
    return {
        {"sezione-rect", 0.3 * 0.5, Tipizzata(SezRettangolo, {{"0.3", "0.5"}})},
        {"sezione-T", 1.0 * 0.2 + 0.3 * 0.6, Tipizzata(SezT, {{"1", "0.2"}, {"0.3", "0.6"}})},
        {"sezione-nrect", 0.4 * 0.1 + 0.1 * 0.3 + 0.3 * 0.15,
         Tipizzata(SezNRettangoli, {{"0.4", "0.1"}, {"0.1", "0.3"}, {"0.3", "0.15"}})},
        {"sezione-trapez", (0.4 + 0.2) / 2 * 0.3 + (0.2 + 0.5) / 2 * 0.25,
         Tipizzata(SezTrapezi, {{"0.4", "0.2", "0.3"}, {"0.2", "0.5", "0.25"}})},
        {"sezione-circular", Pi * 0.25, Tipizzata(SezCircolare, {}, "0.5", "0")},
        {"sezione-circular-cava", Pi * (0.25 - 0.09), Tipizzata(SezCircolare, {}, "0.5", "0.3")},
        {"sezione-coord", 0.5 * 0.4 * 0.6,
         Tipizzata(SezCoordinate, {{"0", "0"}, {"0.4", "0"}, {"0", "0.6"}})},
        // A hexagon of circumradius R and a hole of radius r: (3√3/2)(R² − r²).
        {"sezione-polygon", 1.5 * std::sqrt(3.0) * (0.04 - 0.01),
         Tipizzata(SezPoligono, {}, "0.2", "0.1", "6")},
        // Fillet-free profiles: flanges and web. IPE200: h 200, b 100, tw 5.6, tf 8.5.
        {"profilo-I", 2 * 0.1 * 0.0085 + (0.2 - 2 * 0.0085) * 0.0056,
         Profilo("IPE200", false, false, false)},
        {"profilo-I-ruotato-NL", 2 * 0.1 * 0.0085 + (0.2 - 2 * 0.0085) * 0.0056,
         Profilo("IPE200", true, false, true)},
        // L100x10: two legs of 100 x 10 sharing a 10 x 10 corner.
        {"profilo-L", 2 * 0.1 * 0.01 - 0.01 * 0.01, Profilo("L100x10", false, false, false)},
        // UPN200: h 200, b 75, tw 8.5, tf 11.5.
        {"profilo-U", 2 * 0.075 * 0.0115 + (0.2 - 2 * 0.0115) * 0.0085,
         Profilo("UPN200", false, false, false)},
        {"profilo-U-doppio", 2 * 0.075 * 0.0115 + (0.2 - 2 * 0.0115) * 0.0085,
         Profilo("UPN200", false, true, false)},
    };
}

// The data file of a simply supported beam carrying the record.
std::string FileCon(Property p) {
    DatiTrave d;
    d.Titolo = "Sezione " + p.DidSezione;
    d.E = static_cast<float>(p.E), d.J = static_cast<float>(p.Jota), d.Luce = 5;
    d.NTrapezi = 1;
    d.CarichiTrapezi.Ridimensiona(1);
    d.CarichiTrapezi(1) = {10000, 10000, 0, 5};
    d.AscissaX = 2.5f;
    RecordProperty rec;
    rec.Prop = std::make_unique<Property>(std::move(p));
    RegistroMessaggi msg;
    FlussoValori f = FlussoValori::PerScrivere(msg);
    int16_t ns = 100;
    UnitMisura u;
    std::string v = VersioneFileCorrente;
    EXPECT_EQ(FileLeggeScrive(f, Verso::Scrivi, ProgettoFile{d, ns, u, v, &rec}),
              EsitoProgetto::Completo);
    EXPECT_TRUE(msg.elenco.empty());
    return f.Contenuto();
}

// Where line n (from 0) of a file starts. Before the record: header, E J Luce,
// NSezioni, Vincoli, the trapezoid (count and row), no forces, no couples,
// options, units, presence.
size_t Riga(const std::string& byte, int n) {
    size_t r = 0;
    for (int i = 0; i < n; ++i)
        r = byte.find("\r\n", r) + 2;
    return r;
}
const int RighePrimaDelRecord = 13;

// The same file as a "5.0" program wrote it: no pairing line (Doppi, dDoppi,
// DoppiCorto), the sixth of the profile.
std::string Versione50(std::string byte) {
    const std::string h54 = "\",\"5.4\"\r\n";
    byte.replace(byte.find(h54), h54.size(), "\",\"5.0\"\r\n");
    const size_t riga = Riga(byte, RighePrimaDelRecord + 5);
    return byte.erase(riga, byte.find("\r\n", riga) + 2 - riga);
}

fs::path Corpus() {
    return fs::path(ZELVO_SOURCE_DIR) / "fuzz" / "corpus";
}

// Reads the file; returns the record (null when none or not complete).
std::unique_ptr<Property> Rileggi(const std::string& byte, EsitoProgetto& esito,
                                  RegistroMessaggi& msg) {
    FlussoValori f = FlussoValori::PerLeggere(byte, msg);
    DatiTrave d;
    int16_t ns = 0;
    UnitMisura u;
    std::string v;
    RecordProperty rec;
    rec.Versione = &v;
    esito = FileLeggeScrive(f, Verso::Leggi, ProgettoFile{d, ns, u, v, &rec});
    return std::move(rec.Prop);
}

// The area of the section rebuilt from the record as the section window does.
double AreaRicostruita(Property& p, Messaggi& msg) {
    if (p.SezioneConEdit) {
        p.SezioneEd.LetturaSucc = false;
        if (!p.SezioneEd.DatiLeggeScrive(Verso::Leggi) || !p.SezioneEd.FormLeggeDatiContinua(msg))
            return -1;
        return p.SezioneEd.Contorno.Area;
    }
    if (!p.SezionePr.Coordinate(msg)) return -1;
    return p.SezionePr.Poligono1.Area;
}

} // namespace

TEST(CorpusSezioni, FileScrittiDalProgrammaRiletti) {
    const bool rigenera = std::getenv("ZELVO_RIGENERA_CORPUS") != nullptr;
    for (const auto& s : Semi()) {
        SCOPED_TRACE(s.nome);
        RegistroMessaggi msg;
        Property p = MaterialeProva();
        ASSERT_TRUE(s.costruisci(p, msg));
        ASSERT_TRUE(msg.elenco.empty());
        const bool profilo = !p.SezioneConEdit;
        const bool doppi = p.SezionePr.Doppi;
        const std::string byte = FileCon(std::move(p));
        std::vector<std::pair<std::string, std::string>> file = {{s.nome, byte}};
        if (profilo && !doppi) file.push_back({s.nome + "-versione-5.0", Versione50(byte)});
        for (const auto& [nome, contenuto] : file) {
            SCOPED_TRACE(nome);
            if (rigenera) {
                std::ofstream(Corpus() / nome, std::ios::binary) << contenuto;
            } else {
                EXPECT_EQ(LeggiFile(Corpus() / nome).value_or(""), contenuto)
                    << "the corpus seed differs from what the program writes "
                       "(ZELVO_RIGENERA_CORPUS=1 writes it afresh)";
            }
            EsitoProgetto esito;
            auto letto = Rileggi(contenuto, esito, msg);
            EXPECT_EQ(esito, EsitoProgetto::Completo);
            EXPECT_TRUE(msg.elenco.empty());
            ASSERT_TRUE(letto);
            EXPECT_EQ(letto->SezioneConEdit, !profilo);
            EXPECT_NEAR(AreaRicostruita(*letto, msg), s.area, 1e-6 * s.area);
            if (profilo) {
                EXPECT_EQ(letto->SezionePr.Doppi, doppi && nome == s.nome);
            }
        }
    }
}

// Cut after every line inside the record: the reading is partial, with its
// message once, and no record is taken.
TEST(CorpusSezioni, RecordTroncatoNonPreso) {
    const auto semi = Semi();
    for (const std::string nome : {"sezione-trapez", "profilo-I-ruotato-NL"}) {
        Property p = MaterialeProva();
        RegistroMessaggi m0;
        ASSERT_TRUE(std::find_if(semi.begin(), semi.end(), [&](auto& s) {
                        return s.nome == nome;
                    })->costruisci(p, m0));
        const std::string byte = FileCon(std::move(p));
        const size_t fineRecord = byte.rfind("\r\n", byte.rfind("\r\n", byte.size() - 3) - 1) + 2;
        for (size_t taglio = Riga(byte, RighePrimaDelRecord); taglio < fineRecord;
             taglio = byte.find("\r\n", taglio) + 2) {
            RegistroMessaggi msg;
            EsitoProgetto esito;
            EXPECT_FALSE(Rileggi(byte.substr(0, taglio), esito, msg)) << nome << " " << taglio;
            EXPECT_EQ(esito, EsitoProgetto::Parziale);
            EXPECT_EQ(msg.Testi(), std::vector<std::string>{"Lettura incompleta del file"});
        }
    }
}
