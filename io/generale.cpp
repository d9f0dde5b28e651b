#include "io/generale.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace zelvo {

// ------------------------------------------------------------------ start-up

void ControllaSeparatori(const Separatori& s, Messaggi& msg, bool silenzioso) {
    const std::string& dec = s.decimale;
    const std::string& mig = s.migliaia;
    if (mig.empty()) {
        msg.Mostra(std::string("Errore nelle impostazioni internazionali del pannello di "
                               "controllo.\rIl separatore decimale è stato impostato come \"") +
                       dec +
                       "\"\rE' stato impostato lo stesso carattere per il simbolo "
                       "raggruppamento cifre.\rCambiare il simbolo raggruppamento cifre e "
                       "riavviare il programma.",
                   Icona::Critica, "ERRORE");
        return;
    }
    // The hidden field only carries the text from the formatter to the parser.
    const std::string campo = FormatoPattern(s, 1234567.8, "#,#.#");
    if (ValoreNumerico(campo, s) != 1234567.8) {
        msg.Mostra("Errore sconosciuto nelle impostazioni internazionali del pannello di "
                   "controllo.\rProvare a cambiare i simboli del separatore decimale\re del "
                   "raggruppamento cifre e riavviare il programma.",
                   Icona::Critica, "ERRORE");
    }
    if (mig == "," && dec == "." && !silenzioso) {
        std::string t = std::string("E' impostato come separatore decimale \"") + dec +
                        "\" e come separatore delle migliaia \"" + mig + "\"";
        t += ACapo;
        t += "Se la lingua è Italiano è meglio usare la  \",\" come separatore decimale.";
        t += ACapo;
        t += "Il programma funzionerà comunque correttamente se si usa come separatore delle "
             "migliaia lo spazio,";
        t += ACapo;
        t += "impostazione consigliata perchè elimina qualunque ambiguità.";
        t += ACapo;
        t += "Il tastierino numerico inserisce il separatore decimale scelto nelle "
             "impostazioni internazionali.";
        msg.Mostra(t, Icona::Esclamazione, "ATTENZIONE ");
    }
}

void AvvioGenerale(const Separatori& s, Messaggi& msg, bool silenzioso) {
    ControllaSeparatori(s, msg, silenzioso);
}

std::string CartellaProgramma() {
    namespace fs = std::filesystem;
    std::error_code ec;
    fs::path programma = fs::read_symlink("/proc/self/exe", ec);
    if (ec || programma.empty()) programma = fs::current_path(ec) / "zelvo";
    return programma.parent_path().string();
}
std::string CartellaDatiInstallati() {
    return ZELVO_CARTELLA_DATI;
}

std::string FileDati(std::string_view nome) {
    namespace fs = std::filesystem;
    std::error_code ec;
    const fs::path accanto = fs::path(CartellaProgramma()) / nome;
    if (fs::exists(accanto, ec)) return accanto.string();
    return (fs::path(CartellaDatiInstallati()) / nome).string();
}

std::string CartellaDatiUtente() {
    namespace fs = std::filesystem;
    const char* xdg = std::getenv("XDG_DATA_HOME");
    if (xdg && *xdg && fs::path(xdg).is_absolute()) return (fs::path(xdg) / "zelvo").string();
    const char* home = std::getenv("HOME");
    if (home && *home && fs::path(home).is_absolute())
        return (fs::path(home) / ".local" / "share" / "zelvo").string();
    return {};
}

// ------------------------------------------------------------------- files

std::string NomeBase(std::string_view nome) {
    const size_t s = nome.find_last_of("/\\");
    std::string_view f = s == std::string_view::npos ? nome : nome.substr(s + 1);
    const size_t p = f.rfind('.');
    if (p != std::string_view::npos && p > 0) f = f.substr(0, p);
    return std::string(f);
}

} // namespace zelvo
