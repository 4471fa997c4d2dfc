#include "ui/window_layout.h"

#include <array>
#include <stdexcept>
#include <string>

namespace ui {

namespace {

constexpr FontDesc kPerpetua{.face = "Perpetua", .height = -16, .color = 0x000000};
constexpr FontDesc kEpisodeRed{.face = "EPISODE I", .height = -12, .color = 0x0000FF};
constexpr FontDesc kEpisodeHeading{.face = "EPISODE I", .height = -15, .color = 0x000000};

constexpr ControlLayout kMainControls[] = {
    {.kind = ckMenuBar, .name = "MenuBar", .left = 0, .top = 0, .width = 734, .height = 19},
    {.kind = ckTreeView, .name = "MissionTree", .left = 0, .top = 19, .width = 433, .height = 403},
    {.kind = ckRxLabel, .name = "RxLabel2", .left = 464, .top = 8, .width = 179, .height = 20,
     .caption = "X-Wing vs. Tie Fighter", .font = kTitleFont},
    {.kind = ckRxLabel, .name = "RxLabel1", .left = 495, .top = 40, .width = 148, .height = 18,
     .caption = "Custom Mission Installer", .font = kPerpetua},
    {.kind = ckGIFAnimator, .name = "GIF", .left = 656, .top = 8, .width = 70, .height = 70},
    {.kind = ckRxLabel, .name = "RxLabel3", .left = 454, .top = 88, .width = 80, .height = 13,
     .caption = "XvT installled to:"},
    {.kind = ckLabel, .name = "XvTPath", .left = 544, .top = 88, .width = 42, .height = 13,
     .caption = "Not Installed!"},
    {.kind = ckRxLabel, .name = "RxLabel4", .left = 456, .top = 112, .width = 78, .height = 13,
     .caption = "BoP installed to:"},
    {.kind = ckLabel, .name = "BoPPath", .left = 544, .top = 112, .width = 42, .height = 13,
     .caption = "Not Installed!"},
    {.kind = ckMegaPanel, .name = "MegaPanel1", .left = 440, .top = 136, .width = 289, .height = 249},
    {.kind = ckLabel, .name = "Label1", .parent = "MegaPanel1", .left = 88, .top = 8, .width = 122, .height = 20,
     .caption = "Mission Details", .font = kTitleFont},
    {.kind = ckToolbarButton, .name = "OpenFile", .parent = "MegaPanel1", .left = 16, .top = 8, .width = 23,
     .height = 22, .enabled = false},
    {.kind = ckLabel, .name = "Label6", .parent = "MegaPanel1", .left = 16, .top = 42, .width = kAutoSize, .height = 13,
     .caption = "Mission Filename:"},
    {.kind = ckLabel, .name = "Filename", .parent = "MegaPanel1", .left = 104, .top = 42, .width = kAutoSize,
     .height = 13, .caption = "No File Loaded"},
    {.kind = ckLabel, .name = "Label2", .parent = "MegaPanel1", .left = 34, .top = 64, .width = kAutoSize, .height = 13,
     .caption = "Mission Type:"},
    {.kind = ckLabel, .name = "MissionType", .parent = "MegaPanel1", .left = 104, .top = 64, .width = kAutoSize,
     .height = 13, .caption = "No File Loaded"},
    {.kind = ckCheckBox, .name = "SP", .parent = "MegaPanel1", .left = 184, .top = 62, .width = 97, .height = 17,
     .caption = "Single Player?", .enabled = false},
    {.kind = ckLabel, .name = "Label5", .parent = "MegaPanel1", .left = 22, .top = 93, .width = kAutoSize, .height = 13,
     .caption = "Mission Section:"},
    {.kind = ckComboBox, .name = "MissionSection", .parent = "MegaPanel1", .left = 104, .top = 89, .width = 177,
     .height = 21},
    {.kind = ckLabel, .name = "Label3", .parent = "MegaPanel1", .left = 30, .top = 115, .width = kAutoSize,
     .height = 13, .caption = "Mission Name:"},
    {.kind = ckEdit97, .name = "MissionName", .parent = "MegaPanel1", .left = 104, .top = 112, .width = 177,
     .height = 19},
    {.kind = ckRadioGroup, .name = "RadioGroup1", .parent = "MegaPanel1", .left = 8, .top = 144, .width = 113,
     .height = 89, .caption = "Side(s) Required"},
    // The side buttons belong to the panel, not the frame, so that checking
    // one unchecks the other two.
    {.kind = ckRadioButton, .name = "RImperial", .parent = "MegaPanel1", .left = 16, .top = 160, .width = 97,
     .height = 17, .caption = "Imperial", .enabled = false, .checked = true},
    {.kind = ckRadioButton, .name = "RRebel", .parent = "MegaPanel1", .left = 16, .top = 184, .width = 97, .height = 17,
     .caption = "Rebel", .enabled = false},
    {.kind = ckRadioButton, .name = "RBoth", .parent = "MegaPanel1", .left = 16, .top = 208, .width = 97, .height = 17,
     .caption = "Both", .enabled = false},
    {.kind = ckToolbarButton, .name = "Refresh", .parent = "MegaPanel1", .left = 128, .top = 147, .width = 153,
     .height = 22, .caption = "Build Mission List"},
    {.kind = ckToolbarButton, .name = "Install", .parent = "MegaPanel1", .left = 128, .top = 184, .width = 153,
     .height = 22, .caption = "Install", .enabled = false},
    {.kind = ckToolbarButton, .name = "Remove", .parent = "MegaPanel1", .left = 128, .top = 208, .width = 153,
     .height = 22, .caption = "Remove", .enabled = false},
    {.kind = ckRxLabel, .name = "RxLabel5", .left = 464, .top = 400, .width = 125, .height = 13,
     .caption = "Report bugs by e-mail to:"},
    {.kind = ckASLink, .name = "ASLink1", .left = 592, .top = 399, .width = 113, .height = 14, .caption = kAuthorMail},
    {.kind = ckStatusBar, .name = "StatusBar", .left = 0, .top = 422, .width = 734, .height = 19},
    {.kind = ckClock, .name = "RxClock1", .parent = "StatusBar", .left = 672, .top = 0, .width = 62, .height = 19},
};

constexpr ControlLayout kConfirmControls[] = {
    {.kind = ckLabel, .name = "Label1", .left = 80, .top = 8, .width = kAutoSize, .height = 13, .caption = "Game:"},
    {.kind = ckLabel, .name = "Label2", .left = 46, .top = 28, .width = kAutoSize, .height = 13,
     .caption = "Mission Type:"},
    {.kind = ckLabel, .name = "Label3", .left = 34, .top = 48, .width = kAutoSize, .height = 13,
     .caption = "Mission Section:"},
    {.kind = ckLabel, .name = "Label4", .left = 32, .top = 68, .width = kAutoSize, .height = 13,
     .caption = "Side(s) Involved:"},
    {.kind = ckLabel, .name = "Label5", .left = 18, .top = 88, .width = kAutoSize, .height = 13,
     .caption = "Single / Multiplayer:"},
    {.kind = ckFlatEdit, .name = "Game", .left = 120, .top = 5, .width = 121, .height = 19},
    {.kind = ckFlatEdit, .name = "MType", .left = 120, .top = 25, .width = 121, .height = 19},
    {.kind = ckFlatEdit, .name = "MSection", .left = 120, .top = 45, .width = 121, .height = 19},
    {.kind = ckFlatEdit, .name = "Sides", .left = 120, .top = 65, .width = 121, .height = 19},
    {.kind = ckFlatEdit, .name = "Players", .left = 120, .top = 85, .width = 121, .height = 19},
    {.kind = ckToolbarButton, .name = "OK", .left = 256, .top = 24, .width = 89, .height = 22, .caption = "OK"},
    {.kind = ckToolbarButton, .name = "Cancel", .left = 256, .top = 56, .width = 89, .height = 22, .caption = "Cancel"},
};

constexpr ControlLayout kLstControls[] = {
    {.kind = ckMemo, .name = "Contents"},  // fills the client area
};

constexpr ControlLayout kAboutControls[] = {
    {.kind = ckGIFAnimator, .name = "RxGIFAnimator1", .left = 8, .top = 8, .width = 100, .height = 75},
    {.kind = ckLabel, .name = "Label1", .left = 120, .top = 8, .width = 186, .height = 23,
     .caption = "XvT/BoP Mission Installer", .font = kEpisodeRed},
    {.kind = ckLabel, .name = "Label2", .left = 184, .top = 40, .width = kAutoSize, .height = 13},
    {.kind = ckLabel, .name = "Label3", .left = 136, .top = 64, .width = kAutoSize, .height = 13},
    {.kind = ckLabel, .name = "Label4", .left = 24, .top = 96, .width = kAutoSize, .height = 13,
     .caption = "Varnholt Main Site:"},
    {.kind = ckASLink, .name = "ASLink1", .left = 152, .top = 95, .width = 111, .height = 14, .caption = kSiteAddress},
    {.kind = ckLabel, .name = "Label5", .left = 24, .top = 120, .width = kAutoSize, .height = 13,
     .caption = "E-mail the author:"},
    {.kind = ckASLink, .name = "ASLink2", .left = 168, .top = 119, .width = 113, .height = 14, .caption = kAuthorMail},
    {.kind = ckToolbarButton, .name = "ToolbarButton971", .left = 40, .top = 144, .width = 241, .height = 22,
     .caption = "Close this window"},
};

constexpr ControlLayout kInstructionsControls[] = {
    {.kind = ckLabel, .name = "Label1", .left = 0, .top = 0, .width = 427, .height = 28,
     .caption = "Varnholt  Mission  Installer  Instructions  Page", .font = kEpisodeHeading},
    {.kind = ckMemo, .name = "Memo1", .left = 0, .top = 28, .width = 427, .height = 245},
};

const std::array<FormLayout, 5> kForms{{
    {.className = "TMainForm", .name = "MainForm", .caption = "Varnholt XvT Mission Installer", .border = bkSingle,
     .place = pkScreenCenter, .width = 734, .height = 441, .minimizeBox = true, .systemMenu = true,
     .controls = kMainControls},
    {.className = "TConfirmForm", .name = "ConfirmForm", .caption = "Confirm", .border = bkDialog,
     .place = pkScreenCenter, .width = 356, .height = 109, .systemMenu = true, .stayOnTop = true,
     .controls = kConfirmControls},
    {.className = "TLSTForm", .name = "LSTForm", .caption = "LST File Contents", .border = bkSizeable,
     .place = pkDesigned, .left = 200, .top = 108, .width = 435, .height = 300, .outerSize = true, .minimizeBox = true,
     .maximizeBox = true, .systemMenu = true, .controls = kLstControls},
    {.className = "TAboutForm", .name = "AboutForm", .caption = "About this Program", .border = bkSingle,
     .place = pkScreenCenter, .width = 315, .height = 177, .controls = kAboutControls},
    {.className = "TInstructions", .name = "Instructions", .caption = "Mission Installer - Instructions",
     .border = bkSingle, .place = pkScreenCenter, .width = 427, .height = 273, .minimizeBox = true, .systemMenu = true,
     .controls = kInstructionsControls},
}};

}  // namespace

std::span<const FormLayout> Forms() { return kForms; }

const FormLayout& FormByName(std::string_view name) {
  for (const FormLayout& f : kForms)
    if (name == f.name) return f;
  throw std::out_of_range("no window " + std::string(name));
}

}  // namespace ui
