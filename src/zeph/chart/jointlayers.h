#pragma once

#include <QObject>
#include <array>

#include "zeph/toolkit/events.h"
#include "zeph/chart/chart_export.h"
#include "zeph/chart/chartenums.h"

namespace zeph {

class TCustomZephChart;

/// Which layer's x and y range each of a chart's sixteen layers follows.
///
/// Every TZephChart owns one (TCustomZephChart::JointLayers(), published as \c JointLayers). When
/// the x (or y) axis of layer n is joined to layer v, layer n's x range follows layer v's: a pan
/// or zoom of layer v, or TCustomZephChart::SetLayerRange() on it, moves layer n's range with it,
/// while a range request for layer n's joined axis is ignored. Initially every layer follows only
/// itself.
///
/// A layer that follows another is not followed itself, and a followed layer follows no one, so
/// joining is one level deep per axis. Every accepted join copies the controlling layer's range at
/// once; misuse raises EZephChartError and changes nothing.
///
/// The published properties \c L01xControlledBy to \c L16xControlledBy and \c L01yControlledBy
/// to \c L16yControlledBy (two digits: the layer number) read XControl() and YControl() of their
/// layer and write through SetXControl() and SetYControl(); for example, setting
/// \c L03xControlledBy to 1 joins layer 3's x axis to layer 1, and setting it to 3 unjoins it.
/// Their accessors are \c LNNxControlledBy() and \c SetLNNxControlledBy(int), with NN the two
/// digits, and the same for y.
class ZEPH_CHART_EXPORT TJointLayers : public QObject {
  Q_OBJECT
  Q_PROPERTY(int L01xControlledBy READ L01xControlledBy WRITE SetL01xControlledBy)
  Q_PROPERTY(int L02xControlledBy READ L02xControlledBy WRITE SetL02xControlledBy)
  Q_PROPERTY(int L03xControlledBy READ L03xControlledBy WRITE SetL03xControlledBy)
  Q_PROPERTY(int L04xControlledBy READ L04xControlledBy WRITE SetL04xControlledBy)
  Q_PROPERTY(int L05xControlledBy READ L05xControlledBy WRITE SetL05xControlledBy)
  Q_PROPERTY(int L06xControlledBy READ L06xControlledBy WRITE SetL06xControlledBy)
  Q_PROPERTY(int L07xControlledBy READ L07xControlledBy WRITE SetL07xControlledBy)
  Q_PROPERTY(int L08xControlledBy READ L08xControlledBy WRITE SetL08xControlledBy)
  Q_PROPERTY(int L09xControlledBy READ L09xControlledBy WRITE SetL09xControlledBy)
  Q_PROPERTY(int L10xControlledBy READ L10xControlledBy WRITE SetL10xControlledBy)
  Q_PROPERTY(int L11xControlledBy READ L11xControlledBy WRITE SetL11xControlledBy)
  Q_PROPERTY(int L12xControlledBy READ L12xControlledBy WRITE SetL12xControlledBy)
  Q_PROPERTY(int L13xControlledBy READ L13xControlledBy WRITE SetL13xControlledBy)
  Q_PROPERTY(int L14xControlledBy READ L14xControlledBy WRITE SetL14xControlledBy)
  Q_PROPERTY(int L15xControlledBy READ L15xControlledBy WRITE SetL15xControlledBy)
  Q_PROPERTY(int L16xControlledBy READ L16xControlledBy WRITE SetL16xControlledBy)
  Q_PROPERTY(int L01yControlledBy READ L01yControlledBy WRITE SetL01yControlledBy)
  Q_PROPERTY(int L02yControlledBy READ L02yControlledBy WRITE SetL02yControlledBy)
  Q_PROPERTY(int L03yControlledBy READ L03yControlledBy WRITE SetL03yControlledBy)
  Q_PROPERTY(int L04yControlledBy READ L04yControlledBy WRITE SetL04yControlledBy)
  Q_PROPERTY(int L05yControlledBy READ L05yControlledBy WRITE SetL05yControlledBy)
  Q_PROPERTY(int L06yControlledBy READ L06yControlledBy WRITE SetL06yControlledBy)
  Q_PROPERTY(int L07yControlledBy READ L07yControlledBy WRITE SetL07yControlledBy)
  Q_PROPERTY(int L08yControlledBy READ L08yControlledBy WRITE SetL08yControlledBy)
  Q_PROPERTY(int L09yControlledBy READ L09yControlledBy WRITE SetL09yControlledBy)
  Q_PROPERTY(int L10yControlledBy READ L10yControlledBy WRITE SetL10yControlledBy)
  Q_PROPERTY(int L11yControlledBy READ L11yControlledBy WRITE SetL11yControlledBy)
  Q_PROPERTY(int L12yControlledBy READ L12yControlledBy WRITE SetL12yControlledBy)
  Q_PROPERTY(int L13yControlledBy READ L13yControlledBy WRITE SetL13yControlledBy)
  Q_PROPERTY(int L14yControlledBy READ L14yControlledBy WRITE SetL14yControlledBy)
  Q_PROPERTY(int L15yControlledBy READ L15yControlledBy WRITE SetL15yControlledBy)
  Q_PROPERTY(int L16yControlledBy READ L16yControlledBy WRITE SetL16yControlledBy)

