// Test problems for the diagrams: one per scheme, elastic soil, rigid foundation.
#pragma once

#include "core/modulo_zelvo.h"

#include <string>
#include <vector>

namespace zelvo::prova {

inline void Trapezio(DatiTrave& d, float q1, float q2, float d1, float d2) {
    d.CarichiTrapezi.Conserva(++d.NTrapezi);
    d.CarichiTrapezi(d.NTrapezi) = {q1, q2, d1, d2};
}
inline void Forza(DatiTrave& d, float F, float x) {
    d.CarichiConcentrati.Conserva(++d.NConcentrati);
    d.CarichiConcentrati(d.NConcentrati) = {F, x};
}
inline void Coppia(DatiTrave& d, float W, float x) {
    d.Coppie.Conserva(++d.NCoppie);
    d.Coppie(d.NCoppie) = {W, x};
}

inline DatiTrave Base(int16_t vincoli, const char* titolo) {
    DatiTrave d;
    d.Titolo = titolo;
    d.Luce = 6;
    d.E = 2.1e11f;
    d.J = 8.356e-5f;
    d.Vincoli = vincoli;
    d.NSezioni = 100;
    d.AscissaX = 2;
    return d;
}

struct Problema {
    std::string nome;
    DatiTrave dati;
};

inline std::vector<Problema> Problemi() {
    std::vector<Problema> p;
    {
        DatiTrave d = Base(AppoggioAppoggio, "Appoggiata");
        Trapezio(d, 12000, 12000, 0, 6);
        Trapezio(d, 0, 8000, 1.5, 4.5);
        Forza(d, 25000, 2);
        Forza(d, 15000, 4.5);
        Coppia(d, 8000, 1);
        p.push_back({"appoggio-appoggio", d});
    }
    {
        DatiTrave d = Base(IncastroIncastro, "Doppio incastro");
        Trapezio(d, 20000, 20000, 0, 6);
        Forza(d, 30000, 3);
        p.push_back({"incastro-incastro", d});
    }
    {
        DatiTrave d = Base(IncastroAppoggio, "Incastro e appoggio");
        Trapezio(d, 10000, 20000, 0, 6);
        Coppia(d, -15000, 4);
        p.push_back({"incastro-appoggio", d});
    }
    {
        DatiTrave d = Base(Mensola, "Mensola");
        d.Luce = 3;
        d.AscissaX = 1;
        Trapezio(d, 5000, 5000, 0, 3);
        Forza(d, 10000, 3);
        p.push_back({"mensola", d});
    }
    {
        DatiTrave d = Base(Fondazione, "Trave su suolo elastico");
        d.Luce = 10;
        d.E = 3e10f;
        d.J = 0.0108f;
        d.K = 3e7;
        d.b = 1.2;
        d.NDivisioni = 20;
        d.Winkler = true;
        d.ReagTraz = false;
        d.AscissaX = 5;
        Forza(d, 400000, 2);
        Forza(d, 600000, 8);
        Trapezio(d, 20000, 20000, 0, 10);
        p.push_back({"fondazione-winkler", d});
    }
    {
        DatiTrave d = Base(Fondazione, "Fondazione rigida");
        d.Luce = 8;
        d.E = 3e10f;
        d.J = 0.0108f;
        d.K = 3e7;
        d.b = 1.5;
        d.NDivisioni = 20;
        d.Winkler = false;
        d.AscissaX = 4;
        Forza(d, 300000, 1);
        Forza(d, 500000, 6);
        p.push_back({"fondazione-rigida", d});
    }
    return p;
}

} // namespace zelvo::prova
