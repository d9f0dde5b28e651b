#include "io/griglia_testo.h"

#include "core/guasto.h"

#include <algorithm>
#include <exception>

namespace zelvo {

namespace {

constexpr int MassimoCelle = 1 << 22;

// UTF-8 text of one character code.
std::string TestoCarattere(int c) {
    std::string s;
    const auto u = static_cast<unsigned>(c);
    if (u < 0x80) {
        s += static_cast<char>(u);
    } else if (u < 0x800) {
        s += static_cast<char>(0xC0 | (u >> 6));
        s += static_cast<char>(0x80 | (u & 0x3F));
    } else if (u < 0x10000) {
        s += static_cast<char>(0xE0 | ((u >> 12) & 0x0F));
        s += static_cast<char>(0x80 | ((u >> 6) & 0x3F));
        s += static_cast<char>(0x80 | (u & 0x3F));
    } else {
        s += static_cast<char>(0xF0 | ((u >> 18) & 0x07));
        s += static_cast<char>(0x80 | ((u >> 12) & 0x3F));
        s += static_cast<char>(0x80 | ((u >> 6) & 0x3F));
        s += static_cast<char>(0x80 | (u & 0x3F));
    }
    return s;
}

const std::string& Vuoto() {
    static const std::string v;
    return v;
}

} // namespace

int CaratteriUtf8(const std::string& s) {
    int n = 0;
    for (unsigned char ch : s)
        if ((ch & 0xC0) != 0x80) ++n;
    return n;
}

GrigliaTesto::GrigliaTesto(int righe, int colonne, int righeFisse, int colonneFisse) {
    Dimensiona(righe, colonne);
    ImpostaFisse(righeFisse, colonneFisse);
}

GrigliaTesto GrigliaTesto::DaRighe(const std::vector<std::vector<std::string>>& righe,
                                   int righeFisse, int colonneFisse) {
    size_t nc = 0;
    for (const auto& r : righe)
        nc = std::max(nc, r.size());
    GrigliaTesto g(static_cast<int>(righe.size()), static_cast<int>(nc));
    for (size_t r = 0; r < righe.size(); ++r)
        for (size_t c = 0; c < righe[r].size(); ++c)
            g.testi_[r * nc + c] = righe[r][c];
    g.ImpostaFisse(righeFisse, colonneFisse);
    return g;
}

void GrigliaTesto::Dimensiona(int righe, int colonne) {
    if (righe < 0 || colonne < 0) throw Guasto("griglia di forma negativa");
    if (righe != 0 && colonne > MassimoCelle / righe) throw Guasto("griglia troppo grande");
    righe_ = righe;
    colonne_ = colonne;
    const auto n = static_cast<size_t>(righe) * static_cast<size_t>(colonne);
    testi_.assign(n, std::string());
    scritti_.assign(n, std::nullopt);
    editor.visibile = false;
    ancora_.reset();
    CellaCorrente(riga, colonna);
}

void GrigliaTesto::Ridimensiona(int righe, int colonne) {
    GrigliaTesto vecchia = *this;
    const int r0 = riga, c0 = colonna;
    Dimensiona(righe, colonne);
    for (int r = 0; r < std::min(righe, vecchia.righe_); ++r)
        for (int c = 0; c < std::min(colonne, vecchia.colonne_); ++c) {
            const auto i = static_cast<size_t>(Indice(r, c));
            const auto iv = static_cast<size_t>(vecchia.Indice(r, c));
            testi_[i] = std::move(vecchia.testi_[iv]);
            scritti_[i] = std::move(vecchia.scritti_[iv]);
        }
    CellaCorrente(r0, c0);
}

void GrigliaTesto::ImpostaFisse(int righe, int colonne) {
    righeFisse_ = std::max(righe, 0);
    colonneFisse_ = std::max(colonne, 0);
    CellaCorrente(riga, colonna);
}

void GrigliaTesto::EliminaRiga(int r) {
    if (r < 0 || r >= righe_) throw Guasto("riga fuori dalla griglia");
    const auto da = static_cast<long>(r) * colonne_;
    testi_.erase(testi_.begin() + da, testi_.begin() + da + colonne_);
    scritti_.erase(scritti_.begin() + da, scritti_.begin() + da + colonne_);
    --righe_;
    editor.visibile = false;
    CellaCorrente(riga, colonna);
}

int GrigliaTesto::Indice(int r, int c) const {
    if (r < 0 || r >= righe_ || c < 0 || c >= colonne_) throw Guasto("cella fuori dalla griglia");
    return r * colonne_ + c;
}

const std::string& GrigliaTesto::Testo(int r, int c) const {
    return testi_[static_cast<size_t>(Indice(r, c))];
}

const std::string& GrigliaTesto::TestoOVuoto(int r, int c) const {
    if (r < 0 || r >= righe_ || c < 0 || c >= colonne_) return Vuoto();
    return testi_[static_cast<size_t>(r * colonne_ + c)];
}

void GrigliaTesto::ImpostaTesto(int r, int c, const std::string& t) {
    testi_[static_cast<size_t>(Indice(r, c))] = t;
}

void GrigliaTesto::Scrivi(int r, int c, const std::string& t) {
    const auto i = static_cast<size_t>(Indice(r, c));
    testi_[i] = t;
    scritti_[i].reset();
}

void GrigliaTesto::Scrivi(int r, int c, const std::string& t, const ValoreCella& v) {
    const auto i = static_cast<size_t>(Indice(r, c));
    testi_[i] = t;
    ValoreCella w = v;
    w.testo = t;
    scritti_[i] = std::move(w);
}

const std::optional<ValoreCella>& GrigliaTesto::Scritto(int r, int c) const {
    return scritti_[static_cast<size_t>(Indice(r, c))];
}

std::vector<std::vector<std::string>> GrigliaTesto::Testi(int primaRiga, int primaColonna) const {
    std::vector<std::vector<std::string>> a;
    for (int r = std::max(primaRiga, 0); r < righe_; ++r) {
        a.emplace_back();
        for (int c = std::max(primaColonna, 0); c < colonne_; ++c)
            a.back().push_back(Testo(r, c));
    }
    return a;
}

bool GrigliaTesto::operator==(const GrigliaTesto& o) const {
    return righe_ == o.righe_ && colonne_ == o.colonne_ && righeFisse_ == o.righeFisse_ &&
           colonneFisse_ == o.colonneFisse_ && testi_ == o.testi_;
}

// ---------------------------------------------------------------------------
// The editor.

bool GrigliaTesto::CellaDati() const {
    return riga >= righeFisse_ && riga < righe_ && colonna >= colonneFisse_ && colonna < colonne_;
}

void GrigliaTesto::CellaCorrente(int r, int c) {
    riga = std::clamp(r, std::min(righeFisse_, std::max(righe_ - 1, 0)), std::max(righe_ - 1, 0));
    colonna = std::clamp(c, std::min(colonneFisse_, std::max(colonne_ - 1, 0)),
                         std::max(colonne_ - 1, 0));
}

bool GrigliaTesto::EditaCella(int carattere) {
    if (!CellaDati()) return false;
    ancora_.reset();
    const std::string& cella = Testo(riga, colonna);
    testoAperto_ = cella;
    EditorCella& e = editor;
    if (carattere <= 0) {
        e.testo = !numerico || numerico(cella) ? cella : std::string();
        e.selInizio = 0;
        e.selLunghezza = CaratteriUtf8(e.testo);
    } else if (carattere > 32) {
        e.testo = TestoCarattere(carattere);
        e.selInizio = CaratteriUtf8(e.testo);
        e.selLunghezza = 0;
    } else {
        e.testo = cella;
        e.selInizio = CaratteriUtf8(e.testo);
        e.selLunghezza = 0;
    }
    e.visibile = true;
    return true;
}

void GrigliaTesto::EditorPerdeFuoco() {
    if (normalizza) {
        // A text that cannot be normalised (a number out of range) stays as
        // typed: reading the grid reports it.
        try {
            editor.testo = normalizza(editor.testo);
        } catch (const std::exception&) {
        }
    }
    CommitEditor();
}

void GrigliaTesto::ChiudiEditore() {
    if (!editor.visibile) return;
    if (CellaDati() && Testo(riga, colonna) != testoAperto_) {
        editor.visibile = false;
        return;
    }
    EditorPerdeFuoco();
}

void GrigliaTesto::CommitEditor() {
    if (!editor.visibile) return;
    if (CellaDati()) ImpostaTesto(riga, colonna, editor.testo);
    editor.visibile = false;
}

EsitoTasto GrigliaTesto::Tasto(TastoEditor tasto) {
    const int ultimaRiga = righe_ - 1;
    const int ultimaColonna = colonne_ - 1;
    switch (tasto) {
    case TastoEditor::Invio: {
        EditorPerdeFuoco(); // the grid takes the focus: commit
        int r = riga, c = colonna;
        if (perColonne) {
            if (c < ultimaColonna) {
                ++c;
            } else {
                c = colonneFisse_;
                ++r;
            }
        } else {
            if (r < ultimaRiga) {
                ++r;
            } else {
                r = righeFisse_;
                ++c;
            }
        }
        if (r > ultimaRiga || c > ultimaColonna) return EsitoTasto::Successivo;
        riga = r;
        colonna = c;
        return EditaCella(0) ? EsitoTasto::Editor : EsitoTasto::Griglia;
    }
    case TastoEditor::Esc:
        editor.visibile = false;
        return EsitoTasto::Griglia;
    case TastoEditor::Su:
    case TastoEditor::Giu:
        EditorPerdeFuoco();
        if (tasto == TastoEditor::Su && riga > righeFisse_) --riga;
        if (tasto == TastoEditor::Giu && riga < ultimaRiga) ++riga;
        return EsitoTasto::Griglia;
    }
    return EsitoTasto::Griglia;
}

bool GrigliaTesto::SelezionaCella(int r, int c) {
    CommitEditor();
    if (r < righeFisse_ || r >= righe_ || c < colonneFisse_ || c >= colonne_) return false;
    riga = r;
    colonna = c;
    return EditaCella(0);
}

} // namespace zelvo

