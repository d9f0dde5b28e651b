#include "form/scrivania.h"

#include "form/modello_form.h"

#include <algorithm>
#include <cctype>

namespace zelvo {

int ArgomentoDi(const Fuoco& f) {
    switch (f.tipo) {
    case TipoControllo::TxtTitolo:
    case TipoControllo::TxtDati:
    case TipoControllo::TxtX:
    case TipoControllo::BtnCalcola:
        return AiutoCampi;
    case TipoControllo::TxtRigheGriglia:
    case TipoControllo::FlexGrid:
    case TipoControllo::TxtEdit:
        return AiutoCarichi;
    case TipoControllo::TxtCampate:
    case TipoControllo::GrigliaContinua:
    case TipoControllo::EditContinua:
        return AiutoCampi;
    case TipoControllo::TxtWinkler:
        return AiutoFondazione;
    case TipoControllo::Nessuno:
        break;
    }
    return AiutoIndice;
}

void AiutoContestuale(ModelloForm& m, const Fuoco& f) {
    m.Evento([&] {
        if (m.Servizi.MostraAiuto) m.Servizi.MostraAiuto(ArgomentoDi(f));
    });
}

bool FileDatiTrascinabile(const std::string& percorso) {
    const std::string estensione = ".zlv";
    const size_t barra = percorso.find_last_of('/');
    const std::string nome = barra == std::string::npos ? percorso : percorso.substr(barra + 1);
    if (nome.size() <= estensione.size()) return false;
    return std::equal(estensione.rbegin(), estensione.rend(), nome.rbegin(), [](char a, char b) {
        return a == std::tolower(static_cast<unsigned char>(b));
    });
}

std::string FileDatiTrascinato(const std::vector<std::string>& percorsi) {
    for (const std::string& p : percorsi)
        if (FileDatiTrascinabile(p)) return p;
    return {};
}

bool ApriFileTrascinato(ModelloForm& m, const std::string& percorso) {
    if (percorso.empty()) return false;
    return m.Evento(
        [&] {
            if (!m.ConfermaAbbandono()) return false;
            return m.ApriFileDati(percorso);
        },
        "Errore in Sub mnuFileItem_Click");
}

} // namespace zelvo
