#include "form/operazione_file.h"

#include "io/generale.h"

#include <system_error>

namespace zelvo {

namespace fs = std::filesystem;

std::string FiltroFile(const std::string& programma, const std::string& estensione) {
    return "Tutti i Files (*.*)|*.*|Files " + programma + " (*." + estensione + ")|*." + estensione;
}

std::string ConEstensione(const std::string& percorso, const std::string& estensione) {
    if (estensione.empty() || percorso.empty()) return percorso;
    const fs::path p(percorso);
    const std::string nome = p.filename().string();
    // "mia", "mia." and ".mia" have no extension of their own.
    const auto punto = nome.rfind('.');
    if (!nome.empty() && punto != std::string::npos && punto > 0 && punto + 1 < nome.size())
        return percorso;
    if (nome.empty()) return percorso; // a folder, not a file name
    std::string con = percorso;
    if (con.back() != '.') con += '.';
    return con + estensione;
}

std::optional<std::string> ChiediFile(const SceltaFile& dialogo, const RichiestaDialogo& r) {
    if (!dialogo) return std::nullopt;
    std::optional<std::string> scelta = dialogo(r);
    if (scelta && r.salva) *scelta = ConEstensione(*scelta, r.estensione);
    return scelta;
}

RichiestaDialogo RichiestaFile(bool salva, const std::string& filtro, const std::string& nome,
                               const std::string& estensione, const std::string& cartella) {
    RichiestaDialogo r;
    r.salva = salva;
    r.filtro = filtro;
    r.estensione = estensione;
    r.nomeIniziale = (nome.empty() ? std::string("*") : nome) + "." + estensione;
    std::error_code ec;
    if (!cartella.empty() && fs::is_directory(cartella, ec))
        r.cartellaIniziale = cartella;
    else
        r.cartellaIniziale = fs::current_path(ec).string();
    return r;
}

namespace {

std::string CartellaDi(const fs::path& p) {
    std::error_code ec;
    const fs::path a = fs::absolute(p, ec);
    return (ec ? p : a).parent_path().string();
}

// The dialog's answer: the path already chosen, or the dialog's.
std::optional<std::string> Scelta(const std::string& scelto, const SceltaFile& dialogo,
                                  const RichiestaDialogo& r) {
    if (!scelto.empty()) return scelto;
    return ChiediFile(dialogo, r);
}

} // namespace

bool OperazioneFile(ComandoFile comando, const std::string& programma, FileCorrente c,
                    const std::string& estensione, const SceltaFile& dialogo,
                    const std::string& testoCaption,
                    const std::function<bool(const fs::path&)>& leggi,
                    const std::function<bool(const fs::path&)>& scrivi, const std::string& scelto) {
    const std::string filtro = FiltroFile(programma, estensione);
    switch (comando) {
    case ComandoFile::Nuovo:
        c.nome.clear();
        c.percorso.clear();
        c.caption = testoCaption;
        return true;
    case ComandoFile::Apri: {
        const auto scelta =
            Scelta(scelto, dialogo, RichiestaFile(false, filtro, c.nome, estensione, c.cartella));
        if (!scelta) return false; // cancelled: nothing changes
        // Nothing read: the current file stays as it was.
        const std::string nome = c.nome, percorso = c.percorso, caption = c.caption,
                          cartella = c.cartella;
        c.cartella = CartellaDi(*scelta);
        c.nome = NomeBase(*scelta);
        c.percorso = *scelta;
        c.caption = testoCaption + c.nome;
        bool letto = false;
        try {
            letto = leggi && leggi(*scelta);
        } catch (...) {
            c.nome = nome;
            c.percorso = percorso;
            c.caption = caption;
            c.cartella = cartella;
            throw;
        }
        if (!letto) {
            c.nome = nome;
            c.percorso = percorso;
            c.caption = caption;
            c.cartella = cartella;
            return false;
        }
        return true;
    }
    case ComandoFile::Salva:
        if (!c.percorso.empty()) return scrivi && scrivi(c.percorso);
        [[fallthrough]];
    case ComandoFile::SalvaCome: {
        const auto scelta =
            Scelta(scelto, dialogo, RichiestaFile(true, filtro, c.nome, estensione, c.cartella));
        if (!scelta) return false;
        if (!scrivi || !scrivi(*scelta)) return false;
        c.nome = NomeBase(*scelta);
        c.percorso = *scelta;
        c.caption = testoCaption + c.nome;
        c.cartella = CartellaDi(*scelta);
        return true;
    }
    }
    return false;
}

} // namespace zelvo
