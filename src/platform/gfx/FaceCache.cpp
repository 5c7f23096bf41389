// Process-wide FreeType faces shared by every font of the same file and pixel size.
#include "platform/gfx/FaceCache.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <cstdlib>
#include <map>
#include <tuple>

namespace plat::gfx {

class FreeTypeLibrary {
 public:
  FreeTypeLibrary() {
    if (FT_Init_FreeType(&library) != 0) library = nullptr;
  }
  ~FreeTypeLibrary() {
    if (library) FT_Done_FreeType(library);
  }
  FreeTypeLibrary(const FreeTypeLibrary&) = delete;
  FreeTypeLibrary& operator=(const FreeTypeLibrary&) = delete;
  FT_Library library = nullptr;
};

namespace {

struct FaceKey {
  std::string file;
  int index;
  int ppemX;
  int ppemY;
  bool operator<(const FaceKey& o) const {
    return std::tie(file, index, ppemX, ppemY) < std::tie(o.file, o.index, o.ppemX, o.ppemY);
  }
};

struct FaceCache {
  std::shared_ptr<FreeTypeLibrary> library;
  // Weak: the cache never keeps a face alive on its own.
  std::map<FaceKey, std::weak_ptr<SharedFace>> faces;
};

FaceCache& TheCache() {
  static FaceCache cache;
  return cache;
}

// Picks the strike of a bitmap-only face nearest to the wanted height.
bool SelectNearestStrike(FT_Face face, int ppemY) {
  if (face->num_fixed_sizes <= 0) return false;
  int best = 0;
  long bestDistance = -1;
  for (int i = 0; i < face->num_fixed_sizes; ++i) {
    long distance = std::labs(face->available_sizes[i].y_ppem / 64 - ppemY);
    if (bestDistance < 0 || distance < bestDistance) {
      best = i;
      bestDistance = distance;
    }
  }
  return FT_Select_Size(face, best) == 0;
}

}  // namespace

SharedFace::SharedFace(FT_FaceRec_* f, std::shared_ptr<FreeTypeLibrary> lib, std::string path)
    : face(f), library(std::move(lib)), file(std::move(path)) {}

SharedFace::~SharedFace() { FT_Done_Face(face); }

std::shared_ptr<SharedFace> AcquireFace(const std::string& file, int index, int ppemX, int ppemY) {
  if (file.empty() || ppemX <= 0 || ppemY <= 0) return nullptr;
  FaceCache& cache = TheCache();
  if (!cache.library) {
    auto library = std::make_shared<FreeTypeLibrary>();
    if (!library->library) return nullptr;
    cache.library = std::move(library);
  }
  FaceKey key{file, index, ppemX, ppemY};
  if (auto it = cache.faces.find(key); it != cache.faces.end()) {
    if (auto alive = it->second.lock()) return alive;
  }

  FT_Face face = nullptr;
  if (FT_New_Face(cache.library->library, file.c_str(), index, &face) != 0) return nullptr;
  bool sized = FT_IS_SCALABLE(face) ? FT_Set_Pixel_Sizes(face, static_cast<FT_UInt>(ppemX),
                                                         static_cast<FT_UInt>(ppemY)) == 0
                                    : SelectNearestStrike(face, ppemY);
  if (!sized) {
    FT_Done_Face(face);
    return nullptr;
  }
  auto shared = std::make_shared<SharedFace>(face, cache.library, file);

  // Forget faces no font uses any more, so that the map stays the size of what is open.
  if (cache.faces.size() >= 32) {
    for (auto it = cache.faces.begin(); it != cache.faces.end();) {
      it = it->second.expired() ? cache.faces.erase(it) : std::next(it);
    }
  }
  cache.faces[key] = shared;
  return shared;
}

}  // namespace plat::gfx