 public:
  /// The number of layers, numbered 1 to 16.
  static constexpr int kLayerCount = kChartLayerCount;

  /// Constructs the settings with every layer following itself.
  ///
  /// The chart is the one whose joins these are; it copies the joined ranges when this object
  /// notifies it (OnChange). Without one only the settings are kept.
  /// Each chart creates its own; an application needs one of its own only to assign a whole set of
  /// joins at once (TCustomZephChart::SetJointLayers()).
  explicit TJointLayers(TCustomZephChart* chart = nullptr, QObject* owner = nullptr);

  /// The chart whose joins these are, if any.
  TCustomZephChart* Chart() const { return chart_; }

  /// The layer whose x range a layer follows (the layer itself when it follows no one, or when it
  /// lies outside 1..16).
  int XControl(int layer) const;
  /// The layer whose y range a layer follows (the layer itself when it follows no one, or when it
  /// lies outside 1..16).
  int YControl(int layer) const;
  /// Joins the x axis of a layer to the layer value; value equal to layer unjoins it.
  ///
  /// Unjoining keeps the range the layer has, fires no OnChange and does not repaint. A join
  /// fires OnChange, on which the owning chart stores the controlling layer's x range into the
  /// layer's x axis at once (its y range stays). Raises EZephChartError, changing nothing, with the message
  /// - "Layer N is out of range" when layer lies outside 1..16,
  /// - "Destination layer V is out of range" when value lies outside 1..16,
  /// - "Destination layer V is already joined" when layer value itself follows another layer,
  /// - "Layer N is joined by other layers (A, B)" when other layers follow this one, listed in
  ///   ascending order.
  void SetXControl(int layer, int value);
  /// Joins the y axis of a layer to the layer value; value equal to layer unjoins it.
  ///
  /// The same as SetXControl() for the y axis: a join copies the controlling layer's y range.
  void SetYControl(int layer, int value);
  /// Whether any axis of the layer follows another layer.
  bool Joined(int layer) const { return XControl(layer) != layer || YControl(layer) != layer; }

  /// Copies both tables into another TJointLayers, then fires this object's OnChange.
  ///
  /// No ranges are copied here; TCustomZephChart::SetJointLayers() does that. Any other
  /// destination is refused with Exception "Cannot assign a TJointLayers to a CLASS", the class
  /// named without its namespace ("nil" for none).
  void AssignTo(QObject* dest);

#define ZC_JOINT_LAYER_ACCESSORS(NN, n)                              \
  int L##NN##xControlledBy() const { return XControl(n); }          \
  void SetL##NN##xControlledBy(int value) { SetXControl(n, value); } \
  int L##NN##yControlledBy() const { return YControl(n); }          \
  void SetL##NN##yControlledBy(int value) { SetYControl(n, value); }
  ZC_JOINT_LAYER_ACCESSORS(01, 1)
  ZC_JOINT_LAYER_ACCESSORS(02, 2)
  ZC_JOINT_LAYER_ACCESSORS(03, 3)
  ZC_JOINT_LAYER_ACCESSORS(04, 4)
  ZC_JOINT_LAYER_ACCESSORS(05, 5)
  ZC_JOINT_LAYER_ACCESSORS(06, 6)
  ZC_JOINT_LAYER_ACCESSORS(07, 7)
  ZC_JOINT_LAYER_ACCESSORS(08, 8)
  ZC_JOINT_LAYER_ACCESSORS(09, 9)
  ZC_JOINT_LAYER_ACCESSORS(10, 10)
  ZC_JOINT_LAYER_ACCESSORS(11, 11)
  ZC_JOINT_LAYER_ACCESSORS(12, 12)
  ZC_JOINT_LAYER_ACCESSORS(13, 13)
  ZC_JOINT_LAYER_ACCESSORS(14, 14)
  ZC_JOINT_LAYER_ACCESSORS(15, 15)
  ZC_JOINT_LAYER_ACCESSORS(16, 16)
#undef ZC_JOINT_LAYER_ACCESSORS

  /// Runs after every join and after AssignTo(), with these settings as the sender.
  ///
  /// Set by the chart: gives every joined axis its controlling layer's range and repaints the
  /// chart under its AutoRedraw rule (when \c AutoRedraw is on or it is being designed). Unset, it
  /// is skipped.
  TNotifyEvent OnChange;

 private:
  using Table = std::array<int, kLayerCount>;
  // The joining rules shared by both axes.
  void SetControl(Table& table, int layer, int value);
  static std::size_t Index(int layer) { return static_cast<std::size_t>(layer - 1); }

  TCustomZephChart* chart_;
  Table x_control_;
  Table y_control_;
};

}  // namespace zeph
