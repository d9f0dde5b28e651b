// Format versions of the data files ("4.0", "5.0", "5.4"): a major and a
// minor number, compared as numbers ("10.0" comes after "5.4"). The text
// written to a file is the one the version is made from; nothing here
// changes what is written.
#pragma once

#include <compare>
#include <optional>
#include <string>
#include <string_view>

namespace zelvo {

struct Versione {
    int Maggiore = 0;
    int Minore = 0;

    auto operator<=>(const Versione&) const = default;

    // "5.4" -> {5, 4}; "5" -> {5, 0}. Only digits, one optional point and
    // digits after it: anything else (an empty text, a sign, a space, a
    // letter, a number too large for an int) is not a version.
    static std::optional<Versione> Leggi(std::string_view testo);
    // "5.4", "10.0": the text the version is read from.
    std::string Testo() const;
};

// Whether a file of version `testo` holds what came in with `minima`. A text
// that is not a version compares as text with the minimum's text, as files
// have always been read: an empty text reads as older than every layout, a
// text that starts with a letter as at least as new as each.
bool AlmenoVersione(const std::string& testo, const Versione& minima);

} // namespace zelvo
