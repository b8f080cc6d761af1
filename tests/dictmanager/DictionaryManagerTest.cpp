#include "dictmanager/DictionaryManager.h"
#include "dictmanager/DictionaryPaths.h"
#include "support/TempProgramDir.h"
#include "dictmanager/QtPrinters.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

using namespace dictmanager;

namespace {
const QByteArray acmeFile = "# kept until the next save\r\nVENDOR Acme 42\r\nATTRIBUTE Acme-A 1 string\r\nVALUE Acme-A On 1\r\n";
const QByteArray zedFile = "VENDOR Zed 7\nATTRIBUTE Zed-A 1 integer\n";

struct Fixture {
    Fixture()
    {
        dir.writeFile("dictionary/userdefine/dictionary.Acme", acmeFile);
        dir.writeFile("dictionary/userdefine/dictionary.Zed", zedFile);
        manager.startUp();
        manager.model().vendorList.sort(); // the scan's order is the directory's
    }
    QByteArray file(const char *vendor) const { return dir.readFile(QString("dictionary/userdefine/dictionary.") + vendor); }

    testsupport::TempProgramDir dir;
    DictionaryManager manager;
};
} // namespace

TEST(DictionaryManager, SwitchSavesTheVendorItLeavesOnceModified)
{
    Fixture f;
    DictionaryModel &model = f.manager.model();
    ASSERT_EQ(model.vendorList, (QStringList{"<None Selected>", "Acme", "Zed"}));

    EXPECT_FALSE(f.manager.chooseVendor(1).loadFailed);
    EXPECT_EQ(model.vendorCode, "42");
    EXPECT_EQ(model.attributeList, QStringList{"Acme-A"});
    f.manager.chooseVendor(2); // unchanged: no save
    EXPECT_EQ(f.file("Acme"), acmeFile);
    EXPECT_EQ(model.vendorCode, "7");

    model.deleteAttributeRow(0);
    EXPECT_TRUE(f.manager.chooseVendor(1).saveError.isEmpty());
    EXPECT_EQ(f.file("Zed"), QByteArray("VENDOR  Zed  7\r\n\r\nBEGIN-VENDOR Zed\r\n\r\n\r\nEND-VENDOR Zed"));
    // Still marked: leaving Acme saves it too, dropping its comment.
    f.manager.chooseVendor(0);
    EXPECT_FALSE(f.file("Acme").contains("# kept"));
    EXPECT_FALSE(model.modified);
    EXPECT_TRUE(model.attributes.isEmpty());
    EXPECT_TRUE(model.vendorCode.isEmpty());
}

TEST(DictionaryManager, ReloadForgetsTheLoadedVendor)
{
    Fixture f;
    DictionaryModel &model = f.manager.model();
    f.manager.chooseVendor(2);
    model.deleteAttributeRow(0);
    f.manager.reloadEditor();
    EXPECT_EQ(model.currentVendorIndex, 0);
    EXPECT_FALSE(model.modified);
    EXPECT_TRUE(model.vendorTable.isEmpty());
    model.vendorList.sort();
    f.manager.chooseVendor(1);
    EXPECT_EQ(f.file("Zed"), zedFile) << "the emptied stores must not overwrite a vendor";
    EXPECT_EQ(f.file("Acme"), acmeFile);
}

TEST(DictionaryManager, FailedSavesKeepModelAndFiles)
{
    Fixture f;
    DictionaryModel &model = f.manager.model();
    f.manager.chooseVendor(1);
    model.deleteAttributeRow(0);
    // The file cannot be replaced while a directory stands in its place.
    QFile::remove(DictionaryPaths::vendorFile("Acme"));
    ASSERT_TRUE(QDir().mkpath(DictionaryPaths::vendorFile("Acme") + "/keep"));
    const DictionaryManager::Choice choice = f.manager.chooseVendor(2);
    EXPECT_TRUE(choice.saveError.contains("dictionary.Acme")) << choice.saveError.toStdString();
    EXPECT_EQ(model.currentVendorIndex, 1);
    EXPECT_TRUE(model.modified);
    EXPECT_EQ(model.vendorTable.size(), 1) << "nothing was loaded";
    EXPECT_FALSE(f.manager.saveShown(1).isEmpty());

    QFile::remove(DictionaryPaths::indexFile());
    ASSERT_TRUE(QDir().mkpath(DictionaryPaths::indexFile() + "/x"));
    EXPECT_FALSE(f.manager.rewriteIndex().isEmpty());
}

