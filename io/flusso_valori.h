// Value-stream text files: one routine call per line, `Verso::Leggi` reads
// and `Verso::Scrivi` writes the same sequence of variables, so that a file format is
// defined once (see form/file_progetto.h) and reader and writer cannot drift.
//
// Line format (Windows-1252, CR LF line ends):
//   items separated by ","; strings in double quotes; numbers in plain
//   decimal or E notation with "." whatever the locale, no grouping, the
//   shortest text that reads back to the same value of the type ("0.1",
//   "2.1E+11", "1E-04"); 16-bit integers as integers; booleans #TRUE#/#FALSE#.
// The reader accepts every form a free-format writer produces: ".5", "-.5",
// "+3", "1E-04", "1D+03", "2.1E+11", #TRUE#, #FALSE#, quoted or bare
// strings, values across line ends; files in Windows-1252 or UTF-8.
//
// The "open file number" is a `FlussoValori`: for reading it holds the bytes
// (from memory or a file); for writing it collects the encoded lines in a
// buffer that `Salva` commits with the atomic writer (io/file_atomico.h).
//
// Characters a line cannot carry are replaced when writing: a double quote
// inside a string by a single quote, other control characters and
// characters outside Windows-1252 by "?"; in string lists every line break
// (CR LF, lone CR, lone LF) becomes the CR LF encoding (two code-1
// characters). `Sostituiti()` tells the caller, who shows the information
// message `TestoCaratteriSostituiti`.
#pragma once

#include "core/messaggi.h"
#include "io/verso.h"
#include "io/versione.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace zelvo {

inline constexpr const char* TestoLetturaIncompleta = "Lettura incompleta del file";
inline constexpr const char* TestoScritturaIncompleta = "Scrittura incompleta del file";
inline constexpr const char* TestoCaratteriSostituiti =
    "Alcuni caratteri non ammessi nel file sono stati sostituiti.";

// A failure of a value-stream routine raised to its caller. `numero`:
// 0 a failure of the stream itself (end of file, a value that does not
// convert, a closed file), 1000 from `FileInOut`, 1010 from
// `FileInOutSenzaMessaggio`.
class ErroreFile : public std::runtime_error {
  public:
    explicit ErroreFile(int numero, const std::string& causa = "errore di file")
        : std::runtime_error(causa), numero(numero) {}
    int numero;
};

class FlussoValori {
  public:
    // A stream reading `byte` (Windows-1252 or UTF-8).
    static FlussoValori PerLeggere(std::string_view byte, Messaggi& msg);
    // A stream reading a file; nullopt when the file cannot be read.
    static std::optional<FlussoValori> ApriLettura(const std::filesystem::path& percorso,
                                                   Messaggi& msg);
    // A stream writing into a buffer.
    static FlussoValori PerScrivere(Messaggi& msg);

    Messaggi& Msg() const { return *msg_; }
    bool Aperto() const { return aperto_; }
    bool InLettura() const { return lettura_; }
    void Chiudi() { aperto_ = false; }

    // ---- reading (a failure throws ErroreFile(0))
    // The next item; `traVirgolette` tells whether it was a quoted string.
    std::string LeggiElemento(bool* traVirgolette = nullptr);
    // The rest of the current line (without its line end).
    std::string LeggiRiga();
    // No item left: only blanks and line ends remain (a file that ends here
    // lacks the lines that follow, rather than holding bad ones).
    bool FineDati() const;
    // The last line read by `LeggiRiga` (a string list, a header).
    const std::string& UltimaRigaLetta() const { return ultimaRiga_; }
    // Reads the next item into a variable of the given type.
    void Leggi(float& v);
    void Leggi(double& v);
    void Leggi(int16_t& v);
    void Leggi(bool& v);
    void Leggi(std::string& v);

    // ---- writing (a failure throws ErroreFile(0))
    // Writes one line (UTF-8 in, Windows-1252 out) followed by CR LF.
    void ScriviRiga(std::string_view riga);
    // Item texts of the line format.
    static std::string Elemento(float v);
    static std::string Elemento(double v);
    static std::string Elemento(int16_t v);
    static std::string Elemento(bool v);
    std::string Elemento(const std::string& v); // quoted; replaces what cannot be carried
    // Replaces in a string what a quoted item cannot carry (see the top).
    std::string Ripulisci(std::string_view s, bool righe);

    // The bytes written so far.
    const std::string& Contenuto() const { return buffer_; }
    // Whether some character had to be replaced while writing.
    bool Sostituiti() const { return sostituiti_; }
    // Whether a write failed (the buffer is then incomplete and must not be saved).
    bool Fallito() const { return fallito_; }
    void SegnaFallito() { fallito_ = true; }
    // Commits the buffer to `percorso` atomically; false (old file intact)
    // when a write failed earlier or the commit fails.
    bool Salva(const std::filesystem::path& percorso, std::string* errore = nullptr) const;

