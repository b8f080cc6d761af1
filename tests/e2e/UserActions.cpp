#include "UserActions.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTreeWidget>

namespace e2e {

bool click(QObject *window, const char *name)
{
    QObject *found = window->findChild<QObject *>(QString::fromLatin1(name));
    if (auto *button = qobject_cast<QAbstractButton *>(found)) {
        EXPECT_TRUE(button->isEnabled()) << name << " is disabled";
        if (!button->isEnabled())
            return false;
        // A check box or radio button takes clicks on its mark and text only, not on the
        // empty rest of its width.
        const bool marked = qobject_cast<QCheckBox *>(button) || qobject_cast<QRadioButton *>(button);
        const QPoint at =
            marked ? QPoint(std::min(8, button->width() / 2), button->height() / 2) : button->rect().center();
        QTest::mouseClick(button, Qt::LeftButton, {}, at);
        return true;
    }
    if (auto *action = qobject_cast<QAction *>(found)) {
        EXPECT_TRUE(action->isEnabled()) << name << " is disabled";
        if (!action->isEnabled())
            return false;
        action->trigger();
        return true;
    }
    ADD_FAILURE() << "no button or menu item " << name;
    return false;
}

void retype(QLineEdit *field, const QString &text)
{
    if (!field)
        return;
    field->setFocus();
    field->selectAll();
    QTest::keyClick(field, Qt::Key_Delete);
    QTest::keyClicks(field, text);
}

bool pick(QComboBox *box, const QString &text)
{
    if (!box)
        return false;
    const int index = box->findText(text, Qt::MatchExactly);
    EXPECT_GE(index, 0) << "no entry " << text.toStdString() << " in " << box->objectName().toStdString();
    if (index < 0)
        return false;
    box->showPopup();
    QAbstractItemView *view = box->view();
    if (!waitFor([view] { return view->isVisible(); })) {
        ADD_FAILURE() << "the list of " << box->objectName().toStdString() << " did not open";
        return false;
    }
    const QModelIndex entry = view->model()->index(index, box->modelColumn(), view->rootIndex());
    view->scrollTo(entry);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(entry).center());
    const bool closed = waitFor([view] { return !view->isVisible(); });
    EXPECT_TRUE(closed) << "the list of " << box->objectName().toStdString() << " stayed open";
    EXPECT_EQ(box->currentIndex(), index) << text.toStdString();
    return closed && box->currentIndex() == index;
}

bool showPage(QTabWidget *pages, const char *pageName)
{
    if (!pages)
        return false;
    for (int i = 0; i < pages->count(); ++i) {
        if (pages->widget(i)->objectName() == QLatin1String(pageName)) {
            QTabBar *tabs = pages->tabBar();
            QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(i).center());
            EXPECT_EQ(pages->currentIndex(), i) << pageName;
            return pages->currentIndex() == i;
        }
    }
    ADD_FAILURE() << "no page " << pageName;
    return false;
}

void clickItem(QTreeWidget *tree, QTreeWidgetItem *item)
{
    if (!tree || !item)
        return;
    tree->scrollToItem(item);
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualItemRect(item).center());
}

} // namespace e2e
