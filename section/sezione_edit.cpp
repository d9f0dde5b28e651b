#include "section/sezione_edit.h"

#include "core/guasto.h"
#include "core/matematica.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace zelvo {

namespace {

// A number of a value list read back from a file, as text.
double NumeroDaTesto(const std::string& testo) {
    const size_t a = testo.find_first_not_of(' ');
    const size_t b = testo.find_last_not_of(' ');
    double d = 0;
    if (a == std::string::npos ||
        LeggiMacchina(std::string_view(testo).substr(a, b - a + 1), d) != EsitoLettura::Letto)
        throw Guasto("testo non numerico");
    return d;
}

// A number typed into one of the editor's fields, read strictly with the
// regional separators. An empty text is not a number here (the caller gives
// it its meaning); any other text that is not a number is refused with a
// message naming the field.
enum class EsitoCampo { Numero, Vuoto, Rifiutato };
EsitoCampo LeggiCampo(const std::string& testo, const Separatori& s, const std::string& luogo,
                      double& v, Messaggi& msg) {
    const LetturaRegionale l = LeggiRegionale(testo, s);
    if (l.esito == EsitoRegionale::Vuoto) return EsitoCampo::Vuoto;
    if (!l.Letto()) {
        msg.Mostra(TestoNumeroRifiutato(luogo, testo, s), Icona::Critica);
        return EsitoCampo::Rifiutato;
    }
    v = l.valore;
    return EsitoCampo::Numero;
}

// Captions of the data columns of a type's table.
std::vector<std::string> NomiColonne(int16_t tipo) {
    if (tipo <= SezNRettangoli) return {"b", "h"};
    if (tipo == SezTrapezi) return {"B", "b", "h"};
    return {"x", "y"};
}

int16_t AIntero16Val(const ValoreColl& v) {
    if (auto p = std::get_if<int16_t>(&v)) return *p;
    if (auto p = std::get_if<float>(&v)) return AIntero16(*p);
    if (auto p = std::get_if<double>(&v)) return AIntero16(*p);
    if (auto p = std::get_if<bool>(&v)) return *p ? -1 : 0;
    return AIntero16(NumeroDaTesto(std::get<std::string>(v)));
}

float ASingoloVal(const ValoreColl& v) {
    if (auto p = std::get_if<int16_t>(&v)) return *p;
    if (auto p = std::get_if<float>(&v)) return *p;
    if (auto p = std::get_if<double>(&v)) return ASingolo(*p);
    if (auto p = std::get_if<bool>(&v)) return *p ? -1.0f : 0.0f;
    return ASingolo(NumeroDaTesto(std::get<std::string>(v)));
}

} // namespace

const char* DidascaliaTipoSezione(int16_t tipo) {
    static const char* d[] = {"1 Rect.",  "T",      "n Rect.", "Trapez.",
                              "Circular", "Coord.", "Polygon"};
    return (tipo >= 0 && tipo <= 6) ? d[tipo] : "";
}

double SezioneEdit::Fattore() const {
    if (UnitaLunghezza == "mm") return 0.001;
    if (UnitaLunghezza == "cm") return 0.01;
    return 1;
}

void SezioneEdit::Dimensiona(std::vector<std::vector<float>>& t, int c, int n) const {
    t.assign(static_cast<size_t>(c), std::vector<float>(static_cast<size_t>(n), 0.0f));
}

void SezioneEdit::ImpostaTabella(int16_t righe, const std::vector<std::vector<float>>& valori) {
    nRighe_ = righe;
    const int c = Colonne();
    Dimensiona(tab_, c, righe);
    for (int j = 0; j < righe; ++j)
        for (int i = 0; i < c; ++i)
            tab_[i][j] = (static_cast<size_t>(j) < valori.size() &&
                          static_cast<size_t>(i) < valori[j].size())
                             ? valori[j][i]
                             : 0.0f;
    MatriceFigureAssociata(Verso::Leggi);
}

