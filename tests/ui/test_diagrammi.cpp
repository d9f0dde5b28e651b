// The diagram windows, the scale dialog and the DXF / CAD items of the File
// menu. Witnesses: the command-line tool on the same problem (values at x,
// DXF bytes), the window's own size (a drawing spans the band it is given).
#include "test_ui.h"

#include "ui/diagrammi_qt.h"
#include "ui/finestra_diagramma.h"
#include "ui/frm_scale.h"

#include <QApplication>
#include <QClipboard>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <tuple>

using namespace zelvo;
using namespace zelvo::test;

namespace {

// The diagram window i (0 moments, 1 shears, 2 loads), opened and painted.
FinestraDiagramma* Diagramma(Finestra& w, int i) {
    w.f->cbDiagramma_Click(i);
    QApplication::processEvents();
    FinestraDiagramma* d = DiagrammiQt::Di(*w.f)->Finestra(i);
    if (d) d->Area()->repaint();
    return d;
}

// Counts the paints of a widget.
struct ContaDisegni : QObject {
    int n = 0;
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::Paint) ++n;
        return false;
    }
};

} // namespace

class TestDiagrammi : public QObject {
    Q_OBJECT

  private slots:
    // A resized window repaints its diagram to fit: at two sizes the drawing
    // spans the same band of the picture (0.1 to 0.85 of the width).
    void ridimensionataRidisegnaPerAdattarsi() {
        Finestra w;
        QVERIFY(w.Apri("appoggio-appoggio"));
        FinestraDiagramma* m = Diagramma(w, 0);
        QVERIFY(m && m->isVisible());
        for (QSize s : {QSize(700, 450), QSize(420, 300)}) {
            m->resize(s);
            QApplication::processEvents();
            const QImage i = m->Area()->grab().toImage();
            const QRect r = Disegnato(i);
            const double W = i.width(), H = i.height();
            QVERIFY2(
                r.left() <= 0.12 * W && r.right() >= 0.83 * W,
                qPrintable(QStringLiteral("%1..%2 of %3").arg(r.left()).arg(r.right()).arg(W)));
            QVERIFY(r.top() <= 0.2 * H && r.bottom() >= 0.6 * H);
        }
        QVERIFY(w.msg.elenco.empty());
    }

    // The three windows open together, each with its own drawer
    // and its scale in its status line; opened again: the same window.
    void treFinestreInsieme() {
        Finestra w;
        QVERIFY(w.Apri("fondazione-winkler"));
        QStringList titoli;
        for (int i = 0; i < 3; ++i) {
            FinestraDiagramma* d = Diagramma(w, i);
            QVERIFY(d && d->isVisible() && d->Modello().Disegnato());
            titoli << d->windowTitle();
        }
        QCOMPARE(titoli, (QStringList{"Diagramma Momento", "Diagramma Taglio", "Carichi"}));
        DiagrammiQt& D = *DiagrammiQt::Di(*w.f);
        QVERIFY(&D.Finestra(0)->Modello().Disegnatore() != &D.Finestra(1)->Modello().Disegnatore());
        QVERIFY(D.Finestra(0)->Stato()->text().startsWith("Scala momenti 1:"));
        QVERIFY(D.Finestra(1)->Stato()->text().startsWith("Scala tagli 1:"));
        FinestraDiagramma* prima = D.Finestra(2);
        QCOMPARE(Diagramma(w, 2), prima);
        QVERIFY(w.msg.elenco.empty());
    }

    // The scale dialog: first opening, Enter keys, the keypad decimal key, OK;
    // a scale of 0 refused; Annulla goes back to automatic scales.
    void dialogoScale() {
        Finestra w;
        QVERIFY(w.Apri("appoggio-appoggio"));
        ScaleUtente& s = DiagrammiQt::Di(*w.f)->ScaleCorrenti();
        {
            FrmScale d(s, w.msg);
            d.show();
            QVERIFY(QTest::qWaitForWindowExposed(&d));
            QCOMPARE(QApplication::focusWidget(), d.Casella(0));
            Scrivi("50000"); // the selected "1" is replaced; Enter moves on
            QCOMPARE(QApplication::focusWidget(), d.Casella(1));
            QTest::keyClicks(d.Casella(1), "12");
            QTest::keyClick(d.Casella(1), Qt::Key_Period, Qt::KeypadModifier);
            Scrivi("5"); // Enter presses OK
            QCOMPARE(d.result(), int(QDialog::Accepted));
        }
        QVERIFY(s.ScalaUtente);
        QCOMPARE(Diagramma(w, 0)->Stato()->text(), QStringLiteral("Scala momenti 1:50000"));
        QCOMPARE(Diagramma(w, 1)->Stato()->text(), QStringLiteral("Scala tagli 1:12.5"));
        {
            FrmScale d(s, w.msg);
            d.show();
            QCOMPARE(d.Casella(0)->text(), QStringLiteral("50000"));
            d.Casella(0)->setText("0");
            QTest::mouseClick(d.PulsanteOK(), Qt::LeftButton);
            QVERIFY(d.isVisible());
            QCOMPARE(w.msg.Testi(), std::vector<std::string>{
                                        "Scala non valida: scrivere un numero maggiore di zero."});
            QTest::mouseClick(d.PulsanteAnnulla(), Qt::LeftButton);
        }
        QVERIFY(!s.ScalaUtente); // automatic again
        QCOMPARE(FrmScale(s, w.msg).Casella(0)->text(), QStringLiteral("1"));
    }

