#include "ui/frm_scelta_profili.h"

#include "ui/frm_property.h"
#include "ui/legami_vista.h"
#include "ui/pictura_sezione.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>

namespace zelvo {

FrmSceltaProfili::FrmSceltaProfili(FrmProperty& finestra, ModelloSceltaProfili& modello)
    : QWidget(nullptr, Qt::Window), finestra_(finestra), modello_(modello) {
    setObjectName(QStringLiteral("frmSceltaProfili"));
    setWindowTitle(QStringLiteral("Steel profiles"));
    auto* l = new QGridLayout(this);
    auto* sinistra = new QVBoxLayout;
    sinistra->addWidget(new QLabel(QStringLiteral("Family"), this));
    famiglie_ = new QListWidget(this);
    famiglie_->setObjectName(QStringLiteral("lstFamiglie"));
    for (const auto& f : ModelloSceltaProfili::Famiglie())
        famiglie_->addItem(QString::fromStdString(f));
    famiglie_->setFixedHeight(famiglie_->sizeHintForRow(0) * famiglie_->count() +
                              2 * famiglie_->frameWidth() + 4);
    sinistra->addWidget(famiglie_);
    l->addLayout(sinistra, 0, 0, 2, 1);

    auto* filtro = new QHBoxLayout;
    filtro->addWidget(new QLabel(QStringLiteral("Filter"), this));
    filtro_ = new QLineEdit(this);
    filtro_->setObjectName(QStringLiteral("txtFiltro"));
    filtro_->setPlaceholderText(QStringLiteral("part of the name, e.g. 200"));
    filtro->addWidget(filtro_);
    l->addLayout(filtro, 0, 1);

    tabella_ = new QTableWidget(this);
    tabella_->setObjectName(QStringLiteral("tblProfili"));
    tabella_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tabella_->setSelectionBehavior(QAbstractItemView::SelectRows);
    tabella_->setSelectionMode(QAbstractItemView::SingleSelection);
    tabella_->verticalHeader()->hide();
    tabella_->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 8);
    tabella_->setColumnCount(int(ModelloSceltaProfili::Intestazioni().size()));
    QStringList intest;
    for (const auto& s : ModelloSceltaProfili::Intestazioni())
        intest << QString::fromStdString(s);
    tabella_->setHorizontalHeaderLabels(intest);
    l->addWidget(tabella_, 1, 1);

    // the settings, the picture and the buttons under the families
    auto* destra = sinistra;
    auto* opz = new QGroupBox(QStringLiteral("Settings"), this);
    auto* lo = new QGridLayout(opz);
    lo->addWidget(new QLabel(QStringLiteral("Steel grade"), opz), 0, 0);
    grado_ = new QComboBox(opz);
    grado_->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    grado_->setObjectName(QStringLiteral("cmbGrado"));
    for (const auto& g : GradiAcciaio())
        grado_->addItem(QStringLiteral("%1 (fy = %2 N/mm²)").arg(QLatin1String(g.nome)).arg(g.fy));
    lo->addWidget(grado_, 0, 1, 1, 2);
    doppi_ = new QCheckBox(QStringLiteral("Paired profiles"), opz);
    doppi_->setObjectName(QStringLiteral("chkDoppi"));
    lo->addWidget(doppi_, 1, 0, 1, 3);
    lo->addWidget(new QLabel(QStringLiteral("Gap"), opz), 2, 0);
    dDoppi_ = new QLineEdit(opz);
    dDoppi_->setObjectName(QStringLiteral("txtDDoppi"));
    lo->addWidget(dDoppi_, 2, 1);
    lo->addWidget(new QLabel(QStringLiteral("[mm]"), opz), 2, 2);
    doppiCorto_ = new QCheckBox(QStringLiteral("Channels toe to toe"), opz);
    doppiCorto_->setObjectName(QStringLiteral("chkDoppiCorto"));
    lo->addWidget(doppiCorto_, 3, 0, 1, 3);
    destra->addWidget(opz);
    figura_ = new PicturaSezione(this);
    figura_->setObjectName(QStringLiteral("picProfilo"));
    figura_->setMinimumSize(240, 220);
    figura_->disegno = [this] { return modello_.Anteprima(); };
    destra->addWidget(figura_, 1);
    auto* bott = new QHBoxLayout;
    auto* ok = new QPushButton(QStringLiteral("&OK"), this);
    ok->setObjectName(QStringLiteral("cmdOK"));
    auto* annulla = new QPushButton(QStringLiteral("&Cancel"), this);
    annulla->setObjectName(QStringLiteral("cmdCancel"));
    bott->addStretch();
    bott->addWidget(ok);
    bott->addWidget(annulla);
    destra->addLayout(bott);
    l->setColumnStretch(1, 1);

