#pragma once

#include <QPointer>
#include <QString>
#include <QWidget>

#include "host/ostreldemon.h"
#include "zeph/toolkit/events.h"
#include "zeph/translation/babelfish2000.h"

class TBitBtn;
class TLabel;
class TKeptCurves;
class TProjectorLook;
class TLessonViews;
namespace zeph {
class TMemo;
class TZephChart;
}  // namespace zeph
class TPanel;
class TTrackBar;
class TSliderNarrator;

// What a main window is made for: the running simulation, which meets the host and translates
// itself through cliDemon, or only the source of the charts for files written without a window,
// which has no cliDemon (no host, no dictionary, no single-instance check).
enum class TFormRole { Simulation, ChartsOnly };

// The simulation's main window: the grading slider over the two charts of the varactor model, the
// profile on the left and the capacitance on the right, with an information text below and the
// exit and about buttons at the top.
class TForm1 : public QWidget {
  Q_OBJECT
  // The translated title goes through SetWindowTitle, which cuts it to what a window can take.
  Q_PROPERTY(QString windowTitle READ windowTitle WRITE SetWindowTitle)

 public:
  // As the simulation, the end of loading connects cliDemon: ELexivo when the host that started
  // the program is not running, and a second start of the program ends the process here.
  explicit TForm1(QWidget* parent = nullptr, TFormRole role = TFormRole::Simulation);

  // Published components, in their stored order.
  TPanel* Panel1 = nullptr;
  TBitBtn* BButExit = nullptr;
  zeph::TMemo* Memo1 = nullptr;
  TTrackBar* TBDistribution = nullptr;
  TLabel* Label1 = nullptr;
  TLabel* Label2 = nullptr;
  TLabel* Label3 = nullptr;
  TPanel* Panel2 = nullptr;
  TPanel* Panel3 = nullptr;
  // Empty in the charts-only role, and once the host has ended the program.
  QPointer<TkdbDemonClient> cliDemon;
  TBitBtn* BButInfo = nullptr;
  zeph::TZephChart* ZCCap = nullptr;
  zeph::TZephChart* ZCNd = nullptr;

  // Sets the window's title, cut to kMaxWindowTitleLength.
  void SetWindowTitle(const QString& title);

  // Rebuilds both charts for the slider's position.
  void CalculateCurves();

  // The dictionary the window and the about box are translated with: cliDemon's; none without
  // cliDemon.
  zeph::TBabelfish2000* Babelfish() const { return cliDemon != nullptr ? cliDemon->Babelfish() : nullptr; }

  // Event handlers.
  void FormShow(QObject* Sender);
  void FormResize(QObject* Sender);
  void TBDistributionChange(QObject* Sender);
  void BButExitClick(QObject* Sender);
  void BButInfoClick(QObject* Sender);
  void cliDemonParamsChange(QObject* Sender);

  // The values, links and marks the lesson shows over the charts.
  TLessonViews* Lesson() const { return lesson_; }
  // The gradings kept on the charts to compare with the current one.
  TKeptCurves* KeptCurves() const { return kept_; }
  // The look for a projector: thick curves, a dark grid, large text.
  TProjectorLook* Projector() const { return projector_; }

  // Runs each time the window has become visible; it may show a modal box of its own.
  zeph::TNotifyEvent OnShow;
  zeph::TNotifyEvent OnResize;

 protected:
  void showEvent(QShowEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  // The stored description: components, placements, chart settings and event bindings.
  void ReadStoredDescription(TFormRole role);
  void ConfigureChart(zeph::TZephChart* chart);
  // After translation: the slider's words and labels, the charts' words and keyboard exploration.
  void MakeAccessible();
  // The lesson over the charts: readouts and links, kept curves and the charts' menus.
  void StartLesson();
  // The slider's value in words and the curves' shape, as the slider's description: screen readers
  // read it with the focused slider, and speak its change.
  void DescribeState();
  // Tells assistive technology what a slider change did: the description, the value at once and
  // the change of the curves once the slider rests.
  void AnnounceState();

  TSliderNarrator* narrator_ = nullptr;
  // Memo1's form translation: each line that is a key becomes its text, overlong words made
  // breakable (see BreakOverlongWords), and its accessible name when that is a key.
  void TranslateInformationText(zeph::TBabelfish2000& dictionary);
  // Before loading ends: a start by the host, which names its window on the command line, runs
  // under that host.
  void UseHostWhenStartedByIt();
  // The first steps of showing: the application icon named by the dictionary, then the about
  // box's texts and address and its translation.
  void StartUpWithHostAndTranslation();
  // Fetches (under a host) and loads the icon file the dictionary names.
  void LoadApplicationIcon(zeph::TBabelfish2000& dictionary);
  // The folder the host keeps the program's files in; the program's own folder when it runs
  // on its own.
  QString HostWorkArea();

  TLessonViews* lesson_ = nullptr;
  TKeptCurves* kept_ = nullptr;
  TProjectorLook* projector_ = nullptr;
};

// The application's main window, once created.
extern TForm1* Form1;
