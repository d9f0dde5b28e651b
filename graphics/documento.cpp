#include "graphics/documento.h"

#include "graphics/uscita_diagrammi.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <numeric>

namespace zelvo {

TelaRegione::TelaRegione(Tela& base, double x0, double y0, double w, double h)
    : base_(base), x0_(x0), y0_(y0), w_(w), h_(h) {
    ScalaDefault();
    Tela::Colore(base.ColoreAttuale());
    Tela::SpessorePenna(base.SpessoreAttuale());
    Tela::NomeFont(base.FontAttuale());
    Tela::DimensioneFont(base.DimensioneAttuale());
}

void TelaRegione::Colore(uint32_t rgb) {
    Tela::Colore(rgb);
    base_.Colore(rgb);
}
void TelaRegione::SpessorePenna(int pixel) {
    Tela::SpessorePenna(pixel);
    base_.SpessorePenna(pixel);
}
void TelaRegione::NomeFont(const std::string& nome) {
    Tela::NomeFont(nome);
    base_.NomeFont(nome);
}
void TelaRegione::DimensioneFont(double punti) {
    Tela::DimensioneFont(punti);
    base_.DimensioneFont(punti);
}

void TelaRegione::Linea(double x1, double y1, double x2, double y2) {
    base_.Linea(x0_ + Colonna(x1), y0_ + Riga(y1), x0_ + Colonna(x2), y0_ + Riga(y2));
}

void TelaRegione::Arco(double xc, double yc, double r, double a1, double a2) {
    base_.Arco(x0_ + Colonna(xc), y0_ + Riga(yc), std::fabs(r * w_ / ScalaWidth()), a1, a2);
}

void TelaRegione::Testo(double x, double y, const std::string& testo) {
    base_.Testo(x0_ + Colonna(x), y0_ + Riga(y), testo);
}

double TelaRegione::LarghezzaTesto(const std::string& testo) {
    return MondoX(base_.LarghezzaTesto(testo));
}

double TelaRegione::AltezzaTesto(const std::string& testo) {
    return MondoY(base_.AltezzaTesto(testo));
}

std::string TestoPagina(int n, int totale) {
    return "Pagina " + std::to_string(n) + " di " + std::to_string(totale);
}

std::string DataOdierna() {
    const std::time_t ora = std::time(nullptr);
    std::tm t{};
    localtime_r(&ora, &t);
    char b[48];
    std::snprintf(b, sizeof b, "%02d/%02d/%04d", t.tm_mday, t.tm_mon + 1, t.tm_year + 1900);
    return b;
}

namespace {

// Sizes in points and millimetres.
constexpr double PuntiTitolo = 11, PuntiRiga2 = 8.5, PuntiSezione = 10.5, PuntiTesto = 9;
constexpr double FineIntestazione = 15; // the first block starts here
constexpr double Cella = 1.6;           // horizontal padding of a cell
constexpr double SpazioSezione = 4;     // space above a heading
constexpr uint32_t Nero = 0x000000, GrigioChiaro = 0xC8C8C8, GrigioScuro = 0x505050;
constexpr uint32_t RossoTesto = 0xC00000; // a table row flagged red

class Impaginatore {
  public:
    Impaginatore(const Documento& d, Tela& t) : d_(d), t_(t) {
        w_ = t.LarghezzaDispositivo() / t.Risoluzione() * 25.4;
        h_ = t.AltezzaDispositivo() / t.Risoluzione() * 25.4;
        k_ = t.LarghezzaDispositivo() / w_;
    }

    // Runs the layout: with stampante the pages are drawn (totale pages in
    // all), without it only counted. Returns the page count, or 0 when a
    // drawing failed.
    int Esegui(StampantePagine* stampante, int totale) {
        st_ = stampante;
        totale_ = totale;
        pagina_ = 0;
        NuovaPagina();
        const auto& b = d_.Blocchi;
        for (size_t i = 0; i < b.size(); ++i) {
            if (!Blocco(b[i], i + 1 < b.size() ? &b[i + 1] : nullptr)) return 0;
        }
        return pagina_;
    }

  private:
    // --- drawing helpers (mm) ---
    void Scala() { t_.Scala(0, 0, w_, h_); }
    void Font(const char* nome, double punti) {
        t_.NomeFont(nome);
        t_.DimensioneFont(punti);
    }
    double AltezzaRiga(const char* nome, double punti) {
        Font(nome, punti);
        return t_.AltezzaTesto("Ag");
    }
    void Testo(double x, double y, const std::string& s, uint32_t colore = Nero) {
        if (!st_) return;
        t_.Colore(colore);
        t_.Testo(x, y, s);
    }
    // The text shortened with "..." to the width (whole UTF-8 characters).
    std::string Adatta(std::string s, double larghezza) {
        if (t_.LarghezzaTesto(s) <= larghezza) return s;
        while (!s.empty()) {
            do
                s.pop_back();
            while (!s.empty() && (static_cast<unsigned char>(s.back()) & 0xC0) == 0x80);
            if (!s.empty() && (static_cast<unsigned char>(s.back()) & 0xC0) == 0xC0) s.pop_back();
            if (t_.LarghezzaTesto(s + "...") <= larghezza) break;
        }
        return s + "...";
    }
    void TestoADestra(double xDestra, double y, const std::string& s, uint32_t colore = Nero) {
        Testo(xDestra - t_.LarghezzaTesto(s), y, s, colore);
    }
    void Filo(double x1, double y1, double x2, double y2, double spessoreMm, uint32_t colore) {
        if (!st_) return;
        t_.Colore(colore);
        t_.SpessorePenna(std::max(1, int(std::lround(spessoreMm * k_))));
        t_.Linea(x1, y1, x2, y2);
    }

