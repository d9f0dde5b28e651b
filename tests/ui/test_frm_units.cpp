// The units window "Model Units" over the main window: opening rules,
// "Sistema SI", "No Units", Cancel and OK with the main window refreshed,
// modal at start-up and modeless from "&Unità".
#include "test_ui.h"

#include "io/generale.h"
#include "ui/finestra_unita.h"
#include "ui/frm_dati.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include <functional>

using namespace zelvo;

namespace {

const std::string Esempio = std::string(ZELVO_SOURCE_DIR) + "/examples/appoggio-appoggio.zlv";

QAction* Voce(FrmDati& f, const QString& testo) {
    for (QAction* a : f.menuBar()->actions())
        if (a->text() == testo) return a;
    return nullptr;
}

// The modeless units window of the main window, after "&Unità".
FrmUnits* ApriDalMenu(FrmDati& f) {
    QAction* unita = Voce(f, QString::fromUtf8("&Unità"));
    if (!unita) return nullptr;
    unita->trigger();
    return f.findChild<FrmUnits*>(QStringLiteral("frmUnits"));
}

// Which option of each group is checked (-1: none) and whether enabled.
std::array<int, 4> Scelte(FrmUnits& u) {
    std::array<int, 4> s{-1, -1, -1, -1};
    for (int g = 0; g < 4; ++g)
        for (int k = 0; k < 3; ++k)
            if (u.Opzione(g, k)->isChecked()) s[static_cast<size_t>(g)] = k;
    return s;
}

bool TutteAbilitate(FrmUnits& u, bool abilitate) {
    for (int g = 0; g < 4; ++g)
        for (int k = 0; k < 3; ++k)
            if (u.Opzione(g, k)->isEnabled() != abilitate) return false;
    return true;
}

void Clic(QAbstractButton* b) {
    QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(8, b->height() / 2));
}

} // namespace

class TestFrmUnits : public QObject {
    Q_OBJECT

  private slots:
    void controlliEdidascalie() {
        RegistroMessaggi msg;
        FrmDati f({&msg, nullptr, FinestrePredefinite()});
        FrmUnits* u = ApriDalMenu(f);
        QVERIFY(u);
        QCOMPARE(u->windowTitle(), QStringLiteral("Model Units"));
        QStringList frame;
        for (QGroupBox* b : u->findChildren<QGroupBox*>())
            frame << b->title();
        QCOMPARE(frame, (QStringList{"Length", "Modulus/Stress", "Force", "Area - Inertia"}));
        const QStringList attese{"m", "cm", "mm", "Pa", "MPa", "kPa",
                                 "N", "kN", "MN", "m",  "cm",  "mm"};
        for (int g = 0; g < 4; ++g)
            for (int k = 0; k < 3; ++k)
                QCOMPARE(u->Opzione(g, k)->text(), attese[g * 3 + k]);
        // The exponents beside the area options.
        for (int k = 0; k < 3; ++k) {
            auto* due = u->findChild<QLabel*>(QStringLiteral("lblEsponente2_%1").arg(k));
            auto* quattro = u->findChild<QLabel*>(QStringLiteral("lblEsponente4_%1").arg(k));
            QVERIFY(due && quattro);
            QCOMPARE(due->text(), QStringLiteral("2"));
            QCOMPARE(quattro->text(), QStringLiteral("4"));
            QVERIFY(due->font().pointSizeF() < u->Opzione(3, k)->font().pointSizeF());
            QVERIFY(due->x() > u->Opzione(3, k)->x());
        }
        QCOMPARE(u->NoUnits()->text(), QStringLiteral("No Units"));
        QCOMPARE(u->SistemaSI()->text(), QStringLiteral("Sistema SI"));
        QCOMPARE(u->SistemaSI()->toolTip(), QStringLiteral("Sistema Internazionale"));
        QCOMPARE(u->OK()->text(), QStringLiteral("&OK"));
        QCOMPARE(u->Cancel()->text(), QStringLiteral("&Cancel"));
        // Every control can be found by a screen reader.
        for (QWidget* w : u->findChildren<QWidget*>())
            if (qobject_cast<QAbstractButton*>(w)) QVERIFY(!w->accessibleName().isEmpty());
        u->close();
    }

