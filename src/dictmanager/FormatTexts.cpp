#include "dictmanager/FormatTexts.h"

namespace dictmanager {

namespace {
const char *const skeleton =
    "VENDOR        <vendor name>      <vendor code>\n"
    "BEGIN-VENDOR  <vendor name>\n"
    "ATTRIBUTE     <attribute name>   <attribute code>   <data type>\n"
    "VALUE         <attribute name>   <value name>       <value code>\n"
    "END-VENDOR    <vendor name>\n";

const char *const commentedSkeleton =
    "#########################################\n"
    "#  Header: the vendor\n"
    "#########################################\n"
    "VENDOR        <vendor name>      <vendor code>\n"
    "BEGIN-VENDOR  <vendor name>\n"
    "\n"
    "#########################################\n"
    "#  Attributes\n"
    "#########################################\n"
    "ATTRIBUTE     <attribute name>   <attribute code>   <data type>\n"
    "\n"
    "#########################################\n"
    "#  Values\n"
    "#########################################\n"
    "VALUE         <attribute name>   <value name>       <value code>\n"
    "\n"
    "END-VENDOR    <vendor name>\n";

const char *const example =
    "VENDOR        Microsoft   311\n"
    "BEGIN-VENDOR  Microsoft\n"
    "ATTRIBUTE     MS-CHAP-Response            1   octets\n"
    "ATTRIBUTE     MS-CHAP-Error               2   string\n"
    "ATTRIBUTE     MS-CHAP-CPW-1               3   octets\n"
    "ATTRIBUTE     MS-CHAP-CPW-2               4   octets\n"
    "ATTRIBUTE     MS-MPPE-Encryption-Policy   7   integer\n"
    "ATTRIBUTE     MS-MPPE-Encryption-Types    8   integer\n"
    "VALUE         MS-MPPE-Encryption-Policy   Encryption-Allowed    1\n"
    "VALUE         MS-MPPE-Encryption-Policy   Encryption-Required   2\n"
    "VALUE         MS-MPPE-Encryption-Types    RC4-40bit-Allowed     1\n"
    "END-VENDOR    Microsoft";
} // namespace

QString FormatTexts::uploadDescription()
{
    return QLatin1String("The Dictionary File Format:\n") + QLatin1String(skeleton) + QLatin1String("\nFor Example:\n")
        + QLatin1String(example);
}

QString FormatTexts::help()
{
    return QLatin1String(
               "Vendor Dictionaries Help\n"
               "\n"
               "Edit a Dictionary\n"
               "  1. Press \"Edit Dict\".\n"
               "  2. Choose a vendor in \"Vendor Name\", or press \"New\" to create one.\n"
               "  3. Right-click the attribute list to add, edit, delete or move attributes.\n"
               "     In the attribute dialog the down arrow on the last value row adds a row,\n"
               "     Ctrl+Delete removes the current one.\n"
               "  4. The vendor is saved when you choose another vendor, open \"Delete  Dict\"\n"
               "     or close the window.\n"
               "\n"
               "Upload a New Dictionary\n"
               "  1. Press \"Upload Dict\".\n"
               "  2. Press \"Browse ....\" and pick the dictionary file.\n"
               "  3. Press \"Upload\". The file is checked first; faulty lines are listed\n"
               "     with their line numbers and nothing is copied.\n"
               "\n"
               "Deleting a Dictionary\n"
               "  1. Press \"Delete  Dict\".\n"
               "  2. Choose the vendor and press \"Delete\", then confirm.\n"
               "\n"
               "Export an Existing Dictionary\n"
               "  1. Press \"Export Dict\".\n"
               "  2. Choose the vendor and press \"Export...\", then pick where to save it.\n"
               "\n"
               "Supported Dictionaries\n"
               "\n")
        + QLatin1String(commentedSkeleton) + QLatin1String("\nFor Example:\n") + QLatin1String(example);
}

} // namespace dictmanager
