#include "app/statereport.h"

#include <QApplication>
#include <QIcon>
#include <QStringList>

#include "app/aboutbox.h"
#include "app/controls/formgeometry.h"
#include "app/controls/tbitbtn.h"
#include "app/controls/tlabel.h"
#include "app/controls/tpanel.h"
#include "app/controls/ttrackbar.h"
#include "app/lesson/projectorlook.h"
#include "app/mainfrm.h"
#include "zeph/chart/zephchart.h"
#include "zeph/toolkit/tmemo.h"
#include "zeph/toolkit/ansi.h"
#include "zeph/toolkit/filenames.h"
#include "zeph/toolkit/safefile.h"

using namespace zeph;

namespace {

// What an icon shows in the middle of its 32 x 32 image; enough to tell icons apart.
QString IconColour(const QIcon& icon) {
  const QImage image = icon.pixmap(32, 32).toImage();
  if (image.isNull()) return QStringLiteral("none");
  return image.pixelColor(image.width() / 2, image.height() / 2).name();
}

QString OneLine(QString text) { return text.replace(QLatin1Char('\\'), QLatin1String("\\\\")).replace(QLatin1Char('\n'), QLatin1String("\\n")); }

}  // namespace

void ReportState(TForm1& form, const char* event) {
  const QString path = FileNameFromBytes(qgetenv(kStateFileVariable));
  if (path.isEmpty()) return;
  static int events = 0;
  ++events;

  QStringList lines;
  auto add = [&lines](const char* key, const QString& value) {
    lines.append(QString::fromLatin1(key) + QLatin1Char('=') + OneLine(value));
  };
  add("event", QString::fromLatin1(event));
  add("events", QString::number(events));
  add("main.title", form.windowTitle());
  add("main.exit", form.BButExit->text());
  add("main.about", form.BButInfo->text());
  add("main.info", form.Memo1->toPlainText());
  add("main.outer", QStringLiteral("%1x%2").arg(OuterWidth(&form)).arg(OuterHeight(&form)));
  add("main.panel2", QString::number(form.Panel2->width()));
  add("icon.application", IconColour(QApplication::windowIcon()));
  add("icon.main", IconColour(form.windowIcon()));
  if (FrmAbout != nullptr) {
    add("icon.about", IconColour(FrmAbout->windowIcon()));
    add("about.title", FrmAbout->windowTitle());
    add("about.name", FrmAbout->LblName->text());
    add("about.version", FrmAbout->LblVersion->text());
    add("about.homepage", FrmAbout->LblHomePage->text());
    add("about.homeurl", FrmAbout->HomeURL);
    add("about.website", FrmAbout->LblWebSite->text());
    add("about.description", FrmAbout->LblDescription->text());
    add("about.author", FrmAbout->LblAuthor->text());
    add("about.notice", FrmAbout->LblCopyright->text());
    add("about.ok", FrmAbout->BButOK->text());
  }
  add("slider", QString::number(form.TBDistribution->Position()));
  add("chart.profile", form.ZCNd->Caption());
  add("chart.capacitance", form.ZCCap->Caption());
  add("look.projector", form.Projector()->On() ? QStringLiteral("1") : QStringLiteral("0"));
  add("items.profile", QString::number(form.ZCNd->Items().Count()));
  add("items.capacitance", QString::number(form.ZCCap->Items().Count()));
  if (form.cliDemon != nullptr) {
    add("host", form.cliDemon->UseOstrelServer() ? QStringLiteral("1") : QStringLiteral("0"));
    QStringList params;
    for (int i = 1; i <= form.cliDemon->ParamCount(); ++i) params.append(AnsiToQString(form.cliDemon->ParamStr(i)));
    add("params", params.join(QLatin1Char('|')));
  }

  const QByteArray text = (lines.join(QLatin1Char('\n')) + QLatin1Char('\n')).toUtf8();
  const QString error = WriteFileSafely(path, text);
  if (!error.isEmpty()) qWarning("varactor: cannot write the state file %s: %s", qPrintable(path), qPrintable(error));
}
