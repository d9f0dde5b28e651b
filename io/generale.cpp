#include "io/generale.h"

#include "core/guasto.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace zelvo {

namespace {

struct StatoGenerale {
    std::optional<Separatori> separatori;
    std::string cartellaProgramma;
    std::string cartellaCorrente;
    Messaggi* messaggi = nullptr;
    bool tastoDecimale = false;
};

StatoGenerale& Stato() {
    static StatoGenerale s;
    return s;
}

const Separatori& Correnti() {
    auto& s = Stato();
    if (!s.separatori) s.separatori = SeparatoriDaAmbiente();
    return *s.separatori;
}

// ---- shortest decimal text of a number, as digits and point position

// value = 0.cifre... placed so that cifre[0..punto) is the integer part.
struct Decimale {
    std::string cifre; // no leading zeros ("0" for zero)
    int punto = 1;
};

Decimale CifreBrevi(const Numero& x) {
    char buf[64];
    std::to_chars_result r;
    const double a = std::fabs(x.Valore());
    if (x.Singolo())
        r = std::to_chars(buf, buf + sizeof buf, static_cast<float>(a),
                          std::chars_format::scientific);
    else
        r = std::to_chars(buf, buf + sizeof buf, a, std::chars_format::scientific);
    const std::string_view t(buf, static_cast<size_t>(r.ptr - buf));
    Decimale d;
    const size_t e = t.find('e');
    for (size_t i = 0; i < e; ++i)
        if (t[i] >= '0' && t[i] <= '9') d.cifre += t[i];
    int esp = 0;
    std::from_chars(t.data() + e + (t[e + 1] == '+' ? 2 : 1), t.data() + t.size(), esp);
    d.punto = esp + 1;
    while (d.cifre.size() > 1 && d.cifre.back() == '0')
        d.cifre.pop_back();
    if (d.cifre == "0") d.punto = 1;
    return d;
}

bool TuttiZero(std::string_view s) {
    for (char c : s)
        if (c != '0') return false;
    return true;
}

// Rounds the digit string to `k` digits (half away from zero on the decimal
// text); returns true when a carry added a digit in front.
bool Arrotonda(std::string& cifre, size_t k) {
    if (cifre.size() <= k) {
        cifre.append(k - cifre.size(), '0');
        return false;
    }
    const bool su = cifre[k] >= '5';
    cifre.resize(k);
    if (!su) return false;
    for (size_t i = k; i-- > 0;) {
        if (cifre[i] == '9') {
            cifre[i] = '0';
        } else {
            ++cifre[i];
            return false;
        }
    }
    cifre.insert(cifre.begin(), '1');
    return true;
}

struct Pattern {
    std::string prefisso;
    int minInteri = 0;
    bool raggruppa = false;
    bool punto = false;
    int minDecimali = 0;
    int maxDecimali = 0;
    bool esponente = false;
    bool esponentePiu = false;
    int cifreEsponente = 0;
};

Pattern Analizza(std::string_view p) {
    Pattern r;
    size_t i = 0;
    while (i < p.size() && p[i] != '#' && p[i] != '0' && p[i] != '.' && p[i] != ',')
        r.prefisso += p[i++];
    for (; i < p.size() && (p[i] == '#' || p[i] == '0' || p[i] == ','); ++i) {
        if (p[i] == '0') ++r.minInteri;
        if (p[i] == ',') r.raggruppa = true;
    }
    if (i < p.size() && p[i] == '.') {
        r.punto = true;
        for (++i; i < p.size() && (p[i] == '#' || p[i] == '0'); ++i) {
            ++r.maxDecimali;
            if (p[i] == '0') r.minDecimali = r.maxDecimali;
        }
    }
    if (i + 1 < p.size() && (p[i] == 'E' || p[i] == 'e') && (p[i + 1] == '+' || p[i + 1] == '-')) {
        r.esponente = true;
        r.esponentePiu = p[i + 1] == '+';
        for (i += 2; i < p.size() && p[i] == '0'; ++i)
            ++r.cifreEsponente;
    }
    return r;
}

std::string Raggruppa(const std::string& interi, char sep) {
    if (sep == 0 || interi.size() <= 3) return interi;
    std::string r;
    const size_t n = interi.size();
    for (size_t i = 0; i < n; ++i) {
        if (i > 0 && (n - i) % 3 == 0) r += sep;
        r += interi[i];
    }
    return r;
}

// Formats |x| with the pattern; `zero` tells whether the shown digits are all 0.
std::string FormatoAssoluto(const Numero& x, const Pattern& p, bool& zero) {
    const Separatori& s = Correnti();
    Decimale d = CifreBrevi(x);
    std::string r = p.prefisso;
    if (p.esponente) {
        const size_t k = static_cast<size_t>(1 + p.maxDecimali);
        int esp = d.cifre == "0" ? 0 : d.punto - 1;
        if (Arrotonda(d.cifre, k)) {
            d.cifre.pop_back();
            ++esp;
        }
        zero = TuttiZero(d.cifre);
        r += d.cifre[0];
        std::string dec = d.cifre.substr(1);
        while (static_cast<int>(dec.size()) > p.minDecimali && dec.back() == '0')
            dec.pop_back();
        if (p.punto) r += s.decimale;
        r += dec;
        r += 'E';
        if (esp < 0)
            r += '-';
        else if (p.esponentePiu)
            r += '+';
        std::string e = std::to_string(std::abs(esp));
        if (static_cast<int>(e.size()) < p.cifreEsponente)
            e.insert(0, static_cast<size_t>(p.cifreEsponente) - e.size(), '0');
        r += e;
        return r;
    }
    // fixed: put the point at index >= 1
    if (d.punto <= 0) {
        d.cifre.insert(0, static_cast<size_t>(1 - d.punto), '0');
        d.punto = 1;
    }
    const size_t k = static_cast<size_t>(d.punto + p.maxDecimali);
    if (Arrotonda(d.cifre, k)) ++d.punto;
    std::string interi = d.cifre.substr(0, static_cast<size_t>(d.punto));
    std::string dec = d.cifre.substr(static_cast<size_t>(d.punto));
    zero = TuttiZero(interi) && TuttiZero(dec);
    while (!interi.empty() && interi[0] == '0')
        interi.erase(0, 1);
    if (static_cast<int>(interi.size()) < p.minInteri)
        interi.insert(0, static_cast<size_t>(p.minInteri) - interi.size(), '0');
    while (static_cast<int>(dec.size()) > p.minDecimali && dec.back() == '0')
        dec.pop_back();
    r += p.raggruppa ? Raggruppa(interi, s.migliaia) : interi;
    if (p.punto) {
        r += s.decimale;
        r += dec;
    }
    return r;
}

std::string Zeri(int n) {
    return std::string(static_cast<size_t>(n > 0 ? n : 0), '0');
}

size_t Caratteri(std::string_view s) {
    size_t n = 0;
    for (unsigned char c : s)
        if ((c & 0xC0) != 0x80) ++n;
    return n;
}

int EsponenteCifre(double a) {
    return static_cast<int>(std::floor(std::log10(a) + 0.000001)) + 1;
}

} // namespace