float SezioneEdit::Tabella(int col, int riga) const {
    if (col < 1 || static_cast<size_t>(col) > tab_.size() || riga < 1 ||
        static_cast<size_t>(riga) > tab_[col - 1].size())
        throw Guasto("indice fuori dai limiti");
    return tab_[col - 1][riga - 1];
}

float SezioneEdit::TabellaMetri(int col, int riga) const {
    if (col < 1 || static_cast<size_t>(col) > tabM_.size() || riga < 1 ||
        static_cast<size_t>(riga) > tabM_[col - 1].size())
        throw Guasto("indice fuori dai limiti");
    return tabM_[col - 1][riga - 1];
}

void SezioneEdit::ImpostaRaggi(float esterno, float interno, int16_t lati) {
    rEsterno_ = esterno;
    rInterno_ = interno;
    nLati_ = lati;
    const double f = Fattore();
    rEsternoM_ = ASingolo(esterno * f);
    rInternoM_ = ASingolo(interno * f);
}

void SezioneEdit::MatriceFigureAssociata(Verso Modo) {
    const double f = Fattore();
    const auto& da = (Modo == Verso::Leggi) ? tab_ : tabM_;
    auto& a = (Modo == Verso::Leggi) ? tabM_ : tab_;
    a = da;
    for (auto& col : a)
        for (auto& v : col)
            v = ASingolo((Modo == Verso::Leggi) ? v * f : v / f);
}

// ---------------------------------------------------------------------------
// The editor's fields.

std::string LuogoTabellaSezione(int16_t tipo, int riga, int colonna) {
    const auto nomi = NomiColonne(tipo);
    const std::string c = colonna >= 1 && static_cast<size_t>(colonna) <= nomi.size()
                              ? nomi[static_cast<size_t>(colonna - 1)]
                              : std::to_string(colonna);
    return "Tabella della sezione, riga " + std::to_string(riga) + ", colonna " + c;
}

bool SezioneEdit::LeggeCerchio(const CampiEditorSezione& campi, Messaggi& msg) {
    double R = 0, r = 0, n = nLati_;
    const Separatori& sep = campi.separatori;
    struct Voce {
        const std::string& testo;
        const char* nome;
        CampoEditorSezione campo;
        double& v;
    };
    const Voce voci[] = {{campi.RaggioEsterno, "R external", CampoEditorSezione::RaggioEsterno, R},
                         {campi.RaggioInterno, "R internal", CampoEditorSezione::RaggioInterno, r},
                         {campi.NumeroVertici, "n Vertex", CampoEditorSezione::NumeroVertici, n}};
    for (const Voce& x : voci) {
        if (x.campo == CampoEditorSezione::NumeroVertici && TipoSezione != SezPoligono) break;
        const EsitoCampo e = LeggiCampo(x.testo, sep, x.nome, x.v, msg);
        if (e == EsitoCampo::Numero && x.campo == CampoEditorSezione::NumeroVertici &&
            x.v != std::floor(x.v)) {
            msg.Mostra(std::string(x.nome) + ": \"" + x.testo + "\" non è un numero intero.",
                       Icona::Critica);
            Rifiuto = {x.campo, 0, 0};
            return false;
        }
        if (e != EsitoCampo::Numero) {
            // an empty box is not a radius
            if (e == EsitoCampo::Vuoto) msg.Mostra("Invalid number: " + x.testo, Icona::Critica);
            Rifiuto = {x.campo, 0, 0};
            return false;
        }
    }
    try {
        ImpostaRaggi(ASingolo(R), ASingolo(r), AIntero16(n));
    } catch (const Guasto&) {
        msg.Mostra("Invalid number", Icona::Critica);
        return false;
    }
    return true;
}

