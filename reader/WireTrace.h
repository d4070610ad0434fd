#pragma once

#include "framework/LogFile.h"
#include "reader/ReaderLink.h"

// The field's view of the wire for support: link itself, with every call written
// into file (the log file, never the log list) as it happens. Frames are the
// payloads the library carries (the code first); its framing bytes are its own.
// A request is one line before it is sent, its answer one line after, with the
// library's result and the milliseconds the exchange took; opens and closes get a
// line with their result:
//
//   trace COM7 open 115200: (result 7, 3 ms)
//   trace COM7 > FF 0C (3000 ms allowed)
//   trace COM7 < 00 56 41 4E 3D ... (result 0, 24 ms)
//   trace COM7 > FF 08 [16 bytes masked] (3000 ms allowed)
//
// The download key (FF 08, 92), its proof (8E) and the sealed parts of the
// authentication messages (FF 09) are masked here, the one place that writes the
// trace: their length shows, their bytes never do.
ReaderLink TracedReaderLink(ReaderLink link, LogFile& file);
