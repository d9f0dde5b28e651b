#include "ui/frm_infor.h"

#include "form/diagrammi_form.h"
#include "graphics_qt/superficie_qt.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace zelvo {

FrmInfor::FrmInfor(QWidget* genitore) : QDialog(genitore) {
    setObjectName(QStringLiteral("FrmInfor"));
    setWindowTitle(QString::fromUtf8(CaptionInformazioni));
    setFont(QFont(QString::fromStdString(FamigliaFont(FontInformazioni))));
    auto* l = new QVBoxLayout(this);
    l->setContentsMargins(24, 18, 24, 14);
    l->setSpacing(8);
    auto* titolo = new QLabel(QString::fromUtf8(TitoloInformazioni), this);
    titolo->setObjectName(QStringLiteral("lblTitolo"));
    QFont f = titolo->font();
    f.setPointSizeF(f.pointSizeF() * 2);
    f.setBold(true);
    titolo->setFont(f);
    auto* versione = new QLabel(QString::fromUtf8(VersioneOriginale), this);
    versione->setObjectName(QStringLiteral("lblVersione"));
#ifdef ZELVO_VERSIONE
    const std::string v = ZELVO_VERSIONE;
#else
    const std::string v = "0";
#endif
    auto* build = new QLabel(QString::fromStdString(VersioneProgramma(v, qVersion())), this);
    build->setObjectName(QStringLiteral("lblBuild"));
    for (QLabel* x : {titolo, versione, build}) {
        x->setAlignment(Qt::AlignCenter);
        l->addWidget(x);
    }
    ok_ = new QPushButton(QString::fromUtf8(CaptionOKInformazioni), this);
    ok_->setObjectName(QStringLiteral("cbOK"));
    ok_->setDefault(true);
    auto* riga = new QHBoxLayout;
    riga->addStretch();
    riga->addWidget(ok_);
    riga->addStretch();
    l->addSpacing(6);
    l->addLayout(riga);
    connect(ok_, &QPushButton::clicked, this, &QDialog::accept);
}

} // namespace zelvo
