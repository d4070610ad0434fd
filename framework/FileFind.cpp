#include "framework/FileFind.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace {

char LowerAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

// Length of the UTF-8 character starting at text[i]; a stray byte counts as one.
std::size_t CharacterLength(const std::string& text, std::size_t i) {
    unsigned char lead = static_cast<unsigned char>(text[i]);
    std::size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
    return std::min(length, text.size() - i);
}

} // namespace

// Greedy matching with one back-track point: the last '*' seen takes one more
// character whenever the rest fails. Linear in practice, never recursive.
bool WildcardMatch(const std::string& name, const std::string& rawPattern) {
    // On Windows "*.*" also finds names without a dot.
    const std::string pattern = rawPattern == "*.*" ? "*" : rawPattern;
    std::size_t n = 0;
    std::size_t p = 0;
    std::size_t starPattern = std::string::npos;
    std::size_t starName = 0;
    while (n < name.size()) {
        if (p < pattern.size() && pattern[p] == '*') {
            starPattern = p++;
            starName = n;
        } else if (p < pattern.size() && pattern[p] == '?') {
            n += CharacterLength(name, n);
            ++p;
        } else if (p < pattern.size() && LowerAscii(pattern[p]) == LowerAscii(name[n])) {
            ++n;
            ++p;
        } else if (starPattern != std::string::npos) {
            p = starPattern + 1;
            starName += CharacterLength(name, starName);
            n = starName;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*') {
        ++p;
    }
    return p == pattern.size();
}

std::vector<FoundFile> FindFiles(const std::string& folder, const std::string& pattern) {
    std::vector<FoundFile> found;
    std::error_code error;
    std::filesystem::directory_iterator entries(folder, error);
    for (; !error && entries != std::filesystem::directory_iterator(); entries.increment(error)) {
        std::error_code typeError;
        if (!entries->is_regular_file(typeError)) {
            continue;
        }
        std::string name = entries->path().filename().string();
        if (WildcardMatch(name, pattern)) {
            found.push_back({name, folder + "/" + name});
        }
    }
    std::sort(found.begin(), found.end(),
              [](const FoundFile& a, const FoundFile& b) { return a.fileName < b.fileName; });
    return found;
}
