// What the window remembers between runs, in a settings file of a temporary
// folder: written by one window, read by a new one (a restart). The recent
// files in the File menu, the window's and the diagram windows' geometry,
// the splitter, the data folder and the units of a new problem; and the
// diagram picture at a device pixel ratio of 2. Witnesses: the files opened
// in the test and their order written out by hand, the sizes set by the
// test, the units of the example read by a window that remembers nothing,
// the picture at ratio 1.
#include "test_ui.h"

#include "graphics_qt/superficie_qt.h"
#include "ui/diagrammi_qt.h"
#include "ui/finestra_diagramma.h"
#include "ui/finestra_unita.h"
#include "ui/impostazioni_qt.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QFile>
#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QSplitter>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace zelvo;
using namespace zelvo::test;

namespace {

// The paths listed in "File recenti", as the menu shows them when it opens.
QStringList Recenti(FrmDati& f) {
    QMenu* m = f.FileRecenti();
    if (!m) return {};
    emit m->aboutToShow();
    QStringList l;
    for (QAction* a : m->actions())
        if (a->isEnabled() && a->data().isValid()) l << a->data().toString();
    return l;
}

// Chooses the entry of "File recenti" for this path.
bool Scegli(FrmDati& f, const QString& percorso) {
    emit f.FileRecenti()->aboutToShow();
    for (QAction* a : f.FileRecenti()->actions())
        if (a->data().toString() == percorso) return a->trigger(), true;
    return false;
}

class Cartella {
  public:
    QTemporaryDir dir;
    // The settings file of one "installation".
    QString Impostazioni() const { return dir.filePath(QStringLiteral("zelvo.conf")); }
    std::shared_ptr<ArchivioImpostazioni> Archivio() const {
        return std::make_shared<ArchivioQSettings>(Impostazioni());
    }
    // A copy of an example under a name of its own.
    QString Copia(const char* esempio, const QString& nome) const {
        const QString p = dir.filePath(nome);
        QFile::remove(p);
        QFile::copy(QString::fromStdString(Esempio(esempio)), p);
        return p;
    }
};

} // namespace

class TestStato : public QObject {
    Q_OBJECT

  private slots:
    // Files opened by one window are listed, most recent first, by the
    // next one; choosing one opens it and moves it to the top.
    void recentiSopravvivonoAlRiavvio() {
        Cartella c;
        const QString a = c.Copia("mensola", "a.zlv"), b = c.Copia("incastro-incastro", "b.zlv"),
                      d = c.Copia("appoggio-appoggio", "d.zlv");
        {
            Finestra w(false, c.Archivio());
            QCOMPARE(Recenti(*w.f), QStringList{});
            for (const QString& p : {a, b, d})
                QVERIFY(w.f->Modello().ApriFileDati(p.toStdString()));
            QCOMPARE(Recenti(*w.f), (QStringList{d, b, a}));
        }
        QVERIFY(QFile::exists(c.Impostazioni()));
        Finestra w(false, c.Archivio());
        QCOMPARE(Recenti(*w.f), (QStringList{d, b, a}));
        // The submenu sits in the File menu, its entries numbered.
        QCOMPARE(w.f->FileRecenti()->title(), QStringLiteral("File &recenti"));
        QCOMPARE(w.f->FileRecenti()->actions().at(1)->text(), QStringLiteral("&2 ") + b);
        QVERIFY(Scegli(*w.f, b));
        QCOMPARE(QString::fromStdString(w.f->Modello().PercorsoFile), b);
        QCOMPARE(TitoloMostrato(w.f.get()), QStringLiteral("Trave Zelvo - File: b"));
        QCOMPARE(Recenti(*w.f), (QStringList{b, d, a}));
        QVERIFY(w.msg.elenco.empty());
    }

