// The main window's commands in one table: for each command the menu it is
// in, its caption (from the window's texts), its keyboard keys, its place on
// the toolbar, the separator above it, when it is enabled, whether the
// section window must first hand E and J back, and what it does. The menus,
// the toolbar and the keys of the window are built by walking this table;
// the model runs a command by its name (`ModelloForm::Esegui`).
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace zelvo {

class ModelloForm;

enum class Comando {
    Nuovo,
    Apri,
    Salva,
    SalvaCome,
    Stampa,
    FileStampaTxt,
    RelazionePdf,
    DiagrammiCad,
    DiagrammiStampante,
    DiagrammiDxf,
    Esci,
    Unita,
    Scale,
    Combinazioni,
    Aiuto,
    Esempi,
    Informazioni,
    Verifiche,
    Calcola,
};

// Where a command is shown. `Barra`: an item of the menu bar itself (no
// drop-down menu); `Finestra`: only its key, on the whole window.
enum class MenuComando { File, Barra, Opzioni, Aiuto, Finestra };

// The desktop's own keys for a standard command, added after the command's
// key (some key schemes have more than one, some none).
enum class TastoStandard { Nessuno, Nuovo, Apri, Salva, SalvaCome, Stampa, Esci, Aiuto };

struct VoceComando {
    Comando comando;
    MenuComando menu;
    // The caption's entry in the window's texts (form/testi_finestra).
    std::string_view controllo;
    int indice;
    // The key shown in the menu, in portable text ("Ctrl+N"; "" for none),
    // and the desktop's other keys for the same command.
    std::string_view tasto;
    TastoStandard standard;
    // The toolbar button: its entry among the "ToolbarUp" texts (-1: not on
    // the toolbar) and the desktop icon's name; `iconaTema`: the desktop's
    // icon theme is asked first (otherwise the style's own icon is shown).
    int barra;
    std::string_view icona;
    bool iconaTema;
    bool separatorePrima;
    // The section window hands its E and J back to the main window before
    // the command runs (the problem is replaced, saved or closed); a
    // refused field stops the command.
    bool ripresaSezione;
    // When the command can be chosen.
    bool (*abilitato)(const ModelloForm&);
    // What it does; false when it did not complete.
    bool (*esegui)(ModelloForm&);
};

// Every command, in the order the menus and the toolbar show them.
std::span<const VoceComando> Comandi();

// The entry of a command (every command has one).
const VoceComando& VoceDi(Comando c);

// The command whose caption is the window text (controllo, indice): the old
// numbering of the menu items ("MnuFileItem" 0..13, "mnuAiutoItem" 0..2).
std::optional<Comando> ComandoDaTesto(std::string_view controllo, int indice);

// The caption of a command, with its "&" accelerator marker, and the
// accelerator's letter ('\0' when it has none).
std::string CaptionComando(const VoceComando& v);
char Acceleratore(const VoceComando& v);

// The title of a drop-down menu ("" for the items of the bar itself and the
// window's keys).
std::string TitoloMenu(MenuComando m);

// The message shown when a command of this menu meets a fault.
const char* GuastoComando(MenuComando m);

} // namespace zelvo
