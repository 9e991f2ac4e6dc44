#pragma once

// Qt Designer's and Qt Creator's widget box entries for the chart and the scale control: the
// plugin collection Designer loads from its plugin folder.
#include <QList>
#include <QObject>
#include <QtUiPlugin/QDesignerCustomWidgetCollectionInterface>
#include <QtUiPlugin/QDesignerCustomWidgetInterface>
#include <functional>

namespace zeph {

// What Designer needs to know of one widget class, and how to make one.
struct DesignerWidgetInfo {
  QString class_name;
  QString include_file;
  QString icon_file;
  QString tool_tip;
  QString whats_this;
  QString dom_xml;
  std::function<QWidget*(QWidget*)> create;
};

class DesignerWidget : public QObject, public QDesignerCustomWidgetInterface {
  Q_OBJECT
  Q_INTERFACES(QDesignerCustomWidgetInterface)

 public:
  DesignerWidget(DesignerWidgetInfo info, QObject* parent);

  QString name() const override { return info_.class_name; }
  QString group() const override;
  QString toolTip() const override { return info_.tool_tip; }
  QString whatsThis() const override { return info_.whats_this; }
  QString includeFile() const override { return info_.include_file; }
  QIcon icon() const override;
  bool isContainer() const override { return false; }
  QWidget* createWidget(QWidget* parent) override { return info_.create(parent); }
  bool isInitialized() const override { return initialized_; }
  void initialize(QDesignerFormEditorInterface* core) override;
  QString domXml() const override { return info_.dom_xml; }

 private:
  DesignerWidgetInfo info_;
  bool initialized_ = false;
};

class ZephDesignerPlugin : public QObject, public QDesignerCustomWidgetCollectionInterface {
  Q_OBJECT
  Q_PLUGIN_METADATA(IID "org.qt-project.Qt.QDesignerCustomWidgetCollectionInterface")
  Q_INTERFACES(QDesignerCustomWidgetCollectionInterface)

 public:
  explicit ZephDesignerPlugin(QObject* parent = nullptr);

  QList<QDesignerCustomWidgetInterface*> customWidgets() const override { return widgets_; }

 private:
  QList<QDesignerCustomWidgetInterface*> widgets_;
};

}  // namespace zeph