    // Ten files opened: the last eight; one opened again goes to the top
    // without repetition; "S&alva come..." lists the new name.
    void ottoSenzaRipetizioni() {
        Cartella c;
        QStringList aperti;
        for (int k = 0; k < 10; ++k)
            aperti << c.Copia("mensola", QStringLiteral("f%1.zlv").arg(k));
        {
            Finestra w(false, c.Archivio());
            for (const QString& p : aperti)
                QVERIFY(w.f->Modello().ApriFileDati(p.toStdString()));
        }
        Finestra w(false, c.Archivio());
        QStringList attesi;
        for (int k = 9; k >= 2; --k)
            attesi << aperti[k];
        QCOMPARE(Recenti(*w.f), attesi);
        QVERIFY(w.f->Modello().ApriFileDati(aperti[5].toStdString()));
        attesi = QStringList{aperti[5], aperti[9], aperti[8], aperti[7],
                             aperti[6], aperti[4], aperti[3], aperti[2]};
        QCOMPARE(Recenti(*w.f), attesi);
        const QString nuovo = c.dir.filePath(QStringLiteral("nuovo.zlv"));
        QVERIFY(w.f->Modello().FileSalvaCome(nuovo.toStdString()));
        attesi.prepend(nuovo);
        attesi.removeLast();
        QCOMPARE(Recenti(*w.f), attesi);
    }

    // A listed file deleted in the meantime: chosen, it is removed from the
    // list with a message, and the open problem stays.
    void mancanteTolto() {
        Cartella c;
        const QString a = c.Copia("mensola", "a.zlv"), b = c.Copia("incastro-incastro", "b.zlv");
        {
            Finestra w(false, c.Archivio());
            QVERIFY(w.f->Modello().ApriFileDati(a.toStdString()));
            QVERIFY(w.f->Modello().ApriFileDati(b.toStdString()));
        }
        QVERIFY(QFile::remove(a));
        Finestra w(false, c.Archivio());
        QVERIFY(w.f->Modello().ApriFileDati(b.toStdString()));
        QVERIFY(Scegli(*w.f, a));
        QCOMPARE(w.msg.Testi(),
                 std::vector<std::string>{"Il file " + a.toStdString() +
                                          " non esiste più ed è stato tolto dai file recenti."});
        QCOMPARE(QString::fromStdString(w.f->Modello().PercorsoFile), b);
        QCOMPARE(Recenti(*w.f), QStringList{b});
        // and after a restart too
        Finestra dopo(false, c.Archivio());
        QCOMPARE(Recenti(*dopo.f), QStringList{b});
    }

    // Unsaved changes: choosing a recent file asks first; "Annulla" keeps
    // the problem as it is.
    void chiedePrimaDiAbbandonare() {
        Cartella c;
        const QString a = c.Copia("mensola", "a.zlv"), b = c.Copia("incastro-incastro", "b.zlv");
        Finestra w(false, c.Archivio());
        QVERIFY(w.f->Modello().ApriFileDati(a.toStdString()));
        QVERIFY(w.f->Modello().ApriFileDati(b.toStdString()));
        w.f->Modello().Campo_Edita(w.f->Modello().txtTitolo, "cambiato");
        w.msg.risposteAnnulla.push_back(Risposta::Annulla);
        QVERIFY(Scegli(*w.f, a));
        QCOMPARE(w.msg.Testi(),
                 std::vector<std::string>{"I dati sono stati modificati. Salvare le modifiche?"});
        QCOMPARE(QString::fromStdString(w.f->Modello().PercorsoFile), b);
        w.msg.elenco.clear();
        w.msg.risposteAnnulla.push_back(Risposta::No);
        QVERIFY(Scegli(*w.f, a));
        QCOMPARE(QString::fromStdString(w.f->Modello().PercorsoFile), a);
    }

