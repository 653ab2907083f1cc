// Base64 (RFC 4648, with padding): how output bytes travel in the server's
// JSON, so that bytes that are not UTF-8 arrive as they were.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

std::string base64(const char* data, std::size_t size);
// The bytes of base64 text; it ends at the first character that is not one
// of base64's (padding included).
std::string base64Decoded(std::string_view text);
