// brimlet-cli: the window's download, reader information and version from a
// terminal or a script, with the same bytes on the wire and the same texts.

#include "cli/Commands.h"
#include "cli/Console.h"
#include "cli/JsonOutput.h"
#include "cli/TextOutput.h"
#include "core/WireTraceSwitch.h"
#include "framework/UserFolders.h"

#include <CLI/CLI.hpp>

#include <iostream>
#include <memory>

namespace {

constexpr char kTransferWarning[] =
    "전송 중입니다. 지금 멈추면 리더기가 부트 로더에 남아 다시 다운로드해야 합니다. 그래도 "
    "멈추려면 3초 안에 Ctrl-C를 한 번 더 누르십시오.";

std::string ExitCodesText() {
    std::string text = "Exit codes:\n";
    for (const ExitCodeMeaning& meaning : ExitCodeMeanings()) {
        const std::string number = std::to_string(ToInt(meaning.code));
        text.append(4 - number.size(), ' ').append(number).append("  ");
        text.append(meaning.meaning).append("\n");
    }
    return text;
}

struct Arguments {
    CliInputs inputs;
    bool json = false;
    bool trace = false;
};

CLI::App* AddCommand(CLI::App& app, const std::string& name, const std::string& description,
                     Arguments& arguments) {
    CLI::App* command = app.add_subcommand(name, description);
    command->add_flag("--json", arguments.json, "one JSON object per line: events, then result");
    command->footer(ExitCodesText());
    return command;
}

void AddPortOption(CLI::App& command, Arguments& arguments) {
    command
        .add_option_function<int>(
            "--port", [&](const int& port) { arguments.inputs.port = port; },
            "COM port number; without it, port 7 and then 1 to 100 are searched")
        ->check(CLI::Range(1, 255));
}

} // namespace

int main(int argc, char** argv) {
    CLI::App app("Brimlet: firmware download to RIVI card readers", "brimlet-cli");
    app.require_subcommand(1);
    app.footer(ExitCodesText());
    Arguments arguments;
    CLI::App* ports = AddCommand(app, "ports", "list the COM ports present", arguments);
    CLI::App* info = AddCommand(app, "info", "read the reader's information text", arguments);
    CLI::App* version = AddCommand(app, "version", "read the reader's firmware version", arguments);
    CLI::App* download =
        AddCommand(app, "download", "download the firmware into the reader", arguments);
    for (CLI::App* command : {info, version, download}) {
        AddPortOption(*command, arguments);
        command->add_flag("--trace", arguments.trace,
                          "write every frame to and from the reader into the log file " +
                              UserLogFilePath() + " (keys masked); BRIMLET_TRACE=1 does too");
    }
    download->add_option("--model", arguments.inputs.model,
                         "model name, for a reader waiting in its boot loader");
    download
        ->add_option_function<std::string>(
            "--file", [&](const std::string& file) { arguments.inputs.chosenFile = file; },
            "firmware file to send instead of the one found in RIVI_OIL/ (its path must hold "
            "\"RIVI\")")
        ->check(CLI::ExistingFile);
    try {
        app.parse(argc, argv);
    } catch (const CLI::CallForHelp& help) {
        return app.exit(help);
    } catch (const CLI::ParseError& error) {
        app.exit(error);
        return ToInt(ExitCode::Usage);
    }

    std::unique_ptr<Output> output;
    if (arguments.json) {
        output = std::make_unique<JsonOutput>(std::cout);
    } else {
        output = std::make_unique<TextOutput>(std::cout, StandardOutputIsTerminal());
    }
    if (ports->parsed()) {
        return ToInt(RunPortsCommand(*output).code);
    }
    Interruption interruption;
    WatchCtrlC([&] {
        if (interruption.Pressed() == Interruption::Press::Warns) {
            output->Shown("warning", kTransferWarning);
        }
    });
    std::unique_ptr<LogFile> traceFile;
    const ReaderLink link = CommandLineReaderLink(arguments.trace, traceFile);
    RunResult result;
    if (info->parsed()) {
        result = RunInfoCommand(arguments.inputs, link, *output, interruption);
    } else if (version->parsed()) {
        result = RunVersionCommand(arguments.inputs, link, *output, interruption);
    } else {
        result = RunDownloadCommand(arguments.inputs, link, *output, interruption);
    }
    return ToInt(result.code);
}
