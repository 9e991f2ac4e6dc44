#include <gtest/gtest.h>

#include "scale_fixture.h"
#include "zeph/scales/datetimetext_p.h"

using namespace zeph;

namespace {

constexpr double kSecond = 1.0 / 86400;

double Day(int y, int m, int d) { return static_cast<double>(DayNumber(QDate(y, m, d))); }

TEST(TimeLabelsTest, HourOfSecondsInTwentyMinuteSteps) {
  ScaleProbe p(sctXB);
  p.scale->SetRangeHigh(3600);
  p.scale->SetLabelType(ftTime);
  EXPECT_EQ(p.scale->DecPlaces(), 4);
  EXPECT_EQ(LabelsOf(*p.scale), QStringList({" 00:00:00", " 00:20:00", " 00:40:00", " 01:00:00"}));
  // Short ticks every 200 s are recorded but not reported; long ticks are both.
  const std::vector<double> ticks = p.Render();
  EXPECT_EQ(ticks.size(), 19u + 4u);
  ASSERT_EQ(p.events.size(), 4u);
  EXPECT_EQ(p.events[3].value, 3600);
}

TEST(TimeLabelsTest, MillisecondsNegativeAndReversedRanges) {
  ScaleProbe p(sctYL);
  p.scale->SetLabelType(ftTime);
  p.scale->SetRangeHigh(1.5);
  EXPECT_EQ(LabelsOf(*p.scale),
            QStringList({" 00:00:00.000", " 00:00:00.500", " 00:00:01.000", " 00:00:01.500"}));

  p.scale->SetRangeLow(-60);
  p.scale->SetRangeHigh(60);
  EXPECT_EQ(LabelsOf(*p.scale), QStringList({"-00:01:00", "-00:00:30", " 00:00:00", " 00:00:30", " 00:01:00"}));

  p.scale->SetRangeLow(3600);
  p.scale->SetRangeHigh(0);
  EXPECT_EQ(LabelsOf(*p.scale), QStringList({" 01:00:00", " 00:40:00", " 00:20:00", " 00:00:00"}));
}

TEST(TimeLabelsTest, FarFromZeroTheTicksStayInsideTheRange) {
  // A quarter of a minute a million years back: the relative tolerance would span hours there.
  ScaleProbe p(sctYL);
  p.scale->SetLabelType(ftTime);
  p.scale->SetRangeLow(-41255400998292.0);
  p.scale->SetRangeHigh(-41255400998277.5);
  const std::vector<double> ticks = p.Render();
  ASSERT_FALSE(ticks.empty());
  EXPECT_LT(ticks.size(), 50u);
  for (double t : ticks) {
    EXPECT_GE(t, -41255400998292.5);
    EXPECT_LE(t, -41255400998277.0);
  }
}

TEST(TimeLabelsTest, ShortTicksReachTheStartOfAnAxisThatBeginsBeforeZero) {
  ScaleProbe p(sctXB);
  p.scale->SetLabelType(ftTime);
  p.scale->SetRangeLow(-3000);
  p.scale->SetRangeHigh(600);  // step 1200 s, short ticks every 200 s
  const std::vector<double> ticks = p.Render();
  ASSERT_FALSE(ticks.empty());
  EXPECT_EQ(ticks.front(), -3000);
  EXPECT_EQ(LabelsOf(*p.scale), QStringList({"-00:40:00", "-00:20:00", " 00:00:00"}));
}

TEST(TimeLabelsTest, FallsBackToNumbersBelowAMillisecondOrFromADay) {
  ScaleProbe p(sctXB);
  p.scale->SetLabelType(ftTime);
  p.scale->SetRangeHigh(0.002);
  EXPECT_EQ(LabelsOf(*p.scale).first(), "0.0000");
  p.scale->SetRangeHigh(300000);
  // Over more than 100000 the zero tick reads "0.0".
  EXPECT_EQ(LabelsOf(*p.scale), QStringList({"0.0", "100000.0000", "200000.0000", "300000.0000"}));
}

ScaleProbe DateScale(TScaleType type, double low, double high) {
  ScaleProbe p(type);
  p.scale->SetLabelType(ftDateTime);
  p.scale->SetRangeLow(low);
  p.scale->SetRangeHigh(high);
  return p;
}

TEST(DateTimeLabelsTest, SevenDaysInTwoDaySteps) {
  ScaleProbe p = DateScale(sctXB, 0, 7);
  EXPECT_EQ(LabelsOf(*p.scale), QStringList({"31-Dec-1899", "02-Jan-1900", "04-Jan-1900", "06-Jan-1900"}));
  // Daily ticks from day 0, every one reported.
  EXPECT_EQ(p.Render().size(), 8u);
  EXPECT_EQ(p.events.size(), 8u);

  p.scale->DateFormat()->SetDateOrder(doMMDDYY);
  p.scale->DateFormat()->SetMonthName(false);
  p.scale->DateFormat()->SetYearLength(ylYY);
  p.scale->DateFormat()->SetDateSeparator('/');
  EXPECT_EQ(LabelsOf(*p.scale).first(), "12/31/99");
  p.scale->DateFormat()->SetDateOrder(doYYMMDD);
  p.scale->DateFormat()->SetYearLength(ylNone);
  EXPECT_EQ(LabelsOf(*p.scale).first(), "/12/31");  // the separators stay without a year
}

TEST(DateTimeLabelsTest, TimeOfDayInHoursWithTheDateLine) {
  ScaleProbe p = DateScale(sctYL, 0, 1);
  const ScaleLayout layout = BuildScaleLayout(p.scale->LayoutSettings());
  QStringList dates;
  for (const TickMark& t : layout.ticks)
    if (t.labelled) dates << t.date_line;
  EXPECT_EQ(Labels(layout), QStringList({"00:00", "08:00", "16:00", "00:00"}));
  EXPECT_EQ(dates, QStringList({"30-Dec-1899", "", "", "31-Dec-1899"}));

  p.scale->DateFormat()->SetTimeFormat(tfHHhMM);
  EXPECT_EQ(LabelsOf(*p.scale), QStringList({"0h", "8h", "16h", "0h"}));
  p.scale->DateFormat()->SetTimeFormat(tfAMPM);
  EXPECT_EQ(LabelsOf(*p.scale), QStringList({"12am", "8am", "4pm", "12am"}));

  auto date_lines = [&] {
    QStringList lines;
    for (const TickMark& t : BuildScaleLayout(p.scale->LayoutSettings()).ticks)
      if (t.labelled) lines << t.date_line;
    return lines;
  };
  p.scale->DateFormat()->SetDateForTime(dtOnePerChart);
  EXPECT_EQ(date_lines(), QStringList({"30-Dec-1899", "", "", ""}));
  p.scale->DateFormat()->SetDateForTime(dtAllTicks);
  p.scale->DateFormat()->SetYearLength(ylNone);
  EXPECT_EQ(date_lines(), QStringList({"30-Dec", "30-Dec", "30-Dec", "31-Dec"}));
  p.scale->DateFormat()->SetDateForTime(dtNone);
  EXPECT_EQ(date_lines(), QStringList({"", "", "", ""}));
}

TEST(DateTimeLabelsTest, MinutesSecondsAndHundredths) {
  ScaleProbe minutes = DateScale(sctXT, 0, 1.0 / 24);
  EXPECT_EQ(LabelsOf(*minutes.scale), QStringList({"00:00", "00:20", "00:40", "01:00"}));
  minutes.scale->DateFormat()->SetTimeFormat(tfAMPM);
  EXPECT_EQ(LabelsOf(*minutes.scale).at(1), "12:20am");

  ScaleProbe seconds = DateScale(sctXB, Day(2024, 3, 1) + 0.5, Day(2024, 3, 1) + 0.5 + 90 * kSecond);
  EXPECT_EQ(LabelsOf(*seconds.scale), QStringList({"12:00:00", "12:00:30", "12:01:00", "12:01:30"}));
  seconds.scale->DateFormat()->SetTimeFormat(tfHHhMM);
  EXPECT_EQ(LabelsOf(*seconds.scale).at(1), "12h00:30");

  // Hundredths exist on vertical scales only; a horizontal one calls the range too short.
  ScaleProbe hundredths = DateScale(sctYR, 0, 1.5 * kSecond);
  EXPECT_EQ(LabelsOf(*hundredths.scale),
            QStringList({"00:00:00.00", "00:00:00.500", "00:00:01.00", "00:00:01.500"}));
  hundredths.scale->SetScaleType(sctXB);
  const ScaleLayout layout = BuildScaleLayout(hundredths.scale->LayoutSettings());
  ASSERT_TRUE(layout.has_message);
  EXPECT_EQ(layout.message.horizontal_line, "DateTime range is below 1 second");
}

TEST(DateTimeLabelsTest, MonthsAndYears) {
  ScaleProbe months = DateScale(sctXB, Day(2024, 1, 1), Day(2025, 1, 1));
  EXPECT_EQ(LabelsOf(*months.scale), QStringList({"Jan-2024", "May-2024", "Sep-2024", "Jan-2025"}));
  EXPECT_EQ(months.Render().size(), 13u);  // a tick on the first of every month
  // Without short ticks the first tick lies after RangeLow's month, even on a labelled month.
  months.scale->SetShortTicks(false);
  EXPECT_EQ(LabelsOf(*months.scale), QStringList({"May-2024", "Sep-2024", "Jan-2025"}));
  EXPECT_EQ(months.Render().size(), 3u);
  months.scale->SetRangeHigh(Day(2024, 12, 31));  // 3.997 months per interval: steps of 3
  EXPECT_EQ(LabelsOf(*months.scale), QStringList({"Apr-2024", "Jul-2024", "Oct-2024"}));
  months.scale->DateFormat()->SetDateOrder(doYYMMDD);
  EXPECT_EQ(LabelsOf(*months.scale).first(), "2024-Apr");
  months.scale->SetRangeLow(Day(2024, 2, 1));  // an unlabelled start moves on to the next label
  EXPECT_EQ(LabelsOf(*months.scale).first(), "2024-Apr");

  ScaleProbe year = DateScale(sctXB, Day(2020, 1, 1), Day(2021, 1, 1));
  year.scale->SetMinTicks(4);
  year.scale->SetShortTicks(false);
  EXPECT_EQ(LabelsOf(*year.scale), QStringList({"Apr-2020", "Jul-2020", "Oct-2020", "Jan-2021"}));

  ScaleProbe years = DateScale(sctXB, Day(1900, 1, 1), Day(2100, 1, 1));
  EXPECT_EQ(LabelsOf(*years.scale), QStringList({"1900", "1950", "2000", "2050", "2100"}));
  EXPECT_EQ(years.Render().size(), 21u);  // short ticks every ten years
  years.scale->DateFormat()->SetYearLength(ylYY);
  EXPECT_EQ(LabelsOf(*years.scale).at(2), "00");

  // Exactly ten and a hundred years per interval step by ten and a hundred years.
  ScaleProbe decades = DateScale(sctXB, 0, 10957.5);
  EXPECT_EQ(LabelsOf(*decades.scale), QStringList({"1900", "1910", "1920"}));
  decades.scale->SetRangeHigh(109575);
  EXPECT_EQ(LabelsOf(*decades.scale), QStringList({"1900", "2000", "2100", "2200"}));

  // The calendar ends with 9999: the last tick is held on its last day.
  ScaleProbe far = DateScale(sctXB, Day(9000, 1, 1), 3000000);
  const std::vector<double> ticks = far.Render();
  ASSERT_FALSE(ticks.empty());
  EXPECT_EQ(ticks.back(), Day(9999, 12, 31));
}

TEST(DateTimeLabelsTest, InvalidAndTooShortRangesDrawMessages) {
  ScaleProbe p = DateScale(sctYL, -700000, 10);
  ScaleLayout layout = BuildScaleLayout(p.scale->LayoutSettings());
  ASSERT_TRUE(layout.has_message);
  EXPECT_EQ(layout.message.vertical_lines, QStringList({"invalid", "DateTime", "scale"}));
  EXPECT_EQ(layout.message.horizontal_line, "invalid DateTime scale");
  EXPECT_TRUE(layout.ticks.empty());

  p.scale->SetRangeLow(10);
  p.scale->SetRangeHigh(5);  // reversed date axes are not drawn either
  EXPECT_TRUE(BuildScaleLayout(p.scale->LayoutSettings()).has_message);

  p.scale->SetRangeLow(0);
  p.scale->SetRangeHigh(2e-7);
  layout = BuildScaleLayout(p.scale->LayoutSettings());
  ASSERT_TRUE(layout.has_message);
  EXPECT_EQ(layout.message.vertical_lines, QStringList({"DateTime", "range is", "below 1", "second"}));
  EXPECT_EQ(p.Render().size(), 0u);
}

TEST(DateTimeTextTest, DecodesAroundTheEpochAndFormatsDateLines) {
  DecodedDateTime d = DecodeDateTime(-0.75);  // 29 December 1899, 06:00
  EXPECT_EQ(d.date, QDate(1899, 12, 29));
  EXPECT_EQ(d.hour, 6);
  d = DecodeDateTime(1.0 - 1e-13);  // noise below a millisecond rounds to the next midnight
  EXPECT_EQ(d.date, QDate(1899, 12, 31));
  EXPECT_EQ(d.hour, 0);
  EXPECT_EQ(Day(1, 1, 1), -693593);

  DateLabelFormat f;
  const QDate date(2024, 3, 7);
  EXPECT_EQ(DateLineText(f, date), "07-Mar-2024");
  f.date_order = doMMDDYY;
  EXPECT_EQ(DateLineText(f, date), "Mar-07-2024");
  f.date_order = doYYMMDD;
  f.year_length = ylYY;
  EXPECT_EQ(DateLineText(f, date), "24-Mar-07");
  f.year_length = ylNone;
  EXPECT_EQ(DateLineText(f, date), "Mar-07");
  f.month_name = false;
  f.date_order = doDDMMYY;
  EXPECT_EQ(DateLineText(f, date), "07-03");
  f.year_length = ylYYYY;
  EXPECT_EQ(DayLabelText(f, QDate(5, 1, 2)), "02-01-0005");
  EXPECT_EQ(YearLabelText(f, QDate(5, 1, 1)), "5");
}

}  // namespace

namespace {

TEST(TimeLabelsTest, ValuesBeyondCountableMillisecondsStayNumbers) {
  ScaleProbe p(sctXB);
  p.scale->SetLabelType(ftTime);
  p.scale->SetRangeLow(1e20);
  p.scale->SetRangeHigh(1e20 + 300000);
  const QStringList labels = LabelsOf(*p.scale);
  ASSERT_FALSE(labels.isEmpty());
  EXPECT_FALSE(labels.first().contains(':'));
}

}  // namespace
