#include "ui/frm_verifiche.h"

#include "graphics_qt/superficie_qt.h"
#include "ui/frm_dati.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace zelvo {

namespace {

QString Q(const std::string& s) {
    return QString::fromStdString(s);
}

// The critical mode of the governing buckling length, drawn on the
// program's drawing surface.
class DisegnoFormaCritica : public QWidget {
  public:
    DisegnoFormaCritica(const ModelloVerifiche& m, QWidget* genitore) : QWidget(genitore), m_(m) {
        setMinimumHeight(150);
        setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
        setAccessibleName(QStringLiteral("Forma critica dello svergolamento"));
    }

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        p.fillRect(rect(), Qt::white);
        TelaQt t(&p, width(), height(), logicalDpiX());
        DisegnaFormaSvergolamento(t, m_.Figura);
    }

  private:
    const ModelloVerifiche& m_;
};

} // namespace

FrmVerifiche* FrmVerifiche::Apri(FrmDati& trave) {
    FrmVerifiche* w = trave.findChild<FrmVerifiche*>(QString(), Qt::FindDirectChildrenOnly);
    if (!w) {
        w = new FrmVerifiche(trave);
        w->setAttribute(Qt::WA_DeleteOnClose);
        const QRect t = trave.frameGeometry();
        w->move(t.left() + 40, t.top() + 60);
    }
    w->show();
    w->raise();
    w->activateWindow();
    return w;
}

void FrmVerifiche::TraveCambiata(FrmDati& trave) {
    if (auto* w = trave.findChild<FrmVerifiche*>(QString(), Qt::FindDirectChildrenOnly)) {
        w->modello_->ImpostaSeparatori(trave.Unita().separatori);
        w->modello_->Aggiorna();
        w->Mostra();
    }
}

