#include "form/impostazioni.h"

#include "form/finestra_unita.h"
#include "form/modello_form.h"

#include <algorithm>
#include <filesystem>

namespace zelvo {

namespace fs = std::filesystem;

namespace {
const char* const ChiaveRecenti = "FileRecenti";
const char* const ChiaveCartella = "CartellaDati";
const char* const ChiaveUnita = "UnitaNuovoProblema";
const char* const ChiaveSenzaUnita = "SenzaUnitaNuovoProblema";
// The slots of UnitMisura::UnitaModello the units window chooses, by group.
constexpr int SlotGruppo[4] = {0, 1, 3, 4};
} // namespace

std::optional<std::string> ArchivioMemoria::Leggi(const std::string& chiave) const {
    const auto i = valori.find(chiave);
    if (i == valori.end()) return std::nullopt;
    return i->second;
}

void ArchivioMemoria::Scrivi(const std::string& chiave, const std::string& valore) {
    valori[chiave] = valore;
}

std::vector<std::string> ArchivioMemoria::LeggiLista(const std::string& chiave) const {
    const auto i = liste.find(chiave);
    return i == liste.end() ? std::vector<std::string>{} : i->second;
}

void ArchivioMemoria::ScriviLista(const std::string& chiave,
                                  const std::vector<std::string>& lista) {
    liste[chiave] = lista;
}

std::string PercorsoAssoluto(const std::string& percorso) {
    if (percorso.empty()) return percorso;
    std::error_code ec;
    const fs::path a = fs::absolute(fs::path(percorso), ec);
    return (ec ? fs::path(percorso) : a).lexically_normal().string();
}

std::string TestoRecenteMancante(const std::string& percorso) {
    return "Il file " + percorso + " non esiste più ed è stato tolto dai file recenti.";
}

ImpostazioniUtente::ImpostazioniUtente(std::shared_ptr<ArchivioImpostazioni> archivio)
    : archivio_(std::move(archivio)) {
    if (!archivio_) archivio_ = std::make_shared<ArchivioMemoria>();
}

std::vector<std::string> ImpostazioniUtente::FileRecenti() const {
    // What another run (or a hand edit) left is cleaned as it is read.
    std::vector<std::string> elenco;
    for (const std::string& p : archivio_->LeggiLista(ChiaveRecenti)) {
        if (p.empty() || std::find(elenco.begin(), elenco.end(), p) != elenco.end()) continue;
        elenco.push_back(p);
        if (elenco.size() == MassimoRecenti) break;
    }
    return elenco;
}

void ImpostazioniUtente::AggiungiRecente(const std::string& percorso) {
    const std::string p = PercorsoAssoluto(percorso);
    if (p.empty()) return;
    std::vector<std::string> elenco = FileRecenti();
    elenco.erase(std::remove(elenco.begin(), elenco.end(), p), elenco.end());
    elenco.insert(elenco.begin(), p);
    if (elenco.size() > MassimoRecenti) elenco.resize(MassimoRecenti);
    archivio_->ScriviLista(ChiaveRecenti, elenco);
}

void ImpostazioniUtente::TogliRecente(const std::string& percorso) {
    std::vector<std::string> elenco = FileRecenti();
    const std::string p = PercorsoAssoluto(percorso);
    elenco.erase(std::remove_if(elenco.begin(), elenco.end(),
                                [&](const std::string& e) { return e == percorso || e == p; }),
                 elenco.end());
    archivio_->ScriviLista(ChiaveRecenti, elenco);
}

std::optional<std::string> ImpostazioniUtente::UltimaCartella() const {
    const auto c = archivio_->Leggi(ChiaveCartella);
    std::error_code ec;
    if (!c || c->empty() || !fs::is_directory(*c, ec)) return std::nullopt;
    return c;
}

void ImpostazioniUtente::RicordaCartella(const std::string& cartella) {
    if (!cartella.empty()) archivio_->Scrivi(ChiaveCartella, PercorsoAssoluto(cartella));
}

bool ImpostazioniUtente::ApplicaUnitaNuovoProblema(UnitMisura& unita) const {
    const std::vector<std::string> etichette = archivio_->LeggiLista(ChiaveUnita);
    const auto senza = archivio_->Leggi(ChiaveSenzaUnita);
    if (etichette.size() != 4 && !senza) return false;
    bool applicato = false;
    if (etichette.size() == 4) {
        // Every label must be one the window offers in its group.
        std::array<std::string, 4> scelte;
        for (size_t g = 0; g < 4; ++g) {
            const auto& gruppo = CaptionUnita()[g];
            if (std::find(gruppo.begin(), gruppo.end(), etichette[g]) == gruppo.end()) return false;
            scelte[g] = etichette[g];
        }
        for (size_t g = 0; g < 4; ++g)
            unita.UnitaModello[static_cast<size_t>(SlotGruppo[g])] = scelte[g];
        applicato = true;
    }
    if (senza == "1" || senza == "0") {
        unita.SenzaUnita = *senza == "1";
        applicato = true;
    }
    return applicato;
}

void ImpostazioniUtente::RicordaUnita(const UnitMisura& unita) {
    std::vector<std::string> etichette;
    for (int s : SlotGruppo)
        etichette.push_back(unita.UnitaModello[static_cast<size_t>(s)]);
    archivio_->ScriviLista(ChiaveUnita, etichette);
    archivio_->Scrivi(ChiaveSenzaUnita, unita.SenzaUnita ? "1" : "0");
}

std::optional<std::string> ImpostazioniUtente::Geometria(const std::string& finestra) const {
    return archivio_->Leggi("Geometria/" + finestra);
}

void ImpostazioniUtente::RicordaGeometria(const std::string& finestra, const std::string& testo) {
    archivio_->Scrivi("Geometria/" + finestra, testo);
}

bool ApriFileRecente(ModelloForm& modello, ImpostazioniUtente& impostazioni,
                     const std::string& percorso) {
    return modello.Evento(
        [&] {
            std::error_code ec;
            if (!fs::is_regular_file(percorso, ec)) {
                impostazioni.TogliRecente(percorso);
                modello.Msg.Mostra(TestoRecenteMancante(percorso), Icona::Esclamazione);
                return false;
            }
            if (!modello.ConfermaAbbandono()) return false;
            return modello.ApriFileDati(percorso);
        },
        "Errore in Sub mnuFileItem_Click");
}

} // namespace zelvo
