#pragma once

#include <QObject>
#include <cstdint>

#include "zeph/scales/scales_export.h"

namespace zeph {

// The enumerations the scale and the chart controls share. Each is stored in one byte, its values
// numbered from 0 in the order given; the meta-object knows their names, for stored forms and tools.
namespace ZephEnums {
Q_NAMESPACE_EXPORT(ZEPH_SCALES_EXPORT)

/// How a chart fills its data area with its background image.
enum TBkgFill : std::uint8_t {
  bfSimple,   ///< The image at its natural size in the top-left corner, on the chart colour.
  bfStretch,  ///< The image stretched over the whole data area.
  bfTile      ///< The image repeated at its natural size from the top-left corner on.
};
Q_ENUM_NS(TBkgFill)

/// How a chart draws one of its text labels.
enum TTxtLblMode : std::uint8_t {
  tlOff,        ///< The label is not drawn.
  tlsimple,     ///< The text on its background box, without a border.
  tlBox,        ///< The text in a box with a border.
  tlUnderline,  ///< The text on its background box, underlined in the border colour.
  tlShadow      ///< The text in a bordered box that casts a shadow.
};
Q_ENUM_NS(TTxtLblMode)

/// The colours of a scale's three-dimensional frame.
enum TColorScheme : std::uint8_t {
  csBWG,    ///< Fixed black, white and gray (shadow 8421504, highlight 16777215).
  csSystem  ///< The system's button colours (\ref clBtnShadow and \ref clBtnHighlight).
};
Q_ENUM_NS(TColorScheme)

/// The kind of tick labels a scale writes.
enum TFigType : std::uint8_t {
  ftNoFigs,    ///< Ticks without labels.
  ftNum,       ///< Numbers.
  ftTime,      ///< Clock readings: the axis values are seconds, labelled as hours:minutes:seconds.
  ftDateTime,  ///< Dates and times: the axis values are days since 30 December 1899 (see TDTLabel).
  ftUserText   ///< The texts of the scale's \c UserTickText, one per labelled tick.
};
Q_ENUM_NS(TFigType)

/// The orientation of a scale and the side of its axis line within the scale's rectangle.
enum TScaleType : std::uint8_t {
  sctXB,  ///< Horizontal, the axis line at the bottom; ticks and labels above it.
  sctXT,  ///< Horizontal, the axis line at the top; ticks and labels below it (a chart's x axis).
  sctYL,  ///< Vertical, the axis line at the left; ticks and labels right of it.
  sctYR   ///< Vertical, the axis line at the right; ticks and labels left of it (a chart's y axis).
};
Q_ENUM_NS(TScaleType)

/// The year in date labels.
enum TYearLength : std::uint8_t {
  ylNone,  ///< No year.
  ylYY,    ///< Two digits ("24").
  ylYYYY   ///< Four digits ("2024").
};
Q_ENUM_NS(TYearLength)

/// The order of day, month and year in date labels.
enum TDateOrder : std::uint8_t {
  doMMDDYY,  ///< Month, day, year.
  doDDMMYY,  ///< Day, month, year.
  doYYMMDD   ///< Year, month, day.
};
Q_ENUM_NS(TDateOrder)

/// Which time-of-day labels of a date/time scale also show the date, on a line of their own.
enum TDateForTime : std::uint8_t {
  dtNone,         ///< None.
  dtOnePerChart,  ///< Only the first labelled tick of the axis.
  dtOnePerDay,    ///< The first labelled tick of each day.
  dtAllTicks      ///< Every labelled tick.
};
Q_ENUM_NS(TDateForTime)

/// The shadow a chart casts at its right and bottom edges.
enum TShadowStyle : std::uint8_t {
  ssFlying,  ///< A shadow set off from the chart, as if it floated above its background.
  ssBox      ///< A shadow joined to the chart by slanted corners and outlined in black, as a box side.
};
Q_ENUM_NS(TShadowStyle)

/// The frame drawn around an opaque scale (and around a chart's framed rectangle items).
enum TFrameStyle : std::uint8_t {
  fsNone,      ///< No frame.
  fsSimple,    ///< A black outline.
  fsLowered,   ///< A sunken three-dimensional rim.
  fsRaised,    ///< A raised three-dimensional rim.
  fsEmbossed,  ///< A raised line.
  fsEngraved   ///< A grooved line.
};
Q_ENUM_NS(TFrameStyle)

/// The form of time-of-day labels on date/time scales.
enum TTimeFormat : std::uint8_t {
  tfHHMMSS,  ///< 24-hour clock with two-digit hours and the time separator ("08:30").
  tfHHhMM,   ///< 24-hour clock with an "h" after the hours ("8h30").
  tfAMPM     ///< 12-hour clock followed by "am" or "pm" ("8:30am").
};
Q_ENUM_NS(TTimeFormat)

/// What dragging the mouse in a chart's data area does.
///
/// Values without an interaction of their own exist so that stored forms keep their numbers.
enum TMouseActMode : std::uint8_t {
  maNone,         ///< No interaction; the cross cursor over the data area unless the cursor is fixed.
  maPan,          ///< Dragging with the left button moves both axis ranges.
  maPanHoriz,     ///< Dragging with the left button moves the x range only.
  maPanVert,      ///< Dragging with the left button moves the y range only.
  maRubberBand,   ///< No interaction.
  maZoom,         ///< No interaction.
  maZoomWind,     ///< Dragging a rectangle zooms into it; the ranges take the direction of the drag.
  maZoomWindPos,  ///< As \ref ZephEnums::maZoomWind "maZoomWind", but each axis keeps its direction.
  maZoomDrag,     ///< Dragging with the left button zooms in or out around the centre of the ranges.
  maDragCrossH,   ///< Dragging moves the nearest cross-hair.
  maDragLabel,    ///< Dragging moves the nearest text label.
  maRotate,       ///< No interaction.
  maRotAndZoom,   ///< No interaction.
  maRotXOnly,     ///< No interaction.
  maRotZOnly      ///< No interaction.
};
Q_ENUM_NS(TMouseActMode)

/// The lines a cross-hair shows.
enum TCrossHMode : std::uint8_t {
  chOff,    ///< None: the cross-hair is hidden.
  chHoriz,  ///< The horizontal line only.
  chVert,   ///< The vertical line only.
  chBoth    ///< Both lines.
};
Q_ENUM_NS(TCrossHMode)

/// The point along the axis that a scale's caption is placed from.
enum TScaleUnitAnchor : std::uint8_t {
  uaSclTopLft,  ///< The start of the axis extent: its left end, or the top of a vertical scale.
  uaSclCenter,  ///< The middle of the axis extent.
  uaSclBotRgt   ///< The end of the axis extent: its right end, or the bottom of a vertical scale.
};
Q_ENUM_NS(TScaleUnitAnchor)

}  // namespace ZephEnums

// The enumerations are used by their prefixed value names, as everywhere in the chart library.
using namespace ZephEnums;  // NOLINT(google-global-names-in-headers)

}  // namespace zeph
