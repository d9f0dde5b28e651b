// Printing through Qt's print to PDF (the printer where none is installed),
// read back with pdftotext: the report holds the lines of the report file,
// columns included, once per copy; long text flows onto pages and shrinks to
// the width; a cancelled dialog prints nothing, a failed printer says so. The
// three diagrams print one page per copy; "Relazione &PDF..." writes its file
// or says it could not.
#include "test_ui.h"

#include "form/relazione.h"
#include "graphics/uscita_diagrammi.h"
#include "ui/stampante_pagine_qt.h"
#include "ui/stampante_qt.h"

#include <QFile>
#include <QPrinter>
#include <QTemporaryDir>
#include <QTest>

using namespace zelvo;
using namespace zelvo::test;

namespace {

// The pages of a PDF file: lines without trailing blanks, blank lines dropped
// (a PDF reader spaces lines as it likes) and the page's left margin removed.
QList<QStringList> Pagine(const QString& testoPdf) {
    QList<QStringList> pagine;
    for (const QString& pagina : testoPdf.split(QLatin1Char('\f'))) {
        QStringList righe;
        qsizetype margine = -1;
        for (QString r : pagina.split(QLatin1Char('\n'))) {
            while (r.endsWith(QLatin1Char(' ')) || r.endsWith(QLatin1Char('\r')))
                r.chop(1);
            if (r.isEmpty()) continue;
            righe << r;
            qsizetype rientro = 0;
            while (r[rientro] == QLatin1Char(' '))
                ++rientro;
            margine = margine < 0 ? rientro : std::min(margine, rientro);
        }
        for (QString& r : righe)
            r = r.mid(margine);
        if (!righe.isEmpty()) pagine << righe;
    }
    return pagine;
}

// A printer dialog answered: print to the PDF file pdf, copies copies.
std::function<bool(QPrinter&)> DialogoPdf(const QString& pdf, int copie = 1) {
    return [pdf, copie](QPrinter& p) {
        p.setOutputFormat(QPrinter::PdfFormat);
        p.setOutputFileName(pdf);
        p.setCopyCount(copie);
        return true;
    };
}

} // namespace

class TestStampa : public QObject {
    Q_OBJECT

    QTemporaryDir cartella_;

  private slots:
    void relazioneSuPdfComeIlFile_data() {
        QTest::addColumn<QString>("esempio");
        QTest::addColumn<int>("copie");
        QTest::newRow("appoggio") << "appoggio-appoggio" << 3;
        QTest::newRow("winkler") << "fondazione-winkler" << 1;
        QTest::newRow("mensola, kNcm") << "mensola" << 1;
    }
    void relazioneSuPdfComeIlFile() {
        QFETCH(QString, esempio);
        QFETCH(int, copie);
        Finestra w;
        QVERIFY(w.Apri(qPrintable(esempio)));
        w.f->btnCalcola_Click();
        const std::string testo = TestoRelazione(TestiDaForm(w.f->Modello()));
        const QString pdf = cartella_.filePath(esempio + ".pdf");
        StampanteQt s;
        s.Dialogo = DialogoPdf(pdf, copie);
        QVERIFY(s.StampaRelazione(testo, w.msg));
        QVERIFY(w.msg.elenco.empty());
        // Every character in its column: pdftotext with the font's pitch
        // (Liberation Mono advances 1229/2048 of the size).
        QPrinter p(QPrinter::HighResolution);
        p.setOutputFormat(QPrinter::PdfFormat);
        const double passo = FontRelazione(p, testo).pointSizeF() * 1229.0 / 2048.0;
        const auto pagine =
            Pagine(TestoPdf(pdf, {QStringLiteral("-fixed"), QString::number(passo)}));
        QStringList attese = Pagine(QString::fromStdString(testo)).value(0);
        QCOMPARE(pagine.size(), qsizetype(copie));
        for (const QStringList& pagina : pagine)
            QCOMPARE(pagina, attese);
        QCOMPARE(attese.front(), "NOME FILE: " + esempio);
    }

