// Text put into HTML and SVG, and binary data put into data: URIs.
//
// Computes: the text with & < > " ' replaced by their character references (safe in element
// content and in quoted attribute values); the standard base64 of bytes (RFC 4648, with '='
// padding, no line breaks).
//
// Assumes: the text is UTF-8 (passed through unchanged apart from the five characters).
//
// Holds: the escaped text holds none of < > " ' and no & that does not start a reference.
#pragma once

#include <string>
#include <vector>

namespace verrask::report {

std::string HtmlEscape(const std::string& text);
std::string Base64(const std::vector<unsigned char>& bytes);

} // namespace verrask::report
