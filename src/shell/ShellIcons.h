#pragma once

#include <QIcon>
#include <QPixmap>

namespace shell {

// The shell's pictures, drawn once: the tree, list and header pictures (positions 0 to 6
// of the one picture list that serves them), the toolbar's pictures and the product
// picture of the splash and About windows.
class ShellIcons {
public:
    enum Picture { Root = 0, RootSelected = 1, Group = 2, GroupSelected = 3, Task = 4, MarkUp = 5, MarkDown = 6 };
    static QIcon picture(Picture which);

    enum Tool {
        GroupAdd,
        GroupRename,
        GroupDelete,
        Run,
        Suspend,
        Stop,
        TaskAdd,
        TaskEdit,
        TaskDelete,
        TaskView,
        Options,
        Help,
        About,
        Homepage,
        SaveAs,
        Clear,
        Find,
        BrowseLog
    };
    static QIcon tool(Tool which);

    static QPixmap productPicture(const QSize &size);

    // The program's icon (the window, the tray, the desktop menu): the sizes rendered
    // from data/icons/pellion.svg into icons/ beside the executable; the drawn task
    // picture where they are missing.
    static QIcon applicationIcon();

private:
    static QIcon drawPicture(Picture which);
};

} // namespace shell
