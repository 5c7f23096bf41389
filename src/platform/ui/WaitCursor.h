// The wait cursor shown around loading, saving and listing.
#pragma once

void BeginWaitCursor();
void EndWaitCursor();

class CWaitCursor {
 public:
  CWaitCursor() { BeginWaitCursor(); }
  ~CWaitCursor() { EndWaitCursor(); }
  CWaitCursor(const CWaitCursor&) = delete;
  CWaitCursor& operator=(const CWaitCursor&) = delete;
  // Puts the cursor back after a message box took it away.
  void Restore();
};