FrmVerifiche::FrmVerifiche(FrmDati& trave) : QWidget(&trave, Qt::Window), trave_(trave) {
    setObjectName(QStringLiteral("frmVerifiche"));
    setWindowTitle(QStringLiteral("Verifiche"));
    catalogo_.Carica();
    modello_ =
        std::make_unique<ModelloVerifiche>(trave.Modulo(), catalogo_, trave.Unita().separatori);
    modello_->Msg = &trave.Modello().Msg;
    modello_->Attualita = [&trave] { return MotivoRisultatiNonAttuali(trave.Modello()); };
    modello_->Sezione = [&trave] { return SezioneDellaTrave(trave.Modello()); };
    modello_->Aggiorna();

    auto* dati = new QFormLayout;
    profilo_ = new QComboBox(this);
    profilo_->setObjectName(QStringLiteral("cmbProfilo"));
    profilo_->addItem(QString());
    for (const auto& p : modello_->Profili())
        profilo_->addItem(Q(p));
    profilo_->setMaxVisibleItems(20);
    dati->addRow(QStringLiteral("Profilo"), profilo_);
    acciaio_ = new QComboBox(this);
    acciaio_->setObjectName(QStringLiteral("cmbAcciaio"));
    for (const auto& a : modello_->Acciai())
        acciaio_->addItem(Q(a));
    dati->addRow(QStringLiteral("Acciaio"), acciaio_);

    auto* riga = new QHBoxLayout;
    gM0_ = new QLineEdit(this);
    gM1_ = new QLineEdit(this);
    gM0_->setObjectName(QStringLiteral("txtGM0"));
    gM1_->setObjectName(QStringLiteral("txtGM1"));
    auto* ntc = new QPushButton(QStringLiteral("NTC 2018"), this);
    auto* ec = new QPushButton(QStringLiteral("EN 1993-1-1"), this);
    riga->addWidget(new QLabel(QStringLiteral("γM0"), this));
    riga->addWidget(gM0_);
    riga->addWidget(new QLabel(QStringLiteral("γM1"), this));
    riga->addWidget(gM1_);
    riga->addWidget(ntc);
    riga->addWidget(ec);
    dati->addRow(QStringLiteral("Coefficienti"), riga);

    auto* ritegni = new QHBoxLayout;
    ritegno_ = new QComboBox(this);
    ritegno_->setObjectName(QStringLiteral("cmbRitegni"));
    ritegno_->addItems({QStringLiteral("Solo agli appoggi"), QStringLiteral("Anche alle ascisse"),
                        QStringLiteral("Continui")});
    ascisse_ = new QLineEdit(this);
    ascisse_->setObjectName(QStringLiteral("txtRitegni"));
    ascisse_->setPlaceholderText(QStringLiteral("x (m), separate da ;"));
    ritegni->addWidget(ritegno_);
    ritegni->addWidget(ascisse_, 1);
    dati->addRow(QStringLiteral("Ritegni laterali"), ritegni);
    quota_ = new QComboBox(this);
    quota_->setObjectName(QStringLiteral("cmbQuota"));
    quota_->addItems({QStringLiteral("Ala superiore"), QStringLiteral("Baricentro"),
                      QStringLiteral("Ala inferiore")});
    dati->addRow(QStringLiteral("Carichi applicati su"), quota_);

    governo_ = new QLabel(this);
    governo_->setObjectName(QStringLiteral("lblGoverno"));
    QFont f = governo_->font();
    f.setBold(true);
    governo_->setFont(f);
    base_ = new QLabel(this);
    motivo_ = new QLabel(this);
    motivo_->setObjectName(QStringLiteral("lblMotivo"));
    motivo_->setWordWrap(true);
    sezione_ = new QLabel(this);
    sezione_->setObjectName(QStringLiteral("lblSezione"));
    sezione_->setWordWrap(true);
    tabella_ = new QTableWidget(0, 7, this);
    tabella_->setObjectName(QStringLiteral("tblVerifiche"));
    tabella_->setHorizontalHeaderLabels({QStringLiteral("Campata"), QStringLiteral("Classe"),
                                         QStringLiteral("Verifica"), QStringLiteral("Azione"),
                                         QStringLiteral("Resistenza"), QStringLiteral("Utilizzo"),
                                         QStringLiteral("Esito")});
    tabella_->verticalHeader()->hide();
    tabella_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tabella_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    tabella_->horizontalHeader()->setStretchLastSection(true);

    auto* v = new QVBoxLayout(this);
    v->addLayout(dati);
    v->addWidget(governo_);
    v->addWidget(base_);
    v->addWidget(motivo_);
    v->addWidget(sezione_);
    v->addWidget(tabella_, 1);
    figura_ = new DisegnoFormaCritica(*modello_, this);
    figura_->setObjectName(QStringLiteral("figSvergolamento"));
    v->addWidget(figura_);
    resize(820, 640);

    connect(profilo_, &QComboBox::currentTextChanged, this, [this](const QString& t) {
        if (mostrando_) return;
        modello_->ScegliProfilo(t.toStdString());
        Mostra();
    });
    connect(acciaio_, &QComboBox::currentTextChanged, this, [this](const QString& t) {
        if (mostrando_) return;
        modello_->ScegliAcciaio(t.toStdString());
        Mostra();
    });
    connect(gM0_, &QLineEdit::editingFinished, this, [this] { Coefficienti(); });
    connect(gM1_, &QLineEdit::editingFinished, this, [this] { Coefficienti(); });
    connect(ntc, &QPushButton::clicked, this, [this] {
        modello_->PresetNTC2018();
        Mostra();
    });
    connect(ec, &QPushButton::clicked, this, [this] {
        modello_->PresetEurocodice();
        Mostra();
    });
    connect(ritegno_, &QComboBox::currentIndexChanged, this, [this](int i) {
        if (mostrando_ || i < 0) return;
        modello_->ImpostaRitegno(static_cast<DatiVerifica::TipoRitegno>(i));
        Mostra();
    });
    connect(ascisse_, &QLineEdit::editingFinished, this, [this] { Ascisse(); });
    connect(quota_, &QComboBox::currentIndexChanged, this, [this](int i) {
        if (mostrando_ || i < 0) return;
        modello_->ImpostaQuota(static_cast<DatiVerifica::TipoQuota>(i));
        Mostra();
    });
    Mostra();
}

