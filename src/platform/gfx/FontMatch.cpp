// Choosing font files through fontconfig: the face for a logical font and its fallbacks.
#include "platform/gfx/FontMatch.h"

#include <fontconfig/fontconfig.h>

#include <strings.h>

#include <vector>

#include "platform/gfx/Font.h"

// Fontconfig 2.14 loses a few hundred bytes while parsing its configuration in FcInit;
// the leak checker of sanitizer builds would fail every program that draws text. Our own
// fontconfig objects are all destroyed where they are made (see MatchFace).
extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig.so\n"; }

namespace plat::gfx {
namespace {

bool FontconfigReady() {
  static const bool ready = FcInit() == FcTrue;
  return ready;
}

// Faces of the handheld that fontconfig's own aliases do not cover, with the installed
// face that stands in for them. Tried after the name itself, so the real face wins where
// it is installed.
struct FaceAlias {
  const char* name;
  const char* standIn;
};
constexpr FaceAlias kAliases[] = {
    {"Tahoma", "Liberation Sans"},
    {"Courier New", "Liberation Mono"},
    {"Courier", "Liberation Mono"},
    {"Arial", "Liberation Sans"},
    {"Times New Roman", "Liberation Serif"},
};

std::vector<std::string> FamiliesFor(const FontRequest& request) {
  std::vector<std::string> families;
  std::string name = request.faceName;
  int pitch = request.pitchAndFamily & 0x03;
  int family = request.pitchAndFamily & 0xF0;
  // An empty name with no pitch or family asks for the system font, as on the handheld.
  if (name.empty() && pitch == DEFAULT_PITCH && family == FF_DONTCARE) name = "Tahoma";
  if (!name.empty()) {
    families.push_back(name);
    for (const FaceAlias& alias : kAliases) {
      if (strcasecmp(alias.name, name.c_str()) == 0) families.emplace_back(alias.standIn);
    }
  }
  // The pitch and family decide between the generic faces when the name does not exist.
  if (pitch == FIXED_PITCH || family == FF_MODERN) {
    families.emplace_back("monospace");
  } else if (family == FF_ROMAN) {
    families.emplace_back("serif");
  } else if (family == FF_SWISS || pitch == VARIABLE_PITCH) {
    families.emplace_back("sans-serif");
  }
  return families;
}

std::string GetString(FcPattern* pattern, const char* object) {
  FcChar8* value = nullptr;
  if (FcPatternGetString(pattern, object, 0, &value) != FcResultMatch || !value) return {};
  return reinterpret_cast<const char*>(value);
}

int GetInteger(FcPattern* pattern, const char* object, int fallback) {
  int value = 0;
  return FcPatternGetInteger(pattern, object, 0, &value) == FcResultMatch ? value : fallback;
}

}  // namespace

FallbackFaces::~FallbackFaces() {
  if (set) FcFontSetDestroy(set);
}

bool FallbackFaces::Find(char32_t ch, const std::string& primaryFile, FaceChoice& out) const {
  for (int i = 0; i < set->nfont; ++i) {
    FcPattern* font = set->fonts[i];
    FcCharSet* charset = nullptr;
    if (FcPatternGetCharSet(font, FC_CHARSET, 0, &charset) != FcResultMatch) continue;
    if (!FcCharSetHasChar(charset, ch)) continue;
    std::string file = GetString(font, FC_FILE);
    if (file.empty() || file == primaryFile) continue;
    FcBool scalable = FcTrue;
    FcPatternGetBool(font, FC_SCALABLE, 0, &scalable);
    if (!scalable) continue;  // a bitmap strike would not match the font's size
    out.file = file;
    out.index = GetInteger(font, FC_INDEX, 0);
    out.family = GetString(font, FC_FAMILY);
    return true;
  }
  return false;
}

bool MatchFace(const FontRequest& request, FaceChoice& choice, std::unique_ptr<FallbackFaces>* fallbacks) {
  if (!FontconfigReady()) return false;
  FcPattern* pattern = FcPatternCreate();
  if (!pattern) return false;
  for (const std::string& family : FamiliesFor(request)) {
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
  }
  FcPatternAddInteger(pattern, FC_WEIGHT, request.bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
  FcPatternAddInteger(pattern, FC_SLANT, request.italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
  if (request.pixelSize > 0) FcPatternAddDouble(pattern, FC_PIXEL_SIZE, request.pixelSize);
  FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
  FcDefaultSubstitute(pattern);

  FcResult result = FcResultNoMatch;
  FcPattern* match = FcFontMatch(nullptr, pattern, &result);
  bool found = false;
  if (match) {
    choice.file = GetString(match, FC_FILE);
    choice.index = GetInteger(match, FC_INDEX, 0);
    choice.family = GetString(match, FC_FAMILY);
    // Made here rather than trusted to the configuration's synthetic rules, which not
    // every system installs.
    choice.embolden = request.bold && GetInteger(match, FC_WEIGHT, FC_WEIGHT_REGULAR) < FC_WEIGHT_DEMIBOLD;
    choice.oblique = request.italic && GetInteger(match, FC_SLANT, FC_SLANT_ROMAN) == FC_SLANT_ROMAN;
    found = !choice.file.empty();
    FcPatternDestroy(match);
  }
  if (found && fallbacks) {
    // Trimmed: only faces that add characters the ones before them lack.
    FcFontSet* set = FcFontSort(nullptr, pattern, FcTrue, nullptr, &result);
    if (set) *fallbacks = std::make_unique<FallbackFaces>(set);
  }
  FcPatternDestroy(pattern);
  return found;
}

}  // namespace plat::gfx
