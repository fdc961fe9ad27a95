#include "companions/engine/user_text_file.h"

#include <fstream>

namespace uvlog {

namespace {

// Windows-1252's 0x80 to 0x9F, the row where it departs from Latin-1.
constexpr char16_t highRow[32] = {0x20AC, 0xFFFD, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                  0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0xFFFD, 0x017D, 0xFFFD,
                                  0xFFFD, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                  0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0xFFFD, 0x017E, 0x0178};

char windows1252Of(char32_t code)
{
    if (code < 0x80 || (code >= 0xA0 && code <= 0xFF))
        return static_cast<char>(code);
    for (int i = 0; i < 32; ++i) {
        if (highRow[i] == code && code != 0xFFFD)
            return static_cast<char>(0x80 + i);
    }
    return '?';
}

// Decodes UTF-8; false at the first byte that is not well-formed UTF-8.
bool decodeUtf8(std::string_view bytes, std::string* out)
{
    std::size_t i = 0;
    while (i < bytes.size()) {
        const unsigned char lead = static_cast<unsigned char>(bytes[i]);
        std::size_t length = 1;
        char32_t code = lead;
        if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4;
            code = lead & 0x07;
        } else if (lead >= 0xE0) {
            length = 3;
            code = lead & 0x0F;
        } else if (lead >= 0xC2 && lead < 0xE0) {
            length = 2;
            code = lead & 0x1F;
        } else if (lead >= 0x80) {
            return false;
        }
        if (i + length > bytes.size())
            return false;
        for (std::size_t k = 1; k < length; ++k) {
            const unsigned char next = static_cast<unsigned char>(bytes[i + k]);
            if ((next & 0xC0) != 0x80)
                return false;
            code = (code << 6) | (next & 0x3F);
        }
        // Overlong forms, surrogates and codes past U+10FFFF are not UTF-8.
        if ((length == 3 && code < 0x800) || (length == 4 && (code < 0x10000 || code > 0x10FFFF)) ||
            (code >= 0xD800 && code <= 0xDFFF))
            return false;
        *out += windows1252Of(code);
        i += length;
    }
    return true;
}

std::string decodeUtf16(std::string_view bytes, bool bigEndian)
{
    std::string out;
    out.reserve(bytes.size() / 2);
    char32_t pendingHigh = 0;
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
        const unsigned char a = static_cast<unsigned char>(bytes[i]);
        const unsigned char b = static_cast<unsigned char>(bytes[i + 1]);
        const char32_t unit = bigEndian ? (a << 8 | b) : (b << 8 | a);
        if (unit >= 0xD800 && unit < 0xDC00) {
            pendingHigh = unit;
            continue;
        }
        // A pair outside the Basic Multilingual Plane: no Windows-1252 letter.
        out += pendingHigh != 0 && unit >= 0xDC00 && unit < 0xE000 ? '?' : windows1252Of(unit);
        pendingHigh = 0;
    }
    return out;
}

}  // namespace

std::string windows1252FromUserText(std::string_view bytes)
{
    if (bytes.substr(0, 2) == "\xFF\xFE")
        return decodeUtf16(bytes.substr(2), false);
    if (bytes.substr(0, 2) == "\xFE\xFF")
        return decodeUtf16(bytes.substr(2), true);
    const bool marked = bytes.substr(0, 3) == "\xEF\xBB\xBF";
    if (marked)
        bytes.remove_prefix(3);
    std::string text;
    text.reserve(bytes.size());
    if (decodeUtf8(bytes, &text))
        return text;
    return std::string(bytes);
}

std::string readUserTextFile(const std::string& path, std::size_t maxBytes)
{
    std::ifstream file(path, std::ios::binary);
    if (!file)
        return {};
    std::string bytes(maxBytes, '\0');
    file.read(&bytes[0], static_cast<std::streamsize>(bytes.size()));
    bytes.resize(static_cast<std::size_t>(file.gcount()));
    return windows1252FromUserText(bytes);
}

}  // namespace uvlog
