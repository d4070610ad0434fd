#include "framework/FileFilter.h"

namespace {

std::string Trim(const std::string& text) {
    std::size_t begin = text.find_first_not_of(" \t");
    if (begin == std::string::npos) {
        return {};
    }
    std::size_t end = text.find_last_not_of(" \t");
    return text.substr(begin, end - begin + 1);
}

std::vector<std::string> Split(const std::string& text, char separator) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    while (true) {
        std::size_t next = text.find(separator, start);
        parts.push_back(text.substr(start, next == std::string::npos ? next : next - start));
        if (next == std::string::npos) {
            return parts;
        }
        start = next + 1;
    }
}

std::vector<std::string> Patterns(const std::string& text) {
    std::vector<std::string> patterns;
    for (const std::string& part : Split(text, ';')) {
        std::string pattern = Trim(part);
        if (pattern == "*.*") {
            pattern = "*"; // Windows' "*.*" also means names without a dot
        }
        if (!pattern.empty()) {
            patterns.push_back(pattern);
        }
    }
    return patterns;
}

} // namespace

std::vector<FileFilter> ParseFileFilter(const char* filter) {
    std::vector<FileFilter> filters;
    if (filter == nullptr) {
        return filters;
    }
    // "||" ends the list; whatever follows is not part of it.
    std::string text = filter;
    std::size_t end = text.find("||");
    if (end != std::string::npos) {
        text.resize(end);
    }
    std::vector<std::string> parts = Split(text, '|');
    for (std::size_t i = 0; i + 1 < parts.size(); i += 2) {
        FileFilter entry{Trim(parts[i]), Patterns(parts[i + 1])};
        if (!entry.patterns.empty()) {
            if (entry.name.empty()) {
                entry.name = Trim(parts[i + 1]);
            }
            filters.push_back(entry);
        }
    }
    return filters;
}

std::string ToNameFilter(const FileFilter& filter) {
    std::string patterns;
    for (const std::string& pattern : filter.patterns) {
        patterns += (patterns.empty() ? "" : " ") + pattern;
    }
    return filter.name + " (" + patterns + ")";
}