    // The main window's geometry and splitter, and a diagram window's size,
    // come back in the next run.
    void geometriaRicordata() {
        Cartella c;
        const QSize dimensione(760, 540), dimensioneDiagramma(430, 310);
        QList<int> parti;
        {
            Finestra w(true, c.Archivio());
            QVERIFY(w.f->Modello().ApriFileDati(Esempio("appoggio-appoggio")));
            w.f->resize(dimensione);
            w.f->show();
            QVERIFY(QTest::qWaitForWindowExposed(w.f.get()));
            QSplitter* s = w.f->Divisore();
            QVERIFY(s);
            s->setSizes({500, 300, 400});
            QApplication::processEvents();
            parti = s->sizes();
            QVERIFY(parti[0] > parti[1]); // not the first layout (4 : 4 : 5)
            w.f->cbDiagramma_Click(0);
            FinestraDiagramma* d = DiagrammiQt::Di(*w.f)->Finestra(0);
            QVERIFY(d);
            d->resize(dimensioneDiagramma);
            QApplication::processEvents();
        }
        Finestra w(true, c.Archivio());
        QCOMPARE(w.f->size(), dimensione);
        QVERIFY(w.f->Modello().ApriFileDati(Esempio("appoggio-appoggio")));
        w.f->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.f.get()));
        QTRY_COMPARE(w.f->Divisore()->sizes(), parti);
        w.f->cbDiagramma_Click(0);
        FinestraDiagramma* d = DiagrammiQt::Di(*w.f)->Finestra(0);
        QVERIFY(d);
        QCOMPARE(d->size(), dimensioneDiagramma);
        // A window that remembers nothing keeps its first size.
        Finestra nuova(true);
        QCOMPARE(nuova.f->size(), QSize(1280, 800));
    }

    // The data folder and the units chosen at a start without a file come
    // back at the next start; a file opened keeps its own units.
    void cartellaEUnitaRicordate() {
        Cartella c;
        const QString a = c.Copia("appoggio-appoggio", "a.zlv");
        const auto scegli = [this](int gruppo, int opzione) {
            QTimer::singleShot(0, this, [gruppo, opzione] {
                auto* u = qobject_cast<FrmUnits*>(QApplication::activeModalWidget());
                if (!u) return;
                Clic(u->Opzione(gruppo, opzione));
                Clic(u->OK());
            });
        };
        {
            Finestra w(true, c.Archivio());
            scegli(0, 2); // lengths in mm
            w.f->Avvio({});
            QCOMPARE(w.f->Unita().UnitaModello[0], std::string("mm"));
            QVERIFY(w.f->Modello().ApriFileDati(a.toStdString()));
        }
        {
            Finestra w(true, c.Archivio());
            QList<int> proposte;
            QTimer::singleShot(0, this, [&proposte] {
                auto* u = qobject_cast<FrmUnits*>(QApplication::activeModalWidget());
                if (!u) return;
                for (int g = 0; g < 4; ++g)
                    for (int k = 0; k < 3; ++k)
                        if (u->Opzione(g, k)->isChecked()) proposte << k;
                Clic(u->OK());
            });
            w.f->Avvio({});
            QCOMPARE(proposte, (QList<int>{2, 1, 1, 1})); // mm, MPa, kN, cm
            QCOMPARE(w.f->Unita().UnitaModello,
                     (std::array<std::string, 5>{"mm", "MPa", "t", "kN", "cm"}));
            QCOMPARE(QString::fromStdString(w.f->Modello().CartellaDati), c.dir.path());
        }
        // The example with remembered mm: the same as with nothing remembered.
        Finestra senza(false);
        senza.f->Avvio({a});
        Finestra con(false, c.Archivio());
        con.f->Avvio({a});
        QCOMPARE(con.f->Unita().UnitaModello, senza.f->Unita().UnitaModello);
        QCOMPARE(con.f->Unita().UnitaModello[0], std::string("m"));
        QCOMPARE(con.f->Campo("txtDati", 0)->text(), senza.f->Campo("txtDati", 0)->text());
    }

    // The diagram painted for a screen at ratio 2 has twice the pixels each
    // way, covers the same part of the picture, and has detail of its own at
    // the finer pixels (not a ratio-1 picture with its pixels doubled).
    void diagrammaDoppiaRisoluzione() {
        Finestra w;
        QVERIFY(w.Apri("appoggio-appoggio"));
        w.f->cbDiagramma_Click(0);
        FinestraDiagramma* d = DiagrammiQt::Di(*w.f)->Finestra(0);
        QVERIFY(d);
        d->resize(500, 360);
        QApplication::processEvents();
        const QImage uno = d->Area()->Immagine(1), due = d->Area()->Immagine(2);
        QCOMPARE(due.size(), uno.size() * 2);
        QCOMPARE(due.devicePixelRatio(), 2.0);
        QCOMPARE(due.deviceIndependentSize().toSize(), d->Area()->size());
        const QRect r1 = Disegnato(uno), r2 = Disegnato(due);
        QVERIFY(!r1.isEmpty());
        QVERIFY2(std::abs(r2.left() - 2 * r1.left()) <= 3 &&
                     std::abs(r2.top() - 2 * r1.top()) <= 3 &&
                     std::abs(r2.right() - 2 * r1.right()) <= 3 &&
                     std::abs(r2.bottom() - 2 * r1.bottom()) <= 3,
                 qPrintable(QStringLiteral("%1,%2 %3x%4 / %5,%6 %7x%8")
                                .arg(r1.x())
                                .arg(r1.y())
                                .arg(r1.width())
                                .arg(r1.height())
                                .arg(r2.x())
                                .arg(r2.y())
                                .arg(r2.width())
                                .arg(r2.height())));
        // 2x2 blocks of the ratio-2 picture that are not of one colour.
        int misti = 0, disegnati = 0;
        for (int y = 0; y + 1 < due.height(); y += 2)
            for (int x = 0; x + 1 < due.width(); x += 2) {
                const QRgb p = due.pixel(x, y);
                if (qGray(p) < 200) ++disegnati;
                if (due.pixel(x + 1, y) != p || due.pixel(x, y + 1) != p ||
                    due.pixel(x + 1, y + 1) != p)
                    ++misti;
            }
        QVERIFY2(misti > disegnati / 10,
                 qPrintable(QStringLiteral("%1 of %2").arg(misti).arg(disegnati)));
        // The picture at the screen's ratio is what the window shows.
        const QImage schermo = d->Area()->grab().toImage();
        QCOMPARE(
            d->Area()->Immagine(schermo.devicePixelRatio()).convertToFormat(QImage::Format_RGB32),
            schermo.convertToFormat(QImage::Format_RGB32));
    }

    // Every caption of the main window (with results shown), the diagram
    // window and the units window has at least the room its text needs:
    // nothing is cut off (this class runs at scale 1 and at scale 2).
    void testiNonTagliati() {
        Finestra w;
        QVERIFY(w.Apri("appoggio-appoggio"));
        w.f->btnCalcola_Click();
        w.f->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.f.get()));
        w.f->cbDiagramma_Click(0);
        FinestraDiagramma* d = DiagrammiQt::Di(*w.f)->Finestra(0);
        QVERIFY(d);
        FrmUnits u(w.f->Modello());
        u.show();
        QApplication::processEvents();
        int controllati = 0;
        for (QWidget* radice : {static_cast<QWidget*>(w.f.get()), static_cast<QWidget*>(d),
                                static_cast<QWidget*>(&u)}) {
            for (QWidget* c : radice->findChildren<QWidget*>()) {
                if (!c->isVisible()) continue;
                QString testo;
                if (auto* l = qobject_cast<QLabel*>(c))
                    testo = l->text();
                else if (auto* b = qobject_cast<QAbstractButton*>(c))
                    testo = b->text();
                else
                    continue;
                if (testo.isEmpty()) continue;
                ++controllati;
                const QSize serve = c->minimumSizeHint();
                QVERIFY2(c->width() >= serve.width() && c->height() >= serve.height(),
                         qPrintable(QStringLiteral("\"%1\": %2x%3 < %4x%5")
                                        .arg(testo)
                                        .arg(c->width())
                                        .arg(c->height())
                                        .arg(serve.width())
                                        .arg(serve.height())));
            }
        }
        QVERIFY(controllati > 40);
    }

    // The report is printed in Liberation Mono, installed with the package's
    // fonts-liberation2 (a fixed pitch).
    void fontDellaRelazione() {
        QFont f(QString::fromStdString(FamigliaFont("Courier New")));
        const QFontInfo i(f);
        QCOMPARE(i.family(), QStringLiteral("Liberation Mono"));
        QVERIFY(i.fixedPitch());
    }
};

ZELVO_TEST_UI(TestStato)

#include "test_stato.moc"
