#pragma once

#include <gtest/gtest.h>

#include <QObject>
#include <QVariant>
#include <initializer_list>
#include <utility>

namespace zeph::testing {

// Reads each named property of object through its meta-object, as a form designer does, and
// expects the value beside it: whole numbers, enumerations, colours and switches as integers,
// fractions as doubles.
inline void ExpectPublished(const QObject& object, std::initializer_list<std::pair<const char*, QVariant>> values) {
  for (const auto& [name, expected] : values) {
    const QVariant read = object.property(name);
    ASSERT_TRUE(read.isValid()) << name << " is not published";
    if (expected.typeId() == QMetaType::Double) {
      EXPECT_EQ(read.toDouble(), expected.toDouble()) << name;
    } else {
      EXPECT_EQ(read.toLongLong(), expected.toLongLong()) << name;
    }
  }
}

}  // namespace zeph::testing
