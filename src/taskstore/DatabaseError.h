#pragma once

#include "platform/TextError.h"

namespace taskstore {

// A statement the database rejected, or a file it could not open; carries its text.
class DatabaseError : public platform::TextError {
public:
    using TextError::TextError;
};

} // namespace taskstore
