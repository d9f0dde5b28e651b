// The program as a desktop application: Qt's own buttons in the desktop's
// language, the standard shortcuts beside the Alt accelerators, Escape that
// closes the secondary windows, a data file dropped on the window, the
// modified marker of the title, two windows that share nothing, the note of
// the materials panel on first use. Witnesses: the Italian words of the
// buttons written out here, the files on disk, the example files' names, the
// window's own menus and fields.
#include "test_ui.h"

#include "io/generale.h"
#include "ui/diagrammi_qt.h"
#include "ui/finestra_aiuto.h"
#include "ui/finestra_diagramma.h"
#include "ui/frm_infor.h"
#include "ui/frm_property.h"
#include "ui/frm_scale.h"
#include "ui/lingua_qt.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDropEvent>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>
#include <QUrl>

#include <cstdlib>
#include <filesystem>

using namespace zelvo;
using namespace zelvo::test;

namespace {

// A main window with recorded messages and file dialogs, a recording
// printer and a recording help (the topics asked), no other window.
struct Scrivania {
    RegistroMessaggi msg;
    std::deque<std::string> risposte;
    std::vector<RichiestaDialogo> richieste;
    RegistroStampante* stampante = nullptr;
    std::vector<int> aiuto;
    std::unique_ptr<FrmDati> f;
    Scrivania() {
        OpzioniFrmDati o;
        o.messaggi = &msg;
        o.sceltaFile = [this](const RichiestaDialogo& r) -> std::optional<std::string> {
            richieste.push_back(r);
            if (risposte.empty()) return std::nullopt;
            std::string s = risposte.front();
            risposte.pop_front();
            return s;
        };
        o.finestre = {};
        o.finestre.CreaStampante = [this](QWidget*) -> std::unique_ptr<Stampante> {
            auto s = std::make_unique<RegistroStampante>();
            stampante = s.get();
            return s;
        };
        o.finestre.Aiuto = [this](FrmDati&, int argomento) { aiuto.push_back(argomento); };
        f = std::make_unique<FrmDati>(std::move(o));
        f->Modello().InizializzaForm();
        f->show();
        f->activateWindow();
    }
    bool Attiva() { return QTest::qWaitForWindowActive(f.get()); }
    QLineEdit* Titolo() const { return f->findChild<QLineEdit*>(QStringLiteral("txtTitolo")); }
    // A key on the widget with the focus, as typed.
    void Tasto(int tasto, Qt::KeyboardModifiers m = Qt::NoModifier) {
        QWidget* w = QApplication::focusWidget();
        QTest::keyClick(w ? w : f.get(), static_cast<Qt::Key>(tasto), m);
        QApplication::processEvents();
    }
    // An edit typed in the title.
    void Modifica(const QString& t) {
        Titolo()->setFocus();
        Titolo()->selectAll();
        QTest::keyClicks(Titolo(), t);
    }
};

QAction* VoceFile(FrmDati& f, const char* caption) {
    QMenu* file = f.menuBar()->actions().front()->menu();
    for (QAction* a : file->actions())
        if (a->text() == QString::fromUtf8(caption)) return a;
    return nullptr;
}

// A copy of an example in a folder of the test.
QString Copia(const QTemporaryDir& dir, const char* esempio) {
    const QString p = dir.filePath(QString::fromUtf8(esempio) + QStringLiteral(".zlv"));
    QFile::copy(QString::fromStdString(Esempio(esempio)), p);
    QFile(p).setPermissions(QFile::ReadOwner | QFile::WriteOwner);
    return p;
}

// A drag of these URLs entering w and dropped there (with `testo`: the
// path as text too, as file managers give it).
void Rilascia(QWidget* w, const QList<QUrl>& urls, bool* accettato = nullptr,
              const QString& testo = QString()) {
    QMimeData dati;
    dati.setUrls(urls);
    if (!testo.isEmpty()) dati.setText(testo);
    QDragEnterEvent entra(QPoint(20, 20), Qt::CopyAction, &dati, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(w, &entra);
    if (accettato) *accettato = entra.isAccepted();
    QDropEvent lascia(QPointF(20, 20), Qt::CopyAction, &dati, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(w, &lascia);
    QApplication::processEvents();
}

} // namespace

// Under Italian settings (ctest runs this class under it_IT.UTF-8): Qt's
// translation is loaded, and the unsaved-changes question shown by the
// window's own message boxes reads "Sì", "No", "Annulla". Under English or C
// settings the buttons keep Qt's English words.
class TestLingua : public QObject {
    Q_OBJECT

    static bool Italiano() { return QLocale::system().language() == QLocale::Italian; }

  private slots:
    void traduzioneCaricata() {
        if (!Italiano()) {
            QVERIFY(QLocale::system().language() == QLocale::English ||
                    QLocale::system().language() == QLocale::C);
            QVERIFY(TraduzioniQtCaricate().isEmpty()); // Qt has no English translation
            return;
        }
        // not a skip: under Italian settings a missing translation is a fault
        QVERIFY2(!TraduzioniQtCaricate().isEmpty(),
                 "qtbase_it.qm not loaded (package qt6-translations-l10n)");
        QVERIFY(TraduzioniQtCaricate().endsWith(QStringLiteral("qtbase_it.qm")));
    }

    void domandaSiNoAnnulla() {
        OpzioniFrmDati o; // the window's own message boxes
        o.finestre = {};
        FrmDati f(std::move(o));
        f.Modello().InizializzaForm();
        f.show();
        QVERIFY(QTest::qWaitForWindowExposed(&f));
        auto* titolo = f.findChild<QLineEdit*>(QStringLiteral("txtTitolo"));
        titolo->setFocus();
        QTest::keyClicks(titolo, QStringLiteral("da salvare"));
        QMap<int, QString> pulsanti;
        QString testo;
        QTimer::singleShot(0, &f, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box) return;
            testo = box->text();
            for (QAbstractButton* b : box->buttons())
                pulsanti[box->standardButton(b)] = b->text().remove(QLatin1Char('&'));
            box->button(QMessageBox::Cancel)->click();
        });
        f.mnuFileItem_Click(0); // "&Nuovo"
        QCOMPARE(testo, QStringLiteral("I dati sono stati modificati. Salvare le modifiche?"));
        const bool it = Italiano();
        QCOMPARE(pulsanti.value(QMessageBox::Yes),
                 it ? QStringLiteral("Sì") : QStringLiteral("Yes"));
        QCOMPARE(pulsanti.value(QMessageBox::No), QStringLiteral("No"));
        QCOMPARE(pulsanti.value(QMessageBox::Cancel),
                 it ? QStringLiteral("Annulla") : QStringLiteral("Cancel"));
        QCOMPARE(pulsanti.size(), 3);
        // "Annulla": nothing was done
        QCOMPARE(titolo->text(), QStringLiteral("da salvare"));
        QVERIFY(f.isWindowModified());
    }
};
ZELVO_TEST_UI(TestLingua)