    void aperturaMostraLeUnitaInUso_data() {
        QTest::addColumn<QStringList>("etichette");
        QTest::addColumn<bool>("senzaUnita");
        QTest::addColumn<QList<int>>("scelte");
        QTest::newRow("predefinite")
            << QStringList{"m", "MPa", "t", "kN", "cm"} << false << QList<int>{0, 1, 1, 1};
        QTest::newRow("altre") << QStringList{"cm", "kPa", "t", "MN", "m"} << false
                               << QList<int>{1, 2, 2, 0};
        QTest::newRow("SI") << QStringList{"m", "Pa", "t", "N", "m"} << false
                            << QList<int>{0, 0, 0, 0};
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
        RegistroMessaggi msg;
        FrmDati f({&msg, nullptr, FinestrePredefinite()});
        for (int i = 0; i < 5; ++i)
            f.Unita().UnitaModello[static_cast<size_t>(i)] = etichette[i].toStdString();
        f.Unita().SenzaUnita = senzaUnita;
        FrmUnits* u = ApriDalMenu(f);
        QVERIFY(u);
        QVERIFY(u->isVisible());
        QVERIFY(!u->isModal()); // modeless from the menu
        QCOMPARE(u->NoUnits()->isChecked(), senzaUnita);
        QVERIFY(TutteAbilitate(*u, !senzaUnita));
        if (!senzaUnita) {
            const auto s = Scelte(*u);
            for (int g = 0; g < 4; ++g)
                QCOMPARE(s[static_cast<size_t>(g)], scelte[g]);
        }
        QVERIFY(f.Modello().frmUnits.aperta);
        QCOMPARE(f.Modello().frmUnits.apertaSenzaUnita, senzaUnita);
        Clic(u->Cancel());
        QVERIFY(!u->isVisible());
        QVERIFY(msg.elenco.empty());
    }

    void sistemaSIScegliePrimaOpzione() {
        RegistroMessaggi msg;
        FrmDati f({&msg, nullptr, FinestrePredefinite()});
        f.Modello().InizializzaForm(); // an empty problem, as after "&Nuovo"
        FrmUnits* u = ApriDalMenu(f);
        QVERIFY(u);
        Clic(u->SistemaSI());
        QCOMPARE(Scelte(*u), (std::array<int, 4>{0, 0, 0, 0}));
        QCOMPARE(f.Modello().frmUnits.scelta, (std::array<int, 4>{0, 0, 0, 0}));
        Clic(u->OK());
        QVERIFY(!u->isVisible());
        QCOMPARE(f.Unita().UnitaModello, (std::array<std::string, 5>{"m", "Pa", "t", "N", "m"}));
        QCOMPARE(QString::fromStdString(f.Modello().lblE), QStringLiteral("Pa"));
        QVERIFY(msg.elenco.empty());
    }

    void okConverteICampiEAggiornaLaFinestra() {
        RegistroMessaggi msg;
        FrmDati f({&msg, nullptr, FinestrePredefinite()});
        QVERIFY(f.Modello().ApriFileDati(Esempio));
        f.Modello().btnCalcola_Click();
        f.Aggiorna();
        ModelloForm& m = f.Modello();
        QCOMPARE(QString::fromStdString(m.txtDati[0].testo), QStringLiteral(" 6.000"));
        QCOMPARE(QString::fromStdString(m.txtRis[2].testo), QStringLiteral(" 60.08"));
        FrmUnits* u = ApriDalMenu(f);
        QVERIFY(u);
        Clic(u->Opzione(0, 1)); // cm
        Clic(u->Opzione(2, 0)); // N
        QCOMPARE(m.frmUnits.scelta, (std::array<int, 4>{1, 1, 0, 1}));
        // Nothing changes before OK.
        QCOMPARE(f.Unita().UnitaModello[0], std::string("m"));
        QCOMPARE(QString::fromStdString(m.txtDati[0].testo), QStringLiteral(" 6.000"));
        bool aggiornata = false;
        connect(u, &FrmUnits::UnitaConfermate, this, [&] { aggiornata = true; });
        Clic(u->OK());
        QVERIFY(aggiornata);
        QVERIFY(!u->isVisible());
        QCOMPARE(f.Unita().UnitaModello[0], std::string("cm"));
        QCOMPARE(f.Unita().UnitaModello[3], std::string("N"));
        // Fields, grids and results shown in the new units.
        QCOMPARE(QString::fromStdString(m.txtDati[0].testo), QStringLiteral(" 600.0"));
        QCOMPARE(QString::fromStdString(m.FlexGrid[1].Testo(1, 1)).trimmed(),
                 QStringLiteral("25,000"));
        QCOMPARE(QString::fromStdString(m.txtRis[2].testo), QStringLiteral(" 60,083"));
        QCOMPARE(QString::fromStdString(m.lblLuce), QStringLiteral("cm"));
        QCOMPARE(QString::fromStdString(m.lblMomento), QStringLiteral("Ncm"));
        // The same beam: a new calculation gives the same reactions.
        m.btnCalcola_Click();
        QCOMPARE(QString::fromStdString(m.txtRis[2].testo), QStringLiteral(" 60,083"));
        QVERIFY(msg.elenco.empty());
    }

