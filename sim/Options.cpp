#include "sim/Options.h"

#include "security/Hex.h"
#include "sim/VersionMarker.h"

#include <algorithm>
#include <charconv>
#include <functional>
#include <map>
#include <optional>

namespace sim {

namespace {

constexpr std::size_t kMaxTextLength = 64;
constexpr int kMaxRestartMs = 600'000;
constexpr int kMaxDelayMs = 600'000;
constexpr int kMaxLatencyMs = 1000;
// The commands a fault may name, for the messages about a name that is none of them.
constexpr const char* kCommandNames =
    "FF0C FF04 16 FF97 FF98 FF08 FF0901 FF0902 FF0903 8E 92 F1 F2";

constexpr std::string_view kUsage = R"(Usage: reader-sim --program-folder DIR [options]

Plays a RIVI card reader on a pseudo-terminal linked as DIR/ports/COM<n>, where
the reader-link library beside the program looks for ports. Stops on SIGINT or
SIGTERM and removes its link.

Port:
  --program-folder DIR   folder of the program (required); ports/ is made in it
  --port N               COM port number, 1-255 (default 7)
  --pace                 send and receive at the pace of 115200 baud, 8N1
  --log                  write every frame received and sent to standard error as hex
  --latency-ms N         hold every answer N ms, 0-1000, as a USB-serial adapter's
                         latency timer does (common ones: 16; low latency: 1)

Reader:
  --model NAME           model name (default RVQ-3000-KR1)
  --serial TEXT          serial number (default RV00012345)
  --cert-version TEXT    certification version (default C0100)
  --reader-version TEXT  reader version (default R0100)
  --version-code CODE    version of the application firmware, 1-6 letters or
                         digits (default 150803)
  --boot-version CODE    version of the boot loader (default 200101)
  --network NAME         network in the information text VAN=<NAME>_... (default RIVI)
  --start-in boot|app    firmware running at start (default app)
  --bios-de635           boot loader information text begins with DE-635_BIOS
  --info-quirk code-only application firmware answers FF 0C with the response
                         code alone; 16 then gives the information text
  --restart-ms N         silence while the reader restarts, 0-600000 (default 2000)
  --download-key HEX     the reader's own download key, 32 hexadecimal characters
                         (default: the key of the product's built-in halves)
  --boot-key-none        the boot loader holds no key until FF 08 or 92 gives it one
  --seed N               seed of the reader's challenges and random bytes (default 1)

  Texts are printable ASCII without blanks, at most 64 characters; serial,
  versions and network also without "_".

Faults:
  --msr-not-authenticated     FF 97 reports the MSR as not authenticated
  --refuse-auth STEP          refuse authentication step 1, 2 or 3
  --wrong-mac STEP            spoil the MAC of the answer to step 1 or 2
  --refuse-proof once|always  refuse the key proof 8E with NAK
  --refuse-blocks N[@OFFSET]  refuse every block (or the one at OFFSET, decimal or
                              0x hex) N times before accepting it
  --refuse-finish N           refuse the finish F2 N times
  --refuse-with ff|nak        how blocks and finish are refused (default ff)
  --never-restart boot|app    the restart into that firmware never ends
  --wrong-version CODE        after the download report CODE, not the image's version
  --vanish-after CMD[*N]      the adapter is pulled out: once the N-th answer
                              (default the first) to command CMD is out, remove
                              the link and close the pseudo-terminal
  --return-on-port N          after vanishing, come back on COM port N (1-255),
                              as a reader plugged in again, in the state it had
  --return-after-ms MS        how long it stays away first, 0-600000 (default 1000)
  --reenumerate-ms MS         once the finish F2 is answered, the reader's own USB
                              link drops off while it restarts and is back under
                              the same COM port MS later (0-600000), in the new
                              firmware

  Link faults, repeatable; WHERE is "all" or a command: FF0C FF04 16 FF97 FF98
  FF08 FF0901 FF0902 FF0903 8E 92 F1 F2; a suffix *N limits the fault to N
  answers (default: every answer):
  --silence WHERE[*N]         no answer, and the request has no effect
  --nak WHERE[*N]             answer NAK, and the request has no effect
  --bad-frame WHERE[*N]       answer with a wrong LRC
  --delay WHERE:MS[*N]        answer after MS more milliseconds
  --oversize WHERE[*N]        pad the answer with blanks to 1200 bytes, more than a
                              host's 1000-byte receive area

  --help                      this text

The version an image carries: the ASCII text RIVI-FW-VERSION= anywhere in it,
followed by the version code (up to 6 letters or digits).
)";

std::optional<long long> ParseNumber(std::string_view text, long long low, long long high) {
    int base = 10;
    if (text.starts_with("0x") || text.starts_with("0X")) {
        text.remove_prefix(2);
        base = 16;
    }
    long long value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, base);
    if (text.empty() || error != std::errc() || end != text.data() + text.size() || value < low ||
        value > high) {
        return std::nullopt;
    }
    return value;
}

bool IsPrintableWord(std::string_view text, bool underscoreAllowed) {
    return !text.empty() && text.size() <= kMaxTextLength &&
           std::all_of(text.begin(), text.end(), [&](char c) {
               return c > ' ' && c < 0x7F && (underscoreAllowed || c != '_');
           });
}

class Parser {
public:
    explicit Parser(std::span<const std::string_view> arguments) : arguments_(arguments) {}

