// Loading and saving the text: line-end detection, the line-length limit, the code page.
#include "buffer/TextBuffer.h"

#include <algorithm>
#include <atomic>
#include <cstring>
#include <memory>
#include <new>
#include <thread>
#include <utility>
#include <vector>

#include "platform/base/CodePage.h"
#include "platform/base/MessageBox.h"
#include "platform/base/PageMemory.h"
#include "platform/fs/AtomicFile.h"
#include "platform/fs/Files.h"

namespace {

constexpr std::size_t kDetectBlock = 32768;  // line ends are detected from this much only
constexpr std::size_t kReadChunk = std::size_t{1} << 20;
const char* const kLineEnds[] = {"\r\n", "\n\r", "\n"};

int DetectMode(const unsigned char* block, std::size_t n) {
  const void* lf = std::memchr(block, '\n', n);
  if (!lf) return CrlfModeDos;
  const std::size_t at = static_cast<const unsigned char*>(lf) - block;
  if (at > 0 && block[at - 1] == '\r') return CrlfModeDos;
  if (at + 1 < n && block[at + 1] == '\r') return CrlfModeMac;
  return CrlfModeUnix;
}

// A second thread that makes the pages of some ranges present while a large text is
// decoded into them: fresh zeroed pages from the system can cost more than the decoding.
// Each range is taken from its far end back, as the decoding fills it from the front.
// Stop (or the end of the object) comes before any of the ranges is unmapped.
class CPrefaulter {
 public:
  struct Range {
    void* base;
    std::size_t bytes;
  };
  CPrefaulter() = default;
  CPrefaulter(const CPrefaulter&) = delete;
  CPrefaulter& operator=(const CPrefaulter&) = delete;
  ~CPrefaulter() { Stop(); }

  // Starts on the ranges; without a thread to be had, the pages come on first touch.
  void Start(std::vector<Range> ranges) {
    Stop();
    stop.store(false);
    try {
      thread = std::thread([ranges = std::move(ranges), this] {
        for (const Range& r : ranges)
          if (!plat::PrefaultPages(r.base, r.bytes, &stop)) return;
      });
    } catch (...) {
      // No thread: the pages come on first touch.
    }
  }
  void Stop() {
    if (!thread.joinable()) return;
    stop.store(true);
    thread.join();
  }

 private:
  std::thread thread;
  std::atomic<bool> stop{false};
};

}  // namespace

// Splits the bytes of a file into lines as they arrive, chunk by chunk.
class CBufferLoader {
 public:
  CBufferLoader(CCrystalTextBuffer& buffer, int mode, long long fileSize)
      : buffer(buffer), codePage(plat::CodePage::System()) {
    const char* seq = kLineEnds[mode];
    seqLen = std::strlen(seq);
    first = static_cast<unsigned char>(seq[0]);
    last = static_cast<unsigned char>(seq[seqLen - 1]);
    // Loaded text never has more units than bytes, packed line after line; the unused end
    // of the reservation is given back when the text is in.
    const std::size_t bytes = fileSize > 0 ? static_cast<std::size_t>(fileSize) : 0;
    fileBytes = bytes;
    chunkUnits = bytes + bytes / 2 + 4096;
    if (chunkUnits > (std::size_t{512} << 20)) chunkUnits = std::size_t{512} << 20;
    // Whether a tab turns up is told by the bytes when the tab is byte 9 and no other byte
    // stands for one (so in UTF-8 and in the usual single-byte code pages).
    int tabBytes = 0;
    for (int b = 0; b < 256; ++b) {
      const char byte = static_cast<char>(b);
      char16_t wide[4];
      if (codePage.ToWide(&byte, 1, wide) == 1 && wide[0] == u'\t') tabBytes += b == '\t' ? 1 : 2;
    }
    sawTab = tabBytes != 1;  // otherwise a tab cannot be told from the bytes: assume one
  }

  // Consumes data[0..n); returns how many bytes at the end form an unfinished line.
  // Sets tooLong when a line reaches the limit.
  std::size_t Scan(const unsigned char* data, std::size_t n) {
    if (!sawTab && std::memchr(data, '\t', n)) sawTab = true;
    std::size_t lineStart = 0, pos = 0;
    while (pos < n) {
      const void* hit = std::memchr(data + pos, last, n - pos);
      if (!hit) break;
      const std::size_t at = static_cast<const unsigned char*>(hit) - data;
      std::size_t contentEnd = at;
      bool ends = true;
      if (seqLen == 2) {
        // The sequence matches from a fresh start only: a run of k copies of its first byte
        // leaves the match index at k mod 2, so only an odd run completes it.
        std::size_t run = 0;
        while (at - run > lineStart && data[at - run - 1] == first) ++run;
        ends = (run & 1) != 0;
        contentEnd = at - 1;
      }
      pos = at + 1;
      if (!ends) continue;
      if (pos - lineStart >= static_cast<std::size_t>(CCrystalTextBuffer::kMaxLineBytes)) {
        tooLong = true;
        return 0;
      }
      StoreLine(data + lineStart, contentEnd - lineStart);
      lineStart = pos;
    }
    if (n - lineStart >= static_cast<std::size_t>(CCrystalTextBuffer::kMaxLineBytes)) tooLong = true;
    return n - lineStart;
  }

