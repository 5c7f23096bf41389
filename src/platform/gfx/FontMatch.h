// Choosing font files through fontconfig: the face for a logical font and its fallbacks (private to gfx).
#pragma once
#include <memory>
#include <string>

struct _FcFontSet;

namespace plat::gfx {

struct FontRequest {
  std::string faceName;  // UTF-8; empty asks for the system's default face
  bool bold = false;
  bool italic = false;
  int pitchAndFamily = 0;
  int pixelSize = 0;  // em size, a hint for faces that differ by size
};

struct FaceChoice {
  std::string file;
  int index = 0;
  std::string family;
  // Styles the file lacks, to be made by slanting or thickening the outlines.
  bool embolden = false;
  bool oblique = false;
};

// The faces fontconfig would use after the chosen one, in its order, with the characters
// each covers. Built once when a font is created; consulted only when a character is first
// drawn and the font's own face lacks it.
class FallbackFaces {
 public:
  explicit FallbackFaces(_FcFontSet* set) : set(set) {}
  ~FallbackFaces();
  FallbackFaces(const FallbackFaces&) = delete;
  FallbackFaces& operator=(const FallbackFaces&) = delete;

  // The first face after primaryFile that has the character.
  bool Find(char32_t ch, const std::string& primaryFile, FaceChoice& out) const;

 private:
  _FcFontSet* set;
};

// Resolves a request as fontconfig substitutes: "Courier New" gives its metric-compatible
// twin, a name that does not exist gives the configured default. False when the system has
// no font file at all.
bool MatchFace(const FontRequest& request, FaceChoice& choice, std::unique_ptr<FallbackFaces>* fallbacks);

}  // namespace plat::gfx