    void NuovaPagina() {
        if (st_ && pagina_ > 0) st_->NuovaPagina();
        ++pagina_;
        Scala();
        y_ = FineIntestazione;
        if (!st_) return;
        // The header.
        Font(FontDocumento, PuntiTitolo);
        const std::string numero = TestoPagina(pagina_, totale_);
        const double spazio = w_ - t_.LarghezzaTesto(numero) - 6;
        TestoADestra(w_, 0, numero);
        Font(FontDocumentoGrassetto, PuntiTitolo);
        const double h1 = t_.AltezzaTesto("Ag");
        Testo(0, 0, Adatta(d_.Titolo, spazio));
        Font(FontDocumento, PuntiRiga2);
        const double y2 = h1 + 0.6;
        Testo(0, y2, d_.Riga2, GrigioScuro);
        TestoADestra(w_, y2, d_.Data);
        const double yFilo = y2 + t_.AltezzaTesto("Ag") + 1.2;
        Filo(0, yFilo, w_, yFilo, 0.35, Nero);
    }

    bool Entra(double altezza) const { return y_ + altezza <= h_ + 1E-9; }
    void Garantisci(double altezza) {
        if (!Entra(altezza) && y_ > FineIntestazione + 1E-9) NuovaPagina();
    }

    double AltezzaSezione() {
        return SpazioSezione + AltezzaRiga(FontDocumentoGrassetto, PuntiSezione) + 2;
    }
    double AltezzaCella() { return AltezzaRiga(FontDocumento, PuntiTesto) + 1.4; }

    double AltezzaTabella(const TabellaDocumento& tb) {
        const double r = AltezzaCella();
        return (tb.Intestazione.empty() ? 0 : r + 0.6) + r * double(tb.Righe.size());
    }

    // The least height of a block that must follow a heading on its page.
    double AltezzaMinima(const BloccoDocumento& b) {
        switch (b.tipo) {
        case BloccoDocumento::Tipo::Riga:
            return AltezzaCella();
        case BloccoDocumento::Tipo::Tabella:
            if (b.disegno) return std::max(AltezzaTabella(b.tabella), b.altezzaFigura);
            return (b.tabella.Intestazione.empty() ? 0 : AltezzaCella() + 0.6) +
                   AltezzaCella() * std::min<double>(2, double(b.tabella.Righe.size()));
        case BloccoDocumento::Tipo::Figura:
            return AltezzaFigura(b);
        default:
            return 0;
        }
    }

    double AltezzaFigura(const BloccoDocumento& b) {
        return (b.testo.empty() ? 0 : AltezzaRiga(FontDocumentoGrassetto, PuntiTesto) + 1.5) +
               b.altezzaFigura + 3;
    }

    bool Blocco(const BloccoDocumento& b, const BloccoDocumento* seguente) {
        using T = BloccoDocumento::Tipo;
        switch (b.tipo) {
        case T::NuovaPagina:
            if (y_ > FineIntestazione + 1E-9) NuovaPagina();
            return true;
        case T::Sezione: {
            const double h = AltezzaSezione();
            Garantisci(h + (seguente ? AltezzaMinima(*seguente) : 0));
            const double y = y_ + (y_ > FineIntestazione + 1E-9 ? SpazioSezione : 1);
            Font(FontDocumentoGrassetto, PuntiSezione);
            Testo(0, y, b.testo);
            const double yf = y + t_.AltezzaTesto("Ag") + 0.5;
            Filo(0, yf, w_, yf, 0.2, GrigioScuro);
            y_ = yf + 1.5;
            return true;
        }
        case T::Riga: {
            const double h = AltezzaCella();
            Garantisci(h + (b.grassetto && seguente ? AltezzaMinima(*seguente) : 0));
            Font(b.grassetto ? FontDocumentoGrassetto : FontDocumento, PuntiTesto);
            Testo(0, y_ + 0.7, b.testo);
            y_ += h;
            return true;
        }
        case T::Tabella:
            return Tabella(b);
        case T::Figura:
            return Figura(b);
        }
        return true;
    }

