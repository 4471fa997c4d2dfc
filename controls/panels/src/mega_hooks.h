// The effects panel's hooks on its children: one TMegaInfo record per
// child (and per inner window of a child combo box) in one process-wide
// list, each holding the window procedure it replaced.
#pragma once

#include <win32/windows.h>

#include <cstdint>
#include <vector>

#include "framework/types.h"
#include "panels/MegaPanl.h"

class TControl;

namespace mega_hooks {

// Posted by the panel after a paint when labels inside children are due.
inline constexpr UINT kPaintControlLabels = WM_USER + 123;

enum EffectBits : std::uint8_t { efShadow = 1, efLabel = 2, efLabelInside = 4, efFocus = 8 };

struct TMegaInfo {
  TMegaPanel* panel = nullptr;
  TControl* control = nullptr;  // none for a combo box's inner window
  TControl* owner = nullptr;    // the combo box, for an inner window
  HWND window = nullptr;        // none for a windowless child
  WNDPROC previous = nullptr;
  TFixKeys keys;
  std::uint8_t effects = 0;
  char accel = 0;
  TRect bounds{0, 0, 0, 0};
  int fontHeight = 0;
  // What feColor replaced while the child has the focus.
  TColor savedColor = 0, savedFontColor = 0;
};

// Brings the records of `panel` up to date with its children.
void Update(TMegaPanel* panel);
// Frees every record of `panel`, giving each window its procedure back.
void FreePanel(TMegaPanel* panel);
// Frees the records of a control that is going.
void ForgetControl(TControl* control);
const TMegaInfo* Find(const TControl* control);
// How many records the process holds (for tests).
int RecordCount();

// The live child of the process, and ending its highlight.
TControl* LiveChild();
void EndLiveLabel();

// Sends `text` to a top-level "TDbWinScrn" window when one exists.
void Trace(const char* text);

// The six flags of a class: from the panel's FixClasses, or the defaults.
void ClassFlags(TMegaPanel* panel, TControl* control, TFixKeys& keys, std::uint8_t& effects);

}  // namespace mega_hooks