bool SezioneEdit::FormLeggeDati(const CampiEditorSezione& campi, Messaggi& msg) {
    Rifiuto = {};
    TipoSezione = campi.TipoSelezionato;
    if (TipoSezione < 0 || TipoSezione > 6) TipoSezione = 0;
    const Separatori& sep = campi.separatori;
    if (TipoSezione == SezCircolare || TipoSezione == SezPoligono) {
        if (!LeggeCerchio(campi, msg)) return false;
    } else {
        double n = 0;
        if (TipoSezione == SezRettangolo)
            n = 1;
        else if (TipoSezione == SezT)
            n = 2;
        else {
            const EsitoCampo e = LeggiCampo(campi.Righe, sep, "n", n, msg);
            if (e == EsitoCampo::Vuoto)
                msg.Mostra("Invalid number: " + campi.Righe, Icona::Critica);
            if (e != EsitoCampo::Numero) {
                Rifiuto = {CampoEditorSezione::Righe, 0, 0};
                return false;
            }
        }
        int16_t righe;
        try {
            righe = AIntero16(n);
        } catch (const Guasto&) {
            msg.Mostra("Invalid number: " + campi.Righe, Icona::Critica);
            Rifiuto = {CampoEditorSezione::Righe, 0, 0};
            return false;
        }
        nRighe_ = std::max<int16_t>(righe, 0);
        if (nRighe_ >= 1) {
            const int c = Colonne();
            Dimensiona(tab_, c, nRighe_);
            for (int j = 0; j < nRighe_; ++j) {
                for (int i = 0; i < c; ++i) {
                    const std::string& t = campi.Griglia.TestoOVuoto(j, i);
                    double v = 0; // an empty cell is 0
                    if (LeggiCampo(t, sep, LuogoTabellaSezione(TipoSezione, j + 1, i + 1), v,
                                   msg) == EsitoCampo::Rifiutato) {
                        Rifiuto = {CampoEditorSezione::Griglia, j + 1, i + 1};
                        return false;
                    }
                    try {
                        tab_[i][j] = ASingolo(v);
                    } catch (const Guasto&) {
                        msg.Mostra("Invalid number: " + t, Icona::Critica);
                        Rifiuto = {CampoEditorSezione::Griglia, j + 1, i + 1};
                        return false;
                    }
                }
            }
            MatriceFigureAssociata(Verso::Leggi);
        }
    }
    return FormLeggeDatiContinua(msg);
}

namespace {
// A dimension shown back in the editor: the metre value over the unit
// factor, to the seven digits a single carries (0.3 m shown in cm is 30, not
// the 30.000002 of the single nearest to 0.3 / 0.01).
std::string TestoDimensione(const Separatori& sep, double v) {
    char buf[32];
    const auto r = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::general, 7);
    double sette = v;
    std::from_chars(buf, r.ptr, sette);
    return TestoBreveRegionale(sep, static_cast<float>(sette));
}
} // namespace

void SezioneEdit::FormScriveDati(CampiEditorSezione& campi) const {
    campi.TipoSelezionato = TipoSezione;
    const double f = Fattore();
    if (TipoSezione == SezCircolare || TipoSezione == SezPoligono) {
        campi.RaggioEsterno = TestoDimensione(campi.separatori, rEsternoM_ / f);
        campi.RaggioInterno = TestoDimensione(campi.separatori, rInternoM_ / f);
        if (TipoSezione == SezPoligono) campi.NumeroVertici = std::to_string(nLati_);
        campi.Griglia.visibile = false;
        return;
    }
    campi.Righe = std::to_string(nRighe_);
    campi.Griglia.Dimensiona(std::max<int16_t>(nRighe_, 0), static_cast<int>(tabM_.size()));
    campi.Griglia.visibile = nRighe_ >= 1;
    for (int j = 0; j < nRighe_; ++j)
        for (size_t i = 0; i < tabM_.size(); ++i)
            campi.Griglia.Scrivi(j, static_cast<int>(i),
                                 TestoDimensione(campi.separatori, tabM_[i][j] / f));
}

// ---------------------------------------------------------------------------
// Building.

