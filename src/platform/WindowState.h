#pragma once

#include <QRect>
#include <QString>

class QWidget;

namespace platform {

// Remembers a window's size and position, its splitters' positions and its lists' column
// widths for the current user, in "WindowState.ini" of the settings folder, one group per
// window key. Splitters and header views are found below the window by object name (a
// header without a name of its own by its view's name); unnamed ones are not remembered.
class WindowState {
public:
    explicit WindowState(const QString &windowKey);

    static QString filePath();

    // False when the file could not be written.
    bool save(const QWidget &window) const;
    // Puts back what was saved, the window kept on a screen of today; false (and the window
    // left as it is) when nothing was saved under the key.
    bool restore(QWidget &window) const;

    // The rectangle moved, and shrunk where it is larger, into the available area.
    static QRect fittedInto(const QRect &frame, const QRect &available);
    // The available area of the screen that shows most of the rectangle, else of the primary one.
    static QRect availableAreaFor(const QRect &frame);

private:
    QString m_key;
};

} // namespace platform
