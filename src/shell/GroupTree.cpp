#include "shell/GroupTree.h"

#include "platform/DialogService.h"
#include "platform/Language.h"
#include "shell/ShellIcons.h"
#include "shell/TaskRows.h"
#include "shell/TfrmGroup.h"
#include "taskstore/DatabaseError.h"
#include "taskstore/GroupStore.h"

#include <QApplication>
#include <QTreeWidget>

namespace shell {

namespace {
constexpr int kKeyRole = Qt::UserRole + 1;

QIcon nodeIcon(ShellIcons::Picture normal, ShellIcons::Picture selected)
{
    QIcon icon = ShellIcons::picture(normal);
    const QIcon chosen = ShellIcons::picture(selected);
    for (const QSize &size : chosen.availableSizes())
        icon.addPixmap(chosen.pixmap(size), QIcon::Selected);
    return icon;
}

void showError(const QString &text)
{
    platform::DialogService::instance().showError(text);
}
} // namespace

GroupTree::GroupTree(QTreeWidget &tree, taskstore::GroupStore &groups, CommandGroup rename, CommandGroup remove,
                     QWidget &dialogParent)
    : m_tree(tree), m_groups(groups), m_rename(std::move(rename)), m_remove(std::move(remove)),
      m_dialogParent(dialogParent)
{
    // A click fills the list; so does a move by keyboard (a mouse press waits for its click).
    connect(&m_tree, &QTreeWidget::itemSelectionChanged, this, [this] {
        if (!m_filling)
            showCommandStates();
    });
    connect(&m_tree, &QTreeWidget::itemClicked, this, &GroupTree::groupChosen);
    connect(&m_tree, &QTreeWidget::currentItemChanged, this, [this] {
        if (!m_filling && QApplication::mouseButtons() == Qt::NoButton)
            Q_EMIT groupChosen();
    });
}

QTreeWidgetItem *GroupTree::rootNode() const
{
    return m_tree.topLevelItemCount() > 0 ? m_tree.topLevelItem(0) : nullptr;
}

QList<QTreeWidgetItem *> GroupTree::nodes() const
{
    QTreeWidgetItem *root = rootNode();
    if (!root)
        return {};
    QList<QTreeWidgetItem *> result{root};
    for (int i = 0; i < root->childCount(); ++i)
        result << root->child(i);
    return result;
}

QString GroupTree::keyOf(const QTreeWidgetItem *node)
{
    return node->data(0, kKeyRole).toString();
}

QString GroupTree::selectedKey() const
{
    const QList<QTreeWidgetItem *> selected = m_tree.selectedItems();
    return selected.isEmpty() ? kAllTasksKey : keyOf(selected.first());
}

void GroupTree::setRootCaption(const QString &caption)
{
    if (QTreeWidgetItem *root = rootNode())
        root->setText(0, caption);
}

QTreeWidgetItem *GroupTree::addNode(const QString &name, const QString &key)
{
    auto *node = new QTreeWidgetItem(rootNode(), {name});
    node->setData(0, kKeyRole, key);
    node->setIcon(0, nodeIcon(ShellIcons::Group, ShellIcons::GroupSelected));
    node->setExpanded(true);
    return node;
}

void GroupTree::selectQuietly(QTreeWidgetItem *node)
{
    m_filling = true;
    m_tree.setCurrentItem(node);
    m_filling = false;
    showCommandStates();
}

void GroupTree::fill(const QString &rootCaption)
{
    m_filling = true;
    m_tree.clear();
    auto *root = new QTreeWidgetItem(&m_tree, {rootCaption});
    root->setData(0, kKeyRole, kAllTasksKey);
    root->setIcon(0, nodeIcon(ShellIcons::Root, ShellIcons::RootSelected));
    const taskstore::StoreResult<QList<taskstore::GroupRow>> groups = m_groups.groups();
    if (!groups.ok()) {
        m_filling = false;
        throw taskstore::DatabaseError(groups.error());
    }
    for (const taskstore::GroupRow &group : groups.value())
        addNode(group.name, group.id);
    root->setExpanded(true);
    selectQuietly(root);
}

void GroupTree::showCommandStates()
{
    const bool group = selectedKey() != kAllTasksKey && !m_tree.selectedItems().isEmpty();
    m_rename.setEnabled(group);
    m_remove.setEnabled(group);
}

void GroupTree::addClick()
{
    const taskstore::StoreResult<QString> newKey = m_groups.newGroupId();
    if (!newKey.ok()) {
        showError(newKey.error());
        return;
    }
    const QString &key = newKey.value();
    // The row is stored first, so a failed statement leaves neither row nor node.
    TfrmGroup dialog(
        TfrmGroup::Mode::Add, key, QString(),
        [this, key](const QString &name) {
            const taskstore::StoreStatus added = m_groups.add(key, name);
            if (!added.ok()) {
                showError(added.error());
                return false;
            }
            selectQuietly(addNode(name, key));
            return true;
        },
        &m_dialogParent);
    dialog.exec();
    Q_EMIT groupChosen();
}

void GroupTree::renameClick()
{
    QTreeWidgetItem *node = m_tree.currentItem();
    if (!node || node == rootNode())
        return;
    const QString key = keyOf(node);
    TfrmGroup dialog(
        TfrmGroup::Mode::Rename, key, node->text(0),
        [this, node, key](const QString &name) {
            const taskstore::StoreStatus renamed = m_groups.rename(key, name);
            if (!renamed.ok()) {
                showError(renamed.error());
                return false;
            }
            node->setText(0, name);
            return true;
        },
        &m_dialogParent);
    dialog.exec();
}

void GroupTree::deleteClick()
{
    QTreeWidgetItem *node = m_tree.currentItem();
    if (!node || node == rootNode())
        return;
    if (!platform::DialogService::instance().askOkCancel(platform::Language::text(
            "frmMain", "DeleteGroupAsk", "Do you really want to delete the selected task group?")))
        return;
    const taskstore::StoreStatus removed = m_groups.remove(keyOf(node));
    if (!removed.ok()) {
        showError(removed.error());
        return;
    }
    // The list keeps its rows until the next tree click; the group's tasks stay stored.
    m_filling = true;
    delete node;
    m_filling = false;
    selectQuietly(rootNode());
}

} // namespace shell
