// CDC::DrawText: labels and paragraphs laid out in a rectangle, for the controls.
#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/gfx/DC.h"
#include "platform/gfx/FontInstance.h"
#include "platform/gfx/Geometry.h"

namespace {

constexpr char16_t kEllipsis[] = u"...";

// A line of the layout: a stretch of the text, or its shortened form with an ellipsis.
struct TextLine {
  std::size_t start = 0;
  std::size_t length = 0;
  std::u16string shortened;
  bool isShortened = false;
};

// Takes the '&' prefixes out: "&&" is one ampersand, "&x" shows x underlined (its index in
// the result goes to underline).
std::u16string StripPrefixes(std::u16string_view text, std::ptrdiff_t& underline) {
  std::u16string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == u'&' && i + 1 < text.size()) {
      ++i;
      if (text[i] != u'&') underline = static_cast<std::ptrdiff_t>(out.size());
    }
    out.push_back(text[i]);
  }
  return out;
}

}  // namespace

int CDC::DrawText(const char16_t* text, int count, CRect* rect, UINT format) {
  if (!rect || !fontImpl) return 0;
  if (!text) count = 0;
  if (count < 0) count = static_cast<int>(std::min<std::size_t>(std::char_traits<char16_t>::length(text), INT32_MAX));
  std::ptrdiff_t underline = -1;
  const std::u16string_view source(text ? text : u"", static_cast<std::size_t>(count));
  const std::u16string body = (format & DT_NOPREFIX) ? std::u16string(source) : StripPrefixes(source, underline);
  const int width = std::max(0, rect->Width());

  auto extentOf = [this](const char16_t* s, std::size_t n) {
    return GetTextExtent(s, static_cast<int>(n)).cx;
  };
  auto unitsFitting = [this](const char16_t* s, std::size_t n, int room) {
    int fit = 0;
    GetTextExtentExPoint(s, static_cast<int>(n), room, &fit, nullptr, nullptr);
    return static_cast<std::size_t>(fit);
  };

  // Lines: the whole text on one, or one per line break, each wrapped at spaces to the
  // width with DT_WORDBREAK. A word longer than the width stays whole (and is clipped).
  std::vector<TextLine> lines;
  auto addParagraph = [&](std::size_t start, std::size_t end) {
    if (!(format & DT_WORDBREAK) || start == end) {
      lines.push_back(TextLine{start, end - start, {}, false});
      return;
    }
    std::size_t pos = start;
    while (pos < end) {
      const std::size_t fit = unitsFitting(body.data() + pos, end - pos, width);
      std::size_t stop = end;
      if (pos + fit < end) {
        std::size_t k = pos + fit;
        while (k > pos && body[k] != u' ') --k;
        if (k == pos) {
          k = pos + std::max<std::size_t>(fit, 1);
          while (k < end && body[k] != u' ') ++k;
        }
        stop = k;
      }
      lines.push_back(TextLine{pos, stop - pos, {}, false});
      pos = stop;
      while (pos < end && body[pos] == u' ') ++pos;
    }
  };
  if (format & DT_SINGLELINE) {
    addParagraph(0, body.size());
  } else {
    std::size_t start = 0;
    for (std::size_t i = 0; i <= body.size(); ++i) {
      if (i == body.size() || body[i] == u'\r' || body[i] == u'\n') {
        addParagraph(start, i);
        if (i + 1 < body.size() && body[i] == u'\r' && body[i + 1] == u'\n') ++i;
        start = i + 1;
      }
    }
  }

  if (format & DT_END_ELLIPSIS) {
    const int ellipsisWidth = extentOf(kEllipsis, 3);
    for (TextLine& line : lines) {
      if (extentOf(body.data() + line.start, line.length) <= width) continue;
      const std::size_t keep = unitsFitting(body.data() + line.start, line.length, std::max(0, width - ellipsisWidth));
      line.shortened = body.substr(line.start, keep) + kEllipsis;
      line.isShortened = true;
    }
  }

  const int lineHeight = fontImpl->Metrics().height;
  const int totalHeight = static_cast<int>(std::min<std::size_t>(lines.size(), plat::gfx::kCoordLimit / std::max(1, lineHeight))) * lineHeight;
  auto textOf = [&](const TextLine& line) {
    return line.isShortened ? std::u16string_view(line.shortened)
                            : std::u16string_view(body).substr(line.start, line.length);
  };

  if (format & DT_CALCRECT) {
    int widest = 0;
    for (const TextLine& line : lines) {
      const std::u16string_view t = textOf(line);
      widest = std::max(widest, extentOf(t.data(), t.size()));
    }
    rect->right = plat::gfx::SatAdd(rect->left, widest);
    rect->bottom = plat::gfx::SatAdd(rect->top, totalHeight);
    return totalHeight;
  }

  int y = rect->top;
  if (format & DT_SINGLELINE) {
    if (format & DT_VCENTER) y = rect->top + (rect->Height() - lineHeight) / 2;
    else if (format & DT_BOTTOM) y = rect->bottom - lineHeight;
  }
  const UINT options = (format & DT_NOCLIP) ? 0u : UINT{ETO_CLIPPED};
  for (const TextLine& line : lines) {
    const std::u16string_view t = textOf(line);
    const int lineWidth = extentOf(t.data(), t.size());
    int x = rect->left;
    if (format & DT_CENTER) x = rect->left + (width - lineWidth) / 2;
    else if (format & DT_RIGHT) x = rect->right - lineWidth;
    ExtTextOut(x, y, options, rect, t.data(), static_cast<int>(t.size()));

    // The mnemonic's underline, one pixel below the baseline in the text colour.
    const std::ptrdiff_t at = underline - static_cast<std::ptrdiff_t>(line.start);
    if (underline >= 0 && at >= 0 && at < static_cast<std::ptrdiff_t>(t.size()) &&
        (!line.isShortened || at + 3 < static_cast<std::ptrdiff_t>(t.size()))) {
      const int left = x + extentOf(t.data(), static_cast<std::size_t>(at));
      const int right = x + extentOf(t.data(), static_cast<std::size_t>(at) + 1);
      const int top = y + fontImpl->Metrics().ascent + 1;
      CRect clipRect = DeviceClip();
      if (options & ETO_CLIPPED) clipRect = plat::gfx::Intersect(clipRect, ToDevice(*rect));
      FillDevice(plat::gfx::Intersect(ToDevice(CRect(left, top, right, top + 1)), clipRect), PixelFromColor(textColor));
    }
    y = plat::gfx::SatAdd(y, lineHeight);
  }
  return totalHeight;
}
