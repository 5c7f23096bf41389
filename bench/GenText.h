// Seeded generator of the C-like text that the benchmarks and the peer comparisons run on.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace bench {

// The same seed always gives the same bytes, on every compiler: the generator uses its own
// random source and no standard distribution (their results differ between libraries).
inline constexpr std::uint64_t kTextSeed = 0x7031'0BE5'C0DE'2024ULL;

// One megabyte as the figures we stand beside count it.
inline constexpr std::size_t kMegabyte = 1000 * 1000;

// Lines of C-like text: declarations, assignments, calls, if/for openers, closing braces
// with block comments, returns, one-line comments and a few blank lines, indented by the
// nesting the openers and closers make (0-3 levels of four spaces). Non-blank lines hold 20
// to 80 characters. About 40 identifiers, of which `foo` is 3.5% of uses, with `Foo`, `FOO`
// and `foobar` beside it so that case and whole-word searches have something to skip.
class CTextGenerator {
 public:
  explicit CTextGenerator(std::uint64_t seed = kTextSeed) : state(seed) {}

  // Appends the next line, without its line end.
  void AppendLine(std::string& out) {
    if (Below(100) < 4) return;  // a blank line
    for (;;) {
      line.clear();
      const int kind = PickKind();
      for (int i = 0; i < depth * 4 + (kind == kClose ? -4 : 0); ++i) line += ' ';
      BuildBody(kind);
      // Lines outside 20..80 are drawn again, so the bounds hold exactly.
      if (line.size() < 20 || line.size() > 80) continue;
      if (kind == kIf || kind == kFor) ++depth;
      if (kind == kClose) --depth;
      out += line;
      return;
    }
  }

 private:
  enum { kDecl, kAssign, kCall, kIf, kFor, kClose, kReturn, kComment };

