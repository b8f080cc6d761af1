#pragma once

#include <QObject>
#include <QString>

class QWidget;

namespace platform {

// Lets through only the key presses whose text is one of the accepted characters; every
// other key that types a character, and Backspace, is dropped. Keys that type nothing
// (arrows, Delete, Tab, Esc) pass. An empty set blocks all typing.
class TypingFilter : public QObject {
    Q_OBJECT
public:
    TypingFilter(const QString &accepted, QObject *parent);

    // Installs a filter on the widget and on its line edit, if it has one.
    static void install(QWidget *widget, const QString &accepted);
    static QString digits() { return QStringLiteral("0123456789"); }
    static QString nonZeroDigits() { return QStringLiteral("123456789"); }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QString m_accepted;
};

} // namespace platform