namespace zelvo {

// ---------------------------------------------------------------------------
// Blocks of cells as text.

BloccoCelle BloccoDaTesto(const std::string& testo) {
    BloccoCelle b;
    size_t inizio = 0;
    while (inizio < testo.size()) {
        size_t fine = testo.find('\n', inizio);
        const bool ultima = fine == std::string::npos;
        if (ultima) fine = testo.size();
        std::string riga = testo.substr(inizio, fine - inizio);
        if (!riga.empty() && riga.back() == '\r') riga.pop_back();
        std::vector<std::string> celle;
        size_t da = 0;
        for (;;) {
            const size_t tab = riga.find('\t', da);
            if (tab == std::string::npos) {
                celle.push_back(riga.substr(da));
                break;
            }
            celle.push_back(riga.substr(da, tab - da));
            da = tab + 1;
        }
        b.push_back(std::move(celle));
        inizio = fine + 1;
    }
    return b;
}

std::string TestoDaBlocco(const BloccoCelle& blocco) {
    std::string t;
    for (size_t r = 0; r < blocco.size(); ++r) {
        if (r > 0) t += '\n';
        for (size_t c = 0; c < blocco[r].size(); ++c) {
            if (c > 0) t += '\t';
            t += blocco[r][c];
        }
    }
    return t;
}

int ColonneBlocco(const BloccoCelle& blocco) {
    size_t n = 0;
    for (const auto& r : blocco)
        n = std::max(n, r.size());
    return static_cast<int>(n);
}

// ---------------------------------------------------------------------------
// Moving between cells and selecting a block.

void GrigliaTesto::Muovi(int dr, int dc, bool estendi) {
    EditorPerdeFuoco();
    if (!CellaDati()) return;
    const std::pair<int, int> da{riga, colonna};
    const RettangoloCelle s = Selezione();
    const bool blocco = s.NumeroRighe() * s.NumeroColonne() > 1;
    CellaCorrente(riga + dr, colonna + dc);
    if (!estendi) {
        ancora_.reset();
        return;
    }
    if (!blocco || !ancora_) ancora_ = da;
    finoRiga_ = riga;
    finoColonna_ = colonna;
}

EsitoTasto GrigliaTesto::Tab(bool indietro) {
    EditorPerdeFuoco();
    ancora_.reset();
    if (!CellaDati()) return indietro ? EsitoTasto::Precedente : EsitoTasto::Successivo;
    int r = riga, c = colonna;
    if (!indietro) {
        if (++c >= colonne_) {
            c = colonneFisse_;
            ++r;
        }
        if (r >= righe_) return EsitoTasto::Successivo;
    } else {
        if (--c < colonneFisse_) {
            c = colonne_ - 1;
            --r;
        }
        if (r < righeFisse_) return EsitoTasto::Precedente;
    }
    riga = r;
    colonna = c;
    return EsitoTasto::Griglia;
}

void GrigliaTesto::EstendiA(int r, int c) {
    CommitEditor();
    if (!CellaDati()) return;
    const RettangoloCelle s = Selezione();
    if (!ancora_ || s.NumeroRighe() * s.NumeroColonne() <= 1) ancora_ = {riga, colonna};
    CellaCorrente(r, c);
    finoRiga_ = riga;
    finoColonna_ = colonna;
}

RettangoloCelle GrigliaTesto::Selezione() const {
    if (!CellaDati()) return {};
    RettangoloCelle s{riga, colonna, riga, colonna};
    if (!ancora_ || editor.visibile || riga != finoRiga_ || colonna != finoColonna_) return s;
    const int ar = std::clamp(ancora_->first, righeFisse_, righe_ - 1);
    const int ac = std::clamp(ancora_->second, colonneFisse_, colonne_ - 1);
    return {std::min(ar, riga), std::min(ac, colonna), std::max(ar, riga), std::max(ac, colonna)};
}

std::string GrigliaTesto::TestoSelezione() const {
    const RettangoloCelle s = Selezione();
    BloccoCelle b;
    for (int r = s.primaRiga; r <= s.ultimaRiga; ++r) {
        b.emplace_back();
        for (int c = s.primaColonna; c <= s.ultimaColonna; ++c)
            b.back().push_back(Testo(r, c));
    }
    return TestoDaBlocco(b);
}

void GrigliaTesto::SvuotaSelezione() {
    const RettangoloCelle s = Selezione();
    for (int r = s.primaRiga; r <= s.ultimaRiga; ++r)
        for (int c = s.primaColonna; c <= s.ultimaColonna; ++c)
            ImpostaTesto(r, c, std::string());
}

int GrigliaTesto::RigheMancanti(const BloccoCelle& blocco) const {
    const RettangoloCelle s = Selezione();
    if (s.Vuoto() || blocco.empty()) return 0;
    const int ultima = s.primaRiga + static_cast<int>(blocco.size()) - 1;
    return std::max(0, ultima - (righe_ - 1));
}

RettangoloCelle GrigliaTesto::Incolla(const BloccoCelle& blocco) {
    CommitEditor();
    const RettangoloCelle s = Selezione();
    const int nc = ColonneBlocco(blocco);
    if (s.Vuoto() || blocco.empty() || nc == 0) return {};
    const int r0 = s.primaRiga, c0 = s.primaColonna;
    const int r1 = std::min(righe_ - 1, r0 + static_cast<int>(blocco.size()) - 1);
    const int c1 = std::min(colonne_ - 1, c0 + nc - 1);
    for (int r = r0; r <= r1; ++r) {
        const auto& riga_b = blocco[static_cast<size_t>(r - r0)];
        for (int c = c0; c <= c1; ++c) {
            const auto k = static_cast<size_t>(c - c0);
            ImpostaTesto(r, c, k < riga_b.size() ? riga_b[k] : std::string());
        }
    }
    riga = r0;
    colonna = c0;
    ancora_ = {r1, c1};
    finoRiga_ = r0;
    finoColonna_ = c0;
    return {r0, c0, r1, c1};
}

} // namespace zelvo
