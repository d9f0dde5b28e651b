// The information window FrmInfor ("Informazioni: ZELVO.EXE"): the
// program's title in capitals, the version of the original program, the
// program's own version and build line, "&OK".
#pragma once

#include <QDialog>

class QPushButton;

namespace zelvo {

class FrmInfor : public QDialog {
    Q_OBJECT

  public:
    explicit FrmInfor(QWidget* genitore = nullptr);
    QPushButton* PulsanteOK() { return ok_; }

  private:
    QPushButton* ok_ = nullptr;
};

} // namespace zelvo
