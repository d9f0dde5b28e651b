// The diagram windows, the scale dialog, the information window and the
// DXF / CAD items of the File menu on the offscreen platform. Witnesses: the
// command-line tool on the same problem (values at x, DXF bytes), the
// window's own size (a drawing spans the band it is given).
#include "test_ui.h"

#include "form/diagrammi_form.h"
#include "graphics/cad.h"
#include "ui/diagrammi_qt.h"
#include "ui/finestra_diagramma.h"
#include "ui/frm_dati.h"
#include "ui/frm_infor.h"
#include "ui/frm_scale.h"

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <deque>

using namespace zelvo;

namespace {

std::string Esempio(const char* nome) {
    return std::string(ZELVO_SOURCE_DIR) + "/examples/" + nome + ".zlv";
}

// A main window with its diagram windows, messages recorded and file
// dialogs answered from a queue.
struct Finestra {
    RegistroMessaggi msg;
    std::deque<std::string> risposte;
    std::unique_ptr<FrmDati> f;
    Finestra() {
        OpzioniFrmDati o;
        o.messaggi = &msg;
        o.sceltaFile = [this](const RichiestaDialogo&) -> std::optional<std::string> {
            if (risposte.empty()) return std::nullopt;
            std::string r = risposte.front();
            risposte.pop_front();
            return r;
        };
        f = std::make_unique<FrmDati>(std::move(o));
    }
    DiagrammiQt& D() { return *DiagrammiQt::Di(*f); }
    bool Apri(const char* nome) { return f->Modello().ApriFileDati(Esempio(nome)); }
};

// The box of the pixels that are not white.
QRect Disegnato(const QImage& i) {
    int x0 = i.width(), x1 = -1, y0 = i.height(), y1 = -1;
    for (int y = 0; y < i.height(); ++y)
        for (int x = 0; x < i.width(); ++x)
            if (qGray(i.pixel(x, y)) < 200) {
                x0 = std::min(x0, x), x1 = std::max(x1, x);
                y0 = std::min(y0, y), y1 = std::max(y1, y);
            }
    return x1 < 0 ? QRect() : QRect(QPoint(x0, y0), QPoint(x1, y1));
}

// zelvo-calc on a file: its exit status.
int Calc(const QStringList& argomenti, QByteArray* out = nullptr) {
    QProcess p;
    p.start(QStringLiteral(ZELVO_CALC), argomenti);
    p.waitForFinished(60000);
    if (out) *out = p.readAllStandardOutput();
    return p.exitCode();
}

QByteArray Leggi(const QString& p) {
    QFile f(p);
    f.open(QIODevice::ReadOnly);
    return f.readAll();
}

} // namespace

class TestDiagrammi : public QObject {
    Q_OBJECT

  private slots:
    // A resized window repaints its diagram to fit: at two sizes the drawing
    // spans the same band of the picture (0.1 to 0.85 of the width).
    void ridimensionataRidisegnaPerAdattarsi() {
        Finestra w;
        QVERIFY(w.Apri("appoggio-appoggio"));
        w.f->cbDiagramma_Click(0);
        FinestraDiagramma* m = w.D().Finestra(0);
        QVERIFY(m && m->isVisible());
        for (QSize s : {QSize(700, 450), QSize(420, 300)}) {
            m->resize(s);
            QApplication::processEvents();
            const QImage i = m->Area()->grab().toImage();
            const QRect r = Disegnato(i);
            QVERIFY2(!r.isNull(), "nothing drawn");
            const double W = i.width(), H = i.height();
            QVERIFY2(
                r.left() <= 0.12 * W && r.right() >= 0.83 * W,
                qPrintable(QStringLiteral("%1..%2 of %3").arg(r.left()).arg(r.right()).arg(W)));
            QVERIFY(r.top() <= 0.2 * H && r.bottom() >= 0.6 * H);
            QVERIFY(m->Modello().Disegnato());
        }
        QVERIFY(w.msg.elenco.empty());
    }

