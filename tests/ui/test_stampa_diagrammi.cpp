// The three diagrams on the printer: through Qt's print to PDF (the printer
// where none is installed), one page per copy with the three bands, the
// title block readable with pdftotext; a cancelled dialog prints nothing.
#include "test_ui.h"

#include "form/modello_form.h"
#include "graphics/uscita_diagrammi.h"
#include "ui/stampante_pagine_qt.h"

#include <QPrinter>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace zelvo;

namespace {

QString TestoPdf(const QString& pdf) {
    QProcess p;
    p.start(QStringLiteral("pdftotext"),
            {QStringLiteral("-enc"), QStringLiteral("UTF-8"), pdf, QStringLiteral("-")});
    if (!p.waitForFinished(30000) || p.exitCode() != 0) return QString();
    return QString::fromUtf8(p.readAllStandardOutput());
}

} // namespace

class TestStampaDiagrammi : public QObject {
    Q_OBJECT

    QTemporaryDir cartella_;

  private slots:
    void treDiagrammiPerCopia() {
        ModuloZelvo m;
        UnitMisura u;
        RegistroMessaggi msg;
        ModelloForm f(m, u, msg);
        f.InizializzaForm();
        QVERIFY(f.ApriFileDati(std::string(ZELVO_SOURCE_DIR) + "/examples/appoggio-appoggio.zlv"));
        f.btnCalcola_Click();
        const QString pdf = cartella_.filePath(QStringLiteral("diagrammi.pdf"));
        StampantePagineQt st;
        st.Dialogo = [&](QPrinter& p) {
            p.setOutputFormat(QPrinter::PdfFormat);
            p.setOutputFileName(pdf);
            p.setCopyCount(2);
            return true;
        };
        UscitaDiagrammi uscita(msg);
        uscita.Servizi().Stampa = &st;
        QVERIFY(uscita.Stampa(DiagrammiInOggetto(f.ContestoDisegno())));
        QVERIFY(msg.elenco.empty());
        const QStringList pagine = TestoPdf(pdf).split(QLatin1Char('\f'), Qt::SkipEmptyParts);
        QCOMPARE(pagine.size(), qsizetype(2));
        for (const QString& p : pagine)
            QVERIFY(p.contains(QStringLiteral("File : appoggio-appoggio")));
    }

    void dialogoAnnullato() {
        RegistroMessaggi msg;
        StampantePagineQt st;
        st.Dialogo = [](QPrinter&) { return false; };
        QVERIFY(!st.DialogoStampa());
    }
};

ZELVO_TEST_UI(TestStampaDiagrammi)

#include "test_stampa_diagrammi.moc"
