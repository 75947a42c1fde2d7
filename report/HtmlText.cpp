// HTML escaping and base64 (see HtmlText.h).
#include "report/HtmlText.h"

namespace verrask::report {

std::string HtmlEscape(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (char ch : text) {
        switch (ch) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        case '\'':
            out += "&#39;";
            break;
        default:
            out += ch;
        }
    }
    return out;
}

std::string Base64(const std::vector<unsigned char>& bytes) {
    static constexpr char Digits[] =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string out;
    out.reserve((bytes.size() + 2) / 3 * 4);
    std::size_t i = 0;
    for (; i + 3 <= bytes.size(); i += 3) {
        const unsigned v = unsigned{bytes[i]} << 16 | unsigned{bytes[i + 1]} << 8 | bytes[i + 2];
        out += Digits[v >> 18];
        out += Digits[(v >> 12) & 63];
        out += Digits[(v >> 6) & 63];
        out += Digits[v & 63];
    }
    if (const std::size_t left = bytes.size() - i; left > 0) {
        const unsigned v =
            unsigned{bytes[i]} << 16 | (left == 2 ? unsigned{bytes[i + 1]} << 8 : 0u);
        out += Digits[v >> 18];
        out += Digits[(v >> 12) & 63];
        out += left == 2 ? Digits[(v >> 6) & 63] : '=';
        out += '=';
    }
    return out;
}

} // namespace verrask::report