    // The three windows open together, cascaded, each with its own plot
    // window and scale in its status line.
    void treFinestreInsieme() {
        Finestra w;
        QVERIFY(w.Apri("fondazione-winkler"));
        for (int i = 0; i < 3; ++i)
            w.f->cbDiagramma_Click(i);
        QApplication::processEvents();
        QStringList titoli;
        for (int i = 0; i < 3; ++i) {
            FinestraDiagramma* d = w.D().Finestra(i);
            QVERIFY(d && d->isVisible());
            titoli << d->windowTitle();
            d->Area()->repaint();
            QVERIFY(d->Modello().Disegnato());
        }
        QCOMPARE(titoli, (QStringList{"Diagramma Momento", "Diagramma Taglio", "Carichi"}));
        QCOMPARE(w.D().Finestra(1)->pos() - w.D().Finestra(0)->pos(), QPoint(33, 26));
        const Plottaggio* a = w.D().Finestra(0)->Modello().Disegnatore().Finestra();
        QCOMPARE(a, nullptr); // released at the end of each moment diagram
        QVERIFY(&w.D().Finestra(0)->Modello().Disegnatore() !=
                &w.D().Finestra(1)->Modello().Disegnatore());
        QVERIFY(w.D().Finestra(0)->Stato()->text().startsWith("Scala momenti 1:"));
        QVERIFY(w.D().Finestra(1)->Stato()->text().startsWith("Scala tagli 1:"));
        // Opened again: the same window, brought to the front.
        FinestraDiagramma* prima = w.D().Finestra(2);
        w.f->cbDiagramma_Click(2);
        QCOMPARE(w.D().Finestra(2), prima);
        QVERIFY(w.msg.elenco.empty());
    }

    // The scale dialog: first opening, Enter keys, keypad decimal key, OK,
    // Annulla; the load diagram ignores the scales.
    void dialogoScale() {
        Finestra w;
        QVERIFY(w.Apri("appoggio-appoggio"));
        ScaleUtente& s = w.D().ScaleCorrenti();
        w.f->cbDiagramma_Click(2);
        QApplication::processEvents();
        w.D().Finestra(2)->Area()->repaint();
        const double carichi = w.D().Finestra(2)->Modello().Disegnatore().Stato().ScalaTrapezi;
        QVERIFY(carichi > 0);
        {
            FrmScale d(s, w.msg);
            d.show();
            QVERIFY(QTest::qWaitForWindowExposed(&d));
            QCOMPARE(d.windowTitle(), QStringLiteral("Scale Plottaggio"));
            QCOMPARE(d.Casella(0)->text(), QStringLiteral("1"));
            QCOMPARE(d.Casella(1)->text(), QStringLiteral("1"));
            QCOMPARE(QApplication::focusWidget(), d.Casella(0));
            QTest::keyClicks(d.Casella(0), "50000"); // the selected "1" is replaced
            QTest::keyClick(d.Casella(0), Qt::Key_Return);
            QCOMPARE(QApplication::focusWidget(), d.Casella(1));
            QVERIFY(d.Casella(1)->hasSelectedText());
            QTest::keyClicks(d.Casella(1), "12");
            QTest::keyClick(d.Casella(1), Qt::Key_Period, Qt::KeypadModifier);
            QTest::keyClicks(d.Casella(1), "5");
            const QString sep = QString::fromStdString(d.Modello().TastoDecimale());
            QCOMPARE(d.Casella(1)->text(), "12" + sep + "5");
            QTest::keyClick(d.Casella(1), Qt::Key_Return); // presses OK
            QCOMPARE(d.result(), int(QDialog::Accepted));
        }
        QVERIFY(s.ScalaUtente);
        QCOMPARE(s.ScalaMomentiUtente, 50000.0);
        QCOMPARE(s.ScalaTagliUtente, 12.5);
        for (int i = 0; i < 3; ++i)
            w.f->cbDiagramma_Click(i);
        QApplication::processEvents();
        for (int i = 0; i < 3; ++i)
            w.D().Finestra(i)->Area()->repaint();
        QCOMPARE(w.D().Finestra(0)->Stato()->text(), QStringLiteral("Scala momenti 1:50000"));
        QCOMPARE(w.D().Finestra(1)->Stato()->text(), QStringLiteral("Scala tagli 1:12.5"));
        QCOMPARE(w.D().Finestra(2)->Modello().Disegnatore().Stato().ScalaTrapezi, carichi);
        {
            // Opened again: the scales as text; a scale of 0 is refused.
            FrmScale d(s, w.msg);
            d.show();
            QCOMPARE(d.Casella(0)->text(), QStringLiteral("50000"));
            d.Casella(0)->setText("0");
            QTest::mouseClick(d.PulsanteOK(), Qt::LeftButton);
            QVERIFY(d.isVisible());
            QCOMPARE(w.msg.Testi(), std::vector<std::string>{TestoScalaNonValida});
            QTest::mouseClick(d.PulsanteAnnulla(), Qt::LeftButton);
        }
        QVERIFY(!s.ScalaUtente); // automatic again
        FrmScale d(s, w.msg);
        QCOMPARE(d.Casella(0)->text(), QStringLiteral("1"));
        QCOMPARE(d.Casella(1)->text(), QStringLiteral("1"));
    }

