#include "section/esporta_sezione.h"

#include "graphics/dxf.h"
#include "graphics/grafica.h"
#include "section/sezione_edit.h"
#include "section/sezione_profili.h"

#include <exception>

namespace zelvo {

namespace {

void ErroreFile(Messaggi& msg, const std::string& percorso) {
    msg.Mostra("Impossibile scrivere il file " + percorso, Icona::Critica);
}

bool Disegna(const DisegnoSezione& d, Superficie& s, Messaggi& msg) {
    bool ok = false;
    try {
        ok = d && d(s);
    } catch (const std::exception&) {
        ok = false;
    }
    if (!ok) msg.Mostra(TestoErrorePlottaggio, Icona::Critica);
    return ok;
}

bool Raster(const DisegnoSezione& d, std::unique_ptr<DisegnoFile> tela, bool pagina,
            const std::string& percorso, Messaggi& msg) {
    bool ok;
    if (pagina) {
        SuperficieStampante s(tela->Tela());
        ok = Disegna(d, s, msg);
    } else {
        SuperficieVideo s(tela->Tela());
        ok = Disegna(d, s, msg);
    }
    if (!ok) return false;
    if (!tela->Salva(percorso)) {
        ErroreFile(msg, percorso);
        return false;
    }
    return true;
}

} // namespace

DisegnoSezione DisegnoDi(SezioneEdit& s) {
    return [&s](Superficie& sup) { return s.PlottaSezione(sup); };
}

DisegnoSezione DisegnoDi(SezioneProfili& p) {
    return [&p](Superficie& sup) { return p.PlottaSezione(sup); };
}

bool FormatoSezioneNoto(const std::string& f) {
    return f == "dxf" || f == "pdf" || f == "png" || f == "svg";
}

bool EsportaSezione(const DisegnoSezione& d, const std::string& formato,
                    const std::string& percorso, Messaggi& msg, FabbricaSuperfici* superfici) {
    if (formato == "dxf") return EsportaSezioneDXF(d, percorso, msg);
    if (formato == "pdf") return EsportaSezionePDF(d, percorso, msg, superfici);
    if (formato == "png") return EsportaSezionePNG(d, percorso, msg, superfici);
    if (formato == "svg") return EsportaSezioneSVG(d, percorso, msg, superfici);
    return false;
}

bool EsportaSezioneDXF(const DisegnoSezione& d, const std::string& percorso, Messaggi& msg) {
    SuperficieDxf dxf;
    dxf.ApriDxf(percorso, 1);
    if (!Disegna(d, dxf, msg)) {
        dxf.AbbandonaDxf();
        return false;
    }
    if (!dxf.ChiudiDxf()) {
        ErroreFile(msg, percorso);
        return false;
    }
    return true;
}

bool EsportaSezionePDF(const DisegnoSezione& d, const std::string& percorso, Messaggi& msg,
                       FabbricaSuperfici* superfici) {
    if (!SuperficiDisponibili(superfici, msg)) return false;
    return Raster(d, superfici->Pdf(), true, percorso, msg);
}

bool EsportaSezionePNG(const DisegnoSezione& d, const std::string& percorso, Messaggi& msg,
                       FabbricaSuperfici* superfici) {
    if (!SuperficiDisponibili(superfici, msg)) return false;
    return Raster(d, superfici->Png(LarghezzaFinestraSezione, AltezzaFinestraSezione), false,
                  percorso, msg);
}

bool EsportaSezioneSVG(const DisegnoSezione& d, const std::string& percorso, Messaggi& msg,
                       FabbricaSuperfici* superfici) {
    if (!SuperficiDisponibili(superfici, msg)) return false;
    return Raster(d, superfici->Svg(LarghezzaFinestraSezione, AltezzaFinestraSezione), false,
                  percorso, msg);
}

} // namespace zelvo
