#include "form/file_progetto.h"

namespace zelvo {

namespace {

// The layouts: units from 4.0, section record and foundation from 5.0.
constexpr Versione ConUnita{4, 0};
constexpr Versione ConSezione{5, 0};

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
            if (p.Sezione) p.Sezione->Svuota();
            d.Titolo = titolo;
            p.Versione = versione;
        } else {
            std::string versione = VersioneFileCorrente;
            FileInOutIntestazione(modo, f, d.Titolo, versione, VersioneFileCorrente);
        }
        const std::string versione = leggi ? p.Versione : std::string(VersioneFileCorrente);

        // 2-10: data and loads.
        FileInOut(modo, f, d.E, d.J, d.Luce);
        FileInOut(modo, f, p.NSezioni);
        if (leggi) {
            int16_t schema = 0;
            FileInOut(modo, f, schema);
            if (schema < 0 || schema > 4) ValoreNonAmmesso(f);
            d.Vincoli = schema;
        } else {
            FileInOut(modo, f, d.Vincoli);
        }
        Tabella(modo, f, d.NTrapezi, d.CarichiTrapezi);
        for (int i = 1; i <= d.NTrapezi; ++i) {
            auto& r = d.CarichiTrapezi(i);
            FileInOut(modo, f, r.q1, r.q2, r.d1, r.d2);
        }
        Tabella(modo, f, d.NConcentrati, d.CarichiConcentrati);
        for (int i = 1; i <= d.NConcentrati; ++i) {
            auto& r = d.CarichiConcentrati(i);
            FileInOut(modo, f, r.F, r.d);
        }
        Tabella(modo, f, d.NCoppie, d.Coppie);
        for (int i = 1; i <= d.NCoppie; ++i) {
            auto& r = d.Coppie(i);
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