    // An open moment window follows the model: a file opened clears it (an
    // empty picture, the reason in its status line), "Calcola" paints the new
    // problem without a resize, a failed calculation and "Nuovo" clear it
    // again. Witness: the picture painted by the window itself after the
    // events ran, against the one of a fresh window on the same problem.
    void segueIlModello() {
        Finestra w;
        QVERIFY(w.Apri("appoggio-appoggio"));
        FinestraDiagramma* m = Diagramma(w, 0);
        QVERIFY(m && QTest::qWaitForWindowExposed(m));
        m->resize(600, 400);
        QApplication::processEvents();
        const QString scalaPrima = m->Stato()->text();
        QVERIFY(scalaPrima.startsWith("Scala momenti 1:"));
        const QImage prima = m->Area()->grab().toImage();
        QVERIFY(!Disegnato(prima).isEmpty());
        const QString vuoto = QString::fromUtf8(TestoNessunRisultato);

        // Another file (other loads): no results yet, nothing drawn.
        w.risposte = {Esempio("incastro-incastro")};
        QVERIFY(w.Voce(QStringLiteral("&Apri")));
        QTRY_COMPARE(m->Stato()->text(), vuoto);
        QVERIFY(Disegnato(m->Area()->grab().toImage()).isEmpty());

        // "Calcola": the window paints the new results by itself.
        w.f->btnCalcola_Click();
        QTRY_VERIFY(m->Stato()->text().startsWith("Scala momenti 1:"));
        const QImage dopo = m->Area()->grab().toImage();
        QVERIFY(!Disegnato(dopo).isEmpty());
        QVERIFY(dopo != prima);
        // The same picture as a window opened afresh on this problem.
        FinestraDiagramma nuova(
            0, [&] { return ContestoFinestre(w.f->Modello()); }, w.msg);
        nuova.resize(m->size());
        nuova.show();
        QVERIFY(QTest::qWaitForWindowExposed(&nuova));
        nuova.resize(nuova.size() + (m->Area()->size() - nuova.Area()->size()));
        QApplication::processEvents();
        QCOMPARE(nuova.Area()->size(), m->Area()->size());
        QCOMPARE(nuova.Area()->grab().toImage(), dopo);
        nuova.hide();

        // A longer span: a new scale and a new picture, still without a resize.
        const QString scalaIncastro = m->Stato()->text();
        w.f->Modello().Campo_Edita(w.f->Modello().txtDati[0], "60");
        w.f->btnCalcola_Click();
        QTRY_VERIFY(m->Stato()->text() != scalaIncastro);
        QVERIFY(m->Stato()->text().startsWith("Scala momenti 1:"));
        QVERIFY(m->Area()->grab().toImage() != dopo);

        // A failed calculation: nothing of the earlier results is shown.
        w.f->Modello().Campo_Edita(w.f->Modello().txtDati[3], "cento");
        w.f->btnCalcola_Click();
        QVERIFY(!w.msg.elenco.empty());
        QTRY_COMPARE(m->Stato()->text(), vuoto);
        QVERIFY(Disegnato(m->Area()->grab().toImage()).isEmpty());

        // Results again, then "Nuovo" (the changes dropped).
        w.f->Modello().Campo_Edita(w.f->Modello().txtDati[3], "100");
        w.f->btnCalcola_Click();
        QTRY_VERIFY(m->Stato()->text().startsWith("Scala momenti 1:"));
        w.msg.risposteAnnulla = {Risposta::No};
        QVERIFY(w.Voce(QStringLiteral("&Nuovo")));
        QTRY_COMPARE(m->Stato()->text(), vuoto);
        QVERIFY(Disegnato(m->Area()->grab().toImage()).isEmpty());
    }

