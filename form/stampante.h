// The system printer as the form sees it. The windows give the form a Qt
// printer (print dialog with copies, fixed-pitch font); the tests a recorder.
#pragma once

#include "core/messaggi.h"

#include <string>
#include <vector>

namespace zelvo {

class Stampante {
  public:
    virtual ~Stampante() = default;
    // Prints the text report (UTF-8, lines ended by CR LF) in a fixed-pitch
    // font so that its columns stay aligned; the print dialog is asked first.
    // False when the user cancelled or the job failed (the failure shown
    // through msg).
    virtual bool StampaRelazione(const std::string& testo, Messaggi& msg) = 0;
};

// Records every report it is asked to print.
class RegistroStampante : public Stampante {
  public:
    bool StampaRelazione(const std::string& testo, Messaggi&) override {
        stampati.push_back(testo);
        return esito;
    }
    std::vector<std::string> stampati;
    bool esito = true; // what every print returns (false: cancelled)
};

} // namespace zelvo
