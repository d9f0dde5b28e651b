// The "Verifiche" window opened from the main window's menu item on a
// calculated example: the reason shown without a profile, the table and the
// governing line once a profile is chosen, red rows exactly where the
// utilisation exceeds 1. A careless user: numbers typed with the other
// decimal separator or left empty, a span typed without calculating, a new
// or another problem while the window is open.
#include "test_ui.h"

#include "ui/frm_verifiche.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
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

    void DigitatiEProblemaCambiato() {
        Finestra fin;
        QVERIFY(fin.Apri("appoggio-appoggio"));
        QCOMPARE(fin.f->Modello().btnCalcola_Click(), EsitoCalcolo::Completato);
        QVERIFY(fin.Voce(QStringLiteral("&Verifiche...")));
        auto* w = fin.f->findChild<FrmVerifiche*>(QStringLiteral("frmVerifiche"));
        QVERIFY(w);
        w->SceltaProfilo()->setCurrentText(QStringLiteral("IPE300"));
        const int righe = w->Tabella()->rowCount();
        QVERIFY(righe > 0);
        QCOMPARE(w->Tabella()->horizontalHeaderItem(1)->text(), QStringLiteral("Classe"));
        QCOMPARE(w->Tabella()->item(0, 1)->text(), QStringLiteral("1"));
        // Restrained at the supports only: the critical mode is drawn.
        QVERIFY(w->FiguraForma()->isVisibleTo(w));

        // The other decimal separator in the restraints: refused with the
        // message of typed numbers, nothing read.
        const Separatori sep = fin.f->Unita().separatori;
        const bool virgola = sep.decimale == ",";
        auto* ritegni = w->findChild<QComboBox*>(QStringLiteral("cmbRitegni"));
        ritegni->setCurrentIndex(1);
        fin.msg.Svuota();
        const std::string altro = virgola ? "1.5" : "1,5";
        w->CampoAscisse()->setText(QString());
        Scrivi(QString::fromStdString(altro), w->CampoAscisse());
        QCOMPARE(fin.msg.elenco.size(), size_t{1});
        QCOMPARE(fin.msg.elenco[0].testo, TestoNumeroRifiutato(TestoLuogoRitegni, altro, sep));
        QVERIFY(fin.f->Modulo().Dati.Verifica.xRitegni.empty());
        // An empty factor: refused, the factor in force shown again.
        fin.msg.Svuota();
        const QString prima = w->CampoGM0()->text();
        w->CampoGM0()->setText(QString());
        Scrivi(QString(), w->CampoGM0());
        QCOMPARE(fin.msg.elenco.size(), size_t{1});
        QCOMPARE(w->CampoGM0()->text(), prima);
        QCOMPARE(fin.f->Modulo().Dati.Verifica.gM0, 1.05);

        // A span typed in the main window without calculating: no checks.
        auto* luce = fin.f->findChild<QLineEdit*>(QStringLiteral("txtDati0"));
        QVERIFY(luce);
        luce->selectAll();
        Scrivi(QStringLiteral("9"), luce);
        QCOMPARE(w->EtichettaMotivo()->text().toStdString(), std::string(TestoDatiCambiati));
        QCOMPARE(w->Tabella()->rowCount(), 0);
        QVERIFY(w->FiguraForma()->isHidden());
        QCOMPARE(fin.f->Modello().btnCalcola_Click(), EsitoCalcolo::Completato);
        QVERIFY(w->Tabella()->rowCount() > 0);
        QVERIFY(w->EtichettaMotivo()->isHidden());

        // Another problem opened: the window follows it (its profile, none).
        fin.risposte.push_back(Esempio("mensola"));
        fin.msg.risposteAnnulla.push_back(Risposta::No); // the changed span not saved
        QVERIFY(fin.Voce(QStringLiteral("&Apri")));
        QCOMPARE(fin.f->Modulo().Dati.Vincoli, int16_t{Mensola});
        QCOMPARE(w->Tabella()->rowCount(), 0);
        QVERIFY(!w->EtichettaMotivo()->text().isEmpty());
        QCOMPARE(w->SceltaProfilo()->currentText().toStdString(),
                 fin.f->Modulo().Dati.Verifica.Profilo);
        QCOMPARE(fin.f->Modello().btnCalcola_Click(), EsitoCalcolo::Completato);
        w->SceltaProfilo()->setCurrentText(QStringLiteral("IPE300"));
        QVERIFY(w->Tabella()->rowCount() > 0);
        QCOMPARE(w->Tabella()->item(0, 0)->text(), QStringLiteral("1 (sbalzo)"));
        // A new problem: nothing of the old beam (the profile chosen is
        // unsaved work: not saved).
        fin.msg.risposteAnnulla.push_back(Risposta::No);
        QVERIFY(fin.Voce(QStringLiteral("&Nuovo")));
        QVERIFY(fin.msg.risposteAnnulla.empty());
        QCOMPARE(w->Tabella()->rowCount(), 0);
        QVERIFY(!w->EtichettaMotivo()->text().isEmpty());
        QVERIFY(w->EtichettaGoverno()->isHidden());
    }
};

} // namespace

ZELVO_TEST_UI(TestFrmVerifiche)
#include "test_frm_verifiche.moc"
