#pragma once

#include <QVariantList>
#include <array>

#include "zeph/chart/axes/chartgeometry_p.h"
#include "zeph/chart/axes/layersettings_p.h"
#include "zeph/chart/jointlayers.h"
#include "zeph/scales/scale.h"

namespace zeph {

// What the axes ask of the widget they belong to; the widget answers at the points where it
// always did.
class TChartAxesHost {
 public:
  // The widget's mapping step, which subclasses may extend.
  virtual void CalcScaling() = 0;
  // The ranges changed: whatever was drawn from them is out of date.
  virtual void AxesChanged() = 0;
  virtual bool Loading() const = 0;
  // The colour that black scales (layer 1's default) take: the theme's text colour with the
  // palette's colours.
  virtual TColor ScaleTextColor() const = 0;
  // Announces that a layer's ranges changed.
  virtual void LayerRangeChanged(int layer) = 0;

 protected:
  ~TChartAxesHost() = default;
};

// The chart's axes: the 32 scale controls that draw them and the settings reaching them, the
// layer joins, and the reports of range changes with the home view the application's changes
// define.
class TChartAxes {
 public:
  static constexpr int kLayerCount = kChartLayerCount;

  TChartAxes(TLayerSettings& layers, const TChartGeometry& geometry, TChartAxesHost& host)
      : layers_(layers), geometry_(geometry), host_(host) {}

  // ---- Scale controls ----
  void SetControls(int layer, TScale* x, TScale* y);
  TScale* ControlX(int layer) const { return x_[TLayerSettings::Slot(layer)]; }
  TScale* ControlY(int layer) const { return y_[TLayerSettings::Slot(layer)]; }
  // All 32 controls: the x controls by layer, then the y controls (the order they are drawn in).
  std::array<TScale*, 2 * kLayerCount> Controls() const;
  // Frees the controls, which draw on the widget's image and so must go before it.
  void DeleteControls();
  // Hands one layer's settings to a scale control: margins, range, caption and looks.
  void ApplyScaleProps(TScale* scale, const TScaleProps* props) const;
  // The one loop over every layer's x and y settings.
  void ApplyAll() const;
  // ApplyAll(), and every control sized to the widget with the rims as margins.
  void Layout() const;

  // ---- Joins and ranges ----
  TJointLayers* Joins() const { return joins_; }
  void SetJoins(TJointLayers* joins) { joins_ = joins; }
  // Stores a layer's ranges and brings its controls and the mapping up to date.
  void StoreLayerRanges(int layer, double x_low, double y_low, double x_high, double y_high);
  // A requested range change of one layer: joined axes and ranges that are no number keep their
  // ranges; the layers joined to it follow.
  void RequestLayerRanges(int layer, long double x_low, long double y_low, long double x_high, long double y_high);
  // Every joined axis takes its controlling layer's range.
  void CopyJoinedRanges();
  TLayerRanges CurrentRanges(int layer) const;

  // ---- Reports and the home view ----
  // Reports the layers whose ranges differ from those last reported, once each; the application's
  // changes become the home view. The settings object that reported its own change is skipped.
  void ReportRangeChanges(const TScaleProps* reported_by_caller = nullptr);
  // Whether the settings hold other values than when last asked (or first seen).
  bool SettingsDiffer(const TScaleProps* settings);
  // Takes the current ranges and settings as reported, without signals (construction, loading).
  void NoteAllReported();
  void StoreHomeView();
  const TLayerRanges& Home(int layer) const { return home_[TLayerSettings::Slot(layer)]; }
  bool AtHome() const;
  // Whether range changes now come from the user (mouse, wheel, keys), who leaves the home view.
  bool ByUser() const { return by_user_; }
  void SetByUser(bool value) { by_user_ = value; }

 private:
  static QVariantList SettingsValues(const TScaleProps* settings);
  void StoreJoinedRanges(int layer);
  void PlaceControl(TScale* scale, bool horizontal) const;

  TLayerSettings& layers_;
  const TChartGeometry& geometry_;
  TChartAxesHost& host_;
  std::array<TScale*, kLayerCount> x_{};
  std::array<TScale*, kLayerCount> y_{};
  TJointLayers* joins_ = nullptr;
  // The values of every layer's x and y settings as their signals last reported them.
  std::array<QVariantList, 2 * kLayerCount> settings_seen_;
  // The ranges the application set last, which RestoreHomeView() brings back, and those last
  // reported by the range-change signal.
  std::array<TLayerRanges, kLayerCount> home_{};
  std::array<TLayerRanges, kLayerCount> reported_{};
  bool by_user_ = false;
};

}  // namespace zeph
