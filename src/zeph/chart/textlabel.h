#pragma once

#include <QObject>
#include <QString>

#include "zeph/scales/zephenums.h"
#include "zeph/toolkit/events.h"
#include "zeph/toolkit/tcolor.h"
#include "zeph/toolkit/tfont.h"
#include "zeph/toolkit/types.h"
#include "zeph/chart/chart_export.h"

namespace zeph {

/// One of a chart's text labels: a caption in a box at a point of its layer (or at a pixel position
/// when it is not attached to data).
///
/// Every TZephChart owns twenty labels (TCustomZephChart::TextLabel(), 1 to 20), all switched off
/// (Mode() \c tlOff) until an application sets a mode. The chart draws them over its items, from
/// label 20 down to label 1 (so label 1 lies on top), each only while its layer is visible; the
/// mouse mode \c maDragLabel lets the user drag the nearest one. Every setter stores the value and
/// then fires OnChange, through which the chart repaints when its \c AutoRedraw is on.
///
/// The caption may hold several lines, separated by line feeds. Its last line stands on the anchor
/// point: the text's bottom edge lies at the anchor's y, and Alignment() places the block at the
/// anchor's x. The box reaches 4 pixels beyond the text on the left and right and 2 pixels above
/// and below.
class ZEPH_CHART_EXPORT TTextLabel : public QObject {
  Q_OBJECT
  Q_PROPERTY(double PosX READ PosX WRITE SetPosX NOTIFY PropertiesChanged)
  Q_PROPERTY(double PosY READ PosY WRITE SetPosY NOTIFY PropertiesChanged)
  Q_PROPERTY(int Layer READ Layer WRITE SetLayer NOTIFY PropertiesChanged)
  Q_PROPERTY(bool AttachToData READ AttachToData WRITE SetAttachToData NOTIFY PropertiesChanged)
  Q_PROPERTY(TColor ColorBkg READ ColorBkg WRITE SetColorBkg NOTIFY PropertiesChanged)
  Q_PROPERTY(TColor ColorBorder READ ColorBorder WRITE SetColorBorder NOTIFY PropertiesChanged)
  Q_PROPERTY(TColor ColorShadow READ ColorShadow WRITE SetColorShadow NOTIFY PropertiesChanged)
  Q_PROPERTY(int ShadowDx READ ShadowDx WRITE SetShadowDx NOTIFY PropertiesChanged)
  Q_PROPERTY(int ShadowDy READ ShadowDy WRITE SetShadowDy NOTIFY PropertiesChanged)
  Q_PROPERTY(bool Transparent READ Transparent WRITE SetTransparent NOTIFY PropertiesChanged)
  Q_PROPERTY(TAlignment Alignment READ Alignment WRITE SetAlignment NOTIFY PropertiesChanged)
  Q_PROPERTY(TFont Font READ Font WRITE SetFont NOTIFY PropertiesChanged)
  Q_PROPERTY(ZephEnums::TTxtLblMode Mode READ Mode WRITE SetMode NOTIFY PropertiesChanged)
  Q_PROPERTY(QString Caption READ Caption WRITE SetCaption NOTIFY PropertiesChanged)

 public:
  /// Constructs a label switched off at (0, 0) of layer 1, attached to data, centred, white with a
  /// black border and a gray shadow 3 pixels to the right and below, with a copy of the font.
  ///
  /// Each chart creates its own twenty labels with a copy of its font; an application does not
  /// need to.
  explicit TTextLabel(const TFont& font, QObject* owner = nullptr) : QObject(owner), font_(font) {}

