// see Commands.h
#include "cli/Commands.h"

#include "cli/PortList.h"
#include "core/FirmwareLookup.h"
#include "core/FirmwareNaming.h"
#include "download/DownloadSequence.h"
#include "framework/SystemAwake.h"

#include <functional>

namespace {

// One reader session over the stoppable link, closed whatever happens.
class CliSession {
public:
    CliSession(const CliInputs& inputs, ReaderLink library, Output& output,
               Interruption& interruption)
        : link(std::move(library), interruption), clock(interruption),
          view(output, inputs, interruption), session(link.link, view, clock) {
        session.autoPortSearch = inputs.port ? 0 : 1;
        view.Attach(session);
    }
    ~CliSession() {
        if (session.port != 0) {
            session.ClosePort();
        }
        link.CloseOpenPorts();
    }
    CliSession(const CliSession&) = delete;
    CliSession& operator=(const CliSession&) = delete;

    // Runs work; a run stopped by Ctrl-C counts as not succeeded.
    bool Run(const std::function<bool()>& work) {
        try {
            return work();
        } catch (const Interruption::Stop&) {
            return false;
        }
    }

    StoppableLink link;
    StoppableClock clock;
    CliView view;
    ReaderSession session;
};

RunResult Reported(Output& output, RunResult result) {
    output.Result(result);
    return result;
}

} // namespace

RunResult RunPortsCommand(Output& output) {
    for (const PortEntry& port : ListComPorts()) {
        output.Port(port);
    }
    return Reported(output, RunResult{ExitCode::Success, {}, {}, {}});
}

RunResult RunInfoCommand(const CliInputs& inputs, ReaderLink link, Output& output,
                         Interruption& interruption) {
    CliSession cli(inputs, std::move(link), output, interruption);
    const bool read = cli.Run([&] {
        cli.session.ShowReaderInfo();
        return !cli.view.readerInfo.empty();
    });
    RunResult result = cli.view.Result(read);
    if (!read && result.code == ExitCode::OtherFailure) {
        result.code = ExitCode::NoReader;
    }
    if (read) {
        result.found.emplace_back("info", cli.view.readerInfo);
    }
    return Reported(output, result);
}

// The window's Version button asks an open port; here the reader is found first.
RunResult RunVersionCommand(const CliInputs& inputs, ReaderLink link, Output& output,
                            Interruption& interruption) {
    CliSession cli(inputs, std::move(link), output, interruption);
    bool found = false;
    const bool read = cli.Run([&] {
        found = IsReaderFound(cli.session.DetectReader());
        return found &&
               (cli.session.QueryVersion(VersionQuery::Application) == VersionResult::Valid ||
                cli.session.QueryVersion(VersionQuery::Reader16) == VersionResult::Valid);
    });
    RunResult result = cli.view.Result(read);
    if (!read && result.code == ExitCode::OtherFailure) {
        result.code = found ? ExitCode::VersionCheck : ExitCode::NoReader;
    }
    if (read) {
        result.found.emplace_back("version", cli.view.lastVersionLine);
    }
    return Reported(output, result);
}

RunResult RunDownloadCommand(const CliInputs& inputs, ReaderLink link, Output& output,
                             Interruption& interruption) {
    // The file chooser's rule, before the reader is touched.
    if (inputs.chosenFile && !IsRiviFirmwarePath(*inputs.chosenFile)) {
        output.Shown("notice", kNotRiviFileNotice);
        return Reported(output, RunResult{ExitCode::FirmwareFile, {}, kNotRiviFileNotice, {}});
    }
    CliSession cli(inputs, std::move(link), output, interruption);
    DownloadSequence download(cli.session, cli.view);
    const ScopedSystemAwake awake; // the PC does not sleep mid-download
    // RunToEnd ends a stopped run as a failed one.
    download.RunToEnd();
    return Reported(output, cli.view.Result(cli.view.completed));
}
