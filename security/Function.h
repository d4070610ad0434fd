#pragma once

#include "framework/Object.h"

// Holder of the built-in triple-DES key and initial chaining value that unwrap the
// download key halves and the administrator passwords.
class CFunction : public CObject {
public:
    CFunction();
    ~CFunction() override {}

    unsigned char initVector[8];
    unsigned char tripleKey[24];
};
