#include "download/BlockTransfer.h"
#include "download/DownloadSequence.h"

#include <cstdio>

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

// The bar and the " offset/total" counter of the window follow the blocks.
class ViewProgress : public ProgressSink {
public:
    explicit ViewProgress(DownloadView& view) : view(view) {}

    void BlockStarting(std::int32_t offset, std::int32_t total) override {
        char counter[32];
        std::snprintf(counter, sizeof counter, " %X/%X", static_cast<unsigned>(offset),
                      static_cast<unsigned>(total));
        view.SetProgressCounter(counter);
    }
    void BlockAccepted(std::int32_t nextOffset) override { view.SetProgressPosition(nextOffset); }

private:
    DownloadView& view;
};

} // namespace

bool DownloadSequence::RunTransferPhase() {
    reader.clock.SleepFor(kBeforeLoadMs);
    view.SetReaderInfo("");
    firmwarePath = Trimmed(view.FirmwareFilePath());
    reader.AddLogLine("Download Start");

    const std::int32_t length = LoadFirmwareImage();
    if (length < 0) {
        view.ShowWindowMessage(kFileErrorText);
        view.SetStatus(kDownloadFailedText);
        return false;
    }
    const std::int32_t total = BlockTotal(length);
    view.SetProgressRange(total);

    const AcceptedSender send = [this](unsigned char code, const unsigned char* data,
                                       int dataLength) {
        if (reader.SendAccepted(code, data, dataLength)) {
            return SendVerdict::Accepted;
        }
        return reader.portLost ? SendVerdict::PortLost : SendVerdict::Refused;
    };
    ViewProgress progress(view);
    if (!SendImageBlocks(ImageView{imageBuffer.get(), length}, total, send, progress,
                         reader.clock)) {
        ReportFailedStep(kDownloadFailedText);
        return false;
    }
    reader.clock.SleepFor(kBeforeFinishMs);
    if (!SendFinishCommand(FinishDataByte(total), send)) {
        ReportFailedStep(kDownloadFailedText);
        return false;
    }
    return AwaitReaderRestart();
}
