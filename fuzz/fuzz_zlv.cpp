// Fuzz target: arbitrary bytes as a .zlv data file, read with
// `FileLeggeScrive` in mode "L" into a fresh problem, written into the form
// as the window's Open does, then "Calcola" (`LeggeDati` + `Calcola` with the
// calculation's trap). Whatever the bytes, the outcome must be messages only:
// no crash, no hang, no sanitizer report, no allocation beyond what the
// file's 16-bit counts allow.
#include "core/modulo_zelvo.h"
#include "form/file_progetto.h"
#include "form/modello_form.h"
#include "io/flusso_valori.h"
#include "io/generale.h"
#include "io/unita.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace {

class MessaggiMuti : public zelvo::Messaggi {
  public:
    void Mostra(const std::string&, zelvo::Icona, const std::string&) override {}
    // RadiceFunzione's question to go on is answered no.
    bool Chiedi(const std::string&, zelvo::Icona, const std::string&) override { return false; }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace zelvo;
    static const bool pronto = [] {
        ImpostaSeparatori('.', ',');
        return true;
    }();
    (void)pronto;

    MessaggiMuti msg;
    ModuloZelvo modulo;
    UnitMisura unita;
    ModelloForm form(modulo, unita, msg);
    form.InizializzaForm();

    const std::string_view byte(reinterpret_cast<const char*>(data), size);
    FlussoValori file = FlussoValori::PerLeggere(byte, msg);
    ProgettoFile progetto{modulo.Dati, form.NSezioni, unita, form.VersioneLetta};
    try {
        FileLeggeScrive(file, "L", progetto);
    } catch (const std::exception&) {
        // The reader reports by its messages; nothing may escape it, but a
        // stray exception is not what this target hunts (a crash is).
    }
    form.ScriveDatiInForm();
    form.btnCalcola_Click();
    return 0;
}
