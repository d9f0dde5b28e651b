#include "modulo_zelvo.h"
#include "trave_winkler.h"

namespace zelvo {

ModuloZelvo::ModuloZelvo() = default;
ModuloZelvo::~ModuloZelvo() = default;

EsitoCalcolo ModuloZelvo::Calcola(Messaggi&) { return EsitoCalcolo::Completato; }

EsitoCalcolo ModuloZelvo::CalcolaConTrappola(Messaggi& msg) {
    try {
        return Calcola(msg);
    } catch (const Guasto&) {
        msg.Mostra(TestoErroreDati);
        return EsitoCalcolo::Errore;
    }
}

} // namespace zelvo
