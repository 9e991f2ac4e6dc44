#include <gtest/gtest.h>

#include <QJsonObject>
#include <QMetaProperty>
#include <QPluginLoader>
#include <QWidget>
#include <QXmlStreamReader>
#include <QtUiPlugin/QDesignerCustomWidgetCollectionInterface>
#include <QtUiPlugin/QDesignerCustomWidgetInterface>
#include <memory>

namespace {

// The class and object name of the widget a domXml places.
std::pair<QString, QString> PlacedWidget(const QString& dom_xml) {
  QXmlStreamReader xml(dom_xml);
  while (xml.readNext() != QXmlStreamReader::EndDocument && !xml.hasError()) {
    if (xml.isStartElement() && xml.name() == QLatin1String("widget"))
      return {xml.attributes().value("class").toString(), xml.attributes().value("name").toString()};
  }
  return {};
}

TEST(DesignerPluginTest, LoadsAndCreatesTheChartAndTheScale) {
  QPluginLoader loader(QStringLiteral(ZEPH_DESIGNER_PLUGIN));
  ASSERT_TRUE(loader.load()) << loader.errorString().toStdString();
  EXPECT_EQ(loader.metaData().value("IID").toString(),
            QStringLiteral("org.qt-project.Qt.QDesignerCustomWidgetCollectionInterface"));
  auto* collection = qobject_cast<QDesignerCustomWidgetCollectionInterface*>(loader.instance());
  ASSERT_NE(collection, nullptr);

  struct Expected {
    const char* name;
    const char* include;
    const char* first_property;
    QSize size;
  };
  const Expected expected[] = {{"zeph::TZephChart", "zeph/chart/zephchart.h", "LRim", {280, 200}},
                               {"zeph::TScale", "zeph/scales/scale.h", "RangeHigh", {320, 60}}};
  const QList<QDesignerCustomWidgetInterface*> widgets = collection->customWidgets();
  ASSERT_EQ(widgets.size(), 2);
  QWidget form;
  for (std::size_t i = 0; i < 2; ++i) {
    QDesignerCustomWidgetInterface* entry = widgets[static_cast<qsizetype>(i)];
    SCOPED_TRACE(expected[i].name);
    EXPECT_EQ(entry->name(), QLatin1String(expected[i].name));
    EXPECT_EQ(entry->includeFile(), QLatin1String(expected[i].include));
    EXPECT_EQ(entry->group(), QLatin1String("ZephChart"));
    EXPECT_FALSE(entry->isContainer());
    EXPECT_FALSE(entry->toolTip().isEmpty());
    EXPECT_FALSE(entry->whatsThis().isEmpty());
    // The icon is drawn, not an empty square.
    const QImage icon = entry->icon().pixmap(32, 32).toImage();
    ASSERT_FALSE(icon.isNull());
    int opaque = 0;
    int black = 0;
    for (int y = 0; y < icon.height(); ++y) {
      for (int x = 0; x < icon.width(); ++x) {
        opaque += qAlpha(icon.pixel(x, y)) == 255;
        black += icon.pixel(x, y) == qRgb(0, 0, 0);
      }
    }
    EXPECT_GT(opaque, 300);
    EXPECT_GT(black, 20);
    EXPECT_EQ(PlacedWidget(entry->domXml()).first, QLatin1String(expected[i].name));
    EXPECT_FALSE(PlacedWidget(entry->domXml()).second.isEmpty());
    EXPECT_TRUE(entry->domXml().contains(QStringLiteral("<width>%1</width>").arg(expected[i].size.width())));

    std::unique_ptr<QWidget> widget(entry->createWidget(&form));
    ASSERT_NE(widget, nullptr);
    EXPECT_EQ(widget->parentWidget(), &form);
    EXPECT_STREQ(widget->metaObject()->className(), expected[i].name);
    // The main properties are Qt properties Designer lists and writes.
    const int index = widget->metaObject()->indexOfProperty(expected[i].first_property);
    ASSERT_GE(index, 0);
    EXPECT_TRUE(widget->metaObject()->property(index).isDesignable());
    EXPECT_TRUE(widget->metaObject()->property(index).isWritable());
    EXPECT_TRUE(widget->setProperty("Caption", QStringLiteral("from Designer")));
    EXPECT_EQ(widget->property("Caption").toString(), QStringLiteral("from Designer"));
  }
}

}  // namespace
