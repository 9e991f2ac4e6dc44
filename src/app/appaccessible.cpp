// The accessible faces of the main window and the grading slider, and the value-changed event.
#include "app/appaccessible.h"

#include <QAccessibleValueInterface>
#include <QAccessibleWidget>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVariant>
#include <QVariantMap>

#include "app/atspiguard.h"
#include "app/controls/ttrackbar.h"
#include "app/mainfrm.h"
#include "zeph/chart/chartannouncer.h"
#include "zeph/toolkit/tmemo.h"

namespace {

// A track bar whose value is read with the words its owner gives it ("abrupt, 0").
class TTrackBarAccessible : public QAccessibleWidget, public QAccessibleValueInterface {
 public:
  explicit TTrackBarAccessible(TTrackBar* bar) : QAccessibleWidget(bar, QAccessible::Slider) {}

  void* interface_cast(QAccessible::InterfaceType t) override {
    if (t == QAccessible::ValueInterface) return static_cast<QAccessibleValueInterface*>(this);
    return QAccessibleWidget::interface_cast(t);
  }
  QString text(QAccessible::Text t) const override {
    if (t == QAccessible::Value) return Bar()->ValueText();
    if (t == QAccessible::Description && !Bar()->Description.isEmpty()) return Bar()->Description;
    return QAccessibleWidget::text(t);
  }

  QVariant currentValue() const override { return Bar()->Position(); }
  void setCurrentValue(const QVariant& value) override { Bar()->SetPosition(value.toInt()); }
  QVariant maximumValue() const override { return Bar()->Max(); }
  QVariant minimumValue() const override { return Bar()->Min(); }
  QVariant minimumStepSize() const override { return 1; }

 private:
  TTrackBar* Bar() const { return static_cast<TTrackBar*>(widget()); }
};

// The area a text box shows its text in hands the focus on to the box: only the box claims it.
class TViewportAccessible : public QAccessibleWidget {
 public:
  explicit TViewportAccessible(QWidget* viewport) : QAccessibleWidget(viewport, QAccessible::Client) {}
  QAccessible::State state() const override {
    QAccessible::State s = QAccessibleWidget::state();
    s.focused = false;
    return s;
  }
};

QAccessibleInterface* AppFactory(const QString&, QObject* object) {
  if (auto* widget = qobject_cast<QWidget*>(object);
      widget != nullptr && qobject_cast<zeph::TMemo*>(widget->parentWidget()) != nullptr &&
      static_cast<zeph::TMemo*>(widget->parentWidget())->viewport() == widget)
    return new TViewportAccessible(widget);
  if (auto* bar = qobject_cast<TTrackBar*>(object)) return new TTrackBarAccessible(bar);
  // The main window is a frame, as any application's main window, not a filler.
  if (auto* form = qobject_cast<TForm1*>(object); form != nullptr && form->isWindow())
    return new QAccessibleWidget(form, QAccessible::Window);
  return nullptr;
}

}  // namespace

void InstallAppAccessibility() {
  static const bool installed = [] {
    QAccessible::installFactory(AppFactory);
    InstallAtSpiGuard();
    zeph::SetChartAnnouncer(SendDescriptionChanged);
    return true;
  }();
  (void)installed;
}

void SendValueChanged(QWidget* control) {
  if (!QAccessible::isActive()) return;
  // The connection the toolkit's bridge opened to the accessibility bus; events must come from it
  // to name the control's object.
  QDBusConnection bus(QStringLiteral("a11y"));
  if (!bus.isConnected()) return;
  QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(control);
  QAccessibleValueInterface* value = iface != nullptr ? iface->valueInterface() : nullptr;
  if (value == nullptr) return;
  const QString path = QStringLiteral("/org/a11y/atspi/accessible/") + QString::number(QAccessible::uniqueId(iface));
  QDBusMessage signal =
      QDBusMessage::createSignal(path, QStringLiteral("org.a11y.atspi.Event.Object"), QStringLiteral("ValueChanged"));
  signal << QString() << 0 << 0 << QVariant::fromValue(QDBusVariant(value->currentValue().toDouble()))
         << QVariantMap();
  bus.send(signal);
}
