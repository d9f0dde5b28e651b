// The units window "Model Units" over the form model's `FinestraUnita`.
#include "ui/finestra_unita.h"

#include "form/modello_form.h"
#include "ui/frm_dati.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <algorithm>
#include <exception>

namespace zelvo {

namespace {

const char* const Frame[4] = {"Length", "Modulus/Stress", "Force", "Area - Inertia"};
const char* const NomeGruppo[4] = {"optLeng", "optStress", "optForce", "optArea"};
const char* const DescrizioneGruppo[4] = {
    "Unità delle lunghezze: luce, posizioni, ascisse, frecce, larghezza b",
    "Unità del modulo elastico E e delle pressioni sul terreno",
    "Unità delle forze e delle reazioni (i momenti sono forza per lunghezza)",
    "Unità della sezione: area alla seconda, momento d'inerzia J alla quarta"};

QString Q(const char* t) {
    return QString::fromUtf8(t);
}

// A button with its object name, its name and description for screen
// readers; `predefinito`: the one Enter presses, the others never take Enter.
QPushButton* Pulsante(QWidget* genitore, const char* testo, const char* oggetto, const char* nome,
                      const char* descrizione, bool predefinito = false) {
    auto* b = new QPushButton(Q(testo), genitore);
    b->setObjectName(Q(oggetto));
    b->setAccessibleName(Q(nome));
    b->setAccessibleDescription(Q(descrizione));
    if (predefinito)
        b->setDefault(true);
    else
        b->setAutoDefault(false);
    return b;
}

} // namespace

FrmUnits::FrmUnits(ModelloForm& modello, QWidget* genitore) : QDialog(genitore), f_(modello) {
    setObjectName("frmUnits");
    setWindowTitle("Model Units");
    setAccessibleName("Model Units");
    setAccessibleDescription("Unità di misura del modello");

    auto* griglia = new QGridLayout;
    griglia->setHorizontalSpacing(14);
    griglia->setVerticalSpacing(12);
    griglia->setColumnStretch(0, 1);
    griglia->setColumnStretch(1, 1);
    for (int g = 0; g < 4; ++g) {
        auto* box = new QGroupBox(Q(Frame[g]), this);
        box->setObjectName(QString("fra%1").arg(NomeGruppo[g] + 3));
        box->setAccessibleName(Q(Frame[g]));
        box->setAccessibleDescription(Q(DescrizioneGruppo[g]));
        box->setMinimumWidth(170);
        auto* v = new QVBoxLayout(box);
        v->setContentsMargins(12, 8, 12, 8);
        v->setSpacing(6);
        for (int k = 0; k < 3; ++k) {
            const QString testo = Q(CaptionUnita()[static_cast<size_t>(g)][static_cast<size_t>(k)]);
            auto* o = new QRadioButton(testo, box);
            o->setObjectName(QString("%1_%2").arg(NomeGruppo[g]).arg(k));
            o->setAccessibleName(Q(Frame[g]) + " " + testo);
            o->setAccessibleDescription(Q(DescrizioneGruppo[g]));
            opt_[static_cast<size_t>(g)][static_cast<size_t>(k)] = o;
            connect(o, &QRadioButton::toggled, this, [this, g, k](bool on) {
                if (on && !lettura_) Scelta(g, k);
            });
            if (g < 3) {
                v->addWidget(o);
                continue;
            }
            // Area - Inertia: the exponents 2 and 4 in small type beside the
            // caption (area in unit², inertia in unit⁴).
            auto* riga = new QHBoxLayout;
            riga->setSpacing(4);
            riga->addWidget(o);
            QFont piccolo = font();
            piccolo.setPointSizeF(font().pointSizeF() * 0.7);
            for (const char* e : {"2", "4"}) {
                auto* l = new QLabel(Q(e), box);
                l->setObjectName(QString("lblEsponente%1_%2").arg(e).arg(k));
                l->setFont(piccolo);
                l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
                l->setAccessibleName(QString("esponente %1").arg(e));
                l->setAccessibleDescription(e[0] == '2' ? "area in " + testo + Q("²")
                                                        : "inerzia in " + testo + Q("⁴"));
                riga->addWidget(l, 0, Qt::AlignTop);
            }
            riga->addStretch(1);
            v->addLayout(riga);
        }
        v->addStretch(1);
        frame_[static_cast<size_t>(g)] = box;
        griglia->addWidget(box, g / 2, g % 2);
    }

    chkNoUnits_ = new QCheckBox("No Units", this);
    chkNoUnits_->setObjectName("chkNoUnits");
    chkNoUnits_->setAccessibleName("No Units");
    chkNoUnits_->setAccessibleDescription("Nessuna unità: i valori sono usati come scritti");
    connect(chkNoUnits_, &QCheckBox::toggled, this, [this](bool on) {
        if (!lettura_) Spunta(on);
    });

    cmdSI_ = Pulsante(this, "Sistema SI", "cmdSI", "Sistema SI", "Sistema Internazionale");
    cmdSI_->setToolTip("Sistema Internazionale");
    connect(cmdSI_, &QPushButton::clicked, this, [this] { SI(); });

    cmdOK_ = Pulsante(this, "&OK", "CmdOK", "OK", "Applica le unità scelte", true);
    connect(cmdOK_, &QPushButton::clicked, this, [this] { Conferma(); });

    cmdCancel_ = Pulsante(this, "&Cancel", "cmdCancel", "Cancel", "Chiude senza cambiare le unità");
    connect(cmdCancel_, &QPushButton::clicked, this, [this] { reject(); });

    auto* opzioni = new QHBoxLayout;
    opzioni->addWidget(chkNoUnits_);
    opzioni->addStretch(1);
    opzioni->addWidget(cmdSI_);

    for (QPushButton* b : {cmdSI_, cmdOK_, cmdCancel_})
        b->setMinimumWidth(std::max(b->sizeHint().width(), 96));
    auto* pulsanti = new QHBoxLayout;
    pulsanti->addStretch(1);
    pulsanti->addWidget(cmdOK_);
    pulsanti->addWidget(cmdCancel_);

    auto* tutto = new QVBoxLayout(this);
    tutto->setContentsMargins(16, 16, 16, 16);
    tutto->setSpacing(14);
    tutto->addLayout(griglia);
    tutto->addLayout(opzioni);
    tutto->addLayout(pulsanti);
    tutto->setSizeConstraint(QLayout::SetFixedSize);

    // Keyboard order: the options group by group, then the check box and
    // the buttons.
    QWidget* prec = nullptr;
    for (auto& gruppo : opt_)
        for (QRadioButton* o : gruppo) {
            if (prec) setTabOrder(prec, o);
            prec = o;
        }
    for (QWidget* w : std::initializer_list<QWidget*>{chkNoUnits_, cmdSI_, cmdOK_, cmdCancel_}) {
        setTabOrder(prec, w);
        prec = w;
    }
    Leggi();
}

QRadioButton* FrmUnits::Opzione(int g, int k) const {
    return opt_.at(static_cast<size_t>(g)).at(static_cast<size_t>(k));
}

void FrmUnits::Leggi() {
    const FinestraUnita& s = f_.frmUnits;
    lettura_ = true;
    chkNoUnits_->setChecked(s.noUnits);
    for (int g = 0; g < 4; ++g) {
        const int scelta = s.scelta[static_cast<size_t>(g)];
        for (int k = 0; k < 3; ++k) {
            QRadioButton* o = Opzione(g, k);
            o->setEnabled(s.opzioniAbilitate);
            if (k == scelta) o->setChecked(true);
        }
    }
    lettura_ = false;
}

void FrmUnits::Apri() {
    if (isVisible()) {
        raise();
        activateWindow();
        return;
    }
    Evento([this] { f_.frmUnits_Apri(); });
    Leggi();
    setModal(false);
    show();
    raise();
    activateWindow();
    cmdOK_->setFocus();
}

int FrmUnits::EseguiModale() {
    Leggi();
    cmdOK_->setFocus();
    return exec();
}

void FrmUnits::Evento(const std::function<void()>& azione) {
    // The main window's guard: a refused field is named, any other fault
    // ends in "Errore! Controllare i dati".
    f_.Evento([&] { azione(); });
}

void FrmUnits::Scelta(int g, int k) {
    f_.frmUnits.scelta.at(static_cast<size_t>(g)) = k;
}

void FrmUnits::Spunta(bool spuntato) {
    Evento([this, spuntato] { f_.frmUnits_NoUnits(spuntato); });
    Leggi();
}

void FrmUnits::SI() {
    Evento([this] { f_.frmUnits_SistemaSI(); });
    Leggi();
}

void FrmUnits::Conferma() {
    Evento([this] { f_.frmUnits_OK(); });
    emit UnitaConfermate();
    QDialog::accept();
}

void FrmUnits::reject() {
    Evento([this] { f_.frmUnits_Cancel(); });
    QDialog::reject();
}

void MostraFinestraUnita(FrmDati& finestra, bool modale) {
    if (modale) {
        FrmUnits unita(finestra.Modello(), &finestra);
        QObject::connect(&unita, &FrmUnits::UnitaConfermate, &finestra, &FrmDati::Aggiorna);
        unita.EseguiModale();
        return;
    }
    auto* unita =
        finestra.findChild<FrmUnits*>(QStringLiteral("frmUnits"), Qt::FindDirectChildrenOnly);
    if (!unita) {
        unita = new FrmUnits(finestra.Modello(), &finestra);
        QObject::connect(unita, &FrmUnits::UnitaConfermate, &finestra, &FrmDati::Aggiorna);
    }
    unita->Apri();
}

} // namespace zelvo
