// "Relazione &PDF..." of the File menu: the save dialog asked for a ".pdf",
// the document written there (two pages for a small problem, the page
// numbers in the header); a file that cannot be written is said through the
// message interface and leaves nothing behind.
#include "test_ui.h"

#include "ui/frm_dati.h"

#include <QAction>
#include <QFile>
#include <QMenuBar>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace zelvo;

namespace {

QString TestoPdf(const QString& pdf) {
    QProcess p;
    p.start(QStringLiteral("pdftotext"),
            {QStringLiteral("-enc"), QStringLiteral("UTF-8"), pdf, QStringLiteral("-")});
    if (!p.waitForFinished(30000) || p.exitCode() != 0) return QString();
    return QString::fromUtf8(p.readAllStandardOutput());
}

QAction* VoceRelazione(FrmDati& f) {
    for (QAction* a : f.menuBar()->actions()[0]->menu()->actions())
        if (a->text() == QStringLiteral("Relazione &PDF...")) return a;
    return nullptr;
}

} // namespace

class TestRelazionePdf : public QObject {
    Q_OBJECT

    QTemporaryDir cartella_;

  private slots:
    void dalMenuAlFile() {
        RegistroMessaggi msg;
        std::vector<RichiestaDialogo> richieste;
        const QString pdf = cartella_.filePath(QStringLiteral("relazione.pdf"));
        FrmDati f({&msg, [&](const RichiestaDialogo& r) -> std::optional<std::string> {
                       richieste.push_back(r);
                       return pdf.toStdString();
                   }});
        QVERIFY(f.Modello().ApriFileDati(std::string(ZELVO_SOURCE_DIR) +
                                         "/examples/fondazione-rigida.zlv"));
        QAction* voce = VoceRelazione(f);
        QVERIFY(voce);
        voce->trigger();
        QCOMPARE(richieste.size(), size_t(1));
        QVERIFY(richieste[0].salva);
        QCOMPARE(richieste[0].nomeIniziale, std::string("fondazione-rigida.pdf"));
        QVERIFY(richieste[0].filtro.find("*.pdf") != std::string::npos);
        QVERIFY(msg.elenco.empty());
        const QStringList pagine = TestoPdf(pdf).split(QLatin1Char('\f'), Qt::SkipEmptyParts);
        QCOMPARE(pagine.size(), qsizetype(2));
        QVERIFY(pagine[0].contains(QStringLiteral("Pagina 1 di 2")));
        QVERIFY(pagine[1].contains(QStringLiteral("Pagina 2 di 2")));
        QVERIFY(pagine[1].contains(QStringLiteral("Diagramma dei tagli")));
    }

    void scritturaFallita() {
        RegistroMessaggi msg;
        const QString pdf = cartella_.filePath(QStringLiteral("manca/relazione.pdf"));
        FrmDati f({&msg, [&](const RichiestaDialogo&) -> std::optional<std::string> {
                       return pdf.toStdString();
                   }});
        QVERIFY(f.Modello().ApriFileDati(std::string(ZELVO_SOURCE_DIR) + "/examples/mensola.zlv"));
        VoceRelazione(f)->trigger();
        QCOMPARE(msg.elenco.size(), size_t(1));
        QCOMPARE(msg.elenco[0].testo, "Impossibile scrivere il file " + pdf.toStdString());
        QVERIFY(!QFile::exists(pdf));
    }
};

ZELVO_TEST_UI(TestRelazionePdf)

#include "test_relazione_pdf.moc"
