// The settings file's INI document on any text, and a change to it with any
// section, key and value. Input: section NUL key NUL value NUL file text.

#include "framework/IniDocument.h"
#include "fuzz/Check.h"
#include "fuzz/Split.h"

namespace {

bool IsBlankOrQuote(char c) {
    return c == ' ' || c == '\t' || c == '"' || c == '\'';
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::vector<std::string> parts = SplitAtNul(data, size, 4);
    const std::string& section = parts[0];
    const std::string& key = parts[1];
    const std::string& value = parts[2];
    const std::string& text = parts[3];

    // Every byte of a file the program only reads is kept.
    IniDocument document(text);
    FUZZ_CHECK(document.Text() == text);
    const std::optional<std::string> before = document.Find(section, key);

    if (IniDocument::IsStorableSection(section) && IniDocument::IsStorableKey(key) &&
        IniDocument::IsStorableValue(value)) {
        document.Set(section, key, value);
        const std::optional<std::string> stored = document.Find(section, key);
        FUZZ_CHECK(stored.has_value());
        // Blanks around a value and a pair of quotes are the file format's own; any
        // other value reads back as it was written, from the document and from its text.
        if (value.empty() || (!IsBlankOrQuote(value.front()) && !IsBlankOrQuote(value.back()))) {
            FUZZ_CHECK(stored == value);
        }
        FUZZ_CHECK(IniDocument(document.Text()).Find(section, key) == stored);
        FUZZ_CHECK(document.RemoveKey(section, key));
    } else {
        FUZZ_CHECK(document.RemoveKey(section, key) == before.has_value());
    }
    document.RemoveSection(section);
    return 0;
}
