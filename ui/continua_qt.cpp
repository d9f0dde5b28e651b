#include "ui/continua_qt.h"

#include "form/testi_finestra.h"
#include "ui/griglia_qt.h"

#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>
#include <functional>

namespace zelvo {

namespace {

QString Q(const std::string& s) {
    return QString::fromStdString(s);
}

EventiGriglia EventiContinua(ContinuaForm& c, int t) {
    EventiGriglia e;
    e.Tasto = std::bind_front(&ContinuaForm::Griglia_Tasto, &c, t);
    e.Seleziona = std::bind_front(&ContinuaForm::Griglia_Seleziona, &c, t);
    e.Scorre = std::bind_front(&ContinuaForm::Griglia_Scorre, &c, t);
    e.TastoEditor = std::bind_front(&ContinuaForm::Editor_Tasto, &c, t);
    e.Edita = std::bind_front(&ContinuaForm::Editor_Edita, &c, t);
    e.PerdeFuoco = std::bind_front(&ContinuaForm::Editor_PerdeFuoco, &c, t);
    e.Muovi = std::bind_front(&ContinuaForm::Griglia_Muovi, &c, t);
    e.Tab = std::bind_front(&ContinuaForm::Griglia_Tab, &c, t);
    e.Estendi = std::bind_front(&ContinuaForm::Griglia_Estendi, &c, t);
    e.Copia = std::bind_front(&ContinuaForm::Griglia_Copia, &c, t);
    e.Incolla = std::bind_front(&ContinuaForm::Griglia_Incolla, &c, t);
    e.Svuota = std::bind_front(&ContinuaForm::Griglia_Svuota, &c, t);
    return e;
}

} // namespace

VistaContinua::VistaContinua(ModelloForm& m, QLineEdit* campate, QWidget* genitore, QObject* filtro)
    : m_(m) {
    ContinuaForm& c = m.Travata;
    Dati = new QGroupBox(Q(Caption("fraContinua", -1)), genitore);
    Dati->setObjectName(QStringLiteral("fraContinua"));
    auto* v = new QVBoxLayout(Dati);
    auto* riga = new QHBoxLayout;
    txtCampate = campate;
    txtCampate->setParent(Dati);
    txtCampate->setMaximumWidth(70);
    QObject::connect(txtCampate, &QLineEdit::returnPressed, Dati, [&c] { c.txtCampate_Invio(); });
    auto* l = new QLabel(Q(Caption("txtCampate", -1)), Dati);
    l->setBuddy(txtCampate);
    riga->addWidget(l);
    riga->addWidget(txtCampate);
    riga->addStretch(1);
    v->addLayout(riga);
    for (int t = 0; t < 2; ++t) {
        const QString nome = Q(Caption("GrigliaContinua", t)).trimmed();
        auto* riquadro = new QWidget(Dati);
        riquadro->setObjectName(QStringLiteral("riquadroContinua%1").arg(t));
        auto* g = new QGridLayout(riquadro);
        g->setContentsMargins(0, 0, 0, 0);
        auto* titolo = new QLabel(nome, riquadro);
        auto* zoom = new QPushButton(QStringLiteral("Zoom"), riquadro);
        zoom->setObjectName(QStringLiteral("ZoomContinua%1").arg(t));
        zoom->setAccessibleName(QStringLiteral("Zoom ") + nome);
        QObject::connect(zoom, &QPushButton::clicked, Dati, [&c, t] { c.Zoom_Click(t); });
        auto* griglia =
            new GrigliaQt(c.Griglia[static_cast<size_t>(t)], EventiContinua(c, t), t, riquadro);
        griglia->setObjectName(QStringLiteral("GrigliaContinua%1").arg(t));
        griglia->Editor()->setObjectName(QStringLiteral("EditContinua%1").arg(t));
        griglia->setAccessibleName(nome);
        griglia->setMinimumHeight(griglia->fontMetrics().height() * 5);
        griglia->installEventFilter(filtro);
        griglia->Editor()->installEventFilter(filtro);
        g->addWidget(titolo, 0, 0);
        g->addWidget(zoom, 0, 2);
        g->setColumnStretch(1, 1);
        g->addWidget(griglia, 1, 0, 1, 3);
        Griglie[static_cast<size_t>(t)] = griglia;
        riquadri_[static_cast<size_t>(t)] = riquadro;
        v->addWidget(riquadro, 1);
    }

    Risultati = new QGroupBox(Q(Caption("FrameRis", -1)), genitore);
    Risultati->setObjectName(QStringLiteral("RisContinua"));
    auto* vr = new QVBoxLayout(Risultati);
    const GrigliaTesto* ris[2] = {&c.RisAppoggi, &c.RisCampate};
    for (int t = 0; t < 2; ++t) {
        titoliRis_[static_cast<size_t>(t)] = new QLabel(Q(Caption("RisContinua", t)), Risultati);
        vr->addWidget(titoliRis_[static_cast<size_t>(t)]);
        auto* tabella = new QTableView(Risultati);
        tabella->setObjectName(QStringLiteral("TabellaContinua%1").arg(t));
        tabella->setAccessibleName(Q(Caption("RisContinua", t)));
        auto* modello = new ModelloGrigliaQt(*ris[t], tabella);
        tabella->setModel(modello);
        tabella->horizontalHeader()->hide();
        tabella->verticalHeader()->hide();
        tabella->verticalHeader()->setDefaultSectionSize(tabella->fontMetrics().height() + 6);
        tabella->setEditTriggers(QAbstractItemView::NoEditTriggers);
        tabella->setSelectionMode(QAbstractItemView::ContiguousSelection);
        tabella->setTabKeyNavigation(false);
        tabella->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
        Tabelle[static_cast<size_t>(t)] = tabella;
        modelliRis_[static_cast<size_t>(t)] = modello;
        vr->addWidget(tabella);
    }
    vr->addStretch(1);
}

void VistaContinua::Aggiorna() {
    const ContinuaForm& c = m_.Travata;
    const bool visibile = c.Visibile();
    Dati->setVisible(visibile);
    Risultati->setVisible(visibile && m_.FrameRis);
    for (int t = 0; t < 2; ++t) {
        const GrigliaTesto& g = c.Griglia[static_cast<size_t>(t)];
        // Up to six spans (seven supports) shown whole.
        GrigliaQt* gq = Griglie[static_cast<size_t>(t)];
        const int righeViste = std::min(g.Righe(), 8);
        gq->setMinimumHeight(std::max(righeViste, 3) * gq->verticalHeader()->defaultSectionSize() +
                             2 * gq->frameWidth() + 2);
        Griglie[static_cast<size_t>(t)]->setVisible(g.visibile);
        Griglie[static_cast<size_t>(t)]->Aggiorna();
        // "Zoom": the table takes the room of the other one.
        const bool altro = c.Griglia[static_cast<size_t>(1 - t)].zoom;
        riquadri_[static_cast<size_t>(t)]->setVisible(!altro || g.zoom);
        modelliRis_[static_cast<size_t>(t)]->Aggiorna();
        QTableView* tab = Tabelle[static_cast<size_t>(t)];
        // The whole table without its own scroll bar while it fits.
        const int righe = modelliRis_[static_cast<size_t>(t)]->rowCount();
        const int altezza = righe * tab->verticalHeader()->defaultSectionSize() +
                            2 * tab->frameWidth() + tab->horizontalScrollBar()->sizeHint().height();
        tab->setMinimumHeight(std::min(altezza, 8 * tab->verticalHeader()->defaultSectionSize()));
        tab->setMaximumHeight(altezza);
    }
}

Fuoco VistaContinua::FuocoDi(const QWidget* w) const {
    for (int t = 0; t < 2; ++t)
        if (w == Griglie[static_cast<size_t>(t)] || w == Griglie[static_cast<size_t>(t)]->Editor())
            return {TipoControllo::GrigliaContinua, t};
    return {};
}

void VistaContinua::ChiudiEditori() {
    for (int t = 0; t < 2; ++t)
        if (Griglie[static_cast<size_t>(t)]->Editor()->isVisible()) m_.Travata.Editor_PerdeFuoco(t);
}

} // namespace zelvo
