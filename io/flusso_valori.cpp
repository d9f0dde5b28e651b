#include "io/flusso_valori.h"

#include "core/guasto.h"
#include "io/codifica.h"
#include "io/file_atomico.h"
#include "io/numeri.h"

#include <charconv>
#include <cmath>

namespace zelvo {

namespace {

[[noreturn]] void Guasto0(const char* causa) {
    throw ErroreFile(0, causa);
}

bool Uguale(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        char x = a[i], y = b[i];
        if (x >= 'a' && x <= 'z') x = static_cast<char>(x - 32);
        if (y >= 'a' && y <= 'z') y = static_cast<char>(y - 32);
        if (x != y) return false;
    }
    return true;
}

// Numeric text of a file -> double (or float), exactly rounded once to the
// type. Accepts what `LeggiMacchina` accepts, #TRUE#/#FALSE# (-1, 0) and the
// empty item (0). Anything else fails.
template <class T> T Numerico(std::string_view t) {
    if (t.empty() || Uguale(t, "#FALSE#")) return T(0);
    if (Uguale(t, "#TRUE#")) return T(-1);
    T v{};
    switch (LeggiMacchina(t, v)) {
    case EsitoLettura::Letto:
        return v;
    case EsitoLettura::NonNumerico:
        Guasto0("non numerico");
    case EsitoLettura::FuoriLimiti:
        break;
    }
    Guasto0("fuori dai limiti");
}

} // namespace

std::string Riga(const std::vector<std::string>& elementi) {
    std::string r;
    for (size_t i = 0; i < elementi.size(); ++i) {
        if (i) r += ',';
        r += elementi[i];
    }
    return r;
}

FlussoValori FlussoValori::PerLeggere(std::string_view byte, Messaggi& msg) {
    FlussoValori f(msg, true);
    f.testo_ = TestoFileAUtf8(byte);
    return f;
}

std::optional<FlussoValori> FlussoValori::ApriLettura(const std::filesystem::path& percorso,
                                                      Messaggi& msg) {
    auto byte = LeggiFile(percorso);
    if (!byte) return std::nullopt;
    return PerLeggere(*byte, msg);
}

FlussoValori FlussoValori::PerScrivere(Messaggi& msg) {
    return FlussoValori(msg, false);
}

void FlussoValori::Controlla(bool lettura) const {
    if (!aperto_) Guasto0("file chiuso");
    if (lettura != lettura_) Guasto0("modo del file errato");
}

bool FlussoValori::FineDati() const {
    for (size_t i = pos_; i < testo_.size(); ++i)
        if (testo_[i] != ' ' && testo_[i] != '\t' && testo_[i] != '\r' && testo_[i] != '\n')
            return false;
    return true;
}

void FlussoValori::SaltaFineRiga() {
    if (pos_ < testo_.size() && testo_[pos_] == '\r') ++pos_;
    if (pos_ < testo_.size() && testo_[pos_] == '\n') ++pos_;
}

std::string FlussoValori::LeggiElemento(bool* traVirgolette) {
    Controlla(true);
    // Blanks and empty lines before an item are skipped.
    while (pos_ < testo_.size() && (testo_[pos_] == ' ' || testo_[pos_] == '\t' ||
                                    testo_[pos_] == '\r' || testo_[pos_] == '\n'))
        ++pos_;
    if (pos_ >= testo_.size()) Guasto0("fine del file");
    std::string r;
    const bool quoted = testo_[pos_] == '"';
    if (traVirgolette) *traVirgolette = quoted;
    if (quoted) {
        ++pos_;
        const size_t fine = testo_.find_first_of("\"\r\n", pos_);
        const size_t f = fine == std::string::npos ? testo_.size() : fine;
        r = testo_.substr(pos_, f - pos_);
        pos_ = f;
        if (pos_ < testo_.size() && testo_[pos_] == '"') ++pos_;
        // Anything up to the delimiter is ignored.
        while (pos_ < testo_.size() && testo_[pos_] != ',' && testo_[pos_] != '\r' &&
               testo_[pos_] != '\n')
            ++pos_;
    } else {
        const size_t fine = testo_.find_first_of(",\r\n", pos_);
        const size_t f = fine == std::string::npos ? testo_.size() : fine;
        r = testo_.substr(pos_, f - pos_);
        pos_ = f;
        while (!r.empty() && (r.back() == ' ' || r.back() == '\t'))
            r.pop_back();
    }
    if (pos_ < testo_.size() && testo_[pos_] == ',')
        ++pos_;
    else
        SaltaFineRiga();
    return r;
}

std::string FlussoValori::LeggiRiga() {
    Controlla(true);
    if (pos_ >= testo_.size()) Guasto0("fine del file");
    const size_t fine = testo_.find_first_of("\r\n", pos_);
    const size_t f = fine == std::string::npos ? testo_.size() : fine;
    std::string r = testo_.substr(pos_, f - pos_);
    pos_ = f;
    SaltaFineRiga();
    ultimaRiga_ = r;
    return r;
}

