// The drawing module: one set of primitives (line, arc, polylines, rectangle,
// solid, arrowhead, arrow, text, text in several fonts) on five targets chosen
// by name: "VIDEO" and "STAMPANTE" (a raster surface, see superficie.h),
// "DXF" (the open DXF file, dxf.h), "DWG" and "BLOCCO" (a CAD application
// through the seam of cad.h).
//
// Coordinates are world units. Most primitives take a vertical scale s: an
// ordinate y is drawn at OrigineY + y / s; abscissae are never offset. Every
// coordinate reaching a target must be finite: a NaN or an infinity throws
// Guasto before anything of that primitive is drawn.
#pragma once

#include "core/messaggi.h"
#include "core/tabella.h"
#include "graphics/geometria.h"
#include "graphics/superficie.h"

#include <array>
#include <cstdint>
#include <exception>
#include <optional>
#include <string>
#include <vector>

namespace zelvo {

inline constexpr const char* DispVideo = "VIDEO";
inline constexpr const char* DispStampante = "STAMPANTE";
inline constexpr const char* DispDxf = "DXF";
inline constexpr const char* DispDwg = "DWG";
inline constexpr const char* DispBlocco = "BLOCCO";

class ApplicazioneCad;

// Module state (one set for the whole program).
struct StatoGrafica {
    std::string Dispositivo = DispVideo;
    SuperficieRaster* Superficie = nullptr; // "VIDEO" / "STAMPANTE"
    double ScalaCorrente = 1;
    float OrigineY = 0;
    double RapportoScaleXY = 1;
    int32_t ColoreCorrente = 0;
    bool AltezzaTestoInScala = false;
    std::array<std::string, 10> NomiFont{}; // slots 1..10 at [0..9]
    int16_t NumeroFileDxf = 0;
    ApplicazioneCad* Cad = nullptr; // "DWG" / "BLOCCO", when a CAD bridge exists
    Messaggi* Avvisi = nullptr;     // message sink; standard error when unset
};
StatoGrafica& Grafica();
// The message sink of the drawing module.
Messaggi& AvvisiGrafica();
// Back to the start state (tests, new drawings).
void AzzeraGrafica();

bool DispositivoRaster(const std::string& d);
bool DispositivoCad(const std::string& d);

// A given argument replaces the current scale, target or surface.
void ImpostaDispositivo(std::optional<double> scala = {},
                        std::optional<std::string> dispositivo = {},
                        std::optional<SuperficieRaster*> superficie = {});

// RGB value (0xRRGGBB) of a CAD colour number on the screen and the printer.
uint32_t ColoreRGB(int32_t numero);
// Current colour: the CAD number on "DXF", "DWG", "BLOCCO", its RGB value otherwise.
void ImpostaColore(int32_t colore, std::optional<std::string> dispositivo = {});
void SpessoreLinea(int16_t spessore, std::optional<std::string> dispositivo = {},
                   std::optional<SuperficieRaster*> superficie = {});

void Linea(double x1, double y1, double x2, double y2, double s = 1);
void Arco(double xc, double yc, double r, double a1, double a2, double s = 1);
void Poligonale(int n, const Vettore1<double>& x, const Vettore1<double>& y, double s = 1);
void PoligonaleChiusa(int n, const Vettore1<double>& x, const Vettore1<double>& y, double s = 1);
void Rettangolo(double x1, double y1, double x2, double y2, double s = 1);
// n points, the last repeating the first; ordinates at (y + OrigineY) / ScalaCorrente.
void Solido(int n, const Vettore1<double>& x, const Vettore1<double>& y);
void PuntaFreccia(double x, double y, double dimensione, double angolo, bool piena);
// An arrow from (x(1), y(1)) with its length divided by s; head at end 1 or 2
// (testa), label at end 1 or 2 (etichetta, 0 none) made of testoValore + suffisso.
// Nothing is drawn unless |valore| > valoreMin.
void Freccia(int testa, int etichetta, double valoreMin, double s, double altezzaTesto,
             double valore, const std::string& testoValore, const Vettore1<double>& x,
             const Vettore1<double>& y, double dimensioneTesta, const std::string& suffisso,
             bool piena, const std::vector<Punto2>* testaPersonale = nullptr);
void Testo(double x, double y, double altezza, const std::string& testo, double s = 1,
           bool dallAlto = false);
struct PezzoTesto {
    std::string testo;
    int16_t slot = 1;
};
void TestoMultiFont(double x, double y, double altezza, const std::vector<PezzoTesto>& pezzi);
void DefinisciFont(int16_t slot, const std::string& nomeFont, const std::string& nomeFile,
                   std::optional<std::string> dispositivo = {});
void SelezionaFont(int16_t slot, std::optional<std::string> dispositivo = {},
                   std::optional<SuperficieRaster*> superficie = {});
void TestoInScala(bool flag);

// Hatches the closed polygon 1..n (the last point may repeat the first) with
// parallel lines at angoloGradi; parti > 0 is the number of strips, parti < 0
// minus the spacing. Lines are drawn with Linea and a vertical scale of 1.
void Tratteggio(int n, const Vettore1<double>& x, const Vettore1<double>& y, double angoloGradi,
                double parti, std::optional<double> scala = {},
                std::optional<std::string> dispositivo = {},
                std::optional<SuperficieRaster*> superficie = {});
// The hatch segments themselves (rotated back to the polygon's frame), in
// drawing order; Tratteggio draws exactly these.
std::vector<std::array<Punto2, 2>> SegmentiTratteggio(int n, const Vettore1<double>& x,
                                                      const Vettore1<double>& y, double angoloGradi,
                                                      double parti);

// --- output entry --------------------------------------------------------

// The window that owns a drawing: draws it whole on the given target.
class ProprietarioGrafica {
  public:
    virtual ~ProprietarioGrafica() = default;
    virtual void PlottaInOggetto(const std::string& dispositivo) = 0;
    virtual void Chiudi() {}
};

// The save dialog: returns the chosen path, or nothing on cancel.
class DialogoFile {
  public:
    virtual ~DialogoFile() = default;
    virtual std::optional<std::string> Salva(const std::string& nomeProposto,
                                             const std::string& filtro, int indiceFiltro,
                                             bool chiediSovrascrittura) = 0;
};

inline constexpr const char* FiltroDxf = "All Files (*.*)|*.*|Files per Autocad (*.dxf)|*.dxf";

// choice 1: DXF file (save dialog, ApriDxf, owner draws on "DXF", ChiudiDxf);
// 2: CAD application; 4: closes the owner; others (and 0, the printer, which
// belongs to the windows): nothing. Returns true when a drawing was output.
bool UscitaGrafica(int scelta, const std::string& nomeBase, ProprietarioGrafica& proprietario,
                   DialogoFile* dialogo, Messaggi& msg);

} // namespace zelvo

namespace zelvo {
// Number and description of a run-time fault, as shown by the error messages
// of the output entry and of the diagrams (6 overflow, 9 index, 11 division by
// zero, 75 file access, 5 any other).
struct ErroreEsecuzione {
    int numero = 5;
    std::string descrizione;
};
ErroreEsecuzione ErroreDa(const std::exception& e);
} // namespace zelvo