    // 150 lines of 110 columns: the font shrinks so that every line fits the
    // width, the lines flow onto the next pages, none lost.
    void testoLungoSuPiuPagineERigheLarghe() {
        std::string testo;
        QStringList attese;
        for (int i = 1; i <= 150; ++i) {
            QString r = QStringLiteral("%1 |").arg(i, 4);
            while (r.size() < 108)
                r += QStringLiteral("-x");
            attese << r.left(108) + QStringLiteral("|E");
            testo += attese.back().toStdString() + "\r\n";
        }
        const QString pdf = cartella_.filePath(QStringLiteral("lungo.pdf"));
        QPrinter p(QPrinter::HighResolution);
        p.setOutputFormat(QPrinter::PdfFormat);
        p.setOutputFileName(pdf);
        QVERIFY(StampaTesto(p, testo));
        const auto pagine = Pagine(TestoPdf(pdf, {QStringLiteral("-layout")}));
        QVERIFY(pagine.size() >= 2);
        QStringList tutte; // a font under 10 points: compared word by word
        for (const QStringList& pg : pagine)
            for (const QString& r : pg)
                tutte << r.simplified();
        for (QString& r : attese)
            r = r.simplified();
        QCOMPARE(tutte, attese);
    }

    void annullatoOStampanteGuasta() {
        RegistroMessaggi msg;
        StampanteQt s;
        const QString pdf = cartella_.filePath(QStringLiteral("annullato.pdf"));
        bool chiesto = false;
        s.Dialogo = [&](QPrinter& p) {
            chiesto = true;
            DialogoPdf(pdf)(p);
            return false;
        };
        QVERIFY(!s.StampaRelazione("NOME FILE: x\r\n", msg));
        QVERIFY(chiesto && !QFile::exists(pdf));
        QVERIFY(msg.elenco.empty());
        s.Dialogo = DialogoPdf(cartella_.filePath(QStringLiteral("manca/dentro/x.pdf")));
        QVERIFY(!s.StampaRelazione("NOME FILE: x\r\n", msg));
        QCOMPARE(msg.Testi(), std::vector<std::string>{"Errore di stampa"});
    }

    // The three diagrams: one page per copy, the title block on each.
    void diagrammiUnaPaginaPerCopia() {
        Finestra w;
        QVERIFY(w.Apri("appoggio-appoggio"));
        w.f->btnCalcola_Click();
        const QString pdf = cartella_.filePath(QStringLiteral("diagrammi.pdf"));
        StampantePagineQt st;
        st.Dialogo = DialogoPdf(pdf, 2);
        UscitaDiagrammi uscita(w.msg);
        uscita.Servizi().Stampa = &st;
        QVERIFY(uscita.Stampa(DiagrammiInOggetto(w.f->Modello().ContestoDisegno())));
        QVERIFY(w.msg.elenco.empty());
        const QStringList pagine = TestoPdf(pdf).split(QLatin1Char('\f'), Qt::SkipEmptyParts);
        QCOMPARE(pagine.size(), qsizetype(2));
        for (const QString& p : pagine)
            QVERIFY(p.contains(QStringLiteral("File : appoggio-appoggio")));
    }

    // "Relazione &PDF...": the save dialog asked for a ".pdf" with the file's
    // name, the document written there (two pages for a small problem); a file
    // that cannot be written is said and leaves nothing behind.
    void relazionePdfDalMenu() {
        Finestra w;
        QVERIFY(w.Apri("fondazione-rigida"));
        const QString pdf = cartella_.filePath(QStringLiteral("relazione.pdf"));
        w.risposte = {pdf.toStdString()};
        QVERIFY(w.Voce(QStringLiteral("Relazione &PDF...")));
        QCOMPARE(w.richieste.size(), size_t(1));
        QVERIFY(w.richieste[0].salva);
        QCOMPARE(w.richieste[0].nomeIniziale, std::string("fondazione-rigida.pdf"));
        QVERIFY(w.richieste[0].filtro.find("*.pdf") != std::string::npos);
        QVERIFY(w.msg.elenco.empty());
        const QStringList pagine = TestoPdf(pdf).split(QLatin1Char('\f'), Qt::SkipEmptyParts);
        QCOMPARE(pagine.size(), qsizetype(2));
        QVERIFY(pagine[1].contains(QStringLiteral("Pagina 2 di 2")));

        const QString manca = cartella_.filePath(QStringLiteral("manca/relazione.pdf"));
        w.risposte = {manca.toStdString()};
        QVERIFY(w.Voce(QStringLiteral("Relazione &PDF...")));
        QCOMPARE(w.msg.Testi(),
                 std::vector<std::string>{"Impossibile scrivere il file " + manca.toStdString()});
        QVERIFY(!QFile::exists(manca));
    }
};

ZELVO_TEST_UI(TestStampa)

#include "test_stampa.moc"
