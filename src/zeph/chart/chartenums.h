#pragma once

#include <QObject>
#include <cstdint>

#include "zeph/chart/chart_export.h"

namespace zeph {

/// The number of layers of a chart: each has its own x and y scale settings, and items and
/// cross-hairs belong to one of them.
inline constexpr int kChartLayerCount = 16;
/// The number of cross-hairs of a chart.
inline constexpr int kChartCrossHairCount = 4;
/// The number of text labels of a chart.
inline constexpr int kChartTextLabelCount = 20;
/// Item pixel coordinates are clamped to -30000..30000 before drawing.
inline constexpr int kChartPixelClamp = 30000;

/// The enumerations that belong to the chart control alone.
///
/// Each is stored in one byte, its values numbered from 0 in the order given; Qt's meta-object
/// system knows their names, for stored forms and tools. The enclosing namespace \c zeph makes the
/// values available unqualified (\c gsLines, \c cahChartRight).
namespace ChartEnums {
Q_NAMESPACE_EXPORT(ZEPH_CHART_EXPORT)

/// The horizontal reference point of a chart's caption (TZephChart::CaptionAnchorHoriz()).
///
/// The caption's x position is this point plus \c CaptionPosX; \c CaptionAlignment then says
/// whether the text starts there, ends there or is centred on it. CW is the chart area's width.
enum TCaptionAnchorHoriz : std::uint8_t {
  cahControlLeft,  ///< The control's left edge (x = 0).
  cahChartLeft,    ///< The chart area's left edge (x = \c LRim).
  cahChartCenter,  ///< The chart area's centre (x = \c LRim + CW / 2, truncated).
  cahChartRight,   ///< The chart area's right edge (x = width − \c RRim − \c ShadowWidth); the default.
  cahControlRight  ///< The control's right edge (x = width).
};
Q_ENUM_NS(TCaptionAnchorHoriz)

/// The vertical reference point of a chart's caption (TZephChart::CaptionAnchorVert()).
///
/// The caption's top edge lies at this point plus \c CaptionPosY. CH is the chart area's height.
enum TCaptionAnchorVert : std::uint8_t {
  cavControlTop,    ///< The control's top edge (y = 0).
  cavChartTop,      ///< The chart area's top edge (y = \c TRim); the default.
  cavChartCenter,   ///< The chart area's middle (y = \c TRim + CH / 2, truncated).
  cavChartBottom,   ///< y = height − \c BRim (the shadow width is not subtracted).
  cavControlBottom  ///< The control's bottom edge (y = height).
};
Q_ENUM_NS(TCaptionAnchorVert)

/// The side of the chart area on which a layer's x axis lies (TScalePropsHoriz::ScaleLocation()).
enum TScaleLocationHoriz : std::uint8_t {
  slTop,    ///< Above the chart area, moved up by the axis's \c ScalePos.
  slBottom  ///< Below the chart area, moved down by the axis's \c ScalePos; the default.
};
Q_ENUM_NS(TScaleLocationHoriz)

/// The side of the chart area on which a layer's y axis lies (TScalePropsVert::ScaleLocation()).
enum TScaleLocationVert : std::uint8_t {
  slLeft,  ///< Left of the chart area, moved left by the axis's \c ScalePos; the default.
  slRight  ///< Right of the chart area, moved right by the axis's \c ScalePos.
};
Q_ENUM_NS(TScaleLocationVert)

/// The grid a chart draws in its chart area (TZephChart::GridStyle()).
///
/// The grid lies under the items, in \c GridColor, at the positions that \c GridDx and \c GridDy
/// give on the current layer's axes (0: at the scale's ticks).
enum GridStyleType : std::uint8_t {
  gsNone,           ///< No grid; the default.
  gsPoints,         ///< One pixel at every crossing of the grid positions.
  gsVertLines,      ///< Solid vertical lines at the x positions.
  gsHorizLines,     ///< Solid horizontal lines at the y positions.
  gsLines,          ///< Solid lines in both directions.
  gsHorizDotLines,  ///< Dotted horizontal lines.
  gsVertDotLines,   ///< Dotted vertical lines.
  gsDotLines        ///< Dotted lines in both directions.
};
Q_ENUM_NS(GridStyleType)

/// The standard layouts of a chart (TZephChart::StandardLayout()).
///
/// Each sets the four rims, the caption's position and anchors, and the location, caption position
/// and visibility of the x and y scales of layers 1 to 4; the scales of layers 5 to 16 become
/// invisible. The name tells how many x and y scales are shown and on which side.
enum TzcLayout : std::uint8_t {
  /// One x scale below, one y scale on the left; rims left 50, right 20, top 20, bottom 40. The
  /// default, applied at construction.
  zcl_X1Bottom_Y1Left,
  /// One x scale below, two y scales 50 pixels apart on the left; left rim 100, top rim 24.
  zcl_X1Bottom_Y2Left,
  /// One x scale below, three y scales 50 pixels apart on the left; left rim 150, top rim 24.
  zcl_X1Bottom_Y3Left,
  /// One x scale below, four y scales 50 pixels apart on the left; left rim 200, top rim 24.
  zcl_X1Bottom_Y4Left,
  /// One x scale below, one y scale on each side; left and right rims 50, caption centred.
  zcl_X1Bottom_Y2Both,
  /// Two x scales below, the second 30 pixels lower, two y scales on the left; bottom rim 70.
  zcl_X2Bottom_Y2Left,
  /// One x scale below and one above, one y scale on each side; top rim 48, caption centred.
  zcl_X2Both_Y2Both
};
Q_ENUM_NS(TzcLayout)

/// The background of text items (TZephChart::TextBkStyle()).
enum TTextBkg : std::uint8_t {
  tbClear,  ///< The text is drawn without a background; the default.
  tbSolid   ///< The text is drawn on a box of \c TextBkColor.
};
Q_ENUM_NS(TTextBkg)

}  // namespace ChartEnums

// Used by their prefixed value names, as everywhere in the chart library.
using namespace ChartEnums;  // NOLINT(google-global-names-in-headers)

}  // namespace zeph
