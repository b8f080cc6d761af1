#include "decoder/ToolsMenu.h"

#include "decoder/TfrmDecodePacket.h"

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>

namespace decoder {

void addToolsMenu(QMainWindow *window)
{
    QMenuBar *bar = window->menuBar();
    auto *tools = bar->findChild<QMenu *>(QStringLiteral("mnuTools"));
    if (!tools) {
        tools = new QMenu(QStringLiteral("&Tools"), bar);
        tools->setObjectName(QStringLiteral("mnuTools"));
        const auto *option = bar->findChild<QMenu *>(QStringLiteral("mnuOption1"));
        if (option)
            bar->insertMenu(option->menuAction(), tools);
        else
            bar->addMenu(tools);
    }
    auto *decode = new QAction(QStringLiteral("Decode Packet"), window);
    decode->setObjectName(QStringLiteral("mnuDecodePacket"));
    tools->addAction(decode);
    QObject::connect(decode, &QAction::triggered, window, [window] { TfrmDecodePacket::open(window); });
}

} // namespace decoder
