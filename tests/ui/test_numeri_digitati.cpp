// Typed numbers as an engineer types them, in a field ("E") and in a grid
// cell (F of the first force), under the desktop's regional settings: this
// class runs once under it_IT.UTF-8 and once under en_US.UTF-8. Each text is
// either read as the value stated (by hand from the separators' rule) or
// refused with the message that names the place, with the focus there and
// nothing calculated. Also: a field is written back in the regional format
// when it loses the focus, and the keypad's decimal key types the regional
// separator.
#include "test_ui.h"

#include "io/numeri.h"
#include "ui/griglia_qt.h"

#include <QApplication>
#include <QGroupBox>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QTest>

#include <cmath>

using namespace zelvo;
using namespace zelvo::test;

namespace {

constexpr double Rifiutato = -1e300;
constexpr double Vuoto = -2e300;

struct Digitato {
    const char* testo;
    double it, en; // the number read, or Rifiutato / Vuoto
};

// The typed texts the issue names, and a few more of the same families.
const Digitato Casi[] = {
    {"8.5", Rifiutato, 8.5},
    {"8,5", 8.5, Rifiutato},
    {"1.234,5", 1234.5, Rifiutato},
    {"1,234.5", Rifiutato, 1234.5},
    {"1.23,4", Rifiutato, Rifiutato},
    {"12abc", Rifiutato, Rifiutato},
    {"abc", Rifiutato, Rifiutato},
    {" 2,5 ", 2.5, Rifiutato},
    {"-0", 0, 0},
    {"1E+3", 1000, 1000},
    {"", Vuoto, Vuoto},
};

bool Italiano() {
    return QLocale::system().decimalPoint() == QStringLiteral(",");
}

void Pulisci(QLineEdit* e) {
    e->setFocus();
    e->selectAll();
    QTest::keyClick(e, Qt::Key_Delete);
}

} // namespace

class TestNumeriDigitati : public QObject {
    Q_OBJECT

  private slots:
    void campoEGriglia() {
        const bool it = Italiano();
        if (!it && QLocale::system().decimalPoint() != QStringLiteral("."))
            QSKIP("neither it_IT nor en_US settings");
        for (const Digitato& c : Casi) {
            const QString testo = QString::fromUtf8(c.testo);
            const double atteso = it ? c.it : c.en;
            // --- the field E (MPa in the example: 1 MPa = 1e6 Pa) ---
            {
                Finestra w(false);
                w.f->Avvio({QString::fromStdString(Esempio("appoggio-appoggio"))});
                w.f->show();
                QVERIFY(QTest::qWaitForWindowExposed(w.f.get()));
                QLineEdit* e = w.f->Campo("txtDati", 1);
                Pulisci(e);
                QTest::keyClicks(e, testo);
                w.msg.Svuota();
                auto* calcola = w.f->findChild<QPushButton*>(QStringLiteral("btnCalcola"));
                QTest::mouseClick(calcola, Qt::LeftButton);
                const Separatori& sep = w.f->Unita().separatori;
                if (atteso == Rifiutato) {
                    QCOMPARE(w.msg.Testi(),
                             std::vector<std::string>{TestoNumeroRifiutato("E", c.testo, sep)});
                    QCOMPARE(QApplication::focusWidget(), e);
                    QCOMPARE(e->text(), testo); // left as typed, to be mended
                    QVERIFY(!w.f->Modello().Calcolato);
                } else {
                    // Empty and zero read 0: the calculation names E.
                    const double v = atteso == Vuoto ? 0 : atteso;
                    QCOMPARE(w.f->Modulo().Dati.E,
                             static_cast<float>(w.f->Unita().Interna(Grandezza::Tensione, v)));
                    if (v == 0)
                        QCOMPARE(w.msg.Testi().back(),
                                 std::string("Errore! Controllare i dati\r\nE deve essere "
                                             "maggiore di zero."));
                    else
                        QVERIFY(w.f->Modello().Calcolato);
                    // What is shown is what was used: the field was written
                    // back in the regional format when it lost the focus.
                    if (atteso != Vuoto)
                        QCOMPARE(LeggiRegionale(e->text().toStdString(), sep).valore, v);
                }
            }
            // --- the cell F of the first force (kN in the example) ---
            {
                Finestra w(false);
                w.f->Avvio({QString::fromStdString(Esempio("appoggio-appoggio"))});
                w.f->show();
                QVERIFY(QTest::qWaitForWindowExposed(w.f.get()));
                GrigliaQt* g = w.f->Griglia(1);
                QTest::mouseClick(g->viewport(), Qt::LeftButton, {},
                                  g->visualRect(g->model()->index(1, 1)).center());
                QVERIFY(g->Editor()->isVisible());
                g->Editor()->selectAll();
                QTest::keyClick(g->Editor(), Qt::Key_Delete);
                QTest::keyClicks(g->Editor(), testo);
                QTest::keyClick(g->Editor(), Qt::Key_Return);
                w.msg.Svuota();
                w.f->btnCalcola_Click();
                const Separatori& sep = w.f->Unita().separatori;
                const std::string luogo = "Carichi CONCENTRATI, riga 1, colonna F";
                if (atteso == Rifiutato || atteso == Vuoto) {
                    const std::string seconda = atteso == Vuoto
                                                    ? luogo + ": la cella è vuota."
                                                    : TestoNumeroRifiutato(luogo, c.testo, sep);
                    QCOMPARE(w.msg.Testi(),
                             std::vector<std::string>{"Errore in LeggeGriglia\r\n" + seconda});
                    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(g));
                    QCOMPARE(g->currentIndex().row(), 1);
                    QCOMPARE(g->currentIndex().column(), 1);
                    QVERIFY(!w.f->Modello().Calcolato);
                } else {
                    QVERIFY(w.f->Modello().Calcolato);
                    QCOMPARE(w.f->Modulo().Dati.CarichiConcentrati(1).F,
                             static_cast<float>(w.f->Unita().Interna(Grandezza::Forza, atteso)));
                    QVERIFY(w.msg.elenco.empty());
                }
            }
        }
    }

    // The keypad's decimal key types the regional separator in a field.
    void tastierinoNumerico() {
        Finestra w(false);
        w.f->Avvio({QString::fromStdString(Esempio("appoggio-appoggio"))});
        w.f->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.f.get()));
        QLineEdit* e = w.f->Campo("txtDati", 0);
        Pulisci(e);
        QTest::keyClick(e, Qt::Key_7);
        QTest::keyClick(e, Qt::Key_Period, Qt::KeypadModifier);
        QTest::keyClick(e, Qt::Key_5);
        QCOMPARE(e->text(),
                 QStringLiteral("7") + QLocale::system().decimalPoint() + QStringLiteral("5"));
        w.f->btnCalcola_Click();
        QCOMPARE(w.f->Modulo().Dati.Luce, 7.5f);
    }
};

ZELVO_TEST_UI(TestNumeriDigitati)

#include "test_numeri_digitati.moc"
