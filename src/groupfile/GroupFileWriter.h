#pragma once

#include "groupfile/GroupDocument.h"

#include <QByteArray>

namespace groupfile {

// The text of a group file: a header, the group's name, then one block per task in the
// order of their names (equal names by their whole block), each value on a line of its
// own, so that two exports of the same group are the same octets and a change shows as
// the lines it touched.
QByteArray writeGroupFile(const GroupDocument &document);

} // namespace groupfile
