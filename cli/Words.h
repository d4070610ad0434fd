#pragma once

#include "cli/ExitCodes.h"
#include "cli/Language.h"

#include <cstddef>

enum class Subcommand { Ports, Info, Version, Download, History };

inline constexpr std::size_t kSubcommandCount = 5;
inline constexpr std::size_t kExitCodeCount = 12;

// The command line's own words in one language: help, labels, progress, warnings
// and the closing line. Arrays run in the order of their enum.
struct Words {
    // Help.
    const char* program;
    const char* subcommands[kSubcommandCount];
    const char* jsonOption;
    const char* portOption;
    const char* modelOption;
    const char* fileOption;
    const char* serialOption;
    const char* sinceOption;
    const char* exportOption;
    // Around the log file's path.
    const char* traceOption;
    const char* traceOptionEnd;
    const char* helpOption;
    const char* usageLabel;
    const char* optionsLabel;
    const char* subcommandLabel;
    const char* requiredLabel;
    const char* exitCodesHeading;

    // Labels of the text output, each followed by its text.
    const char* status;
    const char* notice;
    const char* question;
    const char* readerInfo;
    const char* warning;
    const char* fault;
    const char* sent;
    const char* version;
    const char* exitCode;
    // The transfer bar's time still to go, after the minutes and seconds.
    const char* timeLeft;

    // The history: a listed record's file size unit, the export's confirmation
    // (after the count, before the file), a history that cannot be read and a file
    // that cannot be written (each after the path), a --since that is no time.
    const char* bytes;
    const char* exported;
    const char* cannotRead;
    const char* cannotWrite;
    const char* notATime;
    const char* historyNotWritten; // after the history file's path

    // A first Ctrl-C during the transfer; the two ends of a stopped run.
    const char* transferWarning;
    const char* stopped;
    const char* stoppedInBootLoader;

    // What an exit code means; 0 for the whole program, then what each subcommand's
    // success means at its end.
    const char* meanings[kExitCodeCount];
    const char* succeeded[kSubcommandCount];
};

const Words& WordsFor(Language language);

// The meaning a run of subcommand closes with.
const char* ClosingMeaning(const Words& words, Subcommand subcommand, ExitCode code);
