#include "resources/Strings.h"

#include "resources/ResourceIds.h"

const char* LoadResourceString(int id) {
    switch (id) {
    case IDS_ABOUTBOX:
        return "Brimlet 정보(&A)...";
    default:
        return "";
    }
}
