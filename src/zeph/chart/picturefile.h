#pragma once

#include <QSize>
#include <QString>
#include <functional>

#include "zeph/chart/chart_export.h"
#include "zeph/toolkit/tcanvas.h"
#include "zeph/toolkit/tcolor.h"

namespace zeph {

/// The largest picture, in device pixels each way, that SavePicture() writes as an image.
inline constexpr int kMaxPicturePixels = 16384;

/// What a saved picture tells about itself, and the colour under a raster picture.
struct TPictureInfo {
  /// The document title of a PDF or SVG file; empty leaves it out.
  QString title;
  /// The creating program of a PDF (its Creator) or the description of an SVG; empty leaves it out.
  QString creator;
  /// The colour an image starts with, seen where the drawing leaves a device pixel untouched (at
  /// the edge of a picture whose scale is not a whole number).
  TColor background = clWhite;
  /// The format by name, without regard to case: "pdf", "svg" or an image format ("png", "jpg",
  /// ...); empty takes the one the file name's extension names.
  QString format;
};

/// Writes a drawing to a file in the format its extension names, with one call for all formats.
///
/// \p paint draws the picture onto the canvas it is given, in pixels from (0, 0) to \p size; it
/// is called once. By TPictureInfo::format, else by the extension of \p file_name, without regard
/// to case:
/// - ".pdf": a one-page PDF of \p size points (one point per pixel), drawn with lines and text
///   as vectors through a printer canvas; the fonts are embedded, text stays text;
/// - ".svg": an SVG drawing of \p size user units, vectors and text as well;
/// - any other extension: an image in the format Qt's image writers know by that name ("png",
///   "jpg", "bmp", ...), PNG when the name has none, of \p size times \p scale device pixels,
///   drawn as on a screen of that device pixel ratio (\p scale is ignored for PDF and SVG).
///
/// The file is written completely or not at all (TSafeFile): the whole picture is drawn and encoded
/// before the file is touched, and a failed save leaves an existing file as it was; a device, FIFO
/// or open descriptor (/dev/stdout) is written in place. Every failure raises EZephChartError
/// with a message such as "cannot write 'out.png': No space left on device": an empty size, a
/// scale that is not above 0, an image larger than kMaxPicturePixels each way, an unknown image
/// format, not enough memory for the image or for any surface the drawing needs ("not enough
/// memory for ..."; a picture is never written with parts missing), a folder that does not exist
/// or cannot be written, a full disk.
ZEPH_CHART_EXPORT void SavePicture(const QString& file_name, QSize size, qreal scale,
                                   const std::function<void(TCanvas&)>& paint, const TPictureInfo& info = {});

}  // namespace zeph
