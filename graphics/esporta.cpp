#include "graphics/esporta.h"

#include "graphics/dxf.h"
#include "graphics/grafica.h"
#include "graphics/plotta.h"
#include "graphics/superficie_qt.h"

namespace zelvo {

namespace {

bool Controlla(const ModuloZelvo& m, Messaggi& msg) {
    if (m.Risultati.Calcolato && m.Risultati.NPunti >= 2) return true;
    msg.Mostra(TestoSenzaCalcolo, Icona::Esclamazione);
    return false;
}

void ErroreFile(Messaggi& msg, const std::string& percorso) {
    msg.Mostra("Impossibile scrivere il file " + percorso, Icona::Critica);
}

bool Schermo(const ModuloZelvo& m, const UnitMisura& u, const std::string& prefisso, Messaggi& msg,
             const std::string& nomeFile, bool svg) {
    if (!Controlla(m, msg)) return false;
    ContestoDiagrammi c{&m, &u, &msg, nomeFile};
    for (const char* l : {"M", "T", "C"}) {
        auto d = svg ? DisegnoQt::Svg(LarghezzaFinestraDiagramma, AltezzaFinestraDiagramma)
                     : DisegnoQt::Immagine(LarghezzaFinestraDiagramma, AltezzaFinestraDiagramma);
        if (!PlottaDiagramma(c, l, DispVideo, &d->Superficie())) return false;
        const std::string p = prefisso + "-" + l + (svg ? ".svg" : ".png");
        if (!d->Salva(p)) {
            ErroreFile(msg, p);
            return false;
        }
    }
    return true;
}

} // namespace

bool EsportaDXF(const ModuloZelvo& m, const UnitMisura& u, const std::string& percorso,
                Messaggi& msg, const std::string& nomeFile) {
    if (!Controlla(m, msg)) return false;
    ContestoDiagrammi c{&m, &u, &msg, nomeFile};
    ApriDxf(percorso, 1);
    if (!PlottaFile(c, DispDxf)) {
        AbbandonaDxf();
        return false;
    }
    if (!ChiudiDxf()) {
        ErroreFile(msg, percorso);
        return false;
    }
    return true;
}

bool EsportaPDF(const ModuloZelvo& m, const UnitMisura& u, const std::string& percorso,
                Messaggi& msg, const std::string& nomeFile) {
    if (!Controlla(m, msg)) return false;
    ContestoDiagrammi c{&m, &u, &msg, nomeFile};
    auto d = DisegnoQt::Pdf();
    if (!PlottaStampa(c, DispStampante, &d->Superficie())) return false;
    if (!d->Salva(percorso)) {
        ErroreFile(msg, percorso);
        return false;
    }
    return true;
}

bool EsportaPNG(const ModuloZelvo& m, const UnitMisura& u, const std::string& prefisso,
                Messaggi& msg, const std::string& nomeFile) {
    return Schermo(m, u, prefisso, msg, nomeFile, false);
}

bool EsportaSVG(const ModuloZelvo& m, const UnitMisura& u, const std::string& prefisso,
                Messaggi& msg, const std::string& nomeFile) {
    return Schermo(m, u, prefisso, msg, nomeFile, true);
}

} // namespace zelvo