bool SezioneEdit::LeggeCerchioContinua(Vettore1<double>& x, Vettore1<double>& y, Messaggi& msg) {
    const double R = rEsternoM_, r = rInternoM_;
    const int m = (TipoSezione == SezCircolare) ? 50 : nLati_;
    if (r < 0) {
        msg.Mostra("Internal radius must be >= 0", Icona::Critica);
        return false;
    }
    // A radius that is not positive gives no section (a negative one would
    // give a turned outline with moduli of the wrong sign).
    if (r == 0 && R <= 0) {
        msg.Mostra("External radius must be > internal radius", Icona::Critica);
        return false;
    }
    if (m < 1) {
        msg.Mostra("Section Area is Null", Icona::Critica);
        return false;
    }
    const long long nv = (r == 0) ? m : 2LL * m + 2;
    if (nv > 32767) {
        msg.Mostra("Section Area is Null", Icona::Critica);
        return false;
    }
    x.Ridimensiona(static_cast<int>(nv));
    y.Ridimensiona(static_cast<int>(nv));
    const double passo = 6.28318530717958 / m;
    double th = PiGreco / 2;
    for (int i = 1; i <= m; ++i) {
        x(i) = R * std::cos(th);
        y(i) = R * std::sin(th);
        th -= passo;
    }
    if (r > 0) {
        if (r >= R) {
            msg.Mostra("External radius must be > internal radius", Icona::Critica);
            return false;
        }
        th = PiGreco / 2;
        x(m + 1) = R * std::cos(th);
        y(m + 1) = R * std::sin(th);
        for (int i = m + 2; i <= 2 * m + 2; ++i) {
            x(i) = r * std::cos(th);
            y(i) = r * std::sin(th);
            th += passo;
        }
    }
    nVerticiContorno_ = static_cast<int16_t>(nv);
    return true;
}

bool SezioneEdit::FormLeggeDatiContinua(Messaggi& msg) {
    Vettore1<double> x, y;
    if (TipoSezione == SezCircolare || TipoSezione == SezPoligono) {
        if (!LeggeCerchioContinua(x, y, msg)) return false;
        return TuttiTipiSezione(TipoSezione, x, y, msg);
    }
    const int n = std::max<int16_t>(nRighe_, 0);
    if (TipoSezione == SezCoordinate) {
        nVerticiContorno_ = static_cast<int16_t>(n);
        x.Ridimensiona(n);
        y.Ridimensiona(n);
        for (int i = 1; i <= n; ++i) {
            x(i) = TabellaMetri(1, i);
            y(i) = TabellaMetri(2, i);
        }
        return TuttiTipiSezione(TipoSezione, x, y, msg);
    }
    if (4LL * n > 32767) {
        msg.Mostra("Section Area is Null", Icona::Critica);
        return false;
    }
    // Widths and heights cannot be negative: such a row folds the outline
    // over itself and its area would be wrong.
    for (int j = 1; j <= n; ++j)
        for (int c = 1; c <= Colonne(); ++c)
            if (TabellaMetri(c, j) < 0) {
                msg.Mostra("Dimensions must be >= 0", Icona::Critica);
                return false;
            }
    nVerticiContorno_ = static_cast<int16_t>(4 * n);
    x.Ridimensiona(4 * n);
    y.Ridimensiona(4 * n);
    const bool trap = TipoSezione == SezTrapezi;
    const int colH = trap ? 3 : 2;
    int k = 0;
    double yc = 0;
    for (int j = 1; j <= n; ++j) {
        const double sopra = TabellaMetri(1, j), sotto = trap ? TabellaMetri(2, j) : sopra;
        const double h = TabellaMetri(colH, j);
        ++k;
        x(k) = sopra / 2;
        y(k) = yc;
        yc -= h;
        ++k;
        x(k) = sotto / 2;
        y(k) = yc;
    }
    for (int q = 1; q <= 2 * n; ++q) {
        x(2 * n + q) = -x(2 * n + 1 - q);
        y(2 * n + q) = y(2 * n + 1 - q);
    }
    return TuttiTipiSezione(TipoSezione, x, y, msg);
}

