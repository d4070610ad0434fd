#include "app/BrimletDlg.h"
#include "download/BlockTransfer.h"
#include "download/FailedStep.h"
#include "framework/Clock.h"

#include <cstdio>
#include <cstring>

namespace {

constexpr DWORD kBeforeLoadMs = 100;
constexpr DWORD kBeforeFinishMs = 30;
constexpr char kFileErrorText[] = "File Error!! ";

std::string Trimmed(const std::string& text) {
    const char* blanks = " \t\r\n\f\v";
    const std::size_t first = text.find_first_not_of(blanks);
    if (first == std::string::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(blanks) - first + 1);
}

// The bar and the " offset/total" counter of the main window follow the blocks.
class WindowProgress : public ProgressSink {
public:
    explicit WindowProgress(CBrimletDlg& window) : window(window) {}

    void BlockStarting(std::int32_t offset, std::int32_t total) override {
        char counter[32];
        std::snprintf(counter, sizeof counter, " %X/%X", static_cast<unsigned>(offset),
                      static_cast<unsigned>(total));
        window.progressCounter.SetWindowText(counter);
    }
    void BlockAccepted(std::int32_t nextOffset) override { window.progressBar.SetPos(nextOffset); }

private:
    CBrimletDlg& window;
};

} // namespace

int CBrimletDlg::RunTransferPhase() {
    Sleep(kBeforeLoadMs);
    std::memset(reader.txBuffer, 0, sizeof reader.txBuffer);
    std::memset(reader.rxBuffer, 0, sizeof reader.rxBuffer);
    readerInfoLine.SetWindowText("");
    firmwarePath = Trimmed(firmwareFileField.GetWindowText());
    AddLogLine("Download Start");

    const std::int32_t length = LoadFirmwareImage();
    if (length < 0) {
        MessageBox(kFileErrorText, nullptr, MB_OK);
        statusLine.SetWindowText(kDownloadFailedText);
        return 0;
    }
    const std::int32_t total = BlockTotal(length);
    progressBar.SetRange32(0, total);

    const CommandSender send = [this](unsigned char code, const unsigned char* data,
                                      int dataLength) { SendCommand(code, data, dataLength); };
    WindowProgress progress(*this);
    if (!SendImageBlocks(reader, ImageView{imageBuffer.get(), length}, total, send, progress)) {
        ReportFailedStep(*this, kDownloadFailedText);
        return 0;
    }
    Sleep(kBeforeFinishMs);
    if (!SendFinishCommand(reader, send)) {
        ReportFailedStep(*this, kDownloadFailedText);
        return 0;
    }
    return AwaitReaderRestart() ? 1 : 0;
}
