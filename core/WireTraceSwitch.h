#pragma once

#include "framework/LogFile.h"
#include "reader/ReaderLink.h"

// The switch support asks a technician to turn on: BRIMLET_TRACE=1 in the
// environment of the window (or of brimlet-cli, which also has --trace). Any value
// but an empty one or 0 counts.
bool WireTraceSwitchedOn();

// link, traced into file (reader/WireTrace.h) when on.
ReaderLink TracedWhen(bool on, ReaderLink link, LogFile& file);
