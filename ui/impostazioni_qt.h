// The remembered user-interface state kept by QSettings: in the user's
// configuration folder (~/.config/zelvo/zelvo.conf), or in a given file.
#pragma once

#include "form/impostazioni.h"

#include <QSettings>
#include <QString>

class QByteArray;

namespace zelvo {

class ArchivioQSettings : public ArchivioImpostazioni {
  public:
    // The user's settings of the program (organisation and application
    // "zelvo").
    ArchivioQSettings();
    // The settings in the INI file percorso.
    explicit ArchivioQSettings(const QString& percorso);

    std::optional<std::string> Leggi(const std::string& chiave) const override;
    void Scrivi(const std::string& chiave, const std::string& valore) override;
    std::vector<std::string> LeggiLista(const std::string& chiave) const override;
    void ScriviLista(const std::string& chiave, const std::vector<std::string>& lista) override;
    // Writes what is pending to the file.
    void Sincronizza() { s_.sync(); }
    QString File() const { return s_.fileName(); }

  private:
    QSettings s_;
};

// A window's geometry or a splitter's state as text for the settings, and back.
std::string TestoDaByte(const QByteArray& b);
QByteArray ByteDaTesto(const std::string& t);

} // namespace zelvo
