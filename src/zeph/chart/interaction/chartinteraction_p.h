#pragma once

#include <QPoint>
#include <QPointF>
#include <array>

#include "zeph/chart/axes/chartaxes_p.h"
#include "zeph/chart/axes/chartgeometry_p.h"
#include "zeph/chart/axes/layersettings_p.h"
#include "zeph/chart/interaction/mousestate_p.h"
#include "zeph/chart/interaction/navigationstate_p.h"
#include "zeph/chart/textlabel.h"
#include "zeph/scales/crosshair.h"
#include "zeph/toolkit/events.h"

class QKeyEvent;
class QMouseEvent;
class QWheelEvent;
class QWidget;

namespace zeph {

// What the mouse and the keys ask of the widget: its parts, its painting, and its events and
// signals, raised at the points where the widget always raised them.
class TChartInteractionHost {
 public:
  virtual QWidget* Widget() = 0;
  virtual void Paint() = 0;
  // Suspends painting or lets it go on; returns whether it was suspended.
  virtual bool SuspendPaint(bool suspend) = 0;
  virtual void SetLayerRange(int layer, long double x_low, long double y_low, long double x_high,
                             long double y_high) = 0;
  virtual void RestoreHomeView() = 0;
  virtual bool Loading() const = 0;
  virtual bool Isometric() const = 0;
  virtual int CurrentLayer() const = 0;
  virtual TCrossHair* CrossHair(int index) const = 0;
  virtual TTextLabel* TextLabel(int index) const = 0;
  // Draws the rectangle from a to corner in inverted pixels on the shown image (again: takes it
  // away).
  virtual void InvertRectangle(QPoint a, QPoint corner) = 0;
  // A left click on a line of the legend hides or shows its curve; true when it hit one.
  virtual bool LegendClick(QPoint at, Qt::MouseButton button) = 0;

  virtual void MousePressed(Qt::MouseButton button, TShiftState shift, int x, int y) = 0;
  virtual void MouseMoved(TShiftState shift, int x, int y) = 0;
  virtual void MouseReleased(Qt::MouseButton button, TShiftState shift, int x, int y) = 0;
  virtual void PointerMoved(bool in_chart, TShiftState shift, double x, double y) = 0;
  virtual void Clicked(Qt::MouseButton button, double x, double y, bool in_chart) = 0;
  virtual void ZoomPanned() = 0;
  virtual void CrossHairMoved(TCrossHair* cross_hair) = 0;
  virtual void TextLabelMoved(TTextLabel* label) = 0;

 protected:
  ~TChartInteractionHost() = default;
};

// The chart under the mouse and the navigation keys: the mouse modes (pan, zoom by dragging or
// by window, moving cross-hairs and labels), navigation (wheel, drag, keys, home view) and the
// cursor that shows the mode.
class TChartInteraction {
 public:
  static constexpr int kLayerCount = kChartLayerCount;
  static constexpr int kCrossHairCount = kChartCrossHairCount;
  static constexpr int kTextLabelCount = kChartTextLabelCount;

  TChartInteraction(const TLayerSettings& layers, const TChartGeometry& geometry, TChartAxes& axes,
                    TChartInteractionHost& host)
      : layers_(layers), geometry_(geometry), axes_(axes), host_(host) {}

  const TChartMouseState& Mouse() const { return mouse_; }
  TNavigation Navigation() const { return navigation_.flags; }
  // Whether a drag is moving a cross-hair: its two position changes then notify once.
  bool MovingCrossHair() const { return moving_cross_hair_; }
  bool MouseZoomLayer(int layer) const;
  void SetMouseZoomLayer(int layer, bool value);
  // The setters return whether the value changed.
  bool SetMouseAction(TMouseActMode value);
  bool SetMouseCursorFixed(bool value);
  bool SetNavigation(TNavigation value);

  void Press(QMouseEvent* event);
  void Move(QMouseEvent* event);
  void Release(QMouseEvent* event);
  void DoubleClick(QMouseEvent* event);
  // Zooms about the mouse with the wheel when Navigation() says so; false leaves the event alone.
  bool Wheel(QWheelEvent* event);
  bool Key(QKeyEvent* event);

  // Range changes of pan and zoom steps paint once at the end and then report OnZoomPan; they are
  // the user's, so they leave the home view alone.
  struct RangeBatch {
    bool suspended;
    bool by_user;
  };
  RangeBatch BeginRangeBatch();
  void EndRangeBatch(RangeBatch batch);

 private:
  void MouseDown(Qt::MouseButton button, int x, int y);
  void MouseMove(TShiftState shift, int x, int y);
  void MouseUp(Qt::MouseButton button);
  void DragMove(TShiftState shift, int x, int y);
  void CaptureDrag(int x, int y);
  void PanStep(int x, int y);
  void ZoomDragStep(int x, int y);
  void CrossHairStep(int x, int y);
  void TextLabelStep(int x, int y);
  int NearestCrossHair(int x, int y) const;
  int NearestTextLabel(int x, int y) const;
  QPoint TextLabelPixel(const TTextLabel* label) const;
  void ZoomWindowMove(int x, int y);
  // Draws (or, drawn again, erases) the zoom window from the anchor to the corner.
  void DrawZoomWindow(QPoint corner);
  void ZoomToWindow();
  void ApplyCursorRule(int x, int y);
  // Ends a navigation drag, taking its zoom window away.
  void CancelNavigationDrag();

  bool NavigationPress(QMouseEvent* event);
  void NavigationMove(QMouseEvent* event);
  bool NavigationRelease(QMouseEvent* event);
  void CaptureNavigation(QPoint at);
  bool LeftButtonFree() const;
  // Moves the ranges by (dx, dy) pixels from the ranges at the press.
  void NavigationPan(QPointF delta);
  // Zooms about a control pixel: x and y factors below 1 zoom in; 1 leaves an axis alone.
  void NavigationZoom(QPointF about, double fx, double fy);
  void NavigationZoomToWindow(QPoint a, QPoint c);
  // Sets new ranges on the layers that follow the mouse, each axis on its controlling layer.
  void ApplyNavigation(const std::array<TLayerRanges, kLayerCount>& wanted);

  const TLayerSettings& layers_;
  const TChartGeometry& geometry_;
  TChartAxes& axes_;
  TChartInteractionHost& host_;
  TChartMouseState mouse_;
  TChartNavigationState navigation_;
  // Where the last press was, for telling a click from a drag.
  QPoint press_at_;
  bool moving_cross_hair_ = false;
};

}  // namespace zeph