class TestScorciatoie : public QObject {
    Q_OBJECT

  private slots:
    // The File items show their keys; "&Aiuto" shows F1.
    void tastiNeiMenu() {
        Scrivania w;
        const struct {
            const char* voce;
            const char* tasto;
        } casi[] = {{"&Nuovo", "Ctrl+N"},         {"&Apri", "Ctrl+O"},
                    {"&Salva", "Ctrl+S"},         {"S&alva come...", "Ctrl+Shift+S"},
                    {"Stam&pa", "Ctrl+P"},        {"&Esci", "Ctrl+Q"},
                    {"&File di stampa (TXT)", ""}};
        for (const auto& c : casi) {
            QAction* a = VoceFile(*w.f, c.voce);
            QVERIFY2(a, c.voce);
            QCOMPARE(a->shortcut(), QKeySequence(QString::fromLatin1(c.tasto)));
        }
        QAction* aiuto = w.f->menuBar()->actions().back()->menu()->actions().front();
        QCOMPARE(aiuto->text(), QStringLiteral("&Aiuto"));
        QCOMPARE(aiuto->shortcut(), QKeySequence(Qt::Key_F1));
    }

    void ctrlOApreCtrlSSalva() {
        Scrivania w;
        QVERIFY(w.Attiva());
        QTemporaryDir dir;
        const QString p = Copia(dir, "mensola");
        w.risposte = {p.toStdString()};
        w.Titolo()->setFocus();
        w.Tasto(Qt::Key_O, Qt::ControlModifier);
        QCOMPARE(w.richieste.size(), size_t(1));
        QVERIFY(!w.richieste.back().salva);
        QCOMPARE(w.f->Modello().Caption, std::string("Trave Zelvo - File: mensola"));

        // Ctrl+S: the open file, no dialog
        w.Modifica(QStringLiteral("Balcone rifatto"));
        w.Tasto(Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(w.richieste.size(), size_t(1));
        QVERIFY(Leggi(p).startsWith("\"Balcone rifatto\""));

        // Ctrl+Shift+S: the save dialog, a new file
        const QString altro = dir.filePath(QStringLiteral("altro.zlv"));
        w.risposte = {altro.toStdString()};
        w.Tasto(Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(w.richieste.size(), size_t(2));
        QVERIFY(w.richieste.back().salva);
        QVERIFY(Leggi(altro).startsWith("\"Balcone rifatto\""));
        QCOMPARE(w.f->Modello().Caption, std::string("Trave Zelvo - File: altro"));
    }

    // Ctrl+N after an edit: the question, then a new problem.
    void ctrlNChiedePoiNuovo() {
        Scrivania w;
        QVERIFY(w.Attiva());
        QVERIFY(w.f->Modello().ApriFileDati(Esempio("mensola")));
        w.Modifica(QStringLiteral("x"));
        w.msg.risposteAnnulla = {Risposta::No};
        w.Tasto(Qt::Key_N, Qt::ControlModifier);
        QCOMPARE(w.msg.Testi(),
                 std::vector<std::string>{"I dati sono stati modificati. Salvare le modifiche?"});
        QCOMPARE(w.f->Modello().Caption, std::string("Trave Zelvo - File: "));
        QCOMPARE(w.Titolo()->text(), QString());
    }

    // F5 calculates; Ctrl+P prints the report of the fresh results.
    void f5CalcolaCtrlPStampa() {
        Scrivania w;
        QVERIFY(w.Attiva());
        QVERIFY(w.f->Modello().ApriFileDati(Esempio("appoggio-appoggio")));
        QVERIFY(!w.f->Modello().Calcolato);
        w.Titolo()->setFocus();
        w.Tasto(Qt::Key_F5);
        QVERIFY(w.f->Modello().Calcolato);
        QVERIFY(w.f->findChild<QWidget*>(QStringLiteral("FrameRis"))->isVisible());
        QVERIFY(w.stampante);
        QVERIFY(w.stampante->stampati.empty());
        w.Tasto(Qt::Key_P, Qt::ControlModifier);
        QCOMPARE(w.stampante->stampati.size(), size_t(1));
        QVERIFY(w.stampante->stampati.front().find(
                    "Trave appoggiata IPE 300 - solaio con carichi misti") != std::string::npos);
        QVERIFY(w.msg.elenco.empty());
    }

    // F1: the topic of the field with the focus; "&Aiuto" from the menu:
    // always the first topic.
    void f1AiutoSulCampo() {
        Scrivania w;
        QVERIFY(w.Attiva());
        w.f->Campo("txtDati", 0)->setFocus();
        w.Tasto(Qt::Key_F1);
        w.f->Campo("txtRigheGriglia", 1)->setFocus();
        w.Tasto(Qt::Key_F1);
        w.f->findChild<QWidget*>(QStringLiteral("cmdSezione"))->setFocus();
        w.Tasto(Qt::Key_F1);
        w.f->Modello().Optschema_Click(4); // the foundation fields
        w.f->Campo("txtWinkler", 0)->setFocus();
        w.Tasto(Qt::Key_F1);
        w.f->menuBar()->actions().back()->menu()->actions().front()->trigger();
        QCOMPARE(w.aiuto, (std::vector<int>{2, 4, 1, 5, 1}));
    }

    // The help opens at the topic asked, by its place in the list of topics
    // (2 "Dati e risultati", 4 "Carichi e distanze parziali", 5 "Trave di
    // fondazione"); a number out of the list: the first topic.
    void aiutoAllArgomento() {
        Finestra w;
        const struct {
            int argomento;
            const char* pagina;
        } casi[] = {{1, "index.html"},      {2, "campi.html"}, {4, "carichi.html"},
                    {5, "fondazione.html"}, {0, "index.html"}, {99, "index.html"}};
        for (const auto& c : casi) {
            FinestraAiuto* a = ApriAiuto(w.f.get(), c.argomento);
            QCOMPARE(a->Testo()->source().fileName(), QString::fromLatin1(c.pagina));
        }
        ApriAiuto(w.f.get(), 1)->close();
    }

    // Ctrl+Q: the question (cancel: the window stays), then closing.
    void ctrlQEsce() {
        Scrivania w;
        QVERIFY(w.Attiva());
        w.Modifica(QStringLiteral("non salvato"));
        w.msg.risposteAnnulla = {Risposta::Annulla};
        w.Tasto(Qt::Key_Q, Qt::ControlModifier);
        QCOMPARE(w.msg.elenco.size(), size_t(1));
        QVERIFY(w.f->isVisible());
        w.msg.risposteAnnulla = {Risposta::No};
        w.Tasto(Qt::Key_Q, Qt::ControlModifier);
        QCOMPARE(w.msg.elenco.size(), size_t(2));
        QVERIFY(!w.f->isVisible());
        QVERIFY(w.f->Modello().Chiuso);
    }

    // Escape closes the diagram windows, the help and the dialogs.
    void escChiude() {
        Finestra w; // with its windows
        w.f->show();
        QVERIFY(w.Apri("appoggio-appoggio"));
        w.f->cbDiagramma_Click(0);
        QApplication::processEvents();
        FinestraDiagramma* d = DiagrammiQt::Di(*w.f)->Finestra(0);
        QVERIFY(d && d->isVisible());
        d->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(d));
        QTest::keyClick(d, Qt::Key_Escape);
        QVERIFY(!d->isVisible());

        QVERIFY(w.Voce(QStringLiteral("&Aiuto")));
        auto* a = w.f->findChild<FinestraAiuto*>();
        QVERIFY(a && a->isVisible());
        QVERIFY(QTest::qWaitForWindowActive(a));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        QVERIFY(!a->isVisible());

        for (const char* voce : {"&Informazioni", "&Scelta scale dwg, dxf"}) {
            bool chiuso = false;
            QString classe;
            QTimer::singleShot(0, w.f.get(), [&] {
                QWidget* m = QApplication::activeModalWidget();
                if (!m) return;
                classe = QString::fromLatin1(m->metaObject()->className());
                QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : m,
                                Qt::Key_Escape);
                chiuso = !m->isVisible();
            });
            QVERIFY(w.Voce(QString::fromUtf8(voce)));
            QVERIFY2(chiuso, voce);
            QVERIFY(!classe.isEmpty());
        }
        QVERIFY(w.msg.elenco.empty());
    }
};
ZELVO_TEST_UI(TestScorciatoie)