    void noUnitsECancelNonCambianoNulla() {
        RegistroMessaggi msg;
        FrmDati f({&msg, nullptr, FinestrePredefinite()});
        QVERIFY(f.Modello().ApriFileDati(Esempio));
        f.Modello().btnCalcola_Click();
        f.Aggiorna();
        ModelloForm& m = f.Modello();
        FrmUnits* u = ApriDalMenu(f);
        QVERIFY(u);
        Clic(u->NoUnits());
        QVERIFY(u->NoUnits()->isChecked());
        QVERIFY(TutteAbilitate(*u, false));
        // The main window still reads its fields in the units it shows them in.
        QVERIFY(!f.Unita().SenzaUnita);
        m.btnCalcola_Click();
        QCOMPARE(QString::fromStdString(m.txtRis[2].testo), QStringLiteral(" 60.08"));
        Clic(u->NoUnits());
        QVERIFY(TutteAbilitate(*u, true));
        Clic(u->NoUnits());
        Clic(u->Cancel());
        QVERIFY(!u->isVisible());
        QVERIFY(!f.Unita().SenzaUnita);
        QCOMPARE(QString::fromStdString(m.lblForze), QStringLiteral("kN"));
        QCOMPARE(QString::fromStdString(m.txtDati[1].testo), QStringLiteral(" 210,000"));
        // Opened again: the units in use, not the cancelled choice.
        u = ApriDalMenu(f);
        QVERIFY(!u->NoUnits()->isChecked());
        QVERIFY(TutteAbilitate(*u, true));
        // Escape is Cancel.
        QTest::keyClick(u, Qt::Key_Escape);
        QVERIFY(!u->isVisible());
        QVERIFY(!m.frmUnits.aperta);
    }

    void noUnitsConOKPassaAlleUnitaSI() {
        RegistroMessaggi msg;
        FrmDati f({&msg, nullptr, FinestrePredefinite()});
        QVERIFY(f.Modello().ApriFileDati(Esempio));
        f.Modello().btnCalcola_Click();
        f.Aggiorna();
        ModelloForm& m = f.Modello();
        FrmUnits* u = ApriDalMenu(f);
        Clic(u->NoUnits());
        Clic(u->OK());
        QVERIFY(f.Unita().SenzaUnita);
        QCOMPARE(QString::fromStdString(m.lblForze), QString());
        QCOMPARE(QString::fromStdString(m.txtRis[2].testo), QStringLiteral(" 60,083"));
        // Back to units: opened in no-units mode, the options disabled.
        u = ApriDalMenu(f);
        QVERIFY(u->NoUnits()->isChecked());
        QVERIFY(TutteAbilitate(*u, false));
        QVERIFY(m.frmUnits.apertaSenzaUnita);
        Clic(u->NoUnits());
        Clic(u->SistemaSI());
        Clic(u->OK());
        QVERIFY(!f.Unita().SenzaUnita);
        QCOMPARE(QString::fromStdString(m.lblForze), QStringLiteral("N"));
        m.btnCalcola_Click();
        QCOMPARE(QString::fromStdString(m.txtRis[2].testo), QStringLiteral(" 60,083"));
    }

    void unaSolaFinestraNonModale() {
        RegistroMessaggi msg;
        FrmDati f({&msg, nullptr, FinestrePredefinite()});
        FrmUnits* u = ApriDalMenu(f);
        Clic(u->Opzione(0, 2)); // mm, not confirmed
        // "&Unità" again while it is open: the same window, as it is.
        FrmUnits* ancora = ApriDalMenu(f);
        QCOMPARE(ancora, u);
        QCOMPARE(f.findChildren<FrmUnits*>().size(), qsizetype(1));
        QVERIFY(u->Opzione(0, 2)->isChecked());
        Clic(u->Cancel());
        QCOMPARE(f.Unita().UnitaModello[0], std::string("m"));
    }

    void modaleAllAvvio() {
        RegistroMessaggi msg;
        FrmDati f({&msg, nullptr, FinestrePredefinite()});
        f.Unita().UnitaModello = {"mm", "Pa", "", "N", "mm"};
        bool vista = false;
        QTimer::singleShot(0, this, [&] {
            auto* u = qobject_cast<FrmUnits*>(QApplication::activeModalWidget());
            if (!u) return;
            vista = true;
            // The default units, proposed for confirmation.
            QCOMPARE(Scelte(*u), (std::array<int, 4>{0, 1, 1, 1}));
            QVERIFY(u->isModal());
            Clic(u->Opzione(0, 1)); // cm
            Clic(u->OK());
        });
        f.Avvio({});
        QVERIFY(vista);
        QVERIFY(!QApplication::activeModalWidget());
        QCOMPARE(f.Unita().UnitaModello[0], std::string("cm"));
        QCOMPARE(f.Unita().UnitaModello[1], std::string("MPa"));
        QCOMPARE(QString::fromStdString(f.Modello().lblLuce), QStringLiteral("cm"));
        QVERIFY(f.Modello().chkDistanzeParziali);
        QVERIFY(!f.Modello().frmUnits.aperta);
    }

    void modaleAllAvvioChiusoComeCancel() {
        RegistroMessaggi msg;
        FrmDati f({&msg, nullptr, FinestrePredefinite()});
        bool vista = false;
        QTimer::singleShot(0, this, [&] {
            auto* u = qobject_cast<FrmUnits*>(QApplication::activeModalWidget());
            if (!u) return;
            vista = true;
            Clic(u->Opzione(2, 2)); // MN, then the window is closed
            u->close();
        });
        f.Avvio({});
        QVERIFY(vista);
        QCOMPARE(f.Unita().UnitaModello, (std::array<std::string, 5>{"m", "MPa", "t", "kN", "cm"}));
        QVERIFY(!f.Modello().frmUnits.aperta);
    }
};

ZELVO_TEST_UI(TestFrmUnits)

#include "test_frm_units.moc"
