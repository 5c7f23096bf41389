// The program's resource module: every menu, accelerator table, bitmap and string by number.
#pragma once
#include "platform/ui/Resources.h"

const CResourceModule& AppResources();
// Makes AppResources() the module resources are loaded from.
void UseAppResources();
