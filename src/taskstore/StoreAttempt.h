#pragma once

#include "taskstore/DatabaseError.h"
#include "taskstore/StoreResult.h"

namespace taskstore {

// Runs work and turns a DatabaseError into a failed result carrying its text.
template <typename T, typename Work>
StoreResult<T> attempt(Work work)
{
    try {
        return StoreResult<T>::success(work());
    } catch (const DatabaseError &error) {
        return StoreResult<T>::failure(error.text());
    }
}

} // namespace taskstore