TEST(DictionaryManager, UnreadableVendorFileIsNeverOverwritten)
{
    Fixture f;
    // A vendor file that exists and cannot be read: a directory of that name.
    f.manager.model().vendorList << "Locked";
    ASSERT_TRUE(QDir().mkpath(DictionaryPaths::vendorFile("Locked")));
    EXPECT_TRUE(f.manager.chooseVendor(3).loadFailed);
    EXPECT_FALSE(f.manager.saveShown(3).isEmpty());
    // A vendor without any file may be saved: that creates it.
    f.manager.model().vendorList << "Fresh";
    EXPECT_TRUE(f.manager.chooseVendor(4).loadFailed);
    EXPECT_EQ(f.manager.saveShown(4), QString());
    EXPECT_TRUE(f.file("Fresh").startsWith("VENDOR  Fresh  \r\n"));
}

TEST(DictionaryManager, UploadCopiesListsAndIndexes)
{
    Fixture f;
    DictionaryModel &model = f.manager.model();
    const QByteArray upload = "VENDOR New 99\nATTRIBUTE New-A 1 string\n";
    f.dir.writeFile("in/new.txt", upload);
    EXPECT_EQ(f.manager.upload(f.dir.filePath("in/new.txt")), QStringList{"Upload dictionary file success."});
    EXPECT_EQ(f.file("New"), upload);
    EXPECT_EQ(f.dir.readFile("dictionary/userdefine/dictionary"), QByteArray("$INCLUDE dictionary.New\r\n"));
    EXPECT_EQ(model.vendorList.last(), "New");
    EXPECT_EQ(model.uploadVendor, "New");

    EXPECT_EQ(f.manager.upload(f.dir.filePath("in/new.txt")), QStringList{"[Warn] the vendor have existed"});

    // No vendor of its own: the previous upload's file stays as it is.
    f.dir.writeFile("in/none.txt", "ATTRIBUTE Stray 1 string\n");
    EXPECT_EQ(f.manager.upload(f.dir.filePath("in/none.txt")),
              QStringList{"[Error] the file declares no new vendor; nothing was copied."});
    EXPECT_EQ(f.file("New"), upload);

    const QStringList missing = f.manager.upload(f.dir.filePath("in/missing.txt"));
    EXPECT_EQ(missing, QStringList{"Validate dictionary file fail!"});

    EXPECT_EQ(f.manager.rewriteIndex(), QString());
    EXPECT_EQ(f.dir.readFile("dictionary/userdefine/dictionary"),
              QByteArray("$INCLUDE dictionary.Acme\r\n$INCLUDE dictionary.Zed\r\n$INCLUDE dictionary.New\r\n"));
}

TEST(DictionaryManager, ExportEndsEveryLineWithCrLf)
{
    Fixture f;
    f.dir.writeFile("dictionary/userdefine/dictionary.Bare", "VENDOR  Bare  5");
    QString error;
    const auto lines = DictionaryManager::exportLines("Zed", &error);
    ASSERT_TRUE(lines.has_value());
    EXPECT_EQ(DictionaryManager::writeExport(*lines, f.dir.filePath("zed.txt")), QString());
    EXPECT_EQ(f.dir.readFile("zed.txt"), QByteArray("VENDOR Zed 7\r\nATTRIBUTE Zed-A 1 integer\r\n"));
    const auto bare = DictionaryManager::exportLines("Bare", &error);
    ASSERT_TRUE(bare.has_value());
    DictionaryManager::writeExport(*bare, f.dir.filePath("bare.txt"));
    EXPECT_EQ(f.dir.readFile("bare.txt"), QByteArray("VENDOR  Bare  5\r\n"));

    EXPECT_FALSE(DictionaryManager::exportLines("Missing", &error).has_value());
    EXPECT_TRUE(error.contains("dictionary.Missing")) << error.toStdString();
}

TEST(DictionaryManager, DeleteRemovesFileAndEntriesOnce)
{
    Fixture f;
    DictionaryModel &model = f.manager.model();
    f.manager.chooseVendor(2); // Zed loaded at position 2
    EXPECT_EQ(f.manager.deleteVendor(1), DictionaryManager::DeleteResult::Deleted);
    EXPECT_FALSE(QFile::exists(DictionaryPaths::vendorFile("Acme")));
    EXPECT_EQ(model.vendorList, (QStringList{"<None Selected>", "Zed"}));
    EXPECT_EQ(model.currentVendorIndex, 1) << "still pointing at Zed";
    EXPECT_EQ(f.manager.deleteVendor(1), DictionaryManager::DeleteResult::Deleted);
    EXPECT_EQ(model.currentVendorIndex, 0);
    EXPECT_EQ(f.manager.deleteVendor(1), DictionaryManager::DeleteResult::Nothing);
    EXPECT_EQ(f.manager.deleteVendor(0), DictionaryManager::DeleteResult::Nothing);
    EXPECT_TRUE(QFile::exists(DictionaryPaths::indexFile()));

    model.vendorList << "Ghost";
    EXPECT_EQ(f.manager.deleteVendor(1), DictionaryManager::DeleteResult::Failed);
    EXPECT_EQ(model.vendorList.size(), 2);
}