    ParsedCommandLine Run();

private:
    using Handler = std::function<void(std::string_view value)>;

    void Fail(std::string message) {
        if (result_.error.empty()) {
            result_.error = std::move(message);
        }
    }
    void Text(std::string_view option, std::string_view value, std::string& field,
              bool underscoreAllowed);
    void Code(std::string_view option, std::string_view value, std::string& field);
    std::optional<long long> Number(std::string_view option, std::string_view value, long long low,
                                    long long high);
    void Step(std::string_view option, std::string_view value, int& field, int last);
    // Takes a "*N" suffix (N from 1 to 1,000,000) off where into count; false after a
    // bad N, which has failed the parse.
    bool TakeCount(std::string_view option, std::string_view& where, int& count);
    void Link(std::string_view option, std::string_view value, LinkFaultKind kind);
    void Vanish(std::string_view value);
    std::map<std::string_view, Handler> ValueOptions();
    std::map<std::string_view, std::function<void()>> Flags();

    std::span<const std::string_view> arguments_;
    ParsedCommandLine result_;
    bool folderGiven_ = false;
};

void Parser::Text(std::string_view option, std::string_view value, std::string& field,
                  bool underscoreAllowed) {
    if (!IsPrintableWord(value, underscoreAllowed)) {
        Fail(std::string(option) + ": \"" + std::string(value) + "\" is not 1-64 printable " +
             (underscoreAllowed ? "characters without blanks"
                                : "characters without blanks or \"_\""));
        return;
    }
    field = value;
}

void Parser::Code(std::string_view option, std::string_view value, std::string& field) {
    if (!IsValidVersionCode(value)) {
        Fail(std::string(option) + ": \"" + std::string(value) +
             "\" is not a version code of 1-6 letters or digits");
        return;
    }
    field = value;
}

std::optional<long long> Parser::Number(std::string_view option, std::string_view value,
                                        long long low, long long high) {
    std::optional<long long> number = ParseNumber(value, low, high);
    if (!number) {
        Fail(std::string(option) + ": \"" + std::string(value) + "\" is not a number from " +
             std::to_string(low) + " to " + std::to_string(high));
    }
    return number;
}

void Parser::Step(std::string_view option, std::string_view value, int& field, int last) {
    if (auto step = Number(option, value, 1, last)) {
        field = static_cast<int>(*step);
    }
}

void Parser::Link(std::string_view option, std::string_view value, LinkFaultKind kind) {
    LinkFault fault;
    fault.kind = kind;
    std::string_view where = value;
    if (!TakeCount(option, where, fault.times)) {
        return;
    }
    if (kind == LinkFaultKind::Delay) {
        const auto colon = where.find(':');
        if (colon == std::string_view::npos) {
            Fail(std::string(option) + ": \"" + std::string(value) + "\" lacks \":MS\"");
            return;
        }
        const auto delay = Number(option, where.substr(colon + 1), 0, kMaxDelayMs);
        if (!delay) {
            return;
        }
        fault.delay = std::chrono::milliseconds(*delay);
        where = where.substr(0, colon);
    }
    if (where != "all") {
        fault.command = CommandFromName(where);
        if (!fault.command) {
            Fail(std::string(option) + ": \"" + std::string(where) +
                 "\" is neither \"all\" nor a command (" + kCommandNames + ")");
            return;
        }
    }
    result_.options.reader.faults.link.push_back(fault);
}

bool Parser::TakeCount(std::string_view option, std::string_view& where, int& count) {
    const auto star = where.find('*');
    if (star == std::string_view::npos) {
        return true;
    }
    const auto n = Number(option, where.substr(star + 1), 1, 1'000'000);
    if (!n) {
        return false;
    }
    count = static_cast<int>(*n);
    where = where.substr(0, star);
    return true;
}

void Parser::Vanish(std::string_view value) {
    VanishPoint point;
    std::string_view where = value;
    if (!TakeCount("--vanish-after", where, point.answer)) {
        return;
    }
    const std::optional<Command> command = CommandFromName(where);
    if (!command) {
        Fail("--vanish-after: \"" + std::string(where) + "\" is not a command (" + kCommandNames +
             ")");
        return;
    }
    point.command = *command;
    result_.options.reader.faults.vanishAfter = point;
}

std::map<std::string_view, Parser::Handler> Parser::ValueOptions() {
    SimOptions& o = result_.options;
    ReaderConfig& r = o.reader;
    Faults& f = r.faults;
    return {
        {"--program-folder",
         [&](std::string_view v) {
             o.programFolder = std::filesystem::path(v);
             folderGiven_ = !v.empty();
         }},
        {"--port",
         [&](std::string_view v) {
             if (auto n = Number("--port", v, 1, 255)) {
                 o.port = static_cast<int>(*n);
             }
         }},
        {"--model", [&](std::string_view v) { Text("--model", v, r.model, true); }},
        {"--serial", [&](std::string_view v) { Text("--serial", v, r.serial, false); }},
        {"--cert-version",
         [&](std::string_view v) { Text("--cert-version", v, r.certVersion, false); }},
        {"--reader-version",
         [&](std::string_view v) { Text("--reader-version", v, r.readerVersion, false); }},
        {"--network", [&](std::string_view v) { Text("--network", v, r.network, false); }},
        {"--version-code", [&](std::string_view v) { Code("--version-code", v, r.versionCode); }},
        {"--boot-version", [&](std::string_view v) { Code("--boot-version", v, r.bootVersion); }},
        {"--start-in",
         [&](std::string_view v) {
             if (v == "boot" || v == "app") {
                 r.startIn = v == "boot" ? Firmware::BootLoader : Firmware::Application;
             } else {
                 Fail("--start-in: \"" + std::string(v) + "\" is neither boot nor app");
             }
         }},
        {"--info-quirk",
         [&](std::string_view v) {
             if (v == "code-only") {
                 r.infoCodeOnly = true;
             } else {
                 Fail("--info-quirk: \"" + std::string(v) + "\" is not code-only");
             }
         }},
        {"--restart-ms",
         [&](std::string_view v) {
             if (auto n = Number("--restart-ms", v, 0, kMaxRestartMs)) {
                 r.restartTime = std::chrono::milliseconds(*n);
             }
         }},
        {"--download-key",
         [&](std::string_view v) {
             KeyBytes key{};
             if (!IsHexText(std::string(v), 2 * key.size())) {
                 Fail("--download-key: \"" + std::string(v) +
                      "\" is not 32 hexadecimal characters");
                 return;
             }
             HexToBytes(std::string(v), key.data());
             r.downloadKey = key;
         }},
        {"--seed",
         [&](std::string_view v) {
             if (auto n = Number("--seed", v, 0, 0xFFFFFFFFll)) {
                 r.randomSeed = static_cast<std::uint32_t>(*n);
             }
         }},
        {"--refuse-auth",
         [&](std::string_view v) { Step("--refuse-auth", v, f.refuseAuthStep, 3); }},
        {"--wrong-mac", [&](std::string_view v) { Step("--wrong-mac", v, f.wrongMacStep, 2); }},
        {"--refuse-proof",
         [&](std::string_view v) {
             if (v == "once" || v == "always") {
                 f.refuseProof = v == "once" ? 1 : kAlways;
             } else {
                 Fail("--refuse-proof: \"" + std::string(v) + "\" is neither once nor always");
             }
         }},
        {"--refuse-blocks",
         [&](std::string_view v) {
             BlockRefusal refusal;
             refusal.how = f.refuseBlocks ? f.refuseBlocks->how : f.finishRefusal;
             std::string_view count = v;
             if (const auto at = v.find('@'); at != std::string_view::npos) {
                 const auto offset = Number("--refuse-blocks", v.substr(at + 1), 0, 0xFFFFFF);
                 if (!offset) {
                     return;
                 }
                 refusal.offset = static_cast<std::uint32_t>(*offset);
                 count = v.substr(0, at);
             }
             if (auto n = Number("--refuse-blocks", count, 1, 1'000'000)) {
                 refusal.times = static_cast<int>(*n);
                 f.refuseBlocks = refusal;
             }
         }},
        {"--refuse-finish",
         [&](std::string_view v) {
             if (auto n = Number("--refuse-finish", v, 1, 1'000'000)) {
                 f.refuseFinish = static_cast<int>(*n);
             }
         }},
        {"--refuse-with",
         [&](std::string_view v) {
             if (v != "ff" && v != "nak") {
                 Fail("--refuse-with: \"" + std::string(v) + "\" is neither ff nor nak");
                 return;
             }
             f.finishRefusal = v == "nak" ? Refusal::Nak : Refusal::CodeFF;
             if (f.refuseBlocks) {
                 f.refuseBlocks->how = f.finishRefusal;
             }
         }},
        {"--never-restart",
         [&](std::string_view v) {
             if (v == "boot" || v == "app") {
                 f.neverRestartInto = v == "boot" ? Firmware::BootLoader : Firmware::Application;
             } else {
                 Fail("--never-restart: \"" + std::string(v) + "\" is neither boot nor app");
             }
         }},
        {"--wrong-version",
         [&](std::string_view v) {
             std::string code;
             Code("--wrong-version", v, code);
             if (!code.empty()) {
                 f.versionAfterFlash = code;
             }
         }},
        {"--vanish-after", [&](std::string_view v) { Vanish(v); }},
        {"--return-on-port",
         [&](std::string_view v) {
             if (auto n = Number("--return-on-port", v, 1, 255)) {
                 o.returnPort = static_cast<int>(*n);
             }
         }},
        {"--return-after-ms",
         [&](std::string_view v) {
             if (auto n = Number("--return-after-ms", v, 0, kMaxDelayMs)) {
                 o.returnAfter = std::chrono::milliseconds(*n);
             }
         }},
        {"--reenumerate-ms",
         [&](std::string_view v) {
             if (auto n = Number("--reenumerate-ms", v, 0, kMaxDelayMs)) {
                 f.reenumerateAfterFinish = std::chrono::milliseconds(*n);
             }
         }},
        {"--latency-ms",
         [&](std::string_view v) {
             if (auto n = Number("--latency-ms", v, 0, kMaxLatencyMs)) {
                 o.latency = std::chrono::milliseconds(*n);
             }
         }},
        {"--silence", [&](std::string_view v) { Link("--silence", v, LinkFaultKind::Silence); }},
        {"--nak", [&](std::string_view v) { Link("--nak", v, LinkFaultKind::Nak); }},
        {"--bad-frame",
         [&](std::string_view v) { Link("--bad-frame", v, LinkFaultKind::BadFrame); }},
        {"--delay", [&](std::string_view v) { Link("--delay", v, LinkFaultKind::Delay); }},
        {"--oversize", [&](std::string_view v) { Link("--oversize", v, LinkFaultKind::Oversize); }},
    };
}

std::map<std::string_view, std::function<void()>> Parser::Flags() {
    SimOptions& o = result_.options;
    return {
        {"--help", [&] { result_.help = true; }},
        {"--pace", [&] { o.pace = true; }},
        {"--log", [&] { o.log = true; }},
        {"--bios-de635", [&] { o.reader.bootInfoDe635 = true; }},
        {"--boot-key-none", [&] { o.reader.bootLoaderHoldsKey = false; }},
        {"--msr-not-authenticated", [&] { o.reader.faults.msrNotAuthenticated = true; }},
    };
}

ParsedCommandLine Parser::Run() {
    const auto values = ValueOptions();
    const auto flags = Flags();
    for (std::size_t i = 0; i < arguments_.size() && result_.error.empty(); ++i) {
        std::string_view argument = arguments_[i];
        std::optional<std::string_view> inlineValue;
        if (const auto equals = argument.find('=');
            argument.starts_with("--") && equals != std::string_view::npos) {
            inlineValue = argument.substr(equals + 1);
            argument = argument.substr(0, equals);
        }
        if (const auto flag = flags.find(argument); flag != flags.end() && !inlineValue) {
            flag->second();
        } else if (const auto option = values.find(argument); option != values.end()) {
            if (!inlineValue && i + 1 >= arguments_.size()) {
                Fail(std::string(argument) + " needs a value");
            } else {
                option->second(inlineValue ? *inlineValue : arguments_[++i]);
            }
        } else {
            Fail("unknown option \"" + std::string(arguments_[i]) + "\"");
        }
    }
    if (result_.error.empty() && !result_.help && !folderGiven_) {
        Fail("--program-folder is required");
    }
    return result_;
}

} // namespace

ParsedCommandLine ParseCommandLine(std::span<const std::string_view> arguments) {
    return Parser(arguments).Run();
}

std::string_view UsageText() {
    return kUsage;
}

} // namespace sim
