// The section-properties window on the offscreen platform, driven through its
// widgets from the main window's "Sezione" button: the type buttons and the
// shape grid, E and J back to the beam, the editor's Cancel, the materials
// panel, the profile chooser and the section check.
#include "test_ui.h"

#include "io/numeri.h"
#include "ui/frm_dati.h"
#include "ui/frm_property.h"
#include "ui/griglia_qt.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>
#include <QToolButton>

#include <cmath>
#include <filesystem>
#include <unistd.h>

using namespace zelvo;

namespace {

struct Banco {
    RegistroMessaggi msg;
    std::unique_ptr<FrmDati> trave;
    FrmProperty* w = nullptr;
    std::filesystem::path materiali;

    explicit Banco(bool digitaEJ = true) {
        OpzioniFrmDati o;
        o.messaggi = &msg;
        trave = std::make_unique<FrmDati>(o);
        trave->Modello().Unita.UnitaDefault(); // m, MPa, t, kN, cm
        trave->Modello().InizializzaForm();
        if (digitaEJ) {
            trave->Modello().txtDati[1].Edita("210000");
            trave->Modello().txtDati[2].Edita("8356");
        }
        trave->show();
        trave->cmdSezione_Click();
        w = trave->findChild<FrmProperty*>(QStringLiteral("frmProperty"));
        materiali = std::filesystem::temp_directory_path() /
                    ("zelvo_ui_materiali_" + std::to_string(getpid()) + ".txt");
        std::filesystem::remove(materiali);
        if (w) {
            w->Modello().FileMateriali = materiali;
            w->Modello().FileMaterialiPredefiniti = materiali.string() + ".predefiniti";
            w->activateWindow();
            (void)QTest::qWaitForWindowActive(w);
        }
    }
    ~Banco() { std::filesystem::remove(materiali); }

    // A shown number read with the main window's separators.
    double Num(const QString& t) const {
        return ValoreNumerico(t.toStdString(), trave->Modello().Unita.separatori);
    }
    double Num(const std::string& t) const { return Num(QString::fromStdString(t)); }
    template <class T> T* Trova(const char* nome) {
        return w->findChild<T*>(QString::fromLatin1(nome));
    }
    void Clic(const char* nome) {
        auto* b = w->findChild<QAbstractButton*>(QString::fromLatin1(nome));
        QVERIFY2(b, nome);
        QVERIFY2(b->isVisible() && b->isEnabled(), nome);
        QTest::mouseClick(b, Qt::LeftButton);
    }
    // Clicks a shape-grid cell and types its value followed by Enter.
    void Cella(int r, int c, const QString& testo) {
        auto* g = Trova<GrigliaQt>("FlexGrid0");
        const QRect rc = g->visualRect(g->model()->index(r, c));
        QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, rc.center());
        auto* e = Trova<QLineEdit>("txtEdit0");
        QVERIFY(e->isVisible());
        e->selectAll();
        QTest::keyClicks(e, testo);
        QTest::keyClick(e, Qt::Key_Return);
    }
    QString Testo(const char* nome) { return Trova<QLineEdit>(nome)->text(); }
    // Text of cell (r, c) of a grid on screen (row 0 and column 0 are headings).
    static QString Cella(QAbstractItemView* g, int r, int c) {
        return g->model()->index(r, c).data().toString();
    }
};

} // namespace

class TestFrmProperty : public QObject {
    Q_OBJECT

