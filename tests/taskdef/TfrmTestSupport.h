#pragma once

// Helpers for driving the task definition windows as a user would.

#include "taskdef/TfrmPackage.h"
#include "taskstore/Connection.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include <sqlite3.h>

#include <functional>
#include <memory>
#include <ostream>

#include <gtest/gtest.h>

// Readable failure output for texts and lists of texts.
inline void PrintTo(const QString &text, std::ostream *os)
{
    *os << '"' << text.toStdString() << '"';
}

namespace formtest {

template <typename T>
T *child(QWidget *window, const char *name)
{
    T *found = window->findChild<T *>(QString::fromLatin1(name));
    EXPECT_NE(found, nullptr) << "no control " << name;
    return found;
}

inline void click(QWidget *window, const char *name)
{
    auto *button = child<QAbstractButton>(window, name);
    ASSERT_TRUE(button);
    ASSERT_TRUE(button->isEnabled()) << name << " is disabled";
    QTest::mouseClick(button, Qt::LeftButton);
}

// Picks an entry with the keyboard, so that the box reports it as the user's choice
// (even when it is the entry already shown).
inline void choose(QComboBox *combo, int index)
{
    combo->setFocus();
    if (combo->currentIndex() == index)
        QTest::keyClick(combo, index > 0 ? Qt::Key_Up : Qt::Key_Down);
    while (combo->currentIndex() < index)
        QTest::keyClick(combo, Qt::Key_Down);
    while (combo->currentIndex() > index)
        QTest::keyClick(combo, Qt::Key_Up);
}

// Makes window the active one, so that focus changes send their focus events.
inline void activate(QWidget *window)
{
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));
}

// Tabs to the next control, as the user leaves a field; fails when the focus stays.
inline void tabAway(QWidget *field)
{
    ASSERT_TRUE(field->hasFocus());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    ASSERT_FALSE(field->hasFocus());
}

// Runs steps on the modal window of type T as soon as it is open (the opener blocks in
// its exec() meanwhile). The steps should end by closing it.
template <typename T>
void whenModalOpens(std::function<void(T *)> steps)
{
    auto *timer = new QTimer(qApp);
    timer->setInterval(5);
    auto tries = std::make_shared<int>(0);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, steps, tries] {
        if (auto *window = qobject_cast<T *>(QApplication::activeModalWidget())) {
            timer->stop();
            timer->deleteLater();
            steps(window);
        } else if (++*tries > 400) {
            timer->stop();
            timer->deleteLater();
            ADD_FAILURE() << "the modal window did not open";
        }
    });
    timer->start();
}

// The task editor's Add, then the packet editor: one row per pair, OK.
inline void addPacketRows(QWidget *taskEditor, const QList<QPair<QString, QString>> &pairs)
{
    whenModalOpens<taskdef::TfrmPackage>([pairs](taskdef::TfrmPackage *packet) {
        for (const auto &[name, value] : pairs) {
            QTest::keyClicks(child<QComboBox>(packet, "cboAttr")->lineEdit(), name);
            QTest::keyClicks(child<QComboBox>(packet, "cboValue")->lineEdit(), value);
            click(packet, "spbtnAdd");
        }
        click(packet, "spbtnOK");
    });
    click(taskEditor, "spbtnAdd");
}

// Fails for each visible label or button narrower than its text needs (a wrapping label:
// lower than its lines need) and each tab
// that does not fit its bar, on every page of every tab widget.
inline void expectNothingCut(QWidget *window, const char *language)
{
    const auto checkShown = [window, language] {
        for (QWidget *w : window->findChildren<QWidget *>()) {
            if (!w->isVisibleTo(window))
                continue;
            auto *label = qobject_cast<QLabel *>(w);
            if (label && label->wordWrap()) {
                EXPECT_GE(w->height(), label->heightForWidth(w->width()))
                    << language << ": " << w->objectName().toStdString();
            } else if ((label && !label->text().isEmpty()) || qobject_cast<QAbstractButton *>(w)) {
                EXPECT_GE(w->width(), w->sizeHint().width()) << language << ": " << w->objectName().toStdString();
            }
            if (auto *bar = qobject_cast<QTabBar *>(w)) {
                for (int i = 0; i < bar->count(); ++i) {
                    EXPECT_LE(bar->tabRect(i).right(), bar->width()) << language << ": tab " << i;
                }
            }
        }
    };
    checkShown();
    for (QTabWidget *tabs : window->findChildren<QTabWidget *>()) {
        const int current = tabs->currentIndex();
        for (int i = 0; i < tabs->count(); ++i) {
            tabs->setCurrentIndex(i);
            checkShown();
        }
        tabs->setCurrentIndex(current);
    }
}

// Makes every insert into table fail, as a full disk or a locked file would.
inline void failInserts(taskstore::Connection &connection, const char *table)
{
    const QByteArray sql = QByteArray("create trigger injected_failure before insert on ") + table
        + " begin select raise(abort, 'injected failure'); end";
    ASSERT_EQ(sqlite3_exec(connection.handle(), sql.constData(), nullptr, nullptr, nullptr), SQLITE_OK);
}

inline void healInserts(taskstore::Connection &connection)
{
    ASSERT_EQ(sqlite3_exec(connection.handle(), "drop trigger injected_failure", nullptr, nullptr, nullptr), SQLITE_OK);
}

} // namespace formtest
