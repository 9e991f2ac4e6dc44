// The lesson over the main window's charts: readouts and links, kept curves, projector mode and
// the charts' menus with the handout.

#include "app/controls/ttrackbar.h"
#include "app/lesson/chartmenu.h"
#include "app/lesson/gradedtable.h"
#include "app/lesson/keptcurves.h"
#include "app/lesson/lessonviews.h"
#include "app/lesson/projectorlook.h"
#include "app/mainfrm.h"
#include "app/output/handoutdialog.h"
#include "app/spokentexts.h"
#include "app/statereport.h"
#include "zeph/chart/zephchart.h"

using namespace zeph;

void TForm1::StartLesson() {
  kept_ = new TKeptCurves(this);
  projector_ = new TProjectorLook({ZCNd, ZCCap}, this);
  const auto positions = [this] {
    std::vector<int> positions{TBDistribution->Position()};
    positions.insert(positions.end(), kept_->Positions().begin(), kept_->Positions().end());
    return positions;
  };
  // Made after the charts, so destroyed after them.
  lesson_ = new TLessonViews(ZCNd, ZCCap, positions, [this] { return Babelfish(); }, this);
  connect(kept_, &TKeptCurves::Changed, this, [this] {
    // Curves kept before the first curves are drawn (at the start) wait for them.
    if (ZCCap->Items().Count() == 0) return;
    CalculateCurves();
    DescribeState();
    ReportState(*this, "kept");
  });
  TChartMenu::TActions actions;
  actions.keep_text = Spoken(Babelfish(), QStringLiteral("Keep these curves"));
  actions.clear_text = Spoken(Babelfish(), QStringLiteral("Clear kept curves"));
  actions.handout_text = Spoken(Babelfish(), QStringLiteral("Save handout…"));
  actions.keep = [this] { kept_->Keep(TBDistribution->Position()); };
  actions.clear = [this] { kept_->Clear(); };
  actions.any_kept = [this] { return !kept_->Positions().empty(); };
  actions.save_handout = [this] {
    THandoutDialog::Save(this, {TBDistribution->Position(), kept_->Positions(), Babelfish()});
  };
  actions.table = [positions](const TCustomZephChart& chart) { return GradedDataTable(chart, positions()); };
  actions.projector_text = Spoken(Babelfish(), QStringLiteral("Projector mode"));
  actions.projector_on = [this] { return projector_->On(); };
  actions.toggle_projector = [this] {
    projector_->SetOn(!projector_->On());
    if (ZCCap->Items().Count() > 0) CalculateCurves();
    // The user's choice for the next start; files written without a window leave it alone.
    if (cliDemon != nullptr) TProjectorLook::Remember(projector_->On());
    ReportState(*this, "projector");
  };
  for (TZephChart* chart : {ZCNd, ZCCap}) new TChartMenu(chart, actions);
}
