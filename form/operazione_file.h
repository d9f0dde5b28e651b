// File commands of the main window (new, open, save, save as): names,
// caption, folders and filters, behind one file-choice seam so that the
// logic runs without a toolkit. Every file the form chooses (data files and
// the text report) is asked for through `RichiestaFile` and the seam
// `SceltaFile`. The reading and writing themselves are passed in (the form
// passes its project-file services, normally `LeggiFileProgetto` /
// `ScriviFileProgetto` of form/file_progetto.h).
#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>

namespace zelvo {

enum class ComandoFile { Nuovo, Apri, Salva, SalvaCome };

// What the dialog is asked to show.
struct RichiestaDialogo {
    bool salva = false;       // save dialog (asks before overwriting an existing file)
    std::string estensione;   // the format's extension without the dot ("zlv")
    std::string filtro;       // "Tutti i Files (*.*)|*.*|Files Zelvo (*.zlv)|*.zlv"
    int indiceFiltro = 2;     // 1-based entry selected: the program's files
    std::string nomeIniziale; // current name or "*", + "." + extension
    std::string cartellaIniziale;
};

// The file dialog: the chosen path, or nullopt when the user cancelled.
using SceltaFile = std::function<std::optional<std::string>(const RichiestaDialogo&)>;

// "Tutti i Files (*.*)|*.*|Files " + programma + " (*." + est + ")|*." + est
std::string FiltroFile(const std::string& programma, const std::string& estensione);

// The path with ".estensione" added when its file name has no extension
// ("mia" -> "mia.zlv"); a name that has one ("mia.zlv", "mia.dat") is kept.
std::string ConEstensione(const std::string& percorso, const std::string& estensione);

// Asks the dialog; the answer of a save dialog gets the request's extension
// when the typed name has none. Every file request of the form goes here.
std::optional<std::string> ChiediFile(const SceltaFile& dialogo, const RichiestaDialogo& r);

// The request for a file with the given filter: initial name (nome or "*")
// + "." + estensione, second filter entry, starting in `cartella` (the
// current directory when it is empty or no longer exists).
RichiestaDialogo RichiestaFile(bool salva, const std::string& filtro, const std::string& nome,
                               const std::string& estensione, const std::string& cartella = "");

// The current data file of a window.
struct FileCorrente {
    std::string& nome;     // without folder and extension ("" for a new problem)
    std::string& percorso; // full path as chosen ("" for a new problem)
    std::string& caption;  // testoCaption + nome
    std::string& cartella; // folder last used for data files ("": the current directory)
};

// Carries out a command. `scelto` is the dialog's answer when it is already
// known (a path given by the caller); empty: the dialog is asked.
// Open: afterwards `cartella` is the chosen file's folder, the name,
// path and caption follow the file; `leggi` false (nothing read: the file
// could not be opened or its header read) leaves the current file (name,
// path, caption, folder) as it was.
// Save: the current path, or Save as when there is no name.
// Save as: the name, path, caption and `cartella` change only when
// `scrivi` wrote the file.
// Cancelling a dialog changes nothing. Returns true when the command completed.
bool OperazioneFile(ComandoFile comando, const std::string& programma, FileCorrente corrente,
                    const std::string& estensione, const SceltaFile& dialogo,
                    const std::string& testoCaption,
                    const std::function<bool(const std::filesystem::path&)>& leggi,
                    const std::function<bool(const std::filesystem::path&)>& scrivi,
                    const std::string& scelto = "");

} // namespace zelvo