    connect(famiglie_, &QListWidget::currentRowChanged, this,
            [this](int r) { modello_.ImpostaFamiglia(r); });
    connect(filtro_, &QLineEdit::textEdited, this,
            [this](const QString& t) { modello_.ImpostaFiltro(t.toStdString()); });
    connect(tabella_, &QTableWidget::cellClicked, this,
            [this](int r, int) { modello_.SelezionaRiga(r); });
    connect(tabella_, &QTableWidget::cellDoubleClicked, this, [this](int r, int) {
        modello_.SelezionaRiga(r);
        Conferma();
    });
    connect(grado_, &QComboBox::currentIndexChanged, this,
            [this](int i) { modello_.ImpostaGrado(i); });
    connect(doppi_, &QCheckBox::toggled, this, [this](bool b) { modello_.ImpostaDoppi(b); });
    connect(doppiCorto_, &QCheckBox::toggled, this,
            [this](bool b) { modello_.ImpostaDoppiCorto(b); });
    connect(dDoppi_, &QLineEdit::textEdited, this,
            [this](const QString& t) { modello_.ImpostaDistanzaDoppi(t.toStdString()); });
    connect(ok, &QPushButton::clicked, this, &FrmSceltaProfili::Conferma);
    connect(annulla, &QPushButton::clicked, this, &QWidget::close);
    // the chooser re-reads its model whenever an event of it has run
    modello_.Cambiato = [this] { Aggiorna(); };
    resize(1240, 600);
    Aggiorna();
}

void FrmSceltaProfili::Aggiorna() {
    // what the model says is set without echoing back as the user's choice
    const QSignalBlocker b0(famiglie_), b1(grado_), b2(doppi_), b3(doppiCorto_);
    if (famiglie_->currentRow() != modello_.Famiglia) famiglie_->setCurrentRow(modello_.Famiglia);
    LegamiVista::ImpostaTesto(filtro_, modello_.Filtro);
    const auto righe = modello_.Righe();
    tabella_->setRowCount(int(righe.size()));
    for (int r = 0; r < int(righe.size()); ++r) {
        const auto testi = modello_.TestiRiga(*righe[size_t(r)]);
        for (int c = 0; c < int(testi.size()); ++c) {
            auto* it = tabella_->item(r, c);
            if (!it) {
                it = new QTableWidgetItem;
                tabella_->setItem(r, c, it);
            }
            it->setText(QString::fromStdString(testi[size_t(c)]));
            it->setTextAlignment(c == 0 ? Qt::AlignLeft | Qt::AlignVCenter
                                        : Qt::AlignRight | Qt::AlignVCenter);
        }
    }
    if (!colonneDimensionate_ && !righe.empty()) {
        Colonne();
        colonneDimensionate_ = true;
    }
    if (modello_.Selezionata >= 0) tabella_->selectRow(modello_.Selezionata);
    grado_->setCurrentIndex(modello_.Grado);
    doppi_->setChecked(modello_.Doppi);
    LegamiVista::ImpostaTesto(dDoppi_, modello_.dDoppi);
    dDoppi_->setEnabled(modello_.Doppi);
    doppiCorto_->setChecked(modello_.DoppiCorto);
    doppiCorto_->setEnabled(modello_.Doppi);
    figura_->update();
}

void FrmSceltaProfili::Colonne() {
    // each column as wide as its texts, the room left shared out (up to 16
    // pixels each) so that the headers do not touch
    tabella_->resizeColumnsToContents();
    const int n = tabella_->columnCount();
    int somma = 0;
    for (int c = 0; c < n; ++c)
        somma += tabella_->columnWidth(c);
    const int extra = n > 0 ? std::clamp((tabella_->viewport()->width() - somma) / n, 0, 16) : 0;
    for (int c = 0; c < n; ++c)
        tabella_->setColumnWidth(c, tabella_->columnWidth(c) + extra);
}

void FrmSceltaProfili::resizeEvent(QResizeEvent* e) {
    QWidget::resizeEvent(e);
    // once the layout has given the table its width
    QTimer::singleShot(0, this, [this] {
        if (colonneDimensionate_) Colonne();
    });
}

void FrmSceltaProfili::Conferma() {
    std::string perche;
    if (!modello_.Scegli(&perche)) {
        finestra_.Modello().Msg.Mostra(perche, Icona::Esclamazione);
        return;
    }
    close();
}

void FrmSceltaProfili::closeEvent(QCloseEvent* e) {
    e->accept();
    if (chiusa_) return;
    chiusa_ = true;
    // ProfiliQuit: the two windows come back; the chooser goes after the event
    QTimer::singleShot(0, &finestra_, [f = &finestra_] {
        f->Aggiorna();
        f->Modello().RilasciaSceltaChiusa();
    });
    modello_.Chiudi();
}

} // namespace zelvo
