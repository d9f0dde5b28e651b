// "Apri" from the menu with a damaged file: the window shows at once what was
// read, under no name, and "Salva" asks for one; a file that is not a data
// file leaves the window as it was. Witnesses: the model the window binds
// (its texts against the widgets'), the file's bytes before and after.
#include "test_ui.h"

#include "ui/griglia_qt.h"

#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>

using namespace zelvo;
using namespace zelvo::test;

namespace {

// The texts of the window's fields and grids as the widgets show them.
QStringList Schermo(FrmDati& f) {
    QStringList s{TitoloMostrato(&f)};
    for (const char* nome : {"txtDati", "txtRigheGriglia", "txtWinkler"})
        for (int i = 0; i < 3; ++i)
            if (QLineEdit* e = f.Campo(nome, i)) s << e->text();
    for (int t = 0; t < 3; ++t) {
        const QAbstractItemModel* m = f.Griglia(t)->model();
        s << QString::number(m->rowCount() - 1); // below the heading row
        for (int r = 1; r < m->rowCount(); ++r)
            for (int c = 0; c < m->columnCount(); ++c)
                s << m->index(r, c).data().toString();
    }
    return s;
}

// The same texts as the model holds them.
QStringList Modello(FrmDati& f) {
    const ModelloForm& m = f.Modello();
    QStringList s{QString::fromStdString(m.Caption)};
    for (const auto* campi : {&m.txtDati[0], &m.txtRigheGriglia[0], &m.txtWinkler[0]})
        for (int i = 0; i < 3; ++i)
            s << QString::fromStdString(campi[i].testo);
    for (int t = 0; t < 3; ++t) {
        const GrigliaTesto& g = m.FlexGrid[size_t(t)];
        s << QString::number(g.Righe() - 1);
        for (int r = 1; r < g.Righe(); ++r)
            for (int c = 0; c < g.Colonne(); ++c)
                s << QString::fromStdString(g.Testo(r, c));
    }
    return s;
}

} // namespace

class TestApertura : public QObject {
    Q_OBJECT

  private slots:
    void fileDanneggiato() {
        Finestra w;
        w.f->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.f.get()));
        QTemporaryDir dir;
        const QByteArray intero = Leggi(QString::fromStdString(Esempio("fondazione-winkler")));
        const QString tagliato = dir.filePath("tagliato.zlv");
        const QByteArray parte = intero.left(intero.size() * 2 / 3);
        {
            QFile f(tagliato);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(parte);
        }
        w.risposte = {tagliato.toStdString()};
        QVERIFY(w.Voce(QStringLiteral("&Apri")));
        QCOMPARE(w.msg.Testi(), std::vector<std::string>{"Lettura incompleta del file"});
        QCOMPARE(TitoloMostrato(w.f.get()), QStringLiteral("Trave Zelvo - File: "));
        // What was read is on screen at once, grids included.
        QCOMPARE(w.f->Modello().txtRigheGriglia[1].testo, std::string("3"));
        QCOMPARE(Schermo(*w.f), Modello(*w.f));
        QVERIFY(w.f->Griglia(1)->isVisible());

        // "Salva": the dialog, answered with a name without extension.
        w.risposte = {dir.filePath("ripreso").toStdString()};
        QVERIFY(w.Voce(QStringLiteral("&Salva")));
        QCOMPARE(w.richieste.back().salva, true);
        QVERIFY(QFile::exists(dir.filePath("ripreso.zlv")));
        QCOMPARE(Leggi(tagliato), parte);
        QCOMPARE(TitoloMostrato(w.f.get()), QStringLiteral("Trave Zelvo - File: ripreso"));

        // Not a data file: nothing changes on screen.
        const QStringList prima = Schermo(*w.f);
        const QString altro = dir.filePath("hostname");
        {
            QFile f(altro);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("macchina\n");
        }
        w.risposte = {altro.toStdString()};
        QVERIFY(w.Voce(QStringLiteral("&Apri")));
        QCOMPARE(Schermo(*w.f), prima);
        QCOMPARE(Leggi(altro), QByteArray("macchina\n"));
    }
};

ZELVO_TEST_UI(TestApertura)

#include "test_apertura.moc"
