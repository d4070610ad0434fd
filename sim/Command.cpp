#include "sim/Command.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <string>
#include <utility>

namespace sim {

namespace {

constexpr std::array<std::pair<Command, std::string_view>, 13> kNames{{
    {Command::Info, "FF0C"},
    {Command::Version, "FF04"},
    {Command::Query16, "16"},
    {Command::MsrState, "FF97"},
    {Command::DebugLevel, "FF98"},
    {Command::StoreKey, "FF08"},
    {Command::AuthStep1, "FF0901"},
    {Command::AuthStep2, "FF0902"},
    {Command::AuthStep3, "FF0903"},
    {Command::KeyProof, "8E"},
    {Command::HandOverKey, "92"},
    {Command::Block, "F1"},
    {Command::Finish, "F2"},
}};

Command ClassifyExtended(std::span<const std::uint8_t> request) {
    if (request.size() < 2) {
        return Command::Unknown;
    }
    switch (request[1]) {
    case 0x0C:
        return Command::Info;
    case 0x04:
        return Command::Version;
    case 0x97:
        return Command::MsrState;
    case 0x98:
        return Command::DebugLevel;
    case 0x08:
        return Command::StoreKey;
    case 0x09:
        if (request.size() < 3) {
            return Command::Unknown;
        }
        switch (request[2]) {
        case 0x01:
            return Command::AuthStep1;
        case 0x02:
            return Command::AuthStep2;
        case 0x03:
            return Command::AuthStep3;
        default:
            return Command::Unknown;
        }
    default:
        return Command::Unknown;
    }
}

} // namespace

Command ClassifyCommand(std::span<const std::uint8_t> request) {
    if (request.empty()) {
        return Command::Unknown;
    }
    switch (request[0]) {
    case 0xFF:
        return ClassifyExtended(request);
    case 0x16:
        return Command::Query16;
    case 0x8E:
        return Command::KeyProof;
    case 0x92:
        return Command::HandOverKey;
    case 0xF1:
        return Command::Block;
    case 0xF2:
        return Command::Finish;
    default:
        return Command::Unknown;
    }
}

std::optional<Command> CommandFromName(std::string_view name) {
    std::string upper(name);
    std::transform(upper.begin(), upper.end(), upper.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    for (const auto& [command, commandName] : kNames) {
        if (commandName == upper) {
            return command;
        }
    }
    return std::nullopt;
}

std::string_view CommandName(Command command) {
    for (const auto& [known, name] : kNames) {
        if (known == command) {
            return name;
        }
    }
    return "unknown";
}

} // namespace sim
