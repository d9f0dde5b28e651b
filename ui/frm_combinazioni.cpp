#include "ui/frm_combinazioni.h"

#include "form/modello_form.h"
#include "ui/scorciatoie_qt.h"

#include <QBrush>
#include <QCheckBox>
#include <QColor>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

namespace zelvo {

namespace {

QString Q(const std::string& s) {
    return QString::fromStdString(s);
}

constexpr int NumeroCategorie = static_cast<int>(CategoriaQ::Personalizzata) + 1;
constexpr PresetFreccia Preset[] = {PresetFreccia::SolaiGenerali, PresetFreccia::Coperture,
                                    PresetFreccia::SolaiFragili, PresetFreccia::SolaiPilastri,
                                    PresetFreccia::Personalizzato};

void Testo(QLineEdit* e, const std::string& t) {
    if (e->text() != Q(t)) e->setText(Q(t));
}

} // namespace

FrmCombinazioni::FrmCombinazioni(ModelloForm& trave, Messaggi& msg, QWidget* genitore)
    : QDialog(genitore), modello_(trave, msg) {
    setObjectName(QStringLiteral("frmCombinazioni"));
    setWindowTitle(QStringLiteral("Casi di carico e combinazioni"));
    setModal(true);
    auto* v = new QVBoxLayout(this);

    // Load cases.
    auto* fraCasi = new QGroupBox(QStringLiteral("Casi di carico"), this);
    auto* vc = new QVBoxLayout(fraCasi);
    casi_ = new QTableWidget(0, 6, fraCasi);
    casi_->setObjectName(QStringLiteral("tblCasi"));
    casi_->setHorizontalHeaderLabels({QStringLiteral("Nome"), QStringLiteral("Tipo"),
                                      QStringLiteral("Categoria"), QStringLiteral("ψ0"),
                                      QStringLiteral("ψ1"), QStringLiteral("ψ2")});
    casi_->horizontalHeader()->setSectionResizeMode(2, QHeaderView::Stretch);
    casi_->setColumnWidth(0, 130);
    casi_->setColumnWidth(1, 70);
    for (int c = 3; c < 6; ++c)
        casi_->setColumnWidth(c, 60);
    casi_->setMinimumSize(720, 170);
    casi_->setSelectionBehavior(QAbstractItemView::SelectRows);
    casi_->setSelectionMode(QAbstractItemView::SingleSelection);
    vc->addWidget(casi_);
    auto* pc = new QHBoxLayout;
    aggiungi_ = new QPushButton(QStringLiteral("&Aggiungi caso"), fraCasi);
    aggiungi_->setObjectName(QStringLiteral("cmdAggiungiCaso"));
    elimina_ = new QPushButton(QStringLiteral("&Elimina caso"), fraCasi);
    elimina_->setObjectName(QStringLiteral("cmdEliminaCaso"));
    pc->addWidget(aggiungi_);
    pc->addWidget(elimina_);
    pc->addStretch();
    vc->addLayout(pc);
    v->addWidget(fraCasi, 1);
    connect(casi_, &QTableWidget::itemChanged, this, [this](QTableWidgetItem* it) {
        if (mostrando_) return;
        const int r = it->row(), c = it->column();
        if (c == 0)
            modello_.ImpostaNome(r, it->text().toStdString());
        else if (c >= 3)
            modello_.EditaPsi(r, c - 3, it->text().toStdString());
    });
    connect(aggiungi_, &QPushButton::clicked, this, [this] {
        modello_.AggiungiCaso();
        Mostra();
        casi_->selectRow(casi_->rowCount() - 1);
    });
    connect(elimina_, &QPushButton::clicked, this, [this] {
        const int r = casi_->currentRow();
        if (r >= 0 && modello_.RimuoviCaso(r)) Mostra();
    });

    auto* riga = new QHBoxLayout;
    // Partial factors.
    auto* fraGamma = new QGroupBox(QStringLiteral("Coefficienti parziali (SLU)"), this);
    auto* gg = new QGridLayout(fraGamma);
    gg->addWidget(new QLabel(QStringLiteral("sfavorevole"), fraGamma), 0, 1);
    gg->addWidget(new QLabel(QStringLiteral("favorevole"), fraGamma), 0, 2);
    const char* righe[3] = {"γG1", "γG2", "γQ"};
    for (int k = 0; k < 6; ++k) {
        auto* e = new QLineEdit(fraGamma);
        e->setObjectName(QStringLiteral("txtGamma%1").arg(k));
        e->setAlignment(Qt::AlignRight);
        e->setMinimumWidth(70);
        gamma_[static_cast<size_t>(k)] = e;
        gg->addWidget(e, 1 + k / 2, 1 + k % 2);
        connect(e, &QLineEdit::textEdited, this, [this, k](const QString& t) {
            modello_.txtGamma[static_cast<size_t>(k)].Edita(t.toStdString());
        });
    }
    for (int r = 0; r < 3; ++r)
        gg->addWidget(new QLabel(QString::fromUtf8(righe[r]), fraGamma), 1 + r, 0);
    auto* ntc = new QPushButton(QStringLiteral("NTC 2018"), fraGamma);
    ntc->setObjectName(QStringLiteral("cmdNTC2018"));
    auto* en = new QPushButton(QStringLiteral("EN 1990 (6.10)"), fraGamma);
    en->setObjectName(QStringLiteral("cmdEN1990"));
    auto* pg = new QHBoxLayout;
    pg->addWidget(ntc);
    pg->addWidget(en);
    gg->addLayout(pg, 4, 0, 1, 3);
    connect(ntc, &QPushButton::clicked, this, [this] {
        modello_.PresetNTC2018();
        Mostra();
    });
    connect(en, &QPushButton::clicked, this, [this] {
        modello_.PresetEN1990();
        Mostra();
    });
    riga->addWidget(fraGamma);

    // Deflection limits.
    auto* fraLimiti = new QGroupBox(QStringLiteral("Limiti di freccia"), this);
    auto* gl = new QGridLayout(fraLimiti);
    preset_ = new QComboBox(fraLimiti);
    preset_->setObjectName(QStringLiteral("cboPresetFreccia"));
    for (PresetFreccia p : Preset)
        preset_->addItem(Q(NomePreset(p)));
    gl->addWidget(preset_, 0, 0, 1, 3);
    const char* nomiLimiti[2] = {"Totale (rara): L /", "Carichi variabili: L /"};
    for (int k = 0; k < 2; ++k) {
        auto* e = new QLineEdit(fraLimiti);
        e->setObjectName(QStringLiteral("txtLimite%1").arg(k));
        e->setAlignment(Qt::AlignRight);
        e->setMinimumWidth(70);
        limiti_[static_cast<size_t>(k)] = e;
        auto* l = new QLabel(QString::fromUtf8(nomiLimiti[k]), fraLimiti);
        l->setBuddy(e);
        gl->addWidget(l, 1 + k, 0);
        gl->addWidget(e, 1 + k, 1);
        CampoNumerico(e, modello_.txtLimiti[static_cast<size_t>(k)], true, k);
    }
    gl->setRowStretch(3, 1);
    connect(preset_, &QComboBox::activated, this, [this](int i) {
        if (i < 0 || i >= static_cast<int>(std::size(Preset))) return;
        modello_.ScegliPreset(Preset[i]);
        Mostra();
    });
    riga->addWidget(fraLimiti);

    // Self-weight.
    auto* fraPeso = new QGroupBox(QStringLiteral("Peso proprio"), this);
    auto* gp = new QGridLayout(fraPeso);
    chkPeso_ = new QCheckBox(QStringLiteral("&Peso proprio"), fraPeso);
    chkPeso_->setObjectName(QStringLiteral("chkPesoProprio"));
    txtPeso_ = new QLineEdit(fraPeso);
    txtPeso_->setObjectName(QStringLiteral("txtPesoProprio"));
    txtPeso_->setAlignment(Qt::AlignRight);
    txtPeso_->setMinimumWidth(80);
    unitaPeso_ = new QLabel(fraPeso);
    dallaSezione_ = new QPushButton(QStringLiteral("Dalla &sezione"), fraPeso);
    dallaSezione_->setObjectName(QStringLiteral("cmdPesoDallaSezione"));
    gp->addWidget(chkPeso_, 0, 0, 1, 3);
    gp->addWidget(new QLabel(QStringLiteral("q = A·γ"), fraPeso), 1, 0);
    gp->addWidget(txtPeso_, 1, 1);
    gp->addWidget(unitaPeso_, 1, 2);
    gp->addWidget(dallaSezione_, 2, 0, 1, 3);
    gp->setRowStretch(3, 1);
    connect(chkPeso_, &QCheckBox::toggled, this, [this](bool s) {
        if (mostrando_) return;
        modello_.chkPesoProprio = s;
        Mostra();
    });
    CampoNumerico(txtPeso_, modello_.txtPesoProprio);
    connect(dallaSezione_, &QPushButton::clicked, this, [this] {
        modello_.PesoDallaSezione();
        Mostra();
    });
    riga->addWidget(fraPeso);
    v->addLayout(riga);

    auto* pulsanti = new QHBoxLayout;
    ok_ = new QPushButton(QStringLiteral("OK"), this);
    ok_->setObjectName(QStringLiteral("OKButton"));
    annulla_ = new QPushButton(QStringLiteral("Annulla"), this);
    annulla_->setObjectName(QStringLiteral("CancelButton"));
    ok_->setAutoDefault(false);
    annulla_->setAutoDefault(false);
    pulsanti->addStretch();
    pulsanti->addWidget(ok_);
    pulsanti->addWidget(annulla_);
    v->addLayout(pulsanti);
    connect(ok_, &QPushButton::clicked, this, &FrmCombinazioni::OK);
    connect(annulla_, &QPushButton::clicked, this, &QDialog::reject);

    modello_.Apri();
    Mostra();
}

void FrmCombinazioni::CampoNumerico(QLineEdit* e, CampoForm& c, bool limite, int indice) {
    e->installEventFilter(this);
    auto edita = [this, &c, limite, indice](const std::string& t) {
        if (limite) {
            modello_.EditaLimite(indice, t);
            Mostra();
        } else {
            c.Edita(t);
        }
    };
    connect(e, &QLineEdit::textEdited, this, [edita](const QString& t) { edita(t.toStdString()); });
    connect(e, &QLineEdit::editingFinished, this, [this, e, &c, edita] {
        const std::string n = NormalizzaCampo(modello_.Trave.Unita.separatori, c.testo);
        if (n == c.testo) return;
        edita(n);
        e->setText(Q(n));
    });
}

bool FrmCombinazioni::eventFilter(QObject* o, QEvent* e) {
    if (e->type() == QEvent::KeyPress &&
        TastierinoInCampo(o, static_cast<QKeyEvent*>(e), modello_.Trave.Unita.separatori))
        return true;
    return QDialog::eventFilter(o, e);
}

QComboBox* FrmCombinazioni::Tipo(int r) const {
    return qobject_cast<QComboBox*>(casi_->cellWidget(r, 1));
}

QComboBox* FrmCombinazioni::Categoria(int r) const {
    return qobject_cast<QComboBox*>(casi_->cellWidget(r, 2));
}

void FrmCombinazioni::CreaRiga(int r) {
    auto* tipo = new QComboBox(casi_);
    tipo->setObjectName(QStringLiteral("cboTipo%1").arg(r));
    for (TipoCaso t : {TipoCaso::G1, TipoCaso::G2, TipoCaso::Q})
        tipo->addItem(QString::fromUtf8(NomeTipoCaso(t)));
    casi_->setCellWidget(r, 1, tipo);
    connect(tipo, &QComboBox::currentIndexChanged, this, [this, r](int i) {
        if (mostrando_ || i < 0) return;
        modello_.ImpostaTipo(r, static_cast<TipoCaso>(i));
        Mostra();
    });
    auto* cat = new QComboBox(casi_);
    cat->setObjectName(QStringLiteral("cboCategoria%1").arg(r));
    for (int c = 0; c < NumeroCategorie; ++c)
        cat->addItem(Q(NomeCategoria(static_cast<CategoriaQ>(c))));
    casi_->setCellWidget(r, 2, cat);
    connect(cat, &QComboBox::currentIndexChanged, this, [this, r](int i) {
        if (mostrando_ || i < 0) return;
        modello_.ImpostaCategoria(r, static_cast<CategoriaQ>(i));
        Mostra();
    });
}

void FrmCombinazioni::Mostra() {
    mostrando_ = true;
    const int n = static_cast<int>(modello_.Casi.size());
    if (casi_->rowCount() != n) {
        casi_->setRowCount(0);
        casi_->setRowCount(n);
        for (int r = 0; r < n; ++r)
            CreaRiga(r);
    }
    for (int r = 0; r < n; ++r) {
        const RigaCaso& c = modello_.Casi[static_cast<size_t>(r)];
        auto testo = [&](int col, const std::string& t, bool modificabile) {
            QTableWidgetItem* it = casi_->item(r, col);
            if (!it) {
                it = new QTableWidgetItem;
                casi_->setItem(r, col, it);
            }
            if (it->text() != Q(t)) it->setText(Q(t));
            Qt::ItemFlags f = Qt::ItemIsSelectable | Qt::ItemIsEnabled;
            if (modificabile) f |= Qt::ItemIsEditable;
            it->setFlags(f);
            if (col >= 3) it->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            it->setForeground(modificabile || col == 0
                                  ? casi_->palette().text()
                                  : casi_->palette().brush(QPalette::Disabled, QPalette::Text));
        };
        testo(0, c.Nome, true);
        const bool psi = modello_.PsiModificabili(r);
        for (int k = 0; k < 3; ++k)
            testo(3 + k, c.psi[static_cast<size_t>(k)].testo, psi);
        if (QComboBox* t = Tipo(r)) t->setCurrentIndex(static_cast<int>(c.Tipo));
        if (QComboBox* k = Categoria(r)) {
            k->setCurrentIndex(static_cast<int>(c.Categoria));
            k->setEnabled(c.Tipo == TipoCaso::Q);
        }
    }
    elimina_->setEnabled(n > 0);
    for (int k = 0; k < 6; ++k)
        Testo(gamma_[static_cast<size_t>(k)], modello_.txtGamma[static_cast<size_t>(k)].testo);
    for (int i = 0; i < static_cast<int>(std::size(Preset)); ++i)
        if (Preset[i] == modello_.Preset) preset_->setCurrentIndex(i);
    for (int k = 0; k < 2; ++k)
        Testo(limiti_[static_cast<size_t>(k)], modello_.txtLimiti[static_cast<size_t>(k)].testo);
    chkPeso_->setChecked(modello_.chkPesoProprio);
    Testo(txtPeso_, modello_.txtPesoProprio.testo);
    txtPeso_->setEnabled(modello_.chkPesoProprio);
    unitaPeso_->setText(Q(modello_.lblPesoProprio));
    dallaSezione_->setEnabled(modello_.SezioneDisponibile());
    dallaSezione_->setToolTip(modello_.SezioneDisponibile()
                                  ? Q(modello_.TestoSezione())
                                  : QStringLiteral("Nessuna sezione con area e densità definite"));
    mostrando_ = false;
}

void FrmCombinazioni::OK() {
    if (modello_.OK()) accept();
}

VistaCombinazioni::VistaCombinazioni(QWidget* genitore)
    : QGroupBox(QStringLiteral("Combinazioni"), genitore) {
    setObjectName(QStringLiteral("FrameCombinazioni"));
    auto* v = new QVBoxLayout(this);
    schede_ = new QTabWidget(this);
    const char* titoli[3] = {"Campate (SLU)", "Appoggi (SLU)", "Frecce"};
    for (int i = 0; i < 3; ++i) {
        auto* t = new QTableWidget(this);
        t->setObjectName(QStringLiteral("tblCombinazioni%1").arg(i));
        t->setEditTriggers(QAbstractItemView::NoEditTriggers);
        t->verticalHeader()->hide();
        t->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
        // compact rows: the frame shares the column with the other results
        const int riga = t->fontMetrics().height() + 6;
        t->verticalHeader()->setDefaultSectionSize(riga);
        t->setMinimumHeight(riga * 3 + t->horizontalHeader()->sizeHint().height() + 4);
        tabelle_[static_cast<size_t>(i)] = t;
        schede_->addTab(t, QString::fromUtf8(titoli[i]));
    }
    v->addWidget(schede_);
    hide();
}

void VistaCombinazioni::Aggiorna(const QuadroCombinazioni& q) {
    setVisible(q.Visibile);
    if (!q.Visibile) return;
    const TabellaCombinazioni* t[3] = {&q.Campate, &q.Appoggi, &q.Frecce};
    for (int i = 0; i < 3; ++i) {
        QTableWidget* w = tabelle_[static_cast<size_t>(i)];
        const auto& testi = t[i]->Testi;
        const int righe = testi.empty() ? 0 : static_cast<int>(testi.size()) - 1;
        const int colonne = testi.empty() ? 0 : static_cast<int>(testi[0].size());
        w->setColumnCount(colonne);
        w->setRowCount(righe);
        QStringList intest;
        for (int c = 0; c < colonne; ++c)
            intest << Q(testi[0][static_cast<size_t>(c)]);
        w->setHorizontalHeaderLabels(intest);
        for (int r = 0; r < righe; ++r) {
            const auto& riga = testi[static_cast<size_t>(r + 1)];
            const int esito = t[i]->Esiti[static_cast<size_t>(r + 1)];
            for (int c = 0; c < colonne && c < static_cast<int>(riga.size()); ++c) {
                auto* it = new QTableWidgetItem(Q(riga[static_cast<size_t>(c)]));
                it->setTextAlignment((c == 0 ? Qt::AlignCenter : Qt::AlignRight) |
                                     Qt::AlignVCenter);
                const std::string& g =
                    t[i]->Governi[static_cast<size_t>(r + 1)][static_cast<size_t>(c)];
                if (!g.empty()) it->setToolTip(Q(g));
                if (esito != 0 && c == colonne - 1) {
                    it->setForeground(QBrush(esito > 0 ? QColor(0, 128, 0) : QColor(200, 0, 0)));
                    it->setTextAlignment(Qt::AlignCenter);
                }
                w->setItem(r, c, it);
            }
        }
    }
}

} // namespace zelvo
