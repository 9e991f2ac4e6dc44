#pragma once

class QWidget;

// Window geometry as the forms describe it: the outer size includes the window manager's frame.
int OuterWidth(const QWidget* form);
int OuterHeight(const QWidget* form);

// Moves a window so that its outer rectangle is centred on the screen it is on.
void CentreOnScreen(QWidget* form);

// Sets a control's width and lets the aligned controls beside it take up the change.
void SetControlWidth(QWidget* control, int width);
