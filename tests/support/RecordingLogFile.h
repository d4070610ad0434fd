#pragma once

#include "framework/LogFile.h"

#include <string>
#include <vector>

namespace testsupport {

// The log file as the writers see it: each line kept, in order, without a time stamp.
class RecordingLogFile : public LogFile {
public:
    void Write(const std::string& text) override { lines.push_back(text); }

    std::vector<std::string> lines;
};

} // namespace testsupport
