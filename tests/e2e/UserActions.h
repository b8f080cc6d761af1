#pragma once

// What a user does with the controls of a window, found by their names: click, type,
// pick from a list, answer a modal window. Every wait is bounded.

#include <QApplication>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <ostream>

class QComboBox;
class QLineEdit;
class QTabWidget;
class QTreeWidget;
class QTreeWidgetItem;

inline void PrintTo(const QString &text, std::ostream *os)
{
    *os << '"' << text.toStdString() << '"';
}

namespace e2e {

// How long one step of the program may take before the test gives up on it.
constexpr int kStepMs = 5000;

template <typename T>
T *control(QObject *window, const char *name)
{
    T *found = window ? window->findChild<T *>(QString::fromLatin1(name)) : nullptr;
    EXPECT_NE(found, nullptr) << "no control " << name;
    return found;
}

// A mouse click on a button, or a trigger of a menu item, with the name. False (and a
// failure) when there is none or it is disabled.
bool click(QObject *window, const char *name);
// Replaces the field's text by typing.
void retype(QLineEdit *field, const QString &text);
// Opens the drop-down and clicks the entry with that text, as a user picks it.
bool pick(QComboBox *box, const QString &text);
// Brings the page with the object name to the front by clicking its tab.
bool showPage(QTabWidget *pages, const char *pageName);
// Clicks the item of a tree or list.
void clickItem(QTreeWidget *tree, QTreeWidgetItem *item);

// The index of the first line holding `part`, or -1.
inline int lineWith(const QStringList &lines, const QString &part)
{
    for (int i = 0; i < lines.size(); ++i) {
        if (lines[i].contains(part))
            return i;
    }
    return -1;
}

// Events run until the condition holds or the time is up.
inline bool waitFor(const std::function<bool()> &condition, int milliseconds = kStepMs)
{
    return QTest::qWaitFor(condition, milliseconds);
}

// Runs `steps` on the modal window of type T that `open` brings up (open blocks in the
// window's exec meanwhile). A window the steps left open is cancelled, so a failed step
// never hangs the test. True when the window came up and the steps ran.
template <typename T>
bool inModal(const std::function<void(T *)> &steps, const std::function<void()> &open)
{
    auto ran = std::make_shared<bool>(false);
    auto timer = new QTimer(qApp);
    timer->setInterval(10);
    auto tries = std::make_shared<int>(0);
    QObject::connect(timer, &QTimer::timeout, timer, [=] {
        QWidget *modal = QApplication::activeModalWidget();
        auto *window = qobject_cast<T *>(modal);
        if (!window && ++*tries * 10 < kStepMs)
            return;
        timer->stop();
        timer->deleteLater();
        if (!window) {
            if (modal) // something else came up: close it so the opener returns
                modal->close();
            return;
        }
        steps(window);
        *ran = true;
        if (window->isVisible()) {
            ADD_FAILURE() << window->objectName().toStdString() << " was left open; cancelled";
            window->reject();
        }
    });
    timer->start();
    QPointer<QTimer> watch(timer);
    open();
    if (watch) { // the window never came up: this timer must not take a later one
        watch->stop();
        watch->deleteLater();
    }
    EXPECT_TRUE(*ran) << "the modal window " << T::staticMetaObject.className() << " did not come up";
    return *ran;
}

} // namespace e2e