class TestFileDallaScrivania : public QObject {
    Q_OBJECT

  private slots:
    // A .zlv dropped on the window opens; another file does nothing.
    void fileRilasciatoSiApre() {
        Scrivania w;
        QTemporaryDir dir;
        const QString p = Copia(dir, "mensola");
        QFile::copy(QString::fromStdString(Esempio("mensola")), dir.filePath("nota.txt"));
        bool accettato = true;
        Rilascia(w.f.get(), {QUrl::fromLocalFile(dir.filePath("nota.txt"))}, &accettato);
        QVERIFY(!accettato);
        QCOMPARE(w.f->Modello().Caption, std::string("Trave Zelvo - File: "));
        Rilascia(w.f.get(), {QUrl(QStringLiteral("https://example.org/a.zlv"))}, &accettato);
        QVERIFY(!accettato);
        Rilascia(w.f.get(), {QUrl::fromLocalFile(dir.filePath("nota.txt")), QUrl::fromLocalFile(p)},
                 &accettato);
        QVERIFY(accettato);
        QCOMPARE(TitoloMostrato(w.f.get()), QStringLiteral("Trave Zelvo - File: mensola"));
        QCOMPARE(w.Titolo()->text(), QStringLiteral("Mensola IPE 220 - sbalzo di balcone"));
        QVERIFY(w.msg.elenco.empty());

        // dropped on a text field (the file manager's drag carries the path
        // as text too): opened, not typed into the field
        QVERIFY(w.f->Modello().ApriFileDati(Esempio("appoggio-appoggio")));
        w.f->Aggiorna();
        QCOMPARE(w.Titolo()->text(),
                 QStringLiteral("Trave appoggiata IPE 300 - solaio con carichi misti"));
        Rilascia(w.Titolo(), {QUrl::fromLocalFile(p)}, &accettato, p);
        QVERIFY(accettato);
        QCOMPARE(w.Titolo()->text(), QStringLiteral("Mensola IPE 220 - sbalzo di balcone"));
        QCOMPARE(QString::fromStdString(w.f->Modello().PercorsoFile), p);

        // unsaved changes: the question first (cancel keeps them)
        w.Modifica(QStringLiteral("cambiato"));
        w.msg.risposteAnnulla = {Risposta::Annulla};
        Rilascia(w.f.get(), {QUrl::fromLocalFile(QString::fromStdString(Esempio("mensola")))});
        QCOMPARE(w.msg.elenco.size(), size_t(1));
        QCOMPARE(w.Titolo()->text(), QStringLiteral("cambiato"));
        QCOMPARE(w.f->Modello().PercorsoFile, p.toStdString());
    }

