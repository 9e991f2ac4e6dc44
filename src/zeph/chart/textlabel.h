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

// One of a chart's text labels: a caption in a box at a point of its layer (or at a pixel position
// when it is not attached to data). Every setter notifies the chart, which repaints.
class ZEPH_CHART_EXPORT TTextLabel : public QObject {
  Q_OBJECT
  Q_PROPERTY(double PosX READ PosX WRITE SetPosX)
  Q_PROPERTY(double PosY READ PosY WRITE SetPosY)
  Q_PROPERTY(int Layer READ Layer WRITE SetLayer)
  Q_PROPERTY(bool AttachToData READ AttachToData WRITE SetAttachToData)
  Q_PROPERTY(TColor ColorBkg READ ColorBkg WRITE SetColorBkg)
  Q_PROPERTY(TColor ColorBorder READ ColorBorder WRITE SetColorBorder)
  Q_PROPERTY(TColor ColorShadow READ ColorShadow WRITE SetColorShadow)
  Q_PROPERTY(int ShadowDx READ ShadowDx WRITE SetShadowDx)
  Q_PROPERTY(int ShadowDy READ ShadowDy WRITE SetShadowDy)
  Q_PROPERTY(bool Transparent READ Transparent WRITE SetTransparent)
  Q_PROPERTY(TAlignment Alignment READ Alignment WRITE SetAlignment)
  Q_PROPERTY(TFont Font READ Font WRITE SetFont)
  Q_PROPERTY(ZephEnums::TTxtLblMode Mode READ Mode WRITE SetMode)
  Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)

 public:
  explicit TTextLabel(const TFont& font, QObject* owner = nullptr) : QObject(owner), font_(font) {}

  double PosX() const { return pos_x_; }
  void SetPosX(double value);
  double PosY() const { return pos_y_; }
  void SetPosY(double value);
  // Positions set by dragging are stored without a change notification; the chart repaints itself.
  void MoveSilently(double x, double y) {
    pos_x_ = x;
    pos_y_ = y;
  }
  int Layer() const { return layer_; }
  // Values outside 1..16 are ignored.
  void SetLayer(int value);
  bool AttachToData() const { return attach_to_data_; }
  void SetAttachToData(bool value);
  TColor ColorBkg() const { return color_bkg_; }
  void SetColorBkg(TColor value);
  TColor ColorBorder() const { return color_border_; }
  void SetColorBorder(TColor value);
  TColor ColorShadow() const { return color_shadow_; }
  void SetColorShadow(TColor value);
  int ShadowDx() const { return shadow_dx_; }
  void SetShadowDx(int value);
  int ShadowDy() const { return shadow_dy_; }
  void SetShadowDy(int value);
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool value);
  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment value);
  const TFont& Font() const { return font_; }
  void SetFont(const TFont& value);
  TTxtLblMode Mode() const { return mode_; }
  void SetMode(TTxtLblMode value);
  QString Caption() const { return caption_; }
  void SetCaption(const QString& value);

  TNotifyEvent OnChange;

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
