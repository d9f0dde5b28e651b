// The section window as a view of its model: it re-reads whenever the
// model's observer fires (an event run on the model itself shows), what it
// sets from the model never echoes back as an event, and closing it is the
// model's close sequence (refused under a calculation, the cell editor's text
// kept).
#include "test_ui.h"

#include "form/finestra_property.h"
#include "ui/frm_property.h"
#include "ui/griglia_qt.h"

#include <QGroupBox>
#include <QLineEdit>
#include <QPointer>
#include <QTabWidget>
#include <QTest>

using namespace zelvo;
using namespace zelvo::test;

class TestFrmPropertyOsservatore : public QObject {
    Q_OBJECT

    Finestra b;
    FrmProperty* w = nullptr;

    void Apri() {
        b.f->Modello().Unita.UnitaDefault();
        b.f->Modello().InizializzaForm();
        b.f->show();
        b.f->cmdSezione_Click();
        w = b.f->findChild<FrmProperty*>(QStringLiteral("frmProperty"));
        QVERIFY(w);
        w->Modello().FileMateriali = "";
        w->Modello().FileMaterialiPredefiniti = "";
    }

  private slots:
    void init() { Apri(); }

    // Events run on the model, not through the widgets: the window follows,
    // and the tab it turns to is not heard again as a click on it.
    void seguiIlModello() {
        FinestraProperty& m = w->Modello();
        auto* schede = w->findChild<QTabWidget*>(QStringLiteral("SSTab1"));
        const uint64_t r = m.Revisione();
        m.SSTab1_Click(2);
        QCOMPARE(schede->currentIndex(), 2);
        QCOMPARE(m.Revisione() - r, uint64_t(1));
        m.cmdGeo_Click(1);
        QVERIFY(w->findChild<QGroupBox*>(QStringLiteral("FrameEdit"))->isVisible());
        m.OpTipoSezione_Click(SezCircolare);
        QVERIFY(w->findChild<QGroupBox*>(QStringLiteral("RaggioFrm"))->isVisible());
        m.RaggioTxt[0].Scrivi("12");
        m.RaggioTxt_Invio(0);
        QCOMPARE(w->findChild<QLineEdit*>(QStringLiteral("RaggioTxt0"))->text(),
                 QStringLiteral("12"));
        m.cmdAnnullaEdit_Click();
        QVERIFY(!w->findChild<QGroupBox*>(QStringLiteral("FrameEdit"))->isVisible());
    }

    // Closing: refused while the main window calculates; afterwards the width
    // still in the shape grid's editor goes into its cell and the window goes.
    void chiusuraDelModello() {
        FinestraProperty& m = w->Modello();
        m.cmdGeo_Click(1);
        m.OpTipoSezione_Click(SezRettangolo);
        m.Griglia_SelezionaCella(1, 1);
        m.Griglia_Tasto(0);
        QVERIFY(m.FlexGrid0.editor.visibile);
        m.Editor_Edita("25", 2, 0);
        {
            const auto occupa = b.f->Modello().Eventi().Lavoro();
            QVERIFY(!w->close());
            QVERIFY(w->isVisible() && m.Aperta);
        }
        QPointer<FrmProperty> finestra(w);
        QVERIFY(w->close());
        QCOMPARE(m.FlexGrid0.Testo(1, 1), std::string("25"));
        QVERIFY(!m.Aperta);
        QTRY_VERIFY(finestra.isNull()); // deleted on close
        QVERIFY(b.msg.elenco.empty());
    }
};

ZELVO_TEST_UI(TestFrmPropertyOsservatore)

#include "test_frm_property_osservatore.moc"
