#include "graphics/superficie.h"

namespace zelvo {

std::string TestoSymbol(const std::string& testo) {
    // The Latin-to-Greek layout of the Symbol font.
    static const char* minuscole[26] = {"α", "β", "χ", "δ", "ε", "φ", "γ", "η", "ι",
                                        "ϕ", "κ", "λ", "μ", "ν", "ο", "π", "θ", "ρ",
                                        "σ", "τ", "υ", "ϖ", "ω", "ξ", "ψ", "ζ"};
    static const char* maiuscole[26] = {"Α", "Β", "Χ", "Δ", "Ε", "Φ", "Γ", "Η", "Ι",
                                        "ϑ", "Κ", "Λ", "Μ", "Ν", "Ο", "Π", "Θ", "Ρ",
                                        "Σ", "Τ", "ϒ", "ς", "Ω", "Ξ", "Ψ", "Ζ"};
    std::string out;
    for (char c : testo) {
        if (c >= 'a' && c <= 'z')
            out += minuscole[c - 'a'];
        else if (c >= 'A' && c <= 'Z')
            out += maiuscole[c - 'A'];
        else
            out += c;
    }
    return out;
}

} // namespace zelvo
