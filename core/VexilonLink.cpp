#include "core/VexilonLink.h"

#include "readerlink/VexilonDll.h"

ReaderLink VexilonReaderLink() {
    return ReaderLink{VQ_InitPort, VQ_Polling, VQ_ClosePort};
}
