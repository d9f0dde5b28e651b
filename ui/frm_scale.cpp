#include "ui/frm_scale.h"

#include "ui/scorciatoie_qt.h"

#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

namespace zelvo {

FrmScale::FrmScale(ScaleUtente& s, Messaggi& msg, const Separatori& sep, QWidget* genitore,
                   const std::optional<std::array<double, 2>>& inVigore)
    : QDialog(genitore), scale_(s), msg_(msg) {
    setObjectName(QStringLiteral("frmScale"));
    setWindowTitle(QString::fromUtf8(CaptionScale));
    setModal(true);
    auto* griglia = new QGridLayout(this);
    const char* etichette[2] = {EtichettaScalaMomenti, EtichettaScalaTagli};
    for (int i = 0; i < 2; ++i) {
        auto* e = new QLabel(QString::fromUtf8(etichette[i]), this);
        txtScala_[i] = new QLineEdit(this);
        txtScala_[i]->setObjectName(QStringLiteral("txtScala%1").arg(i));
        txtScala_[i]->setAlignment(Qt::AlignRight);
        txtScala_[i]->setMinimumWidth(120);
        txtScala_[i]->installEventFilter(this);
        e->setBuddy(txtScala_[i]);
        griglia->addWidget(e, i, 0);
        griglia->addWidget(txtScala_[i], i, 1);
        connect(txtScala_[i], &QLineEdit::textEdited, this,
                [this, i](const QString& t) { modello_.Scrivi(i, t.toStdString()); });
    }
    txtNascosto_ = new QLineEdit(this);
    txtNascosto_->setObjectName(QStringLiteral("TxtNascosto"));
    txtNascosto_->hide();
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
    griglia->addLayout(pulsanti, 2, 0, 1, 2);
    connect(ok_, &QPushButton::clicked, this, &FrmScale::OK);
    connect(annulla_, &QPushButton::clicked, this, &FrmScale::Annulla);
    modello_.Apri(scale_, sep, inVigore);
    Mostra();
}

void FrmScale::Mostra() {
    for (int i = 0; i < 2; ++i) {
        if (txtScala_[i]->text().toStdString() != modello_.txtScala[size_t(i)])
            txtScala_[i]->setText(QString::fromStdString(modello_.txtScala[size_t(i)]));
        if (modello_.selezionato[size_t(i)]) txtScala_[i]->selectAll();
    }
    if (modello_.fuoco == ModelloScale::Fuoco::Scala0) txtScala_[0]->setFocus();
    if (modello_.fuoco == ModelloScale::Fuoco::Scala1) txtScala_[1]->setFocus();
}

void FrmScale::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    // On activation the first box takes the focus.
    modello_.Entra(0);
    Mostra();
}

bool FrmScale::eventFilter(QObject* o, QEvent* e) {
    const int i = o == txtScala_[0] ? 0 : o == txtScala_[1] ? 1 : -1;
    if (i < 0) return QDialog::eventFilter(o, e);
    if (e->type() == QEvent::FocusIn) {
        modello_.Entra(i);
        // after the focus change has settled, as a click would otherwise
        // place the caret over the selection
        QTimer::singleShot(0, txtScala_[i], &QLineEdit::selectAll);
        return false;
    }
    if (e->type() == QEvent::KeyPress) {
        auto* k = static_cast<QKeyEvent*>(e);
        if (k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter) {
            modello_.Scrivi(i, txtScala_[i]->text().toStdString());
            if (modello_.Invio(i, scale_, msg_))
                accept();
            else
                Mostra();
            return true;
        }
        // The keypad's decimal key types the system's decimal separator.
        if (TastierinoInCampo(o, k, modello_.separatori)) return true;
    }
    return QDialog::eventFilter(o, e);
}

void FrmScale::OK() {
    for (int i = 0; i < 2; ++i)
        modello_.Scrivi(i, txtScala_[i]->text().toStdString());
    if (modello_.OK(scale_, msg_))
        accept();
    else
        Mostra();
}

void FrmScale::Annulla() {
    modello_.Annulla(scale_);
    reject();
}

} // namespace zelvo
