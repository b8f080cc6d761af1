#pragma once

#include <QObject>
#include <QString>

class QTreeWidget;
class QTreeWidgetItem;

namespace shell {

// Lets rows dragged out of a list of the window be dropped on the nodes of a tree: a drag
// carrying `format` is accepted over a node, and a drop reports the node.
class NodeDropTarget : public QObject {
    Q_OBJECT
public:
    NodeDropTarget(QTreeWidget *tree, const QString &format);

Q_SIGNALS:
    void droppedOn(QTreeWidgetItem *node);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QTreeWidget *m_tree;
    QObject *m_viewport; // compared only: the tree may be part-destroyed when it sends events
    QString m_format;
};

} // namespace shell
