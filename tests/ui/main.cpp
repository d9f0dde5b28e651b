// One QApplication for every window test; `--classe Name` runs one class,
// other arguments go to Qt Test.
#include "test_ui.h"

#include "ui/lingua_qt.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QMenu>
#include <QMenuBar>
#include <QProcess>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QWindow>

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>
#include <vector>

namespace zelvo::test {

namespace {
std::map<std::string, CreaTest>& Elenco() {
    static std::map<std::string, CreaTest> e;
    return e;
}
} // namespace

bool RegistraTestUi(const char* nome, CreaTest crea) {
    Elenco()[nome] = std::move(crea);
    return true;
}

std::string Esempio(const char* nome) {
    return std::string(ZELVO_SOURCE_DIR) + "/examples/" + nome + ".zlv";
}

Finestra::Finestra(bool collegate, std::shared_ptr<ArchivioImpostazioni> impostazioni) {
    OpzioniFrmDati o;
    o.impostazioni = std::move(impostazioni);
    o.messaggi = &msg;
    o.sceltaFile = [this](const RichiestaDialogo& r) -> std::optional<std::string> {
        richieste.push_back(r);
        if (risposte.empty()) return std::nullopt;
        std::string scelto = risposte.front();
        risposte.pop_front();
        return scelto;
    };
    if (!collegate) o.finestre = {};
    f = std::make_unique<FrmDati>(std::move(o));
}

bool Finestra::Apri(const char* esempio) {
    return f->Modello().ApriFileDati(Esempio(esempio));
}

bool Finestra::Voce(const QString& caption) {
    for (QAction* m : f->menuBar()->actions()) {
        if (m->text() == caption) return m->trigger(), true;
        if (m->menu())
            for (QAction* a : m->menu()->actions())
                if (a->text() == caption) return a->trigger(), true;
    }
    return false;
}

QRect Disegnato(const QImage& i) {
    QRect r;
    for (int y = 0; y < i.height(); ++y)
        for (int x = 0; x < i.width(); ++x)
            if (qGray(i.pixel(x, y)) < 200) r |= QRect(x, y, 1, 1);
    return r;
}

QString TitoloMostrato(QWidget* w) {
    w->winId(); // the platform window, which takes the title as shown
    return w->windowHandle() ? w->windowHandle()->title() : QString();
}

void Scrivi(const QString& t, QWidget* w) {
    QWidget* a = w ? w : QApplication::focusWidget();
    QVERIFY(a);
    QTest::keyClicks(a, t);
    // (a key typed on a grid moves the focus to its cell editor)
    QTest::keyClick(w ? w : QApplication::focusWidget(), Qt::Key_Return);
}

void Clic(QWidget* w) {
    QVERIFY(w);
    QTest::mouseClick(w, Qt::LeftButton, {}, QPoint(8, w->height() / 2));
}

int Calc(const QStringList& argomenti, QByteArray* out) {
    QProcess p;
    p.start(QStringLiteral(ZELVO_CALC), argomenti);
    if (!p.waitForFinished(60000)) return -1;
    if (out) *out = p.readAllStandardOutput();
    return p.exitCode();
}

QByteArray Leggi(const QString& file) {
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QString TestoPdf(const QString& pdf, const QStringList& opzioni) {
    QProcess p;
    p.start(QStringLiteral("pdftotext"),
            QStringList{QStringLiteral("-enc"), QStringLiteral("UTF-8")} + opzioni +
                QStringList{pdf, QStringLiteral("-")});
    if (!p.waitForFinished(30000) || p.exitCode() != 0) return QString();
    return QString::fromUtf8(p.readAllStandardOutput());
}

} // namespace zelvo::test

int main(int argc, char** argv) {
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    std::vector<char*> argomenti{argv[0]};
    std::string classe;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--classe") == 0 && i + 1 < argc)
            classe = argv[++i];
        else
            argomenti.push_back(argv[i]);
    }
    int n = 1;
    QApplication app(n, argv);
    zelvo::CaricaTraduzioniQt(app); // as the program does
    std::setlocale(LC_NUMERIC, "C");
    // Nothing a test remembers reaches the user's configuration folder.
    QTemporaryDir configurazione;
    if (!configurazione.isValid()) return 2;
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(configurazione.path()));
    QStandardPaths::setTestModeEnabled(true);
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, configurazione.path());
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, configurazione.path());
    int esito = 0;
    bool trovata = false;
    for (auto& [nome, crea] : zelvo::test::Elenco()) {
        if (!classe.empty() && nome != classe) continue;
        trovata = true;
        std::unique_ptr<QObject> t = crea();
        esito |= QTest::qExec(t.get(), static_cast<int>(argomenti.size()), argomenti.data());
    }
    if (!trovata) {
        std::fprintf(stderr, "test class not found: %s\n", classe.c_str());
        return 2;
    }
    return esito;
}
