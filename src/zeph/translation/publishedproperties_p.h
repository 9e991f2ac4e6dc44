#pragma once

#include <QList>
#include <QMetaProperty>
#include <QSet>

class QObject;

namespace zeph {

// What form translation needs of Qt's run-time property information.

// The properties of obj's class and its ancestors, in the meta-object's order; a property that a
// subclass redeclares is listed once, with the subclass's declaration.
QList<QMetaProperty> PublishedProperties(const QObject* obj);

bool IsStringProperty(const QMetaProperty& property);
bool IsStringListProperty(const QMetaProperty& property);
// A list of objects (QObjectList): the Qt form of a collection.
bool IsCollectionProperty(const QMetaProperty& property);
// A pointer to a QObject or to one of its subclasses.
bool IsObjectProperty(const QMetaProperty& property);

// The objects that obj's object properties and collections refer to, read now (nulls left out).
QList<QObject*> ReferencedObjects(QObject* obj);

// Whether obj's class is the named class or inherits it; a namespace qualification of the
// class's own name is ignored, so "ns::TScaleProps" counts as "TScaleProps".
bool InheritsClassNamed(const QObject* obj, const char* className);

}  // namespace zeph
