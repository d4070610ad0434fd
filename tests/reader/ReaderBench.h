#pragma once

#include "app/BrimletDlg.h"
#include "framework/Clock.h"
#include "framework/MessageBox.h"
#include "framework/ProgramFolder.h"
#include "readerlink/VexilonDll.h"
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
using Lines = std::vector<std::string>;
using testsupport::FakeReply;

inline const Bytes kInfoRequest = {0xFF, 0x0C};
inline constexpr const char* kSearching = "장비 확인 중...";
inline constexpr const char* kApplicationInfo = "VAN=RIVI_BR0000777_C0100_R0100_BRM-CR1200KR";

inline Bytes BytesOf(const std::string& text) {
    return Bytes(text.begin(), text.end());
}

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
    // A scripted reader on COM<port>, opened and chosen as the dialog's port.
    testsupport::FakeReaderPty& OpenScriptedReader(int port);

    // The request payloads the reader on port received, in order.
    std::vector<Bytes> RequestsAt(int port) const;
    Lines LogLines() const;
    // Whether the program left COM<port> open; closes it.
    static bool TakeOpenPort(int port) { return VQ_ClosePort(port) == VQ_OK; }

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
