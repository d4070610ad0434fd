#include "tests/download/DownloadRun.h"

#include "sim/Options.h"
#include "sim/SampleImage.h"

#include <fstream>
#include <sstream>

namespace downloadtest {

DownloadRun::DownloadRun() {
    link.plugged = {kPort};
    view.firmwareVersion = kFileVersion;
    UseFirmware(sim::MakeSampleImage(1000, kFileVersion));
}

void DownloadRun::UseFirmware(const Bytes& bytes, const std::string& name) {
    image = bytes;
    const std::filesystem::path path = folder.Path() / name;
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
    view.firmwareField = std::string(" ").append(path.string()).append("\t");
}

bool DownloadRun::Download(const std::string& readerOptions) {
    std::vector<std::string> words = {"--program-folder", "/unused"};
    std::istringstream split(readerOptions);
    for (std::string word; split >> word;) {
        words.push_back(word);
    }
    const std::vector<std::string_view> arguments(words.begin(), words.end());
    const sim::ParsedCommandLine parsed = sim::ParseCommandLine(arguments);
    EXPECT_EQ(parsed.error, "");
    reader = std::make_unique<sim::SimulatedReader>(parsed.options.reader);
    link.Serve(*reader);
    link.responder = [this, serve = link.responder](const Bytes& request) {
        if (onRequest) {
            onRequest(request);
        }
        return serve(request);
    };
    sequence.RunToEnd(request);
    EXPECT_NE(view.end, "") << "the download reached neither end";
    return view.end == "completed";
}

} // namespace downloadtest
