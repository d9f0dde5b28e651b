#include "graphics/cad.h"

namespace zelvo {

namespace {
FabbricaCad& Fabbrica() {
    static FabbricaCad f;
    return f;
}
std::unique_ptr<ApplicazioneCad>& Applicazione() {
    static std::unique_ptr<ApplicazioneCad> a;
    return a;
}
} // namespace

void ImpostaFabbricaCad(FabbricaCad f) {
    Fabbrica() = std::move(f);
}

bool ApriAutocad(Messaggi& msg) {
    if (!Applicazione() && Fabbrica()) Applicazione() = Fabbrica()();
    if (!Applicazione()) {
        msg.Mostra(TestoCadAssente, Icona::Critica);
        return false;
    }
    return true;
}

ApplicazioneCad* AutocadAperto() {
    return Applicazione().get();
}
void ChiudiAutocad() {
    Applicazione().reset();
}

} // namespace zelvo
