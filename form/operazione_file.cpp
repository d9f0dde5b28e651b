#include "form/operazione_file.h"

#include "io/generale.h"

#include <system_error>

namespace zelvo {

namespace fs = std::filesystem;

std::string FiltroFile(const std::string& programma, const std::string& estensione) {
    return "Tutti i Files (*.*)|*.*|Files " + programma + " (*." + estensione + ")|*." + estensione;
}

namespace {

RichiestaDialogo Richiesta(bool salva, const std::string& programma, const std::string& nome,
                           const std::string& estensione) {
    RichiestaDialogo r;
    r.salva = salva;
    r.filtro = FiltroFile(programma, estensione);
    r.nomeIniziale = (nome.empty() ? std::string("*") : nome) + "." + estensione;
    std::error_code ec;
    const std::string& c = CartellaCorrente();
    if (!c.empty() && fs::is_directory(c, ec))
        r.cartellaIniziale = c;
    else
        r.cartellaIniziale = fs::current_path(ec).string();
    return r;
}

std::string CartellaDi(const fs::path& p) {
    std::error_code ec;
    const fs::path a = fs::absolute(p, ec);
    return (ec ? p : a).parent_path().string();
}

} // namespace

bool OperazioneFile(ComandoFile comando, const std::string& programma, std::string& nome,
                    const std::string& estensione, DialogoFile& dialogo, std::string& caption,
                    const std::string& testoCaption,
                    const std::function<EsitoProgetto(const fs::path&)>& leggi,
                    const std::function<bool(const fs::path&)>& scrivi) {
    switch (comando) {
    case ComandoFile::Nuovo:
        nome.clear();
        caption = testoCaption;
        return true;
    case ComandoFile::Apri: {
        const auto scelta = dialogo.Scegli(Richiesta(false, programma, nome, estensione));
        if (!scelta) return false;
        ImpostaCartellaCorrente(CartellaDi(*scelta));
        nome = NomeBase(*scelta);
        caption = testoCaption + nome;
        if (leggi(*scelta) == EsitoProgetto::IntestazioneIlleggibile) {
            nome.clear();
            caption = testoCaption;
            return false;
        }
        return true;
    }
    case ComandoFile::Salva:
        if (!nome.empty()) return scrivi(fs::path(CartellaCorrente()) / (nome + "." + estensione));
        [[fallthrough]];
    case ComandoFile::SalvaCome: {
        const auto scelta = dialogo.Scegli(Richiesta(true, programma, nome, estensione));
        if (!scelta) return false;
        if (!scrivi(*scelta)) return false;
        nome = NomeBase(*scelta);
        caption = testoCaption + nome;
        ImpostaCartellaCorrente(CartellaDi(*scelta));
        return true;
    }
    }
    return false;
}

} // namespace zelvo
