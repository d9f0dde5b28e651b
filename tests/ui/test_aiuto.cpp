// The help window: "&Aiuto" opens the program's own help at its first topic;
// every topic is compiled into the program and reachable from the list.
#include "test_ui.h"

#include "ui/finestra_aiuto.h"
#include "ui/frm_dati.h"

#include <QAction>
#include <QFile>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <QTextBrowser>
#include <QToolButton>

using namespace zelvo;

namespace {

QAction* VoceAiuto(FrmDati& f) {
    for (QAction* m : f.menuBar()->actions())
        if (m->text() == QStringLiteral("&?") && m->menu())
            for (QAction* a : m->menu()->actions())
                if (a->text() == QStringLiteral("&Aiuto")) return a;
    return nullptr;
}

} // namespace

class TestAiuto : public QObject {
    Q_OBJECT

  private slots:
    void ogniArgomentoEnelProgramma() {
        FinestraAiuto a;
        for (const auto& [pagina, titolo] : FinestraAiuto::Argomenti()) {
            QFile f(QStringLiteral(":/aiuto/") + QString::fromUtf8(pagina));
            QVERIFY2(f.open(QIODevice::ReadOnly), pagina);
            const QString html = QString::fromUtf8(f.readAll());
            QVERIFY2(html.contains(QStringLiteral("<h1>")), pagina);
            a.MostraArgomento(QString::fromUtf8(pagina));
            QCOMPARE(a.Testo()->source().fileName(), QString::fromUtf8(pagina));
            QVERIFY(a.Testo()->toPlainText().size() > 300);
            // The list follows the page shown.
            QCOMPARE(a.Elenco()->currentItem()->text(), QString::fromUtf8(titolo));
        }
    }

    void aiutoApreAlPrimoArgomento() {
        RegistroMessaggi msg;
        FrmDati f({&msg, nullptr, FinestrePredefinite()});
        QAction* aiuto = VoceAiuto(f);
        QVERIFY(aiuto);
        aiuto->trigger();
        auto* a = f.findChild<FinestraAiuto*>();
        QVERIFY(a);
        QVERIFY(a->isVisible());
        QVERIFY(a->isWindow());
        QCOMPARE(a->Testo()->source(), FinestraAiuto::PaginaIniziale());
        QVERIFY(a->Testo()->toPlainText().contains(QStringLiteral("Trave Zelvo")));
        QVERIFY(msg.elenco.empty());

        // A link, back and forward.
        auto* indietro = a->findChild<QToolButton*>(QStringLiteral("cmdIndietro"));
        auto* avanti = a->findChild<QToolButton*>(QStringLiteral("cmdAvanti"));
        QVERIFY(indietro && avanti);
        QVERIFY(!indietro->isEnabled());
        a->Testo()->setSource(QUrl(QStringLiteral("qrc:/aiuto/convenzioni.html")));
        QVERIFY(a->Testo()->toPlainText().contains(QStringLiteral("verso il basso")));
        QVERIFY(indietro->isEnabled());
        QTest::mouseClick(indietro, Qt::LeftButton);
        QCOMPARE(a->Testo()->source(), FinestraAiuto::PaginaIniziale());
        QVERIFY(avanti->isEnabled());
        QTest::mouseClick(avanti, Qt::LeftButton);
        QCOMPARE(a->Testo()->source().fileName(), QStringLiteral("convenzioni.html"));

        // A topic from the list.
        auto* elenco = a->Elenco();
        for (int i = 0; i < elenco->count(); ++i) {
            if (elenco->item(i)->text() != QStringLiteral("Esempio svolto")) continue;
            const QRect r = elenco->visualItemRect(elenco->item(i));
            QTest::mouseClick(elenco->viewport(), Qt::LeftButton, {}, r.center());
        }
        QCOMPARE(a->Testo()->source().fileName(), QStringLiteral("esempio.html"));
        QVERIFY(a->Testo()->toPlainText().contains(QStringLiteral("60,08")));

        // "&Aiuto" again: the same window, back at the first topic.
        aiuto->trigger();
        QCOMPARE(f.findChildren<FinestraAiuto*>().size(), qsizetype(1));
        QCOMPARE(a->Testo()->source(), FinestraAiuto::PaginaIniziale());
    }
};

ZELVO_TEST_UI(TestAiuto)

#include "test_aiuto.moc"