void FlussoValori::Leggi(float& v) {
    v = Numerico<float>(LeggiElemento());
}
void FlussoValori::Leggi(double& v) {
    v = Numerico<double>(LeggiElemento());
}
void FlussoValori::Leggi(int16_t& v) {
    const double d = Numerico<double>(LeggiElemento());
    try {
        v = AIntero16(d);
    } catch (const Guasto&) {
        Guasto0("intero fuori dai limiti");
    }
}
void FlussoValori::Leggi(bool& v) {
    const std::string t = LeggiElemento();
    if (Uguale(t, "#TRUE#") || Uguale(t, "True") || Uguale(t, "Vero"))
        v = true;
    else if (Uguale(t, "#FALSE#") || Uguale(t, "False") || Uguale(t, "Falso"))
        v = false;
    else
        v = Numerico<double>(t) != 0;
}
void FlussoValori::Leggi(std::string& v) {
    v = LeggiElemento();
}

void FlussoValori::ScriviRiga(std::string_view riga) {
    Controlla(false);
    if (fallito_) Guasto0("scrittura già fallita");
    if (guastoDopo_ >= 0 && righe_ >= guastoDopo_) {
        fallito_ = true;
        Guasto0("disco pieno");
    }
    buffer_ += Utf8ACp1252(riga, &sostituiti_);
    buffer_ += "\r\n";
    ++righe_;
}

std::string FlussoValori::Elemento(float v) {
    if (!std::isfinite(v)) throw ErroreFile(0, "non finito");
    return TestoBreve(v, 'E');
}
std::string FlussoValori::Elemento(double v) {
    if (!std::isfinite(v)) throw ErroreFile(0, "non finito");
    return TestoBreve(v, 'E');
}
std::string FlussoValori::Elemento(int16_t v) {
    return std::to_string(v);
}
std::string FlussoValori::Elemento(bool v) {
    return v ? "#TRUE#" : "#FALSE#";
}
std::string FlussoValori::Elemento(const std::string& v) {
    return "\"" + Ripulisci(v, false) + "\"";
}

std::string FlussoValori::Ripulisci(std::string_view s, bool righe) {
    std::string r;
    r.reserve(s.size());
    for (size_t i = 0; i < s.size(); ++i) {
        const char c = s[i];
        if (righe && (c == '\r' || c == '\n')) {
            r += "\x01\x01";
            if (c == '\r' && i + 1 < s.size() && s[i + 1] == '\n') ++i;
            continue;
        }
        if (c == '"') {
            r += '\'';
            sostituiti_ = true;
        } else if ((static_cast<unsigned char>(c) < 0x20) || c == 0x7F) {
            r += '?';
            sostituiti_ = true;
        } else {
            r += c;
        }
    }
    // Characters outside Windows-1252 (and C1 controls) also become "?".
    std::string fuori;
    fuori.reserve(r.size());
    const std::string cp = Utf8ACp1252(r, &sostituiti_);
    for (char c : cp) {
        const auto b = static_cast<unsigned char>(c);
        if (b == 0x81 || b == 0x8D || b == 0x8F || b == 0x90 || b == 0x9D) {
            fuori += '?';
            sostituiti_ = true;
        } else {
            fuori += c;
        }
    }
    return Cp1252AUtf8(fuori);
}

bool FlussoValori::Salva(const std::filesystem::path& percorso, std::string* errore) const {
    if (fallito_) {
        if (errore) *errore = "scrittura incompleta";
        return false;
    }
    return ScriviFileAtomico(percorso, buffer_, errore);
}

bool SegnalaScrittura(FlussoValori& f) {
    f.fallito_ = true;
    if (f.segnalato_) return false;
    f.segnalato_ = true;
    f.Msg().Mostra(TestoScritturaIncompleta);
    return true;
}

void FileInOutStringColl(Verso modo, FlussoValori& f, std::vector<std::string>& lista) {
    if (modo == Verso::Leggi) {
        const std::string riga = f.LeggiRiga();
        lista.clear();
        if (riga.empty() || riga[0] != '"') {
            lista.push_back(riga);
            return;
        }
        std::string_view resto(riga);
        while (!resto.empty()) {
            resto.remove_prefix(1); // the opening quote
            const size_t q = resto.find('"');
            std::string_view el = resto.substr(0, q);
            std::string item;
            for (size_t i = 0; i < el.size(); ++i) {
                if (el[i] == '\x01' && i + 1 < el.size() && el[i + 1] == '\x01') {
                    item += "\r\n";
                    ++i;
                } else {
                    item += el[i];
                }
            }
            lista.push_back(std::move(item));
            if (q == std::string_view::npos) break;
            resto.remove_prefix(std::min(resto.size(), q + 2)); // the quote and the comma
        }
    } else {
        std::vector<std::string> el;
        for (const auto& s : lista)
            el.push_back("\"" + f.Ripulisci(s, true) + "\"");
        f.ScriviRiga(Riga(el));
    }
}

void FileInOutIntestazione(Verso modo, FlussoValori& f, std::string& titolo, std::string& versione,
                           const std::string& versioneCorrente) {
    if (modo == Verso::Scrivi) {
        std::vector<std::string> l{titolo, versioneCorrente};
        FileInOutStringColl(modo, f, l);
    } else {
        std::vector<std::string> l;
        FileInOutStringColl(modo, f, l);
        titolo = l.empty() ? std::string() : l[0];
        versione = l.size() >= 2 ? l[1] : "0";
    }
}

} // namespace zelvo
