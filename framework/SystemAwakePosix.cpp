#include "framework/SystemAwake.h"

// A Linux desktop suspends by its own power settings, which a program cannot hold
// off without a session bus; the technician's settings decide.
ScopedSystemAwake::ScopedSystemAwake() = default;

ScopedSystemAwake::~ScopedSystemAwake() = default;
