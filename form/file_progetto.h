// The project data file (".zlv"): one routine, `FileLeggeScrive`, reads
// (Verso::Leggi) or writes (`Verso::Scrivi`) the problem through a value stream
// (io/flusso_valori.h), so that the format is defined once. Layout, one call per line:
//   1  Titolo, format version          FileInOutIntestazione ("5.4" written,
//                                      "6.0" for a continuous beam, "7.0" for a
//                                      problem with load cases)
//   2  E, J, Luce                      FileInOut
//   3  NSezioni (the main window's)    FileInOut
//   4  Vincoli                         FileInOut
//   5  NTrapezi, then one line q1,q2,d1,d2 per row (from "7.0": q1,q2,d1,d2,Caso)
//   7  NConcentrati, then one line F,d per row (from "7.0": F,d,Caso)
//   9  NCoppie, then one line W,d per row (from "7.0": W,d,Caso)
//  11  DistanzeParziali                FileInOutSenzaMessaggio
//  12  ReagTraz                        FileInOutSenzaMessaggio
//  13  SenzaUnita                      FileInOutCond, from version "4.0"
//  14  the five unit labels            FileInOutCond, from version "4.0"
//  15  section-record presence         FileInOut, from version "5.0"
//  16  the section record's own lines  when the presence is > 0
//  17  K, b, NDivisioni, Winkler       FileInOut, from version "5.0"
//  18  AscissaX                        FileInOut, from version "5.0"
//  19  number of spans N               FileInOut, from version "6.0"
//  20  N lines L,J, one per span       FileInOut, from version "6.0"
//  21  N+1 lines Tipo,k,Cedimento,     FileInOut, from version "6.0"
//      one per support (Tipo 0 Incastro, 1 Appoggio, 2 Molla, 3 Libero)
//      (a scheme other than 5: N = 0 and one support line, read back as
//      no spans and no supports)
//  22  number of load cases NC         FileInOut, from version "7.0"
//  23  NC lines Nome,Tipo,Categoria,   FileInOut, from version "7.0"
//      psi0,psi1,psi2, one per case (Tipo 0 G1, 1 G2, 2 Q; Categoria 0 A
//      to 9 K, 10 Vento, 11 NeveSotto1000, 12 NeveSopra1000, 13 Temperatura,
//      14 Personalizzata)
//  24  gG1 unfavourable, gG1 favourable, gG2 ..., gQ ...   FileInOut, from "7.0"
//  25  deflection limits Totale,Variabili                  FileInOut, from "7.0"
//  26  PesoProprio, PesoProprioQ                           FileInOut, from "7.0"
// Version "7.0" is written only for a problem with load cases (`ConCasiCarico`),
// "6.0" only for a continuous beam without them (Vincoli 5, which no older
// version may hold); every other problem is written as "5.4", so that its
// file stays as older programs read it. A file of a version newer than
// "7.0" is refused with `TestoVersioneRecente`, nothing read.
// A "7.0" file whose load row names a case beyond its cases (or a case
// other than 0 without cases), a Tipo or Categoria out of range, a ψ
// outside [0, 1], a partial factor negative or not finite, a deflection
// limit not positive or a self-weight not finite is damaged (below).
// Values are held in internal units (the record's own), loads in the user's
// sign convention.
//
// Reading older files: before line 11 DistanzeParziali = ReagTraz = false and
// SenzaUnita = true; a file older than "4.0" shows "Lettura incompleta del
// file" at each of lines 13 and 14 (and may end before lines 11-12, silently);
// a file older than "5.0" gets a rigid foundation (Winkler = false) with
// b = 1, K, NDivisioni and AscissaX kept. Such a file holds every line its
// version has: its reading is complete.
// A short or damaged file (it stops before, or holds a value that does not
// read on, a line its version has) shows "Lettura incompleta del file" once,
// ends the reading there and leaves the fields read so far with their new
// values; the outcome says so. A header that cannot be read (empty file, not
// a data file) shows "Lettura incompleta del file" and changes nothing.
#pragma once

#include "core/dati.h"
#include "core/messaggi.h"
#include "io/flusso_valori.h"
#include "io/unita.h"
#include "io/versione.h"
#include "section/property.h"

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>

