// The help window: "&Aiuto" opens the program's own help at its first topic;
// links, back and forward, and the list of topics follow each other.
#include "test_ui.h"

#include "ui/finestra_aiuto.h"

#include <QListWidget>
#include <QTest>
#include <QTextBrowser>
#include <QToolButton>

using namespace zelvo;
using namespace zelvo::test;

class TestAiuto : public QObject {
    Q_OBJECT

  private slots:
    void aiutoApreAlPrimoArgomento() {
        Finestra w;
        QVERIFY(w.Voce(QStringLiteral("&Aiuto")));
        auto* a = w.f->findChild<FinestraAiuto*>();
        QVERIFY(a && a->isVisible() && a->isWindow());
        QCOMPARE(a->Testo()->source(), FinestraAiuto::PaginaIniziale());
        QVERIFY(a->Testo()->toPlainText().contains(QStringLiteral("Trave Zelvo")));

        // A link, back and forward.
        auto* indietro = a->findChild<QToolButton*>(QStringLiteral("cmdIndietro"));
        auto* avanti = a->findChild<QToolButton*>(QStringLiteral("cmdAvanti"));
        QVERIFY(indietro && avanti && !indietro->isEnabled());
        a->Testo()->setSource(QUrl(QStringLiteral("qrc:/aiuto/convenzioni.html")));
        QVERIFY(a->Testo()->toPlainText().contains(QStringLiteral("verso il basso")));
        QTest::mouseClick(indietro, Qt::LeftButton);
        QCOMPARE(a->Testo()->source(), FinestraAiuto::PaginaIniziale());
        QTest::mouseClick(avanti, Qt::LeftButton);
        QCOMPARE(a->Testo()->source().fileName(), QStringLiteral("convenzioni.html"));
        // The list shows the topic on screen.
        QCOMPARE(a->Elenco()->currentItem()->text(), QStringLiteral("Convenzioni dei segni"));

        // A topic clicked in the list.
        auto* elenco = a->Elenco();
        for (int i = 0; i < elenco->count(); ++i)
            if (elenco->item(i)->text() == QStringLiteral("Esempio svolto"))
                QTest::mouseClick(elenco->viewport(), Qt::LeftButton, {},
                                  elenco->visualItemRect(elenco->item(i)).center());
        QCOMPARE(a->Testo()->source().fileName(), QStringLiteral("esempio.html"));
        QVERIFY(a->Testo()->toPlainText().contains(QStringLiteral("60,08")));

        // Every topic of the list is in the program and shown with its title.
        for (const auto& [pagina, titolo] : FinestraAiuto::Argomenti()) {
            a->MostraArgomento(QString::fromUtf8(pagina));
            QVERIFY2(a->Testo()->toPlainText().size() > 300, pagina);
            QCOMPARE(elenco->currentItem()->text(), QString::fromUtf8(titolo));
        }

        // "&Aiuto" again: the same window, back at the first topic.
        QVERIFY(w.Voce(QStringLiteral("&Aiuto")));
        QCOMPARE(w.f->findChildren<FinestraAiuto*>().size(), qsizetype(1));
        QCOMPARE(a->Testo()->source(), FinestraAiuto::PaginaIniziale());
        QVERIFY(w.msg.elenco.empty());
    }
};

ZELVO_TEST_UI(TestAiuto)

#include "test_aiuto.moc"
