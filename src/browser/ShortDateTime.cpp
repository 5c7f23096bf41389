// The date column's text: the user's short date and time without seconds, from the
// environment's locale, in local time.
#include <langinfo.h>
#include <time.h>

#include <cctype>

#include "browser/FileEntries.h"
#include "platform/base/Strings.h"

namespace {

// The time pattern with the locale's shorthands spelt out, so that seconds can be found.
std::string Expand(std::string_view pattern, std::string_view ampm) {
  std::string out;
  for (std::size_t i = 0; i < pattern.size(); ++i) {
    if (pattern[i] != '%' || i + 1 >= pattern.size()) {
      out += pattern[i];
      continue;
    }
    const char d = pattern[++i];
    if (d == 'T') out += "%H:%M:%S";
    else if (d == 'r') out += ampm.find("%r") == std::string_view::npos ? std::string(ampm) : "%I:%M:%S %p";
    else if (d == 'X') out += "%H:%M:%S";  // a time pattern naming the time pattern: the plain one
    else (out += '%') += d;
  }
  return out;
}

}  // namespace

std::string CShortDateTime::WithoutSeconds(std::string_view timePattern, std::string_view ampm) {
  const std::string expanded = Expand(timePattern, ampm);
  std::string out;
  for (std::size_t i = 0; i < expanded.size(); ++i) {
    if (expanded[i] != '%' || i + 1 >= expanded.size()) {
      out += expanded[i];
      continue;
    }
    // %S, or its alternative-digit forms %OS and %ES.
    std::size_t len = 2;
    if ((expanded[i + 1] == 'O' || expanded[i + 1] == 'E') && i + 2 < expanded.size()) len = 3;
    if (expanded[i + len - 1] != 'S') {
      out.append(expanded, i, len);
      i += len - 1;
      continue;
    }
    // The seconds go with the separator before them (":" in "%M:%S"); at the start of the
    // pattern, with the one after them.
    const bool literalBefore = !out.empty() && out.back() != '%' && (out.size() < 2 || out[out.size() - 2] != '%');
    if (literalBefore && !std::isalnum(static_cast<unsigned char>(out.back()))) out.pop_back();
    else if (out.empty() && i + len < expanded.size() && expanded[i + len] != '%') ++i;
    i += len - 1;
  }
  // A blank left at either end by the cut goes too.
  while (!out.empty() && out.back() == ' ') out.pop_back();
  while (!out.empty() && out.front() == ' ') out.erase(out.begin());
  return out;
}

CShortDateTime::CShortDateTime(const char* localeName) {
  locale = newlocale(LC_TIME_MASK, localeName ? localeName : "", static_cast<locale_t>(0));
  if (!locale) locale = newlocale(LC_TIME_MASK, "C", static_cast<locale_t>(0));
  const char* date = locale ? nl_langinfo_l(D_FMT, locale) : "%m/%d/%y";
  const char* time = locale ? nl_langinfo_l(T_FMT, locale) : "%H:%M:%S";
  const char* ampm = locale ? nl_langinfo_l(T_FMT_AMPM, locale) : "%I:%M:%S %p";
  pattern = std::string(date && *date ? date : "%m/%d/%y") + " " +
            WithoutSeconds(time && *time ? time : "%H:%M:%S", ampm && *ampm ? ampm : "%I:%M:%S %p");
}

CShortDateTime::~CShortDateTime() {
  if (locale) freelocale(locale);
}

std::u16string CShortDateTime::Format(std::int64_t secondsSince1970) const {
  const time_t t = static_cast<time_t>(secondsSince1970);
  if (static_cast<std::int64_t>(t) != secondsSince1970) return {};
  struct tm local {};
  if (!localtime_r(&t, &local)) return {};
  char buffer[256];
  const std::size_t n = locale ? strftime_l(buffer, sizeof buffer, pattern.c_str(), &local, locale)
                               : strftime(buffer, sizeof buffer, pattern.c_str(), &local);
  return plat::Widen(std::string_view(buffer, n));
}
