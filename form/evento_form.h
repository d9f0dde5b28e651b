// The one contract of the windows' events, kept by every form model.
//
// An event runs inside `Esegui`: refused while the model is busy (a
// calculation running its passes); no fault escapes it (a refusal the model
// knows is shown by the model itself, any other fault as the message of the
// event); and at its end one change is counted (`Revisione`) and the
// observer told once (`Cambiato`), so that a view re-reads what it shows.
// An event run from inside another counts with the outer one: the observer
// hears of the whole once, after the last of it has run.
#pragma once

#include "core/messaggi.h"

#include <cstdint>
#include <functional>
#include <string>
#include <type_traits>

namespace zelvo {

class GuardiaEventi {
  public:
    // How a fault is shown: an event that names its message shows
    // `prefisso` + that name, one that names none shows `predefinito`;
    // both with `icona`.
    GuardiaEventi(Messaggi& msg, std::string prefisso, std::string predefinito,
                  Icona icona = Icona::Nessuna);
    GuardiaEventi(const GuardiaEventi&) = delete;
    GuardiaEventi& operator=(const GuardiaEventi&) = delete;

    // A refusal the model shows itself (a text that is not a number, a datum
    // it will not use): called while the fault is being handled (it may
    // rethrow it to look at it); true when it was one and has been shown.
    std::function<bool()> Rifiuto;
    // The observer: told once at the end of every event.
    std::function<void()> Cambiato;

    uint64_t Revisione() const { return revisione_; }
    bool Occupato() const { return occupato_; }

    // The model is busy while the returned guard lives (a calculation):
    // every event is refused. Whatever ends the work, a fault included,
    // gives the flag back as it found it.
    class Occupa {
      public:
        explicit Occupa(bool& flag) : flag_(flag), prima_(flag) { flag_ = true; }
        ~Occupa() { flag_ = prima_; }
        Occupa(const Occupa&) = delete;
        Occupa& operator=(const Occupa&) = delete;

      private:
        bool& flag_;
        bool prima_;
    };
    [[nodiscard]] Occupa Lavoro() { return Occupa(occupato_); }

    // Counts one change and tells the observer.
    void Notifica();

    // Runs the event `f`: refused while busy (the value of an empty result);
    // a fault ends in its message (`messaggioGuasto`: the event's name or
    // message, see the constructor) and the empty result.
    template <class F> auto Esegui(F&& f, const char* messaggioGuasto = nullptr);

    // The text a fault of an event naming `messaggioGuasto` shows.
    std::string TestoGuasto(const char* messaggioGuasto) const;

  private:
    // Called inside the handler of a fault: the refusal or the message.
    void MostraGuasto(const char* messaggioGuasto);

    // One event, however deep: the outermost one announces the change.
    class Annida {
      public:
        explicit Annida(GuardiaEventi& g) : g_(g) { ++g_.annidati_; }
        ~Annida() {
            if (--g_.annidati_ == 0) g_.Notifica();
        }
        Annida(const Annida&) = delete;
        Annida& operator=(const Annida&) = delete;

      private:
        GuardiaEventi& g_;
    };

    Messaggi& msg_;
    std::string prefisso_, predefinito_;
    Icona icona_;
    bool occupato_ = false;
    int annidati_ = 0;
    uint64_t revisione_ = 0;
};

template <class F> auto GuardiaEventi::Esegui(F&& f, const char* messaggioGuasto) {
    using R = decltype(f());
    if (occupato_) {
        if constexpr (std::is_void_v<R>)
            return;
        else
            return R{};
    }
    const Annida annida(*this);
    try {
        return f();
    } catch (...) {
        MostraGuasto(messaggioGuasto);
    }
    if constexpr (!std::is_void_v<R>) return R{};
}

} // namespace zelvo
