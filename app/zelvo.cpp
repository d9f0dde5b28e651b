// zelvo: the program's window. `zelvo [FILE.zlv]` opens the data file named
// on the command line.
#include "ui/frm_dati.h"

#include <QApplication>

#include <clocale>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    // Qt has taken the desktop's locale; files and machine-readable output
    // must not follow it. The separators the user sees come from Qt's
    // system locale.
    std::setlocale(LC_NUMERIC, "C");
    QApplication::setApplicationName(QStringLiteral("Zelvo"));

    zelvo::FrmDati finestra;
    finestra.show();
    finestra.Avvio(QApplication::arguments().mid(1));
    return QApplication::exec();
}
