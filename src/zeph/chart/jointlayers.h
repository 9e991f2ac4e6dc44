#pragma once

#include <QObject>
#include <array>

#include "zeph/toolkit/events.h"
#include "zeph/chart/chart_export.h"

namespace zeph {

class TCustomZephChart;

// Which layer's x and y range each of a chart's sixteen layers follows. A layer that follows
// another is not followed itself, and a followed layer follows no one, so joining is one level
// deep per axis. Every accepted join copies the controlling layer's range at once; misuse raises
// EZephChartError and changes nothing.
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
  static constexpr int kLayerCount = 16;

  // The chart whose layer ranges a join copies; without one only the settings are kept.
  explicit TJointLayers(TCustomZephChart* chart = nullptr, QObject* owner = nullptr);

  // The layer whose range layer n follows (n itself when it follows no one).
  int XControl(int layer) const;
  int YControl(int layer) const;
  // Joins layer n's axis to layer v (v = n unjoins it, keeping its range and not repainting).
  void SetXControl(int layer, int value);
  void SetYControl(int layer, int value);
  // Whether any axis of the layer follows another layer.
  bool Joined(int layer) const { return XControl(layer) != layer || YControl(layer) != layer; }

  // Copies both tables into another TJointLayers, then notifies for this object; any other
  // destination is refused.
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

  // Set by the chart: repaints it under its AutoRedraw rule.
  TNotifyEvent OnChange;

 private:
  using Table = std::array<int, kLayerCount>;
  // The joining rules shared by both axes; x tells which range the join copies.
  void SetControl(Table& table, bool x, int layer, int value);
  static std::size_t Index(int layer) { return static_cast<std::size_t>(layer - 1); }

  TCustomZephChart* chart_;
  Table x_control_;
  Table y_control_;
};

}  // namespace zeph