    // "*" before the caption after an edit, gone after "Salva"; opening a
    // file shows it unmarked.
    void titoloSegnaLeModifiche() {
        Scrivania w;
        QTemporaryDir dir;
        const QString p = Copia(dir, "mensola");
        QVERIFY(w.f->Modello().ApriFileDati(p.toStdString()));
        QApplication::processEvents();
        QCOMPARE(TitoloMostrato(w.f.get()), QStringLiteral("Trave Zelvo - File: mensola"));
        QVERIFY(!w.f->isWindowModified());
        w.Modifica(QStringLiteral("Mensola modificata"));
        QVERIFY(w.f->isWindowModified());
        QCOMPARE(TitoloMostrato(w.f.get()), QStringLiteral("*Trave Zelvo - File: mensola"));
        w.f->mnuFileItem_Click(2);
        QCOMPARE(TitoloMostrato(w.f.get()), QStringLiteral("Trave Zelvo - File: mensola"));
        QVERIFY(!w.f->isWindowModified());
        QVERIFY(Leggi(p).startsWith("\"Mensola modificata\""));
        // typing the old text back is no change
        w.Modifica(QStringLiteral("Mensola modificata"));
        QCOMPARE(TitoloMostrato(w.f.get()), QStringLiteral("Trave Zelvo - File: mensola"));
    }

