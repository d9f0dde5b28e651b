// The window under an Italian desktop (this test runs with LC_ALL and LANG
// set to it_IT.UTF-8): the separators the user sees and types are the
// regional ones, while the data file written by the window is the one the
// command-line tool writes for the same problem, byte for byte.
#include "test_ui.h"

#include "ui/frm_dati.h"

#include <QFile>
#include <QLineEdit>
#include <QLocale>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace zelvo;

class TestSeparatoriRegionali : public QObject {
    Q_OBJECT

  private slots:
    void virgolaDecimaleNellaFinestraPuntoNeiFile() {
        if (QLocale::system().decimalPoint() != QStringLiteral(","))
            QSKIP("the it_IT.UTF-8 locale is not installed");
        RegistroMessaggi msg;
        FrmDati f({&msg, nullptr, {}});
        QCOMPARE(f.Unita().separatori, (Separatori{",", "."}));
        const QString esempio = QStringLiteral(ZELVO_SOURCE_DIR "/examples/appoggio-appoggio.zlv");
        f.Avvio({esempio});
        // Italian separators are the advised ones: no advice at start-up.
        QVERIFY(msg.elenco.empty());
        QCOMPARE(f.Campo("txtDati", 0)->text().trimmed(), QStringLiteral("6,000"));
        QCOMPARE(f.Campo("txtDati", 1)->text().trimmed(), QStringLiteral("210.000"));
        // A span typed with the decimal comma is read as 6.5 m.
        f.Campo("txtDati", 0)->setFocus();
        f.Campo("txtDati", 0)->selectAll();
        QTest::keyClicks(f.Campo("txtDati", 0), QStringLiteral("6,5"));
        QTest::keyClick(f.Campo("txtDati", 0), Qt::Key_Return);
        f.btnCalcola_Click();
        QVERIFY(msg.elenco.empty());
        QCOMPARE(f.Modulo().Dati.Luce, 6.5f);
        QVERIFY(f.Campo("txtRis", 2)->text().contains(QLatin1Char(',')));

        QTemporaryDir dir;
        const QString finestra = dir.filePath(QStringLiteral("finestra.zlv"));
        QVERIFY(f.Modello().FileSalvaCome(finestra.toStdString()));
        QProcess calc;
        calc.start(QStringLiteral(ZELVO_CALC),
                   {finestra, QStringLiteral("--save"), dir.filePath(QStringLiteral("calc.zlv"))});
        QVERIFY(calc.waitForFinished(60000));
        QCOMPARE(calc.exitCode(), 0);
        QFile a(finestra), b(dir.filePath(QStringLiteral("calc.zlv")));
        QVERIFY(a.open(QIODevice::ReadOnly) && b.open(QIODevice::ReadOnly));
        const QByteArray dati = a.readAll();
        QCOMPARE(dati, b.readAll());
        QVERIFY(dati.contains(",6.5"));
    }
};

ZELVO_TEST_UI(TestSeparatoriRegionali)

#include "test_separatori_regionali.moc"