  void StoreLine(const unsigned char* bytes, std::size_t n) {
    // One unit of header, the line's room (loaded lines are far shorter than 65536 units),
    // then the text, so that an edit that does not make the line longer stays in place.
    char16_t* dst = buffer.arena.Reserve(n + 17, chunkUnits);
    if (!dst) throw std::bad_alloc();
    const std::size_t units = codePage.ToWide(reinterpret_cast<const char*>(bytes), n, dst + 1);
    dst[0] = static_cast<char16_t>(units);
    LineRecord rec;
    rec.text = dst + 1;
    rec.length = static_cast<std::int32_t>(units);
    buffer.arena.Commit(units + 1);
    buffer.lines.PushBack(rec);
    unitsStored += units + 1;
  }

  // After the first read of a large file: the rest will need about as many units and
  // lines a byte as the bytes so far did (never more than one a byte). The pages for
  // them are made ready ahead, on a second thread.
  void PrefaultRest(std::size_t consumed, CPrefaulter& prefaulter) {
    if (consumed == 0 || consumed >= fileBytes || fileBytes < kPrefaultFrom || !buffer.arena.Next()) return;
    const double rest = static_cast<double>(fileBytes - consumed);
    const double unitsPerByte = std::min(1.0, static_cast<double>(unitsStored) / static_cast<double>(consumed));
    const double linesPerByte = std::min(1.0, static_cast<double>(buffer.lines.Count()) / static_cast<double>(consumed));
    const std::size_t units = std::min(buffer.arena.Room(), static_cast<std::size_t>(rest * unitsPerByte) + 1);
    std::vector<CPrefaulter::Range> ranges;
    const auto records = buffer.lines.ReserveForAppend(static_cast<int>(std::min(rest * linesPerByte, 2e9)));
    if (records.first) ranges.push_back({records.first, records.second});
    ranges.push_back({buffer.arena.Next(), units * sizeof(char16_t)});
    prefaulter.Start(std::move(ranges));
  }

  bool tooLong = false;
  bool sawTab = false;  // some line may hold a tab

 private:
  CCrystalTextBuffer& buffer;
  const plat::CodePage& codePage;
  std::size_t seqLen;
  unsigned char first, last;
  std::size_t chunkUnits;
  std::size_t fileBytes = 0;
  std::size_t unitsStored = 0;  // units put in the arena, headers included
  static constexpr std::size_t kPrefaultFrom = std::size_t{16} << 20;  // smaller files: not worth a thread
};

bool CCrystalTextBuffer::LoadFromFile(std::u16string_view path, int mode) {
  FreeAll();
  const DWORD attributes = plat::fs::GetFileAttributes(path);
  plat::fs::File file;
  bool readFailed = false;
  bool tooLong = false;
  std::unique_ptr<unsigned char[]> chunk(new unsigned char[kReadChunk + kMaxLineBytes]);

  std::size_t got = 0;
  const bool opened = attributes != plat::fs::INVALID_FILE_ATTRIBUTES &&
                      file.Open(path, plat::fs::File::Access::Read) == plat::ERROR_SUCCESS;
  if (opened && file.Read(chunk.get(), kReadChunk, got) != plat::ERROR_SUCCESS) {
    readFailed = true;
    got = 0;
  }
  if (mode == CrlfModeAuto) {
    if (opened && !readFailed) crlfMode = DetectMode(chunk.get(), got < kDetectBlock ? got : kDetectBlock);
  } else {
    SetCRLFMode(mode);
  }

  CBufferLoader loader(*this, crlfMode, opened ? file.Size() : 0);
  std::size_t carry = 0;  // bytes of an unfinished line at the front of the chunk
  std::size_t have = got;
  CPrefaulter prefaulter;
  bool firstRead = true;
  while (have > 0) {
    const bool more = have - carry == kReadChunk;
    const std::size_t left = loader.Scan(chunk.get(), have);
    if (loader.tooLong) break;
    if (firstRead) loader.PrefaultRest(have - left, prefaulter);
    firstRead = false;
    std::memmove(chunk.get(), chunk.get() + have - left, left);
    carry = left;
    if (!more) break;
    std::size_t n = 0;
    if (file.Read(chunk.get() + carry, kReadChunk, n) != plat::ERROR_SUCCESS) {
      readFailed = true;
      break;
    }
    have = carry + n;
    if (n == 0) break;
  }
  tooLong = loader.tooLong;
  mayHoldTabs = loader.sawTab;
  if (!tooLong) loader.StoreLine(chunk.get(), carry);  // the last line, possibly empty
  prefaulter.Stop();
  lines.DropReserve();
  arena.Trim();
  file.Close();

  initialized = true;
  readOnly = attributes == plat::fs::INVALID_FILE_ATTRIBUTES || (attributes & plat::fs::FILE_ATTRIBUTE_READONLY);
  modified = false;
  undoPosition = 0;
  savePoint = 0;
  undoGroupOpen = false;
  beginGroupPending = false;

  if (tooLong) {
    FreeAll();
    InitNew(CrlfModeDos);
    plat::MessageBox(
        plat::GetAppName() + u" is unable to open files that contain more than 2048 characters on a single line.",
        plat::MB_OK);
    return false;
  }
  // A read that failed part-way keeps what was read, but the text must not be saved over
  // the file as if it were whole.
  if (readFailed) readOnly = true;
  UpdateViews(nullptr, nullptr, UpdateReset, -1);
  return !readFailed;
}

