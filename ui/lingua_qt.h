// Qt's own texts in the desktop's language: the standard buttons of the
// message boxes ("Sì", "No", "Annulla" under Italian settings), the file and
// print dialogs. The program's own texts are not translated.
#pragma once

#include <QString>

class QCoreApplication;

namespace zelvo {

// Loads Qt's translation "qtbase_<language>.qm" for the system locale from
// Qt's translations folder and installs it in the application. Returns the
// file loaded; empty when the language has none there (English, or the
// translations not installed): Qt's texts then stay in English.
QString CaricaTraduzioniQt(QCoreApplication& app);

// The file CaricaTraduzioniQt loaded last (empty: none).
QString TraduzioniQtCaricate();

} // namespace zelvo
