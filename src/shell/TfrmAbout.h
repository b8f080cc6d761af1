#pragma once

#include <QDialog>

namespace shell {

// The About box: product picture, version line, home page and mail links.
class TfrmAbout : public QDialog {
    Q_OBJECT
public:
    explicit TfrmAbout(QWidget *parent = nullptr);
};

} // namespace shell
