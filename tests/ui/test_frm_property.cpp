// The section-properties window driven through its widgets from the main
// window's "Sezione" button: the section types and the shape grid, E and J
// back to the beam, the editor's Cancel, the materials panel, the profile
// chooser with the section check (IPE 200 against its published figures).
#include "test_ui.h"

#include "form/finestra_property.h"
#include "io/numeri.h"
#include "ui/frm_property.h"
#include "ui/griglia_qt.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>

#include <cmath>
#include <filesystem>
#include <unistd.h>

using namespace zelvo;
using namespace zelvo::test;

namespace {

// The main window in m, MPa, t, kN, cm with E = 210000 and J = 8356 typed,
// and its section window open on a materials file of its own.
struct Banco : Finestra {
    FrmProperty* w = nullptr;
    const std::string materiali =
        std::filesystem::temp_directory_path() / ("zelvo_ui_materiali_" + std::to_string(getpid()));

    Banco() {
        f->Modello().Unita.UnitaDefault();
        f->Modello().InizializzaForm();
        f->Modello().txtDati[1].Edita("210000");
        f->Modello().txtDati[2].Edita("8356");
        f->show();
        Apri();
        w->Modello().FileMateriali = materiali;
        w->Modello().FileMaterialiPredefiniti = materiali + ".predefiniti";
    }
    ~Banco() { std::filesystem::remove(materiali); }
    void Apri() {
        f->cmdSezione_Click();
        w = f->findChild<FrmProperty*>(QStringLiteral("frmProperty"));
        w->activateWindow();
        (void)QTest::qWaitForWindowActive(w);
    }
    template <class T = QLineEdit> T* Trova(const char* nome) {
        return w->findChild<T*>(QString::fromLatin1(nome));
    }
    // A number shown, read with the main window's separators.
    double Num(const QString& t) const {
        return ValoreNumerico(t.toStdString(), f->Modello().Unita.separatori);
    }
    double Campo(const char* nome) { return Num(Trova(nome)->text()); }
    void Premi(const char* nome) {
        auto* b = Trova<QAbstractButton>(nome);
        QVERIFY2(b && b->isVisible() && b->isEnabled(), nome);
        QTest::mouseClick(b, Qt::LeftButton);
    }
    void Scheda(int i) { Trova<QTabWidget>("SSTab1")->setCurrentIndex(i); }
};

} // namespace

class TestFrmProperty : public QObject {
    Q_OBJECT

