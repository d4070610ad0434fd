#pragma once

// The process's user interface (one per process): created by CWinApp::Run, or by
// tests that drive dialogs without an application object.
class UiSession {
public:
    UiSession();
    UiSession(int& argc, char** argv); // argc and argv must outlive the session
    ~UiSession();
    UiSession(const UiSession&) = delete;
    UiSession& operator=(const UiSession&) = delete;

    // Runs the event loop until Quit() is called.
    static int RunEventLoop();
    static void Quit(int exitCode = 0);

private:
    bool ownsApplication = false; // a session inside another one leaves it alone
};
