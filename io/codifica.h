// Text encodings of the program's files: Windows-1252 on disk, UTF-8 inside.
#pragma once

#include <string>
#include <string_view>

namespace zelvo {

// UTF-8 -> Windows-1252. A character the code page cannot carry (and any
// invalid UTF-8 byte) becomes "?"; `sostituiti`, when given, is set to true
// when that happened (it is never reset to false).
std::string Utf8ACp1252(std::string_view utf8, bool* sostituiti = nullptr);

// Windows-1252 -> UTF-8. The five bytes the code page leaves undefined
// (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the control characters of the same code.
std::string Cp1252AUtf8(std::string_view cp1252);

// Whether the bytes are valid UTF-8 (pure ASCII is).
bool Utf8Valido(std::string_view testo);

// Bytes of a file -> UTF-8: a file that is valid UTF-8 is taken as UTF-8
// (a leading byte-order mark is dropped), any other as Windows-1252.
std::string TestoFileAUtf8(std::string_view byte);

// Whether a Unicode character has a Windows-1252 byte.
bool InCp1252(char32_t c);

} // namespace zelvo
