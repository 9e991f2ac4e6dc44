#pragma once

#include <QObject>
#include <cstdint>

#include "zeph/chart/chart_export.h"

namespace zeph {

// The enumerations that belong to the chart control alone. Each is stored in one byte, its values
// numbered from 0 in the order given; the meta-object knows their names, for stored forms and tools.
namespace ChartEnums {
Q_NAMESPACE_EXPORT(ZEPH_CHART_EXPORT)

enum TCaptionAnchorHoriz : std::uint8_t {
  cahControlLeft,
  cahChartLeft,
  cahChartCenter,
  cahChartRight,
  cahControlRight
};
Q_ENUM_NS(TCaptionAnchorHoriz)

enum TCaptionAnchorVert : std::uint8_t {
  cavControlTop,
  cavChartTop,
  cavChartCenter,
  cavChartBottom,
  cavControlBottom
};
Q_ENUM_NS(TCaptionAnchorVert)

enum TScaleLocationHoriz : std::uint8_t { slTop, slBottom };
Q_ENUM_NS(TScaleLocationHoriz)

enum TScaleLocationVert : std::uint8_t { slLeft, slRight };
Q_ENUM_NS(TScaleLocationVert)

enum GridStyleType : std::uint8_t {
  gsNone,
  gsPoints,
  gsVertLines,
  gsHorizLines,
  gsLines,
  gsHorizDotLines,
  gsVertDotLines,
  gsDotLines
};
Q_ENUM_NS(GridStyleType)

enum TzcLayout : std::uint8_t {
  zcl_X1Bottom_Y1Left,
  zcl_X1Bottom_Y2Left,
  zcl_X1Bottom_Y3Left,
  zcl_X1Bottom_Y4Left,
  zcl_X1Bottom_Y2Both,
  zcl_X2Bottom_Y2Left,
  zcl_X2Both_Y2Both
};
Q_ENUM_NS(TzcLayout)

enum TTextBkg : std::uint8_t { tbClear, tbSolid };
Q_ENUM_NS(TTextBkg)

}  // namespace ChartEnums

// Used by their prefixed value names, as everywhere in the chart library.
using namespace ChartEnums;  // NOLINT(google-global-names-in-headers)

}  // namespace zeph