  private slots:
    // "T": a two-row grid without a row-count box; "n Rect." asks for the rows
    // and 0 rows hides the grid. A rectangle 30 x 50 cm: A = 1500 cm² and
    // J = b h³ / 12 = 312500 cm⁴ on the "Section" tab; Cancel in the editor
    // restores them; E and J reach the main window at closing.
    void editorDellaSezioneEChiusura() {
        Banco b;
        QCOMPARE(b.Campo("txtStru0"), 210000.0); // as the main window holds them
        QCOMPARE(b.Campo("txtSec1"), 8356.0);
        b.Trova("txtStru0")->clear();
        QTest::keyClicks(b.Trova("txtStru0"), "30000");
        b.Scheda(2);
        b.Premi("cmdGeo1");
        b.Premi("OpTipoSezione1");
        auto* g = b.Trova<GrigliaQt>("FlexGrid0");
        QCOMPARE(g->model()->rowCount(), 3); // headings + 2 rows
        QVERIFY(g->isVisible() && !b.Trova("txtRigheGriglia0")->isVisible());
        b.Premi("OpTipoSezione2");
        QVERIFY(b.Trova("txtRigheGriglia0")->isVisible() && !g->isVisible());
        Scrivi("3", b.Trova("txtRigheGriglia0"));
        QCOMPARE(g->model()->rowCount(), 4);
        b.Trova("txtRigheGriglia0")->selectAll();
        Scrivi("0", b.Trova("txtRigheGriglia0"));
        QVERIFY(!g->isVisible());
        QCOMPARE(QApplication::focusWidget(), b.Trova("txtRigheGriglia0"));

        b.Premi("OpTipoSezione0");
        QTest::mouseClick(g->viewport(), Qt::LeftButton, {},
                          g->visualRect(g->model()->index(1, 1)).center());
        Scrivi("30", b.Trova("txtEdit0"));
        QVERIFY(b.Trova("txtEdit0")->isVisible()); // Enter moved on to h
        Scrivi("50", b.Trova("txtEdit0"));
        b.Premi("cmdOKEdit");
        QCOMPARE(b.Campo("txtSec0"), 1500.0);
        QCOMPARE(b.Campo("txtSec1"), 312500.0);
        b.Premi("cmdGeo1"); // again: changed to a circle, cancelled
        b.Premi("OpTipoSezione4");
        b.Premi("cmdAnnullaEdit");
        QCOMPARE(b.Campo("txtSec1"), 312500.0);
        b.Premi("cmdGeo1");
        QCOMPARE(g->model()->index(1, 2).data().toString(), QStringLiteral("50"));
        b.Premi("cmdAnnullaEdit");
        b.f->cmdSezione_Click(); // the same window comes up again
        QCOMPARE(b.f->findChildren<FrmProperty*>().size(), qsizetype(1));

        b.Premi("cmdClose");
        QApplication::processEvents();
        QCOMPARE(b.f->Modulo().Dati.E, 3e10f);
        QVERIFY(std::fabs(b.f->Modulo().Dati.J - 0.3 * 0.125 / 12) < 1e-6 * 0.3 * 0.125 / 12);
        QCOMPARE(b.Num(b.f->Campo("txtDati", 2)->text()), 312500.0);
        QVERIFY(b.msg.elenco.empty());

        // What the section window holds is the user's work: closing the main
        // window takes it back first and asks before losing it.
        QVERIFY(b.f->Modello().FileSalvaCome(b.materiali + ".zlv"));
        b.Apri();
        QTest::keyClicks(b.Trova("txtMateriale"), "Larch");
        b.msg.Svuota();
        QVERIFY(!b.f->close());
        QCOMPARE(b.msg.Testi(),
                 std::vector<std::string>{"I dati sono stati modificati. Salvare le modifiche?"});
        QCOMPARE(b.f->Modello().SezioneProgetto.Prop->NomeMat, std::string("Larch"));
        std::filesystem::remove(b.materiali + ".zlv");
    }

    void ultimaRigaDeiMateriali() {
        Banco b;
        b.Premi("cmdMaterials");
        b.msg.Svuota(); // no file yet: the defaults, said once
        auto* g = b.Trova<QTableView>("MSFlexGrid1");
        QCOMPARE(g->model()->rowCount(), 12); // headings + 11 materials
        for (int i = 0; i < 10; ++i)
            b.Premi("cmdEliminRiga");
        QVERIFY(b.msg.elenco.empty());
        b.Premi("cmdEliminRiga");
        QCOMPARE(b.msg.Testi(), std::vector<std::string>{"Impossibile rimuovere l'ultima riga"});
        QCOMPARE(g->model()->rowCount(), 2);
        b.Premi("cmdMatDefault");
        QTest::mouseClick(g->viewport(), Qt::LeftButton, {},
                          g->visualRect(g->model()->index(3, 1)).center());
        b.Premi("cmdOKMateriali0");
        QCOMPARE(b.Trova("txtMateriale")->text(), QStringLiteral("Concrete C20/25"));
        QCOMPARE(b.Campo("txtStru0"), 29000.0);
    }

