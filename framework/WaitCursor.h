#pragma once

// The hourglass while a handler works (the meaning of CWaitCursor): shown from
// construction until destruction; nested ones keep it until the outermost ends.
// Construct and destroy on the user-interface thread.
class CWaitCursor {
public:
    CWaitCursor();
    ~CWaitCursor();
    CWaitCursor(const CWaitCursor&) = delete;
    CWaitCursor& operator=(const CWaitCursor&) = delete;
};

// True while a CWaitCursor is alive (the meaning of asking GetCursor for the hourglass).
bool IsWaitCursorShown();
