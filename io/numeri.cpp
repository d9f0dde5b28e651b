#include "io/numeri.h"

#include "core/guasto.h"

#include <charconv>
#include <clocale>
#include <cmath>
#include <cstdlib>
#include <langinfo.h>
#include <locale.h>
#include <system_error>

namespace zelvo {

namespace {

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

std::string Raggruppa(const std::string& interi, const std::string& sep) {
    if (sep.empty() || interi.size() <= 3) return interi;
    std::string r;
    const size_t n = interi.size();
    for (size_t i = 0; i < n; ++i) {
        if (i > 0 && (n - i) % 3 == 0) r += sep;
        r += interi[i];
    }
    return r;
}

// Formats |x| with the pattern; `zero` tells whether the shown digits are all 0.
std::string FormatoAssoluto(const Separatori& s, const Numero& x, const Pattern& p, bool& zero) {
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

Separatori SeparatoriDa(std::string_view decimale, std::string_view migliaia) {
    Separatori s;
    s.decimale = decimale.empty() ? std::string(".") : std::string(decimale);
    if (migliaia.empty())
        s.migliaia = s.decimale == "," ? "." : ",";
    else if (migliaia == s.decimale)
        s.migliaia.clear();
    else
        s.migliaia = std::string(migliaia);
    return s;
}

std::optional<Separatori> SeparatoriDiLocale(const std::string& nome) {
    // A locale object of its own: the process's locale stays as it is.
    locale_t l = newlocale(LC_NUMERIC_MASK, nome.c_str(), static_cast<locale_t>(nullptr));
    if (l == static_cast<locale_t>(nullptr)) return std::nullopt;
    const std::string decimale = nl_langinfo_l(RADIXCHAR, l);
    const std::string migliaia = nl_langinfo_l(THOUSEP, l);
    freelocale(l);
    return SeparatoriDa(decimale, migliaia);
}

Separatori SeparatoriDaAmbiente() {
    if (auto s = SeparatoriDiLocale("")) return *s;
    return Separatori{};
}

// ------------------------------------------------------------ machine texts

namespace {

std::string Breve(auto v, char esponente) {
    if (!std::isfinite(v)) throw Guasto("numero non finito");
    char buf[64];
    const auto r = std::to_chars(buf, buf + sizeof buf, v);
    std::string s(buf, r.ptr);
    for (char& c : s)
        if (c == 'e') c = esponente;
    return s;
}

template <class T> EsitoLettura Macchina(std::string_view t, T& v) {
    bool negativo = false;
    if (!t.empty() && (t[0] == '+' || t[0] == '-')) {
        negativo = t[0] == '-';
        t.remove_prefix(1);
    }
    // Digits (with at most one point), then an optional exponent: nothing
    // else (no "inf", "nan", hexadecimal or blanks).
    size_t i = 0, cifre = 0;
    while (i < t.size() && t[i] >= '0' && t[i] <= '9')
        ++i, ++cifre;
    if (i < t.size() && t[i] == '.') {
        ++i;
        while (i < t.size() && t[i] >= '0' && t[i] <= '9')
            ++i, ++cifre;
    }
    if (cifre == 0) return EsitoLettura::NonNumerico;
    std::string s(t);
    if (i < s.size()) {
        if (s[i] != 'E' && s[i] != 'e' && s[i] != 'D' && s[i] != 'd')
            return EsitoLettura::NonNumerico;
        s[i] = 'e';
        size_t j = i + 1;
        if (j < s.size() && (s[j] == '+' || s[j] == '-')) ++j;
        size_t ce = 0;
        while (j < s.size() && s[j] >= '0' && s[j] <= '9')
            ++j, ++ce;
        if (ce == 0 || j != s.size()) return EsitoLettura::NonNumerico;
    }
    T x{};
    const auto r = std::from_chars(s.data(), s.data() + s.size(), x);
    if (r.ptr != s.data() + s.size()) return EsitoLettura::NonNumerico;
    if (r.ec == std::errc::result_out_of_range) {
        // Underflow reads as the nearest value (0 or a subnormal); overflow fails.
        double d = 0;
        const auto rd = std::from_chars(s.data(), s.data() + s.size(), d);
        if (rd.ec == std::errc::result_out_of_range) {
            const size_t e = s.find('e');
            if (e == std::string::npos || s[e + 1] != '-') return EsitoLettura::FuoriLimiti;
            d = 0;
        }
        if (!std::isfinite(d) || std::fabs(d) >= 1) return EsitoLettura::FuoriLimiti;
        x = static_cast<T>(d);
    } else if (r.ec != std::errc()) {
        return EsitoLettura::NonNumerico;
    }
    if (!std::isfinite(x)) return EsitoLettura::FuoriLimiti;
    v = negativo ? -x : x;
    return EsitoLettura::Letto;
}

} // namespace

std::string TestoBreve(double v, char esponente) {
    return Breve(v, esponente);
}
std::string TestoBreve(float v, char esponente) {
    return Breve(v, esponente);
}

std::string TestoCifre(double v, int cifre) {
    if (!std::isfinite(v)) throw Guasto("numero non finito");
    char buf[64];
    const auto r = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::general, cifre);
    std::string s(buf, r.ptr);
    for (char& c : s)
        if (c == 'e') c = 'E';
    return s;
}

EsitoLettura LeggiMacchina(std::string_view testo, double& v) {
    return Macchina(testo, v);
}
EsitoLettura LeggiMacchina(std::string_view testo, float& v) {
    return Macchina(testo, v);
}

// ------------------------------------------------------------ display texts

LetturaUtente LeggiUtente(std::string_view testo, const Separatori& s) {
    std::string t;
    t.reserve(testo.size());
    bool decimaleVisto = false;
    for (size_t k = 0; k < testo.size();) {
        const std::string_view resto = testo.substr(k);
        if (!s.migliaia.empty() && resto.starts_with(s.migliaia)) {
            k += s.migliaia.size();
            continue;
        }
        if (!decimaleVisto && !s.decimale.empty() && resto.starts_with(s.decimale)) {
            t += '.';
            decimaleVisto = true;
            k += s.decimale.size();
            continue;
        }
        t += testo[k++];
    }
    auto bianco = [&](size_t i) {
        return i < t.size() && (t[i] == ' ' || t[i] == '\t' || t[i] == '\r' || t[i] == '\n');
    };
    LetturaUtente l;
    size_t i = 0;
    while (bianco(i))
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
    if (cifre == 0) return l;
    if (i < t.size() && (t[i] == 'E' || t[i] == 'e' || t[i] == 'D' || t[i] == 'd')) {
        size_t j = i + 1;
        std::string esp = "e";
        if (j < t.size() && (t[j] == '+' || t[j] == '-')) esp += t[j++];
        size_t ce = 0;
        while (j < t.size() && t[j] >= '0' && t[j] <= '9')
            esp += t[j++], ++ce;
        if (ce > 0) {
            num += esp;
            i = j;
        }
    }
    while (bianco(i))
        ++i;
    l.numero = true;
    l.completo = i == t.size();
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
        if (esp + posizione > 0) {
            l.fuoriLimiti = true;
            return l;
        }
        v = 0.0;
    }
    if (!std::isfinite(v)) {
        l.fuoriLimiti = true;
        return l;
    }
    l.valore = negativo ? -v : v;
    return l;
}

double ValoreNumerico(std::string_view testo, const Separatori& s) {
    const LetturaUtente l = LeggiUtente(testo, s);
    if (l.fuoriLimiti) throw Guasto("numero troppo grande");
    return l.valore;
}

bool InizioNumerico(std::string_view testo, const Separatori& s) {
    return LeggiUtente(testo, s).numero;
}

bool TestoNumerico(std::string_view testo, const Separatori& s) {
    return LeggiUtente(testo, s).completo;
}

std::string FormatoPattern(const Separatori& s, Numero x, std::string_view pattern) {
    const Pattern p = Analizza(pattern);
    if (!std::isfinite(x.Valore())) throw Guasto("numero non finito");
    bool zero = false;
    std::string t = FormatoAssoluto(s, x, p, zero);
    if (x.Valore() < 0 && !zero) t.insert(0, 1, '-');
    return t;
}

std::string FormatoNumero(const Separatori& s, Numero x) {
    std::string t = FormatoPattern(s, x, "#,##0.########");
    if (t.ends_with(s.decimale)) t.resize(t.size() - s.decimale.size());
    return t;
}

std::string FormatoCifre(const Separatori& s, int n, Numero x, std::string* pattern) {
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
    std::string t = FormatoAssoluto(s, x, Analizza(p), zero);
    return (x.Valore() < 0 && !zero ? "-" : " ") + t;
}

std::string FormatoLarghezza(const Separatori& s, int n, int w, Numero x, std::string* pattern,
                             Messaggi* msg) {
    std::string t0 = FormatoCifre(s, n, x, pattern);
    if (static_cast<int>(Caratteri(t0)) <= w) return t0;
    if (w < n + 6 && msg) msg->Mostra("n. caratteri minimo = " + std::to_string(n + 6));
    const std::string p = " 0." + Zeri(n - 1) + "E+00";
    if (pattern) *pattern = p;
    bool zero = false;
    std::string t = FormatoAssoluto(s, x, Analizza(p), zero); // starts with the blank
    if (x.Valore() < 0 && !zero) t[0] = '-';
    return t;
}

std::string FormatoCompatto(const Separatori& s, int n, int w, Numero x, Messaggi* msg) {
    std::string t = FormatoLarghezza(s, n, w, x, nullptr, msg);
    const size_t ps = s.decimale.empty() ? std::string::npos : t.find(s.decimale);
    if (ps == std::string::npos) return t;
    const size_t fine = ps + s.decimale.size();
    const size_t pe = t.find('E');
    std::string coda = pe == std::string::npos ? "" : t.substr(pe);
    std::string testa = t.substr(0, pe == std::string::npos ? t.size() : pe);
    while (testa.size() > fine && testa.back() == '0')
        testa.pop_back();
    if (testa.size() == fine) testa.resize(ps);
    return testa + coda;
}

std::string FormatoEtichetta(const Separatori& s, int n, Numero x) {
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
        t = FormatoPattern(s, ax, "0.###################################################");
        if (t.ends_with(s.decimale)) t.resize(t.size() - s.decimale.size());
    } else {
        const int interi = d.cifre == "0" ? 1 : (d.punto > 0 ? d.punto : 1);
        if (interi >= n) {
            t = FormatoPattern(s, ax, "#,##0");
        } else {
            const int e = EsponenteCifre(a);
            t = FormatoPattern(s, ax, "#,##0." + Zeri(n - e));
        }
    }
    bool zero = true;
    for (char c : t)
        if (c >= '1' && c <= '9') zero = false;
    if (zero) return " 0";
    t.insert(0, 1, x.Valore() < 0 ? '-' : ' ');
    return t;
}

