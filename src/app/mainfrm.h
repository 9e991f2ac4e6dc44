#pragma once

#include <QString>
#include <QWidget>

#include "toolkit/events.h"
#include "translation/babelfish2000.h"

class TBitBtn;
class TLabel;
class TMemo;
class TPanel;
class TTrackBar;
class TZephChart;

// The simulation's main window: the grading slider over the two charts of the varactor model, the
// profile on the left and the capacitance on the right, with an information text below and the
// exit and about buttons at the top.
class TForm1 : public QWidget {
  Q_OBJECT

 public:
  explicit TForm1(QWidget* parent = nullptr);

  // Published components, in their stored order.
  TPanel* Panel1 = nullptr;
  TBitBtn* BButExit = nullptr;
  TMemo* Memo1 = nullptr;
  TTrackBar* TBDistribution = nullptr;
  TLabel* Label1 = nullptr;
  TLabel* Label2 = nullptr;
  TLabel* Label3 = nullptr;
  TPanel* Panel2 = nullptr;
  TPanel* Panel3 = nullptr;
  TBitBtn* BButInfo = nullptr;
  TZephChart* ZCCap = nullptr;
  TZephChart* ZCNd = nullptr;

  // Rebuilds both charts for the slider's position.
  void CalculateCurves();

  // The dictionary the window and the about box are translated with.
  TBabelfish2000& Babelfish() { return babelfish_; }

  // Event handlers.
  void FormShow(QObject* Sender);
  void FormResize(QObject* Sender);
  void TBDistributionChange(QObject* Sender);
  void BButExitClick(QObject* Sender);
  void BButInfoClick(QObject* Sender);
  void cliDemonParamsChange(QObject* Sender);

  // Runs each time the window has become visible; it may show a modal box of its own.
  TNotifyEvent OnShow;
  TNotifyEvent OnResize;

 protected:
  void showEvent(QShowEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  // The stored description: components, placements, chart settings and event bindings.
  void ReadStoredDescription();
  void ConfigureChart(TZephChart* chart);
  // The first steps of showing: the application icon named by the dictionary, then the about
  // box's texts and address and its translation.
  void StartUpWithHostAndTranslation();
  // The folder the host keeps the program's files in; the program's own folder when it runs
  // on its own.
  QString HostWorkArea() const;

  TBabelfish2000 babelfish_;
};

// The application's main window, once created.
extern TForm1* Form1;
