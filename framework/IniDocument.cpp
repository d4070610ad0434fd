#include "framework/IniDocument.h"

#include <algorithm>

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string Trim(const std::string& text) {
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && IsBlank(text[begin])) {
        ++begin;
    }
    while (end > begin && IsBlank(text[end - 1])) {
        --end;
    }
    return text.substr(begin, end - begin);
}

char LowerAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

// Windows compares profile names without case; only ASCII letters fold here, other
// bytes (UTF-8 names) must match exactly.
bool EqualNoCase(const std::string& a, const std::string& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return LowerAscii(x) == LowerAscii(y);
           });
}

std::optional<std::string> SectionName(const std::string& line) {
    std::string trimmed = Trim(line);
    if (trimmed.empty() || trimmed.front() != '[') {
        return std::nullopt;
    }
    std::size_t close = trimmed.find(']');
    std::string name =
        trimmed.substr(1, close == std::string::npos ? std::string::npos : close - 1);
    return Trim(name);
}

bool IsComment(const std::string& line) {
    std::string trimmed = Trim(line);
    return !trimmed.empty() && trimmed.front() == ';';
}

struct KeyValue {
    std::string key;
    std::string value;
};

std::optional<KeyValue> ParseKeyValue(const std::string& line) {
    if (IsComment(line)) {
        return std::nullopt;
    }
    std::size_t equals = line.find('=');
    if (equals == std::string::npos) {
        return std::nullopt;
    }
    std::string value = Trim(line.substr(equals + 1));
    // Windows drops one pair of quotes around a value.
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front()) {
        value = value.substr(1, value.size() - 2);
    }
    return KeyValue{Trim(line.substr(0, equals)), value};
}

bool HasLineBreak(const std::string& text) {
    return text.find_first_of("\r\n") != std::string::npos;
}

// Only the file's last line lacks an ending, and it gets one when a line is added after
// it. A CR at its end followed by LF would read back as a CRLF ending and take the CR
// out of the line ("[CONFIG\r" would turn into a second [CONFIG] header, and a value
// would lose its last byte), so such a line ends with CRLF whatever the file uses.
std::string EndingAfter(const std::string& content, const std::string& ending) {
    return !content.empty() && content.back() == '\r' ? "\r\n" : ending;
}

} // namespace

IniDocument::IniDocument(const std::string& text) {
    const std::string mark = "\xEF\xBB\xBF";
    std::size_t start = 0;
    if (text.compare(0, mark.size(), mark) == 0) {
        byteOrderMark = mark;
        start = mark.size();
    }
    while (start < text.size()) {
        std::size_t newline = text.find('\n', start);
        if (newline == std::string::npos) {
            lines.push_back({text.substr(start), ""});
            break;
        }
        bool crlf = newline > start && text[newline - 1] == '\r';
        std::size_t contentEnd = crlf ? newline - 1 : newline;
        lines.push_back({text.substr(start, contentEnd - start), crlf ? "\r\n" : "\n"});
        start = newline + 1;
    }
}

std::string IniDocument::Text() const {
    std::string text = byteOrderMark;
    for (const Line& line : lines) {
        text += line.content;
        text += line.ending;
    }
    return text;
}

std::optional<IniDocument::SectionSpan> IniDocument::FindSection(const std::string& section) const {
    for (std::size_t i = 0; i < lines.size(); ++i) {
        std::optional<std::string> name = SectionName(lines[i].content);
        if (!name || !EqualNoCase(*name, section)) {
            continue;
        }
        std::size_t end = i + 1;
        while (end < lines.size() && !SectionName(lines[end].content)) {
            ++end;
        }
        return SectionSpan{i, end};
    }
    return std::nullopt;
}

std::optional<std::size_t> IniDocument::FindKey(const SectionSpan& span,
                                                const std::string& key) const {
    for (std::size_t i = span.header + 1; i < span.end; ++i) {
        std::optional<KeyValue> entry = ParseKeyValue(lines[i].content);
        if (entry && EqualNoCase(entry->key, key)) {
            return i;
        }
    }
    return std::nullopt;
}

std::optional<std::string> IniDocument::Find(const std::string& section,
                                             const std::string& key) const {
    std::optional<SectionSpan> span = FindSection(Trim(section));
    if (!span) {
        return std::nullopt;
    }
    std::optional<std::size_t> index = FindKey(*span, Trim(key));
    if (!index) {
        return std::nullopt;
    }
    return ParseKeyValue(lines[*index].content)->value;
}

// New lines follow the file's own convention; a new file gets the Windows one.
std::string IniDocument::NewLineEnding() const {
    for (const Line& line : lines) {
        if (!line.ending.empty()) {
            return line.ending;
        }
    }
    return "\r\n";
}

void IniDocument::Set(const std::string& section, const std::string& key,
                      const std::string& value) {
    std::string ending = NewLineEnding();
    std::string sectionName = Trim(section);
    std::string keyName = Trim(key);
    Line entry{keyName + "=" + value, ending};
    std::optional<SectionSpan> span = FindSection(sectionName);
    if (!span) {
        if (!lines.empty() && lines.back().ending.empty()) {
            lines.back().ending = EndingAfter(lines.back().content, ending);
        }
        lines.push_back({"[" + sectionName + "]", ending});
        lines.push_back(entry);
        return;
    }
    if (std::optional<std::size_t> index = FindKey(*span, keyName)) {
        lines[*index].content = entry.content;
        return;
    }
    // After the section's last non-blank line, so blank lines keep separating sections.
    std::size_t insertAt = span->header + 1;
    for (std::size_t i = span->header + 1; i < span->end; ++i) {
        if (!Trim(lines[i].content).empty()) {
            insertAt = i + 1;
        }
    }
    if (lines[insertAt - 1].ending.empty()) {
        lines[insertAt - 1].ending = EndingAfter(lines[insertAt - 1].content, ending);
        entry.ending = "";
    }
    lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(insertAt), entry);
}

bool IniDocument::RemoveKey(const std::string& section, const std::string& key) {
    std::optional<SectionSpan> span = FindSection(Trim(section));
    if (!span) {
        return false;
    }
    std::optional<std::size_t> index = FindKey(*span, Trim(key));
    if (!index) {
        return false;
    }
    lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(*index));
    return true;
}

bool IniDocument::RemoveSection(const std::string& section) {
    std::optional<SectionSpan> span = FindSection(Trim(section));
    if (!span) {
        return false;
    }
    lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(span->header),
                lines.begin() + static_cast<std::ptrdiff_t>(span->end));
    return true;
}

bool IniDocument::IsStorableSection(const std::string& section) {
    return !HasLineBreak(section) && section.find(']') == std::string::npos &&
           !Trim(section).empty();
}

bool IniDocument::IsStorableKey(const std::string& key) {
    std::string trimmed = Trim(key);
    return !HasLineBreak(key) && !trimmed.empty() && key.find('=') == std::string::npos &&
           trimmed.front() != '[' && trimmed.front() != ';';
}

bool IniDocument::IsStorableValue(const std::string& value) {
    return !HasLineBreak(value);
}
