// The main window driven with the keyboard and the mouse, headless: a
// problem typed from the title to "Calcola" with Enter keys only, the grid
// editor, the results frames against the report, the scheme options and the
// unsaved-changes question on closing.
#include "test_ui.h"

#include "form/relazione.h"
#include "form/testi_finestra.h"
#include "io/generale.h"
#include "ui/frm_dati.h"
#include "ui/griglia_qt.h"

#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QMenuBar>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>

using namespace zelvo;

namespace {

// Types a text into the widget with the focus and presses Enter.
void Scrivi(const QString& t) {
    QWidget* w = QApplication::focusWidget();
    QVERIFY(w);
    QTest::keyClicks(w, t);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
}

QString Nome() {
    QWidget* w = QApplication::focusWidget();
    return w ? w->objectName() : QString();
}

// File item i of the window's menu bar, triggered as a click would.
void VoceFile(FrmDati& f, int i) {
    const QString testo = QString::fromStdString(std::string(TestoDi("MnuFileItem", i).caption));
    for (QAction* m : f.menuBar()->actions())
        if (m->menu())
            for (QAction* a : m->menu()->actions())
                if (a->text() == testo) return a->trigger();
    QFAIL(qPrintable("no menu item " + testo));
}

// The d column of the forces grid.
QList<double> Distanze(FrmDati& f) {
    QList<double> d;
    const QAbstractItemModel* m = f.Griglia(1)->model();
    for (int r = 1; r < m->rowCount(); ++r)
        d << m->index(r, 2).data().toString().trimmed().toDouble();
    return d;
}

} // namespace

class TestFrmDatiUso : public QObject {
    Q_OBJECT

  private slots:

