#include "core/causa_errore.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace zelvo {

namespace {

bool Positivo(double v) {
    return std::isfinite(v) && v > 0;
}

} // namespace

std::string CausaErroreDati(const DatiTrave& d) {
    if (d.Vincoli < AppoggioAppoggio || d.Vincoli > Continua)
        return "Schema di vincolo inesistente.";
    if (d.Vincoli == Continua) {
        // Spans, supports and loads were checked with their own messages;
        // what is left is the number of points and the size of the numbers.
        // Each span: its sections, its ends, each load position twice.
        const long long carichi = 2LL * std::max<int>(d.NTrapezi, 0) +
                                  std::max<int>(d.NConcentrati, 0) + std::max<int>(d.NCoppie, 0);
        const long long punti =
            static_cast<long long>(d.Campate.size()) * (std::max<int>(d.NSezioni, 0) + 2) +
            2 * carichi + 2;
        if (punti > std::numeric_limits<int16_t>::max())
            return "Troppi punti di calcolo (più di 32.767): ridurre N° sezioni di calcolo, il "
                   "numero di campate o il numero di carichi.";
        if (!std::isfinite(LuceContinua(d)) || LuceContinua(d) > std::numeric_limits<float>::max())
            return "La lunghezza della trave è fuori dai limiti dei numeri.";
        return "Il calcolo non dà un risultato finito con questi dati: controllare gli ordini di "
               "grandezza, le unità di misura e la posizione dei carichi.";
    }
    if (!Positivo(d.Luce)) return "Luce deve essere maggiore di zero.";
    if (!Positivo(d.E)) return "E deve essere maggiore di zero.";
    if (!Positivo(d.J)) return "J deve essere maggiore di zero.";
    if (d.NSezioni <= 0) return "N° sezioni di calcolo deve essere maggiore di zero.";
    // The step between sections (and its thousandth) must stay a number above zero.
    if (!(d.Luce / static_cast<float>(d.NSezioni) / 1000.0f > 0))
        return "Luce è troppo piccola per N° sezioni di calcolo.";
    const bool winkler = d.Vincoli == Fondazione && d.Winkler;
    if (d.Vincoli == Fondazione) {
        if (winkler && !Positivo(d.K)) return "K deve essere maggiore di zero.";
        if (!Positivo(d.b)) return "b deve essere maggiore di zero.";
        if (winkler && d.NDivisioni < 1) return "N° div. deve essere almeno 1.";
    }
    for (int i = 1; i <= d.NTrapezi && i <= d.CarichiTrapezi.Conta(); ++i)
        if (!(d.CarichiTrapezi(i).d2 > d.CarichiTrapezi(i).d1))
            return "Carichi dist. TRAPEZI, riga " + std::to_string(i) + ": deve essere d2 > d1.";
    const auto finito = [](float a, float b) { return std::isfinite(a) && std::isfinite(b); };
    for (int i = 1; i <= d.NConcentrati && i <= d.CarichiConcentrati.Conta(); ++i)
        if (!finito(d.CarichiConcentrati(i).F, d.CarichiConcentrati(i).d))
            return "Carichi CONCENTRATI, riga " + std::to_string(i) + ": valore non valido.";
    for (int i = 1; i <= d.NCoppie && i <= d.Coppie.Conta(); ++i)
        if (!finito(d.Coppie(i).W, d.Coppie(i).d))
            return "Coppie CONCENTRATE, riga " + std::to_string(i) + ": valore non valido.";
    // Calculation points: each load position with a point on either side,
    // the sections, the ends; springs of the elastic soil count as forces.
    const long long posizioni = 2LL * std::max<int>(d.NTrapezi, 0) +
                                std::max<int>(d.NConcentrati, 0) + std::max<int>(d.NCoppie, 0) +
                                (winkler ? d.NDivisioni + 1LL : 0LL);
    if (3 * posizioni + d.NSezioni + 8 > std::numeric_limits<int16_t>::max())
        return std::string(
                   "Troppi punti di calcolo (più di 32.767): ridurre N° sezioni di calcolo") +
               (winkler ? ", N° div." : "") + " o il numero di carichi.";
    if (!std::isfinite(static_cast<double>(d.E) * d.J) ||
        static_cast<double>(d.E) * d.J > std::numeric_limits<float>::max())
        return "Il prodotto E·J è fuori dai limiti dei numeri: controllare le unità di E e J.";
    return "Il calcolo non dà un risultato finito con questi dati: controllare gli ordini di "
           "grandezza, le unità di misura e la posizione dei carichi.";
}

} // namespace zelvo
