#pragma once

#include <QObject>
#include <cstdint>

#include "zeph/scales/scales_export.h"

namespace zeph {

// The enumerations the scale and the chart controls share. Each is stored in one byte, its values
// numbered from 0 in the order given; the meta-object knows their names, for stored forms and tools.
namespace ZephEnums {
Q_NAMESPACE_EXPORT(ZEPH_SCALES_EXPORT)

enum TBkgFill : std::uint8_t { bfSimple, bfStretch, bfTile };
Q_ENUM_NS(TBkgFill)

enum TTxtLblMode : std::uint8_t { tlOff, tlsimple, tlBox, tlUnderline, tlShadow };
Q_ENUM_NS(TTxtLblMode)

enum TColorScheme : std::uint8_t { csBWG, csSystem };
Q_ENUM_NS(TColorScheme)

enum TFigType : std::uint8_t { ftNoFigs, ftNum, ftTime, ftDateTime, ftUserText };
Q_ENUM_NS(TFigType)

enum TScaleType : std::uint8_t { sctXB, sctXT, sctYL, sctYR };
Q_ENUM_NS(TScaleType)

enum TYearLength : std::uint8_t { ylNone, ylYY, ylYYYY };
Q_ENUM_NS(TYearLength)

enum TDateOrder : std::uint8_t { doMMDDYY, doDDMMYY, doYYMMDD };
Q_ENUM_NS(TDateOrder)

enum TDateForTime : std::uint8_t { dtNone, dtOnePerChart, dtOnePerDay, dtAllTicks };
Q_ENUM_NS(TDateForTime)

enum TShadowStyle : std::uint8_t { ssFlying, ssBox };
Q_ENUM_NS(TShadowStyle)

enum TFrameStyle : std::uint8_t { fsNone, fsSimple, fsLowered, fsRaised, fsEmbossed, fsEngraved };
Q_ENUM_NS(TFrameStyle)

enum TTimeFormat : std::uint8_t { tfHHMMSS, tfHHhMM, tfAMPM };
Q_ENUM_NS(TTimeFormat)

enum TMouseActMode : std::uint8_t {
  maNone,
  maPan,
  maPanHoriz,
  maPanVert,
  maRubberBand,
  maZoom,
  maZoomWind,
  maZoomWindPos,
  maZoomDrag,
  maDragCrossH,
  maDragLabel,
  maRotate,
  maRotAndZoom,
  maRotXOnly,
  maRotZOnly
};
Q_ENUM_NS(TMouseActMode)

enum TCrossHMode : std::uint8_t { chOff, chHoriz, chVert, chBoth };
Q_ENUM_NS(TCrossHMode)

enum TScaleUnitAnchor : std::uint8_t { uaSclTopLft, uaSclCenter, uaSclBotRgt };
Q_ENUM_NS(TScaleUnitAnchor)

}  // namespace ZephEnums

// The enumerations are used by their prefixed value names, as everywhere in the chart library.
using namespace ZephEnums;  // NOLINT(google-global-names-in-headers)

}  // namespace zeph
