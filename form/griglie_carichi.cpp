// Module MsFlex: layout of the load grids and the exact values behind their
// cells.
#include "form/griglie_carichi.h"

#include "core/guasto.h"
#include "io/numeri.h"

namespace zelvo {

bool StessoNumero(const std::string& a, const std::string& b, const Separatori& s) {
    if (a == b) return true;
    const LetturaRegionale la = LeggiRegionale(a, s), lb = LeggiRegionale(b, s);
    return la.Letto() && lb.Letto() && la.valore == lb.valore;
}

std::optional<double> CampoForm::Esatto(const Separatori& s) const {
    if (esatto_ && StessoNumero(testo, testoScritto_, s)) return esatto_;
    return std::nullopt;
}

const std::vector<std::string>& IntestazioniGriglia(int tabella) {
    static const std::vector<std::string> t[3] = {
        {"N°", "q1", "q2", "d1", "d2"}, {"N°", "F", "d"}, {"N°", "W", "d"}};
    if (tabella < 0 || tabella > 2) throw Guasto("tabella inesistente");
    return t[tabella];
}

std::vector<std::string> IntestazioniGriglia(int tabella, bool caso) {
    std::vector<std::string> t = IntestazioniGriglia(tabella);
    if (caso) t.emplace_back(IntestazioneCaso);
    return t;
}

void FormaTabella(GrigliaTesto& g, int righe, const std::vector<std::string>& intestazioni) {
    const auto nc = static_cast<int>(intestazioni.size());
    // The data cells that still fit keep their texts and exact values (a
    // grid grown from 2 to 3 rows keeps its first two rows).
    if (g.Colonne() == nc)
        g.Ridimensiona(righe, nc);
    else
        g.Dimensiona(righe, nc);
    g.ImpostaFisse(1, 1);
    for (int c = 0; c < nc; ++c)
        g.Scrivi(0, c, intestazioni[static_cast<size_t>(c)]);
    for (int r = 1; r < righe; ++r)
        g.Scrivi(r, 0, std::to_string(r));
}

void DimensionaMsFlex(GrigliaTesto& g, int tabella, int16_t n, const Separatori& s, bool caso) {
    const auto intest = IntestazioniGriglia(tabella, caso);
    if (n < 0) throw Guasto("numero di righe negativo");
    // The load-case column added or dropped: the cells of the loads stay.
    if (g.Colonne() > 0 && g.Colonne() != static_cast<int>(intest.size()))
        g.Ridimensiona(g.Righe(), static_cast<int>(intest.size()));
    // The heading row comes on top: a table of 32767 loads (the largest count
    // a file can hold) has 32768 rows.
    FormaTabella(g, n + 1, intest);
    g.perColonne = true;
    g.normalizza = [&s](const std::string& t) { return NormalizzaCampo(s, t); };
    g.numerico = [&s](const std::string& t) { return LeggiRegionale(t, s).Letto(); };
    g.visibile = n > 0;
    g.editor.visibile = false;
    // a new load row starts in the first case
    if (caso)
        for (int r = 1; r <= n; ++r)
            if (g.Testo(r, g.Colonne() - 1).empty()) g.Scrivi(r, g.Colonne() - 1, "1");
}

std::optional<ValoreCella> EsattoCella(const GrigliaTesto& g, int r, int c, const Separatori& s) {
    const auto& v = g.Scritto(r, c);
    if (v && StessoNumero(g.Testo(r, c), v->testo, s)) return v;
    return std::nullopt;
}

Fuoco SuccessivoGriglia(int tabella) {
    if (tabella < 2) return {TipoControllo::TxtRigheGriglia, tabella + 1};
    return {TipoControllo::BtnCalcola, 0};
}

Fuoco PrecedenteGriglia(int tabella) {
    return {TipoControllo::TxtRigheGriglia, tabella};
}

std::string TestoAggiungiRighe(int righeBlocco) {
    return "Il blocco incollato ha " + std::to_string(righeBlocco) +
           " righe: aggiungere le righe mancanti alla tabella?";
}

} // namespace zelvo
