// Bytes written as hexadecimal pairs, blanks and line breaks between them ignored.
#pragma once
#include <string>
#include <string_view>

inline std::string Hex(std::string_view hex) {
  std::string out;
  for (std::size_t i = 0; i + 1 < hex.size(); ++i) {
    if (hex[i] == ' ' || hex[i] == '\n') continue;
    out.push_back(static_cast<char>(std::stoi(std::string(hex.substr(i, 2)), nullptr, 16)));
    ++i;
  }
  return out;
}
