// The main window driven with the keyboard and the mouse: a problem typed
// from the title to "Calcola" with Enter keys only, the grid editor, the
// foundation options, partial distances, "Salva come" / "Apri" through the
// menus (the command-line tool reports the saved file with the results the
// frames show), the help window, the units window, and the window under an
// Italian desktop.
#include "test_ui.h"

#include "ui/finestra_aiuto.h"
#include "ui/finestra_unita.h"
#include "ui/griglia_qt.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>

using namespace zelvo;
using namespace zelvo::test;

namespace {

// A new problem on screen, the focus on the title.
void Mostra(Finestra& w) {
    w.f->Modello().InizializzaForm();
    w.f->show();
    QVERIFY(QTest::qWaitForWindowExposed(w.f.get()));
    w.f->findChild<QLineEdit*>(QStringLiteral("txtTitolo"))->setFocus();
    QApplication::processEvents();
}

// The d column of the forces grid.
QList<double> Distanze(FrmDati& f) {
    QList<double> d;
    for (int r = 1; r < f.Griglia(1)->model()->rowCount(); ++r)
        d << f.Griglia(1)->model()->index(r, 2).data().toString().trimmed().toDouble();
    return d;
}

FrmUnits* Unita(Finestra& w) {
    return w.Voce(QString::fromUtf8("&Unità")) ? w.f->findChild<FrmUnits*>() : nullptr;
}

// The option checked in each group of the units window (-1: none).
QList<int> Scelte(FrmUnits& u) {
    QList<int> s{-1, -1, -1, -1};
    for (int g = 0; g < 4; ++g)
        for (int k = 0; k < 3; ++k)
            if (u.Opzione(g, k)->isChecked()) s[g] = k;
    return s;
}

bool Abilitate(FrmUnits& u, bool abilitate) {
    for (int g = 0; g < 4; ++g)
        for (int k = 0; k < 3; ++k)
            if (u.Opzione(g, k)->isEnabled() != abilitate) return false;
    return true;
}

QString Campo(Finestra& w, const char* nome, int i) {
    return w.f->Campo(nome, i)->text();
}

} // namespace

class TestFrmDati : public QObject {
    Q_OBJECT