    // A profile picked in the chooser: the catalogue's area and inertia, the
    // section check in S275 (published: Wel,y = 194.3 cm³, Wpl,y = 220.6 cm³,
    // Mel = 53.4 kNm, Mpl = 60.7 kNm); a paired UPN 200 doubles A and J.
    void profiloDalSelettore() {
        Banco b;
        for (bool upn : {false, true}) {
            b.Scheda(2);
            b.Premi("cmdGeo0");
            FrmSceltaProfili* s = b.w->Scelta();
            QVERIFY(s && s->isVisible() && !b.w->isVisible());
            if (upn) s->findChild<QListWidget*>(QStringLiteral("lstFamiglie"))->setCurrentRow(3);
            auto* filtro = s->findChild<QLineEdit*>(QStringLiteral("txtFiltro"));
            filtro->clear();
            QTest::keyClicks(filtro, "200");
            auto* t = s->findChild<QTableWidget*>(QStringLiteral("tblProfili"));
            QCOMPARE(t->item(0, 0)->text(), upn ? "UPN200" : "IPE200");
            s->findChild<QComboBox*>(QStringLiteral("cmbGrado"))->setCurrentIndex(1);
            if (upn) {
                Clic(s->findChild<QCheckBox*>(QStringLiteral("chkDoppi")));
                s->findChild<QLineEdit*>(QStringLiteral("txtDDoppi"))->selectAll();
                QTest::keyClicks(s->findChild<QLineEdit*>(QStringLiteral("txtDDoppi")), "10");
            }
            QTest::mouseClick(s->findChild<QPushButton*>(QStringLiteral("cmdOK")), Qt::LeftButton);
            QApplication::processEvents();
            QVERIFY(!b.w->Scelta() && b.w->isVisible() && b.f->isVisible());
            QCOMPARE(b.Campo("txtSec0"), upn ? 2 * 32.18 : 28.48);
            QCOMPARE(b.Campo("txtSec1"), upn ? 2 * 1911.0 : 1943.0);
            if (upn) break;
            QCOMPARE(b.Trova("txtDidSezione")->text(), QStringLiteral("IPE200 S275"));
            b.Scheda(1);
            QStringList verifica;
            for (const char* l : {"lblWel", "lblWpl", "lblMel", "lblMpl"})
                verifica << b.Trova<QLabel>(l)->text();
            QCOMPARE(verifica, (QStringList{"194.3", "220.6", "53.4", "60.7"}));
        }
        QVERIFY(b.msg.elenco.empty());
    }
    // A refused field keeps the window open with the focus on it; with the
    // window open, each calculation of the main window refreshes the check
    // (IPE 200 in S235: Mpl = 220.6 cm³ · 235 MPa = 51.84 kNm; 6 m under
    // q = 10 and 20 kN/m: M = qL²/8 = 45 and 90 kNm), a ratio above 1 in red.
    void rifiutoEVerificaCheSegueICalcoli() {
        Banco b;
        b.Trova("txtStru1")->selectAll();
        QTest::keyClicks(b.Trova("txtStru1"), "0.7");
        b.Premi("cmdClose");
        QApplication::processEvents();
        QVERIFY(b.w->isVisible());
        QCOMPARE(b.msg.Testi(),
                 std::vector<std::string>{
                     "Poisson's Ratio: il valore deve essere almeno 0 e minore di 0.5."});
        QCOMPARE(QApplication::focusWidget(), b.Trova("txtStru1"));
        b.Trova("txtStru1")->selectAll();
        QTest::keyClicks(b.Trova("txtStru1"), "0.3");
        b.msg.Svuota();

        FinestraProperty& m = b.w->Modello();
        m.cmdGeo_Click(0);
        QVERIFY(m.Scelta);
        m.Scelta->ImpostaFiltro("IPE200");
        QVERIFY(m.Scelta->Scegli());
        m.Scelta->Chiudi();
        m.RilasciaSceltaChiusa();
        b.w->Aggiorna();
        ModelloForm& t = b.f->Modello();
        t.txtDati[0].Edita("6");
        auto calcola = [&](const char* q) {
            t.Optschema_Click(0);
            t.txtRigheGriglia[0].Edita("1");
            t.txtRigheGriglia_Invio(0);
            for (int c = 1; c <= 4; ++c)
                t.FlexGrid[0].ImpostaTesto(1, c, c == 3 ? "0" : c == 4 ? "6" : q);
            QCOMPARE(t.btnCalcola_Click(), EsitoCalcolo::Completato);
            QApplication::processEvents();
        };
        calcola("10");
        QCOMPARE(b.Trova<QLabel>("lblMmax")->text(), QStringLiteral("45.0"));
        QCOMPARE(b.Trova<QLabel>("lblRapporto")->text(), QStringLiteral("0.868"));
        QVERIFY(b.Trova<QLabel>("lblRapporto")->styleSheet().isEmpty());
        calcola("20");
        QCOMPARE(b.Trova<QLabel>("lblMmax")->text(), QStringLiteral("90.0"));
        QCOMPARE(b.Trova<QLabel>("lblRapporto")->text(), QStringLiteral("1.736 NON verificata"));
        QVERIFY(b.Trova<QLabel>("lblRapporto")->styleSheet().contains("color"));
        QVERIFY(b.Trova<QLabel>("lblMotivoVerifica")->isHidden());
        QVERIFY(b.msg.elenco.empty());
    }
};

ZELVO_TEST_UI(TestFrmProperty)

#include "test_frm_property.moc"
