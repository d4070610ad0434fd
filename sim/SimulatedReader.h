#pragma once

// A RIVI reader as the host sees it through the reader-link library: one request
// payload in, one Reply out. No I/O and no clock of its own: the caller passes the
// time, so restarts can be driven on virtual time.
//
// Application firmware (information text, version, MSR state, debug level, download
// key, three-step authentication) restarts into the boot loader after a successful
// step 3; the boot loader (information text with "_BIOS", its own version on 16, key
// proof, key hand-over, blocks, finish) restarts into the application firmware after
// the finish, which then reports the version the flashed image carries. A restarting
// reader is silent.
//
// Texts (each answered after the response code 00):
//   FF 0C, application  VAN=<network>_<serial>_<certVersion>_<readerVersion>_<model>
//   FF 04 / 16, app.    K<model>_<versionCode>
//   FF 97, application  MSR_OK, or DMSR_NOT_AUTHENTICATED when the MSR is not
//                       authenticated (a text starting with D or K is the fault)
//   FF 0C, boot loader  RIVI_BIOS_<bootVersion>, or DE-635_BIOS_<bootVersion>
//   16, boot loader     DBIOS_<bootVersion>
// A command the running firmware does not know (FF 04 and FF 97 in the boot loader
// among them), or one of the wrong length, is answered with the bare response code
// FF. Blocks are answered BE, every other success 00.

#include "sim/FlashImage.h"
#include "sim/ReaderAuthentication.h"
#include "sim/ReaderConfig.h"
#include "sim/Reply.h"
#include "sim/Responder.h"

#include <chrono>
#include <cstdint>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace sim {

class SimulatedReader : public Responder {
public:
    explicit SimulatedReader(ReaderConfig config);

    Reply Handle(std::span<const std::uint8_t> request, TimePoint now) override;

    // The firmware that answers at now; empty while the reader restarts.
    std::optional<Firmware> RunningFirmware(TimePoint now) const;
    const std::string& VersionCode() const { return versionCode_; }
    const FlashImage& Flash() const { return flash_; }
    int DebugLevel() const { return debugLevel_; }
    const std::optional<KeyBytes>& BootLoaderKey() const { return bootLoaderKey_; }

    std::string InfoText() const;
    std::string VersionText() const;

private:
    Reply Execute(Command command, std::span<const std::uint8_t> request, TimePoint now);
    Reply Application(Command command, std::span<const std::uint8_t> request, TimePoint now);
    Reply BootLoader(Command command, std::span<const std::uint8_t> request, TimePoint now);

    Reply AuthenticationStep1();
    Reply AuthenticationStep2(std::span<const std::uint8_t> request);
    Reply AuthenticationStep3(std::span<const std::uint8_t> request, TimePoint now);
    Reply ProveKey(std::span<const std::uint8_t> request);
    Reply WriteBlock(std::span<const std::uint8_t> request);
    Reply FinishFlash(TimePoint now);

    const LinkFault* TakeLinkFault(Command command);
    void BeginRestart(Firmware into, TimePoint now);
    void EndRestartIfDue(TimePoint now);

    ReaderConfig config_;
    KeyBytes ownKey_;
    ReaderAuthentication authentication_;

    Firmware firmware_;
    bool restarting_ = false;
    TimePoint restartEnds_{};

    std::string versionCode_;
    int debugLevel_ = 0;
    bool hostKeyStored_ = false; // FF 08 since the application firmware started
    std::optional<KeyBytes> bootLoaderKey_;
    bool keyProven_ = false; // 8E accepted since the boot loader started
    FlashImage flash_;
    std::size_t blocksAccepted_ = 0;

    std::vector<int> linkFaultsUsed_;
    int proofsRefused_ = 0;
    int finishesRefused_ = 0;
    std::map<std::uint32_t, int> blockRefusals_;
    int answersBeforeVanish_ = 0;
};

} // namespace sim
