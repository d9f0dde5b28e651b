#include "form/relazione_pdf.h"

#include "form/figura_schema.h"
#include "form/modello_form.h"
#include "form/testi_finestra.h"
#include "graphics/fabbrica_superfici.h"
#include "io/stampa.h"

#include <cstring>
#include <utility>

namespace zelvo {

DatiRelazionePdf DatiRelazionePdfDaForm(const ModelloForm& f) {
    DatiRelazionePdf d;
    d.Testi = TestiDaForm(f);
    d.Figura = f.Figura;
    d.DistanzeParziali = f.Modulo.Dati.DistanzeParziali;
    d.Diagrammi = {&f.Modulo, &f.Unita, &f.Msg, f.NomeFile, f.Servizi.Scale, f.Servizi.Superfici};
    d.Data = DataOdierna();
    return d;
}

namespace {

using Tipo = BloccoDocumento::Tipo;

// "label [unit]", or the label alone without units.
std::string ConUnita(const std::string& etichetta, const std::string& unita) {
    return unita.empty() ? etichetta : etichetta + " [" + unita + "]";
}

std::string Valore(const std::string& testo) {
    return Rifila(testo);
}

BloccoDocumento Sezione(const std::string& testo) {
    BloccoDocumento b;
    b.tipo = Tipo::Sezione;
    b.testo = testo;
    return b;
}

BloccoDocumento Riga(const std::string& testo, bool grassetto = false) {
    BloccoDocumento b;
    b.tipo = Tipo::Riga;
    b.testo = testo;
    b.grassetto = grassetto;
    return b;
}

BloccoDocumento Tabella(TabellaDocumento t) {
    BloccoDocumento b;
    b.tipo = Tipo::Tabella;
    b.tabella = std::move(t);
    return b;
}

// Rows "label | value | unit" twice on a line.
TabellaDocumento Coppie() {
    TabellaDocumento t;
    t.Larghezze = {26, 30, 20, 12, 26, 30, 20};
    t.ADestra = {false, true, false, false, false, true, false};
    return t;
}

void Coppia(TabellaDocumento& t, const std::string& e1, const std::string& v1,
            const std::string& u1, const std::string& e2, const std::string& v2,
            const std::string& u2) {
    t.Righe.push_back({e1, Valore(v1), u1, "", e2, Valore(v2), u2});
}

// Extremes: "quantity | value | unit | at x | unit".
TabellaDocumento Estremi(const std::string& lunghezza) {
    TabellaDocumento t;
    t.Larghezze = {34, 32, 20, 32, 20};
    t.ADestra = {false, true, false, true, false};
    t.Intestazione = {"Grandezza", "Valore", "", "Ascissa x", ""};
    (void)lunghezza;
    return t;
}

void Estremo(TabellaDocumento& t, const std::string& etichetta, const std::string& v,
             const std::string& unita, const std::string& x, const std::string& lunghezza) {
    t.Righe.push_back({etichetta, Valore(v), unita, Valore(x), lunghezza});
}

// A grid as a document table: row 0 the heading, every cell right-aligned,
// the first column (the row numbers) 16 wide and the others `larghezza`.
TabellaDocumento TabellaDaGriglia(const GrigliaTesto& gr, double larghezza) {
    TabellaDocumento tb;
    for (int c = 0; c < gr.Colonne(); ++c) {
        tb.Larghezze.push_back(c == 0 ? 16 : larghezza);
        tb.ADestra.push_back(true);
        tb.Intestazione.push_back(Rifila(gr.Testo(0, c)));
    }
    for (int r = 1; r < gr.Righe(); ++r) {
        std::vector<std::string> riga;
        for (int c = 0; c < gr.Colonne(); ++c)
            riga.push_back(Rifila(gr.Testo(r, c)));
        tb.Righe.push_back(std::move(riga));
    }
    return tb;
}

// A continuous beam's table of the report (row 0 the heading), every cell
// right-aligned; nothing when it has no rows.
void TabellaContinua(std::vector<BloccoDocumento>& b, const std::string& titolo,
                     const GrigliaTesto& gr) {
    if (gr.Righe() <= 1) return;
    b.push_back(Riga(titolo, true));
    b.push_back(Tabella(TabellaDaGriglia(gr, 26)));
}

// A grid as a table with the given column widths, the columns named in
// `aSinistra` left-aligned, the others right-aligned.
TabellaDocumento TabellaLarghezze(const GrigliaTesto& gr, const std::vector<double>& larghezze,
                                  const std::vector<int>& aSinistra = {}) {
    TabellaDocumento tb = TabellaDaGriglia(gr, 20);
    for (size_t c = 0; c < tb.Larghezze.size() && c < larghezze.size(); ++c)
        tb.Larghezze[c] = larghezze[c];
    for (int c : aSinistra)
        if (c >= 0 && size_t(c) < tb.ADestra.size()) tb.ADestra[size_t(c)] = false;
    return tb;
}

// The load cases, combinations, envelopes and deflection checks.
void SezioneCombinazioni(std::vector<BloccoDocumento>& b, const TestiCombinazioni& c,
                         const UnitaRelazione& un) {
    b.push_back(Sezione("Casi di carico e combinazioni"));
    b.push_back(Riga("Casi di carico", true));
    b.push_back(Tabella(TabellaLarghezze(c.Casi, {10, 34, 12, 70, 14, 14, 14}, {1, 2, 3})));
    b.push_back(Riga("Coefficienti parziali", true));
    b.push_back(Tabella(TabellaLarghezze(c.Coefficienti, {30, 30, 30}, {0})));
    b.push_back(Riga("Combinazioni", true));
    for (const std::string& r : c.Formule)
        b.push_back(Riga(r));
    for (const auto& e : c.Inviluppi) {
        if (e.Campate.Righe() > 1) {
            b.push_back(Riga("Inviluppo " + e.Nome + " - campate: M [" + un.Momento + "], x [" +
                                 un.Lunghezza + "], V [" + un.Forza + "]",
                             true));
            b.push_back(Tabella(TabellaLarghezze(e.Campate, {10, 26, 24, 26, 24, 26, 26})));
        }
        if (e.Appoggi.Righe() > 1) {
            b.push_back(Riga("Inviluppo " + e.Nome + " - appoggi: R [" + un.Forza + "], M [" +
                                 un.Momento + "]",
                             true));
            b.push_back(Tabella(TabellaLarghezze(e.Appoggi, {10, 30, 30, 30, 30})));
        }
        for (const std::string& r : e.Governo)
            b.push_back(Riga(r));
    }
    if (c.Frecce.Righe() > 1) {
        b.push_back(Riga("Verifica delle frecce: L, f, f2 [" + un.Lunghezza + "]", true));
        b.push_back(Tabella(TabellaLarghezze(c.Frecce, {10, 18, 20, 16, 18, 20, 16, 18, 30}, {8})));
    }
}

// The steel member checks: the text report's lines (heading, design-action
// basis, the governing check or why none was made), the table of every
// span's checks with their formulas named, a utilisation above 1 in red, then
// the report's account of every formula with its numbers.
// The text report's spelled-out symbols (it is written in Windows-1252) as
// the PDF's fonts draw them: "chiLT" as χLT, "gM0" as γM0, "sqrt(" as √(.
std::string SimboliPdf(std::string s) {
    static const std::pair<const char*, const char*> simboli[] = {
        {"lambdaLT", "λLT"}, {"chiLT", "χLT"},    {"PhiLT", "ΦLT"}, {"alfaLT", "αLT"},
        {"gM0", "γM0"},      {"gM1", "γM1"},      {"sqrt(", "√("},  {"·eps/eta", "·ε/η"},
        {"·eps", "·ε"},      {"eps =", "ε ="},    {"eta·", "η·"},   {"rho =", "ρ ="},
        {"<=", "≤"},         {" - 1)²", " − 1)²"}};
    for (const auto& [da, a] : simboli)
        for (size_t k = s.find(da); k != std::string::npos; k = s.find(da, k + std::strlen(a)))
            s.replace(k, std::strlen(da), a);
    return s;
}

void SezioneVerifiche(std::vector<BloccoDocumento>& b, const TestiRelazione& t) {
    const TestiVerifiche& v = t.TabellaVerifiche;
    b.push_back(Sezione("Verifiche"));
    for (size_t i = 0; i < t.Verifiche.size(); ++i)
        b.push_back(Riga(SimboliPdf(t.Verifiche[i]), i != 1));
    if (!v.Righe.empty()) {
        TabellaDocumento tb;
        tb.Larghezze = {10, 30, 45, 32, 34, 16, 23};
        tb.ADestra = {true, false, false, false, false, true, false};
        tb.Intestazione = {"N°",         "Verifica", "Formula", "Azione",
                           "Resistenza", "Utilizzo", "Esito"};
        for (const auto& r : v.Righe)
            tb.Righe.push_back({r.begin(), r.end()});
        tb.Rosse = v.Rosse;
        b.push_back(Tabella(std::move(tb)));
    }
    if (!t.DettagliVerifiche.empty()) {
        b.push_back(Riga("Calcolo delle verifiche", true));
        for (const std::string& r : t.DettagliVerifiche)
            b.push_back(Riga(SimboliPdf(r)));
    }
    b.push_back(Riga("Non verificati: sezioni di classe 4, imbozzamento per taglio dell'anima, "
                     "torsione, flessione attorno all'asse debole,"));
    b.push_back(Riga("forza assiale, carichi concentrati sull'anima."));
}

} // namespace

Documento DocumentoRelazione(const DatiRelazionePdf& d) {
    const TestiRelazione& t = d.Testi;
    const UnitaRelazione& un = t.Unita;
    const bool fondazione = t.Vincoli == 4;
    Documento doc;
    doc.Titolo = t.Titolo.empty() ? std::string(TitoloRelazionePdf) : t.Titolo;
    doc.Riga2 = std::string(TitoloRelazionePdf) + " - File: " + t.NomeFile;
    doc.Data = d.Data;
    auto& b = doc.Blocchi;

    // --- data ---
    b.push_back(Sezione("Dati"));
    b.push_back(Riga("Titolo: " + t.Titolo));
    {
        TabellaDocumento tb;
        tb.Larghezze = {40, 30, 22};
        tb.ADestra = {false, true, false};
        tb.Righe.push_back({Caption("txtDati", 0), Valore(t.Dati[0]), un.Lunghezza});
        tb.Righe.push_back({"E - " + Tooltip("txtDati", 1), Valore(t.Dati[1]), un.Modulo});
        tb.Righe.push_back({"J - " + Tooltip("txtDati", 2), Valore(t.Dati[2]), un.Inerzia});
        if (fondazione) {
            tb.Righe.push_back({"K - " + Tooltip("txtWinkler", 0), Valore(t.Winkler[0]),
                                Rifila(EtichettaKReport)});
            tb.Righe.push_back(
                {"b - " + Tooltip("txtWinkler", 1), Valore(t.Winkler[1]), un.Lunghezza});
            tb.Righe.push_back({std::string("Vincoli: ") +
                                (t.FondazioneWinkler ? "Fondazione su suolo elastico"
                                                     : "Fondazione infinitamente rigida")});
            tb.Righe.push_back(
                {t.ReagTraz ? "Suolo reagente a trazione" : "Suolo non reagente a trazione"});
        } else {
            tb.Righe.push_back({"Vincoli: " + NomeSchema(t.Vincoli)});
        }
        if (d.DistanzeParziali) tb.Righe.push_back({"Posizioni dei carichi: distanze parziali"});
        BloccoDocumento blocco = Tabella(std::move(tb));
        const FiguraVincoli figura = d.Figura;
        blocco.larghezzaFigura = 84;
        blocco.altezzaFigura = 46;
        blocco.disegno = [figura](Tela& s) {
            DisegnaSchema(s, figura);
            return true;
        };
        b.push_back(std::move(blocco));
    }

    // --- loads ---
    const std::array<std::string, 3> carichi = {
        ConUnita("Carichi distribuiti trapezi", un.CaricoDistribuito),
        ConUnita("Carichi concentrati", un.Forza), ConUnita("Coppie", un.Momento)};
    b.push_back(Sezione("Carichi"));
    for (size_t g = 0; g < 3; ++g) {
        std::string titolo = carichi[g];
        if (!un.Lunghezza.empty()) titolo += ", distanze [" + un.Lunghezza + "]";
        b.push_back(Riga(titolo, true));
        const GrigliaTesto& gr = t.Griglie[g];
        if (t.Righe[g] <= 0 || gr.Righe() <= 1) {
            b.push_back(Riga("Nessuno"));
            continue;
        }
        b.push_back(Tabella(TabellaDaGriglia(gr, 30)));
    }

    const bool continua = t.Vincoli == 5;
    // The extremes of M, V and f with their abscissae (a beam's results).
    auto EstremiTrave = [&](const auto& r) {
        b.push_back(Riga("Valori estremi", true));
        TabellaDocumento e = Estremi(un.Lunghezza);
        Estremo(e, Caption("txtRis", 6), r[6], un.Momento, r[7], un.Lunghezza);
        Estremo(e, Caption("txtRis", 8), r[8], un.Momento, r[9], un.Lunghezza);
        Estremo(e, Caption("txtRis", 10), r[10], un.Lunghezza, r[11], un.Lunghezza);
        b.push_back(Tabella(std::move(e)));
    };
    if (continua) {
        b.push_back(Sezione("Campate e appoggi"));
        TabellaContinua(b, "Campate: L [" + un.Lunghezza + "], J [" + un.Inerzia + "]", t.Campate);
        TabellaContinua(
            b, "Appoggi: k [" + un.CaricoDistribuito + "], cedimento [" + un.Lunghezza + "]",
            t.Appoggi);
    }

    // --- results ---
    b.push_back(Sezione("Risultati"));
    if (continua) {
        TabellaContinua(b,
                        "Appoggi: x [" + un.Lunghezza + "], R [" + un.Forza + "], M [" +
                            un.Momento + "], rotazione [rad], w [" + un.Lunghezza + "]",
                        t.RisAppoggi);
        TabellaContinua(
            b, "Campate: M [" + un.Momento + "], x [" + un.Lunghezza + "], V [" + un.Forza + "]",
            t.RisCampate);
        TabellaContinua(b, "Frecce: f [" + un.Lunghezza + "], x [" + un.Lunghezza + "]",
                        t.RisFrecce);
        EstremiTrave(t.Ris);
    } else if (fondazione) {
        const auto& f = t.Fond;
        b.push_back(Riga("Pressioni sul terreno agli estremi", true));
        TabellaDocumento p = Coppie();
        Coppia(p, Caption("txtFond", 0), f[0], un.Modulo, Caption("txtFond", 4), f[4], un.Modulo);
        b.push_back(Tabella(std::move(p)));
        b.push_back(Riga("Valori massimi", true));
        TabellaDocumento e = Estremi(un.Lunghezza);
        Estremo(e, Caption("txtFond", 1), f[1], un.Momento, f[5], un.Lunghezza);
        Estremo(e, Caption("txtFond", 2), f[2], un.ForzaModello, f[6], un.Lunghezza);
        Estremo(e, Caption("txtFond", 3), f[3], un.Lunghezza, f[7], un.Lunghezza);
        Estremo(e, Caption("txtFond", 8), f[8], un.Modulo, f[9], un.Lunghezza);
        b.push_back(Tabella(std::move(e)));
    } else {
        const auto& r = t.Ris;
        b.push_back(Riga("Reazioni vincolari, momenti e rotazioni agli estremi", true));
        TabellaDocumento p = Coppie();
        Coppia(p, Caption("txtRis", 2), r[2], un.Forza, Caption("txtRis", 3), r[3], un.Forza);
        Coppia(p, Caption("txtRis", 0), r[0], un.Momento, Caption("txtRis", 1), r[1], un.Momento);
        Coppia(p, Caption("txtRis", 4), r[4], "rad", Caption("txtRis", 5), r[5], "rad");
        b.push_back(Tabella(std::move(p)));
        EstremiTrave(t.Ris);
    }
    {
        b.push_back(Riga(Caption("frRisultatiInX"), true));
        TabellaDocumento x;
        const size_t n = fondazione ? 5 : 4;
        const std::array<std::string, 5> unita = {un.Lunghezza, un.Momento, un.Forza, un.Lunghezza,
                                                  un.Modulo};
        std::vector<std::string> riga;
        for (size_t i = 0; i < n; ++i) {
            x.Larghezze.push_back(36);
            x.ADestra.push_back(true);
            x.Intestazione.push_back(ConUnita(Caption("txtX", int(i)), unita[i]));
            riga.push_back(Valore(t.X[i]));
        }
        x.Righe.push_back(std::move(riga));
        b.push_back(Tabella(std::move(x)));
    }

    if (t.Combinazioni.Presenti()) SezioneCombinazioni(b, t.Combinazioni, un);
    if (t.TabellaVerifiche.Presente) SezioneVerifiche(b, t);

    // --- diagrams: each in the band the printed page gives it ---
    BloccoDocumento pagina;
    pagina.tipo = Tipo::NuovaPagina;
    b.push_back(pagina);
    b.push_back(Sezione("Diagrammi"));
    struct Banda {
        TipoDiagramma diagramma;
        int voce; // the diagram button whose tooltip is the caption
        double basso, alto;
    };
    for (const Banda& bd :
         {Banda{TipoDiagramma::Momento, 0, 0.66, 1.0}, Banda{TipoDiagramma::Taglio, 1, 0.33, 0.66},
          Banda{TipoDiagramma::Carichi, 2, 0.05, 0.33}}) {
        BloccoDocumento f;
        f.tipo = Tipo::Figura;
        f.testo = Tooltip("cbDiagramma", bd.voce);
        f.altezzaFigura = 76;
        const ContestoDiagrammi c = d.Diagrammi;
        f.disegno = [c, bd](Tela& riquadro) {
            // The page is sized so that the diagram's band fills the box,
            // less room for the labels beside the beam's ends.
            riquadro.ScalaDefault();
            const double mm = riquadro.Risoluzione() / 25.4;
            const double w = riquadro.LarghezzaDispositivo();
            const double h = riquadro.AltezzaDispositivo();
            const double sinistra = 8 * mm, destra = 26 * mm, sopra = 2 * mm, sotto = 2 * mm;
            const double pw = (w - sinistra - destra) / (0.9 - 0.15);
            const double ph = (h - sopra - sotto) / (bd.alto - bd.basso);
            TelaRegione pagina(riquadro, sinistra - 0.15 * pw, sopra - (1 - bd.alto) * ph, pw, ph);
            SuperficieStampante s(pagina);
            Plotta p;
            return p.PlottaDiagramma(c, bd.diagramma, s);
        };
        b.push_back(std::move(f));
    }
    return doc;
}

bool ScriviRelazionePdf(const DatiRelazionePdf& d, const std::string& percorso, Messaggi& msg) {
    if (!d.Diagrammi.Modulo || !d.Diagrammi.Modulo->Risultati.Calcolato) {
        msg.Mostra(TestoSenzaCalcolo, Icona::Esclamazione);
        return false;
    }
    if (!SuperficiDisponibili(d.Diagrammi.Superfici, msg)) return false;
    const std::unique_ptr<StampantePagine> pdf = d.Diagrammi.Superfici->StampantePdf(percorso);
    return StampaDocumento(DocumentoRelazione(d), *pdf, msg);
}

bool RelazionePdfFile(const ModelloForm& f, const std::string& percorso, Messaggi& msg) {
    return ScriviRelazionePdf(DatiRelazionePdfDaForm(f), percorso, msg);
}

} // namespace zelvo
