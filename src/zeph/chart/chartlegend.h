#pragma once

#include <QObject>
#include <QString>
#include <vector>

#include "zeph/chart/chart_export.h"
#include "zeph/toolkit/events.h"
#include "zeph/toolkit/tcolor.h"
#include "zeph/toolkit/tfont.h"
#include "zeph/toolkit/types.h"

namespace zeph {

/// One line of a chart's legend: a curve's name with its pen and mark.
struct ZEPH_CHART_EXPORT TLegendEntry {
  QString Name;                 ///< The curve's name, as the legend shows it.
  TColor Color = clBlack;       ///< The curve's pen colour.
  TPenStyle PenStyle = psSolid;  ///< The curve's pen style.
  int LineWidth = 1;            ///< The curve's pen width in pixels.
  int MarkType = -1;            ///< The mark drawn on the curve's points (DrawMark()), or -1 for none.
  bool Hidden = false;          ///< Whether the curve is hidden; the legend then shows its name in grey.
};

/// The legend of a chart: a box listing the curves' names with their pens and marks.
///
/// Every chart owns one (TCustomZephChart::Legend()); it is hidden until SetVisible(true). The box
/// stands in a corner of the chart area or outside it, to the right (Position()); it is drawn in
/// screen pixels over the chart, and in every export (TCustomZephChart::PaintTo()). A click on a
/// line of the legend hides that curve, a second click shows it again.
///
/// The legend lists the curves that have names. A curve is a run of move-to and draw-to items (and
/// marks) of one colour: SetCurveName() names the colour, and the legend shows, in the order the
/// colours first appear in the display list, each named colour with the pen style and width of its
/// first line and the mark of its first mark item.
///
/// \code
/// chart.SetDataColor(Qt::blue);  // ... MoveTo / DrawTo the magnitude ...
/// chart.SetDataColor(Qt::red);   // ... MoveTo / DrawTo the phase ...
/// chart.Legend()->SetCurveName(zeph::clBlue, QStringLiteral("|H(f)|"));
/// chart.Legend()->SetCurveName(zeph::clRed, QStringLiteral("φ(f)"));
/// chart.Legend()->SetVisible(true);
/// \endcode
class ZEPH_CHART_EXPORT TChartLegend : public QObject {
  Q_OBJECT
  Q_PROPERTY(bool Visible READ Visible WRITE SetVisible NOTIFY PropertiesChanged)
  Q_PROPERTY(TLegendPosition Position READ Position WRITE SetPosition NOTIFY PropertiesChanged)
  Q_PROPERTY(TFont Font READ Font WRITE SetFont NOTIFY PropertiesChanged)
  Q_PROPERTY(TColor ColorBkg READ ColorBkg WRITE SetColorBkg NOTIFY PropertiesChanged)
  Q_PROPERTY(TColor ColorBorder READ ColorBorder WRITE SetColorBorder NOTIFY PropertiesChanged)

 public:
  /// Where the legend's box stands.
  enum TLegendPosition {
    lpTopLeft,      ///< In the chart area's top-left corner, 6 pixels in from the frame.
    lpTopRight,     ///< In the chart area's top-right corner (the default).
    lpBottomLeft,   ///< In the chart area's bottom-left corner.
    lpBottomRight,  ///< In the chart area's bottom-right corner.
    /// Right of the chart area, 8 pixels from its frame, level with its top: make \c RRim wide
    /// enough for it.
    lpOutsideRight
  };
  Q_ENUM(TLegendPosition)

  /// Creates a hidden legend in the top-right corner, in the toolkit's default font, black on
  /// white; charts create their own.
  explicit TChartLegend(QObject* owner = nullptr);

  /// Whether the legend is drawn; false by default.
  bool Visible() const { return visible_; }
  /// Sets Visible().
  void SetVisible(bool value);
  /// Where the box stands; \c lpTopRight by default.
  TLegendPosition Position() const { return position_; }
  /// Sets Position().
  void SetPosition(TLegendPosition value);
  /// The font of the names; the toolkit's default font unless set. Its colour is the names'
  /// colour.
  const TFont& Font() const { return font_; }
  /// Sets Font().
  void SetFont(const TFont& value);
  /// Sets Font() from a QFont (see TFont::FromQFont()); the font colour stays as it is.
  void SetFont(const QFont& value) { SetFont(TFont::FromQFont(value, Font().Color)); }
  /// The box's background colour; white by default.
  TColor ColorBkg() const { return color_bkg_; }
  /// Sets ColorBkg().
  void SetColorBkg(TColor value);
  /// Sets ColorBkg() from a QColor; its alpha channel is dropped.
  void SetColorBkg(const QColor& value) { SetColorBkg(QColorToColor(value)); }
  /// Sets ColorBkg() from a Qt colour name such as \c Qt::white.
  void SetColorBkg(Qt::GlobalColor value) { SetColorBkg(QColorToColor(QColor(value))); }
  /// The box's frame colour; black by default.
  TColor ColorBorder() const { return color_border_; }
  /// Sets ColorBorder().
  void SetColorBorder(TColor value);
  /// Sets ColorBorder() from a QColor; its alpha channel is dropped.
  void SetColorBorder(const QColor& value) { SetColorBorder(QColorToColor(value)); }
  /// Sets ColorBorder() from a Qt colour name such as \c Qt::black.
  void SetColorBorder(Qt::GlobalColor value) { SetColorBorder(QColorToColor(QColor(value))); }

  /// Names the curve drawn in \p color (the colour's run of lines and marks); an empty name takes
  /// the curve off the legend.
  void SetCurveName(TColor color, const QString& name);
  /// Names the curve drawn in a QColor (its alpha channel is dropped).
  void SetCurveName(const QColor& color, const QString& name) { SetCurveName(QColorToColor(color), name); }
  /// Names the curve drawn in a Qt colour such as \c Qt::red.
  void SetCurveName(Qt::GlobalColor color, const QString& name) { SetCurveName(QColor(color), name); }
  /// The name of the curve drawn in \p color; empty when it has none.
  QString CurveName(TColor color) const;
  /// Whether the curve drawn in \p color is hidden.
  bool CurveHidden(TColor color) const;
  /// Hides or shows the curve drawn in \p color (its lines, marks and other items of that colour);
  /// a click on its line of the legend does the same. Raises CurveHiddenChanged() on a change.
  void SetCurveHidden(TColor color, bool hidden);
  /// The colours hidden with SetCurveHidden(), in the order they were hidden.
  const std::vector<TColor>& HiddenColors() const { return hidden_; }

  /// Raised after every change of the legend's settings, names or hidden curves; the chart
  /// repaints through it under its AutoRedraw rule. Set by the owning chart.
  TNotifyEvent OnChange;

 Q_SIGNALS:
  /// A setting, a name or a hidden curve changed; NOTIFY signal of the properties. Not raised
  /// while the owning chart loads from a stored form.
  void PropertiesChanged();
  /// The curve drawn in \p color was hidden or shown (by a click on the legend or by code).
  void CurveHiddenChanged(zeph::TColor color, bool hidden);

 private:
  void Notify();
  // Signals wait while the owning chart loads from a stored form.
  bool OwnerLoading() const;

  bool visible_ = false;
  TLegendPosition position_ = lpTopRight;
  TFont font_;
  TColor color_bkg_ = clWhite;
  TColor color_border_ = clBlack;
  std::vector<std::pair<TColor, QString>> names_;
  std::vector<TColor> hidden_;
};

}  // namespace zeph
