// Fuzz target: the text loader. Every text that loads saves back byte for byte, and after
// edits chosen by the input's own bytes, undoing them all gives those bytes again.
#include <algorithm>

#include "FuzzDevice.h"
#include "buffer/TextBuffer.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  fuzz::SetUpDevice();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::u16string in = fuzz::WriteInput("in.txt", data, size);
  CCrystalTextBuffer buffer;
  if (!buffer.LoadFromFile(in)) return 0;  // refused for a line too long
  FUZZ_CHECK(buffer.GetLineCount() >= 1);
  FUZZ_CHECK(buffer.SaveToFile(u"\\My Documents\\out.txt"));
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  FUZZ_CHECK(fuzz::ReadHost("out.txt") == bytes);
  if (buffer.GetReadOnly()) return 0;
  // A carriage return that a line holds as text (a stray one in an LF file) comes back from
  // undo as a line break, since a CR in inserted text ends a line: such texts are not edited.
  for (int i = 0; i < buffer.GetLineCount(); ++i)
    for (int j = 0; j < buffer.GetLineLength(i); ++j)
      if (buffer.GetLineChars(i)[j] == u'\r') return 0;

  // Up to 64 edits, four input bytes each: what, which line, where in it, and how much.
  static const char16_t* const kTexts[] = {u"x", u"\t", u"\r", u"ab\rcd", u"\r\n\r", u"\u00e9\u20ac"};
  for (std::size_t k = 0; k + 4 <= size && k < 256; k += 4) {
    const int count = buffer.GetLineCount();
    const int line = (data[k + 1] * 256 + data[k + 2]) % count;
    const int length = buffer.GetLineLength(line);
    const int pos = data[k + 3] % (length + 1);
    int endLine = 0, endChar = 0;
    if (data[k] % 2) {
      FUZZ_CHECK(buffer.InsertText(nullptr, line, pos, kTexts[data[k] / 2 % 6], endLine, endChar));
    } else {
      // To the end of the line, or across a line end when the line is short.
      const int last = std::min(count - 1, line + data[k] / 2 % 3);
      buffer.DeleteText(nullptr, line, pos, last, last == line ? length : std::min(buffer.GetLineLength(last), pos));
    }
  }
  CPoint cursor;
  while (buffer.CanUndo()) FUZZ_CHECK(buffer.Undo(cursor));
  FUZZ_CHECK(buffer.SaveToFile(u"\\My Documents\\out.txt"));
  // At most 64 records, well inside the history: everything was undone.
  FUZZ_CHECK(fuzz::ReadHost("out.txt") == bytes);
  return 0;
}