    // Test seam: writing fails (as a full disk) after `n` lines.
    void GuastoDopoRighe(int n) { guastoDopo_ = n; }

  private:
    FlussoValori(Messaggi& msg, bool lettura) : msg_(&msg), lettura_(lettura) {}
    void Controlla(bool lettura) const;
    void SaltaFineRiga();

    Messaggi* msg_;
    bool lettura_;
    bool aperto_ = true;
    std::string testo_; // reading: the text (UTF-8)
    size_t pos_ = 0;
    std::string ultimaRiga_;
    std::string buffer_; // writing: the encoded bytes
    int righe_ = 0;
    int guastoDopo_ = -1;
    bool sostituiti_ = false;
    bool fallito_ = false;
    bool segnalato_ = false;

    friend bool SegnalaScrittura(FlussoValori& f);
};

// Items joined by commas.
std::string Riga(const std::vector<std::string>& elementi);

// Shows "Scrittura incompleta del file" once per stream; false when it had
// already been shown (internal helper of the routines below).
bool SegnalaScrittura(FlussoValori& f);

// Writes (`Verso::Scrivi`) or reads (`Verso::Leggi`) the variables as one line.
// Failure: closes the stream; reading shows "Lettura incompleta del file" and
// throws ErroreFile(1000); writing shows "Scrittura incompleta del file" (once
// per stream: a stream that has failed writes nothing more) and returns.
template <class... T> void FileInOut(Verso modo, FlussoValori& f, T&... v) {
    if (modo == Verso::Leggi) {
        try {
            (f.Leggi(v), ...);
        } catch (const ErroreFile&) {
            f.Chiudi();
            f.Msg().Mostra(TestoLetturaIncompleta);
            throw ErroreFile(1000, "lettura incompleta");
        }
    } else {
        try {
            f.ScriviRiga(Riga({f.Elemento(v)...}));
        } catch (const ErroreFile&) {
            f.Chiudi();
            SegnalaScrittura(f);
        }
    }
}

// Like `FileInOut` without messages: reading closes the stream and throws
// ErroreFile(1010); writing returns silently.
template <class... T> void FileInOutSenzaMessaggio(Verso modo, FlussoValori& f, T&... v) {
    if (modo == Verso::Leggi) {
        try {
            (f.Leggi(v), ...);
        } catch (const ErroreFile&) {
            f.Chiudi();
            throw ErroreFile(1010, "lettura incompleta");
        }
    } else {
        try {
            f.ScriviRiga(Riga({f.Elemento(v)...}));
        } catch (const ErroreFile&) {
            f.Chiudi();
            f.SegnaFallito();
        }
    }
}

// Writes always; reads only when the file's `versione` is at least `minima`
// (see `AlmenoVersione`). An older version closes the stream and
// shows "Lettura incompleta del file"; a failure shows "Lettura incompleta
// del file" or "Scrittura incompleta del file". Never throws. Returns true
// when the values were read or written (false: skipped for the version, or
// failed).
template <class... T>
bool FileInOutCond(Verso modo, FlussoValori& f, const std::string& versione, const Versione& minima,
                   T&... v) {
    if (modo == Verso::Leggi) {
        if (!AlmenoVersione(versione, minima)) {
            f.Chiudi();
            f.Msg().Mostra(TestoLetturaIncompleta);
            return false;
        }
        try {
            (f.Leggi(v), ...);
            return true;
        } catch (const ErroreFile&) {
            f.Msg().Mostra(TestoLetturaIncompleta);
            return false;
        }
    }
    try {
        f.ScriviRiga(Riga({f.Elemento(v)...}));
        return true;
    } catch (const ErroreFile&) {
        f.Chiudi();
        SegnalaScrittura(f);
        return false;
    }
}

// A list of strings on one line, each quoted, line breaks encoded as two
// code-1 characters. Reading clears the list and fills it from the next line (a
// line that does not start with a double quote is one item). Failures throw
// ErroreFile(0) to the caller.
void FileInOutStringColl(Verso modo, FlussoValori& f, std::vector<std::string>& lista);

// First line of a data file: title and format version. Writing writes
// {titolo, versioneCorrente}; reading sets `titolo` to the first item and
// `versione` to the second, or "0" when the line holds only the title.
// Failures throw ErroreFile(0) to the caller.
void FileInOutIntestazione(Verso modo, FlussoValori& f, std::string& titolo, std::string& versione,
                           const std::string& versioneCorrente);

} // namespace zelvo
