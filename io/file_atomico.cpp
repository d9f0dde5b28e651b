#include "io/file_atomico.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <sys/stat.h>
#include <unistd.h>

namespace zelvo {

namespace {

std::optional<size_t>& LimiteDisco() {
    static std::optional<size_t> limite;
    return limite;
}

bool Fallisce(std::string* errore, const std::string& cosa, int err) {
    if (errore) *errore = cosa + ": " + std::strerror(err);
    return false;
}

} // namespace

DiscoPienoSimulato::DiscoPienoSimulato(size_t limite) {
    LimiteDisco() = limite;
}

DiscoPienoSimulato::~DiscoPienoSimulato() {
    LimiteDisco().reset();
}

bool ScriviFileAtomico(const std::filesystem::path& destinazione, std::string_view contenuto,
                       std::string* errore) {
    namespace fs = std::filesystem;
    const fs::path cartella =
        destinazione.has_parent_path() ? destinazione.parent_path() : fs::path(".");
    std::string modello =
        (cartella / ("." + destinazione.filename().string() + ".XXXXXX")).string();
    const int fd = ::mkstemp(modello.data());
    if (fd < 0) return Fallisce(errore, "creazione del file temporaneo", errno);
    const std::string temporaneo = modello;
    auto abbandona = [&](const std::string& cosa, int err) {
        ::unlink(temporaneo.c_str());
        return Fallisce(errore, cosa, err);
    };

    // Permission bits: those of the old file, or 0666 less the umask.
    mode_t modo;
    struct stat vecchio {};
    if (::stat(destinazione.c_str(), &vecchio) == 0) {
        modo = vecchio.st_mode & 07777;
    } else {
        const mode_t maschera = ::umask(0);
        ::umask(maschera);
        modo = 0666 & ~maschera;
    }

    size_t scritti = 0;
    while (scritti < contenuto.size()) {
        size_t blocco = contenuto.size() - scritti;
        if (LimiteDisco()) {
            if (scritti >= *LimiteDisco()) {
                ::close(fd);
                return abbandona("scrittura", ENOSPC);
            }
            blocco = std::min(blocco, *LimiteDisco() - scritti);
        }
        const ssize_t n = ::write(fd, contenuto.data() + scritti, blocco);
        if (n < 0) {
            if (errno == EINTR) continue;
            const int err = errno;
            ::close(fd);
            return abbandona("scrittura", err);
        }
        if (n == 0) {
            ::close(fd);
            return abbandona("scrittura", EIO);
        }
        scritti += static_cast<size_t>(n);
    }
    if (::fchmod(fd, modo) != 0) {
        const int err = errno;
        ::close(fd);
        return abbandona("permessi", err);
    }
    if (::fsync(fd) != 0) {
        const int err = errno;
        ::close(fd);
        return abbandona("scrittura su disco", err);
    }
    if (::close(fd) != 0) return abbandona("chiusura", errno);
    if (::rename(temporaneo.c_str(), destinazione.c_str()) != 0)
        return abbandona("sostituzione del file", errno);
    return true;
}

std::optional<std::string> LeggiFile(const std::filesystem::path& percorso) {
    std::ifstream f(percorso, std::ios::binary);
    if (!f) return std::nullopt;
    std::string s((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
    if (f.bad()) return std::nullopt;
    return s;
}

} // namespace zelvo
