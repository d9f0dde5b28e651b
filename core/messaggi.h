// Message boxes, through one small toolkit-free interface.
//
// Every message of the program goes through `Messaggi`: the Qt windows show a
// box, the command-line tool prints to standard error and records, the tests
// record and assert the exact texts and their order.
// Texts are UTF-8 inside the program.
#pragma once

#include <deque>
#include <string>
#include <vector>

namespace zelvo {

enum class Icona { Nessuna, Critica, Domanda, Esclamazione, Informazione };

enum class Risposta { Si, No, Annulla };

struct Messaggio {
    std::string testo;
    Icona icona = Icona::Nessuna;
    std::string titolo;    // empty: the application's default title
    bool domanda = false;  // a yes/no question
    bool risposta = false; // the answer given to a question
    bool annulla = false;  // a yes / no / cancel question answered with cancel
    bool operator==(const Messaggio&) const = default;
};

// Line break inside a message: carriage return + line feed.
inline constexpr const char* ACapo = "\r\n";

class Messaggi {
  public:
    virtual ~Messaggi() = default;
    // An information box with an OK button.
    virtual void Mostra(const std::string& testo, Icona icona = Icona::Nessuna,
                        const std::string& titolo = "") = 0;
    // A yes/no question; returns true for yes.
    virtual bool Chiedi(const std::string& testo, Icona icona = Icona::Domanda,
                        const std::string& titolo = "") = 0;
    // A yes / no / cancel question; by default asked as yes / no.
    virtual Risposta ChiediAnnulla(const std::string& testo, Icona icona = Icona::Domanda,
                                   const std::string& titolo = "") {
        return Chiedi(testo, icona, titolo) ? Risposta::Si : Risposta::No;
    }
};

// Records every message; answers questions from a queue (no when it is empty).
class RegistroMessaggi : public Messaggi {
  public:
    void Mostra(const std::string& testo, Icona icona = Icona::Nessuna,
                const std::string& titolo = "") override {
        elenco.push_back({testo, icona, titolo, false, false});
    }
    bool Chiedi(const std::string& testo, Icona icona = Icona::Domanda,
                const std::string& titolo = "") override {
        bool r = false;
        if (!risposte.empty()) {
            r = risposte.front();
            risposte.pop_front();
        }
        elenco.push_back({testo, icona, titolo, true, r});
        return r;
    }
    // Three-way questions take their answers from `risposteAnnulla` (cancel
    // when it is empty).
    Risposta ChiediAnnulla(const std::string& testo, Icona icona = Icona::Domanda,
                           const std::string& titolo = "") override {
        Risposta r = Risposta::Annulla;
        if (!risposteAnnulla.empty()) {
            r = risposteAnnulla.front();
            risposteAnnulla.pop_front();
        }
        elenco.push_back({testo, icona, titolo, true, r == Risposta::Si, r == Risposta::Annulla});
        return r;
    }
    // The texts only, in order.
    std::vector<std::string> Testi() const {
        std::vector<std::string> t;
        for (const auto& m : elenco)
            t.push_back(m.testo);
        return t;
    }
    void Svuota() { elenco.clear(); }

    std::vector<Messaggio> elenco;
    std::deque<bool> risposte;
    std::deque<Risposta> risposteAnnulla;
};

} // namespace zelvo
