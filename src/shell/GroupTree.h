#pragma once

#include "shell/CommandGroup.h"

#include <QObject>
#include <QString>

class QTreeWidget;
class QTreeWidgetItem;
class QWidget;

namespace taskstore {
class GroupStore;
}

namespace shell {

// The group tree: "All Tasks" and a node for each stored group, and the group commands
// (add, rename, delete) that change both the store and the nodes.
class GroupTree : public QObject {
    Q_OBJECT
public:
    GroupTree(QTreeWidget &tree, taskstore::GroupStore &groups, CommandGroup rename, CommandGroup remove,
              QWidget &dialogParent);

    // Every stored group under the root, the root current; throws DatabaseError when the
    // groups cannot be read.
    void fill(const QString &rootCaption);
    void setRootCaption(const QString &caption);
    QTreeWidgetItem *rootNode() const;
    // The root and every group node.
    QList<QTreeWidgetItem *> nodes() const;
    static QString keyOf(const QTreeWidgetItem *node);
    // The key of the selected node ("AllTask" for the root or no selection).
    QString selectedKey() const;

    void addClick();
    void renameClick();
    void deleteClick();

Q_SIGNALS:
    // The user chose a node (a click, a move by keyboard, a group just added): the list
    // shows its tasks.
    void groupChosen();

private:
    QTreeWidgetItem *addNode(const QString &name, const QString &key);
    // Makes `node` current without the list following it.
    void selectQuietly(QTreeWidgetItem *node);
    // Rename and Delete for a group node, not for the root.
    void showCommandStates();

    QTreeWidget &m_tree;
    taskstore::GroupStore &m_groups;
    CommandGroup m_rename, m_remove;
    QWidget &m_dialogParent;
    bool m_filling = false;
};

} // namespace shell
