// A guard in front of the toolkit's AT-SPI bridge: the requests it mishandles are answered here.
#include "app/atspiguard.h"

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QAccessibleTableInterface>
#include <QAccessibleTextInterface>
#include <QAccessibleValueInterface>
#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusObjectPath>
#include <QDBusVariant>
#include <QDBusVirtualObject>
#include <QGuiApplication>
#include <QLocale>
#include <QMap>
#include <QPointer>
#include <QStringList>
#include <QTimer>
#include <QVariantMap>
#include <optional>

namespace {

const QString kPrefix = QStringLiteral("/org/a11y/atspi/accessible");
const QString kProperties = QStringLiteral("org.freedesktop.DBus.Properties");
const QString kAtSpi = QStringLiteral("org.a11y.atspi.");
// Properties the bridge has no answer for: a slider's value in words, an object's locale.
const QStringList kUnknownToBridge = {QStringLiteral("Value.Text"), QStringLiteral("Accessible.Locale")};

QDBusConnection Bus() { return QDBusConnection(QStringLiteral("a11y")); }

QString PathOf(QAccessibleInterface* object) {
  if (object == nullptr) return kPrefix + QStringLiteral("/null");
  if (object->role() == QAccessible::Application) return kPrefix + QStringLiteral("/root");
  return kPrefix + QLatin1Char('/') + QString::number(QAccessible::uniqueId(object));
}

QAccessibleInterface* ObjectAt(const QString& path) {
  if (!path.startsWith(kPrefix + QLatin1Char('/'))) return nullptr;
  const QString id = path.mid(kPrefix.size() + 1);
  if (id == QLatin1String("root")) return QAccessible::queryAccessibleInterface(qApp);
  bool ok = false;
  const uint number = id.toUInt(&ok);
  QAccessibleInterface* object = ok ? QAccessible::accessibleInterface(number) : nullptr;
  return object != nullptr && object->isValid() ? object : nullptr;
}

// An object reference as AT-SPI writes it: the bus name and the path.
QVariant Reference(const QDBusConnection& bus, QAccessibleInterface* object) {
  QDBusArgument reference;
  reference.beginStructure();
  reference << (object != nullptr ? bus.baseService() : QString()) << QDBusObjectPath(PathOf(object));
  reference.endStructure();
  return QVariant::fromValue(reference);
}

// The properties of one AT-SPI interface of an object; none when the object does not have it.
std::optional<QVariantMap> Properties(const QDBusConnection& bus, QAccessibleInterface* object,
                                      const QString& name) {
  QVariantMap p;
  if (name == QLatin1String("Accessible")) {
    p[QStringLiteral("Name")] = object->text(QAccessible::Name);
    p[QStringLiteral("Description")] = object->text(QAccessible::Description);
    p[QStringLiteral("Parent")] = Reference(bus, object->parent());
    p[QStringLiteral("ChildCount")] = object->childCount();
    p[QStringLiteral("Locale")] = QLocale().name();
  } else if (name == QLatin1String("Application") && object->role() == QAccessible::Application) {
    p[QStringLiteral("ToolkitName")] = QStringLiteral("Qt");
    p[QStringLiteral("Version")] = QString::fromLatin1(qVersion());
  } else if (name == QLatin1String("Action") && object->actionInterface() != nullptr) {
    p[QStringLiteral("NActions")] = static_cast<int>(object->actionInterface()->actionNames().size());
  } else if (name == QLatin1String("Value") && object->valueInterface() != nullptr) {
    const QAccessibleValueInterface* value = object->valueInterface();
    p[QStringLiteral("CurrentValue")] = value->currentValue().toDouble();
    p[QStringLiteral("MinimumValue")] = value->minimumValue().toDouble();
    p[QStringLiteral("MaximumValue")] = value->maximumValue().toDouble();
    p[QStringLiteral("MinimumIncrement")] = value->minimumStepSize().toDouble();
    p[QStringLiteral("Text")] = object->text(QAccessible::Value);
  } else if (name == QLatin1String("Text") && object->textInterface() != nullptr) {
    p[QStringLiteral("CharacterCount")] = object->textInterface()->characterCount();
    p[QStringLiteral("CaretOffset")] = object->textInterface()->cursorPosition();
  } else if (name == QLatin1String("Table") && object->tableInterface() != nullptr) {
    const QAccessibleTableInterface* table = object->tableInterface();
    p[QStringLiteral("NRows")] = table->rowCount();
    p[QStringLiteral("NColumns")] = table->columnCount();
    p[QStringLiteral("NSelectedRows")] = table->selectedRowCount();
    p[QStringLiteral("NSelectedColumns")] = table->selectedColumnCount();
    p[QStringLiteral("Caption")] = Reference(bus, table->caption());
    p[QStringLiteral("Summary")] = Reference(bus, table->summary());
  } else if (name == QLatin1String("Component") && object->role() != QAccessible::Application) {
    // Its state lives in methods only.
  } else {
    return std::nullopt;
  }
  return p;
}

class TAtSpiGuard : public QDBusVirtualObject {
 public:
  explicit TAtSpiGuard(QDBusVirtualObject* bridge) : QDBusVirtualObject(bridge), bridge_(bridge) {}

  QString introspect(const QString& path) const override { return bridge_->introspect(path); }

