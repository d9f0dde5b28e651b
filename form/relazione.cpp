#include "form/relazione.h"

#include "core/combinazioni.h"
#include "form/continua_form.h"
#include "form/modello_form.h"
#include "form/verifiche_form.h"
#include "io/codifica.h"
#include "io/file_atomico.h"
#include "io/numeri.h"
#include "io/unita.h"

#include <algorithm>
#include <cmath>
#include <functional>

namespace zelvo {

UnitaRelazione UnitaPerRelazione(const UnitMisura& u) {
    UnitaRelazione r;
    r.Lunghezza = u.Etichetta(Grandezza::Lunghezza);
    r.Modulo = u.Etichetta(Grandezza::Tensione);
    r.Inerzia = u.Etichetta(Grandezza::Inerzia);
    r.Forza = u.Etichetta(Grandezza::Forza);
    r.Momento = u.Etichetta(Grandezza::Momento);
    r.CaricoDistribuito = u.Etichetta(Grandezza::Carico);
    r.ForzaModello = u.SenzaUnita ? std::string() : u.UnitaModello[3];
    return r;
}

namespace {

// The continuous beam's tables of the report.
void TabelleContinua(const ModelloForm& f, TestiRelazione& t) {
    const DatiTrave& d = f.Modulo.Dati;
    const auto testo = [&](Grandezza g, double v) { return f.TestoUnita(g, v, false); };
    const auto rotazione = [&](double v) {
        return FormatoLarghezza(f.Unita.separatori, 4, 10, Numero(v));
    };
    using Righe = std::vector<std::vector<std::string>>;

    Righe campate{{"N°", "L", "J"}};
    for (size_t i = 0; i < d.Campate.size(); ++i)
        campate.push_back({std::to_string(i + 1), testo(Grandezza::Lunghezza, d.Campate[i].L),
                           testo(Grandezza::Inerzia, d.Campate[i].J)});
    t.Campate = GrigliaTesto::DaRighe(campate, 1, 1);
    Righe appoggi{{"N°", "Tipo", "k", "Cedimento"}};
    for (size_t i = 0; i < d.Appoggi.size(); ++i) {
        const AppoggioContinuo& a = d.Appoggi[i];
        appoggi.push_back(
            {std::to_string(i + 1), NomeAppoggio(a.Tipo),
             a.Tipo == TipoAppoggio::Molla ? testo(Grandezza::Carico, a.k) : "",
             a.Tipo == TipoAppoggio::Libero ? "" : testo(Grandezza::Lunghezza, a.Cedimento)});
    }
    t.Appoggi = GrigliaTesto::DaRighe(appoggi, 1, 1);

    const RisultatiContinua& c = f.Modulo.Continua;
    if (!f.Calcolato || !c.Calcolato()) return;
    Righe ra{{"N°", "x", "R", "M", "Rotaz.", "w"}};
    for (size_t i = 0; i < c.Appoggi.size(); ++i) {
        const RisultatoAppoggio& a = c.Appoggi[i];
        ra.push_back({std::to_string(i + 1), testo(Grandezza::Lunghezza, a.x),
                      testo(Grandezza::Forza, a.Reazione), testo(Grandezza::Momento, a.Momento),
                      rotazione(a.Rotazione), testo(Grandezza::Lunghezza, a.Spostamento)});
    }
    t.RisAppoggi = GrigliaTesto::DaRighe(ra, 1, 1);
    Righe rc{{"N°", "max M+", "x max M+", "max M-", "x max M-", "max |V|"}};
    Righe rf{{"N°", "f max", "x f max", "L/f"}};
    for (size_t i = 0; i < c.Campate.size(); ++i) {
        const RisultatoCampata& s = c.Campate[i];
        const std::string n = std::to_string(i + 1);
        rc.push_back({n, testo(Grandezza::Momento, s.Mmax), testo(Grandezza::Lunghezza, s.xMmax),
                      testo(Grandezza::Momento, s.Mmin), testo(Grandezza::Lunghezza, s.xMmin),
                      testo(Grandezza::Forza, std::abs(s.Vmax))});
        // L/f rounded to a whole number; nothing when the span does not go down.
        rf.push_back(
            {n, testo(Grandezza::Lunghezza, s.fMaxGiu), testo(Grandezza::Lunghezza, s.xfMaxGiu),
             s.LSuF > 0 ? FormatoNumero(f.Unita.separatori, Numero(std::round(s.LSuF))) : "-"});
    }
    t.RisCampate = GrigliaTesto::DaRighe(rc, 1, 1);
    t.RisFrecce = GrigliaTesto::DaRighe(rf, 1, 1);
}

// Text the report's code page can hold.
std::string PerRelazione(std::string t) {
    for (auto [da, a] : {std::pair{"≤", "<="}, {"≥", ">="}}) {
        for (size_t p = t.find(da); p != std::string::npos; p = t.find(da, p))
            t.replace(p, std::string(da).size(), a);
    }
    return t;
}

// A governing combination's text ("-" when it cannot be found).
std::string TestoGovernoSicuro(const std::function<Governo()>& trova,
                               const std::vector<CasoCarico>& casi) {
    try {
        return TestoGoverno(trova(), casi);
    } catch (const std::exception&) {
        return "-";
    }
}

} // namespace

TestiCombinazioni TestiCombinazioniDaForm(const ModelloForm& f) {
    TestiCombinazioni t;
    const RisultatiCombinazioni& r = f.Modulo.Combinazioni;
    if (!f.Calcolato || !r.Calcolato) return t;
    const DatiTrave& d = f.Modulo.Dati;
    const Separatori& sep = f.Unita.separatori;
    const auto testo = [&](Grandezza g, double v) {
        std::string s = f.TestoUnita(g, v, false);
        s.erase(0, s.find_first_not_of(' '));
        return s;
    };
    const auto numero = [&](double v) { return FormatoNumero(sep, Numero(v)); };
    using Righe = std::vector<std::vector<std::string>>;

    Righe casi{{"N°", "Nome", "Tipo", "Categoria", "psi0", "psi1", "psi2"}};
    for (size_t k = 0; k < r.Casi.size(); ++k) {
        const CasoCarico& c = r.Casi[k];
        const bool q = c.Tipo == TipoCaso::Q;
        casi.push_back({std::to_string(k + 1), c.Nome, NomeTipoCaso(c.Tipo),
                        q ? PerRelazione(NomeCategoria(c.Categoria)) : "", q ? numero(c.psi0) : "",
                        q ? numero(c.psi1) : "", q ? numero(c.psi2) : ""});
    }
    t.Casi = GrigliaTesto::DaRighe(casi, 1, 1);
    const CoefficientiParziali& cp = d.Coefficienti;
    t.Coefficienti = GrigliaTesto::DaRighe({{"", "sfavorevole", "favorevole"},
                                            {"gamma_G1", numero(cp.gG1[0]), numero(cp.gG1[1])},
                                            {"gamma_G2", numero(cp.gG2[0]), numero(cp.gG2[1])},
                                            {"gamma_Q", numero(cp.gQ[0]), numero(cp.gQ[1])}},
                                           1, 1);
    t.Formule = {"SLU: gamma_G1*G1 + gamma_G2*G2 + gamma_Q*Qk1 + somma(gamma_Q*psi0i*Qki)",
                 "Rara: G1 + G2 + Qk1 + somma(psi0i*Qki)",
                 "Frequente: G1 + G2 + psi11*Qk1 + somma(psi2i*Qki)",
                 "Quasi permanente: G1 + G2 + somma(psi2i*Qki)",
                 "Ogni carico variabile a turno dominante (Qk1).",
                 d.Vincoli == Fondazione
                     ? "Fondazione: ogni combinazione calcolata con i casi interi, G sfavorevoli."
                     : "Carichi variabili disposti campata per campata nel modo piu' sfavorevole; "
                       "G1 e G2 sfavorevoli o favorevoli (solo SLU)."};

    // Per span: the extremes of the curves over its points.
    int nCampate = 0;
    for (int c : r.Campata)
        nCampate = std::max(nCampate, c + 1);
    const size_t n = r.x.size();
    for (int ti = 0; ti < NumeroTipiCombinazione; ++ti) {
        const TipoCombinazione tipo = TipoCombinazione(ti);
        const Inviluppo& inv = r.Inviluppi[size_t(ti)];
        const CurvaInviluppo& M = inv.Curve[size_t(GrandezzaInviluppo::M)];
        const CurvaInviluppo& V = inv.Curve[size_t(GrandezzaInviluppo::V)];
        if (M.Max.size() != n || M.Min.size() != n || V.Max.size() != n || V.Min.size() != n ||
            r.Campata.size() != n)
            continue;
        TestiCombinazioni::Inviluppo e;
        e.Nome = NomeCombinazione(tipo);
        Righe campate{{"N°", "Mmax", "x Mmax", "Mmin", "x Mmin", "Vmax", "Vmin"}};
        for (int s = 0; s < nCampate; ++s) {
            size_t iMax = n, iMin = n, jMax = n, jMin = n;
            for (size_t i = 0; i < n; ++i) {
                if (r.Campata[i] != s) continue;
                if (iMax == n || M.Max[i] > M.Max[iMax]) iMax = i;
                if (iMin == n || M.Min[i] < M.Min[iMin]) iMin = i;
                if (jMax == n || V.Max[i] > V.Max[jMax]) jMax = i;
                if (jMin == n || V.Min[i] < V.Min[jMin]) jMin = i;
            }
            if (iMax == n) continue;
            const std::string ns = std::to_string(s + 1);
            campate.push_back(
                {ns, testo(Grandezza::Momento, M.Max[iMax]), testo(Grandezza::Lunghezza, r.x[iMax]),
                 testo(Grandezza::Momento, M.Min[iMin]), testo(Grandezza::Lunghezza, r.x[iMin]),
                 testo(Grandezza::Forza, V.Max[jMax]), testo(Grandezza::Forza, V.Min[jMin])});
            if (r.Interno)
                e.Governo.push_back(
                    "Campata " + ns + " - Mmax: " +
                    TestoGovernoSicuro(
                        [&] {
                            return r.GovernoPunto(tipo, GrandezzaInviluppo::M, int(iMax), true);
                        },
                        r.Casi) +
                    "; Mmin: " +
                    TestoGovernoSicuro(
                        [&] {
                            return r.GovernoPunto(tipo, GrandezzaInviluppo::M, int(iMin), false);
                        },
                        r.Casi));
        }
        e.Campate = GrigliaTesto::DaRighe(campate, 1, 1);
        const size_t na = inv.RMax.size();
        if (na > 0 && inv.RMin.size() == na && inv.MAppMax.size() == na &&
            inv.MAppMin.size() == na) {
            Righe appoggi{{"N°", "Rmax", "Rmin", "Mmax", "Mmin"}};
            for (size_t a = 0; a < na; ++a) {
                appoggi.push_back({std::to_string(a + 1), testo(Grandezza::Forza, inv.RMax[a]),
                                   testo(Grandezza::Forza, inv.RMin[a]),
                                   testo(Grandezza::Momento, inv.MAppMax[a]),
                                   testo(Grandezza::Momento, inv.MAppMin[a])});
                if (r.Interno)
                    e.Governo.push_back(
                        "Appoggio " + std::to_string(a + 1) + " - Rmax: " +
                        TestoGovernoSicuro(
                            [&] { return r.GovernoAppoggio(tipo, int(a), false, true); }, r.Casi) +
                        "; Rmin: " +
                        TestoGovernoSicuro(
                            [&] { return r.GovernoAppoggio(tipo, int(a), false, false); }, r.Casi));
            }
            e.Appoggi = GrigliaTesto::DaRighe(appoggi, 1, 1);
        }
        t.Inviluppi.push_back(std::move(e));
    }

    // L/f as a whole number; "-" where nothing goes down.
    const auto rapporto = [&](double v) {
        return v > 0 && std::isfinite(v) ? numero(std::round(v)) : std::string("-");
    };
    Righe frecce{{"N°", "L", "f", "L/f", "limite", "f2", "L/f2", "limite2", "esito"}};
    for (const VerificaFreccia& v : r.Frecce)
        frecce.push_back({std::to_string(v.Campata + 1), testo(Grandezza::Lunghezza, v.L),
                          testo(Grandezza::Lunghezza, v.f), rapporto(v.LsuF),
                          "L/" + numero(v.Limite), testo(Grandezza::Lunghezza, v.f2),
                          rapporto(v.LsuF2), "L/" + numero(v.Limite2),
                          v.Verificata ? "verificata" : "NON verificata"});
    t.Frecce = GrigliaTesto::DaRighe(frecce, 1, 1);
    return t;
}

TestiRelazione TestiDaForm(const ModelloForm& f) {
    TestiRelazione t;
    const DatiTrave& d = f.Modulo.Dati;
    t.NomeFile = f.NomeFile;
    t.Titolo = f.txtTitolo.testo;
    t.Unita = UnitaPerRelazione(f.Unita);
    for (size_t i = 0; i < 3; ++i)
        t.Dati[i] = f.txtDati[i].testo;
    for (size_t i = 0; i < 2; ++i)
        t.Winkler[i] = f.txtWinkler[i].testo;
    t.Vincoli = d.Vincoli;
    t.FondazioneWinkler = d.Winkler;
    t.ReagTraz = d.ReagTraz;
    t.Righe = {d.NTrapezi, d.NConcentrati, d.NCoppie};
    for (size_t i = 0; i < 3; ++i)
        t.Griglie[i] = f.FlexGrid[i];
    for (size_t i = 0; i < t.Ris.size(); ++i)
        t.Ris[i] = f.txtRis[i].testo;
    for (size_t i = 0; i < t.Fond.size(); ++i)
        t.Fond[i] = f.txtFond[i].testo;
    for (size_t i = 0; i < t.X.size(); ++i)
        t.X[i] = f.txtX[i].testo;
    if (d.Vincoli == Continua) TabelleContinua(f, t);
    t.Combinazioni = TestiCombinazioniDaForm(f);
    if (d.Verifica.Attiva && f.Modulo.Risultati.Calcolato) {
        CatalogoProfili cat;
        cat.Carica();
        const VistaVerifiche w = ComponiVerifiche(f.Modulo, cat, f.Unita.separatori);
        const DatiVerifica& v = d.Verifica;
        const Separatori& sep = f.Unita.separatori;
        const auto g = [&](double x) {
            std::string s = TestoBreve(x);
            const size_t p = s.find('.');
            if (p != std::string::npos) s.replace(p, 1, sep.decimale);
            return s;
        };
        t.Verifiche.push_back("Verifiche acciaio: " + v.Profilo + ", " + v.Acciaio +
                              ", gM0 = " + g(v.gM0) + ", gM1 = " + g(v.gM1));
        t.Verifiche.push_back(w.Base);
        t.Verifiche.push_back(w.Motivo.empty() ? w.Governo : w.Motivo);
        for (const auto& r : w.Righe)
            t.RigheVerifiche.push_back(
                {r.Campata, r.Controllo, r.Azione, r.Resistenza, r.TestoUtilizzo, r.Esito});
        t.DettagliVerifiche = DettagliVerifiche(w, v, cat, sep);
        t.TabellaVerifiche = ComponiTestiVerifiche(w, v);
    }
    return t;
}

std::string NomeSchema(int16_t vincoli) {
    switch (vincoli) {
    case 0:
        return "Appoggio - Appoggio";
    case 1:
        return "Incastro - Incastro";
    case 2:
        return "Incastro - Appoggio";
    case 3:
        return "Mensola";
    case 4:
        return "Fondazione";
    case 5:
        return "Trave continua";
    default:
        return "";
    }
}

std::string NomeAppoggio(TipoAppoggio t) {
    return ParolaAppoggio(t);
}

namespace {

// One line of the results: left item at column 1, right item at column 30.
void Coppia(TestoStampa& u, const std::string& sinistra, const std::string& destra) {
    u.StampaTesto(sinistra);
    u.StampaTab(30);
    u.StampaRiga(destra);
}

std::string Voce(const std::string& etichetta, const std::string& testo, const std::string& unita) {
    return etichetta + testo + " " + unita;
}

std::string Rotazione(const std::string& etichetta, const std::string& testo) {
    return etichetta + testo + " (rad)";
}

// A table with its heading line, as the load tables are printed.
void Tabella(TestoStampa& u, const std::string& intestazione, const GrigliaTesto& g) {
    if (g.Righe() <= 1) return;
    u.StampaRiga();
    u.StampaRiga(intestazione);
    u.StampaGriglia(g);
}

// The load cases, combinations, envelopes and deflection checks.
void StampaCombinazioni(const TestiCombinazioni& c, const UnitaRelazione& un, TestoStampa& u) {
    u.StampaRiga(" ");
    u.StampaRiga("--------------------  CASI DI CARICO E COMBINAZIONI : --------------------");
    Tabella(u, "Casi di carico", c.Casi);
    Tabella(u, "Coefficienti parziali", c.Coefficienti);
    u.StampaRiga();
    u.StampaRiga("Combinazioni");
    for (const std::string& r : c.Formule)
        u.StampaRiga(r);
    for (const auto& e : c.Inviluppi) {
        Tabella(u,
                "Inviluppo " + e.Nome + " - campate: M " + un.Momento + ", x " + un.Lunghezza +
                    ", V " + un.Forza,
                e.Campate);
        Tabella(u, "Inviluppo " + e.Nome + " - appoggi: R " + un.Forza + ", M " + un.Momento,
                e.Appoggi);
        for (const std::string& r : e.Governo)
            u.StampaRiga(r);
    }
    Tabella(u, "Verifica delle frecce: L, f, f2 " + un.Lunghezza, c.Frecce);
}

} // namespace

void StampaRelazione(const TestiRelazione& t, TestoStampa& u) {
    const UnitaRelazione& un = t.Unita;
    const bool fondazione = t.Vincoli == 4;
    const bool continua = t.Vincoli == 5;

    u.StampaRiga("NOME FILE: " + t.NomeFile);
    u.StampaRiga("Titolo: " + t.Titolo);
    u.StampaRiga(" ");
    u.StampaRiga(" ");
    u.StampaRiga("--------------------------  DATI : --------------------------");
    u.StampaRiga(" ");

    // A continuous beam has a J per span (in its table below).
    u.StampaTesto("E " + un.Modulo);
    u.StampaTab(20);
    if (!continua) u.StampaTesto("J " + un.Inerzia);
    u.StampaTab(40);
    u.StampaRiga("Luce " + un.Lunghezza);
    u.StampaTesto(t.Dati[1]);
    u.StampaTab(20);
    if (!continua) u.StampaTesto(t.Dati[2]);
    u.StampaTab(40);
    u.StampaRiga(t.Dati[0]);
    u.StampaRiga(" ");

    std::string vincoli = "Vincoli: ";
    if (fondazione) {
        vincoli += t.FondazioneWinkler ? "Fondazione su suolo elastico"
                                       : "Fondazione infinitamente rigida";
        vincoli += "; K = " + t.Winkler[0] + EtichettaKReport + "; b = " + t.Winkler[1] + " " +
                   un.Lunghezza;
        vincoli += t.ReagTraz ? "; suolo reagente a trazione" : "; suolo non reagente a trazione";
    } else {
        vincoli += NomeSchema(t.Vincoli);
    }
    u.StampaRiga(vincoli);
    if (continua) {
        Tabella(u, "Campate: L " + un.Lunghezza + ", J " + un.Inerzia, t.Campate);
        Tabella(u, "Appoggi: k " + un.CaricoDistribuito + ", cedimento " + un.Lunghezza, t.Appoggi);
    }

    const std::array<std::string, 3> intestazioni = {
        "Carichi distribuiti trapezi " + un.CaricoDistribuito, "Carichi concentrati " + un.Forza,
        "Coppie " + un.Momento};
    for (size_t g = 0; g < 3; ++g) {
        if (t.Righe[g] <= 0) continue;
        u.StampaRiga();
        u.StampaRiga(intestazioni[g]);
        u.StampaGriglia(t.Griglie[g]);
    }

    u.StampaRiga(" ");
    u.StampaRiga("Risultati");
    if (fondazione) {
        const auto& f = t.Fond;
        Coppia(u, Voce("Sigma_tA = ", f[0], un.Modulo), Voce("Sigma_tB = ", f[4], un.Modulo));
        Coppia(u, Voce("max M = ", f[1], un.Momento), Voce("x max M = ", f[5], un.Lunghezza));
        Coppia(u, Voce("max V = ", f[2], un.ForzaModello), Voce("x max V = ", f[6], un.Lunghezza));
        Coppia(u, Voce("f max = ", f[3], un.Lunghezza), Voce("x f max = ", f[7], un.Lunghezza));
        Coppia(u, Voce("Sigma_t max = ", f[8], un.Modulo),
               Voce("x Sigma_t max = ", f[9], un.Lunghezza));
    } else if (continua) {
        const auto& r = t.Ris;
        Tabella(u,
                "Appoggi: x " + un.Lunghezza + ", R " + un.Forza + ", M " + un.Momento +
                    ", Rotaz. (rad), w " + un.Lunghezza,
                t.RisAppoggi);
        Tabella(u, "Campate: M " + un.Momento + ", x " + un.Lunghezza + ", V " + un.Forza,
                t.RisCampate);
        Tabella(u, "Frecce: f " + un.Lunghezza + ", x " + un.Lunghezza, t.RisFrecce);
        u.StampaRiga(" ");
        Coppia(u, Voce("max M+ = ", r[6], un.Momento), Voce("x max M+ = ", r[7], un.Lunghezza));
        Coppia(u, Voce("max M- = ", r[8], un.Momento), Voce("x max M- = ", r[9], un.Lunghezza));
        Coppia(u, Voce("f max = ", r[10], un.Lunghezza), Voce("x f max = ", r[11], un.Lunghezza));
    } else {
        const auto& r = t.Ris;
        Coppia(u, Voce("MA = ", r[0], un.Momento), Voce("MB = ", r[1], un.Momento));
        Coppia(u, Voce("RA = ", r[2], un.Forza), Voce("RB = ", r[3], un.Forza));
        Coppia(u, Rotazione("Rotaz. A = ", r[4]), Rotazione("Rotaz. B = ", r[5]));
        Coppia(u, Voce("max M+ = ", r[6], un.Momento), Voce("x max M+ = ", r[7], un.Lunghezza));
        Coppia(u, Voce("max M- = ", r[8], un.Momento), Voce("x max M- = ", r[9], un.Lunghezza));
        Coppia(u, Voce("f max = ", r[10], un.Lunghezza), Voce("x f max = ", r[11], un.Lunghezza));
    }

    if (t.Combinazioni.Presenti()) StampaCombinazioni(t.Combinazioni, un, u);
    if (!t.Verifiche.empty()) {
        u.StampaRiga(" ");
        for (const auto& r : t.Verifiche)
            u.StampaRiga(r);
        const int colonne[6] = {1, 12, 32, 55, 80, 90};
        const std::array<std::string, 6> titoli = {"Campata",    "Verifica", "Azione",
                                                   "Resistenza", "Utilizzo", "Esito"};
        if (!t.RigheVerifiche.empty()) {
            for (size_t c = 0; c < 6; ++c) {
                u.StampaTab(colonne[c]);
                u.StampaTesto(titoli[c]);
            }
            u.StampaRiga();
        }
        for (const auto& r : t.RigheVerifiche) {
            for (size_t c = 0; c < 6; ++c) {
                u.StampaTab(colonne[c]);
                u.StampaTesto(r[c]);
            }
            u.StampaRiga();
        }
        for (const auto& r : t.DettagliVerifiche)
            u.StampaRiga(r);
    }

    u.StampaRiga(" ");
    u.StampaRiga("Risultati all'ascissa x");
    u.StampaTesto("x");
    u.StampaTab(15);
    u.StampaTesto("M(x)");
    u.StampaTab(30);
    u.StampaTesto("V(x)");
    u.StampaTab(45);
    u.StampaTesto("f(x)");
    if (fondazione) {
        u.StampaTab(60);
        u.StampaTesto("Sigma_t(x)");
    }
    u.StampaRiga();
    u.StampaTesto(t.X[0]);
    u.StampaTab(15);
    u.StampaTesto(t.X[1]);
    u.StampaTab(30);
    u.StampaTesto(t.X[2]);
    u.StampaTab(45);
    u.StampaTesto(t.X[3]);
    if (fondazione) {
        u.StampaTab(60);
        u.StampaTesto(t.X[4]);
    }
}

std::string TestoRelazione(const TestiRelazione& t) {
    TestoStampa u;
    StampaRelazione(t, u);
    return u.Testo();
}

bool ScriviRelazioneFile(const std::string& percorso, const std::string& testo, Messaggi& msg) {
    if (!ScriviFileAtomico(percorso, Utf8ACp1252(testo))) {
        msg.Mostra("Scrittura incompleta del file");
        return false;
    }
    return true;
}

bool StampaRelazioneFile(const ModelloForm& f, const std::string& percorso, Messaggi& msg) {
    return ScriviRelazioneFile(percorso, TestoRelazione(TestiDaForm(f)), msg);
}

} // namespace zelvo
