#pragma once

#include "framework/LogFile.h"
#include "reader/ReaderLink.h"

#include <memory>

// The switch support asks a technician to turn on: BRIMLET_TRACE=1 in the
// environment of the window (or of brimlet-cli, which also has --trace). Any value
// but an empty one or 0 counts.
bool WireTraceSwitchedOn();

// link, traced into file (reader/WireTrace.h) when on.
ReaderLink TracedWhen(bool on, ReaderLink link, LogFile& file);

// brimlet-cli's link: the reader-link library, traced into the log file when asked
// (--trace) or switched on. Only then is the file opened, into traceFile: the
// command line's own lines go to the terminal.
ReaderLink CommandLineReaderLink(bool traceAsked, std::unique_ptr<LogFile>& traceFile);
