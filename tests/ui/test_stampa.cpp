// The report on the printer: printed through Qt's print to PDF (the printer
// where none is installed) and read back with pdftotext, it holds the lines
// the report file holds, columns included; copies, page breaks, long lines,
// a cancelled dialog.
#include "test_ui.h"

#include "form/modello_form.h"
#include "form/relazione.h"
#include "io/generale.h"
#include "ui/stampante_qt.h"

#include <QFont>
#include <QPrinter>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace zelvo;

namespace {

// The text of a PDF file, pages separated by form feeds. With a pitch (the
// character width in points of the fixed-pitch font) pdftotext puts every
// character in its column.
QString TestoPdf(const QString& pdf, double passo = 0) {
    QStringList argomenti{QStringLiteral("-enc"), QStringLiteral("UTF-8")};
    if (passo > 0)
        argomenti << QStringLiteral("-fixed") << QString::number(passo);
    else
        argomenti << QStringLiteral("-layout");
    argomenti << pdf << QStringLiteral("-");
    QProcess p;
    p.start(QStringLiteral("pdftotext"), argomenti);
    if (!p.waitForFinished(30000) || p.exitCode() != 0) return QString();
    return QString::fromUtf8(p.readAllStandardOutput());
}

// Lines without trailing blanks.
QStringList Righe(const QString& testo) {
    QStringList righe;
    for (QString r : testo.split(QLatin1Char('\n'))) {
        if (r.endsWith(QLatin1Char('\r'))) r.chop(1);
        while (r.endsWith(QLatin1Char(' ')))
            r.chop(1);
        righe << r;
    }
    return righe;
}

// The printed pages' lines: blank lines dropped (a PDF reader spaces lines
// as it likes) and the page's left margin removed.
QList<QStringList> Pagine(const QString& testoPdf) {
    QList<QStringList> pagine;
    for (const QString& pagina : testoPdf.split(QLatin1Char('\f'))) {
        QStringList righe;
        qsizetype margine = -1;
        for (const QString& r : Righe(pagina)) {
            if (r.trimmed().isEmpty()) continue;
            righe << r;
            qsizetype rientro = 0;
            while (rientro < r.size() && r[rientro] == QLatin1Char(' '))
                ++rientro;
            margine = margine < 0 ? rientro : std::min(margine, rientro);
        }
        for (QString& r : righe)
            r = r.mid(margine);
        if (!righe.isEmpty()) pagine << righe;
    }
    return pagine;
}

QStringList SenzaVuote(const QStringList& righe) {
    QStringList r;
    for (const QString& s : righe)
        if (!s.trimmed().isEmpty()) r << s;
    return r;
}

// The character width in points of the report's font: Liberation Mono's
// advance is 1229/2048 of the size.
double Passo(const std::string& testo) {
    QPrinter p(QPrinter::HighResolution);
    p.setOutputFormat(QPrinter::PdfFormat);
    const QFont f = FontRelazione(p, testo);
    return f.pointSizeF() * 1229.0 / 2048.0;
}

// The report of an example file as the main window writes it.
std::string Relazione(const std::string& esempio) {
    ModuloZelvo m;
    UnitMisura u;
    RegistroMessaggi msg;
    ModelloForm f(m, u, msg);
    f.InizializzaForm();
    if (!f.ApriFileDati(std::string(ZELVO_SOURCE_DIR) + "/examples/" + esempio)) return {};
    f.btnCalcola_Click();
    return TestoRelazione(TestiDaForm(f));
}

// The dialog of a printer writing the PDF file pdf, with the copies asked for.
std::function<bool(QPrinter&)> DialogoPdf(const QString& pdf, int copie) {
    return [pdf, copie](QPrinter& p) {
        p.setOutputFormat(QPrinter::PdfFormat);
        p.setOutputFileName(pdf);
        p.setCopyCount(copie);
        return true;
    };
}

} // namespace

class TestStampa : public QObject {
    Q_OBJECT

    QTemporaryDir cartella_;

  private slots:
    void initTestCase() {
        QVERIFY(cartella_.isValid());
        QProcess p;
        p.start(QStringLiteral("pdftotext"), {QStringLiteral("-v")});
        QVERIFY2(p.waitForFinished(10000), "pdftotext (poppler-utils) is needed");
    }