  private slots:
    void finestraConTreSchede() {
        Banco b;
        QVERIFY(b.w);
        QCOMPARE(b.w->windowTitle(), QStringLiteral("Beam Property"));
        QVERIFY(b.w->isVisible());
        QCOMPARE(b.w->parentWidget(), b.trave.get()); // above the main window
        QVERIFY(b.w->isWindow());
        auto* t = b.Trova<QTabWidget>("SSTab1");
        QCOMPARE(t->count(), 3);
        QCOMPARE(t->tabText(0), QStringLiteral("Material"));
        QCOMPARE(t->tabText(1), QStringLiteral("Section"));
        QCOMPARE(t->tabText(2), QStringLiteral("Geometry"));
        QCOMPARE(t->currentIndex(), 0);
        QCOMPARE(b.Trova<QPushButton>("cmdGeo0")->text(), QStringLiteral("&Profili"));
        QCOMPARE(b.Trova<QPushButton>("cmdGeo1")->text(), QStringLiteral("&Edit"));
        QCOMPARE(b.Trova<QPushButton>("cmdGeo2")->text(), QStringLiteral("&Rotate"));
        QCOMPARE(b.Trova<QPushButton>("cmdClose")->text(), QStringLiteral("&Close"));
        // the same window comes up again
        b.trave->cmdSezione_Click();
        QCOMPARE(b.trave->findChildren<FrmProperty*>().size(), qsizetype(1));
    }

    // No record yet: closing at once hands back what the main window holds.
    void chiusuraSenzaRecordConservaEJ() {
        Banco b;
        QCOMPARE(b.Num(b.Testo("txtStru0")), 210000.0);
        QCOMPARE(b.Num(b.Testo("txtSec1")), 8356.0);
        QTest::mouseClick(b.Trova<QPushButton>("cmdClose"), Qt::LeftButton);
        QApplication::processEvents();
        QCOMPARE(b.trave->Modulo().Dati.E, 2.1e11f);
        QCOMPARE(b.trave->Modulo().Dati.J, 8356e-8f);
        QCOMPARE(b.Num(b.trave->Modello().txtDati[2].testo), 8356.0);
        QVERIFY(b.msg.elenco.empty());
    }

    // "T": a two-row grid without a row-count box; "n Rect." asks for the
    // rows first and 0 rows hides the grid.
    void tipiDiSezione() {
        Banco b;
        b.Trova<QTabWidget>("SSTab1")->setCurrentIndex(2);
        b.Clic("cmdGeo1");
        b.Clic("OpTipoSezione1");
        auto* g = b.Trova<GrigliaQt>("FlexGrid0");
        QVERIFY(g->isVisible());
        QCOMPARE(g->model()->rowCount(), 3); // headings + 2 rows
        QCOMPARE(Banco::Cella(g, 0, 1), QStringLiteral("b [cm]"));
        QCOMPARE(Banco::Cella(g, 0, 2), QStringLiteral("h [cm]"));
        QVERIFY(!b.Trova<QLineEdit>("txtRigheGriglia0")->isVisible());
        QVERIFY(b.Trova<QToolButton>("OpTipoSezione1")->isChecked());
        QVERIFY(!b.Trova<QToolButton>("OpTipoSezione0")->isChecked());
        // a printable key on the grid opens the editor with that character
        QTest::keyClick(g, Qt::Key_7);
        QVERIFY(g->Editor()->isVisible());
        QCOMPARE(g->Editor()->text(), QStringLiteral("7"));
        QTest::keyClick(g->Editor(), Qt::Key_Escape);

        b.Clic("OpTipoSezione2");
        auto* n = b.Trova<QLineEdit>("txtRigheGriglia0");
        QVERIFY(n->isVisible());
        QVERIFY(!g->isVisible());
        QTest::keyClicks(n, QStringLiteral("3"));
        QTest::keyClick(n, Qt::Key_Return);
        QVERIFY(g->isVisible());
        QCOMPARE(g->model()->rowCount(), 4);
        n->selectAll();
        QTest::keyClicks(n, QStringLiteral("0"));
        QTest::keyClick(n, Qt::Key_Return);
        QVERIFY(!g->isVisible());
        QCOMPARE(QApplication::focusWidget(), n);
    }

