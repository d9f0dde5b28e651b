// The "Verifiche" window opened from the main window's menu item on a
// calculated example: the reason shown without a profile, the table and the
// governing line once a profile is chosen, red rows exactly where the
// utilisation exceeds 1.
#include "test_ui.h"

#include "ui/frm_verifiche.h"

#include <QComboBox>
#include <QLabel>
#include <QTableWidget>
#include <QTest>

using namespace zelvo;
using namespace zelvo::test;

namespace {

class TestFrmVerifiche : public QObject {
    Q_OBJECT

  private slots:
    void MotivoTabellaEColori() {
        Finestra fin;
        QVERIFY(fin.Apri("appoggio-appoggio"));
        QCOMPARE(fin.f->Modello().btnCalcola_Click(), EsitoCalcolo::Completato);
        QVERIFY(fin.Voce(QStringLiteral("&Verifiche...")));
        auto* w = fin.f->findChild<FrmVerifiche*>(QStringLiteral("frmVerifiche"));
        QVERIFY(w);
        QCOMPARE(w->EtichettaMotivo()->text().toStdString(), std::string(TestoNessunProfilo));
        QCOMPARE(w->Tabella()->rowCount(), 0);
        for (const char* p : {"IPE600", "IPE80"}) {
            w->SceltaProfilo()->setCurrentText(QString::fromLatin1(p));
            QCOMPARE(fin.f->Modulo().Dati.Verifica.Profilo, std::string(p));
            const auto& righe = w->Modello().Righe;
            QVERIFY(!righe.empty());
            QCOMPARE(w->Tabella()->rowCount(), static_cast<int>(righe.size()));
            QVERIFY(w->EtichettaGoverno()->text().startsWith(QStringLiteral("Governa la campata")));
            for (int r = 0; r < w->Tabella()->rowCount(); ++r) {
                const bool rosso = w->Tabella()->item(r, 4)->foreground().color() == Qt::red;
                QCOMPARE(rosso, righe[static_cast<size_t>(r)].Utilizzo > 1);
            }
        }
        w->SceltaProfilo()->setCurrentIndex(0);
        QVERIFY(!fin.f->Modulo().Dati.Verifica.Attiva);
        QCOMPARE(w->Tabella()->rowCount(), 0);
    }
};

} // namespace

ZELVO_TEST_UI(TestFrmVerifiche)
#include "test_frm_verifiche.moc"
