// The about box's stored description: its components with their placements, texts, fonts and
// colours, and the event bindings. Behaviour lives in aboutbox.cpp.

#include <QIcon>
#include <QPixmap>

#include "app/aboutbox.h"
#include "app/appresources.h"
#include "app/controls/formgeometry.h"
#include "app/controls/taborder.h"
#include "app/controls/tbitbtn.h"
#include "app/controls/tlabel.h"
#include "app/controls/tpanel.h"
#include "zeph/toolkit/component.h"

using namespace zeph;

namespace {

template <typename T>
T* Create(QWidget* parent, const char* name) {
  auto* control = new T(parent);
  control->setObjectName(QString::fromLatin1(name));
  return control;
}

// A font of the given pixel height, as the box was designed (120 pixels per inch, not scaled).
QFont PixelFont(const QString& family, int pixels, TFontStyles style = {}) {
  QFont font(family);
  font.setPixelSize(pixels);
  font.setBold(style.Contains(fsBold));
  font.setItalic(style.Contains(fsItalic));
  font.setUnderline(style.Contains(fsUnderline));
  return font;
}

void SetLabelFont(TLabel* label, const QFont& font, TColor color) {
  label->setFont(font);
  label->SetFontColor(color);
}

// A centred, fixed-size line of the upper panel.
void PlaceInfoLine(TLabel* label, int top, int height, const QString& caption) {
  label->setGeometry(8, top, 513, height);
  label->SetAlignment(taCenter);
  label->setText(caption);
}

}  // namespace

void TFrmAbout::ReadStoredDescription() {
  EnsureAppResources();
  setObjectName(QStringLiteral("FrmAbout"));
  Panel1 = Create<TPanel>(this, "Panel1");
  LblName = Create<TLabel>(Panel1, "LblName");
  LblVersion = Create<TLabel>(Panel1, "LblVersion");
  LblAuthor = Create<TLabel>(Panel1, "LblAuthor");
  LblCopyright = Create<TLabel>(Panel1, "LblCopyright");
  LblDescription = Create<TLabel>(this, "LblDescription");
  Panel2 = Create<TPanel>(this, "Panel2");
  LblWebSite = Create<TLabel>(Panel2, "LblWebSite");
  LblHomePage = Create<TLabel>(Panel2, "LblHomePage");
  LblSimus = Create<TLabel>(Panel2, "LblSimus");
  BButOK = Create<TBitBtn>(this, "BButOK");

  BeginFormLoading(this);

  // A fixed dialog of 543 x 332 pixels, designed at 120 pixels per inch and not scaled.
  setWindowTitle(QStringLiteral("BF_About"));
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
  setFixedSize(543, 332);
  (new TFormGeometry(this))->SetCentring(TFormGeometry::TCentring::EveryShow);
  setAutoFillBackground(true);
  QPalette face = palette();
  face.setColor(QPalette::Window, ColorToQColor(clBtnFace));
  setFont(PixelFont(QStringLiteral("Arial"), 13));
  face.setColor(QPalette::WindowText, ColorToQColor(clBlack));
  setPalette(face);
  setWindowIcon(ProgramIcon());

  LblDescription->setGeometry(8, 152, 529, 65);
  LblDescription->SetAlignment(taCenter);
  LblDescription->SetWordWrap(true);
  SetLabelFont(LblDescription, PixelFont(QStringLiteral("Arial"), 13), clMaroon);
  LblDescription->setText(QStringLiteral("LblDescription"));

  Panel1->setGeometry(8, 10, 529, 127);
  Panel1->SetBevelInner(bvRaised);
  Panel1->SetBevelOuter(bvLowered);
  PlaceInfoLine(LblName, 12, 34, QStringLiteral("App. name"));
  SetLabelFont(LblName, PixelFont(QStringLiteral("Arial"), 30, {fsBold, fsItalic}), clMaroon);
  PlaceInfoLine(LblVersion, 50, 16, QStringLiteral("App. version"));
  // The box has no empty line: the author line names the copyright holders, the notice the
  // licence they grant (a translation key, in the window's language).
  PlaceInfoLine(LblAuthor, 74, 16, QStringLiteral("\u00A9 2026 The Varactor developers"));
  PlaceInfoLine(LblCopyright, 100, 16, QStringLiteral("BF_Free software under the MIT licence"));

  Panel2->setGeometry(8, 224, 529, 65);
  Panel2->SetBevelInner(bvRaised);
  Panel2->SetBevelOuter(bvLowered);
  Panel2->OnMouseMove = [this](QObject* s, Qt::KeyboardModifiers k, int x, int y) { Panel2MouseMove(s, k, x, y); };

  LblWebSite->setGeometry(8, 8, 137, 49);
  LblWebSite->SetAlignment(taRightJustify);
  LblWebSite->SetWordWrap(true);
  LblWebSite->setText(QStringLiteral("LblWebSite"));

  const QFont link_font = PixelFont(QStringLiteral("Courier New"), 13, {fsBold, fsUnderline});

  LblHomePage->setGeometry(152, 12, 369, 16);
  LblHomePage->setCursor(Qt::PointingHandCursor);
  SetLabelFont(LblHomePage, link_font, clBlue);
  LblHomePage->setText(QStringLiteral("BF_HomePage"));
  LblHomePage->setVisible(false);
  LblHomePage->SetLink(true);
  LblHomePage->OnClick = [this](QObject* s) { LblHomePageClick(s); };
  LblHomePage->OnMouseMove = [this](QObject* s, Qt::KeyboardModifiers k, int x, int y) {
    LblHomePageMouseMove(s, k, x, y);
  };

  LblSimus->setGeometry(152, 36, 369, 16);
  LblSimus->setCursor(Qt::PointingHandCursor);
  SetLabelFont(LblSimus, link_font, clBlue);
  LblSimus->setText(kSimulationsAddress);
  LblSimus->SetLink(true);
  LblSimus->OnClick = [this](QObject* s) { LblSimusClick(s); };
  LblSimus->OnMouseMove = [this](QObject* s, Qt::KeyboardModifiers k, int x, int y) { LblSimusMouseMove(s, k, x, y); };

  BButOK->setGeometry(424, 296, 113, 33);
  BButOK->setText(QStringLiteral("BF_OK"));
  BButOK->SetGlyph(QPixmap(QStringLiteral(":/glyph_ok.png")));
  BButOK->OnClick = [this](QObject* s) { BButOKClick(s); };
  SetTabOrder(BButOK, 0);

  OnShow = [this](QObject* s) { FormShow(s); };

  EndFormLoading(this);
  ApplyTabOrders(this);
  // The box opens with the focus on OK, first in the tab order, so that Return closes it; the
  // links come next.
  BButOK->setFocus();
}
