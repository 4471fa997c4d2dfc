// The five windows and their controls as data: class, name, parent,
// bounds, caption, font and starting state. The forms are built from these
// tables so that positions and texts live in one place.
#pragma once
#include <cstdint>
#include <span>
#include <string_view>

namespace ui {

inline constexpr const char* kApplicationTitle = "Varnholt XvT Inst.";
inline constexpr int kAutoSize = -1;  // a label sized by its caption

// The kinds of control, until each gets its own dressed class.
enum ControlKind {
  ckMenuBar, ckTreeView, ckLabel, ckRxLabel, ckASLink, ckGIFAnimator, ckMegaPanel, ckToolbarButton, ckCheckBox,
  ckComboBox, ckEdit97, ckFlatEdit, ckRadioGroup, ckRadioButton, ckStatusBar, ckClock, ckMemo
};

enum FontStyleBits : std::uint8_t { fbBold = 1, fbItalic = 2 };

struct FontDesc {
  const char* face = "MS Sans Serif";
  int height = -11;
  std::uint32_t color = 0x80000008;  // clWindowText
  std::uint8_t style = 0;
};

inline constexpr FontDesc kFormFont{};
inline constexpr FontDesc kTitleFont{.height = -16, .color = 0x000000, .style = fbBold};

struct ControlLayout {
  ControlKind kind;
  const char* name;
  const char* parent = "";  // "" for the window itself
  int left = 0, top = 0, width = 0, height = 0;
  const char* caption = "";
  FontDesc font = kFormFont;
  bool enabled = true;
  bool checked = false;
};

enum BorderKind { bkSingle, bkDialog, bkSizeable };
enum PlaceKind { pkScreenCenter, pkDesigned };

struct FormLayout {
  const char* className;
  const char* name;
  const char* caption;
  BorderKind border;
  PlaceKind place;
  int left = 0, top = 0;     // for pkDesigned
  int width, height;         // client area, or outer size when outerSize
  bool outerSize = false;
  bool minimizeBox = false, maximizeBox = false, systemMenu = false;
  bool stayOnTop = false;
  std::span<const ControlLayout> controls;
};

// In creation order: MainForm, ConfirmForm, LSTForm, AboutForm, Instructions.
std::span<const FormLayout> Forms();
const FormLayout& FormByName(std::string_view name);

// Link targets and the label texts the windows leave to us.
inline constexpr const char* kAuthorMail = "xvtinst@varnholt.example";
inline constexpr const char* kSiteAddress = "www.varnholt.example";  // the link adds "http://"

}  // namespace ui
