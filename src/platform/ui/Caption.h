// The caption bar at the top of the screen: the title of the topmost window that has a
// caption, and the "ok" button a dialog shows there.
#pragma once
#include <string>

#include "platform/base/Types.h"

class CBitmap;

// The "ok" button of a dialog's caption, in screen coordinates, for a caption strip.
CRect CaptionOkRect(const CRect& strip);
// Draws the strip of the screen with the title, and with the "ok" button when asked.
void DrawScreenCaption(CBitmap& screen, const CRect& strip, const std::u16string& title, bool withOk);
