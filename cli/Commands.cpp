// see Commands.h
#include "cli/Commands.h"

#include "cli/PortList.h"
#include "cli/Words.h"
#include "core/FirmwareLookup.h"
#include "core/FirmwareNaming.h"
#include "download/CurrentException.h"
#include "download/DownloadSequence.h"
#include "framework/LocalTime.h"
#include "framework/SystemAwake.h"
#include "history/DownloadHistory.h"

#include <functional>

namespace {

constexpr char kProgramName[] = "brimlet-cli";

// One reader session over the stoppable link, closed whatever happens.
class CliSession {
public:
    CliSession(const CliInputs& inputs, ReaderLink library, Output& output,
               Interruption& interruption)
        : link(std::move(library), interruption), clock(interruption),
          view(output, inputs, interruption), session(link.link, view, clock) {}
    ~CliSession() {
        if (session.Port() != 0) {
            session.ClosePort();
        }
        link.CloseOpenPorts();
    }
    CliSession(const CliSession&) = delete;
    CliSession& operator=(const CliSession&) = delete;

    // Runs work; an exception ends it as the download's do (a stop is told apart
    // by the result).
    Outcome Run(const std::function<Outcome()>& work) {
        try {
            return work();
        } catch (...) {
            view.RecordFault(DescribeCurrentException());
            return Outcome::Unexpected;
        }
    }

    StoppableLink link;
    StoppableClock clock;
    CliView view;
    ReaderSession session;
};

// The attempt goes into the history before the result is told, so that a script
// that reads the result finds it there; a history that cannot be written is warned of.
void Kept(Output& output, Language language, const DownloadRecord& record) {
    if (!KeepInHistory(record)) {
        output.Show(Shown::Warning, HistoryFilePath() + WordsFor(language).historyNotWritten);
    }
}

RunResult Reported(Output& output, RunResult result) {
    output.Result(result);
    return result;
}

} // namespace

RunResult RunPortsCommand(Output& output) {
    for (const PortEntry& port : ListComPorts()) {
        output.Port(port);
    }
    RunResult result;
    result.outcome = Outcome::Succeeded;
    return Reported(output, result);
}

RunResult RunInfoCommand(const CliInputs& inputs, ReaderLink link, Output& output,
                         Interruption& interruption) {
    CliSession cli(inputs, std::move(link), output, interruption);
    RunResult result =
        cli.view.Result(cli.Run([&] { return cli.session.ShowReaderInfo(inputs.request); }));
    if (result.outcome == Outcome::Succeeded) {
        result.info = cli.view.readerInfo;
    }
    return Reported(output, result);
}

// The window's Version button asks an open port; here the reader is found first.
RunResult RunVersionCommand(const CliInputs& inputs, ReaderLink link, Output& output,
                            Interruption& interruption) {
    CliSession cli(inputs, std::move(link), output, interruption);
    RunResult result = cli.view.Result(cli.Run([&] {
        const Outcome detection = DetectionOutcome(cli.session.DetectReader(inputs.request));
        return detection == Outcome::Succeeded ? cli.session.ShowVersion() : detection;
    }));
    if (result.outcome == Outcome::Succeeded) {
        result.version = cli.session.VersionText();
    }
    return Reported(output, result);
}

RunResult RunDownloadCommand(const CliInputs& inputs, ReaderLink link, Output& output,
                             Interruption& interruption) {
    const std::string start = LocalTimeNow();
    // The file chooser's rule, before the reader is touched.
    const std::optional<std::string>& chosenFile = inputs.request.chosenFile;
    if (chosenFile && !IsRiviFirmwarePath(*chosenFile)) {
        RunResult refused;
        refused.outcome = Outcome::FirmwareFileRefused;
        refused.notice = kNotRiviFileNotice;
        Kept(output, inputs.language,
             RecordOf(kProgramName, start, {}, refused.outcome, refused.notice));
        return Reported(output, refused);
    }
    CliSession cli(inputs, std::move(link), output, interruption);
    DownloadSequence download(cli.session, cli.view);
    {
        const ScopedSystemAwake awake; // the PC does not sleep mid-download
        download.RunToEnd(inputs.request);
    }
    const RunResult result = cli.view.Result(cli.view.downloadOutcome);
    Kept(output, inputs.language,
         RecordOf(kProgramName, start, download.Facts(), result.outcome, result.notice));
    return Reported(output, result);
}
