#include "section/property.h"

#include "core/guasto.h"
#include "io/generale.h"

#include <cmath>

namespace zelvo {

// ---------------------------------------------------------------------------
// Sections on the data file.

void CollLeggeScrive(SezioneEdit& s, FlussoValori& f, Verso Modo) {
    if (Modo == Verso::Leggi) {
        int16_t n = 0;
        FileInOut(Modo, f, n);
        if (n < 0) {
            f.Chiudi();
            f.Msg().Mostra(TestoLetturaIncompleta);
            throw ErroreFile(1000, "numero di valori negativo");
        }
        // Values are appended to the list as read (at most 32767 of them).
        for (int i = 0; i < n; ++i) {
            double v = 0;
            FileInOut(Modo, f, v);
            ValoreColl c;
            c.emplace<double>(v);
            s.CollEdit.push_back(c);
        }
    } else {
        int16_t n = Conteggio16(static_cast<long long>(s.CollEdit.size()));
        FileInOut(Modo, f, n);
        for (auto v : s.CollEdit)
            std::visit([&](auto& x) { FileInOut(Modo, f, x); }, v);
    }
    FileInOut(Modo, f, s.Wply, s.Wplz);
}

void LeggeScriveProfili(SezioneProfili& p, FlussoValori& f, Verso Modo,
                        const std::string& versione) {
    FileInOut(Modo, f, p.TipoProfilo, p.h, p.b, p.tw, p.tf, p.bAlaInf, p.tAlaInf, p.SaldataAsimm);
    FileInOut(Modo, f, p.SezioneProfiliRuotata, p.Jy, p.Jz);
    FileInOut(Modo, f, p.Wply, p.Wplz, p.fySteelTMP);
    FileInOut(Modo, f, p.Wply, p.Wplz);
    if (Modo != Verso::Leggi || AlmenoVersione(versione, Versione{5, 4}))
        FileInOut(Modo, f, p.Doppi, p.dDoppi, p.DoppiCorto);
}

// ---------------------------------------------------------------------------
// Property.

void Property::LeggeScrive(Verso Modo, FlussoValori& f, const UnitMisura& u,
                           const std::string& versione, bool conFy) {
    // The 32-bit number travels as a double (an integer text).
    double numero = iProp;
    FileInOut(Modo, f, numero, E, nU, Alfa, Density, NomeMat, Area, Jota, NomeProp, tipo,
              DidSezione, SezioneConEdit);
    if (Modo == Verso::Leggi) {
        if (numero != std::floor(numero) || numero < -2147483648.0 || numero > 2147483647.0) {
            f.Chiudi();
            f.Msg().Mostra(TestoLetturaIncompleta);
            throw ErroreFile(1000, "numero di proprietà non valido");
        }
        iProp = static_cast<int32_t>(numero);
    }
    if (SezioneConEdit) {
        if (Modo == Verso::Leggi) {
            SezioneEd = SezioneEdit();
            SezioneEd.UnitaLunghezza = u.UnitaModello[4];
        }
        CollLeggeScrive(SezioneEd, f, Modo);
    } else {
        if (Modo == Verso::Leggi) SezionePr = SezioneProfili();
        LeggeScriveProfili(SezionePr, f, Modo, versione);
    }
    FileInOut(Modo, f, SezioneNL);
    if (SezioneNL) {
        if (tipo != 0)
            FileInOut(Modo, f, fyBeam, Et, BuckCode, Syc, Syt);
        else
            FileInOut(Modo, f, fyBeam, My_pos, My_neg, Pyc, Pyt, MsuMy_posA, MsuMy_negB, PsuPycA,
                      PsuPycB, YieldSrf, xI, xj, yI, yj, Et);
    }
    if (conFy) {
        FileInOut(Modo, f, fyBeam);
        if (Modo == Verso::Leggi && !(std::isfinite(fyBeam) && fyBeam >= 0)) {
            f.Chiudi();
            f.Msg().Mostra(TestoLetturaIncompleta);
            throw ErroreFile(1000, "tensione di snervamento non valida");
        }
    }
}

bool Property::CalcolaMy() {
    // a pair of profiles yields at twice the moment of one
    const double W = SezionePr.WplFlessione();
    const double My = W * fyBeam;
    if (!std::isfinite(My)) return false; // values no file could hold: nothing changes
    My_pos = My;
    My_neg = -My_pos;
    return true;
}

bool Property::DatiErrati(Messaggi& msg) const {
    std::string m;
    if (Area <= 0) m += std::string("Area <=0") + ACapo;
    if (Jota <= 0 && tipo == 0) m += std::string("Inertia <=0") + ACapo;
    if (E <= 0) m += std::string("Young Modulus <=0") + ACapo;
    if (m.empty()) return false;
    msg.Mostra(m + " in Property " + std::to_string(iProp), Icona::Critica);
    return true;
}

bool Property::DatiNonLinearErrati(std::string& messaggio, Messaggi& msg) const {
    const char* zero = "Zero value for traction and/or compression.";
    const char* segni = "Incorrect traction and/or compression signs.";
    if (tipo != 0) {
        bool errato = false;
        if (Syc == 0 && Syt == 0) {
            messaggio = zero;
            errato = true;
        }
        if (Syc < 0 || Syt < 0) {
            messaggio = segni;
            errato = true;
        }
        if (Syc == 0 || Syt == 0)
            msg.Mostra("Warning: no traction or compression resistance in property " +
                           std::to_string(iProp),
                       Icona::Informazione);
        return errato;
    }
    const char* e = nullptr;
    if (My_pos == 0 || My_neg == 0)
        e = zero;
    else if (!(Pyt >= 0 && My_pos >= 0 && My_neg < 0 && Pyc >= 0))
        e = segni;
    else if (YieldSrf != 2 && YieldSrf != 3)
        e = nullptr;
    else if (Pyt == 0 || Pyc == 0)
        e = zero;
    else if (MsuMy_posA == 0 || MsuMy_negB == 0 || PsuPycA == 0 || PsuPycB == 0)
        e = "Zero value in interaction diagram.";
    else if (MsuMy_posA < 0 || MsuMy_negB < 0 || PsuPycA < 0 || PsuPycB < 0)
        e = "Incorrect signs in interaction diagram.";
    if (!e) return false;
    messaggio = e;
    return true;
}

// ---------------------------------------------------------------------------
// Materials.

const std::array<Materiale, 11>& MaterialiDefault() {
    static const std::array<Materiale, 11> m = {{
        {"Steel", 2.1e11, 0.3, 7850, 1.2e-5},
        {"Aluminium", 7.0e10, 0.3, 2700, 2.3e-5},
        {"Concrete C20/25", 2.9e10, 0.2, 2400, 1.0e-5},
        {"Concrete C25/30", 3.14e10, 0.2, 2400, 1.0e-5},
        {"Concrete C28/35", 3.05e10, 0.2, 2400, 1.0e-5},
        {"Concrete C30/37", 3.2e10, 0.2, 2400, 1.0e-5},
        {"Concrete C35/45", 3.35e10, 0.2, 2400, 1.0e-5},
        {"Concrete C40/50", 3.5e10, 0.2, 2400, 1.0e-5},
        {"Concrete C45/55", 3.6e10, 0.2, 2400, 1.0e-5},
        {"Concrete C50/60", 3.7e10, 0.2, 2400, 1.0e-5},
        {"Wood (Spruce)", 1.0e10, 0.3, 500, 5e-6},
    }};
    return m;
}

void TabellaMateriali::Dimensiona(int righe) {
    std::vector<std::string> intestazione(6);
    for (int c = 0; c < 6; ++c)
        intestazione[static_cast<size_t>(c)] = Griglia.TestoOVuoto(0, c);
    Griglia.Dimensiona(std::max(righe, 1), 6);
    for (int c = 0; c < 6; ++c)
        Griglia.Scrivi(0, c, intestazione[static_cast<size_t>(c)]);
}

namespace {
std::string Quattro(const Separatori& s, double v) {
    std::string t = FormatoPattern(s, v, "0.0000");
    // A small value that four decimals would show as 0 (a thermal expansion
    // of 1.2E-05) is written in exponential form too, so that neither the
    // grid nor the file saved from it loses it.
    const bool perso = v != 0 && std::fabs(v) < 0.001;
    if (t.size() > 10 || perso) t = FormatoPattern(s, v, "0.0000E+00");
    return t;
}
} // namespace

void TabellaMateriali::Riempi(int riga, const std::string& nome, double E, double nU,
                              double Density, double Alfa, const UnitMisura& u) {
    if (riga < 1) throw Guasto("riga della tabella dei materiali");
    if (riga >= Righe()) Griglia.Ridimensiona(riga + 1, 6);
    Griglia.Scrivi(riga, 1, nome);
    Griglia.Scrivi(riga, 2, u.Testo(Grandezza::Tensione, E));
    Griglia.Scrivi(riga, 3, Quattro(u.separatori, nU));
    Griglia.Scrivi(riga, 4, Quattro(u.separatori, Density));
    Griglia.Scrivi(riga, 5, Quattro(u.separatori, Alfa));
}

void TabellaMateriali::Default(const UnitMisura& u) {
    Dimensiona(12);
    int i = 1;
    for (const auto& m : MaterialiDefault())
        Riempi(i++, m.nome, m.E, m.nU, m.Density, m.Alfa, u);
    Selezionata = 1;
}

bool TabellaMateriali::EliminaRiga(int riga, Messaggi& msg) {
    if (Righe() <= 2) {
        msg.Mostra("Impossibile rimuovere l'ultima riga", Icona::Critica);
        return false;
    }
    if (riga < 1 || riga >= Righe()) return false;
    Griglia.EliminaRiga(riga);
    if (Selezionata >= Righe()) Selezionata = Righe() - 1;
    return true;
}

std::filesystem::path PercorsoMateriali() {
    return std::filesystem::path(CartellaDatiUtente()) / "VantrexMateriali.txt";
}

std::filesystem::path PercorsoMaterialiPredefiniti() {
    return FileDati("VantrexMateriali.txt");
}

bool FileMaterialiLeggeScrive(TabellaMateriali& t, Verso Modo, Messaggi& msg, const UnitMisura& u,
                              const std::filesystem::path& percorso,
                              const std::filesystem::path& predefiniti) {
    namespace fs = std::filesystem;
    std::error_code ec;
    const std::string pieno = fs::absolute(percorso, ec).string();
    if (Modo == Verso::Scrivi) {
        // The grid is only read here: whatever fails, the user's materials stay.
        RegistroMessaggi interni;
        FlussoValori f = FlussoValori::PerScrivere(interni);
        bool ok = true;
        try {
            int16_t n = Conteggio16(t.Righe() - 1);
            FileInOut(Verso::Scrivi, f, n);
            for (int i = 1; i <= n && ok; ++i) {
                const GrigliaTesto& r = t.Griglia;
                std::string nome = r.Testo(i, 1);
                // cells read strictly; one that holds no number fails the save
                auto cella = [&](int c) {
                    const LetturaRegionale l = LeggiRegionale(r.Testo(i, c), u.separatori);
                    if (l.esito == EsitoRegionale::Vuoto) return 0.0;
                    if (!l.Letto()) throw Guasto("cella dei materiali non numerica");
                    return l.valore;
                };
                float E = ASingolo(Finito(u.Interna(Grandezza::Tensione, cella(2))));
                float nU = ASingolo(cella(3));
                float D = ASingolo(cella(4));
                float A = ASingolo(cella(5));
                FileInOut(Verso::Scrivi, f, nome);
                FileInOut(Verso::Scrivi, f, E, nU, D, A);
            }
        } catch (const Guasto&) {
            ok = false;
        } catch (const ErroreFile&) {
            ok = false;
        }
        // The user's data folder may not exist yet.
        if (ok && percorso.has_parent_path()) {
            std::error_code ec2;
            fs::create_directories(percorso.parent_path(), ec2);
        }
        if (!ok || f.Fallito() || !interni.elenco.empty() || !f.Salva(percorso)) {
            msg.Mostra("Impossibile salvare il file " + pieno +
                           ". I materiali non sono stati salvati.",
                       Icona::Informazione);
            return false;
        }
        msg.Mostra("I dati dei materiali sono stati salvati nel file " + pieno,
                   Icona::Informazione);
        return true;
    }
    // Reading: into a new grid, committed only when the whole file was read.
    // A user without a file of their own starts from the shipped defaults.
    const bool proprio = fs::exists(percorso, ec) || predefiniti.empty();
    RegistroMessaggi interni;
    auto f = FlussoValori::ApriLettura(proprio ? percorso : predefiniti, interni);
    TabellaMateriali nuova;
    nuova.Griglia = t.Griglia;
    nuova.Dimensiona(1); // the header row only
    bool ok = f.has_value();
    if (ok) {
        try {
            int16_t n = 0;
            FileInOut(Verso::Leggi, *f, n);
            if (n < 1) throw ErroreFile(1000, "nessun materiale");
            nuova.Dimensiona(n + 1);
            for (int i = 1; i <= n; ++i) {
                std::string nome;
                float E, nU, D, A;
                FileInOut(Verso::Leggi, *f, nome);
                FileInOut(Verso::Leggi, *f, E, nU, D, A);
                nuova.Riempi(i, nome, E, nU, D, A, u);
            }
        } catch (const ErroreFile&) {
            ok = false;
        } catch (const Guasto&) {
            ok = false;
        }
    }
    if (!ok) {
        msg.Mostra("File " + pieno + " non trovato. Vengono inseriti i materiali di default",
                   Icona::Informazione);
        t.Default(u);
        return false;
    }
    nuova.Selezionata = 1;
    t = std::move(nuova);
    return true;
}

} // namespace zelvo
