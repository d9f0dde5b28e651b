// The diagrams' printer through Qt.
#include "ui/stampante_pagine_qt.h"

#include "graphics_qt/superficie_qt.h"
#include "ui/stampante_qt.h"

#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>

#include <algorithm>
#include <stdexcept>

namespace zelvo {

StampantePagineQt::StampantePagineQt(QWidget* genitore)
    : genitore_(genitore), stampante_(std::make_unique<QPrinter>(QPrinter::HighResolution)) {
    stampante_->setDocName(QStringLiteral("Trave Zelvo - Diagrammi"));
    Dialogo = [this](QPrinter& p) {
        QPrintDialog dialogo(&p, genitore_);
        dialogo.setWindowTitle(QStringLiteral("Stampa Diagrammi"));
        dialogo.setOption(QAbstractPrintDialog::PrintSelection, false);
        dialogo.setOption(QAbstractPrintDialog::PrintPageRange, false);
        dialogo.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
        return dialogo.exec() == QDialog::Accepted;
    };
}

StampantePagineQt::~StampantePagineQt() {
    tela_.reset();
    if (pittore_ && pittore_->isActive()) pittore_->end();
}

std::optional<int> StampantePagineQt::DialogoStampa() {
    stampante_->setCopyCount(1);
    if (!Dialogo || !Dialogo(*stampante_)) return std::nullopt;
    // The copies are drawn as pages of the one document.
    const int copie = std::max(1, stampante_->copyCount());
    stampante_->setCopyCount(1);
    return copie;
}

bool StampantePagineQt::Inizia() {
    tela_.reset();
    pittore_ = std::make_unique<QPainter>();
    if (!pittore_->begin(stampante_.get())) {
        pittore_.reset();
        return false;
    }
    pittore_->setRenderHint(QPainter::Antialiasing);
    tela_ = std::make_unique<TelaQt>(pittore_.get(), stampante_->width(), stampante_->height(),
                                     stampante_->resolution());
    return true;
}

Tela& StampantePagineQt::Pagina() {
    if (!tela_) throw std::logic_error("stampante non iniziata");
    return *tela_;
}

void StampantePagineQt::NuovaPagina() {
    if (!tela_) throw std::logic_error("stampante non iniziata");
    if (!stampante_->newPage()) throw std::runtime_error("nuova pagina non riuscita");
}

bool StampantePagineQt::Fine(Messaggi& msg) {
    tela_.reset();
    const bool chiuso = pittore_ && pittore_->end();
    pittore_.reset();
    if (!chiuso) msg.Mostra(TestoErroreStampa, Icona::Critica);
    return chiuso;
}

} // namespace zelvo
