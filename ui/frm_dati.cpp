#include "ui/frm_dati.h"

#include "form/relazione.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QStyle>
#include <QToolBar>
#include <QVBoxLayout>

namespace zelvo {

FrmDati::FrmDati(OpzioniFrmDati opzioni, QWidget* genitore)
    : QMainWindow(genitore), messaggiQt_(this),
      msg_(opzioni.messaggi ? opzioni.messaggi : &messaggiQt_),
      finestre_(std::move(opzioni.finestre)) {
    modello_ = std::make_unique<ModelloForm>(modulo_, unita_, *msg_);
    modello_->Servizi.SceltaFile =
        opzioni.sceltaFile ? std::move(opzioni.sceltaFile) : DialogoFileQt(this);
    modello_->Servizi.StampaRelazione = StampaRelazioneFile;
    if (finestre_.CreaStampante) stampante_ = finestre_.CreaStampante(this);
    ServiziForm& sv = modello_->Servizi;
    sv.StampanteSistema = stampante_.get();
    sv.MostraDiagramma = [this](int i) {
        if (finestre_.Diagramma)
            finestre_.Diagramma(*this, i);
        else
            NonDisponibile("Diagrammi");
    };
    sv.MostraSezione = [this] {
        if (finestre_.Sezione)
            finestre_.Sezione(*this);
        else
            NonDisponibile("Sezione");
    };
    sv.MostraUnita = [this](bool modale) {
        if (finestre_.Unita)
            finestre_.Unita(*this, modale);
        else if (modale)
            modello_->frmUnits_OK();
        else
            NonDisponibile("Unità");
    };
    sv.MostraScale = [this] {
        if (finestre_.Scale)
            finestre_.Scale(*this);
        else
            NonDisponibile("Scelta scale");
    };
    sv.MostraInformazioni = [this] {
        if (finestre_.Informazioni)
            finestre_.Informazioni(*this);
        else
            NonDisponibile("Informazioni");
    };
    sv.MostraAiuto = [this](int) {
        if (finestre_.Aiuto)
            finestre_.Aiuto(*this);
        else
            NonDisponibile("Aiuto");
    };
    sv.EventiInSospeso = [] { QCoreApplication::processEvents(); };
    modello_->Cambiato = [this] { Aggiorna(); };
    CreaMenu();
    CreaControlli();
    Aggiorna();
}

FrmDati::~FrmDati() = default;

void FrmDati::CreaMenu() {
    QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
    const char* voci[] = {"&Nuovo",
                          "&Apri",
                          "&Salva",
                          "S&alva come...",
                          nullptr,
                          "Stam&pa",
                          "&File di stampa (TXT)",
                          nullptr,
                          "&Disegna Diagrammi in Autocad",
                          "Stampa &Diagrammi",
                          "E&xporta Diagrammi in DXF",
                          nullptr,
                          "&Esci"};
    for (int i = 0; i < 13; ++i) {
        if (!voci[i]) {
            file->addSeparator();
            continue;
        }
        QAction* a = file->addAction(QString::fromUtf8(voci[i]));
        connect(a, &QAction::triggered, this, [this, i] { mnuFileItem_Click(i); });
    }
    QAction* unita = menuBar()->addAction(QString::fromUtf8("&Unità"));
    connect(unita, &QAction::triggered, this, &FrmDati::mnuUnits_Click);
    QMenu* opzioni = menuBar()->addMenu(QStringLiteral("&Opzioni"));
    connect(opzioni->addAction(QStringLiteral("&Scelta scale dwg, dxf")), &QAction::triggered, this,
            [this] { mnuOpzioniItem_Click(0); });
    QMenu* aiuto = menuBar()->addMenu(QStringLiteral("&?"));
    const char* vociAiuto[] = {"&Aiuto", "&Files di esempio", "&Informazioni"};
    for (int i = 0; i < 3; ++i)
        connect(aiuto->addAction(QString::fromUtf8(vociAiuto[i])), &QAction::triggered, this,
                [this, i] { mnuAiutoItem_Click(i); });

    QToolBar* barra = addToolBar(QStringLiteral("ToolbarUp"));
    barra->setObjectName(QStringLiteral("ToolbarUp"));
    const struct {
        const char* testo;
        QStyle::StandardPixmap icona;
        int voce;
    } pulsanti[] = {{"New", QStyle::SP_FileIcon, 0},
                    {"Open", QStyle::SP_DialogOpenButton, 1},
                    {"Save", QStyle::SP_DialogSaveButton, 2},
                    {"Print", QStyle::SP_FileDialogDetailedView, 5}};
    for (const auto& p : pulsanti) {
        QAction* a = barra->addAction(style()->standardIcon(p.icona), QString::fromUtf8(p.testo));
        const int voce = p.voce;
        connect(a, &QAction::triggered, this, [this, voce] { mnuFileItem_Click(voce); });
    }
}

void FrmDati::CreaControlli() {
    auto* centro = new QWidget(this);
    auto* l = new QVBoxLayout(centro);
    txtTitolo_ = new QLineEdit(centro);
    txtTitolo_->setObjectName(QStringLiteral("txtTitolo"));
    btnCalcola_ = new QPushButton(QStringLiteral("Calcola"), centro);
    btnCalcola_->setObjectName(QStringLiteral("btnCalcola"));
    lblRisultati_ = new QLabel(centro);
    l->addWidget(new QLabel(QStringLiteral("Titolo :"), centro));
    l->addWidget(txtTitolo_);
    l->addWidget(btnCalcola_);
    l->addWidget(lblRisultati_);
    l->addStretch();
    setCentralWidget(centro);
    connect(btnCalcola_, &QPushButton::clicked, this, &FrmDati::btnCalcola_Click);
}

void FrmDati::Aggiorna() {
    setWindowTitle(QString::fromStdString(modello_->Caption));
    txtTitolo_->setText(QString::fromStdString(modello_->txtTitolo.testo));
}

void FrmDati::Avvio(const QStringList& argomenti) {
    std::vector<std::string> a;
    for (const QString& t : argomenti)
        a.push_back(t.toStdString());
    modello_->Avvio(a);
}

void FrmDati::NonDisponibile(const char* cosa) {
    msg_->Mostra(std::string(cosa) + ": non ancora disponibile in questa versione.",
                 Icona::Informazione);
}

void FrmDati::btnCalcola_Click() {
    modello_->Campo_Edita(modello_->txtTitolo, txtTitolo_->text().toStdString());
    modello_->btnCalcola_Click();
}

void FrmDati::cbDiagramma_Click(int i) {
    modello_->cbDiagramma_Click(i);
}

void FrmDati::cmdSezione_Click() {
    modello_->cmdSezione_Click();
}

void FrmDati::mnuFileItem_Click(int i) {
    modello_->mnuFileItem_Click(i);
    if (modello_->Chiuso) close();
}

void FrmDati::mnuUnits_Click() {
    modello_->mnuUnits_Click();
}

void FrmDati::mnuOpzioniItem_Click(int i) {
    modello_->mnuOpzioniItem_Click(i);
}

void FrmDati::mnuAiutoItem_Click(int i) {
    modello_->mnuAiutoItem_Click(i);
}

void FrmDati::closeEvent(QCloseEvent* e) {
    if (modello_->Chiusura())
        e->accept();
    else
        e->ignore();
}

} // namespace zelvo
