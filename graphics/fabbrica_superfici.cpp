#include "graphics/fabbrica_superfici.h"

namespace zelvo {

namespace {

class StampaPdf : public StampantePagine {
  public:
    StampaPdf(FabbricaSuperfici& fabbrica, std::string percorso)
        : fabbrica_(fabbrica), percorso_(std::move(percorso)) {}
    bool Inizia() override {
        d_ = fabbrica_.Pdf();
        return d_ != nullptr;
    }
    zelvo::Tela& Pagina() override { return d_->Tela(); }
    void NuovaPagina() override { d_->NuovaPagina(); }
    bool Fine(Messaggi& msg) override {
        if (d_ && d_->Salva(percorso_)) return true;
        msg.Mostra("Impossibile scrivere il file " + percorso_, Icona::Critica);
        return false;
    }

  private:
    FabbricaSuperfici& fabbrica_;
    std::string percorso_;
    std::unique_ptr<DisegnoFile> d_;
};

} // namespace

std::unique_ptr<StampantePagine> FabbricaSuperfici::StampantePdf(const std::string& percorso) {
    return std::make_unique<StampaPdf>(*this, percorso);
}

bool SuperficiDisponibili(const FabbricaSuperfici* fabbrica, Messaggi& msg) {
    if (fabbrica) return true;
    msg.Mostra(TestoSenzaSuperfici, Icona::Critica);
    return false;
}

} // namespace zelvo
