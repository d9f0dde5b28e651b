// The choice of the view in the diagram windows: hidden without load cases,
// offered once they are calculated, one choice shared by every window.
// The combinations are filled by hand (tests/comune/combinazioni.h) over the
// example's span.
#include "test_ui.h"

#include "tests/comune/combinazioni.h"
#include "ui/diagrammi_qt.h"
#include "ui/finestra_diagramma.h"
#include "ui/frm_dati.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QTest>

using namespace zelvo;
using namespace zelvo::test;

class TestDiagrammiViste : public QObject {
    Q_OBJECT

  private slots:
    void sceltaCondivisaTraLeFinestre() {
        Finestra w;
        QVERIFY(w.Apri("appoggio-appoggio"));
        DiagrammiQt& D = *DiagrammiQt::Di(*w.f);
        for (int i = 0; i < 3; ++i) {
            w.f->cbDiagramma_Click(i);
            QApplication::processEvents();
        }
        FinestraDiagramma* momenti = D.Finestra(0);
        FinestraDiagramma* tagli = D.Finestra(1);
        QVERIFY(momenti && tagli && D.Finestra(2));
        // No load cases: no choice, the diagrams as always.
        QVERIFY(momenti->Vista()->isHidden());
        QVERIFY(momenti->Stato()->text().startsWith("Scala momenti 1:"));

        ModuloZelvo& m = w.f->Modello().Modulo;
        prova::RiempiCombinazioni(m.Combinazioni, m.Dati.Luce, double(m.Dati.E) * m.Dati.J, 10000,
                                  5000);
        D.Ridisegna();
        QApplication::processEvents();
        QVERIFY(!momenti->Vista()->isHidden());
        QCOMPARE(momenti->Vista()->count(), 7);
        QCOMPARE(momenti->Vista()->currentText(), QStringLiteral("Tutti i carichi"));
        // The loads window shows every load: no choice there.
        QVERIFY(D.Finestra(2)->Vista()->isHidden());

        // The SLU envelope chosen in the moments window: the shears follow.
        momenti->Vista()->setCurrentIndex(3);
        emit momenti->Vista()->activated(3);
        QApplication::processEvents();
        QCOMPARE(D.ScaleCorrenti().Vista,
                 (VistaDiagrammi{VistaDiagrammi::Tipo::Inviluppo, int(TipoCombinazione::SLU)}));
        momenti->Area()->repaint();
        tagli->Area()->repaint();
        QApplication::processEvents();
        QVERIFY2(momenti->Stato()->text().startsWith("Inviluppo SLU   Scala momenti 1:"),
                 qPrintable(momenti->Stato()->text()));
        QVERIFY2(tagli->Stato()->text().startsWith("Inviluppo SLU   Scala tagli 1:"),
                 qPrintable(tagli->Stato()->text()));
        QCOMPARE(tagli->Vista()->currentIndex(), 3);
        QVERIFY(w.msg.elenco.empty());
    }
};

ZELVO_TEST_UI(TestDiagrammiViste)

#include "test_diagrammi_viste.moc"
