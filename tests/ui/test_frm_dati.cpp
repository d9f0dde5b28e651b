// The main window on the offscreen platform: caption, menus, toolbar and
// the "Calcola" path through the form model.
#include "test_ui.h"

#include "ui/frm_dati.h"

#include <QAction>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>
#include <QToolBar>

using namespace zelvo;

class TestFrmDati : public QObject {
    Q_OBJECT

  private slots:
    void captionEMenu() {
        RegistroMessaggi msg;
        FrmDati f({&msg, nullptr, {}});
        f.Avvio({});
        QCOMPARE(f.windowTitle(), QStringLiteral("Trave Zelvo - File: "));
        QStringList menu;
        for (QAction* a : f.menuBar()->actions())
            menu << a->text();
        QCOMPARE(menu, (QStringList{"&File", QString::fromUtf8("&Unità"), "&Opzioni", "&?"}));
        QStringList file;
        for (QAction* a : f.menuBar()->actions()[0]->menu()->actions())
            file << (a->isSeparator() ? QStringLiteral("-") : a->text());
        QCOMPARE(file.size(), 14);
        QCOMPARE(file[5], QStringLiteral("Stam&pa"));
        QCOMPARE(file[6], QStringLiteral("&File di stampa (TXT)"));
        QCOMPARE(file[7], QStringLiteral("Relazione &PDF..."));
        QCOMPARE(file[13], QStringLiteral("&Esci"));
        auto* barra = f.findChild<QToolBar*>(QStringLiteral("ToolbarUp"));
        QVERIFY(barra);
        QCOMPARE(barra->actions().size(), 4);
    }

    void windowNotYetPluggedInSaysSo() {
        RegistroMessaggi msg;
        FrmDati f({&msg, nullptr, {}});
        f.cmdSezione_Click();
        QCOMPARE(msg.elenco.size(), size_t(1));
        QVERIFY(msg.elenco[0].testo.find("Sezione") == 0);
    }
};

ZELVO_TEST_UI(TestFrmDati)

#include "test_frm_dati.moc"
