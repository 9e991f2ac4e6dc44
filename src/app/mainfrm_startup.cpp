// The start-up steps of the main window's first showing: the application icon named by the
// dictionary, and the about box's texts, address and translation.

#include <QApplication>
#include <QFileInfo>
#include <QIcon>
#include <algorithm>
#include <string>

#include "app/aboutbox.h"
#include "app/controls/tlabel.h"
#include "app/mainfrm.h"
#include "toolkit/ansi.h"

namespace {

std::string AsciiLower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; });
  return text;
}

const QString kDescriptionEnglish = QStringLiteral(
    "This program calculates the characteristic curve of a varactor diode. It is an interactive "
    "example developed by the electronic media group of the authors' university. It is used in "
    "various electronic textbooks.");
const QString kDescriptionGerman = QStringLiteral(
    "Dieses Programm zur Berechnung der Kennlinie einer Varaktordiode wurde von der Arbeitsgruppe "
    "Elektronische Medien an der Universität der Autoren entwickelt und wird in verschiedenen "
    "interaktiven elektronischen Lehrbüchern eingesetzt.");

}  // namespace

QString TForm1::HostWorkArea() const { return QCoreApplication::applicationDirPath() + QLatin1Char('/'); }

void TForm1::StartUpWithHostAndTranslation() {
  TBabelfish2000& dictionary = Babelfish();
  const std::string icon_name = dictionary.Translate("AppIconName");
  const QString work_area = HostWorkArea();
  if (icon_name != "AppIconName") {
    const QString icon_file = work_area + AnsiToQString(icon_name);
    if (QFileInfo::exists(icon_file)) {
      const QIcon icon(icon_file);
      QApplication::setWindowIcon(icon);
      setWindowIcon(icon);
      if (FrmAbout != nullptr) FrmAbout->setWindowIcon(icon);
    }
  }
  if (FrmAbout == nullptr) return;

  FrmAbout->LblName->setText(QStringLiteral("Varactor"));
  FrmAbout->LblVersion->setText(QStringLiteral("Version 1.0"));
  FrmAbout->HomeURL = AnsiToQString(dictionary.Translate("HomePageURL"));
  const std::string language = AsciiLower(dictionary.Translate("$dlglanguage$"));
  dictionary.TranslateComponent(FrmAbout);
  // Set after the translation: these texts are never translation keys.
  if (language == "lggerman") {
    FrmAbout->LblWebSite->setText(QStringLiteral("Mehr Informationen finden Sie auf folgenden Webseiten:"));
    FrmAbout->LblDescription->setText(kDescriptionGerman);
  } else {
    FrmAbout->LblWebSite->setText(QStringLiteral("More information can be found at the following Web sites:"));
    FrmAbout->LblDescription->setText(kDescriptionEnglish);
  }
}
