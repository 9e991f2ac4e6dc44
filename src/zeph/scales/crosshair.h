#pragma once

#include <QObject>

#include "zeph/scales/zephenums.h"
#include "zeph/toolkit/events.h"
#include "zeph/toolkit/tcolor.h"
#include "zeph/toolkit/types.h"
#include "zeph/scales/scales_export.h"

namespace zeph {

/// One cross-hair of a chart: a horizontal and/or vertical line through a point of its layer.
///
/// Every setter notifies, even when the value does not change, so the chart always redraws. A chart
/// owns four cross-hairs and hooks their OnChange; applications reach them through the chart and
/// change their values. The lines run across the whole data area and are left out while their
/// position lies outside it; with the mouse mode \ref ZephEnums::maDragCrossH "maDragCrossH" the
/// user drags the nearest cross-hair.
///
/// The values below are those the chart gives its cross-hairs; an object created on its own starts
/// the same, with Layer() 1.
class ZEPH_SCALES_EXPORT TCrossHair : public QObject {
  Q_OBJECT
  Q_PROPERTY(double PosX READ PosX WRITE SetPosX NOTIFY PropertiesChanged)
  Q_PROPERTY(double PosY READ PosY WRITE SetPosY NOTIFY PropertiesChanged)
  Q_PROPERTY(TColor Color READ Color WRITE SetColor NOTIFY PropertiesChanged)
  Q_PROPERTY(ZephEnums::TCrossHMode Mode READ Mode WRITE SetMode NOTIFY PropertiesChanged)
  Q_PROPERTY(TPenStyle LineType READ LineType WRITE SetLineType NOTIFY PropertiesChanged)
  Q_PROPERTY(int LineWid READ LineWid WRITE SetLineWid NOTIFY PropertiesChanged)
  Q_PROPERTY(int Layer READ Layer WRITE SetLayer NOTIFY PropertiesChanged)

 public:
  /// Constructs a cross-hair owned by \a owner (its \c QObject parent), switched off, at (0, 0)
  /// of layer 1, with OnChange unset.
  explicit TCrossHair(QObject* owner = nullptr) : QObject(owner) {}

  /// Published property \c PosX: the x position of the vertical line, in the world coordinates of
  /// Layer(); default 0.
  double PosX() const { return pos_x_; }
  /// Sets PosX(); notifies OnChange.
  void SetPosX(double value);
  /// Published property \c PosY: the y position of the horizontal line, in the world coordinates
  /// of Layer(); default 0.
  double PosY() const { return pos_y_; }
  /// Sets PosY(); notifies OnChange.
  void SetPosY(double value);
  /// Published property \c Color: the colour of the lines; default \ref clBlack.
  TColor Color() const { return color_; }
  /// Sets Color(); notifies OnChange.
  void SetColor(TColorArg value);
  /// Published property \c Mode: which lines are shown; default \ref ZephEnums::chOff "chOff"
  /// (hidden).
  TCrossHMode Mode() const { return mode_; }
  /// Sets Mode(); notifies OnChange.
  void SetMode(TCrossHMode value);
  /// Published property \c LineType: the pen style of the lines; default \ref psSolid.
  TPenStyle LineType() const { return line_type_; }
  /// Sets LineType(); notifies OnChange.
  void SetLineType(TPenStyle value);
  /// Published property \c LineWid: the pen width of the lines in pixels; default 1.
  int LineWid() const { return line_wid_; }
  /// Sets LineWid(); notifies OnChange. The value is stored as given; the canvas draws widths
  /// below 1 as 1.
  void SetLineWid(int value);
  /// Published property \c Layer: the chart layer (1 to 16) whose scales map PosX() and PosY();
  /// a chart gives its cross-hairs 1 to 4 by their number.
  int Layer() const { return layer_; }
  /// Sets Layer(); notifies OnChange. The value is stored as given; the chart maps a value outside
  /// 1 to 16 through the nearest layer, 1 or 16.
  void SetLayer(int value);

  /// Copies the seven published values without notifying.
  ///
  /// OnChange is not copied.
  void Assign(const TCrossHair& source);

  /// Event raised by every setter after it stored the value, with this cross-hair as sender.
  ///
  /// The owning chart sets it to redraw; an unset event is skipped.
  TNotifyEvent OnChange;

 Q_SIGNALS:
  /// NOTIFY signal of every property: raised by the owning chart once it has handled a change of
  /// the cross-hair, also when the user dragged it, once per change; never while the chart loads
  /// from a stored form. A cross-hair without a chart does not raise it.
  void PropertiesChanged();

 private:
  void Changed() { Notify(OnChange, this); }

  double pos_x_ = 0;
  double pos_y_ = 0;
  TColor color_ = clBlack;
  TCrossHMode mode_ = chOff;
  TPenStyle line_type_ = psSolid;
  int line_wid_ = 1;
  int layer_ = 1;
};

}  // namespace zeph
