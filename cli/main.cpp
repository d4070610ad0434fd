// brimlet-cli: the window's download, reader information and version from a
// terminal or a script, with the same bytes on the wire and the same texts.

#include "cli/Commands.h"
#include "cli/Console.h"
#include "cli/HistoryCommand.h"
#include "cli/JsonOutput.h"
#include "cli/TextOutput.h"
#include "cli/Words.h"
#include "core/WireTraceSwitch.h"
#include "framework/UserFolders.h"
#include "history/DownloadHistory.h"

#include <CLI/CLI.hpp>

#include <iostream>
#include <memory>

namespace {

constexpr const char* kSubcommandNames[kSubcommandCount] = {"ports", "info", "version", "download",
                                                            "history"};

// The codes with their meanings, success as the subcommand (or the whole program) means it.
std::string ExitCodesText(const Words& words, const char* success) {
    std::string text = std::string(words.exitCodesHeading).append("\n");
    for (std::size_t code = 0; code < kExitCodeCount; ++code) {
        const std::string number = std::to_string(code);
        text.append(4 - number.size(), ' ').append(number).append("  ");
        text.append(code == 0 ? success : words.meanings[code]).append("\n");
    }
    return text;
}

// CLI11's own headings and the help option in the command line's language.
void UseWords(CLI::App& app, const Words& words) {
    auto formatter = std::make_shared<CLI::Formatter>();
    formatter->label("Usage", words.usageLabel);
    formatter->label("OPTIONS", words.optionsLabel);
    formatter->label("SUBCOMMAND", words.subcommandLabel);
    formatter->label("REQUIRED", words.requiredLabel);
    app.formatter(formatter);
    app.set_help_flag("-h,--help", words.helpOption)->group(words.optionsLabel);
    app.option_defaults()->group(words.optionsLabel);
}

struct Arguments {
    CliInputs inputs;
    bool json = false;
    bool trace = false;
};

CLI::App* AddCommand(CLI::App& app, Subcommand subcommand, const Words& words,
                     Arguments& arguments) {
    const auto index = static_cast<std::size_t>(subcommand);
    CLI::App* command = app.add_subcommand(kSubcommandNames[index], words.subcommands[index]);
    command->group(words.subcommandLabel);
    UseWords(*command, words);
    command->add_flag("--json", arguments.json, words.jsonOption);
    command->footer(ExitCodesText(words, words.succeeded[index]));
    return command;
}

void AddPortOption(CLI::App& command, const Words& words, Arguments& arguments) {
    command
        .add_option_function<int>(
            "--port", [&](const int& port) { arguments.inputs.request.port = port; },
            words.portOption)
        ->check(CLI::Range(1, 255));
}

} // namespace

int main(int argc, char** argv) {
    Arguments arguments;
    arguments.inputs.language = LanguageFromEnvironment();
    const Words& words = WordsFor(arguments.inputs.language);
    CLI::App app(words.program, "brimlet-cli");
    UseWords(app, words);
    app.require_subcommand(1);
    app.footer(ExitCodesText(words, words.meanings[0]));
    CLI::App* commands[kSubcommandCount] = {};
    for (std::size_t index = 0; index < kSubcommandCount; ++index) {
        commands[index] = AddCommand(app, static_cast<Subcommand>(index), words, arguments);
    }
    CLI::App* download = commands[static_cast<std::size_t>(Subcommand::Download)];
    for (const Subcommand reading : {Subcommand::Info, Subcommand::Version, Subcommand::Download}) {
        CLI::App& command = *commands[static_cast<std::size_t>(reading)];
        AddPortOption(command, words, arguments);
        command.add_flag("--trace", arguments.trace,
                         std::string(words.traceOption) + UserLogFilePath() + words.traceOptionEnd);
    }
    download->add_option("--model", arguments.inputs.request.modelName, words.modelOption);
    download
        ->add_option_function<std::string>(
            "--file", [&](const std::string& file) { arguments.inputs.request.chosenFile = file; },
            words.fileOption)
        ->check(CLI::ExistingFile);
    CLI::App* history = commands[static_cast<std::size_t>(Subcommand::History)];
    HistoryQuery query;
    history->add_option("--serial", query.serial, words.serialOption);
    history->add_option("--since", query.since, words.sinceOption)
        ->check(CLI::Validator(
            [&](std::string& text) { return IsTimeTextPrefix(text) ? "" : words.notATime; },
            "TIME"));
    history->add_option("--export", query.exportPath, words.exportOption);
    try {
        app.parse(argc, argv);
    } catch (const CLI::CallForHelp& help) {
        return app.exit(help);
    } catch (const CLI::ParseError& error) {
        app.exit(error);
        return ToInt(ExitCode::Usage);
    }

    Subcommand chosen = Subcommand::Ports;
    for (std::size_t index = 0; index < kSubcommandCount; ++index) {
        if (commands[index]->parsed()) {
            chosen = static_cast<Subcommand>(index);
        }
    }
    std::unique_ptr<Output> output;
    if (arguments.json) {
        output = std::make_unique<JsonOutput>(std::cout);
    } else {
        output = std::make_unique<TextOutput>(std::cout, StandardOutputIsTerminal(), words, chosen);
    }
    if (chosen == Subcommand::History) {
        query.json = arguments.json;
        return ToInt(RunHistoryCommand(query, HistoryFilePath(), words, std::cout, std::cerr));
    }
    if (chosen == Subcommand::Ports) {
        return ToInt(ExitCodeFor(RunPortsCommand(*output).outcome));
    }
    Interruption interruption;
    WatchCtrlC([&] {
        if (interruption.Pressed() == Interruption::Press::Warns) {
            output->Show(Shown::Warning, words.transferWarning);
        }
    });
    std::unique_ptr<LogFile> traceFile;
    const ReaderLink link = CommandLineReaderLink(arguments.trace, traceFile);
    RunResult result;
    if (chosen == Subcommand::Info) {
        result = RunInfoCommand(arguments.inputs, link, *output, interruption);
    } else if (chosen == Subcommand::Version) {
        result = RunVersionCommand(arguments.inputs, link, *output, interruption);
    } else {
        result = RunDownloadCommand(arguments.inputs, link, *output, interruption);
    }
    return ToInt(ExitCodeFor(result.outcome));
}
