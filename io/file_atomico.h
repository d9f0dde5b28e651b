// Atomic file writing, used for every file the program writes (data files,
// report, DXF, materials).
//
// The content goes to a temporary file beside the target; every write, the
// flush to disk and the close are checked; only when all of them succeeded is
// the temporary renamed over the target. On any failure the temporary is
// removed, the old file (if any) is left exactly as it was, and the caller is
// told. The new file gets the old file's permission bits, or the usual ones
// (0666 less the umask) when it is new.
#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace zelvo {

// Writes `contenuto` (bytes, already encoded) to `destinazione` atomically.
// Returns true on success; on failure returns false and, when `errore` is
// given, puts a short description there (for developers and logs, not a
// message box text).
bool ScriviFileAtomico(const std::filesystem::path& destinazione, std::string_view contenuto,
                       std::string* errore = nullptr);

// Reads a whole file as bytes; nullopt when it cannot be opened or read.
std::optional<std::string> LeggiFile(const std::filesystem::path& percorso);

// Test seam: while it lives, the temporary file of every atomic write
// accepts at most `limite` bytes and then fails as a full disk would
// (ENOSPC); its end restores normal writing, however the test leaves the
// scope. One at a time.
class DiscoPienoSimulato {
  public:
    explicit DiscoPienoSimulato(size_t limite);
    ~DiscoPienoSimulato();
    DiscoPienoSimulato(const DiscoPienoSimulato&) = delete;
    DiscoPienoSimulato& operator=(const DiscoPienoSimulato&) = delete;
};

} // namespace zelvo
