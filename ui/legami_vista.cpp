#include "ui/legami_vista.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>

namespace zelvo {

void LegamiVista::ImpostaTesto(QLineEdit* e, const std::string& t) {
    const QString q = QString::fromStdString(t);
    if (e->text() != q) e->setText(q);
}

void LegamiVista::Aggiorna() const {
    for (const auto& [w, t] : testi_)
        ImpostaTesto(w, *t);
    for (const auto& [l, t] : etichette_)
        l->setText(QString::fromStdString(*t));
    for (const auto& [w, b] : visibili_)
        w->setVisible(*b);
    for (const auto& [w, b] : abilitati_)
        w->setEnabled(*b);
    for (const auto& [g, t] : titoli_)
        g->setTitle(QString::fromStdString(*t));
}

} // namespace zelvo
