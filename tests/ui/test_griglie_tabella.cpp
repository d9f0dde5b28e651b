// The load grids as tables on screen, under Italian settings (decimal
// comma): Tab, Shift+Tab and the arrows from cell to cell and out of the
// grid, typing over a cell, a block pasted from the clipboard and used by
// "Calcola", a longer block that adds rows when the user agrees, the copy of
// a selected block, and a typed value kept when the focus leaves. The
// expected loads are the typed numbers read by hand and converted with the
// window's own units (Interna).
#include "test_ui.h"

#include "ui/griglia_qt.h"

#include <QApplication>
#include <QClipboard>
#include <QGuiApplication>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

using namespace zelvo;
using namespace zelvo::test;

namespace {

// The window with a span, E and J typed in and n rows confirmed in table t:
// the editor is open on the first cell.
GrigliaQt* Prepara(Finestra& w, int t, int n) {
    w.f->Modello().InizializzaForm();
    w.f->show();
    if (!QTest::qWaitForWindowExposed(w.f.get())) return nullptr;
    QApplication::setActiveWindow(w.f.get());
    const char* dati[] = {"6", "210000", "10000"};
    for (int i = 0; i < 3; ++i) {
        w.f->Campo("txtDati", i)->setFocus();
        w.f->Campo("txtDati", i)->selectAll();
        QTest::keyClicks(w.f->Campo("txtDati", i), QString::fromLatin1(dati[i]));
    }
    QLineEdit* righe = w.f->Campo("txtRigheGriglia", t);
    righe->setFocus();
    righe->selectAll();
    QTest::keyClicks(righe, QString::number(n));
    QTest::keyClick(righe, Qt::Key_Return);
    return w.f->Griglia(t);
}

QString Cella(GrigliaQt* g, int r, int c) {
    return g->model()->index(r, c).data().toString();
}

std::pair<int, int> Corrente(Finestra& w, int t) {
    const GrigliaTesto& g = w.f->Modello().FlexGrid[static_cast<size_t>(t)];
    return {g.riga, g.colonna};
}

QPoint Centro(GrigliaQt* g, int r, int c) {
    return g->visualRect(g->model()->index(r, c)).center();
}

} // namespace