    // An edited rectangle: area and inertia on the "Section" tab, E and J
    // in the main window at closing; Cancel restores the stored section.
    void rettangoloEAnnulla() {
        Banco b;
        b.Trova<QLineEdit>("txtStru0")->clear();
        QTest::keyClicks(b.Trova<QLineEdit>("txtStru0"), QStringLiteral("30000"));
        b.Trova<QTabWidget>("SSTab1")->setCurrentIndex(2);
        b.Clic("cmdGeo1");
        b.Clic("OpTipoSezione0");
        b.Cella(1, 1, QStringLiteral("30"));
        auto* e = b.Trova<QLineEdit>("txtEdit0");
        QVERIFY(e->isVisible()); // Enter moved on to h
        QTest::keyClicks(e, QStringLiteral("50"));
        QTest::keyClick(e, Qt::Key_Return);
        QTest::mouseClick(b.Trova<QWidget>("Figura"), Qt::LeftButton);
        QCOMPARE(b.Num(b.Trova<QLabel>("Risultati1")->text()), 1500.0);
        b.Clic("cmdOKEdit");
        QVERIFY(!b.Trova<QWidget>("FrameEdit")->isVisible());
        QCOMPARE(b.Num(b.Testo("txtSec0")), 1500.0);
        QCOMPARE(b.Num(b.Testo("txtSec1")), 312500.0);

        // editor again: changed to a circle, then cancelled
        b.Clic("cmdGeo1");
        QVERIFY(b.Trova<QToolButton>("OpTipoSezione0")->isChecked());
        QCOMPARE(Banco::Cella(b.Trova<GrigliaQt>("FlexGrid0"), 1, 2), QStringLiteral("50"));
        b.Clic("OpTipoSezione4");
        QTest::keyClicks(b.Trova<QLineEdit>("RaggioTxt0"), QStringLiteral("40"));
        QTest::keyClicks(b.Trova<QLineEdit>("RaggioTxt1"), QStringLiteral("0"));
        QTest::mouseClick(b.Trova<QWidget>("Figura"), Qt::LeftButton);
        QVERIFY(b.Num(b.Trova<QLabel>("Risultati1")->text()) > 5000);
        b.Clic("cmdAnnullaEdit");
        QCOMPARE(b.Num(b.Testo("txtSec1")), 312500.0);
        QCOMPARE(b.w->Modello().Record().SezioneEd.TipoSezione, int16_t(SezRettangolo));

        b.w->close();
        QApplication::processEvents();
        QCOMPARE(b.trave->Modulo().Dati.E, 3e10f);
        QVERIFY(std::fabs(b.trave->Modulo().Dati.J - 0.3 * 0.125 / 12) < 1e-6 * 0.3 * 0.125 / 12);
        QCOMPARE(b.Num(b.trave->Modello().txtDati[1].testo), 30000.0);
        QCOMPARE(b.Num(b.trave->Campo("txtDati", 2)->text()), 312500.0);
        QVERIFY(b.msg.elenco.empty());

        // "Calcola": a simply supported span of 6 m under 10 kN/m deflects
        // 5 q L^4 / (384 E J) with that E and J: 1.800 mm
        b.trave->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(b.trave.get()));
        auto* luce = b.trave->Campo("txtDati", 0);
        luce->setFocus();
        luce->selectAll();
        QTest::keyClicks(luce, QStringLiteral("6"));
        QTest::keyClick(luce, Qt::Key_Return);
        auto* righe = b.trave->Campo("txtRigheGriglia", 0);
        righe->setFocus();
        righe->selectAll();
        QTest::keyClicks(righe, QStringLiteral("1"));
        QTest::keyClick(righe, Qt::Key_Return);
        for (const char* v : {"10", "10", "0", "6"}) {
            QWidget* e = QApplication::focusWidget();
            QVERIFY(e);
            QTest::keyClicks(e, QString::fromLatin1(v));
            QTest::keyClick(e, Qt::Key_Return);
        }
        QTest::mouseClick(b.trave->Calcola(), Qt::LeftButton);
        QVERIFY(b.msg.elenco.empty());
        const double f = 5 * 10e3 * std::pow(6.0, 4) / (384 * 3e10 * (0.3 * 0.125 / 12));
        // integrated over the 100 sections: about 0.025 % low; the field
        // shows the closed form to its 4 digits
        const double fmax = std::fabs(b.trave->Modulo().Risultati.fmax);
        QVERIFY2(std::fabs(fmax - f) < 5e-4 * f, qPrintable(QString::number(fmax)));
        const double mostrata = std::fabs(b.Num(b.trave->Campo("txtRis", 10)->text()));
        QVERIFY2(std::fabs(mostrata - f) <= 5e-7, qPrintable(b.trave->Campo("txtRis", 10)->text()));
    }

    // What the section window holds counts as the user's work: closing the
    // main window hands it back first and asks before losing it.
    void sezioneNonSalvataSiChiede() {
        Banco b;
        b.w->close();
        QApplication::processEvents();
        const auto file =
            b.materiali.parent_path() / ("zelvo_ui_sezione_" + std::to_string(getpid()) + ".zlv");
        QVERIFY(b.trave->Modello().FileSalvaCome(file.string()));
        QVERIFY(!b.trave->Modello().DatiModificati());
        b.trave->cmdSezione_Click();
        auto* w = b.trave->findChild<FrmProperty*>(QStringLiteral("frmProperty"));
        QVERIFY(w);
        auto* nome = w->findChild<QLineEdit*>(QStringLiteral("txtMateriale"));
        QTest::keyClicks(nome, QStringLiteral("Larch"));
        b.msg.Svuota();
        b.msg.risposteAnnulla = {Risposta::Annulla};
        QVERIFY(!b.trave->close());
        QCOMPARE(b.msg.Testi(),
                 std::vector<std::string>{"I dati sono stati modificati. Salvare le modifiche?"});
        QCOMPARE(b.trave->Modello().SezioneProgetto.Prop->NomeMat, std::string("Larch"));
        std::filesystem::remove(file);
    }

    void ultimaRigaDeiMateriali() {
        Banco b;
        b.Clic("cmdMaterials");
        QCOMPARE(b.msg.elenco.size(), size_t(1)); // no file yet: the defaults
        b.msg.Svuota();
        auto* g = b.Trova<QTableView>("MSFlexGrid1");
        QVERIFY(g->isVisible());
        QCOMPARE(g->model()->rowCount(), 12); // headings + 11 materials
        QCOMPARE(Banco::Cella(g, 1, 0), QStringLiteral(">"));
        QCOMPARE(b.Testo("Text1"), QStringLiteral("Steel"));
        for (int i = 0; i < 10; ++i)
            b.Clic("cmdEliminRiga");
        QCOMPARE(g->model()->rowCount(), 2);
        QVERIFY(b.msg.elenco.empty());
        b.Clic("cmdEliminRiga");
        QCOMPARE(b.msg.elenco.size(), size_t(1));
        QCOMPARE(QString::fromStdString(b.msg.elenco[0].testo),
                 QStringLiteral("Impossibile rimuovere l'ultima riga"));
        QCOMPARE(g->model()->rowCount(), 2);
        b.Clic("cmdMatDefault");
        QCOMPARE(g->model()->rowCount(), 12);
        QTest::mouseClick(g->viewport(), Qt::LeftButton, {},
                          g->visualRect(g->model()->index(3, 1)).center());
        QCOMPARE(b.Testo("Text1"), QStringLiteral("Concrete C20/25"));
        b.Clic("cmdOKMateriali0");
        QCOMPARE(b.Testo("txtMateriale"), QStringLiteral("Concrete C20/25"));
        QCOMPARE(b.Num(b.Testo("txtStru0")), 29000.0);
    }

    // A profile picked in the chooser: catalogue area and inertia, the
    // section check in S275, a paired UPN doubling them.
    void profiloDalSelettore() {
        Banco b;
        b.Trova<QTabWidget>("SSTab1")->setCurrentIndex(2);
        b.Clic("cmdGeo0");
        FrmSceltaProfili* s = b.w->Scelta();
        QVERIFY(s);
        QVERIFY(s->isVisible());
        QVERIFY(!b.w->isVisible());
        QVERIFY(!b.trave->isVisible());
        QTest::keyClicks(s->findChild<QLineEdit*>(QStringLiteral("txtFiltro")),
                         QStringLiteral("200"));
        auto* t = s->findChild<QTableWidget*>(QStringLiteral("tblProfili"));
        QCOMPARE(t->rowCount(), 1);
        QCOMPARE(t->item(0, 0)->text(), QStringLiteral("IPE200"));
        QCOMPARE(t->item(0, 9)->text(), QStringLiteral("194.3"));
        s->findChild<QComboBox*>(QStringLiteral("cmbGrado"))->setCurrentIndex(1);
        QTest::mouseClick(s->findChild<QPushButton*>(QStringLiteral("cmdOK")), Qt::LeftButton);
        QApplication::processEvents();
        QVERIFY(!b.w->Scelta());
        QVERIFY(b.w->isVisible());
        QVERIFY(b.trave->isVisible());
        QCOMPARE(b.Num(b.Testo("txtSec0")), 28.48); // A = 28.5 cm²
        QCOMPARE(b.Num(b.Testo("txtSec1")), 1943.0);
        QCOMPARE(b.Testo("txtDidSezione"), QStringLiteral("IPE200 S275"));
        b.Trova<QTabWidget>("SSTab1")->setCurrentIndex(1);
        QCOMPARE(b.Trova<QLabel>("lblWel")->text(), QStringLiteral("194.3"));
        QCOMPARE(b.Trova<QLabel>("lblWpl")->text(), QStringLiteral("220.6"));
        QCOMPARE(b.Trova<QLabel>("lblMel")->text(), QStringLiteral("53.4"));
        QCOMPARE(b.Trova<QLabel>("lblMpl")->text(), QStringLiteral("60.7"));
        QCOMPARE(b.Num(b.Testo("txtFy")), 275.0);

        // a pair of UPN 200 at 10 mm
        b.Trova<QTabWidget>("SSTab1")->setCurrentIndex(2);
        b.Clic("cmdGeo0");
        s = b.w->Scelta();
        QVERIFY(s);
        auto* fam = s->findChild<QListWidget*>(QStringLiteral("lstFamiglie"));
        fam->setCurrentRow(3);
        auto* filtro = s->findChild<QLineEdit*>(QStringLiteral("txtFiltro"));
        filtro->clear();
        QTest::keyClicks(filtro, QStringLiteral("200"));
        t = s->findChild<QTableWidget*>(QStringLiteral("tblProfili"));
        QCOMPARE(t->item(0, 0)->text(), QStringLiteral("UPN200"));
        auto* doppi = s->findChild<QCheckBox*>(QStringLiteral("chkDoppi"));
        QTest::mouseClick(doppi, Qt::LeftButton, {}, QPoint(8, doppi->height() / 2));
        QVERIFY(doppi->isChecked());
        QVERIFY(s->Modello().Doppi);
        auto* gap = s->findChild<QLineEdit*>(QStringLiteral("txtDDoppi"));
        gap->selectAll();
        QTest::keyClicks(gap, QStringLiteral("10"));
        QTest::mouseClick(s->findChild<QPushButton*>(QStringLiteral("cmdOK")), Qt::LeftButton);
        QApplication::processEvents();
        QCOMPARE(b.Num(b.Testo("txtSec0")), 2 * 32.18);
        QCOMPARE(b.Num(b.Testo("txtSec1")), 2 * 1911.0);
        QVERIFY(b.msg.elenco.empty());
    }
};

ZELVO_TEST_UI(TestFrmProperty)

#include "test_frm_property.moc"
