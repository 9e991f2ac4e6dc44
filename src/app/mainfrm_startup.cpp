// The start-up steps of the main window's first showing: the application icon named by the
// dictionary, and the about box's texts, address and translation.

#include <QApplication>
#include <QBuffer>
#include <QFileInfo>
#include <string>

#include "app/aboutbox.h"
#include "app/textlimits.h"
#include "app/appicon.h"
#include "app/controls/tlabel.h"
#include "app/mainfrm.h"
#include "app/spokentexts.h"
#include "zeph/toolkit/ansi.h"

using namespace zeph;

namespace {

const QString kDescriptionEnglish = QStringLiteral(
    "This program calculates the characteristic curve of a varactor diode. It is an interactive "
    "example developed by the electronic media group of the authors' university. It is used in "
    "various electronic textbooks.");
const QString kDescriptionGerman = QStringLiteral(
    "Dieses Programm zur Berechnung der Kennlinie einer Varaktordiode wurde von der Arbeitsgruppe "
    "Elektronische Medien an der Universität der Autoren entwickelt und wird in verschiedenen "
    "interaktiven elektronischen Lehrbüchern eingesetzt.");

bool StartedByHost(const std::vector<std::string>& arguments) {
  const std::string switch_text = kServerHandleSwitch;
  for (std::size_t i = 1; i < arguments.size(); ++i) {
    if (LowerAscii(arguments[i]).compare(0, switch_text.size(), switch_text) == 0) return true;
  }
  return false;
}

}  // namespace

void TForm1::UseHostWhenStartedByIt() {
  if (cliDemon == nullptr || !TkdbCustomDemon::ProcessHook()) return;
  if (StartedByHost(TkdbCustomDemon::ProcessHook()().Arguments)) cliDemon->SetUseOstrelServer(true);
}

QString TForm1::HostWorkArea() { return AnsiToQString(cliDemon->GetVariable(kWorkAreaVariable)); }

void TForm1::LoadApplicationIcon(TBabelfish2000& dictionary) {
  const std::string icon_name = dictionary.Translate("AppIconName");
  const QString work_area = HostWorkArea();
  if (icon_name == "AppIconName") return;
  // The name comes from a file the host may serve: it must not lead out of the work area.
  const std::optional<QString> icon_file = WorkAreaFile(work_area, AnsiToQString(icon_name));
  if (!icon_file) {
    qWarning("varactor: icon name \"%s\" refused: not a plain file name in the work area", icon_name.c_str());
    return;
  }
  if (cliDemon->UseOstrelServer()) {
    const std::unique_ptr<QBuffer> stream = cliDemon->GetFileStream(icon_name);
    if (stream && stream->size() > 0) {
      const QString error = SaveStreamToFile(*stream, *icon_file);
      // A copy that cannot be stored is no reason to stop the start: an older one may be there.
      if (!error.isEmpty()) qWarning("varactor: %s", qPrintable(error));
    }
  }
  if (!QFileInfo::exists(*icon_file)) return;
  // A file that is no readable icon leaves the built-in icons.
  const std::optional<QIcon> icon = ReadIconFile(*icon_file);
  if (!icon) return;
  QApplication::setWindowIcon(*icon);
  setWindowIcon(*icon);
  if (FrmAbout != nullptr) FrmAbout->setWindowIcon(*icon);
}

void TForm1::StartUpWithHostAndTranslation() {
  // Without cliDemon the host has ended the program meanwhile; there is nothing left to fill.
  if (cliDemon == nullptr) return;
  TBabelfish2000& dictionary = *cliDemon->Babelfish();
  // The icon is a finishing touch: a host that fails to answer must not keep the about box and
  // the curves from coming up.
  try {
    LoadApplicationIcon(dictionary);
  } catch (const std::exception& error) {
    qWarning("varactor: application icon not loaded: %s", error.what());
  }
  if (FrmAbout == nullptr) return;

  FrmAbout->LblName->setText(QStringLiteral("Varactor"));
  FrmAbout->LblVersion->setText(QStringLiteral("Version 1.0"));
  FrmAbout->HomeURL = AnsiToQString(dictionary.Translate("HomePageURL"));
  FrmAbout->LinkFailureText = Spoken(&dictionary, FrmAbout->LinkFailureText);
  const std::string language = LowerAscii(dictionary.Translate("$dlglanguage$"));
  dictionary.TranslateComponent(FrmAbout);
  CutLongCaptions(FrmAbout);
  // Set after the translation: these texts are never translation keys.
  if (language == "lggerman") {
    FrmAbout->LblWebSite->setText(QStringLiteral("Mehr Informationen finden Sie auf folgenden Webseiten:"));
    FrmAbout->LblDescription->setText(kDescriptionGerman);
  } else {
    FrmAbout->LblWebSite->setText(QStringLiteral("More information can be found at the following Web sites:"));
    FrmAbout->LblDescription->setText(kDescriptionEnglish);
  }
}
