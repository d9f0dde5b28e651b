// The program's own help: the HTML pages of ui/aiuto, compiled into the
// program as the resource ":/aiuto", shown in a text browser with a list of
// topics, back, forward and "Argomenti". "&Aiuto" opens it at its first topic
// (`PaginaIniziale`).
#pragma once

#include <QUrl>
#include <QWidget>

class QListWidget;
class QTextBrowser;
class QToolButton;

namespace zelvo {

class FrmDati;

class FinestraAiuto : public QWidget {
    Q_OBJECT

  public:
    explicit FinestraAiuto(QWidget* genitore = nullptr);

    // The first topic.
    static QUrl PaginaIniziale();
    // The topics in the order of the list: page file name and title.
    static const std::vector<std::pair<const char*, const char*>>& Argomenti();

    // Shows the window at its first topic and brings it to the front.
    void ApriAlPrimoArgomento();
    // Shows the window at topic n (1: the first) and brings it to the front.
    void ApriAllArgomento(int n);
    // Shows a topic by its page ("campi.html", ...).
    void MostraArgomento(const QString& pagina);

    QTextBrowser* Testo() const { return testo_; }
    QListWidget* Elenco() const { return elenco_; }

  private:
    void Sincronizza(const QUrl& url);

    QTextBrowser* testo_ = nullptr;
    QListWidget* elenco_ = nullptr;
    QToolButton* indietro_ = nullptr;
    QToolButton* avanti_ = nullptr;
    QToolButton* inizio_ = nullptr;
};

// The help window of a main window (created on first use, a window of its
// own that stays while its main window lives; each main window has its
// own), opened at a topic numbered from 1 in the order of `Argomenti`
// ("&Aiuto": 1, the first topic; a number out of the list: the first topic
// too).
FinestraAiuto* ApriAiuto(FrmDati* trave, int argomento = 1);

} // namespace zelvo
