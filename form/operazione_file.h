// File commands of the main window (new, open, save, save as): names,
// caption, folders and filters, behind a small file-dialog interface so that
// the logic runs without a toolkit. The reading and writing themselves are
// passed in (normally `LeggiFileProgetto` / `ScriviFileProgetto` of
// form/file_progetto.h).
#pragma once

#include "form/file_progetto.h"

#include <filesystem>
#include <functional>
#include <optional>
#include <string>

namespace zelvo {

enum class ComandoFile { Nuovo, Apri, Salva, SalvaCome };

// What the dialog is asked to show.
struct RichiestaDialogo {
    bool salva = false;       // save dialog (asks before overwriting an existing file)
    std::string filtro;       // "Tutti i Files (*.*)|*.*|Files Zelvo (*.zlv)|*.zlv"
    int indiceFiltro = 2;     // 1-based entry selected: the program's files
    std::string nomeIniziale; // current name or "*", + "." + extension
    std::string cartellaIniziale;
};

class DialogoFile {
  public:
    virtual ~DialogoFile() = default;
    // The chosen path, or nullopt when the user cancelled.
    virtual std::optional<std::string> Scegli(const RichiestaDialogo& r) = 0;
};

// "Tutti i Files (*.*)|*.*|Files " + programma + " (*." + est + ")|*." + est
std::string FiltroFile(const std::string& programma, const std::string& estensione);

// Carries out a command. `nome` is the current file name without folder and
// extension ("" for a new problem); `caption` receives testoCaption + nome.
// Open: the dialog starts in `CartellaCorrente` (the current directory when
// that folder no longer exists); afterwards `CartellaCorrente` is the chosen
// file's folder, the name and caption follow the file; a file whose header
// could not be read leaves no current name (so that "Salva" asks for one).
// Save: `CartellaCorrente`/nome.est, or Save as when there is no name.
// Save as: the name and caption change only when the file was written.
// Cancelling a dialog changes nothing. Returns true when the command completed.
bool OperazioneFile(ComandoFile comando, const std::string& programma, std::string& nome,
                    const std::string& estensione, DialogoFile& dialogo, std::string& caption,
                    const std::string& testoCaption,
                    const std::function<EsitoProgetto(const std::filesystem::path&)>& leggi,
                    const std::function<bool(const std::filesystem::path&)>& scrivi);

} // namespace zelvo
