// The main window driven with the keyboard and the mouse, headless: a problem
// typed from the title to "Calcola" with Enter keys only, the grid editor, the
// foundation options, partial distances, and "Salva come" / "Apri" through the
// menus with the results the command-line tool prints for the saved file.
#include "test_ui.h"

#include "ui/griglia_qt.h"

#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QProcess>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>

using namespace zelvo;
using namespace zelvo::test;

namespace {

QString ConIlFuoco() {
    QWidget* w = QApplication::focusWidget();
    return w ? w->objectName() : QString();
}

// The d column of the forces grid.
QList<double> Distanze(FrmDati& f) {
    QList<double> d;
    const QAbstractItemModel* m = f.Griglia(1)->model();
    for (int r = 1; r < m->rowCount(); ++r)
        d << m->index(r, 2).data().toString().trimmed().toDouble();
    return d;
}

// A new problem on screen, the focus on the title.
void Mostra(Finestra& w) {
    w.f->Modello().InizializzaForm();
    w.f->show();
    QVERIFY(QTest::qWaitForWindowExposed(w.f.get()));
    w.f->findChild<QLineEdit*>(QStringLiteral("txtTitolo"))->setFocus();
    QApplication::processEvents();
}

} // namespace

class TestFrmDatiUso : public QObject {
    Q_OBJECT

  private slots:
    void tastieraDalTitoloACalcola() {
        Finestra w(false);
        Mostra(w);
        // Simply supported, 5 m, 10 kN at mid-span; each Enter moves on.
        const std::pair<const char*, const char*> passi[] = {{"Trave di prova", "txtDati0"},
                                                             {"5", "txtDati1"},
                                                             {"210000", "txtDati2"},
                                                             {"10000", "txtRigheGriglia0"},
                                                             {"0", "txtRigheGriglia1"},
                                                             {"1", "txtEdit1"},
                                                             {"10", "txtEdit1"},
                                                             {"2.5", "txtRigheGriglia2"},
                                                             {"0", "btnCalcola"}};
        for (const auto& [testo, poi] : passi) {
            Scrivi(QString::fromUtf8(testo));
            QCOMPARE(ConIlFuoco(), QString::fromLatin1(poi));
        }
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
        QVERIFY(w.msg.elenco.empty());
        QVERIFY(w.f->findChild<QGroupBox*>(QStringLiteral("FrameRis"))->isVisible());
        // Closed forms: RA = RB = F/2 = 5 kN, max M = F L / 4 = 12.5 kNm.
        QCOMPARE(w.f->Campo("txtRis", 2)->text().trimmed(), QStringLiteral("5.000"));
        QCOMPARE(w.f->Campo("txtRis", 6)->text().trimmed(), QStringLiteral("12.50"));
        // Closing with unsaved data asks; cancel keeps the window.
        w.msg.risposteAnnulla = {Risposta::Annulla};
        QVERIFY(!w.f->close());
        QCOMPARE(w.msg.Testi(),
                 std::vector<std::string>{"I dati sono stati modificati. Salvare le modifiche?"});
        w.msg.risposteAnnulla = {Risposta::No};
        QVERIFY(w.f->close());
    }

    void editorDellaGriglia() {
        Finestra w(false);
        Mostra(w);
        w.f->Campo("txtRigheGriglia", 0)->setFocus();
        Scrivi(QStringLiteral("2"));
        GrigliaQt* g = w.f->Griglia(0);
        QVERIFY(g->isVisible());
        QCOMPARE(g->model()->rowCount(), 3);
        // Escape leaves the cell as it was; a printable key on the grid opens
        // the editor with that character alone.
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
        QCOMPARE(w.f->Modello().FlexGrid[0].riga, 2);
    }

    void schemaFondazione() {
        Finestra w(false);
        Mostra(w);
        Clic(w.f->findChild<QRadioButton*>(QStringLiteral("Optschema4")));
        QVERIFY(w.f->findChild<QGroupBox*>(QStringLiteral("fraWinkler"))->isVisible());
        // K = 0: the default coefficient; rigid soil: no divisions.
        QCOMPARE(w.f->Campo("txtWinkler", 0)->text().trimmed(), QStringLiteral("1.000"));
        QVERIFY(!w.f->Campo("txtWinkler", 2)->isVisible());
        QApplication::processEvents(); // the frame just shown is laid out
        w.f->findChild<QRadioButton*>(QStringLiteral("OptFond1"))->click();
        QVERIFY(w.f->Campo("txtWinkler", 2)->isVisible());
        QCOMPARE(w.f->Campo("txtWinkler", 2)->text(), QStringLiteral("100"));
        // Every field can be found by its accessible name.
        for (QLineEdit* e : w.f->findChildren<QLineEdit*>())
            if (!e->objectName().isEmpty())
                QVERIFY2(!e->accessibleName().isEmpty(), qPrintable(e->objectName()));
    }

    // Forces typed at 1, 3, 5 m show 1, 2, 2 as partial distances and 1, 3, 5
    // again; a non-numeric abscissa shows no values at x and no message; the
    // file saved through the menu is the problem the command-line tool reports
    // with the results the frames show; "Apri" reads it back.
    void distanzeParzialiMenuSalvaApri() {
        Finestra w(false);
        Mostra(w);
        for (const char* t :
             {"Tre forze", "6", "210000", "10000", "0", "3", "10", "1", "20", "3", "30", "5"})
            Scrivi(QString::fromLatin1(t));
        QCOMPARE(Distanze(*w.f), (QList<double>{1, 3, 5}));
        auto* parziali = w.f->findChild<QCheckBox*>(QStringLiteral("chkDistanzeParziali"));
        Clic(parziali);
        QCOMPARE(Distanze(*w.f), (QList<double>{1, 2, 2}));
        Clic(parziali);
        QCOMPARE(Distanze(*w.f), (QList<double>{1, 3, 5}));

        w.f->Campo("txtX", 0)->setText(QStringLiteral("abc"));
        w.f->btnCalcola_Click();
        QVERIFY(w.f->Campo("txtX", 1)->text().isEmpty());
        QVERIFY(w.msg.elenco.empty());

        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("tre forze.zlv"));
        w.risposte = {file.toStdString()};
        QVERIFY(w.Voce(QStringLiteral("S&alva come...")));
        QVERIFY(w.f->windowTitle().endsWith(QStringLiteral("tre forze")));
        QProcess calc;
        calc.start(QStringLiteral(ZELVO_CALC), {file});
        QVERIFY(calc.waitForFinished(60000));
        QCOMPARE(calc.exitCode(), 0);
        const QString relazione = QString::fromUtf8(calc.readAllStandardOutput());
        for (int i : {2, 3, 6, 7, 10})
            QVERIFY2(relazione.contains(w.f->Campo("txtRis", i)->text()),
                     qPrintable(w.f->Campo("txtRis", i)->text()));

        QVERIFY(w.Voce(QStringLiteral("&Nuovo"))); // saved: nothing is asked
        QVERIFY(Distanze(*w.f).isEmpty());
        w.risposte = {file.toStdString()};
        QVERIFY(w.Voce(QStringLiteral("&Apri")));
        QCOMPARE(Distanze(*w.f), (QList<double>{1, 3, 5}));
        QVERIFY(w.msg.elenco.empty());
    }
};

ZELVO_TEST_UI(TestFrmDatiUso)

#include "test_frm_dati_uso.moc"
