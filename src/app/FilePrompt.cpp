// The file prompt: the browser in the screen's layout, with the program's filters.
#include "app/FilePrompt.h"

#include <array>

#include "browser/FileBrowser.h"
#include "platform/ui/Resources.h"

namespace {

struct PromptFilter {
  const char16_t* name;
  const char16_t* pattern;
};

// In the order the type box shows them; the first is where the browser starts.
constexpr std::array<PromptFilter, 9> kFilters = {{
    {u"All Files", u"*.*"},
    {u"Project Files", u"*.csproj;*.vbproj;*.vcproj;*.dsp;*.csp;*.ebp;*.vcp;*.vbp"},
    {u"Visual Basic Files", u"*.bas;*.frm;*.vb"},
    {u"C# Source Files", u"*.cs"},
    {u"C++ Source Files", u"*.cpp;*.h;*.c"},
    {u"Internet Files", u"*.htm;*.html;*.asp;*.aspx;*.jsp;*.js;*.xml;*.php"},
    {u"Java Class Files", u"*.java"},
    {u"Text Files", u"*.txt"},
    {u"XML Files", u"*.xml;*.xsd;*.wsdl"},
}};

}  // namespace

bool PromptForFile(std::u16string& path, std::u16string& filter, UINT titleId) {
  const CResourceModule* module = AfxGetResourceHandle();
  const std::u16string title = module ? module->LoadString(titleId) : std::u16string();
  CFileBrowser browser(CFileBrowser::TemplateForScreen());
  for (const PromptFilter& f : kFilters) browser.AddFilter(f.pattern, f.name);
  browser.SetInitialPath(path);
  browser.SetFilter(filter);
  browser.SetTitle(title);
  if (browser.DoModal() != IDOK) return false;
  browser.GetPath(path);
  browser.GetFilter(filter);
  return true;
}