    // Two windows in one program: each its own file, data, marker and units.
    void dueFinestreSeparate() {
        Scrivania a, b;
        QVERIFY(a.f->Modello().ApriFileDati(Esempio("mensola")));
        QVERIFY(b.f->Modello().ApriFileDati(Esempio("appoggio-appoggio")));
        QApplication::processEvents();
        a.Modifica(QStringLiteral("solo in A"));
        QCOMPARE(b.Titolo()->text(),
                 QStringLiteral("Trave appoggiata IPE 300 - solaio con carichi misti"));
        QVERIFY(a.f->isWindowModified());
        QVERIFY(!b.f->isWindowModified());
        QCOMPARE(TitoloMostrato(b.f.get()),
                 QStringLiteral("Trave Zelvo - File: appoggio-appoggio"));
        b.f->btnCalcola_Click();
        QVERIFY(b.f->Modello().Calcolato);
        QVERIFY(!a.f->Modello().Calcolato);
        QVERIFY(&a.f->Modulo() != &b.f->Modulo());
        QVERIFY(&a.f->Unita() != &b.f->Unita());
    }

    // `zelvo FILE` while another zelvo runs: a second program of its own,
    // both still running with their files.
    void dueProgrammi() {
        QProcess uno, due;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        for (QProcess* p : {&uno, &due})
            p->setProcessEnvironment(env);
        uno.start(QStringLiteral(ZELVO_PROGRAMMA), {QString::fromStdString(Esempio("mensola"))});
        QVERIFY(uno.waitForStarted());
        QTest::qWait(300);
        due.start(QStringLiteral(ZELVO_PROGRAMMA),
                  {QString::fromStdString(Esempio("appoggio-appoggio"))});
        QVERIFY(due.waitForStarted());
        QTest::qWait(1500);
        QCOMPARE(uno.state(), QProcess::Running);
        QCOMPARE(due.state(), QProcess::Running);
        for (QProcess* p : {&uno, &due}) {
            p->terminate();
            if (!p->waitForFinished(5000)) p->kill();
            p->waitForFinished(5000);
        }
    }
};
ZELVO_TEST_UI(TestFileDallaScrivania)

