#include "tests/reader/ReaderBench.h"

#include "app/DownloadBusy.h"
#include "readerlink/VexilonDll.h"

#include <cstdlib>
#include <dlfcn.h>
#include <sstream>

namespace {

constexpr int kLastProbedPort = 100;

// The simulated reader logs each request as "RX 02 00 02 FF 0C 03 F1".
Bytes PayloadOfLogLine(const std::string& line) {
    std::istringstream hex(line.substr(3));
    Bytes frame;
    unsigned value = 0;
    while (hex >> std::hex >> value) {
        frame.push_back(static_cast<std::uint8_t>(value));
    }
    // STX, two length bytes ... ETX, LRC
    return frame.size() < 5 ? Bytes{} : Bytes(frame.begin() + 3, frame.end() - 2);
}

// Links COM1 to COM100 that have no reader to a device that is gone, as when a
// reader is unplugged: the library then fails to open them at once instead of
// falling back to the machine's own serial ports. Links of readers are kept.
void UnplugIdlePorts(const std::filesystem::path& programFolder) {
    const std::filesystem::path ports = programFolder / "ports";
    std::filesystem::create_directories(ports);
    for (int port = 1; port <= kLastProbedPort; ++port) {
        const std::filesystem::path link = ports / ("COM" + std::to_string(port));
        std::error_code error;
        if (!std::filesystem::exists(std::filesystem::symlink_status(link, error))) {
            std::filesystem::create_symlink(programFolder / "unplugged" / link.filename(), link);
        }
    }
}

} // namespace

std::filesystem::path PrivateProgramFolder() {
    const char* folder = std::getenv(kProgramFolderVariable);
    return folder == nullptr ? std::filesystem::path{} : std::filesystem::path(folder);
}

std::filesystem::path LoadedVexilonFile() {
    Dl_info info{};
    if (dladdr(reinterpret_cast<void*>(&VQ_Polling), &info) == 0 || info.dli_fname == nullptr) {
        return {};
    }
    std::error_code error;
    const std::filesystem::path file = std::filesystem::canonical(info.dli_fname, error);
    return error ? std::filesystem::path{} : file;
}

sim::ReaderConfig RiviApplicationReader() {
    sim::ReaderConfig config;
    config.serial = "BR0000777";
    config.model = "BRM-CR1200KR";
    return config;
}

sim::ReaderConfig RiviBootLoaderReader() {
    sim::ReaderConfig config = RiviApplicationReader();
    config.startIn = sim::Firmware::BootLoader;
    return config;
}

void ReaderBench::SetUp() {
    ASSERT_FALSE(folder.empty()) << "run through the private program folder main";
    ASSERT_EQ(LoadedVexilonFile().parent_path(), std::filesystem::canonical(folder))
        << "the reader-link library must be the copy in this run's folder";
    UnplugIdlePorts(folder);
    ASSERT_TRUE(dialog.Create());
}

void ReaderBench::TearDown() {
    dialog.DestroyWindow();
    for (int port = 1; port <= kLastProbedPort; ++port) {
        VQ_ClosePort(port);
    }
    simulated.clear();
    scripted.clear();
    downloadBusy = 0;
}

void ReaderBench::PlugSimulatedReader(int port, sim::ReaderConfig config) {
    sim::PtyOptions options;
    options.programFolder = folder;
    options.port = port;
    options.log = [this, port](const std::string& line) {
        if (line.starts_with("RX ")) {
            std::lock_guard lock(wireLock);
            simulatedRequests[port].push_back(PayloadOfLogLine(line));
        }
    };
    auto reader = std::make_unique<sim::PtyReader>(std::move(config), std::move(options));
    const std::optional<std::string> error = reader->Open();
    ASSERT_FALSE(error.has_value()) << *error;
    reader->Start();
    simulated[port] = std::move(reader);
}

testsupport::FakeReaderPty& ReaderBench::PlugScriptedReader(int port) {
    auto reader = std::make_unique<testsupport::FakeReaderPty>(folder, port);
    testsupport::FakeReaderPty& plugged = *reader;
    scripted[port] = std::move(reader);
    return plugged;
}

void ReaderBench::PlugReaderAnswering(int port, const std::string& text) {
    const Bytes payload = BytesOf(std::string(1, '\0') + text);
    PlugScriptedReader(port).SetResponder(
        [payload](std::span<const std::uint8_t>) { return FakeReply::Answer(payload); });
}

testsupport::FakeReaderPty& ReaderBench::OpenScriptedReader(int port) {
    testsupport::FakeReaderPty& reader = PlugScriptedReader(port);
    EXPECT_EQ(VQ_InitPort(port, 115200), port);
    dialog.reader.port = port;
    return reader;
}

std::vector<Bytes> ReaderBench::RequestsAt(int port) const {
    if (auto found = scripted.find(port); found != scripted.end()) {
        return found->second->Requests();
    }
    std::lock_guard lock(wireLock);
    auto found = simulatedRequests.find(port);
    return found == simulatedRequests.end() ? std::vector<Bytes>{} : found->second;
}

Lines ReaderBench::LogLines() const {
    Lines lines;
    for (int i = 0; i < dialog.logList.GetCount(); ++i) {
        lines.push_back(dialog.logList.GetText(i));
    }
    return lines;
}
