#pragma once

#include "download/DownloadSequence.h"
#include "reader/WireTrace.h"
#include "sim/SimulatedReader.h"
#include "tests/support/RecordingView.h"
#include "tests/support/ScriptedLink.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace downloadtest {

using testsupport::Bytes;
using Lines = std::vector<std::string>;

constexpr int kPort = 5;
constexpr char kFileVersion[] = "160101";

// The log file as the trace writes it: each line, without a time stamp.
struct RecordedLines : LogFile {
    void Write(const std::string& text) override { lines.push_back(text); }
    Lines lines;
};

// A whole download against the simulated reader in this process: no window, no
// pty. Ticks start close to their 32-bit wrap, which the elapsed time must survive.
class DownloadRun : public testing::Test {
protected:
    DownloadRun();

    // The firmware file the view's field names, holding bytes.
    void UseFirmware(const Bytes& bytes, const std::string& name = "image.bin");
    // Runs the download to its end on a reader given reader-sim's options; true on success.
    bool Download(const std::string& readerOptions = "");

    VirtualClock clock{0xFFFFF000};
    testsupport::ScriptedLink link{clock};
    testsupport::RecordingView view;
    // The wire trace is on in every run: it must change nothing the download does.
    RecordedLines trace;
    ReaderSession session{TracedReaderLink(link.Link(), trace), view, clock};
    DownloadSequence sequence{session, view};
    ReaderRequest request{kPort, "RVQ-3000-KR1", {}};
    Bytes image;
    // Called before the reader answers each request.
    std::function<void(const Bytes&)> onRequest;

private:
    testsupport::TempFolder folder;
    std::unique_ptr<sim::SimulatedReader> reader;
};

} // namespace downloadtest
