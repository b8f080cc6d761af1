#pragma once

#include <QString>

namespace dictmanager {

// The message shapes the dictionary manager uses, all through the dialog service.
class MessageBoxes {
public:
    static void plain(const QString &text);
    static void information(const QString &text);
    static bool askOkCancelInformation(const QString &text);
};

} // namespace dictmanager
