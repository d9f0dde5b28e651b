// The load cases dialog driven as the user drives it: opened from
// "Opzioni", filled, confirmed or cancelled.
#include "test_ui.h"
#include "ui/frm_combinazioni.h"
#include "ui/griglia_qt.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <QTimer>

using namespace zelvo;
using namespace zelvo::test;

class TestCombinazioni : public QObject {
    Q_OBJECT

    // Opens the dialog from the menu and runs `passi` on it while it is open.
    static bool Dialogo(Finestra& w, const std::function<void(FrmCombinazioni&)>& passi) {
        bool aperto = false;
        QTimer::singleShot(0, w.f.get(), [&] {
            auto* d = qobject_cast<FrmCombinazioni*>(QApplication::activeModalWidget());
            if (!d) return;
            aperto = true;
            passi(*d);
        });
        w.Voce(QStringLiteral("&Combinazioni..."));
        return aperto && !QApplication::activeModalWidget();
    }

  private slots:
    void senzaCasiComePrima() {
        Finestra w;
        QVERIFY(w.Apri("trave-continua"));
        QTest::mouseClick(w.f->Calcola(), Qt::LeftButton);
        auto* frame = w.f->findChild<QWidget*>(QStringLiteral("FrameCombinazioni"));
        QVERIFY(frame);
        QVERIFY(!frame->isVisibleTo(w.f.get()));
        QCOMPARE(w.f->Griglia(0)->model()->columnCount(), 5);
        auto* peso = w.f->findChild<QWidget*>(QStringLiteral("lblPesoProprio"));
        QVERIFY(peso && !peso->isVisibleTo(w.f.get()));
    }

    void riempitoEConfermato() {
        Finestra w;
        QVERIFY(w.Apri("trave-continua"));
        const bool ok = Dialogo(w, [](FrmCombinazioni& d) {
            for (int i = 0; i < 3; ++i)
                QTest::mouseClick(d.PulsanteAggiungi(), Qt::LeftButton);
            QCOMPARE(d.TabellaCasi()->rowCount(), 3);
            QCOMPARE(d.TabellaCasi()->item(2, 0)->text(), QStringLiteral("Q1"));
            QVERIFY(!d.Categoria(0)->isEnabled()); // a permanent case has no category
            d.Categoria(2)->setCurrentIndex(static_cast<int>(CategoriaQ::B));
            // the tabulated ψ are shown and cannot be typed
            QVERIFY(!(d.TabellaCasi()->item(2, 3)->flags() & Qt::ItemIsEditable));
            d.Categoria(2)->setCurrentIndex(static_cast<int>(CategoriaQ::Personalizzata));
            QVERIFY(d.TabellaCasi()->item(2, 3)->flags() & Qt::ItemIsEditable);
            d.Categoria(2)->setCurrentIndex(static_cast<int>(CategoriaQ::B));
            d.TabellaCasi()->item(2, 0)->setText(QStringLiteral("Uffici"));
            QTest::mouseClick(d.findChild<QPushButton*>(QStringLiteral("cmdEN1990")),
                              Qt::LeftButton);
            d.Limite(0)->setFocus();
            d.Limite(0)->selectAll();
            QTest::keyClicks(d.Limite(0), QStringLiteral("300"));
            QCOMPARE(d.PresetLimiti()->currentText(),
                     QString::fromStdString(NomePreset(PresetFreccia::Personalizzato)));
            QTest::mouseClick(d.PulsanteOK(), Qt::LeftButton);
        });
        QVERIFY(ok);
        const DatiTrave& dati = w.f->Modulo().Dati;
        QCOMPARE(dati.Casi.size(), size_t(3));
        QCOMPARE(dati.Casi[2].Nome, std::string("Uffici"));
        QCOMPARE(dati.Casi[2].Categoria, CategoriaQ::B);
        QCOMPARE(dati.Casi[2].psi2, 0.3);
        QCOMPARE(dati.Coefficienti.gG2[0], 1.35);
        QCOMPARE(dati.Limiti.Totale, 300.0);
        QCOMPARE(w.msg.Testi().size(), size_t(0));
        // the load tables show the case of every load
        QAbstractItemModel* m = w.f->Griglia(0)->model();
        QCOMPARE(m->columnCount(), 6);
        QCOMPARE(m->index(0, 5).data().toString(), QStringLiteral("Caso"));

        // cancelled: nothing changes
        const DatiTrave prima = dati;
        QVERIFY(Dialogo(w, [](FrmCombinazioni& d) {
            QTest::mouseClick(d.PulsanteAggiungi(), Qt::LeftButton);
            d.PesoProprio()->setChecked(true);
            QTest::mouseClick(d.PulsanteAnnulla(), Qt::LeftButton);
        }));
        QVERIFY(w.f->Modulo().Dati == prima);

        // a refused number keeps the dialog open with its message
        QVERIFY(Dialogo(w, [&](FrmCombinazioni& d) {
            d.Gamma(QSfav)->setText(QStringLiteral("-1"));
            emit d.Gamma(QSfav)->textEdited(d.Gamma(QSfav)->text());
            QTest::mouseClick(d.PulsanteOK(), Qt::LeftButton);
            QVERIFY(d.isVisible());
            QCOMPARE(w.msg.Testi().back(),
                     std::string("γQ sfavorevole: il coefficiente non può essere negativo."));
            QTest::mouseClick(d.PulsanteAnnulla(), Qt::LeftButton);
        }));
        QVERIFY(w.f->Modulo().Dati == prima);
    }
};

ZELVO_TEST_UI(TestCombinazioni)

#include "test_combinazioni.moc"
