#pragma once

#include "radius/Dictionary.h"
#include "support/TempProgramDir.h"

#include <gtest/gtest.h>

// The shipped main dictionary (the installed FreeRADIUS one plus the user index), loaded
// once for the test process as the program loads it once.
inline void loadShippedDictionary()
{
    const radius::Status loaded =
        radius::Dictionary::load(testsupport::TempProgramDir::sourceDataDir() + QStringLiteral("/dictionary"));
    ASSERT_TRUE(loaded.ok()) << loaded.error().toStdString();
}
