#include "ui/window_layout.h"

#include <array>
#include <stdexcept>
#include <string>

namespace ui {

namespace {

constexpr FontSpec kPerpetua{"Perpetua", -16, 0x000000, 0};
constexpr FontSpec kEpisodeRed{"EPISODE I", -12, 0x0000FF, 0};
constexpr FontSpec kEpisodeHeading{"EPISODE I", -15, 0x000000, 0};

constexpr ControlSpec kMainControls[] = {
    {ckMenuBar, "MenuBar", "", 0, 0, 734, 19, ""},
    {ckTreeView, "MissionTree", "", 0, 19, 433, 403, ""},
    {ckRxLabel, "RxLabel2", "", 464, 8, 179, 20, "X-Wing vs. Tie Fighter", kTitleFont},
    {ckRxLabel, "RxLabel1", "", 495, 40, 148, 18, "Custom Mission Installer", kPerpetua},
    {ckPicture, "GIF", "", 656, 8, 70, 70, ""},
    {ckRxLabel, "RxLabel3", "", 454, 88, 80, 13, "XvT installled to:"},
    {ckLabel, "XvTPath", "", 544, 88, 42, 13, "Not Installed!"},
    {ckRxLabel, "RxLabel4", "", 456, 112, 78, 13, "BoP installed to:"},
    {ckLabel, "BoPPath", "", 544, 112, 42, 13, "Not Installed!"},
    {ckMegaPanel, "MegaPanel1", "", 440, 136, 289, 249, ""},
    {ckLabel, "Label1", "MegaPanel1", 88, 8, 122, 20, "Mission Details", kTitleFont},
    {ckToolbarButton, "OpenFile", "MegaPanel1", 16, 8, 23, 22, "", kFormFont, false},
    {ckLabel, "Label6", "MegaPanel1", 16, 42, kAutoSize, 13, "Mission Filename:"},
    {ckLabel, "Filename", "MegaPanel1", 104, 42, kAutoSize, 13, "No File Loaded"},
    {ckLabel, "Label2", "MegaPanel1", 34, 64, kAutoSize, 13, "Mission Type:"},
    {ckLabel, "MissionType", "MegaPanel1", 104, 64, kAutoSize, 13, "No File Loaded"},
    {ckCheckBox, "SP", "MegaPanel1", 184, 62, 97, 17, "Single Player?", kFormFont, false},
    {ckLabel, "Label5", "MegaPanel1", 22, 93, kAutoSize, 13, "Mission Section:"},
    {ckComboBox, "MissionSection", "MegaPanel1", 104, 89, 177, 21, ""},
    {ckLabel, "Label3", "MegaPanel1", 30, 115, kAutoSize, 13, "Mission Name:"},
    {ckEdit97, "MissionName", "MegaPanel1", 104, 112, 177, 19, ""},
    {ckRadioGroup, "RadioGroup1", "MegaPanel1", 8, 144, 113, 89, "Side(s) Required"},
    // The side buttons belong to the panel, not the frame, so that checking
    // one unchecks the other two.
    {ckRadioButton, "RImperial", "MegaPanel1", 16, 160, 97, 17, "Imperial", kFormFont, false, true},
    {ckRadioButton, "RRebel", "MegaPanel1", 16, 184, 97, 17, "Rebel", kFormFont, false},
    {ckRadioButton, "RBoth", "MegaPanel1", 16, 208, 97, 17, "Both", kFormFont, false},
    {ckToolbarButton, "Refresh", "MegaPanel1", 128, 147, 153, 22, "Build Mission List"},
    {ckToolbarButton, "Install", "MegaPanel1", 128, 184, 153, 22, "Install", kFormFont, false},
    {ckToolbarButton, "Remove", "MegaPanel1", 128, 208, 153, 22, "Remove", kFormFont, false},
    {ckRxLabel, "RxLabel5", "", 464, 400, 125, 13, "Report bugs by e-mail to:"},
    {ckASLink, "ASLink1", "", 592, 399, 113, 14, kAuthorMail},
    {ckStatusBar, "StatusBar", "", 0, 422, 734, 19, ""},
    {ckClock, "RxClock1", "StatusBar", 672, 0, 62, 19, ""},
};

constexpr ControlSpec kConfirmControls[] = {
    {ckLabel, "Label1", "", 80, 8, kAutoSize, 13, "Game:"},
    {ckLabel, "Label2", "", 46, 28, kAutoSize, 13, "Mission Type:"},
    {ckLabel, "Label3", "", 34, 48, kAutoSize, 13, "Mission Section:"},
    {ckLabel, "Label4", "", 32, 68, kAutoSize, 13, "Side(s) Involved:"},
    {ckLabel, "Label5", "", 18, 88, kAutoSize, 13, "Single / Multiplayer:"},
    {ckFlatEdit, "Game", "", 120, 5, 121, 19, ""},
    {ckFlatEdit, "MType", "", 120, 25, 121, 19, ""},
    {ckFlatEdit, "MSection", "", 120, 45, 121, 19, ""},
    {ckFlatEdit, "Sides", "", 120, 65, 121, 19, ""},
    {ckFlatEdit, "Players", "", 120, 85, 121, 19, ""},
    {ckToolbarButton, "OK", "", 256, 24, 89, 22, "OK"},
    {ckToolbarButton, "Cancel", "", 256, 56, 89, 22, "Cancel"},
};

constexpr ControlSpec kLstControls[] = {
    {ckMemo, "Contents", "", 0, 0, 0, 0, ""},  // fills the client area
};

constexpr ControlSpec kAboutControls[] = {
    {ckPicture, "RxGIFAnimator1", "", 8, 8, 100, 75, ""},
    {ckLabel, "Label1", "", 120, 8, 186, 23, "XvT/BoP Mission Installer", kEpisodeRed},
    {ckLabel, "Label2", "", 184, 40, kAutoSize, 13, ""},
    {ckLabel, "Label3", "", 136, 64, kAutoSize, 13, ""},
    {ckLabel, "Label4", "", 24, 96, kAutoSize, 13, "Varnholt Main Site:"},
    {ckASLink, "ASLink1", "", 152, 95, 111, 14, kSiteAddress},
    {ckLabel, "Label5", "", 24, 120, kAutoSize, 13, "E-mail the author:"},
    {ckASLink, "ASLink2", "", 168, 119, 113, 14, kAuthorMail},
    {ckToolbarButton, "ToolbarButton971", "", 40, 144, 241, 22, "Close this window"},
};

constexpr ControlSpec kInstructionsControls[] = {
    {ckLabel, "Label1", "", 0, 0, 427, 28, "Varnholt  Mission  Installer  Instructions  Page", kEpisodeHeading},
    {ckMemo, "Memo1", "", 0, 28, 427, 245, ""},
};

const std::array<FormSpec, 5> kForms{{
    {"TMainForm", "MainForm", "Varnholt XvT Mission Installer", bkSingle, pkScreenCenter, 0, 0, 734, 441, false,
     true, false, true, false, kMainControls},
    {"TConfirmForm", "ConfirmForm", "Confirm", bkDialog, pkScreenCenter, 0, 0, 356, 109, false, false, false, true,
     true, kConfirmControls},
    {"TLSTForm", "LSTForm", "LST File Contents", bkSizeable, pkDesigned, 200, 108, 435, 300, true, true, true, true,
     false, kLstControls},
    {"TAboutForm", "AboutForm", "About this Program", bkSingle, pkScreenCenter, 0, 0, 315, 177, false, false, false,
     false, false, kAboutControls},
    {"TInstructions", "Instructions", "Mission Installer - Instructions", bkSingle, pkScreenCenter, 0, 0, 427, 273,
     false, true, false, true, false, kInstructionsControls},
}};

}  // namespace

std::span<const FormSpec> Forms() { return kForms; }

const FormSpec& FormByName(std::string_view name) {
  for (const FormSpec& f : kForms)
    if (name == f.name) return f;
  throw std::out_of_range("no window " + std::string(name));
}

}  // namespace ui
