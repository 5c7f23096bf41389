// Enumerating the fixed-pitch font families through fontconfig.
#include "platform/gfx/FontFamilies.h"

#include <fontconfig/fontconfig.h>

#include <memory>
#include <unordered_set>

#include "platform/base/Strings.h"

namespace plat::gfx {
namespace {

struct PatternDeleter {
  void operator()(FcPattern* p) const { FcPatternDestroy(p); }
};
struct ObjectSetDeleter {
  void operator()(FcObjectSet* o) const { FcObjectSetDestroy(o); }
};
struct FontSetDeleter {
  void operator()(FcFontSet* s) const { FcFontSetDestroy(s); }
};

}  // namespace

std::vector<std::u16string> ListFixedPitchFamilies() {
  std::vector<std::u16string> names;
  if (FcInit() != FcTrue) return names;
  // Every face with its spacing, filtered here: a pattern holding both spacings would ask
  // for faces that have both.
  std::unique_ptr<FcPattern, PatternDeleter> pattern(FcPatternCreate());
  std::unique_ptr<FcObjectSet, ObjectSetDeleter> objects(FcObjectSetBuild(FC_FAMILY, FC_SPACING, nullptr));
  if (!pattern || !objects) return names;
  std::unique_ptr<FcFontSet, FontSetDeleter> set(FcFontList(nullptr, pattern.get(), objects.get()));
  if (!set) return names;
  std::unordered_set<std::string> seen;
  for (int i = 0; i < set->nfont; ++i) {
    int spacing = FC_PROPORTIONAL;
    FcPatternGetInteger(set->fonts[i], FC_SPACING, 0, &spacing);
    if (spacing != FC_MONO && spacing != FC_DUAL) continue;
    FcChar8* family = nullptr;
    // The first family name is the face's own; later ones are translations and aliases.
    if (FcPatternGetString(set->fonts[i], FC_FAMILY, 0, &family) != FcResultMatch || !family) continue;
    const std::string name(reinterpret_cast<const char*>(family));
    if (!name.empty() && seen.insert(name).second) names.push_back(plat::Widen(name));
  }
  return names;
}

}  // namespace plat::gfx
