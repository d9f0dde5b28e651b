// General utilities: the start-up check of the regional number separators,
// the program's folders, file base names and the keyboard routines of the
// input fields. Numbers as text are in io/numeri.h.
#pragma once

#include "core/messaggi.h"
#include "io/numeri.h"

#include <string>
#include <string_view>

namespace zelvo {

// ------------------------------------------------------------------ start-up

// Regional check of the separators `s` (the desktop's or the environment's):
// warns about unsafe settings through `msg`:
//  - both symbols the same character: critical box "ERRORE" (the check ends);
//  - 1234567.8 does not survive formatting and parsing: critical box "ERRORE";
//  - "," thousands and "." decimal, unless `silenzioso`: exclamation box
//    "ATTENZIONE " advising the comma as decimal separator.
// Never stops the program.
void ControllaSeparatori(const Separatori& s, Messaggi& msg, bool silenzioso = false);

// Start-up of the general utilities: `ControllaSeparatori(s, ...)` (the
// window's folder for data files starts as the current directory: its own
// state, see form/operazione_file.h).
// The process's current directory is left alone: relative paths given on the
// command line must still resolve against the directory the user started in.
void AvvioGenerale(const Separatori& s, Messaggi& msg, bool silenzioso = false);

// Folder of the program file (asked of the system each time).
std::string CartellaProgramma();
// A file or folder the program ships (examples, profile catalogue, default
// materials): beside the program file when it is there (a build tree),
// otherwise in the installed data folder fixed when the program was built
// (`CartellaDatiInstallati`). The path is returned even when neither exists.
std::string FileDati(std::string_view nome);
std::string CartellaDatiInstallati();
// The user's own data folder, where files the user edits are kept (the
// materials): $XDG_DATA_HOME/zelvo, or $HOME/.local/share/zelvo when
// XDG_DATA_HOME is unset, empty or relative; empty when neither is usable.
std::string CartellaDatiUtente();

// ------------------------------------------------------------------- files

// The file name without folder (either "/" or "\") and without extension.
std::string NomeBase(std::string_view nome);

} // namespace zelvo