  bool handleMessage(const QDBusMessage& message, const QDBusConnection& connection) override {
    if (message.interface() == kProperties) return Property(message, connection);
    if (message.interface() == kAtSpi + QLatin1String("Accessible") &&
        message.member() == QLatin1String("GetAttributes"))
      return Attributes(message, connection);
    return bridge_->handleMessage(message, connection);
  }

 private:
  static bool Fail(const QDBusMessage& message, const QDBusConnection& connection, QDBusError::ErrorType type,
                   const QString& text) {
    connection.send(message.createErrorReply(type, text));
    return true;
  }

  bool Property(const QDBusMessage& message, const QDBusConnection& connection) {
    const QList<QVariant> arguments = message.arguments();
    const QString member = message.member();
    const int wanted = member == QLatin1String("GetAll") ? 1 : member == QLatin1String("Get") ? 2 : 3;
    for (const QVariant& argument : arguments.mid(0, 2))
      if (argument.metaType() != QMetaType::fromType<QString>())
        return Fail(message, connection, QDBusError::InvalidArgs, QStringLiteral("Names must be strings"));
    if (arguments.size() != wanted || !arguments[0].toString().startsWith(kAtSpi))
      return Fail(message, connection, QDBusError::InvalidArgs,
                  QStringLiteral("%1 takes %2 arguments, an AT-SPI interface first").arg(member).arg(wanted));
    // The bridge answers the properties it knows one by one; the rest are answered here.
    const QString interface = arguments[0].toString().mid(kAtSpi.size());
    const bool unknown = member == QLatin1String("Get") && kUnknownToBridge.contains(interface + QLatin1Char('.') +
                                                                                     arguments[1].toString());
    if (member != QLatin1String("GetAll") && !unknown) return bridge_->handleMessage(message, connection);
    QAccessibleInterface* object = ObjectAt(message.path());
    if (object == nullptr)
      return Fail(message, connection, QDBusError::UnknownObject, QStringLiteral("No object at ") + message.path());
    const std::optional<QVariantMap> properties = Properties(connection, object, interface);
    if (!properties)
      return Fail(message, connection, QDBusError::UnknownInterface,
                  arguments[0].toString() + QStringLiteral(" is not an interface of ") + message.path());
    const QVariant reply = unknown ? QVariant::fromValue(QDBusVariant(properties->value(arguments[1].toString())))
                                   : QVariant::fromValue(*properties);
    connection.send(message.createReply(reply));
    return true;
  }

  static bool Attributes(const QDBusMessage& message, const QDBusConnection& connection) {
    QAccessibleInterface* object = ObjectAt(message.path());
    if (object == nullptr)
      return Fail(message, connection, QDBusError::UnknownObject, QStringLiteral("No object at ") + message.path());
    QMap<QString, QString> attributes;
    if (object->valueInterface() != nullptr && !object->text(QAccessible::Value).isEmpty())
      attributes.insert(QStringLiteral("valuetext"), object->text(QAccessible::Value));
    connection.send(message.createReply(QVariant::fromValue(attributes)));
    return true;
  }

  QDBusVirtualObject* bridge_;
};

// Puts the guard in front of the bridge once the bridge has registered on the bus.
bool Wrap() {
  QDBusConnection bus = Bus();
  if (!bus.isConnected()) return false;
  auto* bridge = qobject_cast<QDBusVirtualObject*>(bus.objectRegisteredAt(kPrefix));
  if (bridge == nullptr) return false;
  if (dynamic_cast<TAtSpiGuard*>(bridge) != nullptr) return true;
  bus.unregisterObject(kPrefix);
  return bus.registerVirtualObject(kPrefix, new TAtSpiGuard(bridge), QDBusConnection::SubPath);
}

void WatchForBridge() {
  static QPointer<QTimer> timer;
  if (timer != nullptr || Wrap()) return;
  // The bridge registers after it reached the bus, some time after the toolkit turned
  // accessibility on; a bus that never comes costs one look now and then.
  timer = new QTimer(qApp);
  timer->setInterval(250);
  QObject::connect(timer, &QTimer::timeout, [] {
    if (!Wrap()) return;
    timer->deleteLater();
  });
  timer->start();
}

// The toolkit turns accessibility on when a screen reader starts; the bridge follows.
class TActivation : public QAccessible::ActivationObserver {
 public:
  void accessibilityActiveChanged(bool active) override {
    if (active) QTimer::singleShot(0, qApp, WatchForBridge);
  }
};

}  // namespace

void InstallAtSpiGuard() {
  static const bool installed = [] {
    qDBusRegisterMetaType<QMap<QString, QString>>();
    // Lives as long as the program, made before the toolkit's list that keeps the pointer and so
    // gone after it.
    static TActivation activation;
    QAccessible::installActivationObserver(&activation);
    if (QAccessible::isActive()) WatchForBridge();
    return true;
  }();
  (void)installed;
}

void SendDescriptionChanged(QAccessibleInterface* object, const QString& text) {
  if (!QAccessible::isActive() || object == nullptr) return;
  QDBusConnection bus = Bus();
  if (!bus.isConnected()) return;
  QDBusMessage signal = QDBusMessage::createSignal(PathOf(object), QStringLiteral("org.a11y.atspi.Event.Object"),
                                                   QStringLiteral("PropertyChange"));
  signal << QStringLiteral("accessible-description") << 0 << 0 << QVariant::fromValue(QDBusVariant(text))
         << QVariantMap();
  bus.send(signal);
}
