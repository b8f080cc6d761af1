#include "dictmanager/DictionaryManager.h"
#include "dictmanager/AttributeEdit.h"
#include "dictmanager/DictionaryPaths.h"
#include "dictmanager/QtPrinters.h"
#include "support/TempProgramDir.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

using namespace dictmanager;

namespace {
const QByteArray acmeFile =
    "# kept until the next save\r\nVENDOR Acme 42\r\nATTRIBUTE Acme-A 1 string\r\nVALUE Acme-A On 1\r\n";
const QByteArray zedFile = "VENDOR Zed 7\nATTRIBUTE Zed-A 1 integer\n";

struct Fixture {
    Fixture()
    {
        dir.writeFile("dictionary/userdefine/dictionary.Acme", acmeFile);
        dir.writeFile("dictionary/userdefine/dictionary.Zed", zedFile);
        manager.startUp();
        manager.model().vendorList.sort(); // the scan's order is the directory's
    }
    QByteArray file(const char *vendor) const
    {
        return dir.readFile(QString("dictionary/userdefine/dictionary.") + vendor);
    }

    testsupport::TempProgramDir dir;
    DictionaryManager manager;
};
} // namespace

TEST(DictionaryManager, SwitchSavesOnlyTheVendorChangedSinceItWasChosen)
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
    EXPECT_EQ(f.file("Zed"), QByteArray("VENDOR Zed 7\r\n\r\nBEGIN-VENDOR Zed\r\n\r\n\r\nEND-VENDOR Zed"));
    // The mark went with Zed: leaving Acme unchanged keeps its file, comment and all.
    EXPECT_FALSE(model.modified);
    f.manager.chooseVendor(2);
    EXPECT_EQ(f.file("Acme"), acmeFile);
    f.manager.chooseVendor(0);
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
    DictionaryModel &model = f.manager.model();
    model.vendorList << "Fresh"
                     << "Locked";
    // A vendor without any file: nothing is written until it is changed; then the save creates it.
    EXPECT_TRUE(f.manager.chooseVendor(3).loadFailed);
    EXPECT_EQ(f.manager.saveShown(3), QString());
    EXPECT_FALSE(QFile::exists(DictionaryPaths::vendorFile("Fresh")));
    model.modified = true;
    EXPECT_EQ(f.manager.saveShown(3), QString());
    EXPECT_TRUE(f.file("Fresh").startsWith("VENDOR  Fresh  \r\n"));
    // A vendor file that exists and cannot be read (a directory of that name): even marked,
    // neither save overwrites it.
    ASSERT_TRUE(QDir().mkpath(DictionaryPaths::vendorFile("Locked")));
    EXPECT_TRUE(f.manager.chooseVendor(4).loadFailed);
    model.modified = true;
    EXPECT_FALSE(f.manager.saveShown(4).isEmpty());
    EXPECT_FALSE(f.manager.chooseVendor(1).saveError.isEmpty());
    EXPECT_TRUE(QFileInfo(DictionaryPaths::vendorFile("Locked")).isDir());
}

