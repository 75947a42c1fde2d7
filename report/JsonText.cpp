// The JSON text writer (see JsonText.h).
#include "report/JsonText.h"

#include <cmath>
#include <cstdio>

namespace verrask::report {

namespace {

// The length of the valid UTF-8 sequence at `at`, or 0 when the byte there starts none.
std::size_t Utf8Length(std::string_view s, std::size_t at) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(s[i]); };
    const unsigned char lead = byte(at);
    std::size_t length = 0;
    unsigned long code = 0, least = 0;
    if (lead < 0x80) return 1;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2, code = lead & 0x1Fu, least = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3, code = lead & 0x0Fu, least = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4, code = lead & 0x07u, least = 0x10000;
    } else {
        return 0; // a continuation byte, or a lead that only overlong or too large forms have
    }
    if (at + length > s.size()) return 0;
    for (std::size_t i = 1; i < length; ++i) {
        if ((byte(at + i) & 0xC0u) != 0x80u) return 0;
        code = code << 6 | (byte(at + i) & 0x3Fu);
    }
    if (code < least || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return 0;
    return length;
}

} // namespace

std::string JsonString(std::string_view s) {
    std::string out = "\"";
    for (std::size_t i = 0; i < s.size();) {
        const auto ch = static_cast<unsigned char>(s[i]);
        if (ch == '"' || ch == '\\') {
            out += '\\';
            out += static_cast<char>(ch);
            ++i;
        } else if (ch < 0x20) {
            char buffer[8];
            std::snprintf(buffer, sizeof buffer, "\\u%04x", ch);
            out += buffer;
            ++i;
        } else if (const std::size_t n = Utf8Length(s, i); n > 0) {
            out.append(s.substr(i, n));
            i += n;
        } else {
            out += "\xEF\xBF\xBD"; // U+FFFD for the one byte that starts no valid sequence
            ++i;
        }
    }
    return out + "\"";
}

std::string JsonNumber(long double v) {
    if (!std::isfinite(v)) return "null";
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.10Lg", v);
    return buffer;
}

std::string JsonMember(std::string_view name, const std::string& value) {
    std::string out = "\"";
    out += name;
    out += "\":";
    return out + value;
}

namespace {

std::string Join(const std::vector<std::string>& items, char open, char close) {
    std::string out(1, open);
    for (const std::string& item : items) {
        if (item.empty()) continue;
        if (out.size() > 1) out += ',';
        out += item;
    }
    return out + close;
}

} // namespace

std::string JsonObject(const std::vector<std::string>& members) {
    return Join(members, '{', '}');
}
std::string JsonArray(const std::vector<std::string>& items) {
    return Join(items, '[', ']');
}

} // namespace verrask::report
