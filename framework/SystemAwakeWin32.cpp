#include "framework/Win32.h"

#include "framework/SystemAwake.h"

// The request belongs to the calling thread and holds until the thread changes it.
ScopedSystemAwake::ScopedSystemAwake() {
    SetThreadExecutionState(ES_CONTINUOUS | ES_SYSTEM_REQUIRED);
}

ScopedSystemAwake::~ScopedSystemAwake() {
    SetThreadExecutionState(ES_CONTINUOUS);
}
