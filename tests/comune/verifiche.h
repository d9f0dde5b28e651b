// The steel checks' tests share: the profile catalogue loaded once, a beam
// given an IPE 300 check, and its calculation (which must complete).
#pragma once

#include "core/modulo_zelvo.h"
#include "section/sezione_profili.h"

#include <gtest/gtest.h>

#include <string>

namespace zelvo::prova {

inline const CatalogoProfili& Catalogo() {
    static CatalogoProfili c = [] {
        CatalogoProfili k;
        std::string e;
        if (!k.Carica(&e)) ADD_FAILURE() << e;
        return k;
    }();
    return c;
}

// An IPE 300 (class 1 in S235: web c/tw = 35.0 ≤ 72, flange c/tf = 5.28 ≤ 9).
inline void Profilo(ModuloZelvo& m,
                    DatiVerifica::TipoRitegno r = DatiVerifica::TipoRitegno::Continui,
                    DatiVerifica::TipoQuota q = DatiVerifica::TipoQuota::Baricentro) {
    m.Dati.Verifica.Attiva = true;
    m.Dati.Verifica.Profilo = "IPE 300";
    m.Dati.Verifica.Ritegno = r;
    m.Dati.Verifica.Quota = q;
}

inline void Calcola(ModuloZelvo& m) {
    RegistroMessaggi msg;
    ASSERT_EQ(m.Calcola(msg), EsitoCalcolo::Completato);
}

} // namespace zelvo::prova
