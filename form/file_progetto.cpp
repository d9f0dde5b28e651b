#include "form/file_progetto.h"

#include <algorithm>
#include <cmath>

namespace zelvo {

namespace {

// The layouts: units from 4.0, section record and foundation from 5.0.
constexpr Versione ConUnita{4, 0};
constexpr Versione ConSezione{5, 0};

// The continuous beam from 6.0: only a version that reads as a number holds
// it (a text that is not a version keeps the layout it always had).
bool ConContinua(const std::string& versione) {
    const auto v = Versione::Leggi(versione);
    return v && *v >= Versione{6, 0};
}

// The load cases from 7.0, on the same terms.
bool ConCasi(const std::string& versione) {
    const auto v = Versione::Leggi(versione);
    return v && *v >= Versione{7, 0};
}

// The support kinds by their code on the file.
constexpr TipoAppoggio TipiAppoggio[] = {TipoAppoggio::Incastro, TipoAppoggio::Appoggio,
                                         TipoAppoggio::Molla, TipoAppoggio::Libero};
int16_t CodiceAppoggio(TipoAppoggio t) {
    for (int16_t i = 0; i < 4; ++i)
        if (TipiAppoggio[i] == t) return i;
    return 1;
}

// A value the file must not hold (a negative count, an unknown scheme): the
// reading ends as for a short file.
[[noreturn]] void ValoreNonAmmesso(FlussoValori& f) {
    f.Chiudi();
    f.Msg().Mostra(TestoLetturaIncompleta);
    throw ErroreFile(1000, "valore non ammesso");
}

template <class T> void Tabella(Verso modo, FlussoValori& f, int16_t& n, Vettore1<T>& righe) {
    if (modo != Verso::Leggi) {
        FileInOut(modo, f, n);
        return;
    }
    int16_t letto = 0;
    FileInOut(modo, f, letto);
    if (letto < 0) ValoreNonAmmesso(f);
    n = letto;
    righe.Ridimensiona(n);
}

// Files older than "5.0" know only the rigid foundation, of unit width;
// K, NDivisioni and AscissaX keep their values.
void FondazioneVecchiFile(DatiTrave& d) {
    d.Winkler = false;
    d.b = 1;
}

} // namespace

std::string VersioneScritta(const DatiTrave& d) {
    if (ConCasiCarico(d)) return VersioneFileCasi;
    return d.Vincoli == Continua ? VersioneFileContinua : VersioneFileCorrente;
}

namespace {

// Lines 22-26: the load cases, the partial factors, the deflection limits
// and the self-weight; reading checks them and the loads' cases.
void CasiLeggeScrive(FlussoValori& f, Verso modo, DatiTrave& d) {
    const bool leggi = modo == Verso::Leggi;
    auto casi = static_cast<int16_t>(std::min<size_t>(d.Casi.size(), 32767));
    FileInOut(modo, f, casi);
    if (leggi) {
        if (casi < 0) ValoreNonAmmesso(f);
        d.Casi.assign(static_cast<size_t>(casi), {});
    }
    const auto psiAmmesso = [](double v) { return std::isfinite(v) && v >= 0 && v <= 1; };
    for (size_t i = 0; i < static_cast<size_t>(casi); ++i) {
        CasoCarico& c = d.Casi[i];
        auto tipo = static_cast<int16_t>(c.Tipo);
        auto categoria = static_cast<int16_t>(c.Categoria);
        FileInOut(modo, f, c.Nome, tipo, categoria, c.psi0, c.psi1, c.psi2);
        if (leggi) {
            if (tipo < 0 || tipo > static_cast<int16_t>(TipoCaso::Q) || categoria < 0 ||
                categoria > static_cast<int16_t>(CategoriaQ::Personalizzata) ||
                !psiAmmesso(c.psi0) || !psiAmmesso(c.psi1) || !psiAmmesso(c.psi2))
                ValoreNonAmmesso(f);
            c.Tipo = static_cast<TipoCaso>(tipo);
            c.Categoria = static_cast<CategoriaQ>(categoria);
        }
    }
    auto& g = d.Coefficienti;
    FileInOut(modo, f, g.gG1[0], g.gG1[1], g.gG2[0], g.gG2[1], g.gQ[0], g.gQ[1]);
    if (leggi)
        for (const double* v : {g.gG1, g.gG2, g.gQ})
            for (int k = 0; k < 2; ++k)
                if (!std::isfinite(v[k]) || v[k] < 0) ValoreNonAmmesso(f);
    FileInOut(modo, f, d.Limiti.Totale, d.Limiti.Variabili);
    if (leggi)
        for (double v : {d.Limiti.Totale, d.Limiti.Variabili})
            if (!std::isfinite(v) || v <= 0) ValoreNonAmmesso(f);
    FileInOut(modo, f, d.PesoProprio, d.PesoProprioQ);
    if (!leggi) return;
    if (!std::isfinite(d.PesoProprioQ)) ValoreNonAmmesso(f);
    // Every load row in one of the cases (case 0 when there are none).
    const int ultimo = std::max<int>(casi, 1) - 1;
    const auto ammesso = [&](int16_t caso) { return caso >= 0 && caso <= ultimo; };
    for (int i = 1; i <= d.NTrapezi; ++i)
        if (!ammesso(d.CarichiTrapezi(i).Caso)) ValoreNonAmmesso(f);
    for (int i = 1; i <= d.NConcentrati; ++i)
        if (!ammesso(d.CarichiConcentrati(i).Caso)) ValoreNonAmmesso(f);
    for (int i = 1; i <= d.NCoppie; ++i)
        if (!ammesso(d.Coppie(i).Caso)) ValoreNonAmmesso(f);
}

} // namespace

std::string TestoVersioneRecente(const std::string& versione) {
    return "Il file è della versione " + versione + ", più recente di quella del programma (" +
           VersioneFileMassima.Testo() + "): aggiornare Zelvo.";
}

EsitoProgetto FileLeggeScrive(FlussoValori& f, Verso modo, ProgettoFile p) {
    DatiTrave& d = p.Dati;
    const bool leggi = modo == Verso::Leggi;
    try {
        // 1: title and version.
        if (leggi) {
            std::string titolo, versione;
            bool letta = true;
            try {
                FileInOutIntestazione(modo, f, titolo, versione, VersioneFileCorrente);
            } catch (const ErroreFile&) {
                letta = false;
            }
            if (!letta || f.UltimaRigaLetta().empty() || f.UltimaRigaLetta()[0] != '"') {
                f.Chiudi();
                f.Msg().Mostra(TestoLetturaIncompleta);
                return EsitoProgetto::IntestazioneIlleggibile;
            }
            // A layout this program does not know: nothing is read.
            if (const auto v = Versione::Leggi(versione); v && *v > VersioneFileMassima) {
                f.Chiudi();
                f.Msg().Mostra(TestoVersioneRecente(versione), Icona::Esclamazione);
                return EsitoProgetto::IntestazioneIlleggibile;
            }
            if (p.Sezione) p.Sezione->Svuota();
            d.Titolo = titolo;
            d.Campate.clear();
            d.Appoggi.clear();
            // A file without cases holds none: the problem's own settings.
            d.Casi.clear();
            d.Coefficienti = {};
            d.Limiti = {};
            d.PesoProprio = false;
            d.PesoProprioQ = 0;
            p.Versione = versione;
        } else {
            std::string versione = VersioneScritta(d);
            FileInOutIntestazione(modo, f, d.Titolo, versione, versione);
        }
        const std::string versione = leggi ? p.Versione : VersioneScritta(d);

        // 2-10: data and loads.
        FileInOut(modo, f, d.E, d.J, d.Luce);
        FileInOut(modo, f, p.NSezioni);
        if (leggi) {
            int16_t schema = 0;
            FileInOut(modo, f, schema);
            const int16_t ultimo = ConContinua(versione) ? Continua : Fondazione;
            if (schema < 0 || schema > ultimo) ValoreNonAmmesso(f);
            d.Vincoli = schema;
        } else {
            FileInOut(modo, f, d.Vincoli);
        }
        // From 7.0 each row ends with its case.
        const bool casi = ConCasi(versione);
        Tabella(modo, f, d.NTrapezi, d.CarichiTrapezi);
        for (int i = 1; i <= d.NTrapezi; ++i) {
            auto& r = d.CarichiTrapezi(i);
            if (casi)
                FileInOut(modo, f, r.q1, r.q2, r.d1, r.d2, r.Caso);
            else
                FileInOut(modo, f, r.q1, r.q2, r.d1, r.d2);
        }
        Tabella(modo, f, d.NConcentrati, d.CarichiConcentrati);
        for (int i = 1; i <= d.NConcentrati; ++i) {
            auto& r = d.CarichiConcentrati(i);
            if (casi)
                FileInOut(modo, f, r.F, r.d, r.Caso);
            else
                FileInOut(modo, f, r.F, r.d);
        }
        Tabella(modo, f, d.NCoppie, d.Coppie);
        for (int i = 1; i <= d.NCoppie; ++i) {
            auto& r = d.Coppie(i);
            if (casi)
                FileInOut(modo, f, r.W, r.d, r.Caso);
            else
                FileInOut(modo, f, r.W, r.d);
        }

        // 11-12: options. Files older than "4.0" may end before them: such a
        // file is complete, with the defaults below. A file that ends before
        // them otherwise, or holds a value that does not read, stopped short.
        if (leggi) {
            d.DistanzeParziali = false;
            d.ReagTraz = false;
            p.Unita.SenzaUnita = true;
            for (bool* opzione : {&d.DistanzeParziali, &d.ReagTraz}) {
                if (!AlmenoVersione(versione, ConUnita) && f.FineDati()) {
                    f.Chiudi();
                    FondazioneVecchiFile(d);
                    return EsitoProgetto::Completo;
                }
                try {
                    FileInOutSenzaMessaggio(modo, f, *opzione);
                } catch (const ErroreFile&) {
                    f.Msg().Mostra(TestoLetturaIncompleta);
                    return EsitoProgetto::Parziale;
                }
            }
        } else {
            FileInOutSenzaMessaggio(modo, f, d.DistanzeParziali);
            FileInOutSenzaMessaggio(modo, f, d.ReagTraz);
        }

        // 13-14: units, from version 4.0. A file older than "4.0" ends here
        // (each conditional read shows its message): it is complete. A file
        // that holds these lines and fails on them stopped short; the reading
        // ends there rather than take what follows out of place.
        auto& u = p.Unita.UnitaModello;
        const bool unita = FileInOutCond(modo, f, versione, ConUnita, p.Unita.SenzaUnita);
        if (leggi && !unita && AlmenoVersione(versione, ConUnita)) {
            f.Chiudi();
            return EsitoProgetto::Parziale;
        }
        const bool etichette =
            FileInOutCond(modo, f, versione, ConUnita, u[0], u[1], u[2], u[3], u[4]);
        if (leggi && !etichette && AlmenoVersione(versione, ConUnita)) {
            f.Chiudi();
            return EsitoProgetto::Parziale;
        }

        // 15-18: section record and foundation, from version 5.0.
        if (!leggi || AlmenoVersione(versione, ConSezione)) {
            int16_t presenza = (!leggi && p.Sezione) ? p.Sezione->Presenza() : 0;
            FileInOut(modo, f, presenza);
            if (presenza > 0) {
                if (!p.Sezione) ValoreNonAmmesso(f);
                if (leggi) p.Sezione->PresenzaLetta = presenza;
                p.Sezione->LeggeScrive(f, modo, p.Unita);
            }
            FileInOut(modo, f, d.K, d.b, d.NDivisioni, d.Winkler);
            FileInOut(modo, f, d.AscissaX);
        } else {
            FondazioneVecchiFile(d);
        }

        // 19-21: spans and supports of a continuous beam, from version 6.0.
        if (ConContinua(versione)) {
            auto campate = static_cast<int16_t>(std::min<size_t>(d.Campate.size(), 32767));
            FileInOut(modo, f, campate);
            if (leggi) {
                if (campate < 0) ValoreNonAmmesso(f);
                d.Campate.assign(static_cast<size_t>(campate), {});
                d.Appoggi.assign(static_cast<size_t>(campate) + 1, {});
            }
            for (size_t i = 0; i < static_cast<size_t>(campate); ++i)
                FileInOut(modo, f, d.Campate[i].L, d.Campate[i].J);
            for (size_t i = 0; i <= static_cast<size_t>(campate); ++i) {
                AppoggioContinuo vuoto;
                AppoggioContinuo& a = i < d.Appoggi.size() ? d.Appoggi[i] : vuoto;
                int16_t tipo = CodiceAppoggio(a.Tipo);
                FileInOut(modo, f, tipo, a.k, a.Cedimento);
                if (leggi) {
                    if (tipo < 0 || tipo > 3) ValoreNonAmmesso(f);
                    a.Tipo = TipiAppoggio[tipo];
                }
            }
            // Another scheme's placeholder line (from 7.0): no supports.
            if (leggi && ConCasi(versione) && d.Vincoli != Continua && campate == 0)
                d.Appoggi.clear();
        }

        // 22-26: load cases, from version 7.0.
        if (ConCasi(versione)) CasiLeggeScrive(f, modo, d);
    } catch (const ErroreFile&) {
        return EsitoProgetto::Parziale;
    }
    return EsitoProgetto::Completo;
}

EsitoProgetto LeggiFileProgetto(const std::filesystem::path& percorso, ProgettoFile p,
                                Messaggi& msg) {
    auto f = FlussoValori::ApriLettura(percorso, msg);
    if (!f) {
        msg.Mostra(TestoLetturaIncompleta);
        return EsitoProgetto::IntestazioneIlleggibile;
    }
    const EsitoProgetto e = FileLeggeScrive(*f, Verso::Leggi, p);
    f->Chiudi();
    return e;
}

bool ScriviFileProgetto(const std::filesystem::path& percorso, ProgettoFile p, Messaggi& msg) {
    auto f = FlussoValori::PerScrivere(msg);
    FileLeggeScrive(f, Verso::Scrivi, p);
    if (f.Fallito()) {
        SegnalaScrittura(f); // shown once: nothing if the failing write already did
        return false;
    }
    if (!f.Salva(percorso)) {
        SegnalaScrittura(f);
        return false;
    }
    if (f.Sostituiti()) msg.Mostra(TestoCaratteriSostituiti, Icona::Informazione);
    return true;
}

} // namespace zelvo