// ---------------------------------------------------------------- separators

Separatori SeparatoriPerLocale(std::string_view nome) {
    const bool italiano =
        nome.size() >= 2 && (nome[0] == 'i' || nome[0] == 'I') &&
        (nome[1] == 't' || nome[1] == 'T') &&
        (nome.size() == 2 || nome[2] == '_' || nome[2] == '.' || nome[2] == '@' || nome[2] == '-');
    if (italiano) return {',', '.'};
    return {'.', ','};
}

Separatori SeparatoriDaAmbiente() {
    for (const char* nome : {"LC_ALL", "LC_NUMERIC", "LANG"}) {
        const char* v = std::getenv(nome);
        if (v && *v) return SeparatoriPerLocale(v);
    }
    return SeparatoriPerLocale("");
}

char SeparatoreDecimale() {
    return Correnti().decimale;
}
char SeparatoreMigliaia() {
    return Correnti().migliaia;
}

void ImpostaSeparatori(char decimale, char migliaia) {
    Stato().separatori = Separatori{decimale, migliaia == decimale ? '\0' : migliaia};
}

SeparatoriTemporanei::SeparatoriTemporanei(char decimale, char migliaia) : vecchi_(Correnti()) {
    ImpostaSeparatori(decimale, migliaia);
}
SeparatoriTemporanei::~SeparatoriTemporanei() {
    Stato().separatori = vecchi_;
}

