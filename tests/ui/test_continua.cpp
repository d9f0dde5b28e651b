// The continuous beam in the main window: the option, the count and the two
// tables typed with the keyboard along the Enter chain, "Calcola", and the
// read-only results tables against closed forms; the frames shown only for
// scheme 5; the example file's tables.
#include "test_ui.h"

#include "io/numeri.h"
#include "ui/continua_qt.h"
#include "ui/griglia_qt.h"

#include <QApplication>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QTest>

using namespace zelvo;
using namespace zelvo::test;

namespace {

QString Cella(QTableView* t, int r, int c) {
    return t->model()->index(r, c).data().toString();
}

} // namespace

class TestContinua : public QObject {
    Q_OBJECT

  private slots:
    // Two hinged spans of 4 m under 10 kN/m: the three-moment equation gives
    // the middle moment -qL²/8 = -20 kNm and the reactions 3qL/8 = 15 and
    // 10qL/8 = 50 kN; each span's largest sagging moment 9qL²/128 = 11.25.
    void dueCampateDallaTastiera() {
        Finestra w(false);
        w.f->Modello().InizializzaForm();
        w.f->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.f.get()));
        QApplication::setActiveWindow(w.f.get());
        VistaContinua* v = w.f->VistaTravata();
        QVERIFY(v);
        QVERIFY(!v->Dati->isVisible());
        Clic(w.f->findChild<QRadioButton*>(QStringLiteral("Optschema5")));
        QCOMPARE(w.f->Modello().Optschema, int(Continua));
        QVERIFY(v->Dati->isVisible());
        QVERIFY(w.f->Campo("txtDati", 0)->isReadOnly());
        Scrivi(QStringLiteral("210000"), w.f->Campo("txtDati", 1));
        Scrivi(QStringLiteral("8356"), w.f->Campo("txtDati", 2));
        // J's Enter leads to the count, the count's to the spans.
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(v->txtCampate));
        Scrivi(QStringLiteral("2"));
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(v->Griglie[0]->Editor()));
        for (const char* t : {"4", "8356", "4", "8356"})
            Scrivi(QString::fromLatin1(t));
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(v->Griglie[1]->Editor()));
        for (const char* t : {"a", "0", "0", "app", "0", "0", "APPOGGIO", "0", "0"})
            Scrivi(QString::fromLatin1(t));
        QCOMPARE(QApplication::focusWidget(),
                 static_cast<QWidget*>(w.f->Campo("txtRigheGriglia", 0)));
        QCOMPARE(v->Griglie[1]->model()->index(1, 1).data().toString(), QStringLiteral("Appoggio"));
        const Separatori& s = w.f->Unita().separatori;
        QCOMPARE(ValoreNumerico(w.f->Campo("txtDati", 0)->text().toStdString(), s), 8.0);
        Scrivi(QStringLiteral("1"));
        for (const char* t : {"10", "10", "0", "8"})
            Scrivi(QString::fromLatin1(t));
        QTest::mouseClick(w.f->Calcola(), Qt::LeftButton);
        QCOMPARE(w.msg.Testi(), std::vector<std::string>{});
        QVERIFY(v->Risultati->isVisible());
        QVERIFY(!w.f->findChild<QGroupBox*>(QStringLiteral("FrameRis"))->isVisible());

        QTableView* a = v->Tabelle[0];
        QCOMPARE(a->model()->rowCount(), 5); // names and units above the supports
        const double R[3] = {15, 50, 15}, M[3] = {0, -20, 0};
        for (int i = 0; i < 3; ++i) {
            QVERIFY(std::abs(ValoreNumerico(Cella(a, i + 2, 2).toStdString(), s) - R[i]) < 1e-3);
            QVERIFY(std::abs(ValoreNumerico(Cella(a, i + 2, 3).toStdString(), s) - M[i]) < 1e-3);
        }
        QTableView* c = v->Tabelle[1];
        QCOMPARE(c->model()->rowCount(), 4);
        QCOMPARE(Cella(c, 1, 1), QStringLiteral("kNm"));
        QVERIFY(std::abs(ValoreNumerico(Cella(c, 2, 1).toStdString(), s) - 11.25) < 1e-3);
        QVERIFY(std::abs(ValoreNumerico(Cella(c, 3, 2).toStdString(), s) - 6.5) < 1e-3);

        // Another scheme: the single-span frames again.
        Clic(w.f->findChild<QRadioButton*>(QStringLiteral("Optschema0")));
        QVERIFY(!v->Dati->isVisible());
        QVERIFY(!v->Risultati->isVisible());
        QVERIFY(!w.f->Campo("txtDati", 0)->isReadOnly());
    }

    // The example's four spans and five supports in the tables, and a
    // refused support kind focused in its cell.
    void esempioERifiuto() {
        Finestra w(false);
        w.f->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.f.get()));
        QApplication::setActiveWindow(w.f.get());
        QVERIFY(w.Apri("trave-continua"));
        w.f->Aggiorna();
        VistaContinua* v = w.f->VistaTravata();
        QVERIFY(v->Dati->isVisible());
        QCOMPARE(v->txtCampate->text(), QStringLiteral("4"));
        QCOMPARE(v->Griglie[0]->model()->rowCount(), 5);
        QCOMPARE(v->Griglie[1]->model()->index(4, 1).data().toString(), QStringLiteral("Molla"));
        w.f->Modello().Travata.Griglia[1].ImpostaTesto(2, 1, "carrello");
        QTest::mouseClick(w.f->Calcola(), Qt::LeftButton);
        QCOMPARE(w.msg.Testi().size(), size_t(1));
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(v->Griglie[1]));
        QCOMPARE(v->Griglie[1]->currentIndex(), v->Griglie[1]->model()->index(2, 1));
    }
};

ZELVO_TEST_UI(TestContinua)

#include "test_continua.moc"
