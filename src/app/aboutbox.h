#pragma once

#include <QDialog>
#include <QString>

#include "zeph/toolkit/events.h"

class TBitBtn;
class TLabel;
class TPanel;

// The about box: the program's name, version, description, a notice line and two web links. The
// main window fills and translates it at start-up; it shows it modally then and whenever the user
// asks for it, and it keeps its texts between showings.
class TFrmAbout : public QDialog {
  Q_OBJECT
  // The translated title goes through SetWindowTitle, which cuts it to what a window can take.
  Q_PROPERTY(QString windowTitle READ windowTitle WRITE SetWindowTitle)

 public:
  // The address of the publisher's simulations page: the caption of LblSimus and the address a
  // click on it opens.
  static const QString kSimulationsAddress;

  explicit TFrmAbout(QWidget* parent = nullptr);

  // Sets the window's title, cut to kMaxWindowTitleLength.
  void SetWindowTitle(const QString& title);

  // Shows the box and returns when the user has closed it.
  int ShowModal();

  // Published components, in their stored order.
  TPanel* Panel1 = nullptr;
  TLabel* LblName = nullptr;
  TLabel* LblVersion = nullptr;
  TLabel* LblCopyright = nullptr;
  TPanel* Panel2 = nullptr;
  TLabel* LblWebSite = nullptr;
  TLabel* LblHomePage = nullptr;
  TBitBtn* BButOK = nullptr;
  TLabel* LblDescription = nullptr;
  TLabel* LblSimus = nullptr;
  TLabel* LblAuthor = nullptr;

  // The address a click on the home-page link opens (not the link's caption).
  QString HomeURL;
  // Shown above the address when no program could open a link; the main window translates it.
  QString LinkFailureText = QStringLiteral("No program could open this address. Copy it into a web browser:");

  // Tells the user that an address could not be opened, in a message box whose text, the address
  // included, can be selected and copied.
  void ShowLinkFailure(const QString& address);

  zeph::TNotifyEvent OnShow;

  // Event handlers.
  void FormShow(QObject* Sender);
  void LblHomePageMouseMove(QObject* Sender, Qt::KeyboardModifiers Shift, int X, int Y);
  void LblSimusMouseMove(QObject* Sender, Qt::KeyboardModifiers Shift, int X, int Y);
  void Panel2MouseMove(QObject* Sender, Qt::KeyboardModifiers Shift, int X, int Y);
  void LblHomePageClick(QObject* Sender);
  void LblSimusClick(QObject* Sender);
  void BButOKClick(QObject* Sender);

 protected:
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;

 private:
  // The stored description: components, placements, fonts, colours and event bindings.
  void ReadStoredDescription();
  // Opens an address with the busy cursor shown over the box meanwhile.
  void OpenAddress(const QString& address);

  // A closed box has no window of its own, so that it leaves the accessibility tree; showing it
  // makes one again.
  bool window_released_ = false;
};

// The application's about box, once created.
extern TFrmAbout* FrmAbout;