// ------------------------------------------------------------------ start-up

void ControllaSeparatori(Messaggi& msg, bool silenzioso, char* decimale,
                         std::optional<Separatori> regionali) {
    const Separatori r = regionali ? *regionali : SeparatoriDaAmbiente();
    ImpostaSeparatori(r.decimale, r.migliaia);
    const char dec = SeparatoreDecimale();
    const char mig = SeparatoreMigliaia();
    if (decimale) *decimale = dec;
    if (mig == 0) {
        msg.Mostra(std::string("Errore nelle impostazioni internazionali del pannello di "
                               "controllo.\rIl separatore decimale è stato impostato come \"") +
                       dec +
                       "\"\rE' stato impostato lo stesso carattere per il simbolo "
                       "raggruppamento cifre.\rCambiare il simbolo raggruppamento cifre e "
                       "riavviare il programma.",
                   Icona::Critica, "ERRORE");
        return;
    }
    // The hidden field only carries the text from the formatter to the parser.
    const std::string campo = FormatoPattern(1234567.8, "#,#.#");
    if (ValoreNumerico(campo) != 1234567.8) {
        msg.Mostra("Errore sconosciuto nelle impostazioni internazionali del pannello di "
                   "controllo.\rProvare a cambiare i simboli del separatore decimale\re del "
                   "raggruppamento cifre e riavviare il programma.",
                   Icona::Critica, "ERRORE");
    }
    if (mig == ',' && dec == '.' && !silenzioso) {
        std::string t = std::string("E' impostato come separatore decimale \"") + dec +
                        "\" e come separatore delle migliaia \"" + mig + "\"";
        t += ACapo;
        t += "Se la lingua è Italiano è meglio usare la  \",\" come separatore decimale.";
        t += ACapo;
        t += "Il programma funzionerà comunque correttamente se si usa come separatore delle "
             "migliaia lo spazio,";
        t += ACapo;
        t += "impostazione consigliata perchè elimina qualunque ambiguità.";
        t += ACapo;
        t += "Il tastierino numerico inserisce il separatore decimale scelto nelle "
             "impostazioni internazionali.";
        msg.Mostra(t, Icona::Esclamazione, "ATTENZIONE ");
    }
}

void AvvioGenerale(Messaggi& msg, bool silenzioso, char* decimale,
                   std::optional<Separatori> regionali) {
    namespace fs = std::filesystem;
    std::error_code ec;
    fs::path programma = fs::read_symlink("/proc/self/exe", ec);
    if (ec || programma.empty()) programma = fs::current_path(ec) / "zelvo";
    ImpostaCartellaProgramma(programma.parent_path().string());
    const fs::path corrente = fs::current_path(ec);
    ImpostaCartellaCorrente(ec ? std::string() : corrente.string());
    ImpostaMessaggiGenerale(&msg);
    ControllaSeparatori(msg, silenzioso, decimale, regionali);
}

const std::string& CartellaProgramma() {
    return Stato().cartellaProgramma;
}
void ImpostaCartellaProgramma(std::string cartella) {
    Stato().cartellaProgramma = std::move(cartella);
}
const std::string& CartellaCorrente() {
    return Stato().cartellaCorrente;
}
void ImpostaCartellaCorrente(std::string cartella) {
    Stato().cartellaCorrente = std::move(cartella);
}

