// The program on the desktop: the help topic for the control with the focus
// (F1), a data file dropped on the main window, and which dropped paths count
// as data files.
#pragma once

#include "form/campo_form.h"

#include <string>
#include <vector>

namespace zelvo {

class ModelloForm;

// Topics of the program's help, numbered from 1 in the order of its list.
enum ArgomentoAiuto : int {
    AiutoIndice = 1, // the first topic: the list of topics
    AiutoCampi = 2,  // data and results fields
    AiutoConvenzioni = 3,
    AiutoCarichi = 4,    // load tables and partial distances
    AiutoFondazione = 5, // foundation data
    AiutoUnita = 6,
    AiutoFile = 7,
    AiutoTastiera = 8,
    AiutoEsempio = 9,
};

// The topic that explains the control with the focus; the first topic when
// no topic is about it.
int ArgomentoDi(const Fuoco& f);

// F1: the help at the topic of the control with the focus.
void AiutoContestuale(ModelloForm& m, const Fuoco& f);

// A data file's path: a name ending in ".zlv" (any case) with something
// before the extension.
bool FileDatiTrascinabile(const std::string& percorso);
// The first data file among dropped local paths (non-local drops arrive as
// empty paths); empty when there is none.
std::string FileDatiTrascinato(const std::vector<std::string>& percorsi);

// A data file dropped on the window: opened as "&Apri" opens it, after the
// unsaved-changes question (cancel: nothing happens). False when nothing was
// opened.
bool ApriFileTrascinato(ModelloForm& m, const std::string& percorso);

} // namespace zelvo
