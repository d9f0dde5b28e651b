// What the program remembers of its user interface between runs: the files
// opened or saved last ("File recenti"), the folder of the data files, the
// units chosen last for a new problem and the windows' geometry. Never what a
// data file means: a file opens the same on every machine, whatever is
// remembered here (it brings its own units).
//
// Toolkit-free: the values live in an `ArchivioImpostazioni` (QSettings in the
// windows, a map in the tests).
#pragma once

#include "io/unita.h"

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace zelvo {

class ModelloForm;

// Where the remembered values are kept: text values and lists of texts by key.
class ArchivioImpostazioni {
  public:
    virtual ~ArchivioImpostazioni() = default;
    virtual std::optional<std::string> Leggi(const std::string& chiave) const = 0;
    virtual void Scrivi(const std::string& chiave, const std::string& valore) = 0;
    virtual std::vector<std::string> LeggiLista(const std::string& chiave) const = 0;
    virtual void ScriviLista(const std::string& chiave, const std::vector<std::string>& lista) = 0;
};

// An archive in memory (the tests; a program that remembers nothing).
class ArchivioMemoria : public ArchivioImpostazioni {
  public:
    std::optional<std::string> Leggi(const std::string& chiave) const override;
    void Scrivi(const std::string& chiave, const std::string& valore) override;
    std::vector<std::string> LeggiLista(const std::string& chiave) const override;
    void ScriviLista(const std::string& chiave, const std::vector<std::string>& lista) override;

    std::map<std::string, std::string> valori;
    std::map<std::string, std::vector<std::string>> liste;
};

class ImpostazioniUtente {
  public:
    // At most this many recent files are kept.
    static constexpr size_t MassimoRecenti = 8;

    explicit ImpostazioniUtente(std::shared_ptr<ArchivioImpostazioni> archivio);
    ArchivioImpostazioni& Archivio() { return *archivio_; }

    // The recent files, the most recent first, without repetitions and
    // without empty entries, at most `MassimoRecenti`.
    std::vector<std::string> FileRecenti() const;
    // A file opened or saved: its absolute path goes to the top (moved there
    // when it was already listed); the oldest beyond the cap drops out.
    void AggiungiRecente(const std::string& percorso);
    void TogliRecente(const std::string& percorso);

    // The folder of the data files used last; nothing when it is not
    // remembered or no longer a folder.
    std::optional<std::string> UltimaCartella() const;
    void RicordaCartella(const std::string& cartella);

    // The units for a new problem: `unita` takes the labels remembered (the
    // four the units window chooses, and the no-units mode); labels that are
    // not choices of the window are ignored. False when nothing was applied.
    bool ApplicaUnitaNuovoProblema(UnitMisura& unita) const;
    void RicordaUnita(const UnitMisura& unita);

    // The geometry of a window, as an opaque text (the toolkit's encoding).
    std::optional<std::string> Geometria(const std::string& finestra) const;
    void RicordaGeometria(const std::string& finestra, const std::string& testo);

  private:
    std::shared_ptr<ArchivioImpostazioni> archivio_;
};

// The absolute, normalised form of a path, as the recent list keeps it.
std::string PercorsoAssoluto(const std::string& percorso);

// The message shown when a recent file no longer exists.
std::string TestoRecenteMancante(const std::string& percorso);

// "File recenti", entry chosen: a file that no longer exists is removed from
// the list with a message; otherwise the unsaved-changes question, then the
// file is opened. Runs as an event of the model (File items' fault text).
// True when the file was opened.
bool ApriFileRecente(ModelloForm& modello, ImpostazioniUtente& impostazioni,
                     const std::string& percorso);

} // namespace zelvo