void ImpostaMessaggiGenerale(Messaggi* msg) {
    Stato().messaggi = msg;
}
Messaggi* MessaggiGenerale() {
    return Stato().messaggi;
}

// ------------------------------------------------------------------ numbers

double ValoreNumerico(std::string_view testo) {
    const Separatori& s = Correnti();
    std::string t;
    t.reserve(testo.size());
    bool decimaleVisto = false;
    for (char c : testo) {
        if (s.migliaia != 0 && c == s.migliaia) continue;
        if (!decimaleVisto && c == s.decimale) {
            t += '.';
            decimaleVisto = true;
            continue;
        }
        t += c;
    }
    size_t i = 0;
    while (i < t.size() && (t[i] == ' ' || t[i] == '\t' || t[i] == '\r' || t[i] == '\n'))
        ++i;
    bool negativo = false;
    if (i < t.size() && (t[i] == '+' || t[i] == '-')) negativo = t[i++] == '-';
    std::string num;
    size_t cifre = 0;
    while (i < t.size() && t[i] >= '0' && t[i] <= '9')
        num += t[i++], ++cifre;
    if (i < t.size() && t[i] == '.') {
        num += t[i++];
        while (i < t.size() && t[i] >= '0' && t[i] <= '9')
            num += t[i++], ++cifre;
    }
    if (cifre == 0) return 0.0;
    if (i < t.size() && (t[i] == 'E' || t[i] == 'e' || t[i] == 'D' || t[i] == 'd')) {
        size_t j = i + 1;
        std::string esp = "e";
        if (j < t.size() && (t[j] == '+' || t[j] == '-')) esp += t[j++];
        size_t ce = 0;
        while (j < t.size() && t[j] >= '0' && t[j] <= '9')
            esp += t[j++], ++ce;
        if (ce > 0) num += esp;
    }
    double v = 0;
    const auto r = std::from_chars(num.data(), num.data() + num.size(), v);
    if (r.ec == std::errc::result_out_of_range) {
        // Overflow or underflow: tell them apart from the magnitude of the text.
        const size_t e = num.find('e');
        long esp = 0;
        if (e != std::string::npos) esp = std::strtol(num.c_str() + e + 1, nullptr, 10);
        const size_t p = num.find('.');
        const std::string mant = num.substr(0, std::min(e, num.size()));
        const size_t primo = mant.find_first_not_of("0.");
        long posizione = static_cast<long>(p == std::string::npos ? mant.size() : p) -
                         static_cast<long>(primo == std::string::npos ? 0 : primo);
        if (esp + posizione > 0) throw Guasto("numero troppo grande");
        v = 0.0;
    }
    return Finito(negativo ? -v : v, "numero troppo grande");
}

std::string FormatoPattern(Numero x, std::string_view pattern) {
    const Pattern p = Analizza(pattern);
    if (!std::isfinite(x.Valore())) throw Guasto("numero non finito");
    bool zero = false;
    std::string t = FormatoAssoluto(x, p, zero);
    if (x.Valore() < 0 && !zero) t.insert(0, 1, '-');
    return t;
}

std::string FormatoNumero(Numero x) {
    std::string t = FormatoPattern(x, "#,##0.########");
    if (!t.empty() && t.back() == SeparatoreDecimale()) t.pop_back();
    return t;
}

std::string FormatoCifre(int n, Numero x, std::string* pattern) {
    if (!std::isfinite(x.Valore())) throw Guasto("numero non finito");
    const double a = std::fabs(x.Valore());
    if (a == 0.0 || EsponenteCifre(a) <= -19) {
        if (pattern) *pattern = "#,##0";
        return " 0";
    }
    const int e = EsponenteCifre(a);
    std::string p = "#,##0";
    if (a <= 1 || e < n) p += "." + Zeri(n - e);
    if (pattern) *pattern = p;
    bool zero = false;
    std::string t = FormatoAssoluto(x, Analizza(p), zero);
    return (x.Valore() < 0 && !zero ? "-" : " ") + t;
}

