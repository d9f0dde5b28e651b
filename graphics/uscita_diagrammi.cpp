#include "graphics/uscita_diagrammi.h"

#include "graphics/dxf.h"
#include "graphics/fabbrica_superfici.h"
#include "graphics/grafica.h"

namespace zelvo {

void UscitaDiagrammi::Errore(const std::exception& e) {
    const ErroreEsecuzione er = ErroreDa(e);
    msg_.Mostra("Si è verificato durante il processo di stampa il seguente errore: " +
                std::to_string(er.numero) + ACapo + er.descrizione);
}

bool UscitaDiagrammi::Esegui(int scelta, const std::string& nomeBase,
                             const PlottaInOggetto& proprietario) {
    try {
        switch (scelta) {
        case 0:
            return Stampa(proprietario, true);
        case 1: {
            if (!servizi_.Salva) return false;
            const auto nome = servizi_.Salva(nomeBase + ".dxf", FiltroDxf, 2);
            if (!nome) return false; // cancel: no message, no file
            return Dxf(*nome, proprietario);
        }
        case 2:
            return Cad(proprietario);
        default:
            return false;
        }
    } catch (const std::exception& e) {
        Errore(e);
        return false;
    }
}

bool UscitaDiagrammi::Stampa(const PlottaInOggetto& proprietario, bool dialogo) {
    try {
        if (!servizi_.Stampa) {
            msg_.Mostra(TestoStampanteAssente);
            return false;
        }
        StampantePagine& st = *servizi_.Stampa;
        int copie = 1;
        if (dialogo) {
            const auto c = st.DialogoStampa();
            if (!c) return false; // cancel
            copie = *c;
        }
        if (!st.Inizia()) {
            msg_.Mostra(TestoStampanteAssente);
            return false;
        }
        bool ok = true;
        for (int i = 0; i < copie; ++i) {
            if (i > 0) st.NuovaPagina();
            SuperficieStampante pagina(st.Pagina());
            ok = proprietario(pagina) && ok;
        }
        if (!ok) {
            // Nothing of a failed drawing is printed.
            return false;
        }
        return st.Fine(msg_);
    } catch (const std::exception& e) {
        Errore(e);
        return false;
    }
}

bool UscitaDiagrammi::Dxf(const std::string& percorso, const PlottaInOggetto& proprietario) {
    SuperficieDxf dxf;
    try {
        dxf.ApriDxf(percorso, 1);
        if (!proprietario(dxf)) {
            // Nothing of a failed drawing is written.
            dxf.AbbandonaDxf();
            return false;
        }
        if (!dxf.ChiudiDxf()) {
            msg_.Mostra("Impossibile scrivere il file " + percorso, Icona::Critica);
            return false;
        }
        return true;
    } catch (const std::exception& e) {
        dxf.AbbandonaDxf();
        Errore(e);
        return false;
    }
}

bool UscitaDiagrammi::Cad(const PlottaInOggetto& proprietario) {
    try {
        std::unique_ptr<ApplicazioneCad> cad = ApriAutocad(servizi_.Cad, msg_);
        if (!cad) return false;
        SuperficieCad dwg(*cad, msg_);
        const bool ok = proprietario(dwg);
        cad->ZoomExtents();
        return ok;
    } catch (const std::exception& e) {
        Errore(e);
        return false;
    }
}

// --- the diagrams -----------------------------------------------------------

namespace {
bool Calcolato(const ContestoDiagrammi& c) {
    return c.Modulo && c.Unita && c.Modulo->Risultati.Calcolato && c.Modulo->Risultati.NPunti >= 2;
}
} // namespace

PlottaInOggetto DiagrammiInOggetto(const ContestoDiagrammi& c) {
    return [c](Superficie& s) {
        if (!Calcolato(c)) {
            if (c.Msg) c.Msg->Mostra(TestoSenzaCalcolo, Icona::Esclamazione);
            return false;
        }
        return PlottaInOggettoDiagrammi(c, s);
    };
}

bool StampaDiagrammiPdf(UscitaDiagrammi& uscita, const ContestoDiagrammi& c,
                        const std::string& percorso) {
    if (!SuperficiDisponibili(c.Superfici, uscita.Msg())) return false;
    std::unique_ptr<StampantePagine> pdf = c.Superfici->StampantePdf(percorso);
    StampantePagine* prima = uscita.Servizi().Stampa;
    uscita.Servizi().Stampa = pdf.get();
    const bool ok = uscita.Stampa(DiagrammiInOggetto(c), false);
    uscita.Servizi().Stampa = prima;
    return ok;
}

bool ImmaginiDiagrammi(const ContestoDiagrammi& c, const std::string& prefisso,
                       const std::string& formato, Messaggi& msg) {
    if (!Calcolato(c)) {
        msg.Mostra(TestoSenzaCalcolo, Icona::Esclamazione);
        return false;
    }
    if (!SuperficiDisponibili(c.Superfici, msg)) return false;
    const bool svg = formato == "svg";
    for (const TipoDiagramma diagramma : TuttiIDiagrammi) {
        const std::string l = Lettera(diagramma);
        auto d = svg ? c.Superfici->Svg(LarghezzaFinestraDiagramma, AltezzaFinestraDiagramma)
                     : c.Superfici->Png(LarghezzaFinestraDiagramma, AltezzaFinestraDiagramma);
        SuperficieVideo video(d->Tela());
        Plotta p;
        if (!p.PlottaDiagramma(c, diagramma, video)) return false;
        const std::string percorso = prefisso + "-" + l + (svg ? ".svg" : ".png");
        if (!d->Salva(percorso)) {
            msg.Mostra("Impossibile scrivere il file " + percorso, Icona::Critica);
            return false;
        }
    }
    return true;
}

} // namespace zelvo