std::string TestoBreveRegionale(const Separatori& s, float v) {
    std::string t = TestoBreve(v, 'E');
    const size_t p = t.find('.');
    if (p != std::string::npos) t.replace(p, 1, s.decimale);
    return t;
}

LetturaRegionale LeggiRegionale(std::string_view testo, const Separatori& s) {
    LetturaRegionale l;
    auto bianco = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    size_t a = 0, b = testo.size();
    while (a < b && bianco(testo[a]))
        ++a;
    while (b > a && bianco(testo[b - 1]))
        --b;
    const std::string_view t = testo.substr(a, b - a);
    if (t.empty()) return l;
    l.esito = EsitoRegionale::NonNumero;
    auto cifra = [&](size_t i) { return i < t.size() && t[i] >= '0' && t[i] <= '9'; };
    auto su = [&](size_t i, const std::string& sep) {
        return !sep.empty() && t.substr(i).starts_with(sep);
    };
    std::string m; // the machine text
    size_t i = 0;
    if (t[0] == '+' || t[0] == '-') m += t[i++];
    // integer part, with optional grouping
    size_t interi = 0, gruppo = 0;
    bool raggruppato = false;
    while (i < t.size()) {
        if (cifra(i)) {
            m += t[i++];
            ++interi;
            ++gruppo;
        } else if (su(i, s.migliaia) && s.migliaia != s.decimale) {
            // a separator closes a group: the first of one to three digits,
            // the others of exactly three
            if (gruppo == 0 || gruppo > 3 || (raggruppato && gruppo != 3)) return l;
            raggruppato = true;
            gruppo = 0;
            i += s.migliaia.size();
        } else {
            break;
        }
    }
    if (raggruppato && gruppo != 3) return l;
    size_t decimali = 0;
    if (su(i, s.decimale)) {
        i += s.decimale.size();
        m += '.';
        while (cifra(i)) {
            m += t[i++];
            ++decimali;
        }
    }
    if (interi + decimali == 0) return l;
    if (i < t.size() && (t[i] == 'E' || t[i] == 'e')) {
        m += 'e';
        ++i;
        if (i < t.size() && (t[i] == '+' || t[i] == '-')) m += t[i++];
        if (!cifra(i)) return l;
        while (cifra(i))
            m += t[i++];
    }
    if (i != t.size()) return l;
    double v = 0;
    switch (LeggiMacchina(m, v)) {
    case EsitoLettura::Letto:
        l.esito = EsitoRegionale::Numero;
        l.valore = v == 0 ? 0.0 : v; // "-0" is zero
        return l;
    case EsitoLettura::FuoriLimiti:
        l.esito = EsitoRegionale::FuoriLimiti;
        return l;
    case EsitoLettura::NonNumerico:
        break;
    }
    return l;
}