bool CCrystalTextBuffer::SaveToFile(std::u16string_view path, int mode, bool clearModified) {
  if (mode == CrlfModeAuto) mode = crlfMode;
  if (mode < 0 || mode > 2) mode = CrlfModeDos;
  const char* eol = kLineEnds[mode];
  const std::size_t eolLen = std::strlen(eol);
  const plat::CodePage& cp = plat::CodePage::System();

  plat::fs::AtomicFile out;
  // A failure leaves its handheld error number as the last error, for the message shown.
  auto fail = [](std::uint32_t error) {
    plat::SetLastError(error ? error : plat::ERROR_GEN_FAILURE);
    return false;
  };
  if (const auto e = out.Begin(path, u"CRE")) return fail(e);
  // Lines are encoded straight into the file's buffer; a line too long for one piece is
  // encoded in pieces (never splitting a surrogate pair).
  constexpr std::size_t kPiece = 64 * 1024;
  const int count = lines.Count();
  // Lines as loaded lie one after the other, one unit apart. With a one-byte line end such
  // a run, up to a piece, is encoded in one pass and the units between become line ends,
  // when every unit came out as one byte (which a unit of those between always does where
  // the whole run is ASCII); otherwise the run's lines go line by line, and no run is
  // tried again before its end.
  int oneByOneUntil = 0;
  auto encodeRun = [&](int first, int& next) {
    if (eolLen != 1 || first < oneByOneUntil) return true;
    const LineRecord& head = lines[first];
    if (!head.text) return true;
    const char16_t* begin = head.text;
    const char16_t* end = begin + head.length;
    int e = first + 1;
    for (; e < count; ++e) {
      const LineRecord& r = lines[e];
      if (r.text != end + 1 || static_cast<std::size_t>(r.text + r.length - begin) > kPiece) break;
      end = r.text + r.length;
    }
    if (e - first < 2) return true;
    const auto units = static_cast<std::size_t>(end - begin);
    char* dst = out.Reserve(plat::CodePage::MaxBytes(units) + 1);
    if (!dst) return false;
    std::size_t n = cp.ToBytes(begin, units, dst);
    if (n != units) {
      out.Wrote(0);  // the room goes back; the lines go one by one
      oneByOneUntil = e;
      return true;
    }
    for (int k = first + 1; k < e; ++k) dst[lines[k].text - 1 - begin] = eol[0];
    if (e < count) dst[n++] = eol[0];
    out.Wrote(n);
    next = e;
    return true;
  };
  for (int i = 0; i < count;) {
    int next = i;
    if (!encodeRun(i, next)) return fail(out.Write(nullptr, 0));
    if (next > i) {
      i = next;
      continue;
    }
    const LineRecord& rec = lines[i];
    std::size_t done = 0;
    const auto length = static_cast<std::size_t>(rec.length);
    while (done < length) {
      std::size_t take = std::min(kPiece, length - done);
      if (done + take < length && rec.text[done + take - 1] >= 0xD800 && rec.text[done + take - 1] <= 0xDBFF) --take;
      char* dst = out.Reserve(plat::CodePage::MaxBytes(take) + eolLen);
      if (!dst) return fail(out.Write(nullptr, 0));
      std::size_t n = cp.ToBytes(rec.text + done, take, dst);
      done += take;
      if (done == length && i + 1 < count) {
        std::memcpy(dst + n, eol, eolLen);
        n += eolLen;
      }
      out.Wrote(n);
    }
    if (length == 0 && i + 1 < count) {
      if (const auto e = out.Write(eol, eolLen)) return fail(e);
    }
    ++i;
  }
  if (const auto e = out.Commit()) return fail(e);
  if (clearModified) {
    SetModified(false);
    savePoint = undoPosition;
  }
  return true;
}
