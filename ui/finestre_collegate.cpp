#include "ui/finestre_collegate.h"

#include "ui/diagrammi_qt.h"
#include "ui/finestra_aiuto.h"
#include "ui/finestra_unita.h"
#include "ui/frm_dati.h"
#include "ui/frm_property.h"
#include "ui/frm_verifiche.h"
#include "ui/stampante_qt.h"

namespace zelvo {

FinestreCollegate FinestrePredefinite() {
    FinestreCollegate f;
    // Units window, help and printer.
    f.Unita = MostraFinestraUnita;
    f.Aiuto = [](FrmDati& d, int argomento) { ApriAiuto(&d, argomento); };
    f.CreaStampante = [](QWidget* genitore) -> std::unique_ptr<Stampante> {
        return std::make_unique<StampanteQt>(genitore);
    };
    // Diagram output, diagram windows, scale dialog and information window.
    f.Collega = CollegaDiagrammi;
    f.Diagramma = [](FrmDati& d, int i) {
        CollegaDiagrammi(d);
        DiagrammiQt::Di(d)->Mostra(i);
    };
    f.Scale = [](FrmDati& d) {
        CollegaDiagrammi(d);
        DiagrammiQt::Di(d)->Scale();
    };
    f.Informazioni = [](FrmDati& d) {
        CollegaDiagrammi(d);
        DiagrammiQt::Di(d)->Informazioni();
    };
    // Section-properties window.
    f.Sezione = [](FrmDati& d) { FrmProperty::Apri(d); };
    // Steel member checks window.
    f.Verifiche = [](FrmDati& d) { FrmVerifiche::Apri(d); };
    return f;
}

} // namespace zelvo
