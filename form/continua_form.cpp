// The continuous beam's count, tables and results in the main window.
#include "form/continua_form.h"

#include "core/guasto.h"
#include "core/messaggi.h"
#include "form/griglie_carichi.h"
#include "form/modello_form.h"
#include "io/numeri.h"

#include <algorithm>
#include <cctype>
#include <cmath>

namespace zelvo {

namespace {

constexpr TipoAppoggio TipiAppoggio[] = {TipoAppoggio::Incastro, TipoAppoggio::Appoggio,
                                         TipoAppoggio::Molla, TipoAppoggio::Libero};
constexpr int MassimoCampate = 32766; // the supports, one more, fit a 16-bit count

const std::string ErroreGriglia = "Errore in LeggeGriglia";

// Quantity of data column c (1-based) of table t (the supports' Tipo: none).
Grandezza GrandezzaColonna(int t, int c) {
    if (t == TabellaCampate) return c == 1 ? Grandezza::Lunghezza : Grandezza::Inerzia;
    return c == 2 ? GrandezzaRigidezza : Grandezza::Lunghezza;
}

std::string NomeCella(int t, int r, int c) {
    return NomeTabellaContinua(t) + ", riga " + std::to_string(r) + ", colonna " +
           IntestazioniContinua(t).at(static_cast<size_t>(c));
}

std::string Minuscolo(std::string s) {
    for (char& ch : s)
        ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
    return s;
}

// The count of spans typed in `c`: a whole number from `minimo` to the
// largest count, or refused with the focus on the field.
int CampateLette(const CampoForm& c, const Separatori& s, int minimo) {
    const LetturaRegionale l = LeggiRegionale(c.testo, s);
    if (!l.Letto() || l.valore != std::floor(l.valore) || l.valore < minimo ||
        l.valore > MassimoCampate)
        throw DatoRifiutato{std::string(CaptionCampate) + ": \"" + c.testo + "\" non è valido." +
                                ACapo + CaptionCampate + " deve essere un numero intero da 1 a " +
                                FormatoNumero(s, MassimoCampate) + ".",
                            {TipoControllo::TxtCampate, 0}};
    return static_cast<int>(l.valore);
}

} // namespace

const std::vector<std::string>& IntestazioniContinua(int tabella) {
    static const std::vector<std::string> t[2] = {{"N°", "L", "J"},
                                                  {"N°", "Tipo", "k", "Cedimento"}};
    if (tabella < 0 || tabella > 1) throw Guasto("tabella inesistente");
    return t[tabella];
}

std::string NomeTabellaContinua(int tabella) {
    return tabella == TabellaCampate ? "Campate" : "Appoggi";
}

const char* ParolaAppoggio(TipoAppoggio t) {
    switch (t) {
    case TipoAppoggio::Incastro:
        return "Incastro";
    case TipoAppoggio::Appoggio:
        return "Appoggio";
    case TipoAppoggio::Molla:
        return "Molla";
    case TipoAppoggio::Libero:
        return "Libero";
    }
    return "";
}

std::optional<TipoAppoggio> TipoAppoggioDaTesto(const std::string& testo) {
    const size_t a = testo.find_first_not_of(" \t");
    if (a == std::string::npos) return std::nullopt;
    const size_t b = testo.find_last_not_of(" \t");
    const std::string t = Minuscolo(testo.substr(a, b - a + 1));
    // The four words begin with four different letters: any beginning names one.
    for (TipoAppoggio k : TipiAppoggio) {
        const std::string parola = Minuscolo(ParolaAppoggio(k));
        if (t.size() <= parola.size() && parola.compare(0, t.size(), t) == 0) return k;
    }
    return std::nullopt;
}

std::string TestoTipoRifiutato(int riga, const std::string& testo) {
    return NomeCella(TabellaAppoggi, riga, 1) + ": \"" + testo + "\" non è un tipo di appoggio." +
           ACapo + "Scrivere Incastro, Appoggio, Molla o Libero.";
}

ContinuaForm::ContinuaForm(ModelloForm& m) : m_(m) {
    Inizializza();
}

bool ContinuaForm::Visibile() const {
    return m_.Optschema == Continua;
}

GrigliaTesto& ContinuaForm::G(int t) {
    return Griglia.at(static_cast<size_t>(t));
}

void ContinuaForm::Inizializza() {
    txtCampate.Scrivi("0");
    for (GrigliaTesto& g : Griglia)
        g.Dimensiona(0, 0);
    Dimensiona(0);
    RisAppoggi = RisCampate = GrigliaTesto();
    VisualizzaUnits();
}

void ContinuaForm::VisualizzaUnits() {
    lblRigidezza = m_.Unita.Etichetta(GrandezzaRigidezza);
}

// n spans: the cells that still fit keep their texts and values; a new span
// takes the J the "J" field shows, a new support is a hinged one without
// settlement.
void ContinuaForm::Dimensiona(int16_t n) {
    const Separatori& s = m_.Unita.separatori;
    for (int t = 0; t < 2; ++t) {
        GrigliaTesto& g = G(t);
        const auto& intest = IntestazioniContinua(t);
        const auto nc = static_cast<int>(intest.size());
        const int primaNuova = g.Colonne() == nc ? std::max(g.Righe(), 1) : 1;
        const int nr = n + 1 + (t == TabellaAppoggi && n > 0 ? 1 : 0);
        FormaTabella(g, nr, intest);
        for (int r = primaNuova; r < nr; ++r) {
            if (t == TabellaCampate) {
                const CampoForm& j = m_.txtDati[2];
                if (const auto e = j.Esatto(s))
                    g.Scrivi(r, 2, j.testo, ValoreCella{*e, *e, j.testo});
                else
                    g.Scrivi(r, 2, j.testo);
            } else {
                g.Scrivi(r, 1, ParolaAppoggio(TipoAppoggio::Appoggio));
                g.Scrivi(r, 2, "0");
                g.Scrivi(r, 3, "0");
            }
        }
        g.perColonne = true;
        g.numerico = [&s](const std::string& x) {
            return LeggiRegionale(x, s).Letto() || TipoAppoggioDaTesto(x).has_value();
        };
        // A support kind (the supports' column Tipo) becomes its full word,
        // a number the regional form.
        g.normalizza = [&s, &g, t](const std::string& x) {
            if (t == TabellaAppoggi && g.colonna == 1)
                if (const auto k = TipoAppoggioDaTesto(x)) return std::string(ParolaAppoggio(*k));
            return NormalizzaCampo(s, x);
        };
        g.visibile = n > 0;
        g.editor.visibile = false;
    }
}

void ContinuaForm::Scrive() {
    const DatiTrave& d = m_.Modulo.Dati;
    const auto n = static_cast<int16_t>(std::min<size_t>(d.Campate.size(), MassimoCampate));
    txtCampate.Scrivi(std::to_string(n));
    for (GrigliaTesto& g : Griglia)
        g.Dimensiona(0, 0);
    Dimensiona(n);
    auto scrivi = [&](GrigliaTesto& g, int r, int c, Grandezza q, double v) {
        g.Scrivi(r, c, m_.TestoUnita(q, v, false), ValoreCella{v, v, {}});
    };
    for (int i = 0; i < n; ++i) {
        const CampataContinua& c = d.Campate[static_cast<size_t>(i)];
        scrivi(G(0), i + 1, 1, Grandezza::Lunghezza, c.L);
        scrivi(G(0), i + 1, 2, Grandezza::Inerzia, c.J);
    }
    for (int i = 0; n > 0 && i <= n; ++i) {
        const AppoggioContinuo a = static_cast<size_t>(i) < d.Appoggi.size()
                                       ? d.Appoggi[static_cast<size_t>(i)]
                                       : AppoggioContinuo{};
        G(1).Scrivi(i + 1, 1, ParolaAppoggio(a.Tipo));
        scrivi(G(1), i + 1, 2, GrandezzaRigidezza, a.k);
        scrivi(G(1), i + 1, 3, Grandezza::Lunghezza, a.Cedimento);
    }
    VisualizzaUnits();
}

ContinuaForm::Lunghezza ContinuaForm::Legge(DatiTrave& d, bool perSalvare) const {
    const Separatori& s = m_.Unita.separatori;
    const Fuoco campo{TipoControllo::TxtCampate, 0};
    int n = 0;
    if (perSalvare) {
        // A save keeps the rows the tables show.
        n = std::max(Griglia[0].Righe() - 1, 0);
    } else {
        n = CampateLette(txtCampate, s, 1);
        for (int t = 0; t < 2; ++t) {
            const int righe = std::max(Griglia[static_cast<size_t>(t)].Righe() - 1, 0);
            const int attese = t == 0 ? n : n + 1;
            if (righe != attese)
                throw DatoRifiutato{ErroreGriglia + ACapo + NomeTabellaContinua(t) + ": " +
                                        CaptionCampate + " = " + std::to_string(n) +
                                        " ma la tabella ha " + std::to_string(righe) +
                                        " righe (premere Invio nel campo " + CaptionCampate + ").",
                                    campo};
        }
    }
    // One number cell: its exact value while unedited, else the typed text.
    auto numero = [&](int t, int r, int c) -> double {
        const GrigliaTesto& g = Griglia[static_cast<size_t>(t)];
        if (const auto e = EsattoCella(g, r, c, s)) return e->assoluto;
        const std::string& testo = g.TestoOVuoto(r, c);
        const LetturaRegionale l = LeggiRegionale(testo, s);
        auto rifiuta = [&](const std::string& seconda) {
            throw DatoRifiutato{
                ErroreGriglia + ACapo + seconda, {TipoControllo::GrigliaContinua, t}, r, c};
        };
        if (l.esito == EsitoRegionale::Vuoto) {
            if (!perSalvare) rifiuta(NomeCella(t, r, c) + ": la cella è vuota.");
            return 0;
        }
        if (l.esito == EsitoRegionale::NonNumero)
            rifiuta(TestoNumeroRifiutato(NomeCella(t, r, c), testo, s));
        const double v = l.Letto() ? m_.Unita.Interna(GrandezzaColonna(t, c), l.valore) : 0;
        if (!l.Letto() || !std::isfinite(v))
            rifiuta(TestoNumeroFuoriLimiti(NomeCella(t, r, c), testo));
        return v;
    };
    Lunghezza lung;
    std::vector<CampataContinua> campate(static_cast<size_t>(n));
    for (int i = 1; i <= n; ++i) {
        CampataContinua& c = campate[static_cast<size_t>(i - 1)];
        c.L = numero(0, i, 1);
        c.J = numero(0, i, 2);
        lung.totale += c.L;
        lung.intatta = lung.intatta && EsattoCella(Griglia[0], i, 1, s).has_value();
    }
    const int na = perSalvare ? std::max(Griglia[1].Righe() - 1, 0) : n + 1;
    std::vector<AppoggioContinuo> appoggi(static_cast<size_t>(na));
    for (int i = 1; i <= na; ++i) {
        AppoggioContinuo& a = appoggi[static_cast<size_t>(i - 1)];
        const std::string& testo = Griglia[1].TestoOVuoto(i, 1);
        const auto k = TipoAppoggioDaTesto(testo);
        if (!k && !(perSalvare && testo.find_first_not_of(" \t") == std::string::npos))
            throw DatoRifiutato{TestoTipoRifiutato(i, testo),
                                {TipoControllo::GrigliaContinua, TabellaAppoggi},
                                i,
                                1};
        a.Tipo = k.value_or(TipoAppoggio::Appoggio);
        a.k = numero(1, i, 2);
        a.Cedimento = numero(1, i, 3);
    }
    lung.intatta = lung.intatta && static_cast<size_t>(n) == d.Campate.size();
    d.Campate = std::move(campate);
    d.Appoggi = std::move(appoggi);
    if (!std::isfinite(lung.totale)) lung.totale = 0;
    return lung;
}

double ContinuaForm::LunghezzaDigitata() const {
    double L = 0;
    for (const CampataContinua& c : CampateDigitate())
        L += c.L;
    return std::isfinite(L) ? L : 0;
}

std::vector<CampataContinua> ContinuaForm::CampateDigitate() const {
    const Separatori& s = m_.Unita.separatori;
    const GrigliaTesto& g = Griglia[0];
    std::vector<CampataContinua> v;
    auto valore = [&](int r, int c) {
        if (const auto e = EsattoCella(g, r, c, s)) return e->assoluto;
        const LetturaRegionale l = LeggiRegionale(g.TestoOVuoto(r, c), s);
        const double x = l.Letto() ? m_.Unita.Interna(GrandezzaColonna(0, c), l.valore) : 0;
        return std::isfinite(x) ? x : 0;
    };
    for (int r = 1; r < g.Righe(); ++r)
        v.push_back({valore(r, 1), valore(r, 2)});
    return v;
}

std::vector<AppoggioContinuo> ContinuaForm::AppoggiDigitati() const {
    const GrigliaTesto& g = Griglia[1];
    std::vector<AppoggioContinuo> v;
    for (int r = 1; r < g.Righe(); ++r) {
        AppoggioContinuo a;
        a.Tipo = TipoAppoggioDaTesto(g.TestoOVuoto(r, 1)).value_or(TipoAppoggio::Appoggio);
        v.push_back(a);
    }
    return v;
}

void ContinuaForm::RisultatiScrive() {
    const RisultatiContinua& c = m_.Modulo.Continua;
    const UnitMisura& u = m_.Unita;
    auto unita = [&](Grandezza g) { return u.Etichetta(g); };
    using Righe = std::vector<std::vector<std::string>>;
    // Two heading rows: the names, then their units.
    const std::string L = unita(Grandezza::Lunghezza), F = unita(Grandezza::Forza),
                      M = unita(Grandezza::Momento);
    Righe ra{{"N°", "x", "R", "M", "Rotaz.", "Spost."}, {"", L, F, M, "rad", L}};
    Righe rc{{"N°", "M+", "x M+", "M-", "x M-", "|V| max", "f max", "x f max", "L/f"},
             {"", M, L, M, L, F, L, L, ""}};
    auto testo = [&](Grandezza g, double v) {
        std::string t = m_.TestoUnita(g, v, false);
        t.erase(0, t.find_first_not_of(' '));
        return t;
    };
    if (m_.Calcolato && c.Calcolato()) {
        for (size_t i = 0; i < c.Appoggi.size(); ++i) {
            const RisultatoAppoggio& a = c.Appoggi[i];
            ra.push_back({std::to_string(i + 1), testo(Grandezza::Lunghezza, a.x),
                          testo(Grandezza::Forza, a.Reazione), testo(Grandezza::Momento, a.Momento),
                          FormatoCifre(u.separatori, 10, Numero(a.Rotazione)),
                          testo(Grandezza::Lunghezza, a.Spostamento)});
        }
        for (size_t i = 0; i < c.Campate.size(); ++i) {
            const RisultatoCampata& s = c.Campate[i];
            rc.push_back(
                {std::to_string(i + 1), testo(Grandezza::Momento, s.Mmax),
                 testo(Grandezza::Lunghezza, s.xMmax), testo(Grandezza::Momento, s.Mmin),
                 testo(Grandezza::Lunghezza, s.xMmin), testo(Grandezza::Forza, std::abs(s.Vmax)),
                 testo(Grandezza::Lunghezza, s.fMaxGiu), testo(Grandezza::Lunghezza, s.xfMaxGiu),
                 s.LSuF > 0 ? FormatoNumero(u.separatori, Numero(std::round(s.LSuF))) : "-"});
        }
    }
    RisAppoggi = GrigliaTesto::DaRighe(ra, 2, 1);
    RisCampate = GrigliaTesto::DaRighe(rc, 2, 1);
}

void ContinuaForm::AggiornaLuce() {
    if (!Visibile()) return;
    const double L = LunghezzaDigitata();
    m_.txtDati[0].Scrivi(m_.TestoUnita(Grandezza::Lunghezza, L, true), L);
}

// ---------------------------------------------------------------------------
// Events.

Fuoco ContinuaForm::Successivo(int t) {
    if (t == TabellaCampate) return {TipoControllo::GrigliaContinua, TabellaAppoggi};
    return {TipoControllo::TxtRigheGriglia, 0};
}

Fuoco ContinuaForm::Precedente(int t) {
    if (t == TabellaCampate) return {TipoControllo::TxtCampate, 0};
    return {TipoControllo::GrigliaContinua, TabellaCampate};
}

void ContinuaForm::Esito(int t, EsitoTasto e) {
    switch (e) {
    case EsitoTasto::Editor:
        m_.fuoco = {TipoControllo::EditContinua, t};
        break;
    case EsitoTasto::Griglia:
        m_.fuoco = {TipoControllo::GrigliaContinua, t};
        break;
    case EsitoTasto::Successivo:
        m_.fuoco = Successivo(t);
        // From the spans the Enter chain goes on in the supports' first cell.
        if (t == TabellaCampate && G(1).Righe() > 1) {
            G(1).CellaCorrente(1, 1);
            if (G(1).EditaCella(0)) m_.fuoco = {TipoControllo::EditContinua, TabellaAppoggi};
        }
        break;
    case EsitoTasto::Precedente:
        m_.fuoco = Precedente(t);
        break;
    }
    if (t == TabellaCampate) AggiornaLuce();
}

void ContinuaForm::txtCampate_Invio() {
    m_.Evento([&] {
        const Separatori& s = m_.Unita.separatori;
        // Enter accepts 0: the tables empty and the focus goes on.
        const auto n = static_cast<int16_t>(CampateLette(txtCampate, s, 0));
        Dimensiona(n);
        AggiornaLuce();
        if (n == 0) {
            m_.fuoco = Successivo(TabellaAppoggi);
            return;
        }
        GrigliaTesto& g = G(0);
        g.riga = 1;
        g.colonna = 1;
        m_.fuoco = {TipoControllo::GrigliaContinua, 0};
        if (g.EditaCella(0)) m_.fuoco = {TipoControllo::EditContinua, 0};
    });
}

void ContinuaForm::Griglia_Tasto(int t, int carattere) {
    m_.Evento([&] {
        if (G(t).EditaCella(carattere)) m_.fuoco = {TipoControllo::EditContinua, t};
    });
}

void ContinuaForm::Griglia_Seleziona(int t, int r, int c) {
    m_.Evento(
        [&] { Esito(t, G(t).SelezionaCella(r, c) ? EsitoTasto::Editor : EsitoTasto::Griglia); });
}

void ContinuaForm::Griglia_Scorre(int t) {
    m_.Evento([&] {
        G(t).CommitEditor();
        if (t == TabellaCampate) AggiornaLuce();
    });
}

void ContinuaForm::Editor_Tasto(int t, TastoEditor tasto) {
    m_.Evento([&] { Esito(t, G(t).Tasto(tasto)); });
}

void ContinuaForm::Editor_Edita(int t, const std::string& testo, int selInizio, int selLunghezza) {
    m_.Evento([&] {
        EditorCella& e = G(t).editor;
        e.testo = testo;
        e.selInizio = selInizio;
        e.selLunghezza = selLunghezza;
    });
}

void ContinuaForm::Editor_PerdeFuoco(int t) {
    m_.Evento([&] {
        G(t).EditorPerdeFuoco();
        if (t == TabellaCampate) AggiornaLuce();
    });
}

void ContinuaForm::Griglia_Muovi(int t, int dr, int dc, bool estendi) {
    m_.Evento([&] {
        G(t).Muovi(dr, dc, estendi);
        m_.fuoco = {TipoControllo::GrigliaContinua, t};
        if (t == TabellaCampate) AggiornaLuce();
    });
}

void ContinuaForm::Griglia_Tab(int t, bool indietro) {
    m_.Evento([&] {
        Esito(t, G(t).Tab(indietro));
        ++m_.RichiesteFuoco;
    });
}

void ContinuaForm::Griglia_Estendi(int t, int r, int c) {
    m_.Evento([&] {
        G(t).EstendiA(r, c);
        m_.fuoco = {TipoControllo::GrigliaContinua, t};
        if (t == TabellaCampate) AggiornaLuce();
    });
}

std::string ContinuaForm::Griglia_Copia(int t) {
    return m_.Evento([&] {
        G(t).EditorPerdeFuoco();
        return G(t).TestoSelezione();
    });
}

void ContinuaForm::Griglia_Incolla(int t, const std::string& testo) {
    // The tables' shape follows the count of spans: a block is pasted into
    // the rows they have.
    m_.Evento([&] {
        GrigliaTesto& g = G(t);
        g.EditorPerdeFuoco();
        const BloccoCelle b = BloccoDaTesto(testo);
        if (b.empty() || !g.CellaDati()) return;
        g.Incolla(b);
        m_.fuoco = {TipoControllo::GrigliaContinua, t};
        ++m_.RichiesteFuoco;
        if (t == TabellaCampate) AggiornaLuce();
    });
}

void ContinuaForm::Griglia_Svuota(int t) {
    m_.Evento([&] {
        G(t).EditorPerdeFuoco();
        G(t).SvuotaSelezione();
        if (t == TabellaCampate) AggiornaLuce();
    });
}

void ContinuaForm::Zoom_Click(int t) {
    m_.Evento([&] { G(t).zoom = !G(t).zoom; });
}

void ContinuaForm::ChiudiEditori() {
    for (GrigliaTesto& g : Griglia)
        g.ChiudiEditore();
}

} // namespace zelvo