  /// Published property \c PosX: the anchor's x; 0 by default.
  ///
  /// A world x of the label's layer while AttachToData() is true (the label moves with the data
  /// when the range changes), else a control pixel x (rounded when drawn).
  double PosX() const { return pos_x_; }
  /// Sets PosX(); fires OnChange.
  void SetPosX(double value);
  /// Published property \c PosY: the anchor's y; 0 by default.
  ///
  /// A world y of the label's layer while AttachToData() is true, else a control pixel y.
  double PosY() const { return pos_y_; }
  /// Sets PosY(); fires OnChange.
  void SetPosY(double value);
  /// Sets PosX() and PosY() without OnChange.
  ///
  /// Positions set by dragging are stored this way; the chart repaints itself.
  void MoveSilently(double x, double y) {
    pos_x_ = x;
    pos_y_ = y;
  }
  /// Published property \c Layer: the layer, 1 to 16, whose scales map the position and whose
  /// visibility the label follows; 1 by default.
  int Layer() const { return layer_; }
  /// Sets Layer(); fires OnChange. Values outside 1..16 are ignored (no OnChange).
  void SetLayer(int value);
  /// Published property \c AttachToData: whether PosX() and PosY() are world coordinates of the
  /// layer (true, the default) or control pixels (false).
  bool AttachToData() const { return attach_to_data_; }
  /// Sets AttachToData(); fires OnChange. The position values are kept as they are.
  void SetAttachToData(bool value);
  /// Published property \c ColorBkg: the fill of the box; white by default.
  TColor ColorBkg() const { return color_bkg_; }
  /// Sets ColorBkg(); fires OnChange.
  void SetColorBkg(TColorArg value);
  /// Published property \c ColorBorder: the colour of the box's border (\c tlBox, \c tlShadow)
  /// and of the underline (\c tlUnderline); black by default.
  TColor ColorBorder() const { return color_border_; }
  /// Sets ColorBorder(); fires OnChange.
  void SetColorBorder(TColorArg value);
  /// Published property \c ColorShadow: the colour of the shadow in mode \c tlShadow; gray
  /// (8421504) by default.
  TColor ColorShadow() const { return color_shadow_; }
  /// Sets ColorShadow(); fires OnChange.
  void SetColorShadow(TColorArg value);
  /// Published property \c ShadowDx: how far the shadow lies right of the box, in pixels; 3 by
  /// default.
  int ShadowDx() const { return shadow_dx_; }
  /// Sets ShadowDx(); fires OnChange.
  void SetShadowDx(int value);
  /// Published property \c ShadowDy: how far the shadow lies below the box, in pixels; 3 by
  /// default.
  int ShadowDy() const { return shadow_dy_; }
  /// Sets ShadowDy(); fires OnChange.
  void SetShadowDy(int value);
  /// Published property \c Transparent: whether the box is left unfilled, so the chart shows
  /// through; false by default.
  bool Transparent() const { return transparent_; }
  /// Sets Transparent(); fires OnChange.
  void SetTransparent(bool value);
  /// Published property \c Alignment: whether the text starts at (\c taLeftJustify), ends at
  /// (\c taRightJustify) or is centred on (\c taCenter, the default) the anchor's x.
  ///
  /// Lines of a caption with several lines are aligned the same way within the block.
  TAlignment Alignment() const { return alignment_; }
  /// Sets Alignment(); fires OnChange.
  void SetAlignment(TAlignment value);
  /// Published property \c Font: the font of the caption; a copy of the chart's font at
  /// construction.
  const TFont& Font() const { return font_; }
  /// Sets Font() to a copy of the value; fires OnChange.
  void SetFont(const TFont& value);
  /// Sets Font() from a QFont (see TFont::FromQFont()); the font colour stays as it is.
  void SetFont(const QFont& value) { SetFont(TFont::FromQFont(value, Font().Color)); }
  /// Published property \c Mode: how the label is drawn; \c tlOff (not drawn) by default.
  ///
  /// \c tlsimple draws the box in ColorBkg() without a border, \c tlBox with a border in
  /// ColorBorder(), \c tlUnderline like \c tlsimple and underlines the last line in ColorBorder(),
  /// \c tlShadow draws a shadow box in ColorShadow() shifted by ShadowDx(), ShadowDy() and then
  /// the bordered box. Transparent() leaves the box unfilled in every mode.
  TTxtLblMode Mode() const { return mode_; }
  /// Sets Mode(); fires OnChange.
  void SetMode(TTxtLblMode value);
  /// Published property \c Caption: the text, with line feeds between lines; empty by default.
  QString Caption() const { return caption_; }
  /// Sets Caption(); fires OnChange.
  void SetCaption(const QString& value);

  /// Runs after every change through a setter, with the label as the sender.
  ///
  /// Set by the chart: it repaints when its \c AutoRedraw is on (or it is being designed).
  /// Unset, it is skipped.
  TNotifyEvent OnChange;

 Q_SIGNALS:
  /// NOTIFY signal of every property: raised by the owning chart once it has handled a change of
  /// the label, also when the user dragged it, once per change; never while the chart loads from
  /// a stored form.
  void PropertiesChanged();

 private:
  void Changed() { Notify(OnChange, this); }

  double pos_x_ = 0;
  double pos_y_ = 0;
  int layer_ = 1;
  bool attach_to_data_ = true;
  TColor color_bkg_ = clWhite;
  TColor color_border_ = clBlack;
  TColor color_shadow_ = clGray;
  int shadow_dx_ = 3;
  int shadow_dy_ = 3;
  bool transparent_ = false;
  TAlignment alignment_ = taCenter;
  TFont font_;
  TTxtLblMode mode_ = tlOff;
  QString caption_;
};

}  // namespace zeph