    // The value read at the mouse is the command-line tool's value at that
    // abscissa, for a beam and a foundation; a click copies "x; value".
    void valoreAlMouseComeZelvoCalc() {
        for (const char* nome : {"appoggio-appoggio", "fondazione-winkler"}) {
            Finestra w;
            QVERIFY(w.Apri(nome));
            w.f->cbDiagramma_Click(0);
            FinestraDiagramma* m = w.D().Finestra(0);
            m->resize(700, 450);
            QApplication::processEvents();
            m->Area()->repaint();
            const int colonna = int(0.37 * m->Area()->width());
            QMouseEvent muovi(QEvent::MouseMove, QPointF(colonna, 100),
                              m->Area()->mapToGlobal(QPointF(colonna, 100)), Qt::NoButton,
                              Qt::NoButton, Qt::NoModifier);
            QApplication::sendEvent(m->Area(), &muovi);
            QApplication::processEvents();
            const auto l = m->Modello().Leggi(w.f->Modello().ContestoDisegno(), colonna);
            QVERIFY(l);
            QCOMPARE(m->Stato()->text(), QString::fromStdString(l->stato));
            QTest::mouseClick(m->Area(), Qt::LeftButton, {}, QPoint(colonna, 100));
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
            QVERIFY(l->freccia);
            QCOMPARE(float(r["fx"].toDouble()), float(*l->freccia));
        }
    }

    // File item 10: the save dialog proposes the file's name; the DXF written
    // is byte-identical to zelvo-calc --dxf on the same problem.
    void dxfDalMenuComeZelvoCalc() {
        Finestra w;
        QVERIFY(w.Apri("mensola"));
        QTemporaryDir dir;
        w.risposte.push_back(dir.filePath("menu.dxf").toStdString());
        w.f->mnuFileItem_Click(10);
        QVERIFY(w.msg.elenco.empty());
        QCOMPARE(
            Calc({QString::fromStdString(Esempio("mensola")), "--dxf", dir.filePath("calc.dxf")}),
            0);
        const QByteArray a = Leggi(dir.filePath("menu.dxf")), b = Leggi(dir.filePath("calc.dxf"));
        QVERIFY(a.size() > 1000);
        QVERIFY(a == b);
        // Cancel in the dialog: no file, no message.
        w.f->mnuFileItem_Click(10);
        QVERIFY(w.msg.elenco.empty());
    }

    // File item 8: no CAD application can be reached; its message, nothing hangs.
    void voceAutocad() {
        Finestra w;
        QVERIFY(w.Apri("mensola"));
        w.f->mnuFileItem_Click(8);
        QCOMPARE(w.msg.Testi(), std::vector<std::string>{TestoCadAssente});
        QCOMPARE(w.msg.elenco[0].icona, Icona::Critica);
    }

    void informazioni() {
        FrmInfor d;
        d.show();
        QCOMPARE(d.windowTitle(), QStringLiteral("Informazioni: ZELVO.EXE"));
        QStringList testi;
        for (QLabel* l : d.findChildren<QLabel*>())
            testi << l->text();
        QVERIFY(testi.contains("ZELVO"));
        QVERIFY(testi.contains("(Versione 5.4 - 24 settembre 2006)"));
        QCOMPARE(d.PulsanteOK()->text(), QStringLiteral("&OK"));
        QTest::mouseClick(d.PulsanteOK(), Qt::LeftButton);
        QVERIFY(!d.isVisible());
        // From the menu: modal, answered by a single-shot timer.
        Finestra w;
        bool visto = false;
        QTimer::singleShot(0, [&] {
            auto* m = qobject_cast<FrmInfor*>(QApplication::activeModalWidget());
            visto = m != nullptr;
            if (m) m->PulsanteOK()->click();
        });
        w.f->mnuAiutoItem_Click(2);
        QVERIFY(visto);
    }
};

ZELVO_TEST_UI(TestDiagrammi)

#include "test_diagrammi.moc"
