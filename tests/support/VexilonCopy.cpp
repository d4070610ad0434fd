#include "tests/support/VexilonCopy.h"

#include <dlfcn.h>
#include <stdexcept>
#include <string>

namespace testsupport {

namespace {

template <typename Function> Function Symbol(void* handle, const char* name) {
    void* address = dlsym(handle, name);
    if (address == nullptr) {
        throw std::runtime_error(std::string("missing export ") + name);
    }
    return reinterpret_cast<Function>(address);
}

} // namespace

VexilonCopy::VexilonCopy(const std::filesystem::path& programFolder) {
    const std::filesystem::path copy = programFolder / "libVexilonDll.so";
    std::filesystem::copy_file(BRIMLET_VEXILON_LIBRARY, copy,
                               std::filesystem::copy_options::overwrite_existing);
    handle_ = dlopen(copy.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle_ == nullptr) {
        throw std::runtime_error(std::string("dlopen failed: ") + dlerror());
    }
    InitPort = Symbol<decltype(&VQ_InitPort)>(handle_, "VQ_InitPort");
    Polling = Symbol<decltype(&VQ_Polling)>(handle_, "VQ_Polling");
    ClosePort = Symbol<decltype(&VQ_ClosePort)>(handle_, "VQ_ClosePort");
}

VexilonCopy::~VexilonCopy() {
    dlclose(handle_);
}

} // namespace testsupport
