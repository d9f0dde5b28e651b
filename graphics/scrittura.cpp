// Files written by the drawing module go through one atomic write: the bytes
// go to a temporary file beside the target, which replaces the target only
// when every write, flush and close has succeeded.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>

namespace zelvo {

bool ScriviFileGrafica(const std::string& percorso, const std::string& byte) {
    namespace fs = std::filesystem;
    const fs::path destinazione(percorso);
    fs::path temp = destinazione;
    temp += ".tmp~";
    {
        std::ofstream f(temp, std::ios::binary | std::ios::trunc);
        if (!f) return false;
        f.write(byte.data(), static_cast<std::streamsize>(byte.size()));
        f.flush();
        if (!f) {
            f.close();
            std::error_code ec;
            fs::remove(temp, ec);
            return false;
        }
        f.close();
        if (f.fail()) {
            std::error_code ec;
            fs::remove(temp, ec);
            return false;
        }
    }
    std::error_code ec;
    fs::rename(temp, destinazione, ec);
    if (ec) {
        fs::remove(temp, ec);
        return false;
    }
    return true;
}

} // namespace zelvo
