// The menus, the toolbar and the keys of the main window as the user sees
// them: every caption in its place, every separator, every key, each
// toolbar button's text, tooltip and icon; and each File item reaching its
// own operation.
#include "test_ui.h"

#include "form/stampante.h"
#include "graphics/cad.h"
#include "ui/diagrammi_qt.h"
#include "ui/finestra_aiuto.h"
#include "ui/finestra_unita.h"
#include "ui/frm_property.h"

#include <QAction>
#include <QCryptographicHash>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>

using namespace zelvo;
using namespace zelvo::test;

namespace {

QString Tasti(const QAction* a) {
    QStringList t;
    for (const QKeySequence& k : a->shortcuts())
        t << k.toString(QKeySequence::PortableText);
    return t.join(QLatin1Char(';'));
}

QString Icona(const QAction* a) {
    const QImage i = a->icon().pixmap(16, 16).toImage();
    if (i.isNull()) return QStringLiteral("-");
    const QByteArray b(reinterpret_cast<const char*>(i.constBits()), i.sizeInBytes());
    return QString::fromLatin1(QCryptographicHash::hash(b, QCryptographicHash::Md5).toHex());
}

// The menu bar, its menus and the window's own keys, one line each: the
// caption, ">" for a submenu, the keys, whether it can be chosen.
QStringList Menu(FrmDati& f) {
    QStringList r;
    for (QAction* m : f.menuBar()->actions()) {
        r << QStringLiteral("[%1] %2").arg(m->text(), Tasti(m));
        if (!m->menu()) continue;
        for (QAction* a : m->menu()->actions()) {
            if (a->isSeparator())
                r << QStringLiteral("  ----");
            else
                r << QStringLiteral("  %1 %2%3 %4")
                         .arg(a->text(), a->menu() ? QStringLiteral(">") : QString(), Tasti(a),
                              a->isEnabled() ? QStringLiteral("on") : QStringLiteral("off"));
        }
    }
    for (QAction* a : f.actions())
        r << QStringLiteral("(window) %1 %2").arg(a->text(), Tasti(a));
    return r;
}

QStringList Barra(FrmDati& f) {
    QStringList r;
    for (QToolBar* b : f.findChildren<QToolBar*>()) {
        r << QStringLiteral("{%1}").arg(b->objectName());
        for (QAction* a : b->actions())
            r << QStringLiteral("  %1|%2|%3").arg(a->text(), a->toolTip(), Icona(a));
    }
    return r;
}

} // namespace

// What the window showed before its menus were built from the command table
// (recorded from the window built item by item, under the offscreen
// platform: one key per command there).
const QStringList MenuRegistrato = {
    QString::fromUtf8("[&File] "),
    QString::fromUtf8("  &Nuovo Ctrl+N on"),
    QString::fromUtf8("  &Apri Ctrl+O on"),
    QString::fromUtf8("  &Salva Ctrl+S on"),
    QString::fromUtf8("  S&alva come... Ctrl+Shift+S on"),
    QString::fromUtf8("  ----"),
    QString::fromUtf8("  Stam&pa Ctrl+P on"),
    QString::fromUtf8("  &File di stampa (TXT)  on"),
    QString::fromUtf8("  Relazione &PDF...  on"),
    QString::fromUtf8("  ----"),
    QString::fromUtf8("  &Disegna Diagrammi in Autocad  on"),
    QString::fromUtf8("  Stampa &Diagrammi  on"),
    QString::fromUtf8("  E&xporta Diagrammi in DXF  on"),
    QString::fromUtf8("  ----"),
    QString::fromUtf8("  File &recenti > on"),
    QString::fromUtf8("  ----"),
    QString::fromUtf8("  &Esci Ctrl+Q on"),
    QString::fromUtf8("[&Unità] "),
    QString::fromUtf8("[&Opzioni] "),
    QString::fromUtf8("  &Scelta scale dwg, dxf  on"),
    QString::fromUtf8("  &Combinazioni...  on"),
    QString::fromUtf8("  &Verifiche...  on"),
    QString::fromUtf8("[&?] "),
    QString::fromUtf8("  &Aiuto F1 on"),
    QString::fromUtf8("  &Files di esempio  on"),
    QString::fromUtf8("  &Informazioni  on"),
    QString::fromUtf8("(window) Calcola F5"),
};
const QStringList BarraRegistrata = {
    QString::fromUtf8("{ToolbarUp}"),
    QString::fromUtf8("  New|Nuovo|f32cf1ad449d4aa4b31de86aeb963e03"),
    QString::fromUtf8("  Open|Apri|c5133ccd7037d37e09a30743b020489c"),
    QString::fromUtf8("  Save|Salva|b0e85f3e86fd2e7ddd6c2de4ce881fff"),
    QString::fromUtf8("  Print|Stampa|34590503db4ee8682c976124306884ab"),
};