    // A foundation whose soil does not react in tension runs its passes with
    // the window's events: an open diagram is painted after the calculation,
    // never from results half computed (no fault message).
    void durantePassiDelCalcolo() {
        Finestra w;
        QVERIFY(w.Apri("fondazione-winkler"));
        QVERIFY(!w.f->Modello().Modulo.Dati.ReagTraz);
        FinestraDiagramma* m = Diagramma(w, 0);
        QVERIFY(m && QTest::qWaitForWindowExposed(m));
        for (int i = 0; i < 2; ++i) {
            w.f->btnCalcola_Click();
            QVERIFY(w.msg.elenco.empty());
            QTRY_VERIFY(m->Stato()->text().startsWith("Scala momenti 1:"));
            QVERIFY(w.msg.elenco.empty());
        }
    }

    // A change of units repaints the open window by itself (its labels in
    // the new units).
    void seguonoLeUnita() {
        Finestra w;
        QVERIFY(w.Apri("mensola"));
        FinestraDiagramma* m = Diagramma(w, 0);
        QVERIFY(m && QTest::qWaitForWindowExposed(m));
        QApplication::processEvents();
        const QImage prima = m->Area()->grab().toImage();
        ContaDisegni conta;
        m->Area()->installEventFilter(&conta);
        ModelloForm& f = w.f->Modello();
        f.frmUnits_Apri();
        f.frmUnits_SistemaSI();
        f.frmUnits_OK();
        w.f->Aggiorna(); // as the units window does after OK
        QTRY_VERIFY(conta.n > 0);
        m->Area()->removeEventFilter(&conta);
        QVERIFY(m->Area()->grab().toImage() != prima);
    }

    // The scale dialog opened from the menu shows the scales the diagrams
    // use: the automatic ones of the results (the moment window's status
    // line), then the user's.
    void scaleInVigore() {
        Finestra w;
        QVERIFY(w.Apri("appoggio-appoggio"));
        FinestraDiagramma* m = Diagramma(w, 0);
        FinestraDiagramma* t = Diagramma(w, 1);
        QVERIFY(m && t);
        const QString sm = m->Stato()->text().section(':', 1);
        const QString st = t->Stato()->text().section(':', 1);
        QVERIFY(!sm.isEmpty() && sm != "1");
        QStringList visti;
        auto leggi = [&] {
            auto* d = w.f->findChild<FrmScale*>();
            if (!d) return;
            visti = {d->Casella(0)->text(), d->Casella(1)->text()};
            d->Casella(0)->setText("250");
            d->Casella(1)->setText("40");
            QTest::mouseClick(d->PulsanteOK(), Qt::LeftButton);
        };
        QTimer::singleShot(0, w.f.get(), leggi);
        QVERIFY(w.Voce(QStringLiteral("&Scelta scale dwg, dxf")));
        QCOMPARE(visti, (QStringList{sm, st}));
        QTRY_COMPARE(m->Stato()->text(), QStringLiteral("Scala momenti 1:250"));
        QTimer::singleShot(0, w.f.get(), leggi);
        QVERIFY(w.Voce(QStringLiteral("&Scelta scale dwg, dxf")));
        QCOMPARE(visti, (QStringList{"250", "40"}));
    }

    // Typed scales are read strictly with the regional separators: a text
    // that is not a number is refused naming its box, the focus goes there
    // and the scales stay as they were.
    void scaleLetturaRigorosa() {
        ScaleUtente s{true, 50, 20};
        RegistroMessaggi msg;
        const Separatori it{",", "."};
        FrmScale d(s, msg, it, nullptr, std::array<double, 2>{0.5, 2.5});
        d.show();
        QVERIFY(QTest::qWaitForWindowExposed(&d));
        QCOMPARE(d.Casella(0)->text(), QStringLiteral("50")); // the user scales are on
        d.Casella(0)->setText("12,5");
        d.Casella(1)->setText("2.5"); // a point is not the decimal separator here
        QTest::mouseClick(d.PulsanteOK(), Qt::LeftButton);
        QVERIFY(d.isVisible());
        QCOMPARE(msg.Testi(),
                 std::vector<std::string>{TestoNumeroRifiutato("Scala Tagli", "2.5", it)});
        QCOMPARE(QApplication::focusWidget(), d.Casella(1));
        QCOMPARE(std::tuple(s.ScalaUtente, s.ScalaMomentiUtente, s.ScalaTagliUtente),
                 std::tuple(true, 50.0, 20.0));
        d.Casella(0)->setText("1.2x");
        d.Casella(1)->setText("2,5");
        QTest::mouseClick(d.PulsanteOK(), Qt::LeftButton);
        QCOMPARE(msg.elenco.back().testo, TestoNumeroRifiutato("Scala Momenti", "1.2x", it));
        QCOMPARE(QApplication::focusWidget(), d.Casella(0));
        QCOMPARE(s.ScalaMomentiUtente, 50.0);
        d.Casella(0)->setText("1.250,5");
        QTest::mouseClick(d.PulsanteOK(), Qt::LeftButton);
        QVERIFY(!d.isVisible());
        QCOMPARE(std::tuple(s.ScalaMomentiUtente, s.ScalaTagliUtente), std::tuple(1250.5, 2.5));
        // Shown with the regional decimal separator.
        s.ScalaUtente = false;
        FrmScale e(s, msg, it, nullptr, std::array<double, 2>{0.5, 2.5});
        QCOMPARE(e.Casella(0)->text(), QStringLiteral("0,5"));
        QCOMPARE(e.Casella(1)->text(), QStringLiteral("2,5"));
    }