// What the loader does not read, a comment above all, is lost when the file is saved; the
// format and the flags are not, and a file shown but unchanged is not written at all.
TEST(DictionaryManager, ResaveKeepsFormatAndFlagsAndUnchangedFilesStayWhole)
{
    Fixture f;
    DictionaryModel &model = f.manager.model();
    const QByteArray wide =
        "# Wide: attribute numbers over 255\r\n"
        "VENDOR Wide 64998 format=2,1\r\n"
        "BEGIN-VENDOR Wide\r\n"
        "ATTRIBUTE Wide-Secret 300 string encrypt=2\r\n"
        "ATTRIBUTE Wide-Tagged 2 integer has_tag # tagged\r\n"
        "ATTRIBUTE Wide-Plain 3 octets\r\n"
        "VALUE Wide-Tagged On 1\r\n"
        "END-VENDOR Wide\r\n";
    ASSERT_TRUE(f.dir.writeFile("dictionary/userdefine/dictionary.Wide", wide));
    model.vendorList << "Wide";

    ASSERT_FALSE(f.manager.chooseVendor(3).loadFailed);
    EXPECT_EQ(f.manager.saveShown(3), QString()); // the close steps
    EXPECT_EQ(f.file("Wide"), wide);
    f.manager.chooseVendor(1);
    f.manager.chooseVendor(3);
    EXPECT_EQ(f.file("Wide"), wide);

    // The lines left as they were go back as written; the file's frame is the writer's.
    model.deleteAttributeRow(2);
    EXPECT_EQ(f.manager.saveShown(3), QString());
    const QByteArray saved =
        "VENDOR Wide 64998 format=2,1\r\n"
        "\r\n"
        "BEGIN-VENDOR Wide\r\n"
        "ATTRIBUTE Wide-Secret 300 string encrypt=2\r\n"
        "ATTRIBUTE Wide-Tagged 2 integer has_tag # tagged\r\n"
        "\r\n"
        "VALUE Wide-Tagged On 1\r\n"
        "\r\n"
        "END-VENDOR Wide";
    EXPECT_EQ(f.file("Wide"), saved);
    EXPECT_FALSE(model.modified) << "saved: a further close has nothing to write";

    // Read back and saved again after a change, the file keeps its shape.
    f.manager.chooseVendor(3);
    model.modified = true;
    EXPECT_EQ(f.manager.saveShown(3), QString());
    EXPECT_EQ(f.file("Wide"), saved);
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

    // A vendor of the installed dictionaries would break the main dictionary's load.
    f.dir.writeFile("in/cisco.txt", "VENDOR Cisco 9\n");
    EXPECT_EQ(f.manager.upload(f.dir.filePath("in/cisco.txt")),
              QStringList{"[Error] in the VENDOR line 1: The vendor name \"Cisco\" is already defined by the installed "
                          "FreeRADIUS dictionaries."});
    EXPECT_FALSE(QFile::exists(DictionaryPaths::vendorFile("Cisco")));

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

TEST(DictionaryManager, IndexIncludesOnlyVendorFilesThatExist)
{
    Fixture f;
    // A file with two vendors, and one whose vendor is not the one its name gives.
    f.dir.writeFile("dictionary/userdefine/dictionary.Pair", "VENDOR First 11\r\nVENDOR Pair 12\r\n");
    f.dir.writeFile("dictionary/userdefine/dictionary.Named", "VENDOR Other 13\r\n");
    f.manager.reloadEditor();
    DictionaryModel &model = f.manager.model();
    model.vendorList.sort();
    model.vendorList << "Acme";
    ASSERT_EQ(model.vendorList, (QStringList{"<None Selected>", "Acme", "First", "Other", "Pair", "Zed", "Acme"}));
    EXPECT_EQ(f.manager.rewriteIndex(), QString());
    EXPECT_EQ(f.dir.readFile("dictionary/userdefine/dictionary"),
              QByteArray("$INCLUDE dictionary.Acme\r\n$INCLUDE dictionary.Pair\r\n$INCLUDE dictionary.Zed\r\n"));
}

TEST(DictionaryManager, UnchangedLinesKeepTheirOctets)
{
    Fixture f;
    // Written by an older tool in Latin-1: "\xe9" is an e with an acute accent.
    const QByteArray latin1 =
        "VENDOR  Cafe  4243\r\n"
        "BEGIN-VENDOR Cafe\r\n"
        "ATTRIBUTE Caf\xe9-Name\t1 string # kept as written\r\n"
        "ATTRIBUTE Cafe-Mode 2 integer\r\n"
        "ATTRIBUTE Caf\xe9-Level 3 integer\r\n"
        "VALUE Cafe-Mode Fr\xe9quent 1\r\n"
        "END-VENDOR Cafe\r\n";
    ASSERT_TRUE(f.dir.writeFile("dictionary/userdefine/dictionary.Cafe", latin1));
    DictionaryModel &model = f.manager.model();
    model.vendorList << "Cafe";
    ASSERT_FALSE(f.manager.chooseVendor(3).loadFailed);
    ASSERT_EQ(model.attributeList,
              (QStringList{QString::fromLatin1("Caf\xe9-Name"), "Cafe-Mode", QString::fromLatin1("Caf\xe9-Level")}));

    // Cafe-Mode's code changes, its value stays; Caf\xe9-Level's code changes too.
    for (int row : {1, 2}) {
        AttributeEdit edit = AttributeEdit::forEdit(model, row);
        edit.code = edit.code + "0";
        ASSERT_FALSE(edit.check(model).has_value());
        edit.apply(model);
    }
    EXPECT_EQ(f.manager.saveShown(3), QString());
    const QByteArray saved = f.file("Cafe");
    for (const QByteArray &line :
         {QByteArray("VENDOR  Cafe  4243\r\n"),
          QByteArray("\r\nATTRIBUTE Caf\xe9-Name\t1 string # kept as written\r\n"),
          QByteArray("\r\nVALUE Cafe-Mode Fr\xe9quent 1\r\n"),
          QByteArray("ATTRIBUTE   Caf\xe9-Level" + QByteArray(22, ' ') + "30      integer         \r\n"),
          QByteArray("ATTRIBUTE   Cafe-Mode                       20      integer         \r\n")})
        EXPECT_TRUE(saved.contains(line)) << line.toStdString() << " in\n" << saved.toStdString();
    EXPECT_FALSE(saved.contains("\xc3")) << "a Latin-1 file stays Latin-1";
}