class TestComandi : public QObject {
    Q_OBJECT

  private slots:
    // The menus, the keys and the toolbar as they were.
    void ComePrima() {
        Finestra w(false);
        QCOMPARE(Menu(*w.f), MenuRegistrato);
        QCOMPARE(Barra(*w.f), BarraRegistrata);
        Finestra c; // with its other windows: the same
        QCOMPARE(Menu(*c.f), MenuRegistrato);
    }

    // Each File item, and each toolbar button, reaches its own operation:
    // the file dialog it asks (open or save, its extension), the file it
    // writes, the printer, the diagram output, the window closing.
    void VociFile() {
        const std::string esempio = Esempio("mensola");
        QTemporaryDir d;
        const std::string percorso = (d.path() + QStringLiteral("/mia.zlv")).toStdString();
        QStringList fatto;
        RegistroStampante stampante;
        auto chiede = [&](Finestra& w) {
            ModelloForm& m = w.f->Modello();
            m.Servizi.StampanteSistema = &stampante;
            m.Servizi.ScriviProgetto = [&](ModelloForm&, const std::string& p) {
                fatto << QStringLiteral("scrive ") + QString::fromStdString(p);
                return true;
            };
        };
        UscitaDiagrammi* uscita = nullptr;
        auto esegui = [&](Finestra& w, QAction* a) {
            ModelloForm& m = w.f->Modello();
            QVERIFY(m.ApriFileDati(esempio));
            m.PercorsoFile = percorso;
            m.NomeFile = "mia";
            w.richieste.clear();
            w.msg.Svuota();
            stampante.stampati.clear();
            fatto.clear();
            a->trigger();
            for (const RichiestaDialogo& r : w.richieste)
                fatto << QString::fromStdString((r.salva ? "salva." : "apri.") + r.estensione);
            if (!stampante.stampati.empty()) fatto << QStringLiteral("stampa");
            for (const std::string& t : w.msg.Testi())
                fatto << QString::fromStdString(t);
            if (m.Chiuso) fatto << QStringLiteral("chiuso");
            if (m.FlexGrid[1].Righe() == 1) fatto << QStringLiteral("nuovo");
        };
        Finestra w(false);
        chiede(w);
        UscitaDiagrammi u(w.msg);
        uscita = &u;
        u.Servizi().Salva = [&](const std::string& nome, const std::string&, int) {
            fatto << QStringLiteral("dxf ") + QString::fromStdString(nome);
            return std::optional<std::string>();
        };
        u.Servizi().Cad = [&]() -> std::unique_ptr<ApplicazioneCad> {
            fatto << QStringLiteral("cad");
            return nullptr;
        };
        w.f->Modello().Servizi.Uscita = uscita;
        QMenu* file = w.f->menuBar()->actions().at(0)->menu();
        QStringList voci;
        for (QAction* a : file->actions()) {
            if (a->isSeparator() || a->menu()) continue;
            esegui(w, a);
            voci << a->text() + QStringLiteral(": ") + fatto.join(QStringLiteral(", "));
        }
        const QString cad = QString::fromUtf8(TestoCadAssente);
        QCOMPARE(voci, (QStringList{
                           QStringLiteral("&Nuovo: nuovo"),
                           QStringLiteral("&Apri: apri.zlv"),
                           QStringLiteral("&Salva: scrive ") + QString::fromStdString(percorso),
                           QStringLiteral("S&alva come...: salva.zlv"),
                           QStringLiteral("Stam&pa: stampa"),
                           QStringLiteral("&File di stampa (TXT): salva.txt"),
                           QStringLiteral("Relazione &PDF...: salva.pdf"),
                           QStringLiteral("&Disegna Diagrammi in Autocad: cad, ") + cad,
                           QStringLiteral("Stampa &Diagrammi: ") +
                               QString::fromUtf8(TestoStampanteAssente),
                           QStringLiteral("E&xporta Diagrammi in DXF: dxf mia.dxf"),
                           QStringLiteral("&Esci: chiuso"),
                       }));
        // The toolbar's buttons: "Nuovo", "Apri", "Salva", "Stampa".
        Finestra b(false);
        chiede(b);
        QStringList bottoni;
        for (QAction* a : b.f->findChild<QToolBar*>(QStringLiteral("ToolbarUp"))->actions()) {
            esegui(b, a);
            bottoni << fatto.join(QStringLiteral(", "));
        }
        QCOMPARE(bottoni, (QStringList{QStringLiteral("nuovo"), QStringLiteral("apri.zlv"),
                                       QStringLiteral("scrive ") + QString::fromStdString(percorso),
                                       QStringLiteral("stampa")}));
    }

