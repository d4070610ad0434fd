#pragma once

#include "app/BrimletDlg.h"
#include "framework/Clock.h"
#include "framework/MessageBox.h"
#include "framework/ProgramFolder.h"
#include "sim/PtyReader.h"
#include "sim/ReaderConfig.h"
#include "tests/reader/PrivateProgramFolder.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace downloadtest {

using Bytes = std::vector<std::uint8_t>;

// The COM number of the simulated reader, linked in this run's own program folder.
constexpr int kPort = 231;
constexpr char kModel[] = "RVQ-3000-KR1";
constexpr char kFileVersion[] = "160101";
// Virtual ticks at the start: close to the 32-bit wrap, which the elapsed time
// must survive.
constexpr DWORD kStartTicks = 0xFFFFF000;

// A reader that restarts at once: the host's own waits run on virtual time.
sim::ReaderConfig ApplicationReader();
sim::ReaderConfig BootLoaderReader();

// The main window on the offscreen platform, a simulated reader on a pseudo-terminal
// linked as COM<kPort> of this run's private program folder, an empty RIVI_OIL/ there,
// the virtual clock and every message box answered with OK and recorded.
class DownloadRun : public testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Serves the reader; call before Download().
    void StartReader(const sim::ReaderConfig& config);
    // RIVI_OIL/MakeEncryptFW_RIVI_OIL-<model>-<version>.bin with the given bytes.
    std::filesystem::path AddFirmwareFile(const Bytes& bytes,
                                          const std::string& version = kFileVersion,
                                          const std::string& model = kModel);
    // A sample image of size bytes that reports version after the flash.
    Bytes SampleImage(std::size_t size, const std::string& version = kFileVersion);

    // Presses the transfer button and waits until the result timer has been handled.
    void Download();

    // Every request payload the reader received, in order.
    std::vector<Bytes> Requests() const;
    std::vector<Bytes> RequestsStartingWith(const Bytes& prefix) const;
    std::vector<std::string> LogLines();
    std::string NoticeText();
    std::string Status() { return dialog.statusLine.GetWindowText(); }
    std::vector<std::string> BoxTexts() const;

    // Called on the reader's thread for every request, before it is answered.
    void OnRequest(std::function<void(const Bytes&)> hook);

    VirtualClock clock{kStartTicks};
    std::vector<MessageBoxRequest> boxes;
    const std::filesystem::path programFolder = PrivateProgramFolder();
    CBrimletDlg dialog;

private:
    void Record(const std::string& line);

    ScopedClock scopedClock{clock};
    ScopedProgramFolder folderOverride{programFolder.string()};
    ScopedMessageBoxResponder responder{[this](const MessageBoxRequest& request) {
        boxes.push_back(request);
        return IDOK;
    }};
    std::unique_ptr<sim::PtyReader> pty;
    mutable std::mutex wireLock;
    std::vector<Bytes> requests;
    std::function<void(const Bytes&)> requestHook;
};

Bytes Concat(std::initializer_list<Bytes> parts);
// The download key and the key proof as the host must send them.
Bytes BuiltInDownloadKey();
Bytes BuiltInKeyProof();

} // namespace downloadtest
