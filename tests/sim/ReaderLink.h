#pragma once

// One exchange with a simulated reader as the host sees it: the library's result
// code and the stored payload. Two ways in, one test body for both: the state
// machine in process (on virtual time) and the reader served on a pseudo-terminal
// through a copy of the reader-link library.

#include "sim/PtyReader.h"
#include "sim/SimulatedReader.h"
#include "tests/sim/TestBytes.h"
#include "tests/support/TempFolder.h"
#include "tests/support/VexilonCopy.h"

#include <chrono>
#include <memory>

namespace simtest {

struct LinkResult {
    int code = 0;
    Bytes payload;
};

class ReaderLink {
public:
    virtual ~ReaderLink() = default;
    virtual LinkResult Exchange(const Bytes& request, std::chrono::milliseconds timeout) = 0;
    virtual void Wait(std::chrono::milliseconds time) = 0;
};

class InProcessLink : public ReaderLink {
public:
    explicit InProcessLink(sim::ReaderConfig config);
    LinkResult Exchange(const Bytes& request, std::chrono::milliseconds timeout) override;
    void Wait(std::chrono::milliseconds time) override { now_ += time; }

private:
    sim::SimulatedReader reader_;
    sim::SimulatedReader::TimePoint now_{std::chrono::hours(1)};
};

class PtyLink : public ReaderLink {
public:
    static constexpr int kPort = 9;

    explicit PtyLink(sim::ReaderConfig config, sim::PtyOptions options = {});
    ~PtyLink() override;
    LinkResult Exchange(const Bytes& request, std::chrono::milliseconds timeout) override;
    void Wait(std::chrono::milliseconds time) override;

    testsupport::VexilonCopy& Library() { return library_; }
    sim::PtyReader& Reader() { return reader_; }
    const std::filesystem::path& Folder() const { return folder_.Path(); }

private:
    testsupport::TempFolder folder_;
    testsupport::VexilonCopy library_;
    sim::PtyReader reader_;
};

} // namespace simtest
