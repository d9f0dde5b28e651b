// The profile chooser without a toolkit: families, the catalogue table with
// its filter, the steel grade, paired profiles and their gap, and the picture
// of the chosen profile. Choosing a profile raises `ComunicaProfilo` of its
// `SceltaProfili` (the items the section window reads), closing it
// `ProfiliQuit`, as the outside profile program would.
#pragma once

#include "core/messaggi.h"
#include "form/evento_form.h"
#include "io/numeri.h"
#include "section/esporta_sezione.h"
#include "section/sezione_profili.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace zelvo {

class ModelloSceltaProfili {
  public:
    // Faults of its events are shown through `msg` ("Errore nella Sub " and
    // the event's name), as its owner's are.
    ModelloSceltaProfili(const CatalogoProfili& cat, Messaggi& msg);

    // The windows' event contract (form/evento_form.h): every user's change
    // below is an event; the observer hears of each once.
    std::function<void()> Cambiato;
    uint64_t Revisione() const { return eventi_.Revisione(); }

    // Families in the order of the list.
    static const std::vector<std::string>& Famiglie(); // "IPE", "HEA", "HEB", "UPN", "L"
    // Column headers of the table (dimensions mm, area cm², inertias cm⁴,
    // moduli cm³).
    static const std::vector<std::string>& Intestazioni();

    int Famiglia = 0;         // index in Famiglie()
    std::string Filtro;       // case-insensitive part of the name ("" all)
    int Grado = 0;            // index in GradiAcciaio()
    bool Doppi = false;       // two profiles side by side
    std::string dDoppi = "0"; // gap between them, mm
    bool DoppiCorto = false;  // a channel pair back to back
    Separatori separatori;    // of the table and of the gap typed by the user
    int Selezionata = -1;     // index in Righe() (-1 none)

    // Rows of the table: the family's profiles whose name holds the filter.
    std::vector<const RigaCatalogo*> Righe() const;
    // Texts of a table row, one per header.
    std::vector<std::string> TestiRiga(const RigaCatalogo& r) const;
    void ImpostaFamiglia(int f);
    void ImpostaFiltro(const std::string& f);
    void SelezionaRiga(int i);
    void ImpostaGrado(int g);
    void ImpostaDoppi(bool doppi);
    void ImpostaDoppiCorto(bool corto);
    void ImpostaDistanzaDoppi(const std::string& mm);
    const RigaCatalogo* RigaScelta() const;

    // The two hand-offs below raise the link's events, which run under the
    // section window's own contract.
    // "OK" / double click: copies the settings into the link and raises
    // ComunicaProfilo. False (with the reason in `errore`) when nothing is
    // selected or the gap is not a number ≥ 0.
    bool Scegli(std::string* errore = nullptr);
    // The chooser closes: raises ProfiliQuit.
    void Chiudi();

    // The link the section window listens to.
    SceltaProfili Collegamento;

    // Picture of the selected profile (with its pair), or empty.
    DisegnoSezione Anteprima();

  private:
    GuardiaEventi eventi_;
    const CatalogoProfili& cat_;
    SezioneProfili anteprima_;
};

} // namespace zelvo
