// wrap-download-key: enciphers a reader's 16-byte download key into the two texts built
// into the program (wrappedKeyHalf1 and wrappedKeyHalf2 in security/DownloadKey.h), so a
// deployer can ship the key of the readers they serve.
//
// Usage:
//   wrap-download-key <key as 32 hexadecimal characters>
//   wrap-download-key --help
//
// Prints the two 16-character halves, one per line, as C++ constants ready to paste.
// Exit status: 0 done, 1 malformed key, 2 wrong usage.

#include "security/DownloadKey.h"
#include "security/Hex.h"

#include <iostream>
#include <string>

namespace {

constexpr int exitMalformedKey = 1;
constexpr int exitUsage = 2;

void PrintUsage(std::ostream& out) {
    out << "Usage: wrap-download-key <download key as 32 hexadecimal characters>\n"
           "Prints the enciphered halves wrappedKeyHalf1 and wrappedKeyHalf2 for\n"
           "security/DownloadKey.h, from which the program rebuilds that key.\n";
}

} // namespace

int main(int argc, char** argv) {
    if (argc == 2 && std::string(argv[1]) == "--help") {
        PrintUsage(std::cout);
        return 0;
    }
    if (argc != 2) {
        PrintUsage(std::cerr);
        return exitUsage;
    }
    const std::string keyText = argv[1];
    if (!IsHexText(keyText, 2 * downloadKeyLength)) {
        std::cerr << "wrap-download-key: the key must be exactly " << 2 * downloadKeyLength
                  << " hexadecimal characters (0-9, A-F), got \"" << keyText << "\" ("
                  << keyText.size() << " characters)\n";
        return exitMalformedKey;
    }
    unsigned char key[downloadKeyLength];
    HexToBytes(keyText, key);
    std::string half1;
    std::string half2;
    WrapDownloadKey(key, CFunction(), half1, half2);
    std::cout << "inline constexpr char wrappedKeyHalf1[] = \"" << half1 << "\";\n"
              << "inline constexpr char wrappedKeyHalf2[] = \"" << half2 << "\";\n";
    return 0;
}
