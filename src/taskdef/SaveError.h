#pragma once

#include "platform/TextError.h"

namespace taskdef {

// A save that could not be completed; the previous task is left whole. Carries the text
// to show.
class SaveError : public platform::TextError {
public:
    using TextError::TextError;
};

} // namespace taskdef
