#pragma once

#include "platform/LanguageFile.h"
#include "taskstore/TaskEapSettings.h"

#include <QGroupBox>

class QCheckBox;
class QComboBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QPushButton;

namespace taskdef {

// The Setting page's box for the enterprise modes: only the fields the chosen mode uses
// are shown (outer anonymous identity, inner method, the server certificate's check, the
// client certificate and key, with file pickers); hidden for every other mode.
class EapSettingsPanel : public QGroupBox {
    Q_OBJECT
public:
    explicit EapSettingsPanel(QWidget *parent = nullptr);

    void showFieldsOf(const QString &mode);
    void setSettings(const taskstore::TaskEapSettings &settings);
    // Everything entered, whether the mode uses it or not (settingsForMode keeps its part).
    taskstore::TaskEapSettings entered() const;
    void applyLanguage(const platform::LanguageFile &file);

private:
    struct Row {
        QList<QWidget *> widgets;
    };
    Row addFileRow(QGridLayout *grid, int row, const char *labelName, const char *labelText, QLineEdit *edit,
                   const char *buttonName);
    static void showRow(const Row &row, bool shown);
    void updateCaFile();

    QLabel *m_hint = nullptr;
    QLineEdit *m_anonymous = nullptr;
    QComboBox *m_inner = nullptr;
    QCheckBox *m_verifyServer = nullptr;
    QLineEdit *m_caFile = nullptr;
    QLineEdit *m_certFile = nullptr;
    QLineEdit *m_keyFile = nullptr;
    QPushButton *m_caPicker = nullptr;
    Row m_anonymousRow;
    Row m_innerRow;
    Row m_caRow;
    Row m_certRow;
    Row m_keyRow;
};

} // namespace taskdef
