// Fuzz target: arbitrary bytes as a .zlv data file, read with
// `FileLeggeScrive` reading into a fresh problem with its section record
// (`Property`: the typed section's value list and `DatiLeggeScrive` rows, or
// the steel profile with or without its pairing line, and the non-linear
// block); the section is rebuilt from what was read, the problem is written
// into the form as the window's Open does, then "Calcola" (`LeggeDati` +
// `Calcola` with the calculation's trap). Whatever the bytes, the outcome
// must be messages only: no crash, no hang, no sanitizer report, no
// allocation beyond what the file's 16-bit counts allow, no record taken from
// lines cut short, and a file read completely is written back and read again
// to the same bytes.
#include "core/modulo_zelvo.h"
#include "form/file_progetto.h"
#include "form/modello_form.h"
#include "io/codifica.h"
#include "io/flusso_valori.h"
#include "io/generale.h"
#include "io/unita.h"
#include "section/property.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace {

class MessaggiMuti : public zelvo::Messaggi {
  public:
    void Mostra(const std::string&, zelvo::Icona, const std::string&) override {}
    // RadiceFunzione's question to go on is answered no.
    bool Chiedi(const std::string&, zelvo::Icona, const std::string&) override { return false; }
};

// An invariant that does not hold: the check's line, then a crash for libFuzzer.
#define Verifica(condizione) Verifica_((condizione), #condizione, __LINE__)
void Verifica_(bool condizione, const char* testo, int riga) {
    if (condizione) return;
    std::fprintf(stderr, "fuzz_zlv.cpp:%d: %s\n", riga, testo);
    std::abort();
}

bool Finiti(const zelvo::Poligono& p) {
    for (double v : {p.Area, p.xG, p.yG, p.jota_xG, p.jota_yG, p.WxSuperiore, p.WxInferiore})
        if (!std::isfinite(v)) return false;
    return true;
}

// The section as the section window rebuilds it from the record.
void Ricostruisci(zelvo::Property& p, zelvo::Messaggi& msg) {
    using namespace zelvo;
    std::string perche;
    p.DatiErrati(msg);
    p.DatiNonLinearErrati(perche, msg);
    if (p.SezioneConEdit) {
        SezioneEdit& s = p.SezioneEd;
        s.LetturaSucc = false;
        if (!s.DatiLeggeScrive(Verso::Leggi)) return;
        if (!s.FormLeggeDatiContinua(msg)) return;
        Verifica(Finiti(s.Contorno));
        Verifica(std::isfinite(s.WxSup) && std::isfinite(s.WxInf));
        double h = 0, b = 0;
        s.DimSez(h, b, msg, false);
        Verifica(std::isfinite(h) && std::isfinite(b));
        // Stored again, the section reads back the same.
        const ValoriColl prima = s.CollEdit;
        s.ScritturaSucc = false;
        Verifica(s.DatiLeggeScrive(Verso::Scrivi));
        s.LetturaSucc = false;
        Verifica(s.DatiLeggeScrive(Verso::Leggi));
        Verifica(s.CollEdit.size() <= prima.size());
    } else {
        SezioneProfili& s = p.SezionePr;
        if (s.Coordinate(msg)) {
            Verifica(Finiti(s.Poligono1));
            if (s.CaratteristicheStaticheSezione(msg)) {
                Verifica(std::isfinite(s.xG) && std::isfinite(s.yG));
            }
        }
        p.CalcolaMy();
        Verifica(std::isfinite(p.My_pos) && std::isfinite(p.My_neg));
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace zelvo;
    MessaggiMuti msg;
    ModuloZelvo modulo;
    UnitMisura unita;
    ModelloForm form(modulo, unita, msg);
    form.InizializzaForm();

    const std::string_view byte(reinterpret_cast<const char*>(data), size);
    FlussoValori file = FlussoValori::PerLeggere(byte, msg);
    RecordProperty& record = form.SezioneProgetto;
    ProgettoFile progetto{modulo.Dati, form.NSezioni, unita, form.VersioneLetta, &record};
    EsitoProgetto esito = EsitoProgetto::IntestazioneIlleggibile;
    try {
        esito = FileLeggeScrive(file, Verso::Leggi, progetto);
    } catch (const std::exception&) {
        // The reader reports by its messages; nothing may escape it.
        std::abort();
    }
    Verifica(modulo.Dati.NTrapezi == modulo.Dati.CarichiTrapezi.Conta());
    Verifica(modulo.Dati.NConcentrati == modulo.Dati.CarichiConcentrati.Conta());
    Verifica(modulo.Dati.NCoppie == modulo.Dati.Coppie.Conta());

    if (esito == EsitoProgetto::Completo) {
        // Written back and read again: the same bytes (the writer's layout is
        // the current one whatever version was read).
        std::string versione;
        FlussoValori s1 = FlussoValori::PerScrivere(msg);
        Verifica(FileLeggeScrive(s1, Verso::Scrivi, progetto) == EsitoProgetto::Completo);
        Verifica(!s1.Fallito());
        DatiTrave d2;
        int16_t ns2 = 0;
        UnitMisura u2;
        RecordProperty r2;
        r2.Versione = &versione;
        FlussoValori l2 = FlussoValori::PerLeggere(s1.Contenuto(), msg);
        Verifica(FileLeggeScrive(l2, Verso::Leggi, {d2, ns2, u2, versione, &r2}) ==
                 EsitoProgetto::Completo);
        Verifica(static_cast<bool>(r2.Prop) == static_cast<bool>(record.Prop));
        FlussoValori s2 = FlussoValori::PerScrivere(msg);
        FileLeggeScrive(s2, Verso::Scrivi, {d2, ns2, u2, versione, &r2});
        // Windows-1252 bytes that happen to form valid UTF-8 are read back as
        // UTF-8 (files in either encoding are accepted): only unambiguous
        // bytes must come back the same.
        const std::string& c1 = s1.Contenuto();
        bool soloAscii = true;
        for (char c : c1)
            soloAscii = soloAscii && static_cast<unsigned char>(c) < 0x80;
        if (soloAscii || !Utf8Valido(c1)) Verifica(s2.Contenuto() == c1);
    }
    if (record.Prop) Ricostruisci(*record.Prop, msg);

    form.ScriveDatiInForm();
    form.btnCalcola_Click();
    return 0;
}
