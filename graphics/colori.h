// The colours of the drawings, named by what they show.
//
// `Rgb`: a colour as 0xRRGGBB, the value a drawing surface (`Tela`) takes.
// `Cad`: the colour numbers of the drawing module (`Grafica`): a DXF file
// writes the number as it is, a raster surface shows it as `ColoreRGB`.
#pragma once

#include <cstdint>

namespace zelvo {

namespace Rgb {
inline constexpr uint32_t Bianco = 0xFFFFFF;
inline constexpr uint32_t Nero = 0x000000;
inline constexpr uint32_t Rosso = 0xFF0000;
inline constexpr uint32_t Giallo = 0xFFFF00;
inline constexpr uint32_t Verde = 0x00FF00;
inline constexpr uint32_t Ciano = 0x00FFFF;
inline constexpr uint32_t Blu = 0x0000FF;
inline constexpr uint32_t Magenta = 0xFF00FF;
inline constexpr uint32_t Grigio = 0x808080;
inline constexpr uint32_t RossoScuro = 0x800000;
inline constexpr uint32_t VerdeScuro = 0x00C000;
// The two colours of the constraint-scheme pictures.
inline constexpr uint32_t Ruggine = 0xB04010;  // the springs of the elastic soil
inline constexpr uint32_t BluNotte = 0x2020C0; // the force arrows
} // namespace Rgb

namespace Cad {
inline constexpr int32_t Bianco = 0;
inline constexpr int32_t Rosso = 1;
inline constexpr int32_t Giallo = 2;
inline constexpr int32_t Verde = 3;
inline constexpr int32_t Ciano = 4;
inline constexpr int32_t Blu = 5;
inline constexpr int32_t Magenta = 6;
inline constexpr int32_t Nero = 7;
inline constexpr int32_t Grigio = 8;
inline constexpr int32_t RossoScuro = 11;
inline constexpr int32_t VerdeScuro = 13;
} // namespace Cad

} // namespace zelvo
