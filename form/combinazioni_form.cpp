// The load cases and combinations dialog: filling, editing, checking and
// writing back.
#include "form/combinazioni_form.h"

#include "core/guasto.h"
#include "form/modello_form.h"
#include "io/numeri.h"
#include "section/property.h"

#include <cmath>
#include <exception>

namespace zelvo {

namespace {

const char* const NomiGamma[6] = {"γG1 sfavorevole", "γG1 favorevole", "γG2 sfavorevole",
                                  "γG2 favorevole",  "γQ sfavorevole", "γQ favorevole"};
const char* const NomiLimiti[2] = {"Limite della freccia totale (L/…)",
                                   "Limite della freccia dei carichi variabili (L/…)"};

// A refused field: its message, shown by `OK`.
struct Rifiuto {
    std::string testo;
};

double Leggi(const CampoForm& c, const std::string& luogo, const Separatori& s) {
    if (auto e = c.Esatto(s)) return *e;
    const LetturaRegionale l = LeggiRegionale(c.testo, s);
    if (l.esito == EsitoRegionale::FuoriLimiti)
        throw Rifiuto{TestoNumeroFuoriLimiti(luogo, c.testo)};
    if (!l.Letto()) throw Rifiuto{TestoNumeroRifiutato(luogo, c.testo, s)};
    return l.valore;
}

std::string NomeCaso(const RigaCaso& r, int i) {
    return "Caso N° " + std::to_string(i + 1) + (r.Nome.empty() ? "" : " \"" + r.Nome + "\"");
}

// The number of a load row's "Caso" cell (1 onwards), 0 when it holds none.
int CasoCella(const GrigliaTesto& g, int r, int c, const Separatori& s) {
    if (c >= g.Colonne() || r >= g.Righe()) return 0;
    const LetturaRegionale l = LeggiRegionale(g.Testo(r, c), s);
    if (!l.Letto() || l.valore != std::floor(l.valore) || l.valore < 1 || l.valore > 32767)
        return 0;
    return static_cast<int>(l.valore);
}

// The column of the cases in table t.
int ColonnaCaso(int t) {
    return t == 0 ? 5 : 3;
}

} // namespace

FinestraCombinazioni::FinestraCombinazioni(ModelloForm& trave, Messaggi& msg)
    : Trave(trave), Msg(msg) {}

std::string FinestraCombinazioni::Numero(double v) const {
    return FormatoNumero(Trave.Unita.separatori, v);
}

void FinestraCombinazioni::ScriviPsi(RigaCaso& riga) {
    CoefficientiPsi psi;
    if (riga.Tipo != TipoCaso::Q) {
        for (CampoForm& c : riga.psi)
            c.Scrivi("");
        return;
    }
    if (!PsiCategoria(riga.Categoria, psi)) return; // typed: kept as they are
    const double v[3] = {psi.psi0, psi.psi1, psi.psi2};
    for (int k = 0; k < 3; ++k)
        riga.psi[static_cast<size_t>(k)].Scrivi(Numero(v[k]), v[k]);
}

void FinestraCombinazioni::Apri() {
    const DatiTrave& d = Trave.Modulo.Dati;
    Casi.clear();
    for (size_t i = 0; i < d.Casi.size(); ++i) {
        const CasoCarico& c = d.Casi[i];
        RigaCaso r;
        r.Nome = c.Nome;
        r.Tipo = c.Tipo;
        r.Categoria = c.Categoria;
        r.Origine = static_cast<int>(i);
        const double v[3] = {c.psi0, c.psi1, c.psi2};
        if (c.Tipo == TipoCaso::Q)
            for (int k = 0; k < 3; ++k)
                r.psi[static_cast<size_t>(k)].Scrivi(Numero(v[k]), v[k]);
        Casi.push_back(std::move(r));
    }
    const CoefficientiParziali& g = d.Coefficienti;
    const double gamma[6] = {g.gG1[0], g.gG1[1], g.gG2[0], g.gG2[1], g.gQ[0], g.gQ[1]};
    for (int k = 0; k < 6; ++k)
        txtGamma[static_cast<size_t>(k)].Scrivi(Numero(gamma[k]), gamma[k]);
    Preset = PresetFreccia::Personalizzato;
    for (PresetFreccia p : {PresetFreccia::SolaiGenerali, PresetFreccia::Coperture,
                            PresetFreccia::SolaiFragili, PresetFreccia::SolaiPilastri})
        if (LimitiPreset(p) == d.Limiti) {
            Preset = p;
            break;
        }
    txtLimiti[0].Scrivi(Numero(d.Limiti.Totale), d.Limiti.Totale);
    txtLimiti[1].Scrivi(Numero(d.Limiti.Variabili), d.Limiti.Variabili);
    chkPesoProprio = d.PesoProprio;
    const double q = Trave.Unita.Mostrata(Grandezza::Carico, d.PesoProprioQ);
    txtPesoProprio.Scrivi(Numero(q), d.PesoProprioQ);
    lblPesoProprio = Trave.Unita.Etichetta(Grandezza::Carico);
}

void FinestraCombinazioni::AggiungiCaso() {
    auto esiste = [&](const std::string& n) {
        for (const RigaCaso& c : Casi)
            if (c.Nome == n) return true;
        return false;
    };
    // The name is constructed, never assigned from a literal: GCC 12 at -O3
    // takes a short literal assigned into a string for a read of
    // uninitialised bytes.
    const auto [nome, tipo] = [&]() -> std::pair<std::string, TipoCaso> {
        if (!esiste("G1")) return {std::string("G1"), TipoCaso::G1};
        if (!esiste("G2")) return {std::string("G2"), TipoCaso::G2};
        int k = 1;
        while (esiste("Q" + std::to_string(k)))
            ++k;
        return {"Q" + std::to_string(k), TipoCaso::Q};
    }();
    RigaCaso r;
    r.Nome = nome;
    r.Tipo = tipo;
    if (tipo == TipoCaso::Q) ScriviPsi(r);
    Casi.push_back(std::move(r));
}

int FinestraCombinazioni::RigheDelCaso(int r) const {
    if (r < 0 || r >= static_cast<int>(Casi.size())) return 0;
    const int origine = Casi[static_cast<size_t>(r)].Origine;
    if (origine < 0 || !Trave.ConCasi()) return 0;
    int n = 0;
    for (int t = 0; t < 3; ++t) {
        const GrigliaTesto& g = Trave.FlexGrid[static_cast<size_t>(t)];
        for (int i = 1; i < g.Righe(); ++i)
            if (CasoCella(g, i, ColonnaCaso(t), Trave.Unita.separatori) == origine + 1) ++n;
    }
    return n;
}

bool FinestraCombinazioni::RimuoviCaso(int r) {
    if (r < 0 || r >= static_cast<int>(Casi.size())) return false;
    const int usate = RigheDelCaso(r);
    if (usate > 0 && Casi.size() > 1) {
        Msg.Mostra("Il caso \"" + Casi[static_cast<size_t>(r)].Nome + "\" è assegnato a " +
                       std::to_string(usate) + (usate == 1 ? " riga" : " righe") +
                       " di carico: assegnarle a un altro caso prima di eliminarlo.",
                   Icona::Esclamazione);
        return false;
    }
    Casi.erase(Casi.begin() + r);
    return true;
}

void FinestraCombinazioni::ImpostaNome(int r, const std::string& nome) {
    Casi.at(static_cast<size_t>(r)).Nome = nome;
}

void FinestraCombinazioni::ImpostaTipo(int r, TipoCaso t) {
    RigaCaso& riga = Casi.at(static_cast<size_t>(r));
    if (riga.Tipo == t) return;
    riga.Tipo = t;
    if (t == TipoCaso::Q) {
        // ψ not tabulated start from 0 until typed
        for (CampoForm& c : riga.psi)
            c.Scrivi(Numero(0), 0);
    }
    ScriviPsi(riga);
}

void FinestraCombinazioni::ImpostaCategoria(int r, CategoriaQ c) {
    RigaCaso& riga = Casi.at(static_cast<size_t>(r));
    riga.Categoria = c;
    ScriviPsi(riga);
}

bool FinestraCombinazioni::PsiModificabili(int r) const {
    const RigaCaso& riga = Casi.at(static_cast<size_t>(r));
    CoefficientiPsi psi;
    return riga.Tipo == TipoCaso::Q && !PsiCategoria(riga.Categoria, psi);
}

void FinestraCombinazioni::EditaPsi(int r, int k, const std::string& testo) {
    if (!PsiModificabili(r)) return;
    Casi.at(static_cast<size_t>(r)).psi.at(static_cast<size_t>(k)).Edita(testo);
}

void FinestraCombinazioni::PresetNTC2018() {
    const CoefficientiParziali g = CoefficientiNTC2018();
    const double v[6] = {g.gG1[0], g.gG1[1], g.gG2[0], g.gG2[1], g.gQ[0], g.gQ[1]};
    for (int k = 0; k < 6; ++k)
        txtGamma[static_cast<size_t>(k)].Scrivi(Numero(v[k]), v[k]);
}

void FinestraCombinazioni::PresetEN1990() {
    const CoefficientiParziali g = CoefficientiEN1990();
    const double v[6] = {g.gG1[0], g.gG1[1], g.gG2[0], g.gG2[1], g.gQ[0], g.gQ[1]};
    for (int k = 0; k < 6; ++k)
        txtGamma[static_cast<size_t>(k)].Scrivi(Numero(v[k]), v[k]);
}

void FinestraCombinazioni::ScegliPreset(PresetFreccia p) {
    Preset = p;
    if (p == PresetFreccia::Personalizzato) return; // the numbers stay as typed
    const LimitiFreccia l = LimitiPreset(p);
    txtLimiti[0].Scrivi(Numero(l.Totale), l.Totale);
    txtLimiti[1].Scrivi(Numero(l.Variabili), l.Variabili);
}

void FinestraCombinazioni::EditaLimite(int i, const std::string& testo) {
    CampoForm& c = txtLimiti.at(static_cast<size_t>(i));
    if (c.testo == testo) return;
    c.Edita(testo);
    Preset = PresetFreccia::Personalizzato;
}

bool FinestraCombinazioni::SezioneDisponibile() const {
    const Property* p = Trave.SezioneProgetto.Prop.get();
    return p && p->Area > 0 && p->Density > 0 && std::isfinite(p->Area * p->Density);
}

std::string FinestraCombinazioni::TestoSezione() const {
    if (!SezioneDisponibile()) return "";
    const Property& p = *Trave.SezioneProgetto.Prop;
    const Separatori& s = Trave.Unita.separatori;
    std::string a = Trave.Unita.Etichetta(Grandezza::Area);
    if (a.size() > 2 && a.substr(a.size() - 2) == "^2") a = a.substr(0, a.size() - 2) + "²";
    return "A = " + FormatoCifre(s, 4, Trave.Unita.Mostrata(Grandezza::Area, p.Area)).substr(1) +
           (a.empty() ? "" : " " + a) + ", ρ = " + FormatoNumero(s, p.Density) + " kg/m³";
}

void FinestraCombinazioni::PesoDallaSezione() {
    if (!SezioneDisponibile()) return;
    const Property& p = *Trave.SezioneProgetto.Prop;
    const double q = p.Area * p.Density * Gravita; // N/m
    txtPesoProprio.Scrivi(Numero(Trave.Unita.Mostrata(Grandezza::Carico, q)), q);
    chkPesoProprio = true;
}

bool FinestraCombinazioni::OK() {
    try {
        const Separatori& s = Trave.Unita.separatori;
        std::vector<CasoCarico> casi;
        for (size_t i = 0; i < Casi.size(); ++i) {
            const RigaCaso& r = Casi[i];
            const int n = static_cast<int>(i);
            if (r.Nome.find_first_not_of(" \t") == std::string::npos)
                throw Rifiuto{"Caso N° " + std::to_string(n + 1) +
                              ": il nome non può essere vuoto."};
            for (size_t j = 0; j < i; ++j)
                if (Casi[j].Nome == r.Nome)
                    throw Rifiuto{"Caso N° " + std::to_string(n + 1) + ": il nome \"" + r.Nome +
                                  "\" è già usato dal caso N° " + std::to_string(j + 1) + "."};
            CasoCarico c;
            c.Nome = r.Nome;
            c.Tipo = r.Tipo;
            if (r.Tipo == TipoCaso::Q) {
                c.Categoria = r.Categoria;
                double v[3];
                for (int k = 0; k < 3; ++k) {
                    const std::string luogo = "ψ" + std::to_string(k) + " del " + NomeCaso(r, n);
                    v[k] = Leggi(r.psi[static_cast<size_t>(k)], luogo, s);
                    if (!(v[k] >= 0 && v[k] <= 1))
                        throw Rifiuto{luogo + ": il valore deve essere compreso tra 0 e 1."};
                }
                c.psi0 = v[0];
                c.psi1 = v[1];
                c.psi2 = v[2];
            }
            casi.push_back(std::move(c));
        }
        double g[6];
        for (int k = 0; k < 6; ++k) {
            g[k] = Leggi(txtGamma[static_cast<size_t>(k)], NomiGamma[k], s);
            if (g[k] < 0)
                throw Rifiuto{std::string(NomiGamma[k]) +
                              ": il coefficiente non può essere negativo."};
        }
        double lim[2];
        for (int k = 0; k < 2; ++k) {
            lim[k] = Leggi(txtLimiti[static_cast<size_t>(k)], NomiLimiti[k], s);
            if (!(lim[k] > 0))
                throw Rifiuto{std::string(NomiLimiti[k]) +
                              ": il valore deve essere maggiore di 0."};
        }
        double q = 0;
        if (chkPesoProprio) {
            if (auto e = txtPesoProprio.Esatto(s))
                q = *e;
            else
                q = Trave.Unita.Interna(Grandezza::Carico,
                                        Leggi(txtPesoProprio, "Peso proprio", s));
            if (!std::isfinite(q))
                throw Rifiuto{TestoNumeroFuoriLimiti("Peso proprio", txtPesoProprio.testo)};
            if (q <= 0) throw Rifiuto{"Peso proprio: il valore deve essere maggiore di 0."};
            if (casi.empty())
                throw Rifiuto{"Il peso proprio è un carico permanente: aggiungere almeno un caso "
                              "di carico."};
        }

        // Written: the new index of every old case (-1 removed) for the loads.
        DatiTrave& d = Trave.Modulo.Dati;
        std::vector<int> nuovo(d.Casi.size(), -1);
        for (size_t i = 0; i < Casi.size(); ++i)
            if (Casi[i].Origine >= 0 && Casi[i].Origine < static_cast<int>(nuovo.size()))
                nuovo[static_cast<size_t>(Casi[i].Origine)] = static_cast<int>(i);
        auto rimappa = [&](int16_t& caso) {
            const int o = caso;
            caso = static_cast<int16_t>(o >= 0 && o < static_cast<int>(nuovo.size()) &&
                                                nuovo[static_cast<size_t>(o)] >= 0
                                            ? nuovo[static_cast<size_t>(o)]
                                            : 0);
        };
        if (casi.empty()) {
            for (int i = 1; i <= d.CarichiTrapezi.Conta(); ++i)
                d.CarichiTrapezi(i).Caso = 0;
            for (int i = 1; i <= d.CarichiConcentrati.Conta(); ++i)
                d.CarichiConcentrati(i).Caso = 0;
            for (int i = 1; i <= d.Coppie.Conta(); ++i)
                d.Coppie(i).Caso = 0;
        } else {
            for (int i = 1; i <= d.CarichiTrapezi.Conta(); ++i)
                rimappa(d.CarichiTrapezi(i).Caso);
            for (int i = 1; i <= d.CarichiConcentrati.Conta(); ++i)
                rimappa(d.CarichiConcentrati(i).Caso);
            for (int i = 1; i <= d.Coppie.Conta(); ++i)
                rimappa(d.Coppie(i).Caso);
        }
        // The "Caso" cells of the tables follow their cases.
        if (Trave.ConCasi() && !casi.empty())
            for (int t = 0; t < 3; ++t) {
                GrigliaTesto& gr = Trave.FlexGrid[static_cast<size_t>(t)];
                gr.ChiudiEditore();
                const int c = ColonnaCaso(t);
                for (int i = 1; i < gr.Righe() && c < gr.Colonne(); ++i) {
                    int16_t k = static_cast<int16_t>(CasoCella(gr, i, c, s) - 1);
                    rimappa(k);
                    gr.Scrivi(i, c, std::to_string(k + 1));
                }
            }
        d.Casi = std::move(casi);
        d.Coefficienti.gG1[0] = g[0];
        d.Coefficienti.gG1[1] = g[1];
        d.Coefficienti.gG2[0] = g[2];
        d.Coefficienti.gG2[1] = g[3];
        d.Coefficienti.gQ[0] = g[4];
        d.Coefficienti.gQ[1] = g[5];
        d.Limiti = {lim[0], lim[1]};
        d.PesoProprio = chkPesoProprio;
        if (chkPesoProprio) d.PesoProprioQ = q;
        Trave.ColonnaCasoAggiorna();
        // The envelopes belong to the cases they were calculated with.
        Trave.Modulo.Combinazioni = RisultatiCombinazioni{};
        return true;
    } catch (const Rifiuto& r) {
        Msg.Mostra(r.testo, Icona::Esclamazione);
        return false;
    } catch (const std::exception&) {
        Msg.Mostra(TestoErroreDati);
        return false;
    }
}

std::string TestoPesoProprio(const ModelloForm& trave) {
    const DatiTrave& d = trave.Modulo.Dati;
    if (!d.PesoProprio) return "";
    int k = -1;
    const std::vector<CasoCarico> casi = CasiConPesoProprio(d, &k);
    const UnitMisura& u = trave.Unita;
    const std::string unita = u.Etichetta(Grandezza::Carico);
    std::string t =
        "Peso proprio: q = " +
        FormatoCifre(u.separatori, 4, u.Mostrata(Grandezza::Carico, d.PesoProprioQ)).substr(1) +
        (unita.empty() ? "" : " " + unita) + " su tutta la trave";
    if (k >= 0 && k < static_cast<int>(casi.size()))
        t += ", caso " + std::to_string(k + 1) + " \"" + casi[static_cast<size_t>(k)].Nome + "\"";
    return t;
}

} // namespace zelvo
