#pragma once

#include "cli/CliView.h"
#include "cli/Interruption.h"
#include "cli/Output.h"
#include "reader/ReaderLink.h"

// The subcommands. Each reports through output and returns the result it reported.
// link is the reader-link library (a test may give another).
RunResult RunPortsCommand(Output& output);
RunResult RunInfoCommand(const CliInputs& inputs, ReaderLink link, Output& output,
                         Interruption& interruption);
RunResult RunVersionCommand(const CliInputs& inputs, ReaderLink link, Output& output,
                            Interruption& interruption);
RunResult RunDownloadCommand(const CliInputs& inputs, ReaderLink link, Output& output,
                             Interruption& interruption);
