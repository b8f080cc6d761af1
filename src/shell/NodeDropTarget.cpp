#include "shell/NodeDropTarget.h"

#include <QDropEvent>
#include <QMimeData>
#include <QTreeWidget>

namespace shell {

NodeDropTarget::NodeDropTarget(QTreeWidget *tree, const QString &format)
    : QObject(tree), m_tree(tree), m_viewport(tree->viewport()), m_format(format)
{
    tree->viewport()->setAcceptDrops(true);
    tree->viewport()->installEventFilter(this);
}

bool NodeDropTarget::eventFilter(QObject *watched, QEvent *event)
{
    const QEvent::Type type = event->type();
    if ((type != QEvent::DragEnter && type != QEvent::DragMove && type != QEvent::Drop) || watched != m_viewport)
        return QObject::eventFilter(watched, event);
    auto *drop = static_cast<QDropEvent *>(event);
    QTreeWidgetItem *node = drop->mimeData() && drop->mimeData()->hasFormat(m_format)
        ? m_tree->itemAt(drop->position().toPoint())
        : nullptr;
    // A drag is welcome anywhere over the tree, so that it may move on to a node.
    if (type == QEvent::DragEnter && drop->mimeData() && drop->mimeData()->hasFormat(m_format))
        drop->acceptProposedAction();
    else if (node)
        drop->acceptProposedAction();
    else
        drop->ignore();
    if (type == QEvent::Drop && node)
        Q_EMIT droppedOn(node);
    return true;
}

} // namespace shell
