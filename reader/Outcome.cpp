// see Outcome.h
#include "reader/Outcome.h"

#include <array>
#include <iterator>

namespace {

struct Reason {
    Outcome outcome;
    const char* name;
};

constexpr Reason kReasons[] = {
    {Outcome::Succeeded, "success"},
    {Outcome::Unexpected, "unexpected"},
    {Outcome::NoReader, "no-reader"},
    {Outcome::PortInUse, "port-in-use"},
    {Outcome::BootLoaderUnreachable, "boot-loader-unreachable"},
    {Outcome::FirmwareFileMissing, "firmware-file"},
    {Outcome::FirmwareFileRefused, "firmware-refused"},
    {Outcome::MsrNotAuthenticated, "msr"},
    {Outcome::DownloadKeyRefused, "download-key"},
    {Outcome::AuthenticationFailed, "authentication"},
    {Outcome::VersionUnread, "version-unread"},
    {Outcome::WrongVersion, "wrong-version"},
    {Outcome::TransferRefused, "transfer"},
    {Outcome::NoRestart, "no-restart"},
    {Outcome::ConnectionLost, "connection-lost"},
    {Outcome::Stopped, "interrupted"},
};

constexpr auto kOutcomes = [] {
    std::array<Outcome, std::size(kReasons)> outcomes{};
    for (std::size_t i = 0; i < outcomes.size(); ++i) {
        outcomes[i] = kReasons[i].outcome;
    }
    return outcomes;
}();

// The table is indexed by value: a row out of place would name the wrong outcome.
static_assert([] {
    for (std::size_t i = 0; i < std::size(kReasons); ++i) {
        if (static_cast<std::size_t>(kReasons[i].outcome) != i) {
            return false;
        }
    }
    return true;
}());

} // namespace

std::span<const Outcome> AllOutcomes() {
    return kOutcomes;
}

const char* ReasonName(Outcome outcome) {
    const auto index = static_cast<std::size_t>(outcome);
    return index < std::size(kReasons) ? kReasons[index].name : "unknown";
}
