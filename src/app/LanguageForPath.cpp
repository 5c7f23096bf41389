// The syntax language a file's extension chooses.
#include "app/LanguageForPath.h"

#include <string>

#include "platform/base/Strings.h"
#include "syntax/SyntaxLanguage.h"

int LanguageForPath(std::u16string_view path) {
  const auto dot = path.rfind(u'.');
  const std::u16string ext = dot == std::u16string_view::npos ? std::u16string() : plat::ToLower(path.substr(dot + 1));
  struct Row {
    int language;
    std::initializer_list<const char16_t*> extensions;
  };
  static const Row kRows[] = {
      {LanguageBasic, {u"bas", u"vbs", u"nsb", u"ebs", u"frm", u"ebf", u"cls", u"vb"}},
      {LanguageMarkup,
       {u"htm", u"html", u"jsp", u"js", u"asp", u"aspx", u"inc", u"xml", u"resx", u"config", u"xsd", u"wsdl", u"ascx"}},
      {LanguagePhp, {u"php"}},
      {LanguageText, {u"txt", u"log"}},
  };
  for (const Row& row : kRows)
    for (const char16_t* e : row.extensions)
      if (ext == e) return row.language;
  return LanguageC;
}