std::string FormatoLarghezza(int n, int w, Numero x, std::string* pattern, Messaggi* msg) {
    std::string s = FormatoCifre(n, x, pattern);
    if (static_cast<int>(Caratteri(s)) <= w) return s;
    if (w < n + 6) {
        Messaggi* m = msg ? msg : MessaggiGenerale();
        if (m) m->Mostra("n. caratteri minimo = " + std::to_string(n + 6));
    }
    const std::string p = " 0." + Zeri(n - 1) + "E+00";
    if (pattern) *pattern = p;
    bool zero = false;
    std::string t = FormatoAssoluto(x, Analizza(p), zero); // starts with the blank
    if (x.Valore() < 0 && !zero) t[0] = '-';
    return t;
}

std::string FormatoCompatto(int n, int w, Numero x, Messaggi* msg) {
    std::string t = FormatoLarghezza(n, w, x, nullptr, msg);
    const char dec = SeparatoreDecimale();
    const size_t ps = t.find(dec);
    if (ps == std::string::npos) return t;
    const size_t pe = t.find('E');
    std::string coda = pe == std::string::npos ? "" : t.substr(pe);
    std::string testa = t.substr(0, pe == std::string::npos ? t.size() : pe);
    while (testa.size() > ps + 1 && testa.back() == '0')
        testa.pop_back();
    if (testa.size() == ps + 1) testa.pop_back();
    return testa + coda;
}

std::string FormatoEtichetta(int n, Numero x) {
    if (!std::isfinite(x.Valore())) throw Guasto("numero non finito");
    const double a = std::fabs(x.Valore());
    const Numero ax = x.Singolo() ? Numero(static_cast<float>(a)) : Numero(a);
    // The plain text of |x|: its shortest digits in fixed notation.
    const Decimale d = CifreBrevi(ax);
    const int cifreTesto =
        static_cast<int>(d.cifre.size()) + (d.punto <= 0 ? 1 - d.punto : 0) +
        (d.punto > static_cast<int>(d.cifre.size()) ? d.punto - static_cast<int>(d.cifre.size())
                                                    : 0);
    std::string t;
    if (cifreTesto < n) {
        t = FormatoPattern(ax, "0.###################################################");
        if (!t.empty() && t.back() == SeparatoreDecimale()) t.pop_back();
    } else {
        const int interi = d.cifre == "0" ? 1 : (d.punto > 0 ? d.punto : 1);
        if (interi >= n) {
            t = FormatoPattern(ax, "#,##0");
        } else {
            const int e = EsponenteCifre(a);
            t = FormatoPattern(ax, "#,##0." + Zeri(n - e));
        }
    }
    bool zero = true;
    for (char c : t)
        if (c >= '1' && c <= '9') zero = false;
    if (zero) return " 0";
    t.insert(0, 1, x.Valore() < 0 ? '-' : ' ');
    return t;
}

std::string NormalizzaCampo(std::string_view testo) {
    return FormatoNumero(ValoreNumerico(testo));
}

// ------------------------------------------------------------------- files

std::string NomeBase(std::string_view nome) {
    const size_t s = nome.find_last_of("/\\");
    std::string_view f = s == std::string_view::npos ? nome : nome.substr(s + 1);
    const size_t p = f.rfind('.');
    if (p != std::string_view::npos && p > 0) f = f.substr(0, p);
    return std::string(f);
}

// ---------------------------------------------------------------- keyboard

AzioneTasto TastoGiu(int codice, bool conFinestra) {
    if (codice == TastoInvio && conFinestra) return AzioneTasto::CampoSuccessivo;
    if (codice == TastoDecimaleTastierino) Stato().tastoDecimale = true;
    return AzioneTasto::Nessuna;
}

void TastoCarattere(int& codice) {
    auto& s = Stato();
    if (s.tastoDecimale) {
        codice = static_cast<unsigned char>(Correnti().decimale);
        s.tastoDecimale = false;
    }
}

bool TastoDecimale() {
    return Stato().tastoDecimale;
}

} // namespace zelvo
