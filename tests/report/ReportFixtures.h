// Reading a report back in the report tests: base64, a small XML tag-balance check, and the
// text of an element found by its id.
#pragma once

#include <cctype>
#include <string>
#include <vector>

namespace verrask::report::testing {

inline std::vector<unsigned char> FromBase64(const std::string& text) {
    static const std::string Digits =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::vector<unsigned char> out;
    unsigned bits = 0;
    int count = 0;
    for (char ch : text) {
        if (ch == '=') break;
        bits = bits << 6 | static_cast<unsigned>(Digits.find(ch));
        if ((count += 6) >= 8) {
            count -= 8;
            out.push_back(static_cast<unsigned char>(bits >> count));
        }
    }
    return out;
}

// "" when every element opened in `xml` is closed in order and every '&' starts a reference;
// else what is wrong first.
inline std::string TagBalanceError(const std::string& xml) {
    std::vector<std::string> open;
    for (std::size_t i = 0; i < xml.size(); ++i) {
        if (xml[i] == '&') {
            const std::size_t semi = xml.find(';', i);
            if (semi == std::string::npos || semi == i + 1 || semi - i > 8) return "bare &";
            for (std::size_t k = i + 1; k < semi; ++k)
                if (!std::isalnum(static_cast<unsigned char>(xml[k])) && xml[k] != '#')
                    return "bare &";
            continue;
        }
        if (xml[i] != '<') continue;
        const std::size_t end = xml.find('>', i);
        if (end == std::string::npos) return "unclosed tag";
        const std::string tag = xml.substr(i + 1, end - i - 1);
        i = end;
        if (tag.empty()) return "empty tag";
        if (tag[0] == '!' || tag[0] == '?') continue;
        const bool closing = tag[0] == '/';
        std::size_t nameEnd = closing ? 1 : 0;
        while (nameEnd < tag.size() && !std::isspace(static_cast<unsigned char>(tag[nameEnd])) &&
               tag[nameEnd] != '/')
            ++nameEnd;
        const std::string name = tag.substr(closing ? 1 : 0, nameEnd - (closing ? 1 : 0));
        if (closing) {
            if (open.empty() || open.back() != name) return "</" + name + "> without its start";
            open.pop_back();
        } else if (tag.back() != '/') {
            open.push_back(name);
        }
    }
    return open.empty() ? "" : "<" + open.back() + "> not closed";
}

// The text between the start tag that has id="id" and the next '<' (an element's text).
inline std::string TextById(const std::string& html, const std::string& id) {
    const std::size_t at = html.find("id=\"" + id + "\"");
    if (at == std::string::npos) return "(no " + id + ")";
    const std::size_t start = html.find('>', at) + 1;
    return html.substr(start, html.find('<', start) - start);
}

// Every <svg ...>...</svg> of the page.
inline std::vector<std::string> Svgs(const std::string& html) {
    std::vector<std::string> out;
    for (std::size_t at = html.find("<svg"); at != std::string::npos;
         at = html.find("<svg", at + 1)) {
        const std::size_t end = html.find("</svg>", at);
        if (end == std::string::npos) break;
        out.push_back(html.substr(at, end + 6 - at));
    }
    return out;
}

} // namespace verrask::report::testing
