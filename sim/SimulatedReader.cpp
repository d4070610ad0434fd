#include "sim/SimulatedReader.h"

#include "security/DownloadKey.h"
#include "security/Function.h"
#include "security/KeyProof.h"
#include "sim/VersionMarker.h"

#include <algorithm>

namespace sim {

namespace {

constexpr std::uint8_t kCodeOk = 0x00;
constexpr std::uint8_t kCodeBlockOk = 0xBE;
constexpr std::uint8_t kCodeRefused = 0xFF;

constexpr std::size_t kKeyRequestLength = 18;     // FF 08 + key
constexpr std::size_t kDebugRequestLength = 3;    // FF 98 + level
constexpr std::size_t kBootKeyRequestLength = 17; // 8E + proof, 92 + key
constexpr std::size_t kBlockRequestLength = 4 + FlashImage::kBlockSize;
constexpr std::size_t kFinishRequestLength = 2;
constexpr std::size_t kOversizeAnswer = 1200; // past the host's 1000-byte area

Reply Respond(std::vector<std::uint8_t> payload) {
    return {Reply::Kind::Response, std::move(payload), {}, false, {}};
}

Reply RespondCode(std::uint8_t code) {
    return Respond({code});
}

Reply RespondText(const std::string& text) {
    std::vector<std::uint8_t> payload{kCodeOk};
    payload.insert(payload.end(), text.begin(), text.end());
    return Respond(std::move(payload));
}

Reply Refuse(Refusal how) {
    if (how == Refusal::Nak) {
        return {Reply::Kind::Nak, {}, {}, false, {}};
    }
    return RespondCode(kCodeRefused);
}

// A fault with a count is used up one answer at a time; kAlways never is.
bool TakeOne(int limit, int& used) {
    if (limit == kAlways) {
        return true;
    }
    if (used < limit) {
        ++used;
        return true;
    }
    return false;
}

KeyBytes BuiltInKey() {
    KeyBytes key{};
    BuildDownloadKey(CFunction(), key.data());
    return key;
}

KeyBytes KeyAt(std::span<const std::uint8_t> request, std::size_t offset) {
    KeyBytes key{};
    std::copy_n(request.begin() + static_cast<std::ptrdiff_t>(offset), key.size(), key.begin());
    return key;
}

void SpoilMac(std::vector<std::uint8_t>& response) {
    response.back() ^= 0x01;
}

} // namespace

SimulatedReader::SimulatedReader(ReaderConfig config)
    : config_(std::move(config)), ownKey_(config_.downloadKey.value_or(BuiltInKey())),
      authentication_(ownKey_, config_.randomSeed), firmware_(config_.startIn),
      versionCode_(config_.versionCode), linkFaultsUsed_(config_.faults.link.size(), 0) {
    if (config_.bootLoaderHoldsKey) {
        bootLoaderKey_ = ownKey_;
    }
}

Reply SimulatedReader::Handle(std::span<const std::uint8_t> request, TimePoint now) {
    EndRestartIfDue(now);
    if (restarting_) {
        return {};
    }
    const Command command = ClassifyCommand(request);
    const LinkFault* fault = TakeLinkFault(command);
    if (fault != nullptr && fault->kind == LinkFaultKind::Silence) {
        return {};
    }
    if (fault != nullptr && fault->kind == LinkFaultKind::Nak) {
        return Refuse(Refusal::Nak);
    }
    Reply reply = Execute(command, request, now);
    if (fault != nullptr && fault->kind == LinkFaultKind::BadFrame &&
        reply.kind == Reply::Kind::Response) {
        reply.kind = Reply::Kind::BadFrame;
    }
    if (fault != nullptr && fault->kind == LinkFaultKind::Delay) {
        reply.delay += fault->delay;
    }
    if (fault != nullptr && fault->kind == LinkFaultKind::Oversize &&
        reply.kind == Reply::Kind::Response) {
        reply.payload.resize(kOversizeAnswer, ' ');
    }
    const std::optional<VanishPoint>& vanish = config_.faults.vanishAfter;
    if (vanish && vanish->command == command && reply.kind != Reply::Kind::Silence &&
        ++answersBeforeVanish_ == vanish->answer) {
        reply.dropLink = true;
    }
    return reply;
}

std::optional<Firmware> SimulatedReader::RunningFirmware(TimePoint now) const {
    if (restarting_ && now < restartEnds_) {
        return std::nullopt;
    }
    return firmware_;
}

std::string SimulatedReader::InfoText() const {
    if (firmware_ == Firmware::BootLoader) {
        return (config_.bootInfoDe635 ? "DE-635_BIOS_" : "RIVI_BIOS_") + config_.bootVersion;
    }
    return "VAN=" + config_.network + "_" + config_.serial + "_" + config_.certVersion + "_" +
           config_.readerVersion + "_" + config_.model;
}

std::string SimulatedReader::VersionText() const {
    if (firmware_ == Firmware::BootLoader) {
        return "DBIOS_" + config_.bootVersion;
    }
    return "K" + config_.model + "_" + versionCode_;
}

Reply SimulatedReader::Execute(Command command, std::span<const std::uint8_t> request,
                               TimePoint now) {
    if (firmware_ == Firmware::Application) {
        return Application(command, request, now);
    }
    return BootLoader(command, request, now);
}

Reply SimulatedReader::Application(Command command, std::span<const std::uint8_t> request,
                                   TimePoint now) {
    switch (command) {
    case Command::Info:
        return config_.infoCodeOnly ? RespondCode(kCodeOk) : RespondText(InfoText());
    case Command::Version:
        return RespondText(VersionText());
    case Command::Query16:
        return RespondText(config_.infoCodeOnly ? InfoText() : VersionText());
    case Command::MsrState:
        return RespondText(config_.faults.msrNotAuthenticated ? "DMSR_NOT_AUTHENTICATED"
                                                              : "MSR_OK");
    case Command::DebugLevel:
        if (request.size() != kDebugRequestLength) {
            return RespondCode(kCodeRefused);
        }
        debugLevel_ = request[2];
        return RespondCode(kCodeOk);
    case Command::StoreKey:
        if (request.size() != kKeyRequestLength) {
            return RespondCode(kCodeRefused);
        }
        bootLoaderKey_ = KeyAt(request, 2);
        hostKeyStored_ = true;
        return RespondCode(kCodeOk);
    case Command::AuthStep1:
        return AuthenticationStep1();
    case Command::AuthStep2:
        return AuthenticationStep2(request);
    case Command::AuthStep3:
        return AuthenticationStep3(request, now);
    default:
        return RespondCode(kCodeRefused);
    }
}

Reply SimulatedReader::BootLoader(Command command, std::span<const std::uint8_t> request,
                                  TimePoint now) {
    switch (command) {
    case Command::Info:
        return RespondText(InfoText());
    case Command::Query16:
        return RespondText(VersionText());
    case Command::KeyProof:
        return ProveKey(request);
    case Command::HandOverKey:
        if (request.size() != kBootKeyRequestLength) {
            return RespondCode(kCodeRefused);
        }
        bootLoaderKey_ = KeyAt(request, 1);
        return RespondCode(kCodeOk);
    case Command::Block:
        return WriteBlock(request);
    case Command::Finish:
        if (request.size() != kFinishRequestLength) {
            return RespondCode(kCodeRefused);
        }
        return FinishFlash(now);
    default:
        return RespondCode(kCodeRefused);
    }
}

Reply SimulatedReader::AuthenticationStep1() {
    // The reader only authenticates a host that has handed it the download key first.
    if (config_.faults.refuseAuthStep == 1 || !hostKeyStored_) {
        authentication_.Abandon();
        return RespondCode(kCodeRefused);
    }
    std::vector<std::uint8_t> response = authentication_.Challenge();
    if (config_.faults.wrongMacStep == 1) {
        SpoilMac(response);
    }
    return Respond(std::move(response));
}

Reply SimulatedReader::AuthenticationStep2(std::span<const std::uint8_t> request) {
    if (config_.faults.refuseAuthStep == 2) {
        authentication_.Abandon();
        return RespondCode(kCodeRefused);
    }
    std::optional<std::vector<std::uint8_t>> response = authentication_.Answer(request);
    if (!response) {
        return RespondCode(kCodeRefused);
    }
    if (config_.faults.wrongMacStep == 2) {
        SpoilMac(*response);
    }
    return Respond(std::move(*response));
}

Reply SimulatedReader::AuthenticationStep3(std::span<const std::uint8_t> request, TimePoint now) {
    if (config_.faults.refuseAuthStep == 3) {
        authentication_.Abandon();
        return RespondCode(kCodeRefused);
    }
    if (!authentication_.AcceptSessionKeys(request)) {
        return RespondCode(kCodeRefused);
    }
    BeginRestart(Firmware::BootLoader, now);
    return Respond({kCodeOk, 'O'});
}

Reply SimulatedReader::ProveKey(std::span<const std::uint8_t> request) {
    if (request.size() != kBootKeyRequestLength) {
        return RespondCode(kCodeRefused);
    }
    if (TakeOne(config_.faults.refuseProof, proofsRefused_)) {
        return Refuse(Refusal::Nak);
    }
    if (!bootLoaderKey_ || !CheckKeyProof(bootLoaderKey_->data(), request.data() + 1)) {
        return Refuse(Refusal::Nak);
    }
    // A proven host starts a new image: nothing of an earlier, broken-off transfer
    // may end up in it.
    keyProven_ = true;
    flash_.Erase();
    blocksAccepted_ = 0;
    return RespondCode(kCodeOk);
}

Reply SimulatedReader::WriteBlock(std::span<const std::uint8_t> request) {
    // Nothing is written into flash before the host has proven the key.
    if (request.size() != kBlockRequestLength || !keyProven_) {
        return RespondCode(kCodeRefused);
    }
    const std::uint32_t offset = (std::uint32_t{request[1]} << 16) |
                                 (std::uint32_t{request[2]} << 8) | std::uint32_t{request[3]};
    const std::optional<BlockRefusal>& refusal = config_.faults.refuseBlocks;
    if (refusal && (!refusal->offset || *refusal->offset == offset) &&
        TakeOne(refusal->times, blockRefusals_[offset])) {
        return Refuse(refusal->how);
    }
    if (!flash_.Write(offset, request.subspan(4))) {
        return RespondCode(kCodeRefused);
    }
    ++blocksAccepted_;
    return RespondCode(kCodeBlockOk);
}

Reply SimulatedReader::FinishFlash(TimePoint now) {
    if (!keyProven_) {
        return RespondCode(kCodeRefused);
    }
    if (TakeOne(config_.faults.refuseFinish, finishesRefused_)) {
        return Refuse(config_.faults.finishRefusal);
    }
    // An image without the marker leaves the version the reader had.
    versionCode_ = config_.faults.versionAfterFlash.value_or(
        FindImageVersion(flash_.Bytes()).value_or(versionCode_));
    BeginRestart(Firmware::Application, now);
    Reply reply = RespondCode(kCodeOk);
    if (config_.faults.reenumerateAfterFinish) {
        reply.dropLink = true;
        reply.backAfter = config_.faults.reenumerateAfterFinish;
    }
    return reply;
}

const LinkFault* SimulatedReader::TakeLinkFault(Command command) {
    for (std::size_t i = 0; i < config_.faults.link.size(); ++i) {
        const LinkFault& fault = config_.faults.link[i];
        if ((!fault.command || *fault.command == command) &&
            TakeOne(fault.times, linkFaultsUsed_[i])) {
            return &fault;
        }
    }
    return nullptr;
}

void SimulatedReader::BeginRestart(Firmware into, TimePoint now) {
    restarting_ = true;
    firmware_ = into;
    restartEnds_ =
        config_.faults.neverRestartInto == into ? TimePoint::max() : now + config_.restartTime;
    hostKeyStored_ = false;
    keyProven_ = false;
    authentication_.Abandon();
}

void SimulatedReader::EndRestartIfDue(TimePoint now) {
    if (restarting_ && now >= restartEnds_) {
        restarting_ = false;
    }
}

} // namespace sim
