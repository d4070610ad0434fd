#include "tests/download/DownloadRun.h"

#include "sim/SampleImage.h"

#include <fstream>

namespace downloadtest {

DownloadRun::DownloadRun() {
    config.model = kModel;
    link.plugged = {kPort};
    session.autoPortSearch = 0;
    session.fileVersion = kFileVersion;
    view.typedPort = std::to_string(kPort);
    view.typedModel = kModel;
    UseFirmware(sim::MakeSampleImage(1000, kFileVersion));
}

void DownloadRun::UseFirmware(const Bytes& bytes, const std::string& name) {
    image = bytes;
    const std::filesystem::path path = folder.Path() / name;
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
    view.firmwareField = " " + path.string() + "\t";
}

bool DownloadRun::Download() {
    reader = std::make_unique<sim::SimulatedReader>(config);
    link.Serve(*reader);
    auto serve = link.responder;
    link.responder = [this, serve](const Bytes& request) {
        if (onRequest) {
            onRequest(request);
        }
        return serve(request);
    };
    sequence.RunToEnd();
    EXPECT_NE(view.end, "") << "the download reached neither end";
    return view.end == "completed";
}

} // namespace downloadtest
