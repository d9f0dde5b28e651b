// The main window's procedures on the form model: reading the fields into
// the problem, writing the problem and the results back, the scheme and
// foundation options, the partial distances and the "Calcola" button.
#include "form/modello_form.h"

#include "core/guasto.h"
#include "form/testi_finestra.h"
#include "io/numeri.h"

#include <charconv>
#include <cmath>

namespace zelvo {

namespace {

const char* const EtichettaCarico[3] = {"Carico trapezio N° ", "Carico concentrato N° ",
                                        "Coppia N° "};

// Quantity of column c (1-based) of table t.
Grandezza GrandezzaColonna(int t, int c) {
    if (t == 0) return c <= 2 ? Grandezza::Carico : Grandezza::Lunghezza;
    if (c == 2) return Grandezza::Lunghezza;
    return t == 1 ? Grandezza::Forza : Grandezza::Momento;
}

int ColonneDati(int t) {
    return t == 0 ? 4 : 2;
}

// The name of a field in messages: its caption ("Luce", "N° div.").
std::string NomeCampo(Fuoco f) {
    switch (f.tipo) {
    case TipoControllo::TxtDati:
        if (f.indice == 3) return "N° sezioni di calcolo";
        return Caption("txtDati", f.indice);
    case TipoControllo::TxtRigheGriglia:
        return Caption("txtRigheGriglia", f.indice);
    case TipoControllo::TxtWinkler:
        return Caption("txtWinkler", f.indice);
    case TipoControllo::TxtX:
        return Caption("txtX", f.indice);
    default:
        return "Campo";
    }
}

// The name of a table ("Carichi dist. TRAPEZI").
std::string NomeTabella(int t) {
    std::string n = Caption("FlexGrid", t);
    while (!n.empty() && n.front() == ' ')
        n.erase(n.begin());
    return n;
}

// The name of a cell: table, row and column ("Carichi CONCENTRATI, riga 2, colonna F").
std::string NomeCella(int t, int r, int c) {
    return NomeTabella(t) + ", riga " + std::to_string(r) + ", colonna " +
           IntestazioniGriglia(t, true).at(static_cast<size_t>(c));
}

} // namespace

void ModelloForm::Rifiuta(const DatoRifiutato& r) {
    if (r.fuoco.tipo == TipoControllo::FlexGrid) {
        GrigliaTesto& g = FlexGrid.at(static_cast<size_t>(r.fuoco.indice));
        g.CommitEditor();
        g.riga = r.riga;
        g.colonna = r.colonna;
    } else if (r.fuoco.tipo == TipoControllo::GrigliaContinua) {
        GrigliaTesto& g = Travata.Griglia.at(static_cast<size_t>(r.fuoco.indice));
        g.CommitEditor();
        g.riga = r.riga;
        g.colonna = r.colonna;
    }
    fuoco = r.fuoco;
    ++RichiesteFuoco;
    Msg.Mostra(r.messaggio, Icona::Esclamazione);
}

ModelloForm::ModelloForm(ModuloZelvo& modulo, UnitMisura& unita, Messaggi& msg)
    : Modulo(modulo), Unita(unita), Msg(msg), eventi_(msg, "", TestoGuastoEvento) {
    // A refused datum is shown as a refusal (its field focused), not as a fault.
    eventi_.Rifiuto = [this] {
        try {
            throw;
        } catch (const DatoRifiutato& r) {
            Rifiuta(r);
            return true;
        } catch (...) {
            return false;
        }
    };
    eventi_.Cambiato = [this] {
        if (Cambiato) Cambiato();
    };
    for (int t = 0; t < 3; ++t)
        DimensionaMsFlex(FlexGrid[t], t, 0, Unita.separatori);
    txtDati[3].Scrivi("100");
    // The iteration label follows the passes of the no-tension iteration,
    // and the window's pending events run once per pass.
    Modulo.IterazioneW = [this](int r) {
        testoIterazione = "Iterazione " + std::to_string(r);
        Notifica();
        if (Servizi.EventiInSospeso) Servizi.EventiInSospeso();
    };
    // The project file of form/file_progetto, with the problem's section record.
    SezioneProgetto.Versione = &VersioneLetta;
    Servizi.LeggiProgetto = [](ModelloForm& f, const std::string& percorso) {
        ProgettoFile p{f.Modulo.Dati, f.NSezioni, f.Unita, f.VersioneLetta, &f.SezioneProgetto};
        f.EsitoLettura = LeggiFileProgetto(percorso, p, f.Msg);
        return f.EsitoLettura != EsitoProgetto::IntestazioneIlleggibile;
    };
    Servizi.ScriviProgetto = [](ModelloForm& f, const std::string& percorso) {
        std::string versione = VersioneFileCorrente;
        ProgettoFile p{f.Modulo.Dati, f.NSezioni, f.Unita, versione, &f.SezioneProgetto};
        return ScriviFileProgetto(percorso, p, f.Msg);
    };
    Memorizza();
}

ModelloForm::~ModelloForm() {
    // The module outlives the model: it must not call back into it.
    Modulo.IterazioneW = nullptr;
}

// ---------------------------------------------------------------------------
// Fields.

void ModelloForm::Avvisa(const std::string& testo, Icona icona) {
    if (silenzioso_) return;
    if (perSalvare_)
        avvisiRinviati_.emplace_back(testo, icona);
    else
        Msg.Mostra(testo, icona);
}

std::string ModelloForm::TestoUnita(Grandezza g, double valore, bool singolo) const {
    // A partial distance between two singles (-3E+38 to 3E+38) may be beyond
    // a single itself: it is shown with double precision rather than lost.
    if (const auto f = singolo ? SingoloSeEntra(valore) : std::nullopt)
        return Unita.Testo(g, Numero(*f));
    return Unita.Testo(g, Numero(valore));
}

void ModelloForm::ScriveCampo(CampoForm& c, Grandezza g, double valore, bool singolo) {
    c.Scrivi(TestoUnita(g, valore, singolo), valore);
}

double ModelloForm::LeggeCampo(const CampoForm& c, Grandezza g, Fuoco f) const {
    if (auto e = c.Esatto(Unita.separatori)) return *e;
    const std::string nome = NomeCampo(f);
    double v = 0;
    try {
        v = LeggiTipizzato(c.testo, Unita.separatori, nome);
    } catch (const NumeroRifiutato& e) {
        throw DatoRifiutato{e.what(), f};
    }
    const double interna = Unita.Interna(g, v);
    if (!std::isfinite(interna)) throw DatoRifiutato{TestoNumeroFuoriLimiti(nome, c.testo), f};
    return interna;
}

float ModelloForm::LeggeSingolo(const CampoForm& c, Grandezza g, Fuoco f) const {
    const double v = LeggeCampo(c, g, f);
    if (const auto s = SingoloSeEntra(v)) return *s;
    throw DatoRifiutato{TestoNumeroFuoriLimiti(NomeCampo(f), c.testo), f};
}

int16_t ModelloForm::LeggeIntero(const CampoForm& c, Fuoco f, int minimo) const {
    const LetturaRegionale l = LeggiRegionale(c.testo, Unita.separatori);
    const std::string nome = NomeCampo(f);
    if (l.esito == EsitoRegionale::Vuoto) {
        if (perSalvare_) return 0;
    } else if (l.esito == EsitoRegionale::NonNumero) {
        throw DatoRifiutato{TestoNumeroRifiutato(nome, c.testo, Unita.separatori), f};
    } else if (l.Letto() && l.valore == std::floor(l.valore) && l.valore >= minimo &&
               l.valore <= 32767) {
        return static_cast<int16_t>(l.valore);
    }
    throw DatoRifiutato{nome + ": \"" + c.testo + "\" non è valido." + ACapo + nome +
                            " deve essere un numero intero da " + std::to_string(minimo) + " a " +
                            FormatoNumero(Unita.separatori, 32767) + ".",
                        f};
}

// ---------------------------------------------------------------------------
void ModelloForm::InizializzaForm() {
    DatiTrave& d = Modulo.Dati;
    Calcolato = false;
    Figura = {};
    Optschema = 0;
    for (int t = 0; t < 3; ++t) {
        txtRigheGriglia[t].Scrivi("0");
        DimensionaMsFlex(FlexGrid[t], t, 0, Unita.separatori, ConCasi());
        FlexGrid[t].visibile = false;
    }
    FrameFond = false;
    Travata.Inizializza();
    testoIterazione.clear();
    txtTitolo.Scrivi("");
    txtDati[0].Scrivi("");
    txtDati[1].Scrivi("1");
    txtDati[2].Scrivi("1");
    d.NTrapezi = d.NConcentrati = d.NCoppie = 0;
    NSezioni = 100;
    FrameRisultati(false);
    d.ReagTraz = true;
    chkReagTraz = true;
    lblWinkler3 = false;
    d.K = 0;
    Riepilogo.reset();
    SezioneProgetto.Svuota();
    // An empty problem has nothing to lose.
    Memorizza();
}

bool ModelloForm::LeggeDati() {
    DatiTrave& d = Modulo.Dati;
    using T = TipoControllo;
    d.Titolo = txtTitolo.testo;
    d.E = LeggeSingolo(txtDati[1], Grandezza::Tensione, {T::TxtDati, 1});
    d.J = LeggeSingolo(txtDati[2], Grandezza::Inerzia, {T::TxtDati, 2});
    if (d.Vincoli == Continua) {
        // The length of a continuous beam is the sum of its spans (the one
        // the field was written with while no span length is edited).
        const ContinuaForm::Lunghezza l = Travata.Legge(d, perSalvare_);
        const auto scritta = txtDati[0].Esatto(Unita.separatori);
        d.Luce = ASingolo(l.intatta && scritta ? *scritta : l.totale, "lunghezza della trave");
    } else {
        d.Luce = LeggeSingolo(txtDati[0], Grandezza::Lunghezza, {T::TxtDati, 0});
    }
    if (d.Luce == 0) Avvisa("Luce = 0 !!!!");
    if (!LeggeCarichi()) return false;
    NSezioni = LeggeIntero(txtDati[3], {T::TxtDati, 3});
    d.NSezioni = NSezioni;
    if (NSezioni < 2)
        Avvisa("N° sezioni di calcolo = " + std::to_string(NSezioni) +
               " Troppo piccolo. Aumentare (si consiglia almeno 100) !");
    d.AscissaX = LeggeSingolo(txtX[0], Grandezza::Lunghezza, {T::TxtX, 0});
    if (d.Vincoli == Fondazione) {
        d.K = LeggeCampo(txtWinkler[0], Grandezza::K, {T::TxtWinkler, 0});
        const bool bNumero = txtWinkler[1].Esatto(Unita.separatori).has_value() ||
                             LeggiRegionale(txtWinkler[1].testo, Unita.separatori).Letto();
        d.b = LeggeCampo(txtWinkler[1], Grandezza::Lunghezza, {T::TxtWinkler, 1});
        d.NDivisioni = LeggeIntero(txtWinkler[2], {T::TxtWinkler, 2});
        if (!bNumero || d.b <= 0) {
            Avvisa(std::string("La larghezza b della trave deve essere > 0") + ACapo +
                       "b viene posta = 1",
                   Icona::Informazione);
            d.b = 1;
            ScriveCampo(txtWinkler[1], Grandezza::Lunghezza, d.b, false);
        }
    }
    return true;
}

bool ModelloForm::LeggeCarichi() {
    DatiTrave& d = Modulo.Dati;
    using T = TipoControllo;
    d.NTrapezi = LeggeIntero(txtRigheGriglia[0], {T::TxtRigheGriglia, 0});
    d.NConcentrati = LeggeIntero(txtRigheGriglia[1], {T::TxtRigheGriglia, 1});
    d.NCoppie = LeggeIntero(txtRigheGriglia[2], {T::TxtRigheGriglia, 2});
    if (perSalvare_) {
        // A save keeps the rows the grids show.
        for (int t = 0; t < 3; ++t) {
            const GrigliaTesto& g = FlexGrid[static_cast<size_t>(t)];
            const int16_t righe =
                g.Colonne() - 1 == ColonneDati(t) + (ConCasi() ? 1 : 0) && g.Righe() > 0
                    ? static_cast<int16_t>(g.Righe() - 1)
                    : int16_t{0};
            (t == 0 ? d.NTrapezi : t == 1 ? d.NConcentrati : d.NCoppie) = righe;
        }
    }
    for (int t = 0; t < 3; ++t)
        if (!LeggeTabella(t)) return false;
    return true;
}

void ModelloForm::ControllaDistanza(double dd, const std::string& etichetta, int i,
                                    std::optional<double> d2) {
    const double e = d2 ? *d2 : dd + 1;
    const std::string n = std::to_string(i);
    if (dd < 0)
        Avvisa(etichetta + n + " con d1=" +
                   TestoBreveRegionale(Unita.separatori, static_cast<float>(dd)) + " < 0",
               Icona::Critica);
    else if (dd > Modulo.Dati.Luce)
        Avvisa(etichetta + n + " esteso oltre la luce", Icona::Critica);
    else if (e - dd <= 0)
        Avvisa("Nel carico trapezio N° " + n + " deve essere d2 > d1", Icona::Critica);
}

// Reads grid t into its table (rows 1..n of the problem), through the exact
// values kept behind unedited cells, then converts partial distances and
// checks the positions. False after "Errore in LeggeGriglia".
bool ModelloForm::LeggeTabella(int t) {
    DatiTrave& d = Modulo.Dati;
    const int16_t n = t == 0 ? d.NTrapezi : t == 1 ? d.NConcentrati : d.NCoppie;
    if (n < 0) throw Guasto("numero di righe negativo");
    if (n == 0) return true;
    const GrigliaTesto& g = FlexGrid[t];
    const int nc = ColonneDati(t);
    const int casi = static_cast<int>(d.Casi.size());
    const std::string erroreGriglia = "Errore in LeggeGriglia";
    // Grid reading: the shape must be the table's and every cell must hold a number.
    if (g.Righe() - 1 != n || g.Colonne() - 1 != nc + (casi > 0 ? 1 : 0)) {
        const Fuoco f{TipoControllo::TxtRigheGriglia, t};
        throw DatoRifiutato{erroreGriglia + ACapo + NomeTabella(t) + ": " + NomeCampo(f) + " = " +
                                std::to_string(n) + " ma la tabella ha " +
                                std::to_string(std::max(g.Righe() - 1, 0)) +
                                " righe (premere Invio nel campo " + NomeCampo(f) + ").",
                            f};
    }
    std::vector<double> letti(static_cast<size_t>(n) * static_cast<size_t>(nc), 0.0);
    for (int r = 1; r <= n; ++r)
        for (int c = 1; c <= nc; ++c) {
            if (EsattoCella(g, r, c, Unita.separatori)) continue;
            const std::string& testo = g.Testo(r, c);
            const LetturaRegionale l = LeggiRegionale(testo, Unita.separatori);
            const DatoRifiutato rifiuto{"", {TipoControllo::FlexGrid, t}, r, c};
            auto rifiuta = [&](const std::string& seconda) {
                DatoRifiutato d = rifiuto;
                d.messaggio = erroreGriglia + ACapo + seconda;
                throw d;
            };
            double v = 0;
            if (l.esito == EsitoRegionale::Vuoto) {
                if (!perSalvare_) rifiuta(NomeCella(t, r, c) + ": la cella è vuota.");
            } else if (l.esito == EsitoRegionale::NonNumero) {
                rifiuta(TestoNumeroRifiutato(NomeCella(t, r, c), testo, Unita.separatori));
            } else {
                if (l.Letto()) v = Unita.Interna(GrandezzaColonna(t, c), l.valore);
                if (!l.Letto() || !SingoloSeEntra(v))
                    rifiuta(TestoNumeroFuoriLimiti(NomeCella(t, r, c), testo));
            }
            letti[static_cast<size_t>((r - 1) * nc + c - 1)] = v;
        }
    // A typed cell reads as the table's quantity; a partial distance is a length.
    auto valore = [&](int r, int c) -> double {
        if (auto e = EsattoCella(g, r, c, Unita.separatori)) return e->assoluto;
        return letti[static_cast<size_t>((r - 1) * nc + c - 1)];
    };
    // The shown partial distance of a cell in internal units.
    auto parziale = [&](int r, int c) -> double {
        if (auto e = EsattoCella(g, r, c, Unita.separatori)) return e->parziale;
        return letti[static_cast<size_t>((r - 1) * nc + c - 1)];
    };
    const bool parz = d.DistanzeParziali;
    if (t == 0) d.CarichiTrapezi.Ridimensiona(n);
    if (t == 1) d.CarichiConcentrati.Ridimensiona(n);
    if (t == 2) d.Coppie.Ridimensiona(n);
    bool intatta = true; // no position of this column edited so far
    double precedente = 0;
    for (int i = 1; i <= n; ++i) {
        if (t == 0) {
            CaricoTrapezio& c = d.CarichiTrapezi(i);
            c.q1 = ASingolo(valore(i, 1));
            c.q2 = ASingolo(valore(i, 2));
            c.d1 = ASingolo(valore(i, 3));
            if (!parz) {
                c.d2 = ASingolo(valore(i, 4));
            } else if (EsattoCella(g, i, 3, Unita.separatori) &&
                       EsattoCella(g, i, 4, Unita.separatori)) {
                c.d2 = ASingolo(EsattoCella(g, i, 4, Unita.separatori)->assoluto);
            } else {
                c.d2 = ASingolo(static_cast<double>(c.d1) + parziale(i, 4));
            }
            ControllaDistanza(c.d1, EtichettaCarico[0], i, static_cast<double>(c.d2));
        } else {
            float v = ASingolo(valore(i, 1));
            float pos;
            if (!parz) {
                pos = ASingolo(valore(i, 2));
            } else {
                const auto e = EsattoCella(g, i, 2, Unita.separatori);
                if (e && intatta)
                    pos = ASingolo(e->assoluto);
                else
                    pos = ASingolo(precedente + parziale(i, 2));
                intatta = intatta && e.has_value();
                precedente = pos;
            }
            if (t == 1)
                d.CarichiConcentrati(i) = {v, pos};
            else
                d.Coppie(i) = {v, pos};
            ControllaDistanza(pos, EtichettaCarico[t], i);
        }
    }
    LeggeColonnaCaso(t, n, nc + 1);
    if (t == 1) {
        for (int i = 1; i <= n; ++i) {
            const float pos = d.CarichiConcentrati(i).d;
            if (pos < 0)
                Avvisa("Carico concentrato N° " + std::to_string(i) + " con d=" +
                           TestoBreveRegionale(Unita.separatori, static_cast<float>(pos)) + " <0",
                       Icona::Critica);
            else if (pos > d.Luce)
                Avvisa("Carico concentrato N° " + std::to_string(i) + " esteso oltre la luce",
                       Icona::Critica);
        }
    }
    return true;
}

// The case of each load: the number in the "Caso" column, 1 to the count
// of cases (an empty cell of a save: the first case); without cases every
// load is in case 0.
void ModelloForm::LeggeColonnaCaso(int t, int n, int c) {
    DatiTrave& d = Modulo.Dati;
    const int casi = static_cast<int>(d.Casi.size());
    const GrigliaTesto& g = FlexGrid[static_cast<size_t>(t)];
    for (int r = 1; r <= n; ++r) {
        int16_t caso = 0;
        if (casi > 0) {
            const std::string& testo = g.Testo(r, c);
            const LetturaRegionale l = LeggiRegionale(testo, Unita.separatori);
            if (l.esito != EsitoRegionale::Vuoto || !perSalvare_) {
                if (!l.Letto() || l.valore != std::floor(l.valore) || l.valore < 1 ||
                    l.valore > casi)
                    throw DatoRifiutato{"Errore in LeggeGriglia" + std::string(ACapo) +
                                            NomeCella(t, r, c) +
                                            ": il caso deve essere un numero intero da 1 a " +
                                            std::to_string(casi) + ".",
                                        {TipoControllo::FlexGrid, t},
                                        r,
                                        c};
                caso = static_cast<int16_t>(l.valore - 1);
            }
        }
        if (t == 0) d.CarichiTrapezi(r).Caso = caso;
        if (t == 1) d.CarichiConcentrati(r).Caso = caso;
        if (t == 2) d.Coppie(r).Caso = caso;
    }
}

void ModelloForm::ScriveColonnaCaso(int t) {
    if (!ConCasi()) return;
    const DatiTrave& d = Modulo.Dati;
    GrigliaTesto& g = FlexGrid[static_cast<size_t>(t)];
    const int c = ColonneDati(t) + 1;
    for (int r = 1; r < g.Righe(); ++r) {
        const int16_t caso = t == 0   ? d.CarichiTrapezi(r).Caso
                             : t == 1 ? d.CarichiConcentrati(r).Caso
                                      : d.Coppie(r).Caso;
        g.Scrivi(r, c, std::to_string(caso + 1));
    }
}

void ModelloForm::ColonnaCasoAggiorna() {
    const bool caso = ConCasi();
    for (int t = 0; t < 3; ++t) {
        GrigliaTesto& g = FlexGrid[static_cast<size_t>(t)];
        g.ChiudiEditore();
        const auto n = static_cast<int16_t>(std::max(g.Righe() - 1, 0));
        const bool visibile = g.visibile;
        DimensionaMsFlex(g, t, n, Unita.separatori, caso);
        g.visibile = visibile;
        if (!caso) continue;
        const int c = ColonneDati(t) + 1;
        for (int r = 1; r <= n; ++r)
            if (g.Testo(r, c).empty()) g.Scrivi(r, c, "1");
    }
}

// ---------------------------------------------------------------------------
double ModelloForm::NuovaDistanza(double precedente, double corrente) {
    if (corrente < precedente) Avvisa("Attenzione! Distanza parziale <=0", Icona::Critica);
    return corrente - precedente;
}

std::vector<double> ModelloForm::DistanzeParzialiCalcola(const std::vector<double>& assolute) {
    std::vector<double> p = assolute;
    if (!Modulo.Dati.DistanzeParziali) return p;
    for (size_t i = 1; i < assolute.size(); ++i)
        p[i] = NuovaDistanza(assolute[i - 1], assolute[i]);
    return p;
}

void ModelloForm::ScriveTabella(int t) {
    const DatiTrave& d = Modulo.Dati;
    const int16_t n = t == 0 ? d.NTrapezi : t == 1 ? d.NConcentrati : d.NCoppie;
    GrigliaTesto& g = FlexGrid[t];
    g.Dimensiona(0, 0); // drop the old cells
    DimensionaMsFlex(g, t, n, Unita.separatori, ConCasi());
    auto scrivi = [&](int r, int c, double assoluto, double mostrato) {
        const Grandezza q = GrandezzaColonna(t, c);
        g.Scrivi(r, c, TestoUnita(q, mostrato, true), ValoreCella{assoluto, mostrato, {}});
    };
    const bool parz = d.DistanzeParziali;
    if (t == 0) {
        for (int i = 1; i <= n; ++i) {
            const CaricoTrapezio& c = d.CarichiTrapezi(i);
            scrivi(i, 1, c.q1, c.q1);
            scrivi(i, 2, c.q2, c.q2);
            scrivi(i, 3, c.d1, c.d1);
            const double d2 = parz ? NuovaDistanza(c.d1, c.d2) : static_cast<double>(c.d2);
            scrivi(i, 4, c.d2, d2);
        }
        ScriveColonnaCaso(t);
        return;
    }
    std::vector<double> pos, val;
    for (int i = 1; i <= n; ++i) {
        if (t == 1) {
            val.push_back(d.CarichiConcentrati(i).F);
            pos.push_back(d.CarichiConcentrati(i).d);
        } else {
            val.push_back(d.Coppie(i).W);
            pos.push_back(d.Coppie(i).d);
        }
    }
    const std::vector<double> mostrate = DistanzeParzialiCalcola(pos);
    for (int i = 1; i <= n; ++i) {
        const auto k = static_cast<size_t>(i - 1);
        scrivi(i, 1, val[k], val[k]);
        scrivi(i, 2, pos[k], mostrate[k]);
    }
    ScriveColonnaCaso(t);
}

void ModelloForm::ScriveCarichi() {
    const DatiTrave& d = Modulo.Dati;
    txtRigheGriglia[0].Scrivi(std::to_string(d.NTrapezi));
    txtRigheGriglia[1].Scrivi(std::to_string(d.NConcentrati));
    txtRigheGriglia[2].Scrivi(std::to_string(d.NCoppie));
    for (int t = 0; t < 3; ++t)
        ScriveTabella(t);
}

void ModelloForm::chkDistanzeParzialiSetta() {
    Settaggio = true;
    chkDistanzeParziali = Modulo.Dati.DistanzeParziali;
    Settaggio = false;
}

void ModelloForm::ScriveDatiInForm() {
    const DatiTrave& d = Modulo.Dati;
    VisualizzaUnits();
    chkDistanzeParzialiSetta();
    SchemaAggiorna(d.Vincoli);
    ScriveCarichi();
    Travata.Scrive();
    txtTitolo.Scrivi(d.Titolo);
    ScriveCampo(txtDati[1], Grandezza::Tensione, d.E, true);
    ScriveCampo(txtDati[2], Grandezza::Inerzia, d.J, true);
    ScriveCampo(txtDati[0], Grandezza::Lunghezza, d.Luce, true);
    txtDati[3].Scrivi(std::to_string(NSezioni));
    Optschema = d.Vincoli;
    ScriveCampo(txtX[0], Grandezza::Lunghezza, d.AscissaX, true);
}

// ---------------------------------------------------------------------------
// Scheme, foundation, units.

void ModelloForm::FondazioneImposta() {
    DatiTrave& d = Modulo.Dati;
    if (d.NDivisioni == 0) d.NDivisioni = 100;
    if (d.K <= 0) d.K = 10000000.0;
    ScriveCampo(txtWinkler[0], Grandezza::K, d.K, false);
    ScriveCampo(txtWinkler[1], Grandezza::Lunghezza, d.b, false);
    txtWinkler[2].Scrivi(std::to_string(d.NDivisioni));
    lblB = Unita.Etichetta(Grandezza::Lunghezza);
    // The box shows the soil the calculation uses (a file may say either).
    chkReagTraz = d.ReagTraz;
    OptFondApplica(d.Winkler ? 1 : 0);
}

void ModelloForm::SchemaAggiorna(int s) {
    DatiTrave& d = Modulo.Dati;
    if (s < 0 || s > Continua) throw Guasto("schema inesistente");
    txtX4Visibile = s == 4;
    if (s != 4) {
        fraWinkler = false;
    } else {
        fraWinkler = true;
        FondazioneImposta();
    }
    d.Vincoli = static_cast<int16_t>(s);
    Optschema = s;
    // Picture 5 is the foundation on elastic soil; the continuous beam's
    // picture (6) is drawn from its spans and supports by the view.
    Figura = {s == Continua ? 6 : s == 4 && d.Winkler ? 5 : s, d.DistanzeParziali};
    if (s == Continua && Travata.Griglia[0].Righe() > 1) Travata.AggiornaLuce();
    if (Calcolato) {
        FrameFond = s == 4;
        FrameRis = s != 4;
    }
}

void ModelloForm::VisualizzaUnits() {
    // In no-units mode the labels shown are empty, but the stored labels
    // are kept: a file opened without units and saved again keeps them, and
    // switching units back on finds the user's choice.
    lblLuce = lblLunghezza = lblB = Unita.Etichetta(Grandezza::Lunghezza);
    lblE = lblPressione = Unita.Etichetta(Grandezza::Tensione);
    lblJ = Unita.Etichetta(Grandezza::Inerzia);
    lblK = EtichettaKCampo;
    lblCarichiTrapezi = Unita.Etichetta(Grandezza::Carico);
    lblForze = lblForza = Unita.Etichetta(Grandezza::Forza);
    lblCoppie = lblMomento = Unita.Etichetta(Grandezza::Momento);
    Travata.VisualizzaUnits();
}

// ---------------------------------------------------------------------------
// Results.

void ModelloForm::FrameRisultati(bool visibile) {
    FrameRis = FrameFond = FrDiagrammi = frRisultatiInX = visibile;
}

void ModelloForm::RisultatiScrive() {
    const DatiTrave& d = Modulo.Dati;
    const RisultatiTrave& r = Modulo.Risultati;
    auto fmt = [&](Grandezza g, double v, bool singolo) { return TestoUnita(g, v, singolo); };
    if (d.Vincoli != Fondazione) {
        FrameRis = true;
        FrameFond = false;
        Riepilogo.reset();
        txtRis[0].Scrivi(fmt(Grandezza::Momento, r.MA, false));
        txtRis[1].Scrivi(fmt(Grandezza::Momento, r.MB, false));
        txtRis[2].Scrivi(fmt(Grandezza::Forza, r.RA, false));
        txtRis[3].Scrivi(fmt(Grandezza::Forza, r.RB, false));
        txtRis[4].Scrivi(FormatoCifre(Unita.separatori, 10, Numero(r.RotA)));
        txtRis[5].Scrivi(FormatoCifre(Unita.separatori, 10, Numero(r.RotB)));
        txtRis[6].Scrivi(fmt(Grandezza::Momento, r.Mmax, true));
        txtRis[7].Scrivi(fmt(Grandezza::Lunghezza, r.xMmax, true));
        txtRis[8].Scrivi(fmt(Grandezza::Momento, r.Mmin, true));
        txtRis[9].Scrivi(fmt(Grandezza::Lunghezza, r.xMmin, true));
        txtRis[10].Scrivi(fmt(Grandezza::Lunghezza, r.fmax, true));
        txtRis[11].Scrivi(fmt(Grandezza::Lunghezza, r.xfmax, true));
        // A continuous beam's span is the sum of its spans.
        if (d.Vincoli == Continua) {
            ScriveCampo(txtDati[0], Grandezza::Lunghezza, d.Luce, true);
            Travata.RisultatiScrive();
        }
    } else {
        FrameFond = true;
        FrameRis = false;
        const RiepilogoFondazione rf = RiepilogoFondazioneCalcola(Modulo, Msg);
        Riepilogo = rf;
        txtFond[0].Scrivi(fmt(Grandezza::Tensione, rf.SigmaA, true));
        txtFond[1].Scrivi(fmt(Grandezza::Momento, rf.M, true));
        txtFond[2].Scrivi(fmt(Grandezza::Forza, rf.V, true));
        txtFond[3].Scrivi(fmt(Grandezza::Lunghezza, rf.f, true));
        txtFond[4].Scrivi(fmt(Grandezza::Tensione, rf.SigmaB, true));
        txtFond[5].Scrivi(fmt(Grandezza::Lunghezza, rf.xM, true));
        txtFond[6].Scrivi(fmt(Grandezza::Lunghezza, rf.xV, true));
        txtFond[7].Scrivi(fmt(Grandezza::Lunghezza, rf.xf, true));
        txtFond[8].Scrivi(rf.SigmaMax ? fmt(Grandezza::Tensione, *rf.SigmaMax, true) : "");
        txtFond[9].Scrivi(fmt(Grandezza::Lunghezza, rf.xSigmaMax, true));
    }
    if (LeggiRegionale(txtX[0].testo, Unita.separatori).Letto() ||
        txtX[0].Esatto(Unita.separatori)) {
        auto mostra = [&](CampoForm& c, Grandezza g, const std::optional<float>& v) {
            c.Scrivi(v ? fmt(g, *v, true) : std::string());
        };
        mostra(txtX[1], Grandezza::Momento, r.Mx);
        mostra(txtX[2], Grandezza::Forza, r.Vx);
        mostra(txtX[3], Grandezza::Lunghezza, r.fx);
        mostra(txtX[4], Grandezza::Tensione, r.Sigmax);
    }
    txtX4Visibile = d.Vincoli == Fondazione;
}

ContestoDiagrammi ModelloForm::ContestoDisegno() {
    return {&Modulo, &Unita, &Msg, NomeFile, Servizi.Scale};
}

bool ModelloForm::PlottaInOggetto(Superficie& uscita) {
    // Faults go to the File item's handler.
    if (!LeggeDati()) {
        FrameRisultati(false);
        Calcolato = false;
        return false;
    }
    const EsitoCalcolo e = Modulo.Calcola(Msg);
    if (e != EsitoCalcolo::Completato) {
        FrameRisultati(false);
        Calcolato = false;
        return false;
    }
    FrameRisultati(true);
    Calcolato = true;
    RisultatiScrive();
    istantaneaCalcolo_ = Istantanea();
    return PlottaInOggettoDiagrammi(ContestoDisegno(), uscita);
}

} // namespace zelvo
