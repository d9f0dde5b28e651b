#include "form/figura_schema.h"

#include "graphics/disegno_continua.h"

#include "graphics/colori.h"

#include <cmath>
#include <string>

namespace zelvo {

namespace {

// As drawn: black lines, grey ground and guides, rust-coloured springs,
// dark blue force arrows.
constexpr uint32_t Nero = Rgb::Nero, Grigio = Rgb::Grigio, ColoreMolla = Rgb::Ruggine,
                   ColoreForza = Rgb::BluNotte;

// A hatched ground line from x1 to x2 at height y (ticks going down-left).
void Terreno(Tela& s, double x1, double x2, double y) {
    s.Colore(Grigio);
    s.SpessorePenna(1);
    s.Linea(x1, y, x2, y);
    for (double x = x1 + 2; x <= x2; x += 3)
        s.Linea(x, y, x - 2.5, y - 2.5);
    s.Colore(Nero);
}

// A hinge (a = false) or a roller (a = true) under the beam at x.
void Appoggio(Tela& s, double x, bool carrello) {
    s.SpessorePenna(1);
    s.Linea(x, 0, x - 4, -7);
    s.Linea(x - 4, -7, x + 4, -7);
    s.Linea(x + 4, -7, x, 0);
    if (carrello) {
        s.Linea(x - 5, -9, x + 5, -9);
        Terreno(s, x - 6, x + 6, -10.5);
    } else {
        Terreno(s, x - 6, x + 6, -8);
    }
}

// A fixed end at x, the wall on the side given by verso (-1 left, +1 right).
void Incastro(Tela& s, double x, int verso) {
    s.SpessorePenna(2);
    s.Linea(x, -10, x, 10);
    s.SpessorePenna(1);
    s.Colore(Grigio);
    for (double y = -9; y <= 10; y += 3)
        s.Linea(x, y, x + verso * 3, y - 3);
    s.Colore(Nero);
}

// A spring of the elastic soil from the ground (y = -12) to the beam (y = -1).
void Molla(Tela& s, double x) {
    s.SpessorePenna(1);
    s.Colore(ColoreMolla);
    s.Linea(x, -12, x, -10);
    double y = -10;
    int lato = 1;
    while (y < -3) {
        s.Linea(x - lato * 1.5, y, x + lato * 1.5, y + 1.2);
        y += 1.2;
        lato = -lato;
    }
    s.Linea(x + lato * 1.5, y, x, -1);
    s.Colore(Nero);
}

// A downward force arrow at x.
void Forza(Tela& s, double x, const std::string& nome) {
    s.Colore(ColoreForza);
    s.SpessorePenna(1);
    s.Linea(x, 22, x, 2);
    s.Linea(x, 2, x - 1.5, 6);
    s.Linea(x, 2, x + 1.5, 6);
    s.Testo(x + 2, 22, nome);
    s.Colore(Nero);
}

} // namespace

void DisegnaSchema(Tela& s, FiguraVincoli f) {
    const bool parziali = f.parziali;
    const int schema = f.schema;
    if (schema < 0 || schema > 5) return;
    // World: the beam from 0 to 100, loads above, dimensions below.
    s.Scala(-10, 30, 120, -66);
    s.NomeFont("Arial");
    s.DimensioneFont(8);
    const bool fondazione = schema >= 4;
    const double yBase = fondazione ? -14 : -12;

    // Loads and their positions.
    Forza(s, 35, "F1");
    Forza(s, 75, "F2");
    const double yq1 = yBase - 6, yq2 = yBase - 14;
    s.Colore(Grigio);
    s.Linea(0, 0, 0, yq2 - 1.5);
    s.Linea(35, 2, 35, yq1 - 1.5);
    s.Linea(75, 2, 75, (parziali ? yq1 : yq2) - 1.5);
    s.Colore(Nero);
    if (parziali) {
        QuotaSchema(s, 0, 35, yq1, "d1");
        QuotaSchema(s, 35, 75, yq1, "d2");
    } else {
        QuotaSchema(s, 0, 35, yq1, "d1");
        QuotaSchema(s, 0, 75, yq2, "d2");
    }

    // The beam.
    s.Colore(Nero);
    s.SpessorePenna(3);
    s.Linea(0, 0, 100, 0);
    s.SpessorePenna(1);
    s.Testo(-6, 5, "A");
    s.Testo(102, 5, "B");

    switch (schema) {
    case 0: // hinge - roller
        Appoggio(s, 0, false);
        Appoggio(s, 100, true);
        break;
    case 1: // fixed - fixed
        Incastro(s, 0, -1);
        Incastro(s, 100, 1);
        break;
    case 2: // fixed - roller
        Incastro(s, 0, -1);
        Appoggio(s, 100, true);
        break;
    case 3: // cantilever
        Incastro(s, 0, -1);
        break;
    case 4: // rigid foundation on the soil
        s.SpessorePenna(2);
        s.Linea(0, -1.5, 100, -1.5);
        Terreno(s, -4, 104, -3);
        break;
    case 5: // beam on elastic springs
        for (double x = 0; x <= 100.1; x += 10)
            Molla(s, x);
        Terreno(s, -4, 104, -12);
        break;
    }
}

} // namespace zelvo
