// see Function.h
#include "security/Function.h"

#include <cstring>

namespace {
// Stored as raw ASCII bytes without a terminator.
constexpr char builtInInitVector[] = "kelto584";
constexpr char builtInTripleKey[] = "580319425803194258031942";
} // namespace

CFunction::CFunction() {
    static_assert(sizeof(builtInInitVector) - 1 == sizeof(initVector));
    static_assert(sizeof(builtInTripleKey) - 1 == sizeof(tripleKey));
    std::memcpy(initVector, builtInInitVector, sizeof(initVector));
    std::memcpy(tripleKey, builtInTripleKey, sizeof(tripleKey));
}
