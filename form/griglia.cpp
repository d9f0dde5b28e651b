// Module MsFlex: layout of the load grids, reading and writing of their
// cells, and the in-place cell editor as a state machine.
#include "core/guasto.h"
#include "form/modello_form.h"
#include "io/numeri.h"

namespace zelvo {

namespace {

// Same number: the kept value survives a re-confirmed display.
bool StessoNumero(const std::string& a, const std::string& b, const Separatori& s) {
    if (a == b) return true;
    const LetturaUtente la = LeggiUtente(a, s), lb = LeggiUtente(b, s);
    return la.numero && lb.numero && !la.fuoriLimiti && !lb.fuoriLimiti && la.valore == lb.valore;
}

// UTF-8 text of one character code.
std::string TestoCarattere(int c) {
    std::string s;
    const auto u = static_cast<unsigned>(c);
    if (u < 0x80) {
        s += static_cast<char>(u);
    } else if (u < 0x800) {
        s += static_cast<char>(0xC0 | (u >> 6));
        s += static_cast<char>(0x80 | (u & 0x3F));
    } else {
        s += static_cast<char>(0xE0 | ((u >> 12) & 0x0F));
        s += static_cast<char>(0x80 | ((u >> 6) & 0x3F));
        s += static_cast<char>(0x80 | (u & 0x3F));
    }
    return s;
}

int Lunghezza(const std::string& s) {
    // Characters, not bytes (UTF-8).
    int n = 0;
    for (unsigned char ch : s)
        if ((ch & 0xC0) != 0x80) ++n;
    return n;
}

} // namespace

std::optional<double> CampoForm::Esatto(const Separatori& s) const {
    if (esatto_ && StessoNumero(testo, testoScritto_, s)) return esatto_;
    return std::nullopt;
}

// ---------------------------------------------------------------------------
int GrigliaForm::Indice(int r, int c) const {
    if (r < 0 || r >= righe || c < 0 || c >= colonne) throw Guasto("cella fuori dalla griglia");
    return r * colonne + c;
}

const std::string& GrigliaForm::Testo(int r, int c) const {
    return testi.at(static_cast<size_t>(Indice(r, c)));
}

void GrigliaForm::ImpostaTesto(int r, int c, const std::string& t) {
    testi.at(static_cast<size_t>(Indice(r, c))) = t;
}

void GrigliaForm::Scrivi(int r, int c, const std::string& t) {
    const auto i = static_cast<size_t>(Indice(r, c));
    testi.at(i) = t;
    esatti.at(i).reset();
}

void GrigliaForm::Scrivi(int r, int c, const std::string& t, const ValoreCella& v) {
    const auto i = static_cast<size_t>(Indice(r, c));
    testi.at(i) = t;
    ValoreCella w = v;
    w.testo = t;
    esatti.at(i) = w;
}

std::optional<ValoreCella> GrigliaForm::Esatto(int r, int c, const Separatori& s) const {
    const auto i = static_cast<size_t>(Indice(r, c));
    const auto& e = esatti.at(i);
    if (e && StessoNumero(testi.at(i), e->testo, s)) return e;
    return std::nullopt;
}

void GrigliaForm::Dimensiona(int16_t nRighe, int16_t nColonne) {
    if (nRighe < 1 || nColonne < 1) throw Guasto("griglia senza righe o colonne");
    righe = nRighe;
    colonne = nColonne;
    const auto n = static_cast<size_t>(nRighe) * static_cast<size_t>(nColonne);
    testi.assign(n, std::string());
    esatti.assign(n, std::nullopt);
    larghezzeColonne.assign(static_cast<size_t>(nColonne), 0.0);
    allineamentoColonne.assign(static_cast<size_t>(nColonne), 2);
    if (riga >= righe) riga = righe - 1;
    if (colonna >= colonne) colonna = colonne - 1;
}

double GrigliaForm::SinistraColonna(int c) const {
    if (c < 0 || c >= colonne) throw Guasto("colonna fuori dalla griglia");
    double x = 0;
    for (int k = 0; k < c && k < static_cast<int>(larghezzeColonne.size()); ++k)
        x += larghezzeColonne[static_cast<size_t>(k)];
    return x;
}

const std::vector<std::string>& IntestazioniGriglia(int tabella) {
    static const std::vector<std::string> t[3] = {
        {"N°", "q1", "q2", "d1", "d2"}, {"N°", "F", "d"}, {"N°", "W", "d"}};
    if (tabella < 0 || tabella > 2) throw Guasto("tabella inesistente");
    return t[tabella];
}

// ---------------------------------------------------------------------------
void DimensionaMsFlex(GrigliaForm& g, int tabella, int16_t n) {
    const auto& intest = IntestazioniGriglia(tabella);
    if (n < 0) throw Guasto("numero di righe negativo");
    g.indice = tabella;
    const int16_t nr = Conteggio16(static_cast<long long>(n) + 1);
    const auto nc = static_cast<int16_t>(intest.size());
    // The data cells that still fit keep their texts and exact values (a
    // grid grown from 2 to 3 rows keeps its first two rows).
    const GrigliaForm vecchia = g;
    g.Dimensiona(nr, nc);
    if (vecchia.colonne == nc)
        for (int r = 1; r < nr && r < vecchia.righe; ++r)
            for (int c = 1; c < nc; ++c) {
                const auto iv = static_cast<size_t>(vecchia.Indice(r, c));
                const auto in = static_cast<size_t>(g.Indice(r, c));
                g.testi[in] = vecchia.testi[iv];
                g.esatti[in] = vecchia.esatti[iv];
            }
    for (int c = 0; c < nc; ++c)
        g.Scrivi(0, c, intest[static_cast<size_t>(c)]);
    for (int r = 1; r < nr; ++r)
        g.Scrivi(r, 0, std::to_string(r));
    g.larghezzeColonne[0] = 400;
    const double lc = (g.larghezza - 320 - 400) / (nc - 1);
    for (int c = 1; c < nc; ++c)
        g.larghezzeColonne[static_cast<size_t>(c)] = lc;
    for (auto& a : g.allineamentoColonne)
        a = 2;
    if (tabella < 2)
        g.successivo = {TipoControllo::TxtRigheGriglia, tabella + 1};
    else
        g.successivo = {TipoControllo::BtnCalcola, 0};
    g.visibile = n > 0;
    g.editor.visibile = false;
}

std::string LeggeCella(const GrigliaForm& g, int r, int c) {
    return g.Testo(r, c);
}

void ScriveCella(GrigliaForm& g, int r, int c, const std::string& t) {
    g.Scrivi(r, c, t);
}

std::vector<std::vector<std::string>> LeggeGrigliaTesti(const GrigliaForm& g, int primaRiga,
                                                        int primaColonna) {
    std::vector<std::vector<std::string>> a;
    for (int r = primaRiga; r < g.righe; ++r) {
        a.emplace_back();
        for (int c = primaColonna; c < g.colonne; ++c)
            a.back().push_back(g.Testo(r, c));
    }
    return a;
}

std::vector<std::vector<double>> LeggeGrigliaNumeri(const GrigliaForm& g, const Separatori& s,
                                                    int primaRiga, int primaColonna) {
    std::vector<std::vector<double>> a;
    for (int r = primaRiga; r < g.righe; ++r) {
        a.emplace_back();
        for (int c = primaColonna; c < g.colonne; ++c) {
            const std::string& t = g.Testo(r, c);
            if (!InizioNumerico(t, s)) throw Guasto("cella non numerica");
            a.back().push_back(ValoreNumerico(t, s));
        }
    }
    return a;
}

void ScriveGriglia(GrigliaForm& g, const std::vector<std::vector<double>>& valori,
                   const std::function<std::string(double)>& formato) {
    for (size_t i = 0; i < valori.size(); ++i)
        for (size_t j = 0; j < valori[i].size(); ++j)
            g.Scrivi(static_cast<int>(i) + 1, static_cast<int>(j) + 1, formato(valori[i][j]));
}

// ---------------------------------------------------------------------------
// The editor.

void EditaCella(GrigliaForm& g, const Separatori& s, Fuoco& fuoco, int carattere) {
    if (g.riga < 1 || g.colonna < 1) return; // no data cell is current
    const std::string& cella = g.Testo(g.riga, g.colonna);
    EditorCella& e = g.editor;
    if (carattere <= 0) {
        e.testo = InizioNumerico(cella, s) ? cella : std::string();
        e.selInizio = 0;
        e.selLunghezza = Lunghezza(e.testo);
    } else if (carattere > 32) {
        e.testo = TestoCarattere(carattere);
        e.selInizio = Lunghezza(e.testo);
        e.selLunghezza = 0;
    } else {
        e.testo = cella;
        e.selInizio = Lunghezza(e.testo);
        e.selLunghezza = 0;
    }
    e.sinistra = g.sinistra + g.SinistraColonna(g.colonna);
    e.alto = g.alto + g.riga * g.altezzaRiga;
    e.larghezza = g.larghezzeColonne.at(static_cast<size_t>(g.colonna));
    e.altezza = g.altezzaRiga;
    e.visibile = true;
    fuoco = {TipoControllo::TxtEdit, g.indice};
}

void EditorPerdeFuoco(GrigliaForm& g, const Separatori& s) {
    EditorCella& e = g.editor;
    e.testo = NormalizzaCampo(s, e.testo);
    if (e.visibile) {
        if (g.riga >= 1 && g.colonna >= 1) g.ImpostaTesto(g.riga, g.colonna, e.testo);
        e.visibile = false;
    }
}

void GrigliaCommitEditor(GrigliaForm& g) {
    EditorCella& e = g.editor;
    if (!e.visibile) return;
    if (g.riga >= 1 && g.colonna >= 1) g.ImpostaTesto(g.riga, g.colonna, e.testo);
    e.visibile = false;
}

void TastiEditor(GrigliaForm& g, const Separatori& s, Fuoco& fuoco, int tasto, int /*shift*/,
                 bool perColonne) {
    const int ultimaRiga = g.righe - 1;
    const int ultimaColonna = g.colonne - 1;
    switch (tasto) {
    case CodiceInvio: {
        fuoco = {TipoControllo::FlexGrid, g.indice};
        EditorPerdeFuoco(g, s); // the grid takes the focus: commit
        int r = g.riga, c = g.colonna;
        if (perColonne) {
            if (c < ultimaColonna) {
                ++c;
            } else {
                c = 1;
                ++r;
            }
        } else {
            if (r < ultimaRiga) {
                ++r;
            } else {
                r = 1;
                ++c;
            }
        }
        if (r > ultimaRiga || c > ultimaColonna) {
            fuoco = g.successivo;
            return;
        }
        g.riga = r;
        g.colonna = c;
        EditaCella(g, s, fuoco, 0);
        break;
    }
    case CodiceEsc:
        g.editor.visibile = false;
        fuoco = {TipoControllo::FlexGrid, g.indice};
        break;
    case CodiceSu:
    case CodiceGiu:
        fuoco = {TipoControllo::FlexGrid, g.indice};
        EditorPerdeFuoco(g, s);
        if (tasto == CodiceSu && g.riga > 1) --g.riga;
        if (tasto == CodiceGiu && g.riga < ultimaRiga) ++g.riga;
        break;
    default:
        break;
    }
}

void GrigliaTasto(GrigliaForm& g, const Separatori& s, Fuoco& fuoco, int carattere) {
    EditaCella(g, s, fuoco, carattere);
}

void GrigliaSelezionaCella(GrigliaForm& g, const Separatori& s, Fuoco& fuoco, int r, int c) {
    GrigliaCommitEditor(g);
    if (r < 1 || r >= g.righe || c < 1 || c >= g.colonne) return; // headings are not editable
    g.riga = r;
    g.colonna = c;
    EditaCella(g, s, fuoco, 0);
}

void ZoomGriglia(GrigliaForm& g, double altezzaFinestra) {
    g.zoom = !g.zoom;
    if (g.zoom) {
        g.altezzaNormale = g.altezza;
        g.altezza = altezzaFinestra - g.alto - 800;
    } else {
        g.altezza = g.altezzaNormale;
    }
}

} // namespace zelvo