void FrmVerifiche::Coefficienti() {
    // A refusal's message box takes the focus: the field's second
    // editingFinished is not read again.
    if (mostrando_ || leggendo_) return;
    leggendo_ = true;
    try {
        // A refusal shows its message; the fields then show the factors in force.
        modello_->ImpostaCoefficientiDigitati(gM0_->text().toStdString(),
                                              gM1_->text().toStdString());
    } catch (...) {
    }
    leggendo_ = false;
    Mostra();
}

void FrmVerifiche::Ascisse() {
    if (mostrando_ || leggendo_) return;
    leggendo_ = true;
    try {
        modello_->ImpostaAscisseRitegni(ascisse_->text().toStdString());
    } catch (...) {
    }
    leggendo_ = false;
    Mostra();
}

void FrmVerifiche::Mostra() {
    mostrando_ = true;
    const ModelloVerifiche& m = *modello_;
    const DatiVerifica& d = m.Dati();
    const int i = profilo_->findText(Q(d.Profilo));
    profilo_->setCurrentIndex(i < 0 ? 0 : i);
    acciaio_->setCurrentText(Q(d.Acciaio));
    const auto numero = [&](double v) {
        QString t = QString::number(v, 'f', 2);
        return t.replace(QLatin1Char('.'), Q(trave_.Unita().separatori.decimale));
    };
    gM0_->setText(numero(d.gM0));
    gM1_->setText(numero(d.gM1));
    ritegno_->setCurrentIndex(static_cast<int>(d.Ritegno));
    ascisse_->setText(Q(m.TestoAscisseRitegni()));
    ascisse_->setEnabled(d.Ritegno == DatiVerifica::TipoRitegno::Puntuali);
    quota_->setCurrentIndex(static_cast<int>(d.Quota));
    governo_->setText(Q(m.Governo));
    governo_->setVisible(!m.Governo.empty());
    const bool ok = !m.Governo.empty() && m.Risultato.Esito.Verificata;
    governo_->setStyleSheet(ok || m.Governo.empty() ? QString() : QStringLiteral("color: red"));
    base_->setText(Q(m.Base));
    motivo_->setText(Q(m.Motivo));
    motivo_->setVisible(!m.Motivo.empty());
    tabella_->setRowCount(static_cast<int>(m.Righe.size()));
    for (int r = 0; r < static_cast<int>(m.Righe.size()); ++r) {
        const RigaVerifica& x = m.Righe[static_cast<size_t>(r)];
        const QString celle[7] = {Q(x.Campata),    Q(x.Classe),        Q(x.Controllo), Q(x.Azione),
                                  Q(x.Resistenza), Q(x.TestoUtilizzo), Q(x.Esito)};
        for (int c = 0; c < 7; ++c) {
            auto* it = new QTableWidgetItem(celle[c]);
            if (x.Rosso) it->setForeground(Qt::red);
            if (c == 5) it->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            if (c == 1) it->setTextAlignment(Qt::AlignCenter);
            tabella_->setItem(r, c, it);
        }
    }
    QStringList righe;
    for (const auto& r : m.TestiSezione)
        righe << Q(r);
    sezione_->setText(righe.join(QLatin1Char('\n')));
    sezione_->setVisible(!righe.isEmpty());
    sezione_->setStyleSheet(m.SezioneVerificata ? QString() : QStringLiteral("color: red"));
    figura_->setVisible(m.Figura.Presente);
    figura_->update();
    mostrando_ = false;
}

} // namespace zelvo
