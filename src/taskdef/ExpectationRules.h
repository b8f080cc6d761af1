#pragma once

#include "taskstore/Expectation.h"

#include <QString>

#include <optional>

namespace taskdef {

// Why a packet's expectations cannot be saved, naming the packet and, for a check, its
// attribute: a check without attribute or without the value its kind compares with, a
// regular expression that does not compile, a value its attribute's type cannot take.
std::optional<QString> expectationProblem(const QString &packet, const taskstore::PacketExpectation &expectation);

} // namespace taskdef
