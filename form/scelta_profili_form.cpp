#include "form/scelta_profili_form.h"

#include "core/guasto.h"
#include "io/generale.h"
#include "io/numeri.h"
#include "section/sezione_profili.h"

#include <cctype>
#include <cmath>

namespace zelvo {

namespace {

// The family of a catalogue name: its leading letters.
std::string FamigliaDi(const std::string& nome) {
    std::string f;
    for (char c : nome) {
        if (!std::isalpha(static_cast<unsigned char>(c))) break;
        f += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    return f;
}

std::string Cifre(const Separatori& s, double v, int decimali) {
    return FormatoPattern(s, v, decimali == 0 ? "0" : decimali == 1 ? "0.0" : "0.00");
}

} // namespace

ModelloSceltaProfili::ModelloSceltaProfili(const CatalogoProfili& cat, Messaggi& msg)
    : Collegamento(cat), eventi_(msg, "Errore nella Sub ", "", Icona::Critica), cat_(cat) {
    eventi_.Cambiato = [this] {
        if (Cambiato) Cambiato();
    };
}

const std::vector<std::string>& ModelloSceltaProfili::Famiglie() {
    static const std::vector<std::string> f = {"IPE", "HEA", "HEB", "UPN", "L"};
    return f;
}

const std::vector<std::string>& ModelloSceltaProfili::Intestazioni() {
    static const std::vector<std::string> t = {
        "Profile",     "h [mm]",      "b [mm]",     "tw [mm]",  "tf [mm]",
        "r [mm]",      "A [cm²]",     "Iy [cm⁴]",   "Iz [cm⁴]", "Wel,y [cm³]",
        "Wpl,y [cm³]", "Wel,z [cm³]", "Wpl,z [cm³]"};
    return t;
}

std::vector<const RigaCatalogo*> ModelloSceltaProfili::Righe() const {
    std::vector<const RigaCatalogo*> v;
    const std::string fam =
        Famiglia >= 0 && Famiglia < static_cast<int>(Famiglie().size()) ? Famiglie()[Famiglia] : "";
    const std::string filtro = ChiaveProfilo(Filtro);
    for (const auto& r : cat_.Righe()) {
        if (FamigliaDi(r.nome) != fam) continue;
        if (!filtro.empty() && ChiaveProfilo(r.nome).find(filtro) == std::string::npos) continue;
        v.push_back(&r);
    }
    return v;
}

std::vector<std::string> ModelloSceltaProfili::TestiRiga(const RigaCatalogo& r) const {
    const Separatori& s = separatori;
    auto lung = [&s](double v) { return Cifre(s, v, v == std::floor(v) ? 0 : 1); };
    // Published tables: area to 2 decimals, inertias and moduli to 4 digits.
    auto quattro = [&s](double v) { return Cifre(s, v, v >= 1000 ? 0 : v >= 100 ? 1 : 2); };
    return {r.nome,
            lung(r.h),
            lung(r.b),
            lung(r.tw),
            lung(r.tf),
            lung(r.r),
            Cifre(s, r.Area / 100, 2),
            quattro(r.Jy / 1e4),
            quattro(r.Jz / 1e4),
            quattro(r.Wely / 1e3),
            quattro(r.Wply / 1e3),
            quattro(r.Welz / 1e3),
            quattro(r.Wplz / 1e3)};
}

void ModelloSceltaProfili::ImpostaFamiglia(int f) {
    eventi_.Esegui(
        [&] {
            if (f < 0 || f >= static_cast<int>(Famiglie().size())) return;
            Famiglia = f;
            Selezionata = Righe().empty() ? -1 : 0;
        },
        "ImpostaFamiglia");
}

void ModelloSceltaProfili::ImpostaFiltro(const std::string& f) {
    eventi_.Esegui(
        [&] {
            const RigaCatalogo* prima = RigaScelta();
            Filtro = f;
            const auto r = Righe();
            Selezionata = r.empty() ? -1 : 0;
            for (size_t i = 0; i < r.size(); ++i)
                if (r[i] == prima) Selezionata = static_cast<int>(i);
        },
        "ImpostaFiltro");
}

void ModelloSceltaProfili::SelezionaRiga(int i) {
    eventi_.Esegui(
        [&] {
            if (i >= 0 && i < static_cast<int>(Righe().size())) Selezionata = i;
        },
        "SelezionaRiga");
}

void ModelloSceltaProfili::ImpostaGrado(int g) {
    eventi_.Esegui([&] { Grado = g; }, "ImpostaGrado");
}

void ModelloSceltaProfili::ImpostaDoppi(bool doppi) {
    eventi_.Esegui([&] { Doppi = doppi; }, "ImpostaDoppi");
}

void ModelloSceltaProfili::ImpostaDoppiCorto(bool corto) {
    eventi_.Esegui([&] { DoppiCorto = corto; }, "ImpostaDoppiCorto");
}

void ModelloSceltaProfili::ImpostaDistanzaDoppi(const std::string& mm) {
    eventi_.Esegui([&] { dDoppi = mm; }, "ImpostaDistanzaDoppi");
}

const RigaCatalogo* ModelloSceltaProfili::RigaScelta() const {
    const auto r = Righe();
    if (Selezionata < 0 || Selezionata >= static_cast<int>(r.size())) return nullptr;
    return r[static_cast<size_t>(Selezionata)];
}

bool ModelloSceltaProfili::Scegli(std::string* errore) {
    const RigaCatalogo* r = RigaScelta();
    if (!r) {
        if (errore) *errore = "Choose a profile in the table.";
        return false;
    }
    double gap = 0;
    if (Doppi) {
        const LetturaRegionale l = LeggiRegionale(dDoppi, separatori);
        if (l.esito != EsitoRegionale::Vuoto && !l.Letto()) {
            if (errore) *errore = TestoNumeroRifiutato("Gap", dDoppi, separatori);
            return false;
        }
        gap = l.valore;
        if (!l.Letto() || !std::isfinite(gap) || gap < 0 || gap > 10000) {
            if (errore)
                *errore = "The gap between the profiles must be a number from 0 to 10000 mm.";
            return false;
        }
    }
    Collegamento.separatori = separatori;
    if (Grado < 0 || Grado >= static_cast<int>(GradiAcciaio().size())) Grado = 0;
    Collegamento.Doppi = Doppi;
    Collegamento.dDoppi = static_cast<float>(gap / 1000);
    Collegamento.DoppiCorto = Doppi && DoppiCorto;
    return Collegamento.Scegli(r->nome, GradiAcciaio()[static_cast<size_t>(Grado)].nome);
}

void ModelloSceltaProfili::Chiudi() {
    Collegamento.Chiudi();
}

DisegnoSezione ModelloSceltaProfili::Anteprima() {
    const RigaCatalogo* r = RigaScelta();
    if (!r) return {};
    RegistroMessaggi muto;
    anteprima_ = SezioneProfili();
    anteprima_.TipoProfilo = r->tipo;
    anteprima_.h = static_cast<float>(r->h / 1000);
    anteprima_.b = static_cast<float>(r->b / 1000);
    anteprima_.tw = static_cast<float>(r->tw / 1000);
    anteprima_.tf = static_cast<float>(r->tf / 1000);
    anteprima_.Doppi = Doppi;
    double gap = 0;
    if (const LetturaRegionale l = LeggiRegionale(dDoppi, separatori); Doppi && l.Letto())
        gap = l.valore;
    anteprima_.dDoppi =
        std::isfinite(gap) && gap >= 0 && gap <= 10000 ? static_cast<float>(gap / 1000) : 0;
    anteprima_.DoppiCorto = Doppi && DoppiCorto;
    if (!anteprima_.Coordinate(muto)) return {};
    return DisegnoDi(anteprima_);
}

} // namespace zelvo
