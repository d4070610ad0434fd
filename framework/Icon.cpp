#include "framework/Icon.h"

#include "framework/IconImage.h"

#include <deque>
#include <map>
#include <mutex>

namespace {

// Images are never freed: a handle given out stays valid even when its id is
// registered again.
std::mutex registryMutex;
std::deque<IconImage> images;
std::map<int, const IconImage*> byId;

} // namespace

HICON RegisterIconResource(int resourceId, const unsigned char* imageData, std::size_t size) {
    QImage image;
    if (imageData == nullptr || size == 0 ||
        !image.loadFromData(imageData, static_cast<qsizetype>(size))) {
        return nullptr;
    }
    std::lock_guard lock(registryMutex);
    images.push_back(IconImage{image});
    byId[resourceId] = &images.back();
    return &images.back();
}

HICON LoadIconResource(int resourceId) {
    std::lock_guard lock(registryMutex);
    auto found = byId.find(resourceId);
    return found != byId.end() ? found->second : nullptr;
}
