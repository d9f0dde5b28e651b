#include "ui/messaggi_qt.h"

#include <QFileDialog>
#include <QMessageBox>
#include <QStringList>

namespace zelvo {

namespace {

QMessageBox::Icon IconaQt(Icona i) {
    switch (i) {
    case Icona::Critica:
        return QMessageBox::Critical;
    case Icona::Domanda:
        return QMessageBox::Question;
    case Icona::Esclamazione:
        return QMessageBox::Warning;
    case Icona::Informazione:
        return QMessageBox::Information;
    case Icona::Nessuna:
        break;
    }
    return QMessageBox::NoIcon;
}

QString Titolo(const std::string& titolo) {
    return QString::fromStdString(titolo.empty() ? std::string(TitoloProgramma) : titolo);
}

// Message texts carry CR LF line breaks; a label wants LF.
QString Testo(const std::string& testo) {
    QString t = QString::fromStdString(testo);
    t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    t.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return t;
}

} // namespace

void MessaggiQt::Mostra(const std::string& testo, Icona icona, const std::string& titolo) {
    QMessageBox box(IconaQt(icona), Titolo(titolo), Testo(testo), QMessageBox::Ok, genitore_);
    box.exec();
}

bool MessaggiQt::Chiedi(const std::string& testo, Icona icona, const std::string& titolo) {
    QMessageBox box(IconaQt(icona), Titolo(titolo), Testo(testo),
                    QMessageBox::Yes | QMessageBox::No, genitore_);
    box.setDefaultButton(QMessageBox::Yes);
    return box.exec() == QMessageBox::Yes;
}

Risposta MessaggiQt::ChiediAnnulla(const std::string& testo, Icona icona,
                                   const std::string& titolo) {
    QMessageBox box(IconaQt(icona), Titolo(titolo), Testo(testo),
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, genitore_);
    box.setDefaultButton(QMessageBox::Yes);
    box.setEscapeButton(QMessageBox::Cancel);
    switch (box.exec()) {
    case QMessageBox::Yes:
        return Risposta::Si;
    case QMessageBox::No:
        return Risposta::No;
    default:
        return Risposta::Annulla;
    }
}

QString FiltroQt(const std::string& filtro) {
    // "Descr|pattern|Descr|pattern": the descriptions already show their
    // patterns, so every even entry is one Qt filter.
    const QStringList parti = QString::fromStdString(filtro).split(QLatin1Char('|'));
    QStringList filtri;
    for (int i = 0; i + 1 < parti.size(); i += 2) {
        QString d = parti[i];
        if (!d.contains(QLatin1Char('(')))
            d += QStringLiteral(" (") + parti[i + 1] + QLatin1Char(')');
        filtri << d;
    }
    return filtri.join(QStringLiteral(";;"));
}

SceltaFile DialogoFileQt(QWidget* genitore) {
    QPointer<QWidget> g(genitore);
    return [g](const RichiestaDialogo& r) -> std::optional<std::string> {
        const QString filtri = FiltroQt(r.filtro);
        const QStringList lista = filtri.split(QStringLiteral(";;"));
        QString scelto;
        if (r.indiceFiltro >= 1 && r.indiceFiltro <= lista.size())
            scelto = lista[r.indiceFiltro - 1];
        QString iniziale = QString::fromStdString(r.cartellaIniziale);
        QString nome = QString::fromStdString(r.nomeIniziale);
        if (!nome.startsWith(QLatin1Char('*'))) {
            if (!iniziale.isEmpty()) iniziale += QLatin1Char('/');
            iniziale += nome;
        }
        QFileDialog d(g, QString(), iniziale, filtri);
        d.setAcceptMode(r.salva ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
        d.setFileMode(r.salva ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
        // A name typed without extension gets the format's one before the
        // dialog asks about overwriting, so that it asks about the file written.
        if (r.salva && !r.estensione.empty())
            d.setDefaultSuffix(QString::fromStdString(r.estensione));
        if (!scelto.isEmpty()) d.selectNameFilter(scelto);
        if (d.exec() != QDialog::Accepted) return std::nullopt;
        const QStringList scelti = d.selectedFiles();
        if (scelti.isEmpty() || scelti.first().isEmpty()) return std::nullopt;
        return scelti.first().toStdString();
    };
}

} // namespace zelvo
