#pragma once

#include <QString>

#include <optional>

namespace taskdef {

// What choosing a request type does to the other fields of the task editor.
struct RequestTypeEffect {
    int code = 1;
    bool codeEnabled = false;
    bool modeShown = true;
    bool modeToPap = false;
    QString port;
};

// The request type rule, by list position (0 "Auth" to 4 "User Defined").
RequestTypeEffect requestTypeEffect(int position);
// The EAP modes (radeapclient) send one request at a time without a rate.
bool isEapMode(const QString &mode);

enum class EditorPage { Unchanged, Setting, Package, Schedule };

struct TaskEditorFacts {
    QString taskName;
    QString serverIp;
    QString secretKey;
    int requestType = 0; // list position, -1 when none
    QString requestCodeText;
    int packetNodes = 0;
    bool scheduled = false;
    int scheduleRows = 0;
};

struct Refusal {
    QString message;
    EditorPage page = EditorPage::Unchanged;
};

// The first check the editor's input fails, in the order the user is told of them.
std::optional<Refusal> validateTask(const TaskEditorFacts &facts);

// The port text as a decimal integer; nullopt when it is not one.
std::optional<int> portNumber(const QString &text);

} // namespace taskdef
