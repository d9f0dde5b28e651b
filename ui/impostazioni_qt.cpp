#include "ui/impostazioni_qt.h"

#include <QByteArray>
#include <QStringList>

namespace zelvo {

namespace {
QString Q(const std::string& s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}
} // namespace

ArchivioQSettings::ArchivioQSettings()
    : s_(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("zelvo"),
         QStringLiteral("zelvo")) {}

ArchivioQSettings::ArchivioQSettings(const QString& percorso)
    : s_(percorso, QSettings::IniFormat) {}

std::optional<std::string> ArchivioQSettings::Leggi(const std::string& chiave) const {
    const QString k = Q(chiave);
    if (!s_.contains(k)) return std::nullopt;
    return s_.value(k).toString().toStdString();
}

void ArchivioQSettings::Scrivi(const std::string& chiave, const std::string& valore) {
    s_.setValue(Q(chiave), Q(valore));
}

std::vector<std::string> ArchivioQSettings::LeggiLista(const std::string& chiave) const {
    std::vector<std::string> l;
    for (const QString& t : s_.value(Q(chiave)).toStringList())
        l.push_back(t.toStdString());
    return l;
}

void ArchivioQSettings::ScriviLista(const std::string& chiave,
                                    const std::vector<std::string>& lista) {
    QStringList l;
    for (const std::string& t : lista)
        l << Q(t);
    s_.setValue(Q(chiave), l);
}

std::string TestoDaByte(const QByteArray& b) {
    return b.toBase64().toStdString();
}

QByteArray ByteDaTesto(const std::string& t) {
    return QByteArray::fromBase64(QByteArray::fromStdString(t));
}

} // namespace zelvo
