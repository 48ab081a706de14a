// Input: a mask, a NUL byte, a name. The three entry points must agree and never hang.
#include "finder/WildMatch.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const char* bytes = reinterpret_cast<const char*>(data);
    const void* nul = std::memchr(bytes, 0, size);
    const size_t split = nul ? size_t(static_cast<const char*>(nul) - bytes) : size;
    // Masks and names are short in practice; the star search alone is quadratic.
    const QByteArray pattern(bytes, qsizetype(split < 300 ? split : 300));
    const QByteArray text =
        split < size ? QByteArray(bytes + split + 1, qsizetype(size - split - 1)).left(300)
                     : QByteArray();
    const bool match = WildMatch(pattern, text);
    if ((WildMatchCode(pattern, text) == 1) != match) std::abort();
    const QByteArray lowerPattern = pattern.toLower();
    const QByteArray lowerText = text.toLower();
    bool ascii = true;
    for (char c : pattern + text)
        ascii = ascii && uchar(c) < 128;
    if (ascii && lowerPattern.startsWith('*') && !lowerText.isEmpty() &&
        (WildMatchAfterStar(lowerPattern, lowerText) == 1) != match)
        std::abort();
    return 0;
}
