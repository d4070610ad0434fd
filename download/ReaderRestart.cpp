#include "download/DownloadSequence.h"

#include "reader/ProtocolTimings.h"

#include <cstdio>

Outcome DownloadSequence::AwaitReaderRestart() {
    Wait(reader.clock, kRestartWait);
    Outcome failure = Outcome::NoRestart;
    for (int attempt = 0; attempt < kReconnectTries; ++attempt) {
        // Every attempt opens the port again (without closing it first). A reader on a
        // USB link of its own drops off the bus while it restarts and comes back under
        // the same name: until then the open or the query finds no device, which here
        // only means "not back yet".
        if (reader.OpenPortInUse()) {
            const VersionResult version =
                reader.QueryVersion(VersionQuery::AgainstFile, fileVersion);
            if (version == VersionResult::Valid || version == VersionResult::Differs) {
                facts.versionAfter = reader.VersionText();
            }
            if (version == VersionResult::Valid) {
                char line[48];
                std::snprintf(line, sizeof line, "Download OK(t:%d)", ElapsedMs());
                reader.AddLogLine(line);
                view.SetStatus("다운로드 성공");
                view.SetReaderInfo(reader.ReadReaderInfo(reader.Port()));
                return Outcome::Succeeded;
            }
            if (version == VersionResult::Differs) {
                failure = Outcome::WrongVersion;
                break; // another version than the file's: asking again cannot help
            }
        }
        Wait(reader.clock, kReconnectPause);
    }
    // Still no device after every try: no restart takes this long, the cable is out
    // (the reader may be left in its boot loader).
    if (reader.PortLost()) {
        return ReportConnectionLost();
    }
    reader.ClosePort();
    return ReportFailedStep(failure, "버전 조회 실패");
}
