#include "form/numeri_form.h"

#include "io/generale.h"

#include <cctype>
#include <charconv>

namespace zelvo {

namespace {

// The text with the thousands separators removed and the first decimal
// separator turned into '.', as `ValoreNumerico` reads it.
std::string TestoNormale(const std::string& t) {
    const char dec = SeparatoreDecimale();
    const char mig = SeparatoreMigliaia();
    std::string s;
    bool decimale = false;
    for (char ch : t) {
        if (mig != 0 && ch == mig) continue;
        if (ch == dec && !decimale) {
            s += '.';
            decimale = true;
            continue;
        }
        s += ch;
    }
    return s;
}

// Length of the leading number of s from position i (0 when none).
size_t LunghezzaNumero(const std::string& s, size_t i) {
    const size_t inizio = i;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
    size_t cifre = 0;
    while (i < s.size() && std::isdigit(static_cast<unsigned char>(s[i])))
        ++i, ++cifre;
    if (i < s.size() && s[i] == '.') {
        ++i;
        while (i < s.size() && std::isdigit(static_cast<unsigned char>(s[i])))
            ++i, ++cifre;
    }
    if (cifre == 0) return 0;
    if (i < s.size() && (s[i] == 'E' || s[i] == 'e' || s[i] == 'D' || s[i] == 'd')) {
        size_t j = i + 1;
        if (j < s.size() && (s[j] == '+' || s[j] == '-')) ++j;
        size_t ce = 0;
        while (j < s.size() && std::isdigit(static_cast<unsigned char>(s[j])))
            ++j, ++ce;
        if (ce > 0) i = j;
    }
    return i - inizio;
}

size_t SaltaBianchi(const std::string& s, size_t i) {
    while (i < s.size() && (s[i] == ' ' || s[i] == '\t'))
        ++i;
    return i;
}

} // namespace

double ValoreTesto(const std::string& testo) {
    return ValoreNumerico(testo);
}

bool InizioNumerico(const std::string& testo) {
    const std::string s = TestoNormale(testo);
    return LunghezzaNumero(s, SaltaBianchi(s, 0)) > 0;
}

bool TestoNumerico(const std::string& testo) {
    const std::string s = TestoNormale(testo);
    const size_t i = SaltaBianchi(s, 0);
    const size_t n = LunghezzaNumero(s, i);
    if (n == 0) return false;
    return SaltaBianchi(s, i + n) == s.size();
}

std::string NormalizzaNumero(const std::string& testo) {
    return NormalizzaCampo(testo);
}

char SeparatoreDecimaleForm() {
    return SeparatoreDecimale();
}

std::string FormatoRotazione(double rad) {
    return FormatoCifre(10, Numero(rad));
}

std::string TestoValoreMessaggio(double v) {
    const float f = static_cast<float>(v);
    char buf[64];
    auto r = std::to_chars(buf, buf + sizeof buf, f);
    std::string s(buf, r.ptr);
    for (auto& ch : s) {
        if (ch == '.') ch = SeparatoreDecimale();
        if (ch == 'e') ch = 'E';
    }
    return s;
}

} // namespace zelvo
