// zelvo: the program's window. `zelvo [FILE.zlv]` opens the data file named
// on the command line; `--help` and `--version` answer without a display.
#include "app/versione_zelvo.h"
#include "graphics_qt/superficie_qt.h"
#include "ui/frm_dati.h"
#include "ui/impostazioni_qt.h"
#include "ui/lingua_qt.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QCoreApplication>

#include <clocale>
#include <cstring>
#include <memory>

namespace {

void Opzioni(QCommandLineParser& p) {
    p.setApplicationDescription(QStringLiteral(
        "Zelvo: bending moments, shears, rotations, deflections and reactions of one beam\n"
        "(four support schemes, or a foundation beam on Winkler soil or rigid).\n"
        "Opens the main window, with the .zlv data file named on the command line\n"
        "when there is one. The command-line calculation is zelvo-calc."));
    p.addHelpOption();
    p.addVersionOption();
    p.addPositionalArgument(QStringLiteral("file"),
                            QStringLiteral("a Zelvo data file (.zlv) to open"),
                            QStringLiteral("[FILE.zlv]"));
}

// --help and --version need no display: they are answered before the
// windowing system is reached.
bool SoloTesto(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--") == 0) return false;
        for (const char* o : {"-h", "--help", "-?", "--help-all", "-v", "--version"})
            if (std::strcmp(argv[i], o) == 0) return true;
    }
    return false;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication::setApplicationName(QStringLiteral("zelvo"));
    QCoreApplication::setApplicationVersion(
        QStringLiteral(ZELVO_VERSIONE " (" ZELVO_NOME "), built " ZELVO_DATA_BUILD));
    QCommandLineParser riga;
    Opzioni(riga);
    if (SoloTesto(argc, argv)) {
        QCoreApplication testo(argc, argv);
        riga.process(testo); // prints and exits
        return 0;
    }

    QApplication app(argc, argv);
    // Qt's buttons and dialogs in the desktop's language.
    zelvo::CaricaTraduzioniQt(app);
    // Qt has taken the desktop's locale; files and machine-readable output
    // must not follow it. The separators the user sees come from Qt's
    // system locale.
    std::setlocale(LC_NUMERIC, "C");
    QApplication::setApplicationName(QStringLiteral("Zelvo"));
    riga.process(app); // an unknown option: message and exit status 1

    // The window's state, the recent files, the data folder and the units of
    // a new problem are remembered in ~/.config/zelvo/zelvo.conf.
    zelvo::OpzioniFrmDati opzioni;
    opzioni.impostazioni = std::make_shared<zelvo::ArchivioQSettings>();
    // The PDF report drawn with Qt's painter.
    opzioni.superfici = std::make_shared<zelvo::FabbricaSuperficiQt>();
    zelvo::FrmDati finestra(std::move(opzioni));
    finestra.show();
    finestra.Avvio(riga.positionalArguments());
    return QApplication::exec();
}
