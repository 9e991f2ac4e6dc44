#pragma once

#include <QWidget>

class QLabel;
class QPushButton;
namespace zeph {
class TBabelfish2000;
class TZephChart;
}  // namespace zeph

// A weather station's form: the day's temperatures in a chart, the last reading, and buttons to
// fetch the next reading and to close. It is built with marked texts ("BF_Refresh", ...), which
// the translation engine replaces by the texts of the loaded language; texts made while it runs
// are looked up with arguments.
class TWeatherForm : public QWidget {
 public:
  explicit TWeatherForm(zeph::TBabelfish2000& babelfish, QWidget* parent = nullptr);

 private:
  void BuildForm();
  void ConfigureChart();
  void AddReading();
  void ShowReadings();
  // The text for key in the loaded language, with "<%1%>", "<%2%>", ... replaced by args.
  QString Text(const char* key, const QStringList& args = {}) const;

  zeph::TBabelfish2000& babelfish_;
  zeph::TZephChart* chart_ = nullptr;
  QLabel* last_reading_ = nullptr;
  QLabel* reading_count_ = nullptr;
  QPushButton* refresh_ = nullptr;
  int hours_ = 0;  // readings so far, one an hour from midnight
};
