// see CurrentException.h
#include "download/CurrentException.h"

#include <cxxabi.h>

#include <cstdlib>
#include <exception>
#include <memory>
#include <typeinfo>

namespace {

// The type as written in the source rather than as the compiler encodes it.
std::string ReadableTypeName(const std::type_info* type) {
    if (type == nullptr) {
        return "unknown type";
    }
    int status = 0;
    const std::unique_ptr<char, decltype(&std::free)> readable(
        abi::__cxa_demangle(type->name(), nullptr, nullptr, &status), &std::free);
    return status == 0 && readable ? readable.get() : type->name();
}

} // namespace

std::string DescribeCurrentException() {
    std::string text = ReadableTypeName(abi::__cxa_current_exception_type());
    try {
        throw;
    } catch (const std::exception& error) {
        text.append(": ").append(error.what());
    } catch (...) {
        text.append(": no message");
    }
    return text;
}
