#include "form/evento_form.h"

#include <utility>

namespace zelvo {

GuardiaEventi::GuardiaEventi(Messaggi& msg, std::string prefisso, std::string predefinito,
                             Icona icona)
    : msg_(msg), prefisso_(std::move(prefisso)), predefinito_(std::move(predefinito)),
      icona_(icona) {}

void GuardiaEventi::Notifica() {
    ++revisione_;
    if (Cambiato) Cambiato();
}

std::string GuardiaEventi::TestoGuasto(const char* messaggioGuasto) const {
    return messaggioGuasto ? prefisso_ + messaggioGuasto : predefinito_;
}

void GuardiaEventi::MostraGuasto(const char* messaggioGuasto) {
    if (Rifiuto && Rifiuto()) return;
    msg_.Mostra(TestoGuasto(messaggioGuasto), icona_);
}

} // namespace zelvo
