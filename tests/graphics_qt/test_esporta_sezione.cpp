// The section tool's drawings on Qt's canvases, as zelvo-calc's main hands
// them in.
#include "graphics_qt/superficie_qt.h"
#include "io/file_atomico.h"
#include "section/comando_sezione.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

using namespace zelvo;

// The section command's drawings: both written; an unwritable path reported
// with exit status 1 and the section still printed; a missing name a usage error.
TEST(ComandoSezioneDisegno, FileScrittiEFallimentoSegnalato) {
    FabbricaSuperficiQt superfici;
    const auto dir = std::filesystem::temp_directory_path() / "zelvo-sezione-disegni";
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    const std::string dxf = (dir / "t.dxf").string(), svg = (dir / "t.svg").string();
    const std::string cattivo = (dir / "manca" / "t.dxf").string();
    std::ostringstream out[3], err;
    EXPECT_EQ(
        ComandoSezione({"section", "T", "1", "0.2", "0.3", "0.6", "--dxf", dxf, "--svg=" + svg},
                       out[0], err, &superfici),
        0);
    EXPECT_EQ(ComandoSezione({"section", "rect", "0.3", "0.5", "--dxf", cattivo}, out[1], err,
                             &superfici),
              1);
    EXPECT_EQ(ComandoSezione({"section", "rect", "0.3", "0.5", "--png"}, out[2], err, &superfici),
              2);
    const std::string testo = LeggiFile(dxf).value_or("");
    EXPECT_NE(testo.find("LINE"), std::string::npos);
    EXPECT_NE(testo.find("EOF"), std::string::npos);
    EXPECT_GT(std::filesystem::file_size(svg), 500u);
    EXPECT_NE(out[1].str().find("Impossibile scrivere il file " + cattivo), std::string::npos);
    EXPECT_NE(out[1].str().find("\"Area\""), std::string::npos);
    std::filesystem::remove_all(dir);
}
