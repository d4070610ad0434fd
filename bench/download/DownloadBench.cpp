// Block transfer throughput. Run: build/bench/download_bench
//
// Paced: the simulated reader holds every byte to 115200 baud 8N1 (11520 bytes/s) in
// both directions, so the ideal time is all request and response frame bytes at that
// rate; wire_fraction is ideal / measured (1.0 is the wire limit).
// Adapter: paced as above, with every answer held back by a USB-serial adapter's
// latency timer (16 ms on common adapters, 1 ms with the low-latency flag the
// library sets on open), on a 64 KiB image to keep the run short; ms_per_block is
// what each block costs beyond the wire.
// Host: the transfer loop against an exchange that answers at once, which leaves
// only what the host itself spends on each frame.
#include "download/BlockTransfer.h"
#include "reader/ResponseRule.h"
#include "readerlink/Frame.h"
#include "readerlink/VexilonDll.h"
#include "security/DownloadKey.h"
#include "security/KeyProof.h"
#include "sim/PtyReader.h"

#include <benchmark/benchmark.h>
#include <dlfcn.h>

#include <chrono>
#include <filesystem>
#include <memory>
#include <vector>

namespace {

constexpr int kPort = 233;
constexpr std::int32_t kImageSize = 256 * 1024;
constexpr std::int32_t kAdapterImageSize = 64 * 1024;
constexpr double kWireBytesPerSecond = 115200.0 / 10.0;
// Every exchange: the F1 request frame and the reader's one-byte answer frame.
constexpr int kRequestFrameBytes = kBlockFrameLength + readerlink::kFrameOverhead;
constexpr int kResponseFrameBytes = 1 + readerlink::kFrameOverhead;
constexpr double kFrameWireSeconds =
    (kRequestFrameBytes + kResponseFrameBytes) / kWireBytesPerSecond;

struct NoProgress : ProgressSink {
    void BlockStarting(std::int32_t, std::int32_t) override {}
    void BlockAccepted(std::int32_t) override {}
};

// Refused blocks never happen here; their pauses would go to this clock.
VirtualClock clock;

double SecondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

std::filesystem::path LibraryFolder() {
    Dl_info info{};
    dladdr(reinterpret_cast<void*>(&VQ_Polling), &info);
    return std::filesystem::canonical(info.dli_fname).parent_path();
}

std::vector<unsigned char> Image(std::int32_t size = kImageSize) {
    std::vector<unsigned char> image(static_cast<std::size_t>(size));
    for (std::size_t i = 0; i < image.size(); ++i) {
        image[i] = static_cast<unsigned char>(i * 7 + (i >> 8));
    }
    return image;
}

// A proven boot loader on COM<kPort>, opened by the reader-link library.
class BootLoaderLink {
public:
    BootLoaderLink(bool pace, std::chrono::milliseconds latency) {
        sim::ReaderConfig config;
        config.startIn = sim::Firmware::BootLoader;
        sim::PtyOptions options;
        options.programFolder = LibraryFolder();
        options.port = kPort;
        options.pace = pace;
        options.replyLatency = latency;
        reader = std::make_unique<sim::PtyReader>(config, options);
        if (reader->Open() || VQ_InitPort(kPort, 115200) != kPort) {
            return;
        }
        reader->Start();
        unsigned char key[downloadKeyLength];
        BuildDownloadKey(CFunction(), key);
        unsigned char request[1 + keyProofLength] = {0x8E};
        BuildKeyProof(key, request + 1);
        unsigned char response[VQ_RECEIVE_CAPACITY];
        int length = 0;
        ready = VQ_Polling(kPort, sizeof request, request, &length, response, 5000) == VQ_OK;
    }
    ~BootLoaderLink() {
        VQ_ClosePort(kPort);
        reader->Stop();
    }

    static AcceptedSender Sender() {
        return [](unsigned char code, const unsigned char* data, int dataLength) {
            unsigned char request[kBlockFrameLength];
            request[0] = code;
            std::copy_n(data, dataLength, request + 1);
            unsigned char response[VQ_RECEIVE_CAPACITY] = {0xFF};
            int length = 0;
            VQ_Polling(kPort, dataLength + 1, request, &length, response, 5000);
            return IsAcceptedResponse(response, length) ? SendVerdict::Accepted
                                                        : SendVerdict::Refused;
        };
    }

    bool ready = false;

private:
    std::unique_ptr<sim::PtyReader> reader;
};

void TransferOverTheLink(benchmark::State& state, bool pace, std::chrono::milliseconds latency = {},
                         std::int32_t imageSize = kImageSize) {
    BootLoaderLink link(pace, latency);
    if (!link.ready) {
        state.SkipWithError("the simulated boot loader did not take the key proof");
        return;
    }
    const std::vector<unsigned char> image = Image(imageSize);
    const std::int32_t total = BlockTotal(imageSize);
    const int frames = total / kBlockSize + 1;
    NoProgress progress;
    const AcceptedSender send = BootLoaderLink::Sender();
    const auto start = std::chrono::steady_clock::now();
    for (auto _ : state) {
        if (!SendImageBlocks(ImageView{image.data(), imageSize}, total, send, progress, clock)) {
            state.SkipWithError("a block was refused");
            return;
        }
    }
    const double seconds = SecondsSince(start) / static_cast<double>(state.iterations());
    const double ideal = frames * kFrameWireSeconds;
    state.counters["firmware_bytes_per_s"] = imageSize / seconds;
    state.counters["transfer_s"] = seconds;
    state.counters["ideal_s"] = ideal;
    state.counters["wire_fraction"] = ideal / seconds;
    state.counters["ms_per_block"] = 1000.0 * (seconds - ideal) / frames;
}

void BM_TransferAtWirePace(benchmark::State& state) {
    TransferOverTheLink(state, true);
}
BENCHMARK(BM_TransferAtWirePace)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();

// Argument: the adapter's latency in milliseconds.
void BM_TransferThroughAdapter(benchmark::State& state) {
    TransferOverTheLink(state, true, std::chrono::milliseconds(state.range(0)), kAdapterImageSize);
}
BENCHMARK(BM_TransferThroughAdapter)
    ->Arg(16)
    ->Arg(1)
    ->Iterations(1)
    ->Unit(benchmark::kSecond)
    ->UseRealTime();

void BM_TransferUnpaced(benchmark::State& state) {
    TransferOverTheLink(state, false);
}
BENCHMARK(BM_TransferUnpaced)->Iterations(3)->Unit(benchmark::kMillisecond)->UseRealTime();

// The host's own work per block frame: building it, handing it over, judging the answer.
void BM_HostTimePerFrame(benchmark::State& state) {
    const std::vector<unsigned char> image = Image();
    const std::int32_t total = BlockTotal(kImageSize);
    NoProgress progress;
    const AcceptedSender answerAtOnce = [](unsigned char, const unsigned char* data, int) {
        benchmark::DoNotOptimize(data);
        return SendVerdict::Accepted;
    };
    const int frames = total / kBlockSize + 1;
    const auto start = std::chrono::steady_clock::now();
    for (auto _ : state) {
        benchmark::DoNotOptimize(SendImageBlocks(ImageView{image.data(), kImageSize}, total,
                                                 answerAtOnce, progress, clock));
    }
    const double perFrame = SecondsSince(start) / static_cast<double>(state.iterations()) / frames;
    state.counters["host_ns_per_frame"] = perFrame * 1e9;
    state.counters["percent_of_frame_wire_time"] = 100.0 * perFrame / kFrameWireSeconds;
}
BENCHMARK(BM_HostTimePerFrame)->Unit(benchmark::kMicrosecond);

} // namespace
