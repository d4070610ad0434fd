#pragma once

#include "app/BrimletDlg.h"
#include "framework/Clock.h"
#include "framework/MessageBox.h"
#include "framework/ProgramFolder.h"
#include "sim/PtyReader.h"
#include "tests/reader/PrivateProgramFolder.h"
#include "tests/support/FakeReaderPty.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

using Bytes = std::vector<std::uint8_t>;

Bytes BytesOf(const std::string& text);

// The main window in this run's own program folder, on virtual time, with every
// message box recorded and answered by boxAnswer. COM1 to COM100 are unplugged
// until a reader is plugged into one of them.
class ReaderBench : public testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // The simulated reader on COM<port>; RequestsAt(port) gives what it received.
    void PlugSimulatedReader(int port, sim::ReaderConfig config);
    // A reader answering from a script on COM<port>.
    testsupport::FakeReaderPty& PlugScriptedReader(int port);
    // A scripted reader answering every request with the response code 00 and text.
    void PlugReaderAnswering(int port, const std::string& text);

    // The request payloads the reader on port received, in order.
    std::vector<Bytes> RequestsAt(int port) const;
    std::vector<std::string> LogLines() const;
    // Whether the program left COM<port> open; closes it.
    static bool TakeOpenPort(int port);

    std::filesystem::path folder = PrivateProgramFolder();
    ScopedProgramFolder folderSeam{folder.string()};
    VirtualClock clock;
    ScopedClock clockSeam{clock};

    int boxAnswer = IDOK;
    std::vector<MessageBoxRequest> boxes;
    ScopedMessageBoxResponder responder{[this](const MessageBoxRequest& box) {
        boxes.push_back(box);
        return boxAnswer;
    }};

    CBrimletDlg dialog;

private:
    mutable std::mutex wireLock;
    std::map<int, std::vector<Bytes>> simulatedRequests;
    std::map<int, std::unique_ptr<sim::PtyReader>> simulated;
    std::map<int, std::unique_ptr<testsupport::FakeReaderPty>> scripted;
};

// A RIVI reader in its application firmware, with a model name of our own.
sim::ReaderConfig RiviApplicationReader();
// The same reader sitting in its boot loader.
sim::ReaderConfig RiviBootLoaderReader();
