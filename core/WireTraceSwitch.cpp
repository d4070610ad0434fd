// see WireTraceSwitch.h
#include "core/WireTraceSwitch.h"

#include "core/VexilonLink.h"
#include "framework/UserFolders.h"
#include "reader/WireTrace.h"

#include <cstdlib>
#include <string_view>
#include <utility>

bool WireTraceSwitchedOn() {
    const char* value = std::getenv("BRIMLET_TRACE");
    return value != nullptr && std::string_view(value) != "" && std::string_view(value) != "0";
}

ReaderLink TracedWhen(bool on, ReaderLink link, LogFile& file) {
    return on ? TracedReaderLink(std::move(link), file) : std::move(link);
}

ReaderLink CommandLineReaderLink(bool traceAsked, std::unique_ptr<LogFile>& traceFile) {
    if (!traceAsked && !WireTraceSwitchedOn()) {
        return VexilonReaderLink();
    }
    traceFile = OpenRotatingLogFile(UserLogFilePath());
    return TracedReaderLink(VexilonReaderLink(), *traceFile);
}
