#include "ui/diagrammi_qt.h"

#include "graphics_qt/superficie_qt.h"
#include "ui/finestra_diagramma.h"
#include "ui/frm_dati.h"
#include "ui/frm_infor.h"
#include "ui/frm_scale.h"
#include "ui/stampante_pagine_qt.h"

#include <optional>

namespace zelvo {

namespace {

std::string SenzaEstensione(const std::string& nome) {
    const auto p = nome.rfind('.');
    return p == std::string::npos ? nome : nome.substr(0, p);
}

} // namespace

DiagrammiQt::DiagrammiQt(FrmDati& f) : QObject(&f), f_(f) {
    setObjectName(QStringLiteral("DiagrammiQt"));
    stampante_ = std::make_unique<StampantePagineQt>(&f);
    ServiziUscita s;
    s.Salva = [this](const std::string& proposto, const std::string& filtro,
                     int indice) -> std::optional<std::string> {
        const SceltaFile& scelta = f_.Modello().Servizi.SceltaFile;
        if (!scelta) return std::nullopt;
        RichiestaDialogo r = RichiestaFile(true, filtro, SenzaEstensione(proposto), "dxf",
                                           f_.Modello().CartellaDati);
        r.indiceFiltro = indice;
        return ChiediFile(scelta, r);
    };
    s.Stampa = stampante_.get();
    uscita_ = std::make_unique<UscitaDiagrammi>(f.Msg(), std::move(s));
    f.Modello().Servizi.Uscita = uscita_.get();
    f.Modello().Servizi.Scale = &scale_;
    // Every change of the model (a calculation, a file opened, "Nuovo", new
    // units) repaints the open diagrams from what the model holds now.
    connect(&f, &FrmDati::Aggiornato, this, &DiagrammiQt::Ridisegna);
}

void DiagrammiQt::Ridisegna() {
    // The passes of a calculation notify too: the diagrams wait for its end.
    if (f_.Modello().Occupato()) return;
    for (auto& w : finestre_)
        if (w) w->Ridisegna();
}

DiagrammiQt::~DiagrammiQt() {
    // Made before the diagram windows, this goes first when the main window
    // deletes its children: the windows (which read the model) go with it.
    for (auto& w : finestre_)
        delete w.data();
}

DiagrammiQt* DiagrammiQt::Di(FrmDati& f) {
    return f.DiagrammiCollegati();
}

FinestraDiagramma* DiagrammiQt::Finestra(int i) const {
    return i >= 0 && i < 3 ? finestre_[i].data() : nullptr;
}

void DiagrammiQt::Mostra(int i) {
    if (i < 0 || i > 2) return;
    if (!finestre_[i]) {
        // A window of its own (not a child drawn inside the main window);
        // it closes with the main window.
        finestre_[i] = new FinestraDiagramma(
            i, [this] { return ContestoFinestre(f_.Modello()); }, f_.Msg(), &f_);
        finestre_[i]->setAttribute(Qt::WA_DeleteOnClose);
        // One view for every diagram window and for the printed and
        // exported diagrams.
        finestre_[i]->SceltaVista([this](const VistaDiagrammi& v) {
            scale_.Vista = v;
            Ridisegna();
        });
        finestre_[i]->Ricorda(f_.Impostazioni());
    }
    finestre_[i]->Mostra();
}

void DiagrammiQt::Scale() {
    FrmScale d(scale_, f_.Msg(), f_.Unita().separatori, &f_,
               ScaleInVigore(ContestoFinestre(f_.Modello())));
    d.exec();
    // The open diagrams follow the scales.
    Ridisegna();
}

void DiagrammiQt::Informazioni() {
    FrmInfor d(&f_);
    d.exec();
}

void CollegaDiagrammi(FrmDati& f) {
    if (!f.DiagrammiCollegati()) f.DiagrammiCollegati() = new DiagrammiQt(f);
}

} // namespace zelvo