    // Each main window has its own help window and its own units window:
    // opened again, the same one comes back; the other window's stays when
    // one main window goes.
    void FinestreProprie() {
        auto a = std::make_unique<Finestra>();
        auto b = std::make_unique<Finestra>();
        QVERIFY(a->Voce(QStringLiteral("&Aiuto")));
        QVERIFY(b->Voce(QStringLiteral("&Aiuto")));
        QPointer<FinestraAiuto> ha = a->f->AiutoAperto(), hb = b->f->AiutoAperto();
        QVERIFY(ha && hb && ha != hb);
        QCOMPARE(ha->parent(), a->f.get());
        QCOMPARE(hb->parent(), b->f.get());
        QVERIFY(a->Voce(QStringLiteral("&Aiuto")));
        QCOMPARE(a->f->AiutoAperto().data(), ha.data());
        QVERIFY(a->Voce(QString::fromUtf8("&Unità")));
        QVERIFY(b->Voce(QString::fromUtf8("&Unità")));
        QPointer<FrmUnits> ua = a->f->UnitaAperta(), ub = b->f->UnitaAperta();
        QVERIFY(ua && ub && ua != ub);
        QVERIFY(a->Voce(QString::fromUtf8("&Unità")));
        QCOMPARE(a->f->UnitaAperta().data(), ua.data());
        QVERIFY(a->f->DiagrammiCollegati() && b->f->DiagrammiCollegati());
        QVERIFY(a->f->DiagrammiCollegati() != b->f->DiagrammiCollegati());
        // The section window likewise; closing it forgets it.
        FrmProperty* sa = FrmProperty::Apri(*a->f);
        FrmProperty* sb = FrmProperty::Apri(*b->f);
        QVERIFY(sa && sb && sa != sb);
        QCOMPARE(FrmProperty::Apri(*a->f), sa);
        QCOMPARE(a->f->SezioneAperta().data(), sa);
        QVERIFY(FrmProperty::Chiudi(*a->f));
        QTRY_VERIFY(!a->f->SezioneAperta());
        QCOMPARE(b->f->SezioneAperta().data(), sb);
        ua->close();
        b.reset();
        QVERIFY(!hb && !ub);
        QVERIFY(ha);
        QCOMPARE(a->f->AiutoAperto().data(), ha.data());
    }
};

ZELVO_TEST_UI(TestComandi)

#include "test_comandi.moc"
