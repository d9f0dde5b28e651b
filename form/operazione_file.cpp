#include "form/operazione_file.h"

#include "io/generale.h"

#include <system_error>

namespace zelvo {

namespace fs = std::filesystem;

std::string FiltroFile(const std::string& programma, const std::string& estensione) {
    return "Tutti i Files (*.*)|*.*|Files " + programma + " (*." + estensione + ")|*." + estensione;
}

RichiestaDialogo RichiestaFile(bool salva, const std::string& filtro, const std::string& nome,
                               const std::string& estensione, const std::string& cartella) {
    RichiestaDialogo r;
    r.salva = salva;
    r.filtro = filtro;
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
    if (!dialogo) return std::nullopt;
    return dialogo(r);
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
        c.cartella = CartellaDi(*scelta);
        c.nome = NomeBase(*scelta);
        c.percorso = *scelta;
        c.caption = testoCaption + c.nome;
        if (!leggi || !leggi(*scelta)) {
            c.nome.clear();
            c.percorso.clear();
            c.caption = testoCaption;
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
