// The effects panel's own enumerations and colour type. Several of their
// enumerators are spelt like the framework's (csOpaque, fsNormal), so they
// live in TMegaTypes: the panel and its effect records derive from it and
// use them unqualified; other code writes TMegaPanel::csXOR and the like.
#pragma once

#include <cstdint>
#include <string>

#include <win32/windef.h>

#include "framework/types.h"

// A colour as the framework's, plus clNone for no colour at all.
using TMegaColor = TColor;

struct TMegaTypes {
  enum TColorStyle { csOpaque, csDithered, csTransparent, csAND, csOR, csNAND, csNOR, csXOR };
  enum TGradientType { gtNone, gtHorizontal, gtVertical, gtHorzSplit, gtVertSplit };
  enum TEffect { feNone, feFocus, feLive, feColor };
  enum TFontStyle { fsNormal, fsRaisedLight, fsRaisedHeavy, fsInsetLight, fsInsetHeavy, fsDropShadow, fsHeavy };
  enum TPictureStyle {
    psAll, psPanel, psPanelFrame, psPanelInsideFrame, psCaption, psCaptionFrame, psCaptionInsideFrame, psCaptionText
  };
  enum TPicturePos {
    ppTopLeft, ppTopCenter, ppTopRight, ppLeftCenter, ppCenter, psRightCenter, ppBottomLeft, ppBottomCenter,
    ppBottomRight, ppStretch, ppTile, ppTileFast, ppStretchTop, ppStretchBottom, ppStretchLeft, ppStretchRight,
    ppStripTop, ppStripBottom, ppStripLeft, ppStripRight, ppStripTopFast, ppStripBottomFast, ppStripLeftFast,
    ppStripRightFast
  };
  enum TPictureTransparent { ptNone, ptSimple, ptFull };
  enum TCaptionPos {
    cpTopLeft, cpTopCenter, cpTopRight, cpLeftTop, cpLeftCenter, cpLeftBottom, cpRightTop, cpRightCenter,
    cpRightBottom, cpBottomLeft, cpBottomCenter, cpBottomRight
  };
  enum TCaptionStyle { csNone, csPanel, csGroupBox, csFloating };
  enum TCaptionLoc { clInsideFrame, clOutsideFrame };
  enum THorzJust { hjLeft, hjCenter, hjRight };
  enum TVertJust { vjTop, vjCenter, vjBottom };
  enum TLabelPos {
    lpTopLeftCorner, lpTopLeft, lpTopCenter, lpTopRight, lpTopRightCorner, lpLeftTop, lpLeftCenter, lpLeftBottom,
    lpRightTop, lpRightCenter, lpRightBottom, lpBottomLeftCorner, lpBottomLeft, lpBottomCenter, lpBottomRight,
    lpBottomRightCorner
  };
  enum TLabelStyle { lsNone, lsInPanel, lsInControl, lsMixed };
  enum TLabelType { ltNormal, ltAutomatic };
  enum TTagUsage { tuNone, tuLabelColor, tuLabelBackground };
  enum TDesignView { dvNormal, dvRuntime };
  enum TAutoCent { acControls, acLabels, acPanels };
  enum TFixKey { fkEnter, fkUpDown };
  enum TResizeCont {
    rcHorizontal, rcVertical, rcScrollBars, rcCaptionFrames, rcPanelFrames, rcLabelFrames, rcCtlShadow,
    rcPictureOffsets, rcGridCells, rcGridLines
  };
  enum TResizeFont { rfCaption, rfLabels, rfControls };
};

// A colour value as stored by older versions of the component: the older
// system-colour numbers (0xFFFFFFEA cl3DDkShadow ... 0xFFFFFFE7 clInfoBk)
// become the current ones, and 0xFFFFFFE6 is no colour, like clNone.
TMegaColor MegaColorFromStored(std::uint32_t value);
// A stored identifier, the older ones (clBtnDarkShadow, clBtnLight,
// clInfoWindow) included; false when the name is unknown.
bool MegaIdentToColor(const std::string& ident, TMegaColor& colour);
// RGB of a colour: a system colour by the index in its low byte.
COLORREF MegaColorToRGB(TMegaColor colour);
