#include "app/uscita_calc.h"

#include "app/json_zelvo.h"
#include "core/estrazione.h"
#include "form/file_progetto.h"
#include "form/modello_form.h"
#include "form/relazione.h"
#include "form/relazione_pdf.h"
#include "graphics/uscita_diagrammi.h"
#include "io/generale.h"
#include "io/unita.h"

#include <cctype>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <optional>

namespace zelvo {

namespace {

std::string ConLF(const std::string& t) {
    std::string s;
    for (size_t i = 0; i < t.size(); ++i) {
        if (t[i] == '\r') {
            if (i + 1 < t.size() && t[i + 1] == '\n') continue;
            s.push_back('\n');
            continue;
        }
        s.push_back(t[i]);
    }
    return s;
}

// Discards what it is told (the silent locale check, the summary values
// recomputed for the JSON object).
class MessaggiMuti : public Messaggi {
  public:
    void Mostra(const std::string&, Icona, const std::string&) override {}
    bool Chiedi(const std::string&, Icona, const std::string&) override { return false; }
};

} // namespace

bool FileJson(const std::string& percorso) {
    std::string e = std::filesystem::path(percorso).extension().string();
    for (char& c : e)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return e == ".json";
}

ProblemaJson ProblemaDaFileJson(const nlohmann::json& j) {
    if (!j.is_object()) throw ErroreJson("the file must hold a JSON object");
    for (auto it = j.begin(); it != j.end(); ++it)
        if (it.key() != "problem" && it.key() != "results" && it.key() != "foundation" &&
            it.key() != "messages")
            throw ErroreJson(it.key() + ": unknown key");
    if (!j.contains("problem")) throw ErroreJson("problem: missing");
    return ProblemaDaJson(j.at("problem"));
}

const std::vector<DisegnoCalc>& Disegni() {
    // The diagrams (loads, moments, shears, deflection) of the calculated
    // problem: the drawing file and the printed page through the diagram
    // output the windows use, the pictures of the diagram windows.
    static const std::vector<DisegnoCalc> d = {
        {"dxf", "write the three diagrams, stacked, to this DXF file",
         [](const ContestoDiagrammi& c, const std::string& p, Messaggi& msg) {
             UscitaDiagrammi u(msg);
             return u.Dxf(p, DiagrammiInOggetto(c));
         }},
        {"pdf", "write the printed page of the three diagrams to this PDF file",
         [](const ContestoDiagrammi& c, const std::string& p, Messaggi& msg) {
             UscitaDiagrammi u(msg);
             return StampaDiagrammiPdf(u, c, p);
         }},
        {"png", "write the diagram windows to PREFIX-M.png, PREFIX-T.png, PREFIX-C.png",
         [](const ContestoDiagrammi& c, const std::string& p, Messaggi& msg) {
             return ImmaginiDiagrammi(c, p, "png", msg);
         }},
        {"svg", "write the diagram windows to PREFIX-M.svg, PREFIX-T.svg, PREFIX-C.svg",
         [](const ContestoDiagrammi& c, const std::string& p, Messaggi& msg) {
             return ImmaginiDiagrammi(c, p, "svg", msg);
         }},
    };
    return d;
}

bool DisegniRichiesti(const OpzioniCalc& opzioni) {
    if (!opzioni.reportPdf.empty()) return true;
    for (const auto& [opzione, file] : opzioni.disegni)
        if (!file.empty()) return true;
    return false;
}

void MessaggiCalc::Mostra(const std::string& testo, Icona, const std::string&) {
    testi_.push_back(testo);
    err_ << ConLF(testo) << "\n";
    err_.flush();
}

bool MessaggiCalc::Chiedi(const std::string& testo, Icona, const std::string&) {
    testi_.push_back(testo);
    err_ << ConLF(testo) << "\n";
    err_.flush();
    return false;
}

int StatoDiUscita(EsitoCalcolo e) {
    return e == EsitoCalcolo::Completato ? EsitoCompletato : EsitoErrore;
}

int EseguiCalc(const OpzioniCalc& opzioni, std::ostream& out, std::ostream& err,
               FabbricaSuperfici* superfici) {
    // A file that cannot be opened for reading is a usage error.
    {
        std::error_code ec;
        std::ifstream prova(opzioni.file, std::ios::binary);
        if (!prova || std::filesystem::is_directory(opzioni.file, ec)) {
            err << "zelvo-calc: cannot open " << opzioni.file << "\n";
            return EsitoUso;
        }
    }

    MessaggiCalc msg(err);
    MessaggiMuti muti;
    // The run's units, shown with the separators of the environment's locale
    // (read from its data; the process's locale is left alone).
    UnitMisura unita;
    unita.separatori = SeparatoriDaAmbiente();
    // Start-up: folders and the regional check, silently.
    AvvioGenerale(unita.separatori, muti, true);

    ModuloZelvo modulo;
    ModelloForm form(modulo, unita, msg);
    form.Servizi.StampaRelazione = StampaRelazioneFile;
    form.Servizi.Superfici = superfici;
    // Reading as the window's Open (the form's own reader, section record
    // included): a short or damaged file leaves the problem partly loaded
    // and says so in its outcome; an unreadable header leaves it as it was.
    form.InizializzaForm();

    // The file stopped before its lines: nothing is calculated. A problem
    // given as JSON is written into the window's fields as an opened file is.
    bool aperto = false;
    if (FileJson(opzioni.file)) {
        std::optional<ProblemaJson> p;
        try {
            std::ifstream in(opzioni.file, std::ios::binary);
            const nlohmann::json j = nlohmann::json::parse(in);
            p = ProblemaDaFileJson(j);
        } catch (const nlohmann::json::exception& e) {
            err << "zelvo-calc: " << opzioni.file << ": not a JSON problem: " << e.what() << "\n";
            return EsitoUso;
        } catch (const ErroreJson& e) {
            err << "zelvo-calc: " << opzioni.file << ": " << e.what() << "\n";
            return EsitoUso;
        }
        modulo.Dati = p->Dati;
        form.NSezioni = p->NSezioni;
        form.NomeFile = std::filesystem::path(opzioni.file).stem().string();
        form.ScriveDatiInForm();
        form.EsitoLettura = EsitoProgetto::Completo;
        aperto = true;
    } else {
        aperto = form.ApriFileDati(opzioni.file);
    }
    const EsitoCalcolo calcolo = !aperto || form.EsitoLettura != EsitoProgetto::Completo
                                     ? EsitoCalcolo::FileIncompleto
                                     : form.btnCalcola_Click();
    int esito = StatoDiUscita(calcolo);
    const bool calcolato = calcolo == EsitoCalcolo::Completato;

    // The problem written back as the window's "Save as" writes it: from the
    // fields, read again with the regional separators.
    if (!opzioni.salva.empty() && aperto && form.EsitoLettura == EsitoProgetto::Completo &&
        !form.FileSalvaCome(opzioni.salva))
        esito = EsitoErrore;

    // Report: to the file (Windows-1252) or to standard output (UTF-8).
    if (calcolato && (!opzioni.json || !opzioni.report.empty())) {
        const std::string testo = TestoRelazione(TestiDaForm(form));
        if (!opzioni.report.empty()) {
            if (!ScriviRelazioneFile(opzioni.report, testo, msg)) esito = EsitoErrore;
        } else {
            out << ConLF(testo) << "\n";
        }
    }

    // The report with the diagrams as one PDF document.
    if (calcolato && !opzioni.reportPdf.empty() && !RelazionePdfFile(form, opzioni.reportPdf, msg))
        esito = EsitoErrore;

    if (calcolato) {
        for (const auto& d : Disegni()) {
            const auto it = opzioni.disegni.find(d.opzione);
            if (it == opzioni.disegni.end() || it->second.empty()) continue;
            const ContestoDiagrammi c{&modulo, &unita, &msg, form.NomeFile, nullptr, superfici};
            if (!d.esporta(c, it->second, msg)) esito = EsitoErrore;
        }
    }

    if (opzioni.json) {
        nlohmann::json j;
        j["problem"] = JsonProblema(modulo.Dati);
        j["results"] =
            calcolato ? JsonRisultati(modulo.Risultati,
                                      modulo.Dati.Vincoli == Continua ? &modulo.Continua : nullptr)
                      : nlohmann::json(nullptr);
        // The load cases' envelopes beside the results of the whole load.
        if (calcolato && modulo.Combinazioni.Calcolato)
            j["results"].update(JsonCombinazioni(modulo.Combinazioni));
        if (modulo.Dati.Vincoli == Fondazione)
            j["foundation"] = calcolato ? JsonFondazione(RiepilogoFondazioneCalcola(modulo, muti))
                                        : nlohmann::json(nullptr);
        j["messages"] = msg.Testi();
        out << TestoJson(j) << "\n";
    }
    out.flush();
    return esito;
}

} // namespace zelvo