    void tastieraDalTitoloACalcola() {
        RegistroMessaggi msg;
        FrmDati f({&msg, nullptr, {}});
        f.Modello().InizializzaForm();
        f.show();
        QVERIFY(QTest::qWaitForWindowExposed(&f));
        QLineEdit* titolo = f.findChild<QLineEdit*>(QStringLiteral("txtTitolo"));
        QVERIFY(titolo);
        titolo->setFocus();
        QApplication::processEvents();
        // Simply supported, 5 m, 10 kN at mid-span.
        Scrivi(QStringLiteral("Trave di prova"));
        QCOMPARE(Nome(), QStringLiteral("txtDati0"));
        Scrivi(QStringLiteral("5"));
        QCOMPARE(Nome(), QStringLiteral("txtDati1"));
        Scrivi(QStringLiteral("210000"));
        Scrivi(QStringLiteral("10000"));
        QCOMPARE(Nome(), QStringLiteral("txtRigheGriglia0"));
        Scrivi(QStringLiteral("0"));
        QCOMPARE(Nome(), QStringLiteral("txtRigheGriglia1"));
        Scrivi(QStringLiteral("1"));
        QCOMPARE(Nome(), QStringLiteral("txtEdit1")); // the editor on row 1
        Scrivi(QStringLiteral("10"));
        QCOMPARE(Nome(), QStringLiteral("txtEdit1"));
        Scrivi(QStringLiteral("2.5"));
        QCOMPARE(Nome(), QStringLiteral("txtRigheGriglia2"));
        Scrivi(QStringLiteral("0")); // 0 couples: to "Calcola"
        QCOMPARE(Nome(), QStringLiteral("btnCalcola"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
        QVERIFY(msg.elenco.empty());
        QVERIFY(f.findChild<QGroupBox*>(QStringLiteral("FrameRis"))->isVisible());
        // Closed forms: RA = RB = F/2 = 5 kN, max M = F L / 4 = 12.5 kNm.
        QCOMPARE(f.Campo("txtRis", 2)->text().trimmed(), QStringLiteral("5.000"));
        QCOMPARE(f.Campo("txtRis", 6)->text().trimmed(), QStringLiteral("12.50"));
        // The report prints the texts the results frames show.
        const std::string relazione = TestoRelazione(TestiDaForm(f.Modello()));
        for (int i : {0, 2, 3, 6, 7, 10})
            QVERIFY2(relazione.find(f.Campo("txtRis", i)->text().toStdString()) !=
                         std::string::npos,
                     qPrintable(f.Campo("txtRis", i)->text()));
        // Closing with unsaved data asks; cancel keeps the window.
        msg.risposteAnnulla = {Risposta::Annulla};
        QVERIFY(!f.close());
        QCOMPARE(msg.elenco.back().testo,
                 std::string("I dati sono stati modificati. Salvare le modifiche?"));
        msg.risposteAnnulla = {Risposta::No};
        QVERIFY(f.close());
    }

    void editorDellaGriglia() {
        RegistroMessaggi msg;
        FrmDati f({&msg, nullptr, {}});
        f.Modello().InizializzaForm();
        f.show();
        QVERIFY(QTest::qWaitForWindowExposed(&f));
        QLineEdit* righe = f.Campo("txtRigheGriglia", 0);
        righe->setFocus();
        Scrivi(QStringLiteral("2"));
        GrigliaQt* g = f.Griglia(0);
        QVERIFY(g->isVisible());
        QCOMPARE(g->model()->rowCount(), 3);
        QCOMPARE(g->model()->columnCount(), 5);
        QCOMPARE(g->model()->index(0, 1).data().toString(), QStringLiteral("q1"));
        // Escape leaves the cell as it was; a printable key on the grid
        // opens the editor with that character alone.
        QTest::keyClick(g->Editor(), Qt::Key_Escape);
        QVERIFY(!g->Editor()->isVisible());
        QTest::keyClick(g, Qt::Key_7);
        QVERIFY(g->Editor()->isVisible());
        QCOMPARE(g->Editor()->text(), QStringLiteral("7"));
        QCOMPARE(g->Editor()->cursorPosition(), 1);
        QTest::keyClick(g->Editor(), Qt::Key_Return);
        QCOMPARE(g->model()->index(1, 1).data().toString(), QStringLiteral("7"));
        // The mouse on a cell opens the editor with its number selected.
        const QRect r = g->visualRect(g->model()->index(1, 1));
        QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, r.center());
        QVERIFY(g->Editor()->isVisible());
        QCOMPARE(g->Editor()->selectedText(), QStringLiteral("7"));
        QTest::keyClick(g->Editor(), Qt::Key_Down);
        QCOMPARE(f.Modello().FlexGrid[0].riga, 2);
    }

    void schemaFondazioneEDistanzeParziali() {
        RegistroMessaggi msg;
        FrmDati f({&msg, nullptr, {}});
        f.Modello().InizializzaForm();
        f.show();
        QVERIFY(QTest::qWaitForWindowExposed(&f));
        auto* fond = f.findChild<QRadioButton*>(QStringLiteral("Optschema4"));
        QTest::mouseClick(fond, Qt::LeftButton);
        QVERIFY(f.findChild<QGroupBox*>(QStringLiteral("fraWinkler"))->isVisible());
        // K = 0: the default coefficient, 100 divisions.
        QCOMPARE(f.Campo("txtWinkler", 0)->text().trimmed(), QStringLiteral("1.000"));
        QCOMPARE(f.Campo("txtWinkler", 2)->text(), QStringLiteral("100"));
        QVERIFY(!f.Campo("txtWinkler", 2)->isVisible()); // rigid: no divisions
        QApplication::processEvents();                   // the frame just shown is laid out
        f.findChild<QRadioButton*>(QStringLiteral("OptFond1"))->click();
        QCOMPARE(f.Modello().OptFond, 1);
        QVERIFY(f.Modello().txtWinkler[2].visibile);
        QVERIFY(f.Campo("txtWinkler", 2)->isVisible());
        QCOMPARE(f.Modello().Figura, 5);
        // Every control can be found by its accessible name.
        for (QWidget* w : f.findChildren<QWidget*>())
            if (qobject_cast<QLineEdit*>(w) && !w->objectName().isEmpty())
                QVERIFY2(!w->accessibleName().isEmpty(), qPrintable(w->objectName()));
    }

    // Forces typed at 1, 3, 5 m show 1, 2, 2 as partial distances and 1, 3, 5
    // again; a non-numeric abscissa shows no values at x and no message;
    // "Salva come" through the menu with the dialog answered writes the file
    // whose report, by the command-line tool, prints the results the frames
    // show; "Apri" through the menu reads it back.
    void distanzeParzialiMenuSalvaApri() {
        RegistroMessaggi msg;
        std::vector<std::string> risposte;
        FrmDati f({&msg,
                   [&](const RichiestaDialogo&) -> std::optional<std::string> {
                       if (risposte.empty()) return std::nullopt;
                       std::string r = risposte.front();
                       risposte.erase(risposte.begin());
                       return r;
                   },
                   {}});
        f.Modello().InizializzaForm();
        f.show();
        QVERIFY(QTest::qWaitForWindowExposed(&f));
        f.findChild<QLineEdit*>(QStringLiteral("txtTitolo"))->setFocus();
        QApplication::processEvents();
        for (const char* t :
             {"Tre forze", "6", "210000", "10000", "0", "3", "10", "1", "20", "3", "30", "5"})
            Scrivi(QString::fromLatin1(t));
        QCOMPARE(Distanze(f), (QList<double>{1, 3, 5}));
        auto* parziali = f.findChild<QCheckBox*>(QStringLiteral("chkDistanzeParziali"));
        QTest::mouseClick(parziali, Qt::LeftButton, {}, QPoint(5, parziali->height() / 2));
        QCOMPARE(Distanze(f), (QList<double>{1, 2, 2}));
        // Checked against the span typed, not one never calculated.
        QCOMPARE(msg.Testi(), std::vector<std::string>{});
        QTest::mouseClick(parziali, Qt::LeftButton, {}, QPoint(5, parziali->height() / 2));
        QCOMPARE(Distanze(f), (QList<double>{1, 3, 5}));

        f.Campo("txtX", 0)->setText(QStringLiteral("abc"));
        f.btnCalcola_Click();
        QVERIFY(msg.elenco.empty());
        QVERIFY(f.Campo("txtX", 1)->text().isEmpty());

        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("tre forze.zlv"));
        risposte = {file.toStdString()};
        VoceFile(f, 3);
        QVERIFY(msg.elenco.empty());
        QVERIFY(f.windowTitle().endsWith(QStringLiteral("tre forze")));
        QProcess calc;
        calc.start(QStringLiteral(ZELVO_CALC), {file});
        QVERIFY(calc.waitForFinished(60000));
        QCOMPARE(calc.exitCode(), 0);
        const QString relazione = QString::fromUtf8(calc.readAllStandardOutput());
        for (int i : {2, 3, 6, 7, 10})
            QVERIFY2(relazione.contains(f.Campo("txtRis", i)->text()),
                     qPrintable(f.Campo("txtRis", i)->text()));

        VoceFile(f, 0); // "Nuovo": the saved problem is not asked about
        QVERIFY(msg.elenco.empty());
        QVERIFY(Distanze(f).isEmpty());
        risposte = {file.toStdString()};
        VoceFile(f, 1);
        QCOMPARE(Distanze(f), (QList<double>{1, 3, 5}));
    }
};

ZELVO_TEST_UI(TestFrmDatiUso)

#include "test_frm_dati_uso.moc"