  // splitmix64: small, fast and the same everywhere.
  std::uint64_t Next() {
    std::uint64_t z = (state += 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
  }
  // Uniform in [0, n) by multiplying the top 32 bits (bias below 2^-32 for our small n).
  unsigned Below(unsigned n) { return static_cast<unsigned>(((Next() >> 32) * n) >> 32); }

  int PickKind() {
    // Weights in tenths of a percent. Openers and closers balance over time because a
    // closer is only drawn inside a block and an opener only below the deepest level.
    static constexpr int kWeights[] = {180, 340, 80, 70, 40, 110, 60, 120};
    for (;;) {
      unsigned r = Below(1000);
      int kind = 0;
      while (r >= static_cast<unsigned>(kWeights[kind])) r -= static_cast<unsigned>(kWeights[kind++]);
      if ((kind == kIf || kind == kFor) && depth >= 3) continue;
      if (kind == kClose && depth == 0) continue;
      return kind;
    }
  }

  void Identifier() {
    // Per ten thousand draws: foo 360, Foo 60, FOO 50, foobar 80; the other 36 share the
    // rest evenly. Counted in the text (redrawn lines and the type name `node` included) foo
    // is then 3.56% of identifier uses: 369,736 whole words in 100 MB, beside the 369,878 of
    // the text our peer figures were taken on.
    static constexpr std::string_view kOthers[] = {
        "bar",   "baz",  "qux",  "count", "index", "total", "size",   "len",   "buf",
        "ptr",   "node", "next", "prev",  "head",  "tail",  "key",    "value", "result",
        "state", "flags", "mode", "offset", "width", "height", "left", "right", "top",
        "bottom", "data", "item", "list",  "temp",  "limit", "step",  "pos",   "err"};
    const unsigned r = Below(10000);
    if (r < 360) line += "foo";
    else if (r < 420) line += "Foo";
    else if (r < 470) line += "FOO";
    else if (r < 550) line += "foobar";
    else line += kOthers[(r - 550) * 36 / 9450];
  }

  void Function() {
    static constexpr std::string_view kNames[] = {"compute", "update", "lookup",   "insert", "remove",   "process",
                                                  "encode",  "decode", "validate", "reset",  "allocate", "release"};
    line += kNames[Below(12)];
  }

  void Number() {
    // Small numbers are the common case in code; the rest spread up to 4096.
    line += std::to_string(Below(3) == 0 ? Below(4097) : Below(17));
  }

  void Term() {
    const unsigned r = Below(100);
    if (r < 65) {
      Identifier();
    } else if (r < 68) {
      Number();
    } else if (r < 82) {
      Identifier();
      line += '[';
      Identifier();
      line += ']';
    } else if (r < 94) {
      Identifier();
      line += "->";
      Identifier();
    } else {
      Function();
      line += '(';
      Identifier();
      line += ')';
    }
  }

  void Expression(int maxTerms) {
    static constexpr std::string_view kOps[] = {" + ", " - ", " * ", " / ", " & ", " | ", " << ", " % "};
    const int terms = 1 + static_cast<int>(Below(static_cast<unsigned>(maxTerms)));
    for (int i = 0; i < terms; ++i) {
      if (i) line += kOps[Below(8)];
      Term();
    }
  }

  void Condition() {
    static constexpr std::string_view kRel[] = {" == ", " != ", " < ", " > ", " <= ", " >= "};
    Expression(3);
    line += kRel[Below(6)];
    Expression(3);
    if (Below(3) == 0) {
      line += Below(2) ? " && " : " || ";
      Identifier();
      line += kRel[Below(6)];
      Term();
    }
  }

  void Words(int n) {
    static constexpr std::string_view kWords[] = {"the", "check", "before", "after", "when", "keep",  "skip",
                                                  "move", "into", "from",  "past",  "clamp", "reset", "each"};
    for (int i = 0; i < n; ++i) {
      if (i) line += ' ';
      if (Below(4) != 0) Identifier();
      else line += kWords[Below(14)];
    }
  }

  void BuildBody(int kind) {
    static constexpr std::string_view kTypes[] = {"int ", "long ", "unsigned ", "size_t ", "char *", "double ",
                                                  "short ", "struct node *"};
    static constexpr std::string_view kAssignOps[] = {" = ", " = ", " = ", " += ", " -= ", " |= "};
    switch (kind) {
      case kDecl:
        line += kTypes[Below(8)];
        Identifier();
        if (Below(5) == 0) {
          line += '[';
          Number();
          line += "];";
        } else {
          line += " = ";
          Expression(4);
          line += ';';
        }
        break;
      case kAssign:
        Identifier();
        if (Below(5) == 0) {
          line += '[';
          Identifier();
          line += ']';
        }
        line += kAssignOps[Below(6)];
        Expression(5);
        line += ';';
        break;
      case kCall:
        Function();
        line += '(';
        for (int i = 0, n = 2 + static_cast<int>(Below(3)); i < n; ++i) {
          if (i) line += ", ";
          Term();
        }
        line += ");";
        break;
      case kIf:
        line += "if (";
        Condition();
        line += ") {";
        break;
      case kFor: {
        line += "for (";
        const std::size_t at = line.size();
        Identifier();
        const std::string var = line.substr(at);
        line += " = 0; ";
        line += var;
        line += " < ";
        Term();
        line += "; ";
        line += var;
        line += "++) {";
        break;
      }
      case kClose:
        line += "} /* ";
        Words(2 + static_cast<int>(Below(4)));
        line += " */";
        break;
      case kReturn:
        line += "return ";
        Expression(4);
        line += ';';
        break;
      default:
        line += "// ";
        Words(3 + static_cast<int>(Below(6)));
        break;
    }
  }

  std::uint64_t state;
  int depth = 0;
  std::string line;
};

// Text of whole lines, each with its line end, up to lfBytes counted with LF line ends: the
// CR LF form has the same lines, so both forms hold the same words, and it is longer by one
// byte a line. sink(bytes) receives it in pieces of about a megabyte.
template <class Sink>
void GenerateText(std::size_t lfBytes, bool crlf, Sink&& sink, std::uint64_t seed = kTextSeed) {
  CTextGenerator gen(seed);
  std::string piece, next;
  std::size_t total = 0;
  for (;;) {
    next.clear();
    gen.AppendLine(next);
    if (total + next.size() + 1 > lfBytes) break;
    total += next.size() + 1;
    piece += next;
    piece += crlf ? "\r\n" : "\n";
    if (piece.size() >= (std::size_t{1} << 20)) {
      sink(std::string_view(piece));
      piece.clear();
    }
  }
  if (!piece.empty()) sink(std::string_view(piece));
}

inline std::string GenerateText(std::size_t lfBytes, bool crlf, std::uint64_t seed = kTextSeed) {
  std::string text;
  text.reserve(lfBytes + (crlf ? lfBytes / 30 : 0));
  GenerateText(lfBytes, crlf, [&](std::string_view s) { text += s; }, seed);
  return text;
}

}  // namespace bench
