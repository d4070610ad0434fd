#include "download/BlockTransfer.h"
#include "download/DownloadSequence.h"
#include "reader/ProtocolTimings.h"

#include <cstdio>

namespace {

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

Outcome DownloadSequence::RunTransferPhase() {
    Wait(reader.clock, kBeforeLoad);
    view.SetReaderInfo("");
    reader.AddLogLine("Download Start");

    // The bytes read at the file check (ReadFirmwareImage), never the file again.
    const auto length = static_cast<std::int32_t>(image.size());
    const std::int32_t total = BlockTotal(length);
    view.SetProgressRange(total);

    const AcceptedSender send = [this](unsigned char code, const unsigned char* data,
                                       int dataLength) {
        if (reader.SendAccepted(code, data, dataLength)) {
            return SendVerdict::Accepted;
        }
        return reader.PortLost() ? SendVerdict::PortLost : SendVerdict::Refused;
    };
    ViewProgress progress(view);
    if (!SendImageBlocks(ImageView{image.data(), length}, total, send, progress, reader.clock)) {
        return ReportFailedStep(Outcome::TransferRefused, kDownloadFailedText);
    }
    Wait(reader.clock, kBeforeFinish);
    if (!SendFinishCommand(FinishDataByte(total), send)) {
        return ReportFailedStep(Outcome::TransferRefused, kDownloadFailedText);
    }
    return AwaitReaderRestart();
}
