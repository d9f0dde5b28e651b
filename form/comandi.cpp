#include "form/comandi.h"

#include "core/guasto.h"
#include "form/modello_form.h"
#include "form/testi_finestra.h"

#include <array>

namespace zelvo {

namespace {

bool Sempre(const ModelloForm&) {
    return true;
}

// A calculation running its passes takes no new one.
bool Libero(const ModelloForm& m) {
    return !m.Occupato();
}

bool Nuovo(ModelloForm& m) {
    if (!m.ConfermaAbbandono()) return false;
    m.FileNuovo();
    return true;
}

bool Apri(ModelloForm& m) {
    if (!m.ConfermaAbbandono()) return false;
    return m.ApriFileDati();
}

bool Salva(ModelloForm& m) {
    return m.FileSalva();
}

bool SalvaCome(ModelloForm& m) {
    return m.FileSalvaCome();
}

bool Stampa(ModelloForm& m) {
    return m.FileStampa();
}

bool StampaTxt(ModelloForm& m) {
    return m.FileStampaTxt();
}

bool RelazionePdf(ModelloForm& m) {
    return m.FileRelazionePdf();
}

// The diagram output (0 printer, 1 DXF file, 2 CAD application) calls back
// PlottaInOggetto for fresh results.
bool Diagrammi(ModelloForm& m, int scelta) {
    if (!m.Servizi.Uscita) return false;
    return m.Servizi.Uscita->Esegui(scelta, m.NomeFile,
                                    [&m](Superficie& s) { return m.PlottaInOggetto(s); });
}

bool DiagrammiCad(ModelloForm& m) {
    return Diagrammi(m, 2);
}

bool DiagrammiStampante(ModelloForm& m) {
    return Diagrammi(m, 0);
}

bool DiagrammiDxf(ModelloForm& m) {
    return Diagrammi(m, 1);
}

bool Esci(ModelloForm& m) {
    if (!m.ConfermaAbbandono()) return false;
    m.Chiuso = true;
    return true;
}

bool Unita(ModelloForm& m) {
    if (m.Servizi.MostraUnita) m.Servizi.MostraUnita(false);
    return true;
}

bool Scale(ModelloForm& m) {
    if (m.Servizi.MostraScale) m.Servizi.MostraScale();
    return true;
}

bool Combinazioni(ModelloForm& m) {
    if (m.Servizi.MostraCombinazioni) m.Servizi.MostraCombinazioni();
    return true;
}

bool Aiuto(ModelloForm& m) {
    if (m.Servizi.MostraAiuto) m.Servizi.MostraAiuto(1);
    return true;
}

bool Esempi(ModelloForm& m) {
    return m.ConfermaAbbandono() && m.ApriEsempi();
}

bool Informazioni(ModelloForm& m) {
    if (m.Servizi.MostraInformazioni) m.Servizi.MostraInformazioni();
    return true;
}

bool Verifiche(ModelloForm& m) {
    if (m.Servizi.MostraVerifiche) m.Servizi.MostraVerifiche();
    return true;
}

bool Calcola(ModelloForm& m) {
    return m.btnCalcola_Click() == EsitoCalcolo::Completato;
}

using C = Comando;
using M = MenuComando;
using T = TastoStandard;

// clang-format off
constexpr std::array<VoceComando, 19> Tabella{{
    // comando            menu        testo              key            desktop keys   bar icon               theme  sep    E,J    enabled  handler
    {C::Nuovo,            M::File,    "MnuFileItem", 0,  "Ctrl+N",       T::Nuovo,      0,  "document-new",   false, false, true,  Sempre, Nuovo},
    {C::Apri,             M::File,    "MnuFileItem", 1,  "Ctrl+O",       T::Apri,       1,  "document-open",  false, false, true,  Sempre, Apri},
    {C::Salva,            M::File,    "MnuFileItem", 2,  "Ctrl+S",       T::Salva,      2,  "document-save",  false, false, true,  Sempre, Salva},
    {C::SalvaCome,        M::File,    "MnuFileItem", 3,  "Ctrl+Shift+S", T::SalvaCome,  -1, "",               false, false, true,  Sempre, SalvaCome},
    {C::Stampa,           M::File,    "MnuFileItem", 5,  "Ctrl+P",       T::Stampa,     3,  "document-print", true,  true,  false, Sempre, Stampa},
    {C::FileStampaTxt,    M::File,    "MnuFileItem", 6,  "",             T::Nessuno,    -1, "",               false, false, false, Sempre, StampaTxt},
    {C::RelazionePdf,     M::File,    "MnuFileItem", 13, "",             T::Nessuno,    -1, "",               false, false, false, Sempre, RelazionePdf},
    {C::DiagrammiCad,     M::File,    "MnuFileItem", 8,  "",             T::Nessuno,    -1, "",               false, true,  false, Sempre, DiagrammiCad},
    {C::DiagrammiStampante, M::File,  "MnuFileItem", 9,  "",             T::Nessuno,    -1, "",               false, false, false, Sempre, DiagrammiStampante},
    {C::DiagrammiDxf,     M::File,    "MnuFileItem", 10, "",             T::Nessuno,    -1, "",               false, false, false, Sempre, DiagrammiDxf},
    {C::Esci,             M::File,    "MnuFileItem", 12, "Ctrl+Q",       T::Esci,       -1, "",               false, true,  true,  Sempre, Esci},
    {C::Unita,            M::Barra,   "mnuUnits",    -1, "",             T::Nessuno,    -1, "",               false, false, false, Sempre, Unita},
    {C::Scale,            M::Opzioni, "mnuOpzioniItem", 0, "",           T::Nessuno,    -1, "",               false, false, false, Sempre, Scale},
    {C::Combinazioni,     M::Opzioni, "mnuOpzioniItem", 1, "",           T::Nessuno,    -1, "",               false, false, true,  Libero, Combinazioni},
    {C::Verifiche,        M::Opzioni, "mnuOpzioniItem", 2, "",           T::Nessuno,    -1, "",               false, false, false, Sempre, Verifiche},
    {C::Aiuto,            M::Aiuto,   "mnuAiutoItem", 0, "F1",           T::Aiuto,      -1, "",               false, false, false, Sempre, Aiuto},
    {C::Esempi,           M::Aiuto,   "mnuAiutoItem", 1, "",             T::Nessuno,    -1, "",               false, false, true,  Sempre, Esempi},
    {C::Informazioni,     M::Aiuto,   "mnuAiutoItem", 2, "",             T::Nessuno,    -1, "",               false, false, false, Sempre, Informazioni},
    {C::Calcola,          M::Finestra, "btnCalcola", -1, "F5",           T::Nessuno,    -1, "",               false, false, false, Libero, Calcola},
}};
// clang-format on

} // namespace

std::span<const VoceComando> Comandi() {
    return Tabella;
}

const VoceComando& VoceDi(Comando c) {
    for (const VoceComando& v : Tabella)
        if (v.comando == c) return v;
    throw Guasto("comando senza voce");
}

std::optional<Comando> ComandoDaTesto(std::string_view controllo, int indice) {
    for (const VoceComando& v : Tabella)
        if (v.controllo == controllo && v.indice == indice) return v.comando;
    return std::nullopt;
}

std::string CaptionComando(const VoceComando& v) {
    return Caption(v.controllo, v.indice);
}

char Acceleratore(const VoceComando& v) {
    const std::string c = CaptionComando(v);
    for (size_t k = 0; k + 1 < c.size(); ++k) {
        if (c[k] != '&') continue;
        if (c[k + 1] != '&') return c[k + 1];
        ++k; // "&&" is an ampersand shown as it is
    }
    return '\0';
}

std::string TitoloMenu(MenuComando m) {
    switch (m) {
    case MenuComando::File:
        return Caption("MnuFile");
    case MenuComando::Opzioni:
        return Caption("mnuOpzioni");
    case MenuComando::Aiuto:
        return Caption("Aiuto");
    case MenuComando::Barra:
    case MenuComando::Finestra:
        break;
    }
    return "";
}

const char* GuastoComando(MenuComando m) {
    return m == MenuComando::File ? "Errore in Sub mnuFileItem_Click" : nullptr;
}

} // namespace zelvo