    void relazioneSuPdfComeIlFile_data() {
        QTest::addColumn<QString>("esempio");
        QTest::addColumn<QString>("riga");
        QTest::newRow("appoggio") << "appoggio-appoggio.zlv"
                                  << "RA =  60.08 kN               RB =  63.92 kN";
        QTest::newRow("winkler") << "fondazione-winkler.zlv"
                                 << "max V = -299.7 kN            x max V =  5.100 m";
        QTest::newRow("mensola") << "mensola.zlv"
                                 << "MA = -3,138 kNcm             MB =  0 kNcm";
    }
    void relazioneSuPdfComeIlFile() {
        QFETCH(QString, esempio);
        QFETCH(QString, riga);
        const std::string testo = Relazione(esempio.toStdString());
        QVERIFY(!testo.empty());
        const QString pdf = cartella_.filePath(esempio + ".pdf");
        RegistroMessaggi msg;
        StampanteQt s;
        s.Dialogo = DialogoPdf(pdf, 1);
        QVERIFY(s.StampaRelazione(testo, msg));
        QVERIFY(msg.elenco.empty());
        const QList<QStringList> pagine = Pagine(TestoPdf(pdf, Passo(testo)));
        QCOMPARE(pagine.size(), qsizetype(1));
        // Line for line, columns included (the font has a fixed pitch).
        const QStringList attese = SenzaVuote(Righe(QString::fromStdString(testo)));
        QCOMPARE(pagine[0], attese);
        QVERIFY(pagine[0].contains(riga));
    }

    void copieUnaDopoLAltra() {
        const std::string testo = Relazione("appoggio-appoggio.zlv");
        const QString pdf = cartella_.filePath(QStringLiteral("copie.pdf"));
        RegistroMessaggi msg;
        StampanteQt s;
        s.Dialogo = DialogoPdf(pdf, 3);
        QVERIFY(s.StampaRelazione(testo, msg));
        const QList<QStringList> pagine = Pagine(TestoPdf(pdf, Passo(testo)));
        QCOMPARE(pagine.size(), qsizetype(3));
        for (const QStringList& p : pagine)
            QCOMPARE(p, pagine[0]);
        QCOMPARE(pagine[0].front(), QStringLiteral("NOME FILE: appoggio-appoggio"));
    }

    void testoLungoSuPiuPagineERigheLarghe() {
        // 150 lines of 110 columns: the font shrinks so that every line fits
        // the width, the lines flow onto the next pages.
        std::string testo;
        QStringList attese;
        for (int i = 1; i <= 150; ++i) {
            QString r = QStringLiteral("%1").arg(i, 4) + QStringLiteral(" |");
            while (r.size() < 108)
                r += QStringLiteral("-x");
            r = r.left(108) + QStringLiteral("|E");
            attese << r;
            testo += r.toStdString() + "\r\n";
        }
        const QString pdf = cartella_.filePath(QStringLiteral("lungo.pdf"));
        QPrinter p(QPrinter::HighResolution);
        p.setOutputFormat(QPrinter::PdfFormat);
        p.setOutputFileName(pdf);
        QVERIFY(StampaTesto(p, testo));
        const QList<QStringList> pagine = Pagine(TestoPdf(pdf));
        QVERIFY(pagine.size() >= 2);
        // The font is smaller than 10 points: compared word by word.
        QStringList tutte;
        for (const QStringList& pg : pagine)
            for (const QString& r : pg)
                tutte << r.simplified();
        for (QString& r : attese)
            r = r.simplified();
        QCOMPARE(tutte, attese);
    }

    void dialogoAnnullatoNonStampaNulla() {
        const QString pdf = cartella_.filePath(QStringLiteral("annullato.pdf"));
        RegistroMessaggi msg;
        StampanteQt s;
        bool chiesto = false;
        s.Dialogo = [&](QPrinter& p) {
            chiesto = true;
            p.setOutputFormat(QPrinter::PdfFormat);
            p.setOutputFileName(pdf);
            return false;
        };
        QVERIFY(!s.StampaRelazione("NOME FILE: x\r\n", msg));
        QVERIFY(chiesto);
        QVERIFY(!QFile::exists(pdf));
        QVERIFY(msg.elenco.empty());
    }

    void stampanteNonDisponibileLoDice() {
        RegistroMessaggi msg;
        StampanteQt s;
        s.Dialogo = [&](QPrinter& p) {
            p.setOutputFormat(QPrinter::PdfFormat);
            p.setOutputFileName(cartella_.filePath(QStringLiteral("manca/dentro/x.pdf")));
            return true;
        };
        QVERIFY(!s.StampaRelazione("NOME FILE: x\r\n", msg));
        QCOMPARE(msg.Testi(), std::vector<std::string>{TestoErroreStampa});
    }
};

ZELVO_TEST_UI(TestStampa)

#include "test_stampa.moc"
