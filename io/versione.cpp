#include "io/versione.h"

#include <charconv>

namespace zelvo {

namespace {

// A run of digits only, within int.
std::optional<int> Intero(std::string_view t) {
    if (t.empty()) return std::nullopt;
    for (char c : t)
        if (c < '0' || c > '9') return std::nullopt;
    int n = 0;
    const auto [fine, errore] = std::from_chars(t.data(), t.data() + t.size(), n);
    if (errore != std::errc() || fine != t.data() + t.size()) return std::nullopt;
    return n;
}

} // namespace

std::optional<Versione> Versione::Leggi(std::string_view testo) {
    const auto punto = testo.find('.');
    const auto maggiore = Intero(testo.substr(0, punto));
    if (!maggiore) return std::nullopt;
    if (punto == std::string_view::npos) return Versione{*maggiore, 0};
    const auto minore = Intero(testo.substr(punto + 1));
    if (!minore) return std::nullopt;
    return Versione{*maggiore, *minore};
}

std::string Versione::Testo() const {
    return std::to_string(Maggiore) + "." + std::to_string(Minore);
}

bool AlmenoVersione(const std::string& testo, const Versione& minima) {
    if (const auto v = Versione::Leggi(testo)) return *v >= minima;
    return testo >= minima.Testo();
}

} // namespace zelvo
