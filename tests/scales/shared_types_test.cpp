#include <gtest/gtest.h>

#include <QMetaEnum>

#include "zeph/scales/crosshair.h"
#include "zeph/scales/dtlabel.h"
#include "zeph/scales/zephenums.h"
#include "zeph/scales/zepherror.h"

using namespace zeph;

namespace {

QStringList Keys(const QMetaEnum& e) {
  QStringList keys;
  for (int i = 0; i < e.keyCount(); ++i) {
    EXPECT_EQ(e.value(i), i) << e.key(i);
    keys << QString::fromLatin1(e.key(i));
  }
  return keys;
}

TEST(SharedTypesTest, EnumerationsListTheirValuesInStoredOrder) {
  EXPECT_EQ(Keys(QMetaEnum::fromType<TFigType>()),
            QStringList({"ftNoFigs", "ftNum", "ftTime", "ftDateTime", "ftUserText"}));
  EXPECT_EQ(Keys(QMetaEnum::fromType<TFrameStyle>()),
            QStringList({"fsNone", "fsSimple", "fsLowered", "fsRaised", "fsEmbossed", "fsEngraved"}));
  EXPECT_EQ(Keys(QMetaEnum::fromType<TTxtLblMode>()),
            QStringList({"tlOff", "tlsimple", "tlBox", "tlUnderline", "tlShadow"}));
  EXPECT_EQ(Keys(QMetaEnum::fromType<TDateForTime>()),
            QStringList({"dtNone", "dtOnePerChart", "dtOnePerDay", "dtAllTicks"}));
  const QStringList modes = Keys(QMetaEnum::fromType<TMouseActMode>());
  ASSERT_EQ(modes.size(), 15);
  EXPECT_EQ(modes.at(8), "maZoomDrag");
  EXPECT_EQ(modes.at(14), "maRotZOnly");
  EXPECT_EQ(Keys(QMetaEnum::fromType<TScaleUnitAnchor>()),
            QStringList({"uaSclTopLft", "uaSclCenter", "uaSclBotRgt"}));
  EXPECT_EQ(sizeof(TMouseActMode), 1u);
  EXPECT_EQ(Keys(QMetaEnum::fromType<TScaleType>()), QStringList({"sctXB", "sctXT", "sctYL", "sctYR"}));
}

TEST(SharedTypesTest, DateLabelNotifiesOnlyOnChangeExceptTimeFormatAndDateOrder) {
  TDTLabel label;
  SetDefaultDateTimeFormat(label);
  EXPECT_EQ(label.DateSeparator(), '-');
  EXPECT_EQ(label.TimeSeparator(), ':');
  EXPECT_EQ(label.YearLength(), ylYYYY);
  EXPECT_TRUE(label.MonthName());
  EXPECT_EQ(label.DateOrder(), doDDMMYY);
  EXPECT_EQ(label.DateForTime(), dtOnePerDay);

  int changes = 0;
  QObject* sender = nullptr;
  label.OnChange = [&](QObject* s) {
    ++changes;
    sender = s;
  };
  label.SetDateSeparator('-');
  label.SetTimeSeparator(':');
  label.SetYearLength(ylYYYY);
  label.SetMonthName(true);
  label.SetDateForTime(dtOnePerDay);
  EXPECT_EQ(changes, 0);
  label.SetTimeFormat(tfHHMMSS);
  label.SetDateOrder(doDDMMYY);
  EXPECT_EQ(changes, 2);
  EXPECT_EQ(sender, &label);
  label.SetDateSeparator('/');
  EXPECT_EQ(changes, 3);

  TDTLabel copy;
  int copy_changes = 0;
  copy.OnChange = [&](QObject*) { ++copy_changes; };
  copy.Assign(label);
  EXPECT_EQ(copy.DateSeparator(), '/');
  EXPECT_EQ(copy.DateOrder(), doDDMMYY);
  EXPECT_EQ(copy_changes, 0);

  label.OnChange = nullptr;  // unassigned: only stores
  label.SetTimeSeparator('.');
  EXPECT_EQ(label.TimeSeparator(), '.');
}

TEST(SharedTypesTest, CrossHairNotifiesOnEverySetAndAssignCopiesAll) {
  TCrossHair hair;
  int changes = 0;
  hair.OnChange = [&](QObject* s) {
    EXPECT_EQ(s, &hair);
    ++changes;
  };
  hair.SetPosX(0);
  hair.SetPosY(0);
  hair.SetColor(clBlack);
  hair.SetMode(chOff);
  hair.SetLineType(psSolid);
  hair.SetLineWid(1);
  hair.SetLayer(1);
  EXPECT_EQ(changes, 7);

  TCrossHair other;
  other.SetPosX(1.5);
  other.SetPosY(-2);
  other.SetColor(clRed);
  other.SetMode(chBoth);
  other.SetLineType(psDot);
  other.SetLineWid(3);
  other.SetLayer(4);
  hair.Assign(other);
  EXPECT_EQ(hair.PosX(), 1.5);
  EXPECT_EQ(hair.PosY(), -2);
  EXPECT_EQ(hair.Color(), clRed);
  EXPECT_EQ(hair.Mode(), chBoth);
  EXPECT_EQ(hair.LineType(), psDot);
  EXPECT_EQ(hair.LineWid(), 3);
  EXPECT_EQ(hair.Layer(), 4);
  EXPECT_EQ(hair.property("Mode").value<TCrossHMode>(), chBoth);
}

TEST(SharedTypesTest, ChartErrorIsAZephErrorWithItsMessage) {
  try {
    throw EZephChartError(std::string("Destination layer 17 is out of range"));
  } catch (const EZephError& e) {
    EXPECT_STREQ(e.what(), "Destination layer 17 is out of range");
  }
}

}  // namespace