  private slots:
    // A simply supported span of 6 m with 10, 20, 30 kN at 1, 3, 5 m typed
    // with Enter keys only: RB = (10 + 60 + 150) / 6 = 36.67 kN, RA = 23.33 kN,
    // max M = 3 RA - 2 x 10 = 50 kNm. The partial distances show 1, 2, 2 and
    // 1, 3, 5 again; a non-numeric abscissa shows no values at x and no
    // message. Closing unsaved asks; the file saved through the menu is the
    // problem the command-line tool reports with the results the frames show.
    void tastieraDalTitoloACalcolaESalva() {
        Finestra w(false);
        Mostra(w);
        const std::pair<const char*, const char*> passi[] = {
            {"Tre forze", "txtDati0"}, {"6", "txtDati1"},
            {"210000", "txtDati2"},    {"10000", "txtRigheGriglia0"},
            {"0", "txtRigheGriglia1"}, {"3", "txtEdit1"},
            {"10", "txtEdit1"},        {"1", "txtEdit1"},
            {"20", "txtEdit1"},        {"3", "txtEdit1"},
            {"30", "txtEdit1"},        {"5", "txtRigheGriglia2"},
            {"0", "btnCalcola"}};
        for (const auto& [testo, poi] : passi) {
            Scrivi(QString::fromUtf8(testo));
            QCOMPARE(QApplication::focusWidget()->objectName(), QString::fromLatin1(poi));
        }
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
        QVERIFY(w.f->findChild<QGroupBox*>(QStringLiteral("FrameRis"))->isVisible());
        QCOMPARE(Campo(w, "txtRis", 2).trimmed(), QStringLiteral("23.33"));
        QCOMPARE(Campo(w, "txtRis", 3).trimmed(), QStringLiteral("36.67"));
        QCOMPARE(Campo(w, "txtRis", 6).trimmed(), QStringLiteral("50.00"));
        QCOMPARE(Distanze(*w.f), (QList<double>{1, 3, 5}));
        auto* parziali = w.f->findChild<QCheckBox*>(QStringLiteral("chkDistanzeParziali"));
        Clic(parziali);
        QCOMPARE(Distanze(*w.f), (QList<double>{1, 2, 2}));
        Clic(parziali);
        QCOMPARE(Distanze(*w.f), (QList<double>{1, 3, 5}));
        w.f->Campo("txtX", 0)->setText(QStringLiteral("abc"));
        w.f->btnCalcola_Click();
        QVERIFY(Campo(w, "txtX", 1).isEmpty());
        QVERIFY(w.msg.elenco.empty());
        w.msg.risposteAnnulla = {Risposta::Annulla};
        QVERIFY(!w.f->close());
        QCOMPARE(w.msg.Testi(),
                 std::vector<std::string>{"I dati sono stati modificati. Salvare le modifiche?"});
        w.msg.Svuota();

        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("tre forze.zlv"));
        w.risposte = {file.toStdString()};
        QVERIFY(w.Voce(QStringLiteral("S&alva come...")));
        QVERIFY(w.f->windowTitle().endsWith(QStringLiteral("tre forze")));
        QByteArray relazione;
        QCOMPARE(Calc({file}, &relazione), 0);
        for (int i : {2, 3, 6, 7, 10})
            QVERIFY2(relazione.contains(Campo(w, "txtRis", i).toUtf8()),
                     qPrintable(Campo(w, "txtRis", i)));
        QVERIFY(w.Voce(QStringLiteral("&Nuovo"))); // saved: nothing is asked
        QVERIFY(Distanze(*w.f).isEmpty());
        w.risposte = {file.toStdString()};
        QVERIFY(w.Voce(QStringLiteral("&Apri")));
        QCOMPARE(Distanze(*w.f), (QList<double>{1, 3, 5}));
        QVERIFY(w.msg.elenco.empty());
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
        QCOMPARE(g->Editor()->text(), QStringLiteral("7"));
        QCOMPARE(g->Editor()->cursorPosition(), 1);
        QTest::keyClick(g->Editor(), Qt::Key_Return);
        QCOMPARE(g->model()->index(1, 1).data().toString(), QStringLiteral("7"));
        // The mouse on a cell opens the editor with its number selected.
        QTest::mouseClick(g->viewport(), Qt::LeftButton, {},
                          g->visualRect(g->model()->index(1, 1)).center());
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
        QCOMPARE(Campo(w, "txtWinkler", 0).trimmed(), QStringLiteral("1.000"));
        QVERIFY(!w.f->Campo("txtWinkler", 2)->isVisible());
        QApplication::processEvents(); // the frame just shown is laid out
        w.f->findChild<QRadioButton*>(QStringLiteral("OptFond1"))->click();
        QVERIFY(w.f->Campo("txtWinkler", 2)->isVisible());
        QCOMPARE(Campo(w, "txtWinkler", 2), QStringLiteral("100"));
        // Every field can be found by its accessible name.
        for (QLineEdit* e : w.f->findChildren<QLineEdit*>())
            if (!e->objectName().isEmpty())
                QVERIFY2(!e->accessibleName().isEmpty(), qPrintable(e->objectName()));
    }

    // "&Aiuto" opens the program's help at its first topic; a topic clicked
    // in the list is shown; "&Aiuto" again: the same window, at the start.
    void aiuto() {
        Finestra w;
        QVERIFY(w.Voce(QStringLiteral("&Aiuto")));
        auto* a = w.f->findChild<FinestraAiuto*>();
        QVERIFY(a && a->isVisible() && a->isWindow());
        QCOMPARE(a->Testo()->source(), FinestraAiuto::PaginaIniziale());
        auto* elenco = a->Elenco();
        for (int i = 0; i < elenco->count(); ++i)
            if (elenco->item(i)->text() == QStringLiteral("Esempio svolto"))
                QTest::mouseClick(elenco->viewport(), Qt::LeftButton, {},
                                  elenco->visualItemRect(elenco->item(i)).center());
        QVERIFY(a->Testo()->toPlainText().contains(QStringLiteral("60,08")));
        QStringList elencate; // every page of the help is a topic of the list
        for (const auto& [pagina, titolo] : FinestraAiuto::Argomenti())
            elencate << QString::fromUtf8(pagina);
        elencate.sort();
        QCOMPARE(QDir(QStringLiteral(":/aiuto"))
                     .entryList({QStringLiteral("*.html")}, QDir::Files, QDir::Name),
                 elencate);
        for (const auto& [pagina, titolo] : FinestraAiuto::Argomenti()) {
            a->MostraArgomento(QString::fromUtf8(pagina)); // every topic is in the program
            QVERIFY2(a->Testo()->toPlainText().size() > 300, pagina);
            QCOMPARE(elenco->currentItem()->text(), QString::fromUtf8(titolo));
        }
        QVERIFY(w.Voce(QStringLiteral("&Aiuto")));
        QCOMPARE(w.f->findChildren<FinestraAiuto*>().size(), qsizetype(1));
        QCOMPARE(a->Testo()->source(), FinestraAiuto::PaginaIniziale());
    }

    // The units window opens on the units in use (labels it does not list:
    // the third choice), modeless, once; Cancel changes nothing.
    void unitaApertura_data() {
        QTest::addColumn<QStringList>("etichette");
        QTest::addColumn<QList<int>>("scelte");
        QTest::newRow("in uso") << QStringList{"cm", "kPa", "t", "MN", "m"}
                                << QList<int>{1, 2, 2, 0};
        QTest::newRow("sconosciute")
            << QStringList{"km", "GPa", "t", "lb", ""} << QList<int>{2, 2, 2, 2};
    }
    void unitaApertura() {
        QFETCH(QStringList, etichette);
        QFETCH(QList<int>, scelte);
        Finestra w;
        w.f->Modello().InizializzaForm();
        for (int i = 0; i < 5; ++i)
            w.f->Unita().UnitaModello[size_t(i)] = etichette[i].toStdString();
        FrmUnits* u = Unita(w);
        QVERIFY(u && u->isVisible() && !u->isModal());
        QCOMPARE(Scelte(*u), scelte);
        Clic(u->Opzione(0, 0));
        QCOMPARE(Unita(w), u); // "&Unità" again: the same window, as it is
        QVERIFY(u->Opzione(0, 0)->isChecked());
        Clic(u->Cancel());
        QVERIFY(!u->isVisible());
        QCOMPARE(w.f->Unita().UnitaModello[0], etichette[0].toStdString());
        QVERIFY(w.msg.elenco.empty());
    }

    // cm and N with OK: the main window shows fields, grids and results
    // converted, and calculates the same beam. "No Units" disables the
    // options; Escape is Cancel; with OK the numbers stay, in SI; opened again
    // in that mode; "Sistema SI" and OK: the first option of each group.
    void unitaOKNoUnitsSistemaSI() {
        Finestra w;
        QVERIFY(w.Apri("appoggio-appoggio"));
        w.f->btnCalcola_Click();
        QCOMPARE(Campo(w, "txtRis", 2), QStringLiteral(" 60.08"));
        FrmUnits* u = Unita(w);
        Clic(u->Opzione(0, 1));
        Clic(u->Opzione(2, 0));
        QCOMPARE(Campo(w, "txtDati", 0), QStringLiteral(" 6.000")); // nothing before OK
        Clic(u->OK());
        QVERIFY(!u->isVisible());
        QCOMPARE(Campo(w, "txtDati", 0), QStringLiteral(" 600.0"));
        QCOMPARE(w.f->Griglia(1)->model()->index(1, 1).data().toString().trimmed(),
                 QStringLiteral("25,000"));
        QCOMPARE(Campo(w, "txtRis", 2), QStringLiteral(" 60,083"));
        QTest::mouseClick(w.f->Calcola(), Qt::LeftButton);
        QCOMPARE(Campo(w, "txtRis", 2), QStringLiteral(" 60,083"));

        u = Unita(w);
        Clic(u->NoUnits());
        QVERIFY(Abilitate(*u, false));
        QTest::keyClick(u, Qt::Key_Escape);
        QVERIFY(!u->isVisible() && !w.f->Unita().SenzaUnita);
        u = Unita(w);
        QVERIFY(!u->NoUnits()->isChecked() && Abilitate(*u, true));
        Clic(u->NoUnits());
        Clic(u->OK());
        QVERIFY(w.f->Unita().SenzaUnita);
        QCOMPARE(QString::fromStdString(w.f->Modello().lblForze), QString());
        QCOMPARE(Campo(w, "txtRis", 2), QStringLiteral(" 60,083"));
        u = Unita(w);
        QVERIFY(u->NoUnits()->isChecked() && Abilitate(*u, false));
        Clic(u->NoUnits());
        Clic(u->SistemaSI());
        QCOMPARE(Scelte(*u), (QList<int>{0, 0, 0, 0}));
        Clic(u->OK());
        QCOMPARE(w.f->Unita().UnitaModello, (std::array<std::string, 5>{"m", "Pa", "t", "N", "m"}));
        QTest::mouseClick(w.f->Calcola(), Qt::LeftButton);
        QCOMPARE(Campo(w, "txtRis", 2), QStringLiteral(" 60,083"));
        QVERIFY(w.msg.elenco.empty());
    }

    // At start-up without valid units the window is modal with the default
    // units proposed: OK keeps the choice, closing it is Cancel.
    void unitaModaliAllAvvio() {
        for (bool ok : {true, false}) {
            Finestra w;
            w.f->Unita().UnitaModello = {"mm", "Pa", "", "N", "mm"};
            QList<int> proposte;
            QTimer::singleShot(0, this, [&] {
                auto* u = qobject_cast<FrmUnits*>(QApplication::activeModalWidget());
                if (!u) return;
                proposte = Scelte(*u);
                Clic(u->Opzione(0, 1)); // cm
                ok ? Clic(u->OK()) : void(u->close());
            });
            w.f->Avvio({});
            QCOMPARE(proposte, (QList<int>{0, 1, 1, 1}));
            QVERIFY(!QApplication::activeModalWidget());
            QCOMPARE(w.f->Unita().UnitaModello,
                     (std::array<std::string, 5>{ok ? "cm" : "m", "MPa", "t", "kN", "cm"}));
        }
    }
};

