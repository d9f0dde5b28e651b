#include "ui/diagrammi_qt.h"

#include "graphics/superficie_qt.h"
#include "ui/finestra_diagramma.h"
#include "ui/frm_dati.h"
#include "ui/frm_infor.h"
#include "ui/frm_scale.h"

#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>

#include <optional>

namespace zelvo {

namespace {

// The system printer as a page printer of the diagrams.
class StampanteQt : public StampantePagine {
  public:
    explicit StampanteQt(QWidget* genitore) : genitore_(genitore) {}
    std::optional<int> DialogoStampa() override {
        QPrintDialog d(&printer_, genitore_);
        if (d.exec() != QDialog::Accepted) return std::nullopt;
        // The copies are drawn one by one.
        const int copie = std::max(1, printer_.copyCount());
        printer_.setCopyCount(1);
        return copie;
    }
    bool Inizia() override {
        if (!pittore_.begin(&printer_)) return false;
        pittore_.setRenderHint(QPainter::Antialiasing);
        tela_ = std::make_unique<TelaQt>(&pittore_, printer_.width(), printer_.height(),
                                         printer_.resolution());
        return true;
    }
    Tela& Pagina() override { return *tela_; }
    void NuovaPagina() override {
        printer_.newPage();
        tela_ = std::make_unique<TelaQt>(&pittore_, printer_.width(), printer_.height(),
                                         printer_.resolution());
    }
    bool Fine(Messaggi& msg) override {
        tela_.reset();
        if (pittore_.end()) return true;
        msg.Mostra(TestoStampanteAssente);
        return false;
    }

  private:
    QWidget* genitore_;
    QPrinter printer_{QPrinter::HighResolution};
    QPainter pittore_;
    std::unique_ptr<TelaQt> tela_;
};

std::string SenzaEstensione(const std::string& nome) {
    const auto p = nome.rfind('.');
    return p == std::string::npos ? nome : nome.substr(0, p);
}

} // namespace

DiagrammiQt::DiagrammiQt(FrmDati& f) : QObject(&f), f_(f) {
    setObjectName(QStringLiteral("DiagrammiQt"));
    stampante_ = std::make_unique<StampanteQt>(&f);
    ServiziUscita s;
    s.Salva = [this](const std::string& proposto, const std::string& filtro,
                     int indice) -> std::optional<std::string> {
        const SceltaFile& scelta = f_.Modello().Servizi.SceltaFile;
        if (!scelta) return std::nullopt;
        RichiestaDialogo r = RichiestaFile(true, filtro, SenzaEstensione(proposto), "dxf");
        r.indiceFiltro = indice;
        return scelta(r);
    };
    s.Stampa = stampante_.get();
    uscita_ = std::make_unique<UscitaDiagrammi>(f.Msg(), std::move(s));
    f.Modello().Servizi.Uscita = uscita_.get();
    f.Modello().Servizi.Scale = &scale_;
}

DiagrammiQt::~DiagrammiQt() {
    // Made before the diagram windows, this goes first when the main window
    // deletes its children: the windows (which read the model) go with it.
    for (auto& w : finestre_)
        delete w.data();
}

DiagrammiQt* DiagrammiQt::Di(FrmDati& f) {
    return f.findChild<DiagrammiQt*>(QStringLiteral("DiagrammiQt"), Qt::FindDirectChildrenOnly);
}

FinestraDiagramma* DiagrammiQt::Finestra(int i) const {
    return i >= 0 && i < 3 ? finestre_[i].data() : nullptr;
}

void DiagrammiQt::Diagramma(int i) {
    if (i < 0 || i > 3) return;
    // Fresh results, with the trap and messages of "Calcola".
    const EsitoCalcolo e = f_.Modello().btnCalcola_Click();
    f_.Aggiorna();
    if (e != EsitoCalcolo::Completato) return;
    if (i == 3) {
        ModelloForm& m = f_.Modello();
        uscita_->Stampa([&m](Superficie& s) { return PlottaInOggettoDiagrammi(m.ContestoDisegno(), s); },
                        false);
        return;
    }
    if (!finestre_[i]) {
        // A window of its own (not a child drawn inside the main window);
        // it closes with the main window.
        finestre_[i] = new FinestraDiagramma(
            i, [this] { return f_.Modello().ContestoDisegno(); }, f_.Msg(), &f_);
        finestre_[i]->setAttribute(Qt::WA_DeleteOnClose);
    }
    finestre_[i]->Mostra();
}

void DiagrammiQt::Scale() {
    FrmScale d(scale_, f_.Msg(), &f_);
    d.exec();
    // The open diagrams follow the scales.
    for (auto& w : finestre_)
        if (w) w->Area()->update();
}

void DiagrammiQt::Informazioni() {
    FrmInfor d(&f_);
    d.exec();
}

void CollegaDiagrammi(FrmDati& f) {
    if (!DiagrammiQt::Di(f)) new DiagrammiQt(f);
}

} // namespace zelvo
