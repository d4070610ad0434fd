#include "framework/Win32.h"

#include "framework/Icon.h"

#include <map>
#include <mutex>

namespace {

// Icons are never destroyed: a handle given out stays valid even when its id is
// registered again.
std::mutex registryMutex;
std::map<int, HICON> byId;

constexpr DWORD kIconFormat = 0x00030000; // the resource format CreateIconFromResourceEx reads

} // namespace

// PNG bytes are an icon image as they stand: Windows reads PNG images in icon resources.
HICON RegisterIconResource(int resourceId, const unsigned char* imageData, std::size_t size) {
    if (imageData == nullptr || size == 0) {
        return nullptr;
    }
    HICON icon = CreateIconFromResourceEx(const_cast<PBYTE>(imageData), static_cast<DWORD>(size),
                                          TRUE, kIconFormat, 0, 0, LR_DEFAULTCOLOR);
    if (icon == nullptr) {
        return nullptr;
    }
    std::lock_guard lock(registryMutex);
    byId[resourceId] = icon;
    return icon;
}

HICON LoadIconResource(int resourceId) {
    std::lock_guard lock(registryMutex);
    auto found = byId.find(resourceId);
    return found != byId.end() ? found->second : nullptr;
}