bool SezioneEdit::AreaNulla() {
    Contorno.AreaCalcola();
    return Contorno.Area == 0;
}

bool SezioneEdit::TuttiTipiSezione(int16_t Tipo, Vettore1<double>& x, Vettore1<double>& y,
                                   Messaggi& msg) {
    const int n = x.Conta();
    if (Tipo >= 0 && Tipo <= 3 && n > 0) {
        double xmin = x(1), xmax = x(1), ymin = y(1), ymax = y(1);
        for (int i = 1; i <= n; ++i) {
            xmin = std::min(xmin, x(i)), xmax = std::max(xmax, x(i));
            ymin = std::min(ymin, y(i)), ymax = std::max(ymax, y(i));
        }
        const double cx = (xmin + xmax) / 2, cy = (ymin + ymax) / 2;
        for (int i = 1; i <= n; ++i)
            x(i) -= cx, y(i) -= cy;
    }
    Poligono nuovo;
    nuovo.Coordinate(x, y, static_cast<int16_t>(n));
    nuovo.AreaCalcola();
    if (nuovo.Area == 0) {
        msg.Mostra("Section Area is Null", Icona::Critica);
        return false;
    }
    if (!nuovo.CaratteristicheStatiche(msg)) return false;
    try {
        xPtoCalcoloM = ASingolo(nuovo.xG);
        yPtoCalcoloM = ASingolo(nuovo.yG);
        if (Tipo == SezCircolare) {
            const double R = rEsternoM_, r = rInternoM_;
            nuovo.Area = (R * R - r * r) * PiGreco;
            nuovo.jota_xG = (R * R * R * R - r * r * r * r) * PiGreco / 4;
            nuovo.WxSuperiore = Diviso(nuovo.jota_xG, R);
            nuovo.WxInferiore = nuovo.WxSuperiore;
        }
    } catch (const Guasto&) {
        msg.Mostra("Errore nella sub CaratteristicheStatiche. Overflow");
        return false;
    }
    Contorno = std::move(nuovo);
    WxSup = Contorno.WxSuperiore;
    WxInf = Contorno.WxInferiore;
    return true;
}

// ---------------------------------------------------------------------------
// Storage.

void SezioneEdit::CollEditLeggeScrive(Verso Modo, ValoriColl& valori) {
    if (Modo == Verso::Scrivi) {
        if (!ScritturaSucc) {
            CollEdit.clear();
            ScritturaSucc = true;
        }
        for (const auto& v : valori)
            CollEdit.push_back(v);
        return;
    }
    if (!LetturaSucc) {
        cursore_ = 1;
        LetturaSucc = true;
    }
    for (auto& v : valori) {
        if (cursore_ < 1 || static_cast<size_t>(cursore_) > CollEdit.size())
            throw Guasto("lettura oltre la fine della lista");
        v = CollEdit[static_cast<size_t>(cursore_ - 1)];
        cursore_ = Conteggio16(cursore_ + 1);
    }
}

