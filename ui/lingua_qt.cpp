#include "ui/lingua_qt.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace zelvo {

namespace {
QString& Caricata() {
    static QString file;
    return file;
}
} // namespace

QString CaricaTraduzioniQt(QCoreApplication& app) {
    auto* t = new QTranslator(&app);
    if (!t->load(QLocale::system(), QStringLiteral("qtbase"), QStringLiteral("_"),
                 QLibraryInfo::path(QLibraryInfo::TranslationsPath)) ||
        !QCoreApplication::installTranslator(t)) {
        delete t;
        return QString();
    }
    Caricata() = t->filePath();
    return Caricata();
}

QString TraduzioniQtCaricate() {
    return Caricata();
}

} // namespace zelvo
