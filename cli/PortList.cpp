// see PortList.h
#include "cli/PortList.h"

#include "cli/Console.h"
#include "framework/PortProbe.h"
#include "framework/ProgramFolder.h"
#include "readerlink/PortPath.h"

std::vector<PortEntry> ListComPorts() {
    std::vector<PortEntry> ports;
    for (int com = readerlink::kFirstComPort; com <= readerlink::kLastComPort; ++com) {
        if (!IsComPortPresent(com)) {
            continue;
        }
        PortEntry entry{com, readerlink::ComPortDevicePath(com, GetProgramFolder()), {}, {}};
        AddSystemDescription(entry);
        ports.push_back(entry);
    }
    return ports;
}