std::string TestoNumeroRifiutato(const std::string& luogo, std::string_view testo,
                                 const Separatori& s) {
    const std::string esempio =
        "1" + (s.migliaia.empty() ? std::string() : s.migliaia) + "234" + s.decimale + "5";
    return luogo + ": \"" + std::string(testo) + "\" non è un numero valido." + ACapo +
           "Scrivere i numeri con il separatore decimale \"" + s.decimale + "\" (ad esempio " +
           esempio + ").";
}

std::string TestoNumeroFuoriLimiti(const std::string& luogo, std::string_view testo) {
    return luogo + ": \"" + std::string(testo) + "\" è fuori dai limiti dei numeri.";
}

double LeggiTipizzato(std::string_view testo, const Separatori& s, const std::string& luogo,
                      double vuoto) {
    const LetturaRegionale l = LeggiRegionale(testo, s);
    if (l.esito == EsitoRegionale::Vuoto) return vuoto;
    if (l.esito == EsitoRegionale::FuoriLimiti)
        throw NumeroRifiutato(TestoNumeroFuoriLimiti(luogo, testo), luogo);
    if (!l.Letto()) throw NumeroRifiutato(TestoNumeroRifiutato(luogo, testo, s), luogo);
    return l.valore;
}

std::string NormalizzaCampo(const Separatori& s, std::string_view testo) {
    const LetturaRegionale l = LeggiRegionale(testo, s);
    if (!l.Letto()) return std::string(testo);
    const std::string raggruppato = FormatoNumero(s, Numero(l.valore));
    const LetturaRegionale r = LeggiRegionale(raggruppato, s);
    if (r.Letto() && r.valore == l.valore) return raggruppato;
    std::string t = TestoBreve(l.valore, 'E');
    const size_t p = t.find('.');
    if (p != std::string::npos) t.replace(p, 1, s.decimale);
    return t;
}

std::optional<std::string> TestoTastierino(bool tastierino, TastoTastierino tasto,
                                           const Separatori& s) {
    if (!tastierino || tasto == TastoTastierino::Altro) return std::nullopt;
    return s.decimale;
}

} // namespace zelvo
