#pragma once

#include <memory>
#include <string>

// The technician's record of what the program showed, kept after the window has
// closed: one time-stamped line per Write, on disk before Write returns.
class LogFile {
public:
    virtual ~LogFile() = default;
    // Line breaks inside the text become one space, so that each record stays one line.
    virtual void Write(const std::string& text) = 0;
};

// Appends to path (its folder made when missing), each line led by the local time
// as 2026-12-07T17:05:09.123+09:00; at 1 MiB the file moves to <name>.1.log and
// the older ones one number up, keeping three. A folder or file that cannot be
// made or written loses its lines silently: the record must never stop a download
// or put a box in front of the technician.
std::unique_ptr<LogFile> OpenRotatingLogFile(const std::string& path);