// Under an Italian desktop (this class runs with LC_ALL and LANG set to
// it_IT.UTF-8) the user sees and types the regional separators, while the
// data file the window writes is the one the command-line tool writes for
// the same problem, byte for byte.
class TestSeparatoriRegionali : public QObject {
    Q_OBJECT

  private slots:
    void virgolaDecimaleNellaFinestraPuntoNeiFile() {
        if (QLocale::system().decimalPoint() != QStringLiteral(","))
            QSKIP("the it_IT.UTF-8 locale is not installed");
        Finestra w(false);
        QCOMPARE(w.f->Unita().separatori, (Separatori{",", "."}));
        w.f->Avvio({QString::fromStdString(Esempio("appoggio-appoggio"))});
        QVERIFY(w.msg.elenco.empty()); // Italian separators are the advised ones
        QCOMPARE(Campo(w, "txtDati", 0).trimmed(), QStringLiteral("6,000"));
        QCOMPARE(Campo(w, "txtDati", 1).trimmed(), QStringLiteral("210.000"));
        // A span typed with the decimal comma is read as 6.5 m.
        w.f->Campo("txtDati", 0)->selectAll();
        Scrivi(QStringLiteral("6,5"), w.f->Campo("txtDati", 0));
        w.f->btnCalcola_Click();
        QVERIFY(w.msg.elenco.empty());
        QCOMPARE(w.f->Modulo().Dati.Luce, 6.5f);
        QVERIFY(Campo(w, "txtRis", 2).contains(QLatin1Char(',')));
        QTemporaryDir dir;
        const QString finestra = dir.filePath("finestra.zlv"), calc = dir.filePath("calc.zlv");
        QVERIFY(w.f->Modello().FileSalvaCome(finestra.toStdString()));
        QCOMPARE(Calc({finestra, "--save", calc}), 0);
        QCOMPARE(Leggi(finestra), Leggi(calc));
        QVERIFY(Leggi(finestra).contains(",6.5"));
    }
};

ZELVO_TEST_UI(TestFrmDati)
ZELVO_TEST_UI(TestSeparatoriRegionali)

#include "test_frm_dati.moc"
