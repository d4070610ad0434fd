#include "tests/download/DownloadFixture.h"

#include "app/DownloadBusy.h"
#include "framework/UserInput.h"
#include "readerlink/VexilonDll.h"
#include "resources/ResourceIds.h"
#include "sim/SampleImage.h"

#include <openssl/evp.h>

#include <algorithm>
#include <fstream>
#include <sstream>

namespace downloadtest {

namespace {

// A generous bound for one whole download in real time; virtual waits cost nothing.
constexpr int kDownloadBoundMs = 60000;

Bytes FromHexLine(const std::string& hex) {
    std::istringstream tokens(hex);
    Bytes bytes;
    std::string token;
    while (tokens >> token) {
        bytes.push_back(static_cast<std::uint8_t>(std::stoul(token, nullptr, 16)));
    }
    return bytes;
}

} // namespace

sim::ReaderConfig ApplicationReader() {
    sim::ReaderConfig config;
    config.model = kModel;
    config.restartTime = std::chrono::milliseconds(0);
    return config;
}

sim::ReaderConfig BootLoaderReader() {
    sim::ReaderConfig config = ApplicationReader();
    config.startIn = sim::Firmware::BootLoader;
    return config;
}

void DownloadRun::SetUp() {
    ASSERT_FALSE(programFolder.empty()) << "runs only in a private program folder";
    std::filesystem::remove_all(programFolder / "RIVI_OIL");
    std::filesystem::create_directories(programFolder / "RIVI_OIL");
    ASSERT_TRUE(dialog.Create());
    // Only the simulated reader's port is probed.
    static_cast<CButton*>(dialog.GetDlgItem(IDC_AUTO_SEARCH_CHECK))->SetCheck(BST_UNCHECKED);
    dialog.reader.autoPortSearch = 0;
    dialog.portNumberField.SetWindowText(std::to_string(kPort));
}

void DownloadRun::TearDown() {
    VQ_ClosePort(kPort);
    if (pty) {
        pty->Stop();
    }
    downloadBusy = 0;
    dialog.DestroyWindow();
}

void DownloadRun::StartReader(const sim::ReaderConfig& config) {
    sim::PtyOptions options;
    options.programFolder = programFolder;
    options.port = kPort;
    options.log = [this](const std::string& line) { Record(line); };
    pty = std::make_unique<sim::PtyReader>(config, options);
    const std::optional<std::string> error = pty->Open();
    ASSERT_FALSE(error.has_value()) << *error;
    pty->Start();
}

void DownloadRun::Record(const std::string& line) {
    if (!line.starts_with("RX ")) {
        return;
    }
    const Bytes frame = FromHexLine(line.substr(3));
    // STX, LEN_HI, LEN_LO, payload, ETX, LRC
    if (frame.size() < 5) {
        return;
    }
    const Bytes payload(frame.begin() + 3, frame.end() - 2);
    std::function<void(const Bytes&)> hook;
    {
        std::lock_guard<std::mutex> guard(wireLock);
        requests.push_back(payload);
        hook = requestHook;
    }
    if (hook) {
        hook(payload);
    }
}

void DownloadRun::OnRequest(std::function<void(const Bytes&)> hook) {
    std::lock_guard<std::mutex> guard(wireLock);
    requestHook = std::move(hook);
}

std::filesystem::path DownloadRun::AddFirmwareFile(const Bytes& bytes, const std::string& version,
                                                   const std::string& model) {
    const std::filesystem::path path =
        programFolder / "RIVI_OIL" / ("MakeEncryptFW_RIVI_OIL-" + model + "-" + version + ".bin");
    std::ofstream file(path, std::ios::binary);
    file.write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
    return path;
}

Bytes DownloadRun::SampleImage(std::size_t size, const std::string& version) {
    return sim::MakeSampleImage(size, version);
}

void DownloadRun::Download() {
    dialog.transferButton.Click();
    ASSERT_TRUE(ProcessEventsUntil([] { return downloadBusy.load() == 0; }, kDownloadBoundMs))
        << "the download never reached its result timer";
}

std::vector<Bytes> DownloadRun::Requests() const {
    std::lock_guard<std::mutex> guard(wireLock);
    return requests;
}

std::vector<Bytes> DownloadRun::RequestsStartingWith(const Bytes& prefix) const {
    std::vector<Bytes> found;
    for (const Bytes& request : Requests()) {
        if (request.size() >= prefix.size() &&
            std::equal(prefix.begin(), prefix.end(), request.begin())) {
            found.push_back(request);
        }
    }
    return found;
}

std::vector<std::string> DownloadRun::LogLines() {
    std::vector<std::string> lines;
    for (int i = 0; i < dialog.logList.GetCount(); ++i) {
        lines.push_back(dialog.logList.GetText(i));
    }
    return lines;
}

std::string DownloadRun::NoticeText() {
    return dialog.noticeDialog ? dialog.noticeDialog->noticeText.GetWindowText() : std::string{};
}

std::vector<std::string> DownloadRun::BoxTexts() const {
    std::vector<std::string> texts;
    for (const MessageBoxRequest& box : boxes) {
        texts.push_back(box.text);
    }
    return texts;
}

Bytes Concat(std::initializer_list<Bytes> parts) {
    Bytes joined;
    for (const Bytes& part : parts) {
        joined.insert(joined.end(), part.begin(), part.end());
    }
    return joined;
}

Bytes BuiltInDownloadKey() {
    // The product key the readers hold, as the deployers hand it out.
    return FromHexLine("86 E9 C0 77 09 C7 2B A5 D8 4D 00 EC F9 16 C0 6A");
}

// libcrypto as the independent second opinion: two-key triple DES (K3 = K1) in ECB
// over the fixed proof plaintext.
Bytes BuiltInKeyProof() {
    const Bytes key = BuiltInDownloadKey();
    const Bytes plain = FromHexLine("5B 2E 9C 04 47 A1 3D 86 F0 E7 2B 59 1C 6A 8D 34");
    Bytes proof(plain.size() + 8);
    int written = 0;
    int last = 0;
    EVP_CIPHER_CTX* context = EVP_CIPHER_CTX_new();
    const bool ok =
        context != nullptr &&
        EVP_EncryptInit_ex(context, EVP_des_ede_ecb(), nullptr, key.data(), nullptr) == 1 &&
        EVP_CIPHER_CTX_set_padding(context, 0) == 1 &&
        EVP_EncryptUpdate(context, proof.data(), &written, plain.data(),
                          static_cast<int>(plain.size())) == 1 &&
        EVP_EncryptFinal_ex(context, proof.data() + written, &last) == 1;
    EVP_CIPHER_CTX_free(context);
    if (!ok) {
        ADD_FAILURE() << "libcrypto refused two-key triple DES";
        return {};
    }
    proof.resize(static_cast<std::size_t>(written + last));
    return proof;
}

} // namespace downloadtest
