#include "reader/ResponseRule.h"

bool IsAcceptedResponse(const unsigned char* rxBuffer, std::int32_t rxLength) {
    if (rxLength < 1 || rxLength > 255) {
        return false;
    }
    return rxBuffer[0] == 0x00 || rxBuffer[0] == 0xBE;
}
