#include "zephdesignerplugin.h"

#include <QIcon>
#include <QPainter>
#include <QPixmap>
#include <QSvgRenderer>

#include "zeph/chart/zephchart.h"
#include "zeph/scales/scale.h"

namespace zeph {

namespace {

// The form Designer places when the widget is dragged from the box: its class, the name the
// first instance gets, and a size to start from.
QString DomXml(const QString& class_name, const QString& object_name, int width, int height) {
  return QStringLiteral(
             "<ui language=\"c++\">\n"
             " <widget class=\"%1\" name=\"%2\">\n"
             "  <property name=\"geometry\">\n"
             "   <rect><x>0</x><y>0</y><width>%3</width><height>%4</height></rect>\n"
             "  </property>\n"
             " </widget>\n"
             "</ui>\n")
      .arg(class_name, object_name)
      .arg(width)
      .arg(height);
}

// Drawn from the SVG by Qt's own renderer, so the icon needs no image plugin at run time.
QIcon SvgIcon(const QString& file) {
  QSvgRenderer renderer(file);
  QIcon icon;
  for (const int side : {16, 22, 32, 64}) {
    QPixmap pixmap(side, side);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    renderer.render(&painter);
    painter.end();
    icon.addPixmap(pixmap);
  }
  return icon;
}

}  // namespace

DesignerWidget::DesignerWidget(DesignerWidgetInfo info, QObject* parent) : QObject(parent), info_(std::move(info)) {}

QString DesignerWidget::group() const { return QStringLiteral("ZephChart"); }

QIcon DesignerWidget::icon() const { return SvgIcon(info_.icon_file); }

void DesignerWidget::initialize(QDesignerFormEditorInterface* /*core*/) { initialized_ = true; }

ZephDesignerPlugin::ZephDesignerPlugin(QObject* parent) : QObject(parent) {
  widgets_.append(new DesignerWidget(
      {QStringLiteral("zeph::TZephChart"), QStringLiteral("zeph/chart/zephchart.h"),
       QStringLiteral(":/zeph/designer/zephchart.svg"), QStringLiteral("Chart with sixteen layers of scales"),
       QStringLiteral("A chart of curves and shapes in world coordinates, with a caption, grid, cross-hairs "
                      "and up to sixteen layers, each mapped through its own x and y scale."),
       DomXml(QStringLiteral("zeph::TZephChart"), QStringLiteral("zephChart"), 280, 200),
       [](QWidget* parent) -> QWidget* { return new TZephChart(parent); }},
      this));
  widgets_.append(new DesignerWidget(
      {QStringLiteral("zeph::TScale"), QStringLiteral("zeph/scales/scale.h"),
       QStringLiteral(":/zeph/designer/scale.svg"), QStringLiteral("Axis with ticks and labels"),
       QStringLiteral("One axis on its own: a base line, ticks, number, time or date labels and a caption."),
       DomXml(QStringLiteral("zeph::TScale"), QStringLiteral("scale"), 320, 60),
       [](QWidget* parent) -> QWidget* { return new TScale(parent); }},
      this));
}

}  // namespace zeph
