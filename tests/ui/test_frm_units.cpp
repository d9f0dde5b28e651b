// The units window "Model Units" over the main window: the options it opens
// with, "Sistema SI", "No Units", Cancel and OK with the main window's fields
// refreshed; modeless from "&Unità", modal at start-up.
#include "test_ui.h"

#include "ui/finestra_unita.h"
#include "ui/griglia_qt.h"

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

using namespace zelvo;
using namespace zelvo::test;

namespace {

FrmUnits* ApriDalMenu(Finestra& w) {
    if (!w.Voce(QString::fromUtf8("&Unità"))) return nullptr;
    return w.f->findChild<FrmUnits*>(QStringLiteral("frmUnits"));
}

// The option checked in each group (-1: none).
QList<int> Scelte(FrmUnits& u) {
    QList<int> s{-1, -1, -1, -1};
    for (int g = 0; g < 4; ++g)
        for (int k = 0; k < 3; ++k)
            if (u.Opzione(g, k)->isChecked()) s[g] = k;
    return s;
}

bool TutteAbilitate(FrmUnits& u, bool abilitate) {
    for (int g = 0; g < 4; ++g)
        for (int k = 0; k < 3; ++k)
            if (u.Opzione(g, k)->isEnabled() != abilitate) return false;
    return true;
}

// The example beam, calculated and on screen: L = 6 m, RA = 60.08 kN.
void Esempio(Finestra& w) {
    QVERIFY(w.Apri("appoggio-appoggio"));
    w.f->btnCalcola_Click();
    QCOMPARE(w.f->Campo("txtRis", 2)->text(), QStringLiteral(" 60.08"));
}

} // namespace

class TestFrmUnits : public QObject {
    Q_OBJECT

  private slots:
    void aperturaMostraLeUnitaInUso_data() {
        QTest::addColumn<QStringList>("etichette");
        QTest::addColumn<bool>("senzaUnita");
        QTest::addColumn<QList<int>>("scelte");
        QTest::newRow("in uso") << QStringList{"cm", "kPa", "t", "MN", "m"} << false
                                << QList<int>{1, 2, 2, 0};
        // Labels a group does not list select its third choice.
        QTest::newRow("sconosciute")
            << QStringList{"km", "GPa", "t", "lb", ""} << false << QList<int>{2, 2, 2, 2};
        QTest::newRow("senza unità")
            << QStringList{"mm", "MPa", "t", "kN", "mm"} << true << QList<int>{};
    }
    void aperturaMostraLeUnitaInUso() {
        QFETCH(QStringList, etichette);
        QFETCH(bool, senzaUnita);
        QFETCH(QList<int>, scelte);
        Finestra w;
        for (int i = 0; i < 5; ++i)
            w.f->Unita().UnitaModello[static_cast<size_t>(i)] = etichette[i].toStdString();
        w.f->Unita().SenzaUnita = senzaUnita;
        FrmUnits* u = ApriDalMenu(w);
        QVERIFY(u && u->isVisible() && !u->isModal());
        QCOMPARE(u->NoUnits()->isChecked(), senzaUnita);
        QVERIFY(TutteAbilitate(*u, !senzaUnita));
        if (!senzaUnita) QCOMPARE(Scelte(*u), scelte);
        // "&Unità" again while it is open: the same window, as it is.
        Clic(u->NoUnits());
        QCOMPARE(ApriDalMenu(w), u);
        QCOMPARE(u->NoUnits()->isChecked(), !senzaUnita);
        Clic(u->Cancel());
        QVERIFY(!u->isVisible());
        QCOMPARE(w.f->Unita().SenzaUnita, senzaUnita);
        QCOMPARE(w.f->Unita().UnitaModello[0], etichette[0].toStdString());
        QVERIFY(w.msg.elenco.empty());
    }

    // cm and N: nothing changes before OK; then the main window shows its
    // fields, grids and results converted, and calculates the same beam.
    void okConverteEAggiornaLaFinestra() {
        Finestra w;
        Esempio(w);
        FrmUnits* u = ApriDalMenu(w);
        Clic(u->Opzione(0, 1));
        Clic(u->Opzione(2, 0));
        QCOMPARE(w.f->Campo("txtDati", 0)->text(), QStringLiteral(" 6.000"));
        Clic(u->OK());
        QVERIFY(!u->isVisible());
        QCOMPARE(w.f->Unita().UnitaModello[0], std::string("cm"));
        QCOMPARE(w.f->Unita().UnitaModello[3], std::string("N"));
        QCOMPARE(w.f->Campo("txtDati", 0)->text(), QStringLiteral(" 600.0"));
        QCOMPARE(w.f->Griglia(1)->model()->index(1, 1).data().toString().trimmed(),
                 QStringLiteral("25,000"));
        QCOMPARE(w.f->Campo("txtRis", 2)->text(), QStringLiteral(" 60,083"));
        QCOMPARE(QString::fromStdString(w.f->Modello().lblMomento), QStringLiteral("Ncm"));
        QTest::mouseClick(w.f->Calcola(), Qt::LeftButton);
        QCOMPARE(w.f->Campo("txtRis", 2)->text(), QStringLiteral(" 60,083"));
        QVERIFY(w.msg.elenco.empty());
    }

    // "No Units" disables the options; Cancel (or Escape) changes nothing;
    // OK leaves numbers without units in SI; opened again in that mode, and
    // "Sistema SI" with OK goes back to units, the first option of each group.
    void noUnitsCancelOKESistemaSI() {
        Finestra w;
        Esempio(w);
        FrmUnits* u = ApriDalMenu(w);
        Clic(u->NoUnits());
        QVERIFY(TutteAbilitate(*u, false));
        QTest::keyClick(u, Qt::Key_Escape);
        QVERIFY(!u->isVisible());
        QVERIFY(!w.f->Unita().SenzaUnita);
        QCOMPARE(w.f->Campo("txtDati", 1)->text(), QStringLiteral(" 210,000"));
        u = ApriDalMenu(w);
        QVERIFY(!u->NoUnits()->isChecked() && TutteAbilitate(*u, true));

        Clic(u->NoUnits());
        Clic(u->OK());
        QVERIFY(w.f->Unita().SenzaUnita);
        QCOMPARE(QString::fromStdString(w.f->Modello().lblForze), QString());
        QCOMPARE(w.f->Campo("txtRis", 2)->text(), QStringLiteral(" 60,083"));
        u = ApriDalMenu(w);
        QVERIFY(u->NoUnits()->isChecked() && TutteAbilitate(*u, false));
        Clic(u->NoUnits());
        Clic(u->SistemaSI());
        QCOMPARE(Scelte(*u), (QList<int>{0, 0, 0, 0}));
        Clic(u->OK());
        QCOMPARE(w.f->Unita().UnitaModello, (std::array<std::string, 5>{"m", "Pa", "t", "N", "m"}));
        QTest::mouseClick(w.f->Calcola(), Qt::LeftButton);
        QCOMPARE(w.f->Campo("txtRis", 2)->text(), QStringLiteral(" 60,083"));
        QVERIFY(w.msg.elenco.empty());
    }

    // At start-up without valid units the window is modal with the default
    // units proposed: OK keeps the choice, closing it is Cancel.
    void modaleAllAvvio() {
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
            QVERIFY(w.f->Modello().chkDistanzeParziali);
        }
    }
};

ZELVO_TEST_UI(TestFrmUnits)

#include "test_frm_units.moc"
