// The system code page: 8-bit file text to UTF-16 and back, lossless for every byte sequence.
#pragma once
#include <array>
#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace plat {

// UTF-8 decodes valid sequences and carries every undecodable byte as the lone surrogate
// U+DC80+byte, which encodes back to that byte. A single-byte set converts through a
// 256-entry table built once with iconv; bytes the set leaves undefined are carried the
// same way, so a file that loads always saves back byte for byte.
class CodePage {
 public:
  // The process-wide code page: TOVIN_CODEPAGE when set, else the locale's character set.
  static const CodePage& System();
  // Replaces the process-wide code page (tests, or a user's override read late); null
  // when iconv does not know the name.
  static bool SetSystem(const std::string& name);
  static std::unique_ptr<CodePage> Create(const std::string& name);

  const std::string& Name() const { return name; }
  bool IsUtf8() const { return utf8; }

  // Converts n bytes; out must have room for n units (never more are produced). Returns
  // the number of units written.
  std::size_t ToWide(const char* bytes, std::size_t n, char16_t* out) const;
  // Converts n units; out must have room for MaxBytes(n) bytes. Returns the bytes written.
  std::size_t ToBytes(const char16_t* text, std::size_t n, char* out) const;
  static constexpr std::size_t MaxBytes(std::size_t units) { return units * 3; }

  std::u16string ToWide(std::string_view bytes) const;
  std::string ToBytes(std::u16string_view text) const;

  // Whether the character can be written in this code page as itself.
  bool CanEncode(char16_t c) const;

 private:
  CodePage() = default;
  std::string name;
  bool utf8 = false;
  std::array<char16_t, 256> toWide{};
  std::vector<unsigned char> toByte;  // 65536 entries; meaningful where hasByte is set
  std::vector<bool> hasByte;
};

}  // namespace plat
