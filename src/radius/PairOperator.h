#pragma once

namespace radius {

// The operators an attribute-value line may carry.
enum class PairOperator {
    Equal,
    Add,
    Subtract,
    Set,
    NotEqual,
    GreaterEqual,
    Greater,
    LessEqual,
    Less,
    RegexMatch,
    RegexNoMatch,
    Exists,
    NotExists,
    Compare
};

} // namespace radius
