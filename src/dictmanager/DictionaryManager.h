#pragma once

#include "dictmanager/DictionaryModel.h"
#include "dictmanager/DictionaryWriter.h"
#include "dictmanager/InstalledVendors.h"

#include <QByteArrayList>
#include <QString>
#include <QStringList>

#include <optional>

namespace dictmanager {

// What the dictionary manager's window does with its model and files, without widgets.
// Every write goes through SafeFile: a failure is returned as text and leaves both the
// files and the model as they were.
class DictionaryManager {
public:
    DictionaryModel &model() { return m_model; }
    const DictionaryModel &model() const { return m_model; }

    // Start-up and "Edit Dict": the vendor list anew from the files. Returns the files that
    // could not be read.
    QStringList startUp();
    QStringList reloadEditor();

    struct Choice {
        QString saveError;       // the switch save failed: nothing else was done
        bool loadFailed = false; // "Couldn't load dictionary file!"
    };
    Choice chooseVendor(int position);

    // The close save of the vendor shown at the position: made only when it is the loaded
    // vendor and the modified mark is set (nothing for the placeholder).
    QString saveShown(int position);
    QString rewriteIndex();

    // The vendor dialog's OK: the refusal or failure text, or nothing when created.
    std::optional<QString> createVendor(const QString &name, const QString &code);

    // Lines for the message pane.
    QStringList upload(const QString &path);

    // The vendor file's lines without their line ends, or nothing with the error text.
    static std::optional<QByteArrayList> exportLines(const QString &vendorName, QString *error);
    static QString writeExport(const QByteArrayList &lines, const QString &target);

    enum class DeleteResult { Nothing, Deleted, Failed };
    DeleteResult deleteVendor(int position);

private:
    QString saveVendor(const QString &name, DictionaryWriter::Variant variant);
    // Read when first needed: they do not change while the program runs.
    const InstalledVendors &installedVendors();

    DictionaryModel m_model;
    // A vendor whose file exists but could not be read: never overwrite it from empty stores.
    QString m_unreadVendor;
    std::optional<InstalledVendors> m_installed;
};

} // namespace dictmanager