namespace zelvo {

inline constexpr const char* VersioneFileCorrente = "5.4";
// The layout with the continuous beam, the newest this program reads.
inline constexpr const char* VersioneFileContinua = "6.0";
// The layout with the load cases.
inline constexpr const char* VersioneFileCasi = "7.0";
inline constexpr Versione VersioneFileMassima{7, 0};

// Whether a problem has load cases: cases typed or the self-weight on.
inline bool ConCasiCarico(const DatiTrave& d) {
    return !d.Casi.empty() || d.PesoProprio;
}

// The version a problem is written with: "7.0" with load cases, "6.0" for
// a continuous beam, "5.4" otherwise.
std::string VersioneScritta(const DatiTrave& d);

// "Il file è della versione 7.1, più recente di quella del programma (7.0):
// aggiornare Zelvo."
std::string TestoVersioneRecente(const std::string& versione);

// Seam for the section-property record stored in the data file (lines 15-16).
// Until it is plugged in, the presence is written as 0 and a file holding a
// record (presence > 0) ends its reading there, as a short file does.
class RecordSezione {
  public:
    virtual ~RecordSezione() = default;
    // Clears the record (start of a reading).
    virtual void Svuota() = 0;
    // Presence written on line 15: 0 no record follows, > 0 a record follows
    // (2: the record is followed by its typed yield stress).
    virtual int16_t Presenza() const = 0;
    // The presence read on line 15 (set before a reading's LeggeScrive).
    int16_t PresenzaLetta = 1;
    // Reads ("L": a new record, after a presence > 0) or writes (`Verso::Scrivi`) the
    // record's own lines, in the units `u` of the problem. Failures throw
    // ErroreFile (after their message).
    virtual void LeggeScrive(FlussoValori& f, Verso modo, const UnitMisura& u) = 0;
};

// The problem's section-property record on the data file. Without a record
// the presence is written as 0; a presence > 0 read creates a new record.
class RecordProperty : public RecordSezione {
  public:
    std::unique_ptr<Property> Prop; // empty: no record
    // Format version of the file being read (the profile's pairing line
    // exists from "5.4" on); the writer always writes the current layout.
    const std::string* Versione = nullptr;
    void Svuota() override { Prop.reset(); }
    int16_t Presenza() const override { return Prop ? (Prop->FyNelFile() ? 2 : 1) : 0; }
    // Reading builds the record aside and takes it only when all its lines
    // were read: a record cut short is never taken as good.
    void LeggeScrive(FlussoValori& f, Verso modo, const UnitMisura& u) override {
        const std::string versione = Versione ? *Versione : std::string(VersioneFileCorrente);
        if (modo == Verso::Leggi) {
            auto nuovo = std::make_unique<Property>();
            nuovo->LeggeScrive(modo, f, u, versione, PresenzaLetta >= 2);
            Prop = std::move(nuovo);
            return;
        }
        if (Prop) Prop->LeggeScrive(modo, f, u, versione, Prop->FyNelFile());
    }
};

enum class EsitoProgetto {
    Completo,                // every line the version holds was read (or written);
                             // a file older than "4.0" shows its two messages
    Parziale,                // the file stopped short or is damaged ("Lettura
                             // incompleta del file" shown once)
    IntestazioneIlleggibile, // nothing read: "Lettura incompleta del file" shown
};

// What the data file holds besides `DatiTrave`.
struct ProgettoFile {
    DatiTrave& Dati;
    int16_t& NSezioni;     // the main window's value (line 3)
    UnitMisura& Unita;     // SenzaUnita and the five labels
    std::string& Versione; // the version read ("0" without one)
    RecordSezione* Sezione = nullptr;
};

// Reads or writes the problem through the open stream, following the layout
// above. Messages go through the stream's `Messaggi`.
EsitoProgetto FileLeggeScrive(FlussoValori& NumeroFile, Verso Modo, ProgettoFile p);

// Opens and reads a data file. A file that cannot be opened shows
// "Lettura incompleta del file" and returns `IntestazioneIlleggibile`.
EsitoProgetto LeggiFileProgetto(const std::filesystem::path& percorso, ProgettoFile p,
                                Messaggi& msg);

// Writes a data file atomically: the old file is replaced only when the whole
// content has been written; any failure shows "Scrittura incompleta del file"
// (once), leaves the old file intact and returns false. Characters the file
// cannot carry are replaced and the information message "Alcuni caratteri
// non ammessi nel file sono stati sostituiti." follows a successful save.
bool ScriviFileProgetto(const std::filesystem::path& percorso, ProgettoFile p, Messaggi& msg);

} // namespace zelvo
