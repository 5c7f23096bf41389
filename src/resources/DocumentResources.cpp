// The document's messages: a save refused or failed, and the read-only switch.
#include "platform/ui/Resources.h"
#include "resources/ResourceIds.h"
#include "resources/ResourceTables.h"

void AddDocumentResources(CResourceModule& m) {
  m.strings[IDS_SAVE_READ_ONLY_FILE] = u"The file was not saved.\r\n\r\nThe existing file is read-only.";
  m.strings[IDS_SAVE_ACCESS_DENIED] = u"Error: Access denied.\r\n\r\nThe file was not saved.\r\nPerhaps the read-only flag is set?";
  m.strings[IDS_SAVE_FAILED] = u"Error %1\r\nThe file was not saved.";
  m.strings[IDS_NOW_READ_ONLY] = u"Document now read-only!";
}
