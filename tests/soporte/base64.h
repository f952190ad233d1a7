#pragma once
// Base64 of a byte string in lines of 76 characters ending in CR LF, as
// the attachments of the tests' mails are written.
#include <cstddef>
#include <string>

namespace soporte {

inline std::string Base64(const std::string& b) {
  static const char* t = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  std::string r;
  for (std::size_t i = 0; i < b.size(); i += 3) {
    unsigned v = static_cast<unsigned char>(b[i]) << 16;
    if (i + 1 < b.size()) v |= static_cast<unsigned char>(b[i + 1]) << 8;
    if (i + 2 < b.size()) v |= static_cast<unsigned char>(b[i + 2]);
    r += t[(v >> 18) & 63];
    r += t[(v >> 12) & 63];
    r += i + 1 < b.size() ? t[(v >> 6) & 63] : '=';
    r += i + 2 < b.size() ? t[v & 63] : '=';
    if ((i / 3) % 19 == 18) r += "\r\n";
  }
  return r + "\r\n";
}

}  // namespace soporte
