#include "io/codifica.h"

#include <cstdint>

namespace zelvo {

namespace {

// Unicode of the bytes 0x80..0x9F (0 where the code page is undefined:
// those map to the control character of the same code).
constexpr char32_t Alti[32] = {0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                               0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
                               0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                               0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

char32_t DaByte(unsigned char b) {
    if (b >= 0x80 && b < 0xA0 && Alti[b - 0x80] != 0) return Alti[b - 0x80];
    return b;
}

int AByte(char32_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return static_cast<int>(c);
    for (int i = 0; i < 32; ++i)
        if (Alti[i] == c) return 0x80 + i;
    if (c >= 0x80 && c < 0xA0 && Alti[c - 0x80] == 0) return static_cast<int>(c);
    return -1;
}

void AccodaUtf8(std::string& s, char32_t c) {
    if (c < 0x80) {
        s += static_cast<char>(c);
    } else if (c < 0x800) {
        s += static_cast<char>(0xC0 | (c >> 6));
        s += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        s += static_cast<char>(0xE0 | (c >> 12));
        s += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        s += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        s += static_cast<char>(0xF0 | (c >> 18));
        s += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        s += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        s += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// Decodes one UTF-8 character at t[i]; returns its length, 0 when invalid.
size_t Decodifica(std::string_view t, size_t i, char32_t& c) {
    const auto b = static_cast<unsigned char>(t[i]);
    size_t n;
    char32_t minimo;
    if (b < 0x80) {
        c = b;
        return 1;
    } else if ((b & 0xE0) == 0xC0) {
        n = 2, c = b & 0x1F, minimo = 0x80;
    } else if ((b & 0xF0) == 0xE0) {
        n = 3, c = b & 0x0F, minimo = 0x800;
    } else if ((b & 0xF8) == 0xF0) {
        n = 4, c = b & 0x07, minimo = 0x10000;
    } else {
        return 0;
    }
    if (i + n > t.size()) return 0;
    for (size_t k = 1; k < n; ++k) {
        const auto d = static_cast<unsigned char>(t[i + k]);
        if ((d & 0xC0) != 0x80) return 0;
        c = (c << 6) | (d & 0x3F);
    }
    if (c < minimo || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return 0;
    return n;
}

} // namespace

bool InCp1252(char32_t c) {
    return AByte(c) >= 0;
}

std::string Utf8ACp1252(std::string_view utf8, bool* sostituiti) {
    std::string r;
    r.reserve(utf8.size());
    for (size_t i = 0; i < utf8.size();) {
        char32_t c = 0;
        const size_t n = Decodifica(utf8, i, c);
        const int b = n ? AByte(c) : -1;
        if (b < 0) {
            r += '?';
            if (sostituiti) *sostituiti = true;
        } else {
            r += static_cast<char>(b);
        }
        i += n ? n : 1;
    }
    return r;
}

std::string Cp1252AUtf8(std::string_view cp1252) {
    std::string r;
    r.reserve(cp1252.size() + cp1252.size() / 8);
    for (char ch : cp1252)
        AccodaUtf8(r, DaByte(static_cast<unsigned char>(ch)));
    return r;
}

bool Utf8Valido(std::string_view testo) {
    for (size_t i = 0; i < testo.size();) {
        char32_t c = 0;
        const size_t n = Decodifica(testo, i, c);
        if (n == 0) return false;
        i += n;
    }
    return true;
}

std::string TestoFileAUtf8(std::string_view byte) {
    if (Utf8Valido(byte)) {
        if (byte.substr(0, 3) == "\xEF\xBB\xBF") byte.remove_prefix(3);
        return std::string(byte);
    }
    return Cp1252AUtf8(byte);
}

} // namespace zelvo
