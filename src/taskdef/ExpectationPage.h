#pragma once

#include "platform/LanguageFile.h"
#include "taskdef/PacketTable.h"
#include "taskdef/TaskExpectations.h"

#include <QWidget>

#include <optional>

class QComboBox;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QTreeWidget;

namespace radius {
class DictionaryCatalog;
}

namespace taskdef {

// The task editor's page "Expectations": for the packet chosen from the task's packets,
// the reply code expected, checks on the reply's attributes and a response-time limit.
// Every change is kept at once under the packet shown.
class ExpectationPage : public QWidget {
    Q_OBJECT
public:
    // dictionary: the attributes offered for the checks; may be null.
    explicit ExpectationPage(const radius::DictionaryCatalog *dictionary, QWidget *parent = nullptr);

    // The task's packets, in tree order; those of packets no longer there go.
    void setPackets(const QStringList &packets);
    // Stored expectations, packet n under "Packet<n>"; after setPackets.
    void load(const QList<taskstore::PacketExpectation> &stored);
    const TaskExpectations &expectations() const { return m_expectations; }

    // The first problem of the packets' expectations, in packet order; none when they can
    // be saved.
    struct Problem {
        QString packet;
        QString message;
    };
    std::optional<Problem> firstProblem() const;
    // Shows the packet's expectations, when the task has that packet.
    void choosePacket(const QString &packet);

    void applyLanguage(const platform::LanguageFile &file);

private:
    void buildControls();
    void fillAttributes();
    void showPacket();
    void keepShown();
    void updateControls();
    void btnAddCheckClick();
    void btnRemoveCheckClick();
    void appendCheckRow(const taskstore::AttributeCheck &check);
    QString checkKindText(taskstore::CheckOperator op) const;

    QStringList m_allAttributes;
    TaskExpectations m_expectations;
    QString m_shownPacket;
    bool m_showing = false; // filling the controls is not a change
    platform::LanguageFile m_language;

    QComboBox *m_packet = nullptr;
    QComboBox *m_reply = nullptr;
    QSpinBox *m_timeLimit = nullptr;
    QLineEdit *m_attributeFilter = nullptr;
    QComboBox *m_attribute = nullptr;
    QComboBox *m_kind = nullptr;
    QLineEdit *m_value = nullptr;
    QPushButton *m_addCheck = nullptr;
    QPushButton *m_removeCheck = nullptr;
    QTreeWidget *m_checks = nullptr;
};

} // namespace taskdef
