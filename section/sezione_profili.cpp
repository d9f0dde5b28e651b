#include "section/sezione_profili.h"

#include "core/guasto.h"
#include "core/matematica.h"
#include "io/generale.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <fstream>
#include <sstream>

namespace zelvo {

bool SezioneProfili::Coordinate(Messaggi& msg) {
    std::vector<std::pair<double, double>> v;
    tipoSconosciuto_ = false;
    const double H = h, B = b, TW = tw, TF = tf;
    if (TipoProfilo == "SezioneDoppioT") {
        if (!SaldataAsimm) {
            bAlaInf = b;
            tAlaInf = tf;
        }
        const double Bi = bAlaInf, Ti = tAlaInf;
        const double c = std::max(B, Bi) / 2.0; // one vertical axis for both flanges
        v = {{c - Bi / 2.0, 0},      {c + Bi / 2.0, 0},      {c + Bi / 2.0, Ti},
             {c + TW / 2.0, Ti},     {c + TW / 2.0, H - TF}, {c + B / 2.0, H - TF},
             {c + B / 2.0, H},       {c - B / 2.0, H},       {c - B / 2.0, H - TF},
             {c - TW / 2.0, H - TF}, {c - TW / 2.0, Ti},     {c - Bi / 2.0, Ti}};
    } else if (TipoProfilo == "SezioneProfiloL") {
        v = {{0, 0}, {B, 0}, {B, TW}, {TW, TW}, {TW, H}, {0, H}};
    } else if (TipoProfilo == "SezioneProfiloU") {
        v = {{0, 0}, {B, 0}, {B, TF}, {TW, TF}, {TW, H - TF}, {B, H - TF}, {B, H}, {0, H}};
    } else {
        tipoSconosciuto_ = true;
        return false;
    }
    Vettore1<double> x, y;
    for (auto [a, c] : v)
        x.Accoda(a), y.Accoda(c);
    Poligono1.Coordinate(x, y, static_cast<int16_t>(v.size()));
    if (TipoProfilo == "SezioneProfiloU" && Doppi && DoppiCorto) Poligono1.SpecchiaXY(-B, false);
    if (SezioneProfiliRuotata) Poligono1.RuotaVertici(0, 0, PiGreco / 2, msg);
    return Poligono1.CaratteristicheStatiche(msg);
}

bool SezioneProfili::CaratteristicheStaticheSezione(Messaggi& msg) {
    if (!Poligono1.CaratteristicheStatiche(msg)) return false;
    try {
        WxSuperiore = Poligono1.WxSuperiore;
        WxInferiore = Poligono1.WxInferiore;
        WyDestra = Poligono1.WyDestra;
        WySinistra = Poligono1.WySinistra;
        Area = ASingolo(Poligono1.Area);
        xG = Poligono1.xG;
        yG = Poligono1.yG;
        Jy = ASingolo(Poligono1.jota_xG);
        Jz = ASingolo(Poligono1.jota_yG);
    } catch (const Guasto&) {
        msg.Mostra("Errore nella sub CaratteristicheStatiche. Overflow");
        return false;
    }
    return true;
}

bool SezioneProfili::CalcolaWplastici(Messaggi& msg) {
    const bool ruotata = SezioneProfiliRuotata;
    SezioneProfiliRuotata = false;
    bool ok = Coordinate(msg);
    if (ok) {
        ok = Poligono1.Wplastici(msg);
        Wply = Poligono1.Wplx;
        Wplz = Poligono1.Wply;
    }
    SezioneProfiliRuotata = ruotata;
    if (ruotata) Coordinate(msg);
    return ok;
}

bool SezioneProfili::ModuliFlessione(double& Wel, double& Wpl, Messaggi& msg) {
    Wel = Wpl = 0;
    if (!Coordinate(msg)) return false;
    const double n = Numero();
    double el = SezioneProfiliRuotata ? Welz : Wely;
    if (el <= 0) el = std::min(Poligono1.WxSuperiore, Poligono1.WxInferiore);
    const double pl = SezioneProfiliRuotata ? Wplz : Wply;
    Wel = n * el;
    Wpl = n * pl;
    if (Doppi && SezioneProfiliRuotata) {
        // the pair bends about its own axis: the farthest fibre is a toe
        const double d = static_cast<double>(dDoppi) / 2 + std::max<double>(b, bAlaInf);
        Wel = InerziaFlessione() / d;
        Wpl = WplFlessione();
    }
    return std::isfinite(Wel) && std::isfinite(Wpl) && Wel > 0 && Wpl > 0;
}

double SezioneProfili::DistanzaBaricentro() const {
    double e = -1;
    if (TipoProfilo != "SezioneDoppioT" && Welz > 0 && Jz > 0 && Welz * b > Jz)
        e = b - static_cast<double>(Jz) / Welz;
    if (e < 0) {
        SezioneProfili normale = *this;
        normale.SezioneProfiliRuotata = false;
        normale.DoppiCorto = false;
        RegistroMessaggi muto;
        if (!normale.Coordinate(muto)) return 0;
        double x0, x1, y0, y1;
        normale.Poligono1.MaxMin(x0, x1, y0, y1);
        e = normale.Poligono1.xG - x0;
    }
    // a channel turned the other way faces its twin with the toes
    if (TipoProfilo == "SezioneProfiloU" && Doppi && DoppiCorto) e = b - e;
    return e;
}

double SezioneProfili::InerziaFlessione() const {
    if (!SezioneProfiliRuotata) return Numero() * static_cast<double>(Jy);
    if (!Doppi) return Jz;
    const double d = static_cast<double>(dDoppi) / 2 + DistanzaBaricentro();
    return 2 * (static_cast<double>(Jz) + static_cast<double>(Area) * d * d);
}

double SezioneProfili::WplFlessione() const {
    if (!SezioneProfiliRuotata) return Numero() * Wply;
    if (!Doppi) return Wplz;
    const double d = static_cast<double>(dDoppi) / 2 + DistanzaBaricentro();
    return 2 * static_cast<double>(Area) * d;
}

std::string SezioneProfili::NomeSezione(const std::string& nome, const Separatori& s) const {
    if (!Doppi) return nome;
    const double mm = std::round(static_cast<double>(dDoppi) * 1e5) / 100; // to 0.01 mm
    return "2×" + nome + ", gap " + FormatoNumero(s, zelvo::Numero(mm)) + " mm";
}

bool SezioneProfili::DimSez(double& hSez, double& bSez) const {
    if (Poligono1.nVertici() == 0) return false;
    double x0, x1, y0, y1;
    Poligono1.MaxMin(x0, x1, y0, y1);
    hSez = y1 - y0;
    bSez = x1 - x0;
    return true;
}

// ---------------------------------------------------------------------------
// Catalogue.

std::string ChiaveProfilo(const std::string& s) {
    std::string k;
    for (char c : s)
        if (c != ' ') k += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return k;
}

std::vector<std::string> CatalogoProfili::Percorsi() {
    return {FileDati("profili.csv")};
}

bool CatalogoProfili::Carica(std::string* errore) {
    for (const auto& p : Percorsi())
        if (CaricaDa(p, nullptr)) return true;
    if (errore) *errore = "catalogo dei profili non trovato (profili.csv)";
    return false;
}

bool CatalogoProfili::CaricaDa(const std::string& percorso, std::string* errore) {
    std::ifstream f(percorso, std::ios::binary);
    if (!f) {
        if (errore) *errore = "impossibile aprire " + percorso;
        return false;
    }
    std::vector<RigaCatalogo> righe;
    std::string riga;
    bool intestazione = false;
    int n = 0;
    while (std::getline(f, riga)) {
        ++n;
        if (!riga.empty() && riga.back() == '\r') riga.pop_back();
        if (riga.empty() || riga[0] == '#') continue;
        if (!intestazione) {
            intestazione = true;
            continue;
        }
        std::vector<std::string> c;
        std::stringstream ss(riga);
        std::string campo;
        while (std::getline(ss, campo, ','))
            c.push_back(campo);
        if (c.size() != 16) {
            if (errore) *errore = percorso + ": riga " + std::to_string(n) + " non valida";
            return false;
        }
        RigaCatalogo r;
        r.nome = c[0];
        r.tipo = c[1];
        double* dest[] = {&r.h,    &r.b,  &r.tw, &r.tf,   &r.r,    &r.r2,   &r.pendenza,
                          &r.Area, &r.Jy, &r.Jz, &r.Wely, &r.Wply, &r.Welz, &r.Wplz};
        for (int i = 0; i < 14; ++i) {
            if (LeggiMacchina(c[static_cast<size_t>(i) + 2], *dest[i]) != EsitoLettura::Letto ||
                *dest[i] < 0) {
                if (errore) *errore = percorso + ": riga " + std::to_string(n) + " non valida";
                return false;
            }
        }
        if (r.tipo == "SezioneDoppioT") {
            r.It = CostanteTorsioneDoppioT(r.h, r.b, r.tw, r.tf, r.r);
            r.Iw = CostanteIngobbamentoDoppioT(r.h, r.b, r.tf);
        }
        righe.push_back(r);
    }
    if (righe.empty()) {
        if (errore) *errore = percorso + ": nessun profilo";
        return false;
    }
    righe_ = std::move(righe);
    return true;
}

const RigaCatalogo* CatalogoProfili::Cerca(const std::string& nome) const {
    const std::string k = ChiaveProfilo(nome);
    for (const auto& r : righe_)
        if (ChiaveProfilo(r.nome) == k) return &r;
    return nullptr;
}

const RigaCatalogo* CatalogoProfili::CercaDimensioni(const SezioneProfili& p) const {
    auto uguale = [](double mm, float m) {
        return std::fabs(mm / 1000 - m) <= 1e-7 + 1e-6 * mm / 1000;
    };
    for (const auto& r : righe_)
        if (r.tipo == p.TipoProfilo && uguale(r.h, p.h) && uguale(r.b, p.b) && uguale(r.tw, p.tw) &&
            uguale(r.tf, p.tf))
            return &r;
    return nullptr;
}

double CostanteTorsioneDoppioT(double h, double b, double tw, double tf, double r) {
    if (!(tf > 0) || !(tw > 0) || !(b > 0) || !(h > 2 * tf) || r < 0) return 0;
    const double ali = 2.0 / 3.0 * (b - 0.63 * tf) * tf * tf * tf;
    const double anima = (h - 2 * tf) * tw * tw * tw / 3;
    const double alfa = tw / tf * (0.145 + 0.1 * r / tf);
    const double D = ((r + tw / 2) * (r + tw / 2) + (r + tf) * (r + tf) - r * r) / (2 * r + tf);
    return ali + anima + 2 * alfa * D * D * D * D;
}

double CostanteIngobbamentoDoppioT(double h, double b, double tf) {
    if (!(tf > 0) || !(b > 0) || !(h > tf)) return 0;
    return tf * b * b * b * (h - tf) * (h - tf) / 24;
}

const std::vector<GradoAcciaio>& GradiAcciaio() {
    static const std::vector<GradoAcciaio> g = {{"S235", 235}, {"S275", 275}, {"S355", 355}};
    return g;
}

std::string SceltaProfili::Identificazione() const {
    return cat_.Righe().empty() ? std::string() : std::string("Zelvo profile catalogue");
}

bool SceltaProfili::Scegli(const std::string& nome, const std::string& grado) {
    const RigaCatalogo* r = cat_.Cerca(nome);
    const GradoAcciaio* g = nullptr;
    for (const auto& x : GradiAcciaio())
        if (ChiaveProfilo(grado) == x.nome) g = &x;
    if (!r || !g) return false;
    SezioneProfili paio;
    paio.Doppi = Doppi;
    paio.dDoppi = dDoppi;
    Descrizione = paio.NomeSezione(r->nome, separatori) + " " + g->nome;
    TipoProfilo = r->tipo;
    Lunghezze[0] = r->h;
    Lunghezze[1] = r->b;
    Lunghezze[2] = r->tw;
    Lunghezze[3] = r->tf;
    Lunghezze[4] = r->b;
    Lunghezze[5] = r->tf;
    Area = r->Area;
    Jy = r->Jy;
    Jz = r->Jz;
    Wely = r->Wely;
    Wply = r->Wply;
    Welz = r->Welz;
    Wplz = r->Wplz;
    RaggioRaccordo = r->r;
    RaggioEstremita = r->r2;
    fy = g->fy;
    if (ComunicaProfilo) ComunicaProfilo();
    return true;
}

void SceltaProfili::Chiudi() {
    if (ProfiliQuit) ProfiliQuit();
}

bool RiceviProfilo(const SceltaProfili& s, SezioneProfili& p, Messaggi& msg) {
    try {
        p.VersioneSezioneProfili = s.VersioneSezioneProfili;
        p.Doppi = s.Doppi;
        p.dDoppi = s.dDoppi;
        p.DoppiCorto = s.DoppiCorto;
        p.TipoProfilo = s.TipoProfilo;
        float* l[] = {&p.h, &p.b, &p.tw, &p.tf, &p.bAlaInf, &p.tAlaInf};
        for (int i = 0; i < 6; ++i)
            *l[i] = ASingolo(s.Lunghezze[i] / 1000);
        p.SaldataAsimm = false;
        p.Area = ASingolo(s.Area / 1e6);
        p.Jy = ASingolo(s.Jy / 1e12);
        p.Jz = ASingolo(s.Jz / 1e12);
        p.fySteelTMP = s.fy * 1e6;
        p.Wely = s.Wely / 1e9;
        p.Welz = s.Welz / 1e9;
    } catch (const Guasto&) {
        return false;
    }
    if (s.Wply > 0 && s.Wplz > 0) {
        p.Wply = s.Wply / 1e9;
        p.Wplz = s.Wplz / 1e9;
        return p.Coordinate(msg);
    }
    return p.CalcolaWplastici(msg);
}

bool ModuliDaCatalogo(const CatalogoProfili& cat, SezioneProfili& p) {
    const RigaCatalogo* r = cat.CercaDimensioni(p);
    if (!r) return false;
    p.Wely = r->Wely / 1e9;
    p.Welz = r->Welz / 1e9;
    if (p.Wply <= 0 || p.Wplz <= 0) {
        p.Wply = r->Wply / 1e9;
        p.Wplz = r->Wplz / 1e9;
    }
    return true;
}

} // namespace zelvo
