// Start-up, command line, File items and the units window `frmUnits` on the
// form model.
#include "form/impostazioni.h"
#include "form/modello_form.h"

#include "core/guasto.h"
#include "form/operazione_file.h"
#include "form/relazione_pdf.h"
#include "io/generale.h"

#include <filesystem>
#include <memory>
#include <optional>

namespace zelvo {

namespace {

const char* const Programma = "Zelvo";
const char* const EstensioneDati = "zlv";
const char* const FiltroTxt = "Tutti i Files (*.*)|*.*|Files (*.txt)|*.txt";

// What a data file gave, read aside from the window.
struct ProblemaLetto {
    DatiTrave dati;
    int16_t nSezioni = 100;
    UnitMisura unita;
    std::string versione;
    std::unique_ptr<Property> sezione;
    EsitoProgetto esito = EsitoProgetto::Completo;
};

// Reads the data file through the form's reader into a copy: the window's
// problem, units, version and section record are as they were afterwards,
// whatever the outcome. Nothing when nothing usable was read (the file could
// not be opened or its header read).
std::optional<ProblemaLetto> LeggiAParte(ModelloForm& f, const std::string& percorso) {
    if (!f.Servizi.LeggiProgetto) return std::nullopt;
    DatiTrave& d = f.Modulo.Dati;
    const DatiTrave dati = d;
    const int16_t nSezioni = f.NSezioni;
    const UnitMisura unita = f.Unita;
    const std::string versione = f.VersioneLetta;
    std::unique_ptr<Property> sezione = std::move(f.SezioneProgetto.Prop);
    const auto ripristina = [&] {
        d = dati;
        f.NSezioni = nSezioni;
        f.Unita = unita;
        f.VersioneLetta = versione;
        f.SezioneProgetto.Prop = std::move(sezione);
    };
    // Read into an empty problem, so that a file that stops short shows
    // nothing of the problem open before it; a file older than "5.0" keeps
    // the divisions and the abscissa x it does not hold.
    d = DatiTrave{};
    d.NDivisioni = dati.NDivisioni;
    d.AscissaX = dati.AscissaX;
    f.NSezioni = 100;
    std::optional<ProblemaLetto> l;
    try {
        if (f.Servizi.LeggiProgetto(f, percorso)) {
            l.emplace();
            l->dati = d;
            l->nSezioni = f.NSezioni;
            l->unita = f.Unita;
            l->versione = f.VersioneLetta;
            l->sezione = std::move(f.SezioneProgetto.Prop);
            l->esito = f.EsitoLettura;
        }
    } catch (...) {
        ripristina();
        throw;
    }
    ripristina();
    return l;
}

// The window takes a problem read: every field and grid shows it at once.
// A file read only in part is shown without a name, so that saving asks for
// one and never writes over the damaged file.
void Adotta(ModelloForm& f, ProblemaLetto& l) {
    f.InizializzaForm();
    f.Modulo.Dati = l.dati;
    f.NSezioni = l.nSezioni;
    f.Unita.SenzaUnita = l.unita.SenzaUnita;
    f.Unita.UnitaModello = l.unita.UnitaModello;
    f.VersioneLetta = l.versione;
    f.SezioneProgetto.Prop = std::move(l.sezione);
    if (l.esito == EsitoProgetto::Parziale) {
        f.NomeFile.clear();
        f.PercorsoFile.clear();
        f.Caption = ModelloForm::PrefissoTitolo;
    }
    f.ScriveDatiInForm();
    f.fuoco = {TipoControllo::BtnCalcola, 0};
}

} // namespace

const std::array<std::array<const char*, 3>, 4>& CaptionUnita() {
    return ScelteUnita;
}

// ---------------------------------------------------------------------------
// Command line and start-up.

std::vector<std::string> ModelloForm::DividiRigaComando(const std::string& riga) {
    std::vector<std::string> a;
    std::string corrente;
    for (char ch : riga) {
        if (ch == ' ' || ch == '\t' || ch == '"') {
            if (!corrente.empty()) {
                if (a.size() < 10) a.push_back(corrente);
                corrente.clear();
            }
        } else {
            corrente += ch;
        }
    }
    if (!corrente.empty() && a.size() < 10) a.push_back(corrente);
    return a;
}

bool ModelloForm::ApriDaRigaComando(const std::string& rigaComando) {
    const std::vector<std::string> arg = DividiRigaComando(rigaComando);
    if (arg.empty()) return false;
    std::string percorso;
    for (size_t i = 0; i < arg.size(); ++i)
        percorso += (i ? " " : "") + arg[i];
    // Opened as File "Apri" opens a chosen file.
    return ApriFileDati(percorso);
}

void ModelloForm::Avvio(const std::vector<std::string>& argomenti, bool silenzioso) {
    Evento([&] {
        AvvioGenerale(Unita.separatori, Msg, silenzioso);
        std::error_code ec;
        const std::filesystem::path corrente = std::filesystem::current_path(ec);
        CartellaDati = ec ? std::string() : corrente.string();
        if (Servizi.Impostazioni)
            if (const auto c = Servizi.Impostazioni->UltimaCartella()) CartellaDati = *c;
        AvvioFinestra(argomenti);
        Memorizza();
    });
}

void ModelloForm::AvvioFinestra(const std::vector<std::string>& argomenti) {
    Caption = PrefissoTitolo;
    InizializzaForm();
    SchemaAggiorna(AppoggioAppoggio);
    fuoco = {TipoControllo::TxtTitolo, 0};
    std::string riga;
    for (size_t i = 0; i < argomenti.size(); ++i) {
        // Quote each argument so that a path with blanks stays one argument
        // once split again.
        riga += (i ? " " : "") + std::string("\"") + argomenti[i] + "\"";
    }
    if (!DividiRigaComando(riga).empty()) {
        // Read: the window shows it; nothing read: the empty problem stays,
        // as after "Nuovo".
        ApriDaRigaComando(riga);
        return;
    }
    Unita.UnitaDefault();
    // A new problem starts from the units chosen last, when remembered.
    if (Servizi.Impostazioni) Servizi.Impostazioni->ApplicaUnitaNuovoProblema(Unita);
    frmUnits_Apri();
    if (Servizi.MostraUnita)
        Servizi.MostraUnita(true); // the window's OK or Cancel closes it
    else
        frmUnits_OK();
    InizializzaForm();
    Modulo.Dati.DistanzeParziali = true;
    chkDistanzeParzialiSetta();
    SchemaAggiorna(Modulo.Dati.Vincoli);
}

// ---------------------------------------------------------------------------
// File items.

FileCorrente ModelloForm::File() {
    return {NomeFile, PercorsoFile, Caption, CartellaDati};
}

void ModelloForm::FileNuovo() {
    InizializzaForm();
    // The first scheme chosen, its picture as the "Distanze parziali" box says.
    SchemaAggiorna(AppoggioAppoggio);
    OperazioneFile(ComandoFile::Nuovo, Programma, File(), EstensioneDati, Servizi.SceltaFile,
                   PrefissoTitolo, nullptr, nullptr);
    fuoco = {TipoControllo::TxtTitolo, 0};
    Memorizza();
}

bool ModelloForm::ApriFileDati(const std::string& percorso) {
    // The file is read aside; the window takes it only when something was
    // read, and a damaged file becomes a problem without a name.
    std::optional<ProblemaLetto> letto;
    const auto leggi = [this, &letto](const std::filesystem::path& p) {
        letto = LeggiAParte(*this, p.string());
        return letto.has_value();
    };
    if (!OperazioneFile(ComandoFile::Apri, Programma, File(), EstensioneDati, Servizi.SceltaFile,
                        PrefissoTitolo, leggi, nullptr, percorso))
        return false;
    Adotta(*this, *letto);
    Memorizza();
    if (Servizi.Impostazioni && !PercorsoFile.empty())
        Servizi.Impostazioni->AggiungiRecente(PercorsoFile);
    return true;
}

bool ModelloForm::ScriviFile(ComandoFile comando, const std::string& percorso) {
    // Unfinished work is saved as it stands: empty cells and counts as 0,
    // the data warnings after the file is written. A text that is not a
    // number is refused (DatoRifiutato) and nothing is written.
    salvataggioTentato_ = false;
    avvisiRinviati_.clear();
    struct Rinvio {
        ModelloForm& m;
        explicit Rinvio(ModelloForm& mm) : m(mm) { m.perSalvare_ = true; }
        ~Rinvio() { m.perSalvare_ = false; }
    };
    {
        Rinvio rinvio(*this);
        LeggeDati();
    }
    const auto avvisi = std::move(avvisiRinviati_);
    avvisiRinviati_.clear();
    const auto scrivi = [this](const std::filesystem::path& p) {
        salvataggioTentato_ = true;
        return Servizi.ScriviProgetto && Servizi.ScriviProgetto(*this, p.string());
    };
    const bool scritto =
        OperazioneFile(comando, Programma, File(), EstensioneDati, Servizi.SceltaFile,
                       PrefissoTitolo, nullptr, scrivi, percorso);
    if (scritto) Memorizza();
    if (scritto && Servizi.Impostazioni && !PercorsoFile.empty())
        Servizi.Impostazioni->AggiungiRecente(PercorsoFile);
    for (const auto& [testo, icona] : avvisi)
        Avvisa(testo, icona);
    return scritto;
}

bool ModelloForm::FileSalva() {
    return ScriviFile(ComandoFile::Salva, "");
}

bool ModelloForm::ApriEsempi() {
    // The dialog starts in the examples folder; the folder last used for
    // data files stays as it was.
    const std::string cartella = CartellaDati;
    CartellaDati = CartellaEsempi;
    bool aperto = false;
    try {
        aperto = ApriFileDati();
    } catch (...) {
        CartellaDati = cartella;
        throw;
    }
    CartellaDati = cartella;
    return aperto;
}

// ---------------------------------------------------------------------------
// Unsaved work.

std::string ModelloForm::Istantanea() const {
    // Everything the user can change and a data file keeps, as text.
    std::string s;
    auto campo = [&](const std::string& t) {
        s += t;
        s += '\x1f';
    };
    campo(txtTitolo.testo);
    for (const auto& c : txtDati)
        campo(c.testo);
    for (const auto& c : txtRigheGriglia)
        campo(c.testo);
    for (const auto& g : FlexGrid) {
        campo(std::to_string(g.Righe()) + "x" + std::to_string(g.Colonne()));
        for (const auto& r : g.Testi(1, 1))
            for (const auto& t : r)
                campo(t);
    }
    for (const auto& c : txtWinkler)
        campo(c.testo);
    campo(Travata.txtCampate.testo);
    for (const auto& g : Travata.Griglia)
        for (const auto& r : g.Testi(1, 1))
            for (const auto& t : r)
                campo(t);
    campo(txtX[0].testo);
    campo(std::to_string(Optschema) + std::to_string(OptFond) + (chkDistanzeParziali ? "1" : "0") +
          (chkReagTraz ? "1" : "0") + (Unita.SenzaUnita ? "1" : "0"));
    for (const auto& u : Unita.UnitaModello)
        campo(u);
    // the load cases, the factors, the limits and the self-weight (the
    // combinations dialog writes them straight into the problem)
    const DatiTrave& d = Modulo.Dati;
    for (const CasoCarico& c : d.Casi)
        campo(c.Nome + '\x1e' + std::to_string(static_cast<int>(c.Tipo)) + '\x1e' +
              std::to_string(static_cast<int>(c.Categoria)) + '\x1e' + TestoCifre(c.psi0, 17) +
              '\x1e' + TestoCifre(c.psi1, 17) + '\x1e' + TestoCifre(c.psi2, 17));
    const CoefficientiParziali& g = d.Coefficienti;
    for (double v : {g.gG1[0], g.gG1[1], g.gG2[0], g.gG2[1], g.gQ[0], g.gQ[1], d.Limiti.Totale,
                     d.Limiti.Variabili, d.PesoProprio ? d.PesoProprioQ : -1.0})
        campo(TestoCifre(v, 17));
    // the section record as the data file would hold it
    if (SezioneProgetto.Prop) {
        RegistroMessaggi muto;
        try {
            FlussoValori f = FlussoValori::PerScrivere(muto);
            SezioneProgetto.Prop->LeggeScrive(Verso::Scrivi, f, Unita);
            campo(f.Contenuto());
        } catch (const std::exception&) {
            campo("?");
        }
    }
    return s;
}

std::string ModelloForm::IstantaneaVerifica() const {
    const DatiVerifica& v = Modulo.Dati.Verifica;
    if (!v.Attiva) return "";
    std::string s = '\x1d' + v.Profilo + '\x1e' + v.Acciaio + '\x1e' + TestoCifre(v.gM0, 17) +
                    '\x1e' + TestoCifre(v.gM1, 17) + '\x1e' +
                    std::to_string(static_cast<int>(v.Ritegno)) + '\x1e' +
                    std::to_string(static_cast<int>(v.Quota));
    for (double x : v.xRitegni)
        s += '\x1e' + TestoCifre(x, 17);
    return s;
}

bool ModelloForm::DatiModificati() const {
    return Istantanea() + IstantaneaVerifica() != istantanea_;
}

bool ModelloForm::DatiCambiatiDopoCalcolo() const {
    return Calcolato && Istantanea() != istantaneaCalcolo_;
}

bool ModelloForm::ConfermaAbbandono() {
    if (!DatiModificati()) return true;
    switch (Msg.ChiediAnnulla("I dati sono stati modificati. Salvare le modifiche?", Icona::Domanda,
                              "Trave Zelvo")) {
    case Risposta::Si: {
        // The data never block "Nuovo", "Apri", the examples or "Esci": a
        // save that fails (its message shown) goes on without saving; only
        // a save dialog the user cancels keeps the window as it is.
        salvataggioTentato_ = false;
        bool rifiutato = false;
        bool salvato = false;
        try {
            salvato = FileSalva();
        } catch (const DatoRifiutato& r) {
            Rifiuta(r);
            rifiutato = true;
        }
        return salvato || rifiutato || salvataggioTentato_;
    }
    case Risposta::No:
        return true;
    case Risposta::Annulla:
        break;
    }
    return false;
}

bool ModelloForm::FileSalvaCome(const std::string& percorso) {
    return ScriviFile(ComandoFile::SalvaCome, percorso);
}

bool ModelloForm::FileStampaTxt(const std::string& percorsoDato) {
    // The report is written only from results that are valid.
    if (Calcolo() != EsitoCalcolo::Completato) return false;
    std::string percorso = percorsoDato;
    if (percorso.empty()) {
        if (!Servizi.SceltaFile) return false;
        const auto scelto = ChiediFile(
            Servizi.SceltaFile, RichiestaFile(true, FiltroTxt, NomeFile, "txt", CartellaDati));
        if (!scelto) return false;
        percorso = *scelto;
    }
    if (!Servizi.StampaRelazione) return false;
    return Servizi.StampaRelazione(*this, percorso, Msg);
}

bool ModelloForm::FileRelazionePdf(const std::string& percorsoDato) {
    // The document is made only from results that are valid.
    if (Calcolo() != EsitoCalcolo::Completato) return false;
    std::string percorso = percorsoDato;
    if (percorso.empty()) {
        if (!Servizi.SceltaFile) return false;
        const auto scelto =
            ChiediFile(Servizi.SceltaFile, RichiestaFile(true, FiltroPdf, NomeFile, "pdf"));
        if (!scelto) return false;
        percorso = *scelto;
    }
    return RelazionePdfFile(*this, percorso, Msg);
}

// ---------------------------------------------------------------------------
// The units window.

void ModelloForm::frmUnits_Apri() {
    FinestraUnita& f = frmUnits;
    f.aperta = true;
    f.apertaSenzaUnita = Unita.SenzaUnita;
    f.noUnits = Unita.SenzaUnita;
    f.opzioniAbilitate = !Unita.SenzaUnita;
    if (!Unita.SenzaUnita) {
        const int slot[4] = {0, 1, 3, 4};
        for (int g = 0; g < 4; ++g) {
            const std::string& et = Unita.UnitaModello[static_cast<size_t>(slot[g])];
            int s = 2; // a label of no option: the third
            for (int k = 0; k < 3; ++k)
                if (et == CaptionUnita()[static_cast<size_t>(g)][static_cast<size_t>(k)]) s = k;
            f.scelta[static_cast<size_t>(g)] = s;
        }
    }
}

// The check box is the window's choice: the mode changes with "OK", so that
// the main window never reads its fields in a mode other than the one its
// values and labels are shown in (a calculation while the modeless window is
// open, or "Cancel", must not reinterpret kN as N or MPa as Pa).
void ModelloForm::frmUnits_NoUnits(bool spuntato) {
    frmUnits.noUnits = spuntato;
    frmUnits.opzioniAbilitate = !spuntato;
}

void ModelloForm::frmUnits_SistemaSI() {
    frmUnits.scelta = {0, 0, 0, 0};
}

// Closes the window; units and mode stay as they are.
void ModelloForm::frmUnits_Cancel() {
    frmUnits.aperta = false;
}

void ModelloForm::frmUnits_OK() {
    FinestraUnita& f = frmUnits;
    UnitMisura nuove = Unita;
    if (f.noUnits) {
        nuove.SenzaUnita = true;
    } else {
        nuove.SenzaUnita = false;
        const int slot[4] = {0, 1, 3, 4};
        for (int g = 0; g < 4; ++g)
            nuove.UnitaModello[static_cast<size_t>(slot[g])] =
                CaptionUnita()[static_cast<size_t>(g)]
                              [static_cast<size_t>(f.scelta[static_cast<size_t>(g)])];
    }
    f.aperta = false;
    if (Servizi.Impostazioni) Servizi.Impostazioni->RicordaUnita(nuove);
    // The units the fields are shown in now (a file opened while the modeless
    // window was open has brought its own).
    const UnitMisura prima = Unita;
    if (prima.SenzaUnita) {
        // From no units: the numbers stay as typed, the labels change.
        Unita = nuove;
        VisualizzaUnits();
        return;
    }
    // The values the fields stand for, read in the units they were written
    // in, then written again in the new units (the exact values stay).
    DatiTrave& d = Modulo.Dati;
    const DatiTrave copia = d;
    bool letti = false;
    using T = TipoControllo;
    // Warnings are silenced while the fields are read and written again, and
    // never left silenced by a fault on the way.
    struct Silenzio {
        bool& s;
        const bool prima;
        explicit Silenzio(bool& ss) : s(ss), prima(ss) { s = true; }
        ~Silenzio() { s = prima; }
        Silenzio(const Silenzio&) = delete;
        Silenzio& operator=(const Silenzio&) = delete;
    };
    try {
        const Silenzio silenzio(silenzioso_);
        d.E = LeggeSingolo(txtDati[1], Grandezza::Tensione, {T::TxtDati, 1});
        d.J = LeggeSingolo(txtDati[2], Grandezza::Inerzia, {T::TxtDati, 2});
        d.Luce = LeggeSingolo(txtDati[0], Grandezza::Lunghezza, {T::TxtDati, 0});
        d.AscissaX = LeggeSingolo(txtX[0], Grandezza::Lunghezza, {T::TxtX, 0});
        if (fraWinkler) {
            d.K = LeggeCampo(txtWinkler[0], Grandezza::K, {T::TxtWinkler, 0});
            d.b = LeggeCampo(txtWinkler[1], Grandezza::Lunghezza, {T::TxtWinkler, 1});
        }
        if (d.Vincoli == Continua) Travata.Legge(d, true);
        letti = LeggeCarichi();
    } catch (const Guasto&) {
        letti = false;
    } catch (const DatoRifiutato&) {
        // A text that is not a number: the units stay as they are and the
        // refusal names the field.
        d = copia;
        Unita = prima;
        throw;
    }
    if (!letti) {
        // The fields cannot be converted: nothing changes.
        d = copia;
        Unita = prima;
        Msg.Mostra("Errore in LeggeGriglia");
        return;
    }
    // The same data in other units: results that were the problem's stay so.
    const bool inVigore = Calcolato && !DatiCambiatiDopoCalcolo();
    Unita = nuove;
    VisualizzaUnits();
    {
        const Silenzio silenzio(silenzioso_);
        ScriveCampo(txtDati[1], Grandezza::Tensione, d.E, true);
        ScriveCampo(txtDati[2], Grandezza::Inerzia, d.J, true);
        ScriveCampo(txtDati[0], Grandezza::Lunghezza, d.Luce, true);
        ScriveCampo(txtX[0], Grandezza::Lunghezza, d.AscissaX, true);
        if (fraWinkler) {
            ScriveCampo(txtWinkler[0], Grandezza::K, d.K, false);
            ScriveCampo(txtWinkler[1], Grandezza::Lunghezza, d.b, false);
        }
        ScriveCarichi();
        if (d.Vincoli == Continua) Travata.Scrive();
    }
    if (Calcolato) RisultatiScrive();
    if (inVigore) istantaneaCalcolo_ = Istantanea();
}

} // namespace zelvo
