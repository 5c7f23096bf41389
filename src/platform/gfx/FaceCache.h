// Process-wide FreeType faces shared by every font of the same file and pixel size (private to gfx).
#pragma once
#include <memory>
#include <string>

struct FT_FaceRec_;

namespace plat::gfx {

class FreeTypeLibrary;

// One opened FT_Face set to one pixel size. Fonts hold it by shared_ptr; the face closes
// when the last font using it goes. Like every font object it belongs to the
// user-interface thread.
class SharedFace {
 public:
  SharedFace(FT_FaceRec_* face, std::shared_ptr<FreeTypeLibrary> library, std::string file);
  ~SharedFace();
  SharedFace(const SharedFace&) = delete;
  SharedFace& operator=(const SharedFace&) = delete;

  FT_FaceRec_* Face() const { return face; }
  const std::string& File() const { return file; }

 private:
  FT_FaceRec_* face;
  // Keeps the library open until its last face is closed, whatever order statics die in.
  std::shared_ptr<FreeTypeLibrary> library;
  std::string file;
};

// The face at index in file, sized to ppemX x ppemY pixels per em (a face of fixed bitmap
// sizes gets its nearest size). Null when the file cannot be opened or sized.
std::shared_ptr<SharedFace> AcquireFace(const std::string& file, int index, int ppemX, int ppemY);

}  // namespace plat::gfx
