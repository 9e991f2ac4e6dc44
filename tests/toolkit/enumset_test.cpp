#include <gtest/gtest.h>

#include <QMetaType>
#include <QVariant>

#include "zeph/toolkit/controlplacement.h"
#include "zeph/toolkit/types.h"

using namespace zeph;

TEST(EnumSetTest, BothSetsKeepTheirDefaultsBitsAndMetaTypes) {
  EXPECT_EQ(TAnchors().Bits(), (TAnchors{akLeft, akTop}).Bits());
  EXPECT_TRUE(TFontStyles().Empty());
  TFontStyles styles = TFontStyles::FromBits(0xF5);
  EXPECT_EQ(styles, (TFontStyles{fsBold, fsUnderline}));
  styles.Exclude(fsBold);
  styles.Include(fsStrikeOut);
  EXPECT_EQ(styles.Bits(), 0x0C);
  EXPECT_STREQ(QMetaType::fromType<TAnchors>().name(), "zeph::TAnchors");
  EXPECT_EQ(QVariant::fromValue(TFontStyles{fsItalic}), QVariant::fromValue(TFontStyles{fsItalic}));
}