class TestGriglieTabella : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() {
        if (QLocale::system().decimalPoint() != QStringLiteral(","))
            QSKIP("the class runs under Italian settings");
    }

    // Tab walks the trapezoids row by row and leaves after the last cell for
    // the next row count; Shift+Tab comes back into the grid and leaves before
    // the first cell for the grid's own row count; the arrows move in four
    // directions when the grid has the focus.
    void tabEFrecce() {
        Finestra w(false);
        GrigliaQt* g = Prepara(w, 0, 2);
        QVERIFY(g && g->Editor()->isVisible());
        QTest::keyClicks(g->Editor(), QStringLiteral("4"));
        QTest::keyClick(g->Editor(), Qt::Key_Tab);
        QCOMPARE(Cella(g, 1, 1), QStringLiteral("4"));
        QVERIFY(!g->Editor()->isVisible());
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(g));
        QCOMPARE(Corrente(w, 0), std::pair(1, 2));
        QTest::keyClick(g, Qt::Key_Tab);
        QTest::keyClick(g, Qt::Key_Tab);
        QCOMPARE(Corrente(w, 0), std::pair(1, 4));
        QCOMPARE(g->currentIndex(), g->model()->index(1, 4));
        QTest::keyClick(g, Qt::Key_Right); // the last column: it stays
        QCOMPARE(Corrente(w, 0), std::pair(1, 4));
        QTest::keyClick(g, Qt::Key_Down);
        QCOMPARE(Corrente(w, 0), std::pair(2, 4));
        QTest::keyClick(g, Qt::Key_Left);
        QCOMPARE(Corrente(w, 0), std::pair(2, 3));
        QTest::keyClick(g, Qt::Key_Up);
        QCOMPARE(Corrente(w, 0), std::pair(1, 3));
        QTest::keyClick(g, Qt::Key_Left);
        QCOMPARE(Corrente(w, 0), std::pair(1, 2));
        QVERIFY(!g->Editor()->isVisible());
        // Home and End: the row's first and last data cells; Ctrl+End the
        // table's last, Ctrl+Home its first.
        QTest::keyClick(g, Qt::Key_End);
        QCOMPARE(Corrente(w, 0), std::pair(1, 4));
        QTest::keyClick(g, Qt::Key_Home);
        QCOMPARE(Corrente(w, 0), std::pair(1, 1));
        QTest::keyClick(g, Qt::Key_End, Qt::ControlModifier);
        QCOMPARE(Corrente(w, 0), std::pair(2, 4));
        QTest::keyClick(g, Qt::Key_Home, Qt::ControlModifier);
        QCOMPARE(Corrente(w, 0), std::pair(1, 1));
        QTest::keyClick(g, Qt::Key_Right);
        QCOMPARE(Corrente(w, 0), std::pair(1, 2));
        // To the end and out: (1,3) (1,4) (2,1) (2,2) (2,3) (2,4), then out.
        for (int k = 0; k < 6; ++k)
            QTest::keyClick(g, Qt::Key_Tab);
        QCOMPARE(Corrente(w, 0), std::pair(2, 4));
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(g));
        QTest::keyClick(g, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(),
                 static_cast<QWidget*>(w.f->Campo("txtRigheGriglia", 1)));
        // Back with Shift+Tab through the window's chain, then cell by cell.
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(g));
        QTest::keyClick(g, Qt::Key_Backtab, Qt::ShiftModifier);
        QCOMPARE(Corrente(w, 0), std::pair(2, 3));
        QTest::keyClick(g, Qt::Key_Up);
        QTest::keyClick(g, Qt::Key_Left);
        QTest::keyClick(g, Qt::Key_Left);
        QTest::keyClick(g, Qt::Key_Left);
        QCOMPARE(Corrente(w, 0), std::pair(1, 1));
        QTest::keyClick(g, Qt::Key_Backtab, Qt::ShiftModifier);
        QCOMPARE(QApplication::focusWidget(),
                 static_cast<QWidget*>(w.f->Campo("txtRigheGriglia", 0)));
        // Enter keeps its own walk: in the editor, along the row.
        QCOMPARE(Cella(g, 1, 1), QStringLiteral("4"));
    }

    // A key on a cell that holds a value replaces it; in the open editor
    // Left and Right move the caret inside the text, not to another cell.
    void scritturaSopra() {
        Finestra w(false);
        GrigliaQt* g = Prepara(w, 1, 1);
        QVERIFY(g);
        QTest::keyClicks(g->Editor(), QStringLiteral("12"));
        QTest::keyClick(g->Editor(), Qt::Key_Left);
        QCOMPARE(g->Editor()->cursorPosition(), 1);
        QTest::keyClick(g->Editor(), Qt::Key_Right);
        QCOMPARE(Corrente(w, 1), std::pair(1, 1));
        QTest::keyClick(g->Editor(), Qt::Key_Escape);
        QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, Centro(g, 1, 1));
        QTest::keyClicks(g->Editor(), QStringLiteral("12"));
        QTest::keyClick(g->Editor(), Qt::Key_Tab);
        QCOMPARE(Cella(g, 1, 1), QStringLiteral("12"));
        QTest::keyClick(g, Qt::Key_Left);
        QCOMPARE(Corrente(w, 1), std::pair(1, 1));
        QTest::keyClick(g, Qt::Key_5);
        QCOMPARE(g->Editor()->text(), QStringLiteral("5"));
        QTest::keyClick(g->Editor(), Qt::Key_Return);
        QCOMPARE(Cella(g, 1, 1), QStringLiteral("5"));
    }

    // A 3 x 4 block with decimal commas pasted on the first cell of the
    // trapezoids (in the open editor) is what "Calcola" uses.
    void incollaBloccoItaliano() {
        Finestra w(false);
        GrigliaQt* g = Prepara(w, 0, 3);
        QVERIFY(g && g->Editor()->isVisible());
        QGuiApplication::clipboard()->setText(
            QStringLiteral("1,5\t2\t0\t3,25\n2,5\t2,5\t3,25\t4\n0\t1,75\t4\t6\n"));
        QTest::keyClick(g->Editor(), Qt::Key_V, Qt::ControlModifier);
        QVERIFY(!g->Editor()->isVisible());
        QCOMPARE(Cella(g, 1, 4), QStringLiteral("3,25"));
        QCOMPARE(Cella(g, 3, 2), QStringLiteral("1,75"));
        w.msg.Svuota();
        QTest::mouseClick(w.f->Calcola(), Qt::LeftButton);
        QCOMPARE(w.msg.Testi(), std::vector<std::string>{});
        QVERIFY(w.f->Modello().Calcolato);
        const DatiTrave& d = w.f->Modulo().Dati;
        QCOMPARE(d.NTrapezi, int16_t(3));
        const UnitMisura& u = w.f->Unita();
        const auto q = [&u](double v) {
            return static_cast<float>(u.Interna(Grandezza::Carico, v));
        };
        const auto l = [&u](double v) {
            return static_cast<float>(u.Interna(Grandezza::Lunghezza, v));
        };
        QCOMPARE(d.CarichiTrapezi(1), (CaricoTrapezio{q(1.5), q(2), l(0), l(3.25)}));
        QCOMPARE(d.CarichiTrapezi(2), (CaricoTrapezio{q(2.5), q(2.5), l(3.25), l(4)}));
        QCOMPARE(d.CarichiTrapezi(3), (CaricoTrapezio{q(0), q(1.75), l(4), l(6)}));
    }

    // Three rows pasted on a table of one, with the grid focused: the
    // question, then (yes) three rows in the count, the grid and the data.
    void bloccoPiuGrandeAggiungeRighe() {
        Finestra w(false);
        GrigliaQt* g = Prepara(w, 1, 1);
        QVERIFY(g);
        QTest::keyClick(g->Editor(), Qt::Key_Escape);
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(g));
        QGuiApplication::clipboard()->setText(QStringLiteral("10\t1\t99\n20\t2,5\t99\n30\t5\t99"));
        w.msg.Svuota();
        w.msg.risposte = {true};
        QTest::keyClick(g, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(w.msg.Testi(),
                 std::vector<std::string>{"Il blocco incollato ha 3 righe: aggiungere le righe "
                                          "mancanti alla tabella?"});
        QCOMPARE(w.f->Campo("txtRigheGriglia", 1)->text(), QStringLiteral("3"));
        QCOMPARE(g->model()->rowCount(), 4);
        QCOMPARE(g->model()->columnCount(), 3); // the third column of the block is dropped
        QCOMPARE(Cella(g, 3, 0), QStringLiteral("3"));
        QCOMPARE(Cella(g, 3, 2), QStringLiteral("5"));
        QTest::mouseClick(w.f->Calcola(), Qt::LeftButton);
        const DatiTrave& d = w.f->Modulo().Dati;
        QCOMPARE(d.NConcentrati, int16_t(3));
        const UnitMisura& u = w.f->Unita();
        QCOMPARE(d.CarichiConcentrati(2).F, static_cast<float>(u.Interna(Grandezza::Forza, 20.0)));
        QCOMPARE(d.CarichiConcentrati(2).d,
                 static_cast<float>(u.Interna(Grandezza::Lunghezza, 2.5)));
    }

    // A block selected with Shift and the arrows, or by a drag of the mouse,
    // copies as the cells' texts between tabs, rows on lines.
    void copiaBlocco() {
        Finestra w(false);
        GrigliaQt* g = Prepara(w, 1, 2);
        QVERIFY(g);
        for (const char* t : {"10", "2,5", "-20", "4"}) {
            QTest::keyClicks(g->Editor(), QString::fromLatin1(t));
            QTest::keyClick(g->Editor(), Qt::Key_Return);
        }
        QCOMPARE(Cella(g, 2, 1), QStringLiteral("-20"));
        QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, Centro(g, 1, 1));
        QTest::keyClick(g->Editor(), Qt::Key_Escape);
        QTest::keyClick(g, Qt::Key_Down, Qt::ShiftModifier);
        QTest::keyClick(g, Qt::Key_Right, Qt::ShiftModifier);
        QCOMPARE(w.f->Modello().FlexGrid[1].Selezione(), (RettangoloCelle{1, 1, 2, 2}));
        QGuiApplication::clipboard()->clear();
        QTest::keyClick(g, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("10\t2,5\n-20\t4"));
        // The second column alone, by the mouse from (2,2) up to (1,2).
        QTest::mousePress(g->viewport(), Qt::LeftButton, {}, Centro(g, 2, 2));
        QMouseEvent trascina(QEvent::MouseMove, Centro(g, 1, 2),
                             g->viewport()->mapToGlobal(Centro(g, 1, 2)), Qt::NoButton,
                             Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(g->viewport(), &trascina);
        QTest::mouseRelease(g->viewport(), Qt::LeftButton, {}, Centro(g, 1, 2));
        QVERIFY(!g->Editor()->isVisible());
        QCOMPARE(w.f->Modello().FlexGrid[1].Selezione(), (RettangoloCelle{1, 2, 2, 2}));
        QTest::keyClick(g, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("2,5\n4"));
    }

    // A value typed and left by Tab, by a click on another field, by a click
    // on another cell: each is in its cell.
    void valoreDigitatoNonSiPerde() {
        Finestra w(false);
        GrigliaQt* g = Prepara(w, 1, 2);
        QVERIFY(g);
        QTest::keyClicks(g->Editor(), QStringLiteral("7,5"));
        QTest::keyClick(g->Editor(), Qt::Key_Tab);
        QCOMPARE(Cella(g, 1, 1), QStringLiteral("7,5"));
        QTest::keyClick(g, Qt::Key_3);
        QVERIFY(g->Editor()->isVisible());
        QLineEdit* luce = w.f->Campo("txtDati", 0);
        QTest::mouseClick(luce, Qt::LeftButton);
        luce->setFocus(Qt::MouseFocusReason); // what the click does on a real desktop
        QCOMPARE(Cella(g, 1, 2), QStringLiteral("3"));
        QVERIFY(!g->Editor()->isVisible());
        QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, Centro(g, 2, 1));
        QTest::keyClicks(g->Editor(), QStringLiteral("8"));
        QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, Centro(g, 2, 2));
        QCOMPARE(Cella(g, 2, 1), QStringLiteral("8"));
        QTest::keyClicks(g->Editor(), QStringLiteral("1"));
        // "Calcola" by its shortcut-free call: the open editor counts too.
        w.f->btnCalcola_Click();
        QCOMPARE(Cella(g, 2, 2), QStringLiteral("1"));
        QVERIFY(w.f->Modello().Calcolato);
        QCOMPARE(w.f->Modulo().Dati.CarichiConcentrati(1).F,
                 static_cast<float>(w.f->Unita().Interna(Grandezza::Forza, 7.5)));
    }

    // A value still in the editor when a menu command runs (a shortcut
    // moves no focus) is saved; one typed before closing the window is in
    // its cell when the question is cancelled.
    void valoreNelMenuENellaChiusura() {
        Finestra w(false);
        GrigliaQt* g = Prepara(w, 1, 1);
        QVERIFY(g && g->Editor()->isVisible());
        QTest::keyClicks(g->Editor(), QStringLiteral("7,5"));
        QTemporaryDir dir;
        w.risposte = {dir.filePath("carichi.zlv").toStdString()};
        QVERIFY(w.Voce(QStringLiteral("&Salva")));
        QCOMPARE(Cella(g, 1, 1), QStringLiteral("7,5"));
        // 7,5 kN at 0 m, in the file's SI units.
        QVERIFY(Leggi(dir.filePath("carichi.zlv")).contains("\r\n7500,0\r\n"));
        QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, Centro(g, 1, 2));
        QTest::keyClicks(g->Editor(), QStringLiteral("3"));
        w.msg.Svuota();
        w.msg.risposteAnnulla = {Risposta::Annulla};
        QVERIFY(!w.f->close());
        QCOMPARE(w.msg.Testi(),
                 std::vector<std::string>{"I dati sono stati modificati. Salvare le modifiche?"});
        QCOMPARE(Cella(g, 1, 2), QStringLiteral("3"));
    }
};

ZELVO_TEST_UI(TestGriglieTabella)

#include "test_griglie_tabella.moc"
