#pragma once

#include <QObject>

class QAction;

namespace shell {

class TfrmMain;

// File → "Export Group..." and "Import Group...": the selected group to a group file, and
// a group file into the database as new tasks, through the dialog service. Made by the
// main window, whose child it is; the actions sit above Exit.
class GroupFileMenu : public QObject {
    Q_OBJECT
public:
    explicit GroupFileMenu(TfrmMain &main);

private:
    void exportClicked();
    void importClicked();

    TfrmMain &m_main;
};

} // namespace shell
