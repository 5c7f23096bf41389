// CRecentFileList: entries added and removed, the settings section, the menu and shortened names.
#include "platform/framework/RecentFileList.h"

#include <algorithm>

#include "platform/base/Strings.h"
#include "platform/framework/FrameWnd.h"
#include "platform/fs/Mounts.h"
#include "platform/registry/Registry.h"
#include "platform/ui/Menu.h"

std::u16string AbbreviatePath(std::u16string_view path, int maxLength) {
  const std::size_t max = static_cast<std::size_t>(std::max(0, maxLength));
  if (path.size() <= max) return std::u16string(path);
  const auto lastSlash = path.find_last_of(u'\\');
  const std::u16string_view name = lastSlash == std::u16string_view::npos ? path : path.substr(lastSlash + 1);
  if (lastSlash == std::u16string_view::npos || name.size() > max) return std::u16string(name);
  // The first folder stands for the place the file is in ("\My Documents", "\Storage
  // Card"); a path with no folder after it has nothing to leave out.
  const std::size_t volumeEnd = path.find(u'\\', path.size() > 1 && path[0] == u'\\' ? 1 : 0);
  if (volumeEnd == std::u16string_view::npos || volumeEnd >= lastSlash) return std::u16string(name);
  const std::u16string_view volume = path.substr(0, volumeEnd);
  constexpr std::u16string_view kGap = u"\\...";
  if (volume.size() + kGap.size() + 1 + name.size() > max) return std::u16string(name);
  // Leave out folders from the front until the rest fits after "<volume>\...".
  std::size_t rest = volumeEnd;
  while (volume.size() + kGap.size() + (path.size() - rest) > max) rest = path.find(u'\\', rest + 1);
  return std::u16string(volume) + std::u16string(kGap) + std::u16string(path.substr(rest));
}

CRecentFileList::CRecentFileList(UINT start, std::u16string_view section, std::u16string_view entryFormat, int size,
                                 int maxDisplayLength)
    : start(start),
      section(section),
      entryFormat(entryFormat),
      maxDisplayLength(maxDisplayLength),
      names(static_cast<std::size_t>(std::clamp(size, 1, 16))) {}

std::u16string CRecentFileList::EntryName(int index) const {
  std::u16string entry = entryFormat;
  plat::ReplaceAllIn(entry, u"%d", plat::FromInt(index + 1));
  return entry;
}

void CRecentFileList::Add(std::u16string_view path) {
  if (path.empty()) return;
  const std::u16string full = path[0] == u'\\' ? plat::fs::NormalizeDevicePath(path) : std::u16string(path);
  // The entry that moves: the same file if listed, else the last (it drops out).
  std::size_t i = 0;
  while (i + 1 < names.size() && !plat::EqualsNoCase(names[i], full)) ++i;
  for (; i > 0; --i) names[i] = std::move(names[i - 1]);
  names[0] = full;
}

void CRecentFileList::Remove(int index) {
  if (index < 0 || index >= GetSize()) return;
  names.erase(names.begin() + index);
  names.emplace_back();
}

void CRecentFileList::ReadList() {
  auto& reg = CRegistry::Get();
  for (int i = 0; i < GetSize(); ++i) names[static_cast<std::size_t>(i)] = reg.GetProfileString(section, EntryName(i));
}

void CRecentFileList::WriteList() {
  auto& reg = CRegistry::Get();
  const std::u16string key = reg.GetProfileKey(section);
  for (int i = 0; i < GetSize(); ++i) {
    const std::u16string& name = names[static_cast<std::size_t>(i)];
    // Entries left empty leave the section, so an old list never shows through.
    if (name.empty())
      reg.DeleteValue(HKEY_CURRENT_USER, key, EntryName(i));
    else
      reg.WriteProfileString(section, EntryName(i), name);
  }
}

bool CRecentFileList::GetDisplayName(std::u16string& name, int index) const {
  if (index < 0 || index >= GetSize() || names[static_cast<std::size_t>(index)].empty()) return false;
  name = AbbreviatePath(names[static_cast<std::size_t>(index)], maxDisplayLength);
  return true;
}

void CRecentFileList::UpdateMenu(CCmdUI* ui) {
  auto* item = dynamic_cast<CMenuCmdUI*>(ui);
  if (names.front().empty()) {
    if (item && !placeholder.empty()) item->SetText(placeholder);
    ui->Enable(false);
    return;
  }
  if (!item || !item->m_pMenu) return;  // an update without a menu: the entries are enabled
  CMenu* menu = item->m_pMenu;
  if (placeholder.empty()) placeholder = menu->GetMenuString(static_cast<int>(item->m_nIndex));
  // The placeholder, or the entries shown last time, make way for the entries now.
  for (int i = 0; i < GetSize(); ++i) menu->DeleteMenu(item->m_nID + static_cast<UINT>(i), MF_BYCOMMAND);
  UINT position = item->m_nIndex;
  for (int i = 0; i < GetSize(); ++i) {
    std::u16string name;
    if (!GetDisplayName(name, i)) break;
    plat::ReplaceAllIn(name, u"&", u"&&");  // a '&' in a name is not a mnemonic
    const std::u16string text = u"&" + plat::FromInt((static_cast<long long>(i) + 1 + start) % 10) + u" " + name;
    menu->InsertMenu(position++, MF_STRING | MF_BYPOSITION, item->m_nID + static_cast<UINT>(i), text);
  }
  item->m_nIndex = position - 1;
  item->m_nIndexMax = static_cast<UINT>(menu->GetMenuItemCount());
  item->enabled = true;
}
