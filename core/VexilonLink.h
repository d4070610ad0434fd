#pragma once

#include "reader/ReaderLink.h"

// The reader link of the program: the reader-link library itself.
ReaderLink VexilonReaderLink();
