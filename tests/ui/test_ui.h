// Registration of the window tests (one QApplication for the whole program,
// every test class run by name: `ui_tests --classe Name`) and what the tests
// share: a main window with recorded messages and answered file dialogs, a
// menu item found by its caption, an example file, the text of a PDF.
#pragma once

#include "core/messaggi.h"
#include "ui/frm_dati.h"

#include <QImage>
#include <QObject>
#include <QRect>
#include <QString>

#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace zelvo::test {

using CreaTest = std::function<std::unique_ptr<QObject>()>;
bool RegistraTestUi(const char* nome, CreaTest crea);

// examples/<nome>.zlv of the source tree.
std::string Esempio(const char* nome);

// The main window: messages recorded, every file dialog recorded and answered
// from `risposte` (none left: cancelled).
struct Finestra {
    RegistroMessaggi msg;
    std::deque<std::string> risposte;
    std::vector<RichiestaDialogo> richieste;
    std::unique_ptr<FrmDati> f;
    // collegate = false: the main window alone, without its other windows;
    // impostazioni: where it remembers its state (none: nothing remembered).
    explicit Finestra(bool collegate = true,
                      std::shared_ptr<ArchivioImpostazioni> impostazioni = nullptr);
    bool Apri(const char* esempio);
    // Triggers the menu item with this caption, as a click on it does.
    bool Voce(const QString& caption);
};

// The title the window's frame shows (Qt's "[*]" made "*" while the window
// is modified, dropped otherwise).
QString TitoloMostrato(QWidget* w);

// The box around the pixels of an image that are not white (empty: nothing drawn).
QRect Disegnato(const QImage& i);

// Types t into w (the widget with the focus when null) and presses Enter.
void Scrivi(const QString& t, QWidget* w = nullptr);
// A left click near the left edge (on a check box's or radio button's box).
void Clic(QWidget* w);

// zelvo-calc with these arguments: its exit status (its standard output in out).
int Calc(const QStringList& argomenti, QByteArray* out = nullptr);
QByteArray Leggi(const QString& file);

// The text of a PDF file by pdftotext (empty on failure), pages separated by
// form feeds; `opzioni` go before the file name.
QString TestoPdf(const QString& pdf, const QStringList& opzioni = {});

} // namespace zelvo::test

// At file level, at the start of a line: registers the QObject test class.
#define ZELVO_TEST_UI(Classe)                                                                      \
    static const bool registrato_##Classe =                                                        \
        zelvo::test::RegistraTestUi(#Classe, [] { return std::make_unique<Classe>(); });