    // The value read at the mouse is the command-line tool's value at that
    // abscissa, for a beam and a foundation; a click copies "x; value".
    void valoreAlMouseComeZelvoCalc() {
        for (const char* nome : {"appoggio-appoggio", "fondazione-winkler"}) {
            Finestra w;
            QVERIFY(w.Apri(nome));
            FinestraDiagramma* m = Diagramma(w, 0);
            m->resize(700, 450);
            QApplication::processEvents();
            m->Area()->repaint();
            const QPoint p(int(0.37 * m->Area()->width()), 100);
            QMouseEvent muovi(QEvent::MouseMove, p, m->Area()->mapToGlobal(p), Qt::NoButton,
                              Qt::NoButton, Qt::NoModifier);
            QApplication::sendEvent(m->Area(), &muovi);
            QApplication::processEvents();
            const auto l = m->Modello().Leggi(w.f->Modello().ContestoDisegno(), p.x());
            QVERIFY(l && l->freccia);
            QCOMPARE(m->Stato()->text(), QString::fromStdString(l->stato));
            QTest::mouseClick(m->Area(), Qt::LeftButton, {}, p);
            QCOMPARE(QApplication::clipboard()->text(), QString::fromStdString(l->appunti));
            // The same problem with its abscissa x at the reading, through the tool.
            QTemporaryDir dir;
            const QString file = dir.filePath("x.zlv");
            w.f->Modello().txtX[0].Edita(l->appunti.substr(0, l->appunti.find(';')));
            QVERIFY(w.f->Modello().FileSalvaCome(file.toStdString()));
            QByteArray out;
            QCOMPARE(Calc({file, "--json"}, &out), 0);
            const QJsonObject r = QJsonDocument::fromJson(out).object()["results"].toObject();
            QCOMPARE(float(r["Mx"].toDouble()), float(l->valore));
            QCOMPARE(float(r["fx"].toDouble()), float(*l->freccia));
        }
    }

    // A DXF name typed without extension: the drawing goes to "<name>.dxf".
    void dxfSenzaEstensione() {
        Finestra w;
        QVERIFY(w.Apri("mensola"));
        QTemporaryDir dir;
        w.risposte = {dir.filePath("disegno").toStdString()};
        QVERIFY(w.Voce(QStringLiteral("E&xporta Diagrammi in DXF")));
        QVERIFY(!QFile::exists(dir.filePath("disegno")));
        QVERIFY(Leggi(dir.filePath("disegno.dxf")).size() > 1000);
        QVERIFY(w.msg.elenco.empty());
    }

    // The DXF item: the save dialog proposes the file's name; the DXF written
    // is byte-identical to zelvo-calc --dxf; Cancel writes nothing and says
    // nothing. The CAD item: no CAD application can be reached, its message.
    void dxfECadDalMenu() {
        Finestra w;
        QVERIFY(w.Apri("mensola"));
        QTemporaryDir dir;
        w.risposte = {dir.filePath("menu.dxf").toStdString()};
        QVERIFY(w.Voce(QStringLiteral("E&xporta Diagrammi in DXF")));
        QCOMPARE(w.richieste.at(0).nomeIniziale, std::string("mensola.dxf"));
        QCOMPARE(
            Calc({QString::fromStdString(Esempio("mensola")), "--dxf", dir.filePath("calc.dxf")}),
            0);
        QVERIFY(Leggi(dir.filePath("menu.dxf")).size() > 1000);
        QVERIFY(Leggi(dir.filePath("menu.dxf")) == Leggi(dir.filePath("calc.dxf")));
        QVERIFY(w.Voce(QStringLiteral("E&xporta Diagrammi in DXF")));
        QVERIFY(w.msg.elenco.empty());

        QVERIFY(w.Voce(QStringLiteral("&Disegna Diagrammi in Autocad")));
        QCOMPARE(w.msg.Testi(),
                 std::vector<std::string>{"Impossibile aprire Autocad.\r\nControllare che la "
                                          "versione di Autocad non sia LT"});
        QCOMPARE(w.msg.elenco[0].icona, Icona::Critica);
    }
};

ZELVO_TEST_UI(TestDiagrammi)

#include "test_diagrammi.moc"
