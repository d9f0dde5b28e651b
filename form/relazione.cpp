#include "form/relazione.h"

namespace zelvo {

std::string NomeSchema(int16_t vincoli) {
    switch (vincoli) {
    case 0:
        return "Appoggio - Appoggio";
    case 1:
        return "Incastro - Incastro";
    case 2:
        return "Incastro - Appoggio";
    case 3:
        return "Mensola";
    case 4:
        return "Fondazione";
    default:
        return "";
    }
}

namespace {

// One line of the results: left item at column 1, right item at column 30.
void Coppia(TestoStampa& u, const std::string& sinistra, const std::string& destra) {
    u.StampaTesto(sinistra);
    u.StampaTab(30);
    u.StampaRiga(destra);
}

std::string Voce(const std::string& etichetta, const std::string& testo, const std::string& unita) {
    return etichetta + testo + " " + unita;
}

std::string Rotazione(const std::string& etichetta, const std::string& testo) {
    return etichetta + testo + " (rad)";
}

} // namespace

void StampaRelazione(const TestiRelazione& t, TestoStampa& u) {
    const UnitaRelazione& un = t.Unita;
    const bool fondazione = t.Vincoli == 4;

    u.StampaRiga("NOME FILE: " + t.NomeFile);
    u.StampaRiga("Titolo: " + t.Titolo);
    u.StampaRiga(" ");
    u.StampaRiga(" ");
    u.StampaRiga("--------------------------  DATI : --------------------------");
    u.StampaRiga(" ");

    u.StampaTesto("E " + un.Modulo);
    u.StampaTab(20);
    u.StampaTesto("J " + un.Inerzia);
    u.StampaTab(40);
    u.StampaRiga("Luce " + un.Lunghezza);
    u.StampaTesto(t.Dati[1]);
    u.StampaTab(20);
    u.StampaTesto(t.Dati[2]);
    u.StampaTab(40);
    u.StampaRiga(t.Dati[0]);
    u.StampaRiga(" ");

    std::string vincoli = "Vincoli: ";
    if (fondazione) {
        vincoli += t.FondazioneWinkler ? "Fondazione su suolo elastico"
                                       : "Fondazione infinitamente rigida";
        vincoli +=
            "; K = " + t.Winkler[0] + " daN/cm^3" + "; b = " + t.Winkler[1] + " " + un.Lunghezza;
        vincoli += t.ReagTraz ? "; suolo reagente a trazione" : "; suolo non reagente a trazione";
    } else {
        vincoli += NomeSchema(t.Vincoli);
    }
    u.StampaRiga(vincoli);

    const std::array<std::string, 3> intestazioni = {
        "Carichi distribuiti trapezi " + un.CaricoDistribuito, "Carichi concentrati " + un.Forza,
        "Coppie " + un.Momento};
    for (size_t g = 0; g < 3; ++g) {
        if (t.Righe[g] <= 0) continue;
        u.StampaRiga();
        u.StampaRiga(intestazioni[g]);
        u.StampaGriglia(t.Griglie[g]);
    }

    u.StampaRiga(" ");
    u.StampaRiga("Risultati");
    if (fondazione) {
        const auto& f = t.Fond;
        Coppia(u, Voce("Sigma_tA = ", f[0], un.Modulo), Voce("Sigma_tB = ", f[4], un.Modulo));
        Coppia(u, Voce("max M = ", f[1], un.Momento), Voce("x max M = ", f[5], un.Lunghezza));
        Coppia(u, Voce("max V = ", f[2], un.ForzaModello), Voce("x max V = ", f[6], un.Lunghezza));
        Coppia(u, Voce("f max = ", f[3], un.Lunghezza), Voce("x f max = ", f[7], un.Lunghezza));
        Coppia(u, Voce("Sigma_t max = ", f[8], un.Modulo),
               Voce("x Sigma_t max = ", f[9], un.Lunghezza));
    } else {
        const auto& r = t.Ris;
        Coppia(u, Voce("MA = ", r[0], un.Momento), Voce("MB = ", r[1], un.Momento));
        Coppia(u, Voce("RA = ", r[2], un.Forza), Voce("RB = ", r[3], un.Forza));
        Coppia(u, Rotazione("Rotaz. A = ", r[4]), Rotazione("Rotaz. B = ", r[5]));
        Coppia(u, Voce("max M+ = ", r[6], un.Momento), Voce("x max M+ = ", r[7], un.Lunghezza));
        Coppia(u, Voce("max M- = ", r[8], un.Momento), Voce("x max M- = ", r[9], un.Lunghezza));
        Coppia(u, Voce("f max = ", r[10], un.Lunghezza), Voce("x f max = ", r[11], un.Lunghezza));
    }

    u.StampaRiga(" ");
    u.StampaRiga("Risultati all'ascissa x");
    u.StampaTesto("x");
    u.StampaTab(15);
    u.StampaTesto("M(x)");
    u.StampaTab(30);
    u.StampaTesto("V(x)");
    u.StampaTab(45);
    u.StampaTesto("f(x)");
    if (fondazione) {
        u.StampaTab(60);
        u.StampaTesto("Sigma_t(x)");
    }
    u.StampaRiga();
    u.StampaTesto(t.X[0]);
    u.StampaTab(15);
    u.StampaTesto(t.X[1]);
    u.StampaTab(30);
    u.StampaTesto(t.X[2]);
    u.StampaTab(45);
    u.StampaTesto(t.X[3]);
    if (fondazione) {
        u.StampaTab(60);
        u.StampaTesto(t.X[4]);
    }
}

std::string TestoRelazione(const TestiRelazione& t) {
    TestoStampa u;
    StampaRelazione(t, u);
    return u.Testo();
}

} // namespace zelvo