bool SezioneEdit::DatiLeggeScrive(Verso Modo) {
    const bool scrive = Modo == Verso::Scrivi;
    // A list that does not hold a whole section changes nothing: the type,
    // the counts and the tables always stay consistent with each other.
    struct Stato {
        int16_t tipo, righe, lati, cursore;
        float rE, rI, rEM, rIM;
        std::vector<std::vector<float>> tab, tabM;
    };
    const Stato prima{TipoSezione, nRighe_,    nLati_,     cursore_, rEsterno_,
                      rInterno_,   rEsternoM_, rInternoM_, tab_,     tabM_};
    const auto ripristina = [&] {
        TipoSezione = prima.tipo, nRighe_ = prima.righe, nLati_ = prima.lati;
        cursore_ = prima.cursore;
        rEsterno_ = prima.rE, rInterno_ = prima.rI, rEsternoM_ = prima.rEM, rInternoM_ = prima.rIM;
        tab_ = prima.tab, tabM_ = prima.tabM;
    };
    try {
        auto scambia16 = [&](int16_t& v) {
            ValoriColl a{v};
            CollEditLeggeScrive(Modo, a);
            if (!scrive) v = AIntero16Val(a[0]);
        };
        auto scambiaF = [&](float& v) {
            ValoriColl a{v};
            CollEditLeggeScrive(Modo, a);
            if (!scrive) v = ASingoloVal(a[0]);
        };
        int16_t tipo = TipoSezione;
        scambia16(tipo);
        if (!scrive && (tipo < 0 || tipo > 6)) throw Guasto("tipo di sezione sconosciuto");
        TipoSezione = tipo;
        if (TipoSezione == SezCircolare || TipoSezione == SezPoligono) {
            nRighe_ = 0;
            scambiaF(rEsternoM_);
            scambiaF(rInternoM_);
            scambia16(nLati_);
            const double f = Fattore();
            rEsterno_ = ASingolo(rEsternoM_ / f);
            rInterno_ = ASingolo(rInternoM_ / f);
        } else {
            int16_t n = nRighe_;
            scambia16(n);
            if (n < 0) throw Guasto("numero di righe negativo");
            nRighe_ = n;
        }
        if (nRighe_ > 0) {
            const int c = Colonne();
            if (!scrive) Dimensiona(tabM_, c, nRighe_);
            if (scrive && (tabM_.size() != static_cast<size_t>(c) ||
                           tabM_[0].size() != static_cast<size_t>(nRighe_)))
                throw Guasto("tabella della sezione incompleta");
            for (int j = 0; j < nRighe_; ++j)
                for (int i = 0; i < c; ++i)
                    scambiaF(tabM_[i][j]);
            if (!scrive) MatriceFigureAssociata(Verso::Scrivi);
        }
        return true;
    } catch (const Guasto&) {
        if (!scrive) ripristina();
        return false;
    }
}

void SezioneEdit::CopiaColl(ValoriColl& CollRicevi, const ValoriColl& CollDai) {
    CollRicevi.clear();
    for (const auto& v : CollDai)
        CollRicevi.push_back(v);
}

bool SezioneEdit::DimSez(double& h, double& b, Messaggi& msg, bool Ricarica) {
    if (Ricarica) {
        LetturaSucc = false;
        RegistroMessaggi interni;
        if (!DatiLeggeScrive(Verso::Leggi) || !FormLeggeDatiContinua(interni)) {
            for (const auto& m : interni.elenco)
                msg.Mostra(m.testo, m.icona, m.titolo);
            msg.Mostra("Error in Function hSez");
            return false;
        }
    }
    double xmin, xmax, ymin, ymax;
    Contorno.MaxMin(xmin, xmax, ymin, ymax);
    if (Contorno.nVertici() == 0) {
        h = b = 0;
        Strati.clear();
        return true;
    }
    h = ymax - ymin;
    b = xmax - xmin;
    // Levels measured down from the top fibre: table rows for the stacked
    // types, the vertex ordinates otherwise.
    Strati.clear();
    if (TipoSezione <= SezTrapezi) {
        double liv = 0;
        Strati.push_back(0);
        const int colH = TipoSezione == SezTrapezi ? 3 : 2;
        for (int j = 1; j <= nRighe_; ++j) {
            liv += TabellaMetri(colH, j);
            Strati.push_back(liv);
        }
    } else {
        for (int i = 1; i <= Contorno.nVertici(); ++i)
            Strati.push_back(ymax - Contorno.y(i));
        std::sort(Strati.begin(), Strati.end());
        Strati.erase(std::unique(Strati.begin(), Strati.end()), Strati.end());
    }
    return true;
}

} // namespace zelvo