    void RigaTabella(const TabellaDocumento& tb, const std::vector<std::string>& celle,
                     bool intestazione, double x0, uint32_t colore = Nero) {
        const double h = AltezzaCella();
        Font(intestazione ? FontDocumentoGrassetto : FontDocumento, PuntiTesto);
        if (celle.size() == 1 && tb.Larghezze.size() > 1) {
            Testo(x0 + Cella, y_ + 0.7, celle[0], colore);
            y_ += h;
            return;
        }
        double x = x0;
        for (size_t c = 0; c < tb.Larghezze.size(); ++c) {
            const double l = tb.Larghezze[c];
            const std::string& s = c < celle.size() ? celle[c] : std::string();
            const bool destra = c < tb.ADestra.size() && tb.ADestra[c];
            if (destra)
                TestoADestra(x + l - Cella, y_ + 0.7, s, colore);
            else
                Testo(x + Cella, y_ + 0.7, s, colore);
            x += l;
        }
        y_ += h;
    }

    static uint32_t ColoreRiga(const TabellaDocumento& tb, size_t i) {
        return i < tb.Rosse.size() && tb.Rosse[i] ? RossoTesto : Nero;
    }

    bool Tabella(const BloccoDocumento& b) {
        const TabellaDocumento& tb = b.tabella;
        const double larghezza = std::accumulate(tb.Larghezze.begin(), tb.Larghezze.end(), 0.0);
        const double h = AltezzaCella();
        const double hIntestazione = tb.Intestazione.empty() ? 0 : h + 0.6;
        auto intestazione = [&] {
            if (tb.Intestazione.empty()) return;
            RigaTabella(tb, tb.Intestazione, true, 0);
            Filo(0, y_, larghezza, y_, 0.25, Nero);
            y_ += 0.6;
        };
        if (b.disegno) {
            // Table and drawing side by side: kept on one page.
            const double hTab = AltezzaTabella(tb);
            const double hTot = std::max(hTab, b.altezzaFigura);
            Garantisci(hTot + 2);
            const double y0 = y_;
            intestazione();
            for (size_t i = 0; i < tb.Righe.size(); ++i) {
                RigaTabella(tb, tb.Righe[i], false, 0, ColoreRiga(tb, i));
                Filo(0, y_, larghezza, y_, 0.1, GrigioChiaro);
            }
            if (!Disegna(b.disegno, w_ - b.larghezzaFigura, y0, b.larghezzaFigura, b.altezzaFigura,
                         true))
                return false;
            y_ = y0 + hTot + 2;
            return true;
        }
        Garantisci(hIntestazione + h * std::min<double>(2, double(tb.Righe.size())));
        intestazione();
        for (size_t i = 0; i < tb.Righe.size(); ++i) {
            if (!Entra(h)) {
                NuovaPagina();
                intestazione();
            }
            RigaTabella(tb, tb.Righe[i], false, 0, ColoreRiga(tb, i));
            Filo(0, y_, larghezza, y_, 0.1, GrigioChiaro);
        }
        y_ += 2;
        return true;
    }

    bool Figura(const BloccoDocumento& b) {
        Garantisci(AltezzaFigura(b));
        if (!b.testo.empty()) {
            Font(FontDocumentoGrassetto, PuntiTesto);
            Testo(0, y_, b.testo);
            y_ += t_.AltezzaTesto("Ag") + 1.5;
        }
        if (!Disegna(b.disegno, 0, y_, w_, b.altezzaFigura, true)) return false;
        y_ += b.altezzaFigura + 3;
        return true;
    }

    // A drawing in the box (mm), framed.
    bool Disegna(const DisegnoRiquadro& disegno, double x, double y, double w, double h,
                 bool cornice) {
        if (!st_ || !disegno) return true;
        if (cornice) {
            Filo(x, y, x + w, y, 0.1, GrigioChiaro);
            Filo(x + w, y, x + w, y + h, 0.1, GrigioChiaro);
            Filo(x + w, y + h, x, y + h, 0.1, GrigioChiaro);
            Filo(x, y + h, x, y, 0.1, GrigioChiaro);
        }
        t_.ScalaDefault();
        t_.Colore(Nero);
        t_.SpessorePenna(1);
        TelaRegione r(t_, x * k_, y * k_, w * k_, h * k_);
        const bool ok = disegno(r);
        Scala();
        return ok;
    }

    const Documento& d_;
    Tela& t_;
    StampantePagine* st_ = nullptr;
    double w_ = 0, h_ = 0, k_ = 1, y_ = 0;
    int pagina_ = 0, totale_ = 0;
};

} // namespace

int PagineDocumento(const Documento& d, Tela& pagina) {
    Impaginatore imp(d, pagina);
    return imp.Esegui(nullptr, 0);
}

bool StampaDocumento(const Documento& d, StampantePagine& stampante, Messaggi& msg) {
    if (!stampante.Inizia()) {
        msg.Mostra(TestoStampanteAssente);
        return false;
    }
    Tela& pagina = stampante.Pagina();
    const int totale = PagineDocumento(d, pagina);
    Impaginatore imp(d, pagina);
    if (imp.Esegui(&stampante, totale) != totale) return false;
    return stampante.Fine(msg);
}

} // namespace zelvo