// First use of the materials list: the panel says the shipped defaults are
// shown and where "Save Materials" writes them; once saved, no note.
class TestMaterialiPrimoUso : public QObject {
    Q_OBJECT

  private slots:
    void avvisoFinoAlSalvataggio() {
        QTemporaryDir dir;
        const QByteArray prima = qgetenv("XDG_DATA_HOME");
        qputenv("XDG_DATA_HOME", dir.path().toUtf8());
        const QString file = dir.filePath(QStringLiteral("zelvo/VantrexMateriali.txt"));
        {
            Finestra w;
            w.f->show();
            QVERIFY(w.Apri("appoggio-appoggio"));
            w.f->cmdSezione_Click();
            auto* p = w.f->findChild<FrmProperty*>();
            QVERIFY(p);
            p->findChild<QAbstractButton*>(QStringLiteral("cmdMaterials"))->click();
            auto* l = p->findChild<QLabel*>(QStringLiteral("lblPredefiniti"));
            QVERIFY(l);
            QTRY_VERIFY(l->isVisible());
            QCOMPARE(l->text(), QStringLiteral("Materiali predefiniti: «Save Materials» li "
                                               "scriverà in ") +
                                    file);
            p->findChild<QAbstractButton*>(QStringLiteral("cmdSalvaMat"))->click();
            QVERIFY(QFile::exists(file));
            QTRY_VERIFY(!l->isVisible());
            p->close();
        }
        if (prima.isNull())
            qunsetenv("XDG_DATA_HOME");
        else
            qputenv("XDG_DATA_HOME", prima);
    }
};
ZELVO_TEST_UI(TestMaterialiPrimoUso)

#include "test_scrivania.moc"
