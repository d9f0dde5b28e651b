// The help window.
#include "ui/finestra_aiuto.h"

#include "ui/frm_dati.h"

#include "ui/scorciatoie_qt.h"

#include <QHBoxLayout>
#include <QListWidget>
#include <QPointer>
#include <QSplitter>
#include <QStyle>
#include <QTextBrowser>
#include <QToolButton>
#include <QVBoxLayout>

// The resource lives in the static ui library: registered by name.
static void RegistraRisorseAiuto() {
    Q_INIT_RESOURCE(aiuto);
}

namespace zelvo {

namespace {

QString Q(const char* t) {
    return QString::fromUtf8(t);
}

} // namespace

const std::vector<std::pair<const char*, const char*>>& FinestraAiuto::Argomenti() {
    static const std::vector<std::pair<const char*, const char*>> a{
        {"index.html", "Trave Zelvo"},
        {"campi.html", "Dati e risultati"},
        {"convenzioni.html", "Convenzioni dei segni"},
        {"carichi.html", "Carichi e distanze parziali"},
        {"fondazione.html", "Trave di fondazione"},
        {"unita.html", "Unità di misura"},
        {"file.html", "File, stampa e diagrammi"},
        {"tastiera.html", "Tastiera"},
        {"esempio.html", "Esempio svolto"},
        {"continua.html", "Trave continua"},
        {"combinazioni.html", "Combinazioni e inviluppi"},
        {"verifiche.html", "Verifiche dell'acciaio"},
    };
    return a;
}

QUrl FinestraAiuto::PaginaIniziale() {
    return QUrl("qrc:/aiuto/index.html");
}

FinestraAiuto::FinestraAiuto(QWidget* genitore) : QWidget(genitore, Qt::Window) {
    RegistraRisorseAiuto();
    setObjectName("FinestraAiuto");
    setWindowTitle(Q("Trave Zelvo - Guida"));
    setAccessibleName(Q("Guida di Trave Zelvo"));
    setAccessibleDescription(Q("La guida del programma"));

    const auto pulsante = [this](const char* nome, const char* testo, const char* suggerimento,
                                 QStyle::StandardPixmap icona) {
        auto* b = new QToolButton(this);
        b->setObjectName(nome);
        b->setText(Q(testo));
        b->setToolTip(Q(suggerimento));
        b->setAccessibleName(Q(testo));
        b->setAccessibleDescription(Q(suggerimento));
        b->setIcon(style()->standardIcon(icona));
        b->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
        b->setAutoRaise(true);
        return b;
    };
    indietro_ = pulsante("cmdIndietro", "Indietro", "Pagina precedente (Alt+Sinistra)",
                         QStyle::SP_ArrowBack);
    avanti_ =
        pulsante("cmdAvanti", "Avanti", "Pagina seguente (Alt+Destra)", QStyle::SP_ArrowForward);
    inizio_ = pulsante("cmdArgomenti", "Argomenti", "Elenco degli argomenti",
                       QStyle::SP_FileDialogContentsView);
    indietro_->setShortcut(QKeySequence::Back);
    avanti_->setShortcut(QKeySequence::Forward);
    ChiudiConEsc(this);

    elenco_ = new QListWidget(this);
    elenco_->setObjectName("lstArgomenti");
    elenco_->setAccessibleName(Q("Argomenti"));
    elenco_->setAccessibleDescription(Q("Gli argomenti della guida"));
    for (const auto& [pagina, titolo] : Argomenti()) {
        auto* voce = new QListWidgetItem(Q(titolo), elenco_);
        voce->setData(Qt::UserRole, Q(pagina));
    }
    elenco_->setSpacing(2);
    elenco_->setMinimumWidth(elenco_->sizeHintForColumn(0) + 24);

    testo_ = new QTextBrowser(this);
    testo_->setObjectName("txtGuida");
    testo_->setAccessibleName(Q("Testo della guida"));
    testo_->setAccessibleDescription(Q("La pagina della guida mostrata"));
    testo_->setOpenLinks(true);
    testo_->setOpenExternalLinks(true);
    QFont f = testo_->font();
    f.setPointSizeF(f.pointSizeF() * 1.1);
    testo_->setFont(f);
    testo_->document()->setDocumentMargin(12);

    auto* barra = new QHBoxLayout;
    barra->setContentsMargins(4, 4, 4, 0);
    barra->addWidget(indietro_);
    barra->addWidget(avanti_);
    barra->addWidget(inizio_);
    barra->addStretch(1);

    auto* divisore = new QSplitter(Qt::Horizontal, this);
    divisore->setChildrenCollapsible(false);
    divisore->addWidget(elenco_);
    divisore->addWidget(testo_);
    divisore->setStretchFactor(0, 0);
    divisore->setStretchFactor(1, 1);
    divisore->setSizes({elenco_->minimumWidth() + 16, 760});

    auto* tutto = new QVBoxLayout(this);
    tutto->setContentsMargins(4, 4, 4, 4);
    tutto->addLayout(barra);
    tutto->addWidget(divisore, 1);

    connect(indietro_, &QToolButton::clicked, testo_, &QTextBrowser::backward);
    connect(avanti_, &QToolButton::clicked, testo_, &QTextBrowser::forward);
    connect(inizio_, &QToolButton::clicked, this, [this] { testo_->setSource(PaginaIniziale()); });
    connect(testo_, &QTextBrowser::backwardAvailable, indietro_, &QToolButton::setEnabled);
    connect(testo_, &QTextBrowser::forwardAvailable, avanti_, &QToolButton::setEnabled);
    connect(testo_, &QTextBrowser::sourceChanged, this, &FinestraAiuto::Sincronizza);
    connect(elenco_, &QListWidget::itemActivated, this, [this](QListWidgetItem* voce) {
        MostraArgomento(voce->data(Qt::UserRole).toString());
    });
    connect(elenco_, &QListWidget::itemClicked, this, [this](QListWidgetItem* voce) {
        MostraArgomento(voce->data(Qt::UserRole).toString());
    });
    indietro_->setEnabled(false);
    avanti_->setEnabled(false);

    resize(960, 680);
    testo_->setSource(PaginaIniziale());
}

void FinestraAiuto::MostraArgomento(const QString& pagina) {
    const QUrl url("qrc:/aiuto/" + pagina);
    if (testo_->source() != url) testo_->setSource(url);
}

void FinestraAiuto::ApriAlPrimoArgomento() {
    ApriAllArgomento(1);
}

void FinestraAiuto::ApriAllArgomento(int n) {
    const auto& a = Argomenti();
    MostraArgomento(Q(n >= 1 && n <= static_cast<int>(a.size())
                          ? a[static_cast<size_t>(n - 1)].first
                          : a.front().first));
    show();
    if (isMinimized()) showNormal();
    raise();
    activateWindow();
    testo_->setFocus();
}

void FinestraAiuto::Sincronizza(const QUrl& url) {
    const QString pagina = url.fileName();
    for (int i = 0; i < elenco_->count(); ++i) {
        if (elenco_->item(i)->data(Qt::UserRole).toString() == pagina) {
            const QSignalBlocker blocco(elenco_);
            elenco_->setCurrentRow(i);
            break;
        }
    }
    setWindowTitle(Q("Trave Zelvo - Guida - ") + testo_->documentTitle());
}

FinestraAiuto* ApriAiuto(FrmDati* trave, int argomento) {
    QPointer<FinestraAiuto>& finestra = trave->AiutoAperto();
    if (!finestra) finestra = new FinestraAiuto(trave);
    finestra->ApriAllArgomento(argomento);
    return finestra;
}

} // namespace zelvo
