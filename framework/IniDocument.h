#pragma once

#include <optional>
#include <string>
#include <vector>

// The text of a Windows INI file, read and changed line by line so that every line
// a change does not touch keeps its bytes, line endings (CRLF or LF) included.
// Any bytes at all are accepted; lines that are neither a section header, a comment
// nor key=value are kept and otherwise ignored.
class IniDocument {
public:
    explicit IniDocument(const std::string& text);

    // The value of key in section: the text after the first '=', blanks around it
    // removed, one pair of enclosing quotes removed. Section and key compare without
    // letter case; the first matching section and key win.
    std::optional<std::string> Find(const std::string& section, const std::string& key) const;

    void Set(const std::string& section, const std::string& key, const std::string& value);
    bool RemoveKey(const std::string& section, const std::string& key);
    bool RemoveSection(const std::string& section);

    std::string Text() const;

    // What can be stored and read back: no line breaks anywhere, a key that is not
    // blank and has no '=' and does not start like a section or a comment, a
    // section name without ']'.
    static bool IsStorableSection(const std::string& section);
    static bool IsStorableKey(const std::string& key);
    static bool IsStorableValue(const std::string& value);

private:
    struct Line {
        std::string content;
        std::string ending; // "\r\n", "\n" or "" for a last line without one
    };
    struct SectionSpan {
        std::size_t header; // index of the [section] line
        std::size_t end;    // one past its last line
    };

    std::optional<SectionSpan> FindSection(const std::string& section) const;
    std::optional<std::size_t> FindKey(const SectionSpan& span, const std::string& key) const;
    std::string NewLineEnding() const;

    std::string byteOrderMark; // a UTF-8 mark some editors put first; kept, never parsed
    std::vector<Line> lines;
};
