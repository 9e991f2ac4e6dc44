#pragma once

#include <QObject>

#include "zeph/scales/zephenums.h"
#include "zeph/toolkit/events.h"
#include "zeph/toolkit/tcolor.h"
#include "zeph/toolkit/types.h"
#include "zeph/scales/scales_export.h"

namespace zeph {

// One cross-hair of a chart: a horizontal and/or vertical line through a point of its layer.
// Every setter notifies, even when the value does not change, so the chart always redraws.
class ZEPH_SCALES_EXPORT TCrossHair : public QObject {
  Q_OBJECT
  Q_PROPERTY(double PosX READ PosX WRITE SetPosX)
  Q_PROPERTY(double PosY READ PosY WRITE SetPosY)
  Q_PROPERTY(TColor Color READ Color WRITE SetColor)
  Q_PROPERTY(ZephEnums::TCrossHMode Mode READ Mode WRITE SetMode)
  Q_PROPERTY(TPenStyle LineType READ LineType WRITE SetLineType)
  Q_PROPERTY(int LineWid READ LineWid WRITE SetLineWid)
  Q_PROPERTY(int Layer READ Layer WRITE SetLayer)

 public:
  explicit TCrossHair(QObject* owner = nullptr) : QObject(owner) {}

  double PosX() const { return pos_x_; }
  void SetPosX(double value);
  double PosY() const { return pos_y_; }
  void SetPosY(double value);
  TColor Color() const { return color_; }
  void SetColor(TColor value);
  TCrossHMode Mode() const { return mode_; }
  void SetMode(TCrossHMode value);
  TPenStyle LineType() const { return line_type_; }
  void SetLineType(TPenStyle value);
  int LineWid() const { return line_wid_; }
  void SetLineWid(int value);
  int Layer() const { return layer_; }
  void SetLayer(int value);

  // Copies the seven published values without notifying.
  void Assign(const TCrossHair& source);

  TNotifyEvent OnChange;

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
