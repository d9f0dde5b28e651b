// A printed document of several pages: headings, text lines, tables and
// drawings, laid out on the pages of any printer (the A4 PDF writer, the
// system printer) without a toolkit. Every page carries the same header:
// the title on the left, the page number "Pagina n di N" on the right, the
// second line (file name) on the left and the date on the right, then a rule.
//
// Layout units are millimetres from the top-left corner of the printable
// area. Blocks follow one another down the page; a block that does not fit
// goes to the next page; a table breaks between rows, its heading row
// repeated on the new page. A drawing is given its box as a device of its
// own (`TelaRegione`) and draws there in whatever world units it sets.
#pragma once

#include "core/messaggi.h"
#include "graphics/superficie.h"

#include <functional>
#include <string>
#include <vector>

namespace zelvo {

// A drawing of a box: false when nothing (or not all) was drawn, after its
// own message.
using DisegnoRiquadro = std::function<bool(Tela&)>;

struct TabellaDocumento {
    // Relative column widths (their sum is the table's width), one a column.
    std::vector<double> Larghezze;
    // Column alignment: true right-aligned (numbers), false left.
    std::vector<bool> ADestra;
    // Heading row (empty: none); repeated on every page the table spans.
    std::vector<std::string> Intestazione;
    // Rows of cells; a row of one cell spans the whole table (left-aligned).
    std::vector<std::vector<std::string>> Righe;
    // Rows drawn in red (a utilisation above 1), by index; none: all black.
    std::vector<bool> Rosse;
};

struct BloccoDocumento {
    enum class Tipo {
        Sezione,     // a heading (bold), kept with the block after it
        Riga,        // a line of text
        Tabella,     // a table, with an optional drawing beside it on the right
        Figura,      // a drawing across the page, with its caption above
        NuovaPagina, // the next block starts a page
    };
    Tipo tipo = Tipo::Riga;
    std::string testo;      // heading, line or caption
    bool grassetto = false; // a line in bold (a sub-heading, kept with the block after it)
    TabellaDocumento tabella;
    // Drawing: its height, and for a table its width beside it (mm).
    double altezzaFigura = 0;
    double larghezzaFigura = 0;
    DisegnoRiquadro disegno;
};

struct Documento {
    std::string Titolo; // header, first line
    std::string Riga2;  // header, second line
    std::string Data;   // header, second line on the right
    std::vector<BloccoDocumento> Blocchi;
};

// A device drawing into a rectangle of another device: (x0, y0) and w x h in
// the base's device units; the base must be in device units (ScalaDefault)
// while the region draws. State (colour, pen, font) goes to the base too.
class TelaRegione : public Tela {
  public:
    TelaRegione(Tela& base, double x0, double y0, double w, double h);
    double LarghezzaDispositivo() const override { return w_; }
    double AltezzaDispositivo() const override { return h_; }
    double Risoluzione() const override { return base_.Risoluzione(); }
    void Colore(uint32_t rgb) override;
    void SpessorePenna(int pixel) override;
    void NomeFont(const std::string& nome) override;
    void DimensioneFont(double punti) override;
    void Linea(double x1, double y1, double x2, double y2) override;
    void Arco(double xc, double yc, double r, double a1, double a2) override;
    void Testo(double x, double y, const std::string& testo) override;
    double LarghezzaTesto(const std::string& testo) override;
    double AltezzaTesto(const std::string& testo) override;

  private:
    Tela& base_;
    double x0_, y0_, w_, h_;
};

// Fonts of the document ("Arial" and "Courier New" map to the installed
// metric-compatible families; " Bold" asks for the bold face).
inline constexpr const char* FontDocumento = "Arial";
inline constexpr const char* FontDocumentoGrassetto = "Arial Bold";

// "Pagina n di N".
std::string TestoPagina(int n, int totale);

// The number of pages the document takes on the printer's page.
int PagineDocumento(const Documento& d, Tela& pagina);

// Lays out and prints the document: Inizia, the pages, Fine. False when the
// printer could not start (TestoStampanteAssente shown), a drawing failed
// (nothing of the document is finished) or the printer could not finish
// (its own message).
bool StampaDocumento(const Documento& d, StampantePagine& stampante, Messaggi& msg);

// Today's date as dd/mm/yyyy (local time).
std::string DataOdierna();

} // namespace zelvo
