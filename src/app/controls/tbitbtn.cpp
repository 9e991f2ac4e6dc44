#include "app/controls/tbitbtn.h"

#include <QIcon>

using namespace zeph;

TBitBtn::TBitBtn(QWidget* parent) : QPushButton(parent), placement_(new TControlPlacement(this)) {
  connect(this, &QPushButton::clicked, this, [this] { Notify(OnClick, this); });
}

void TBitBtn::SetGlyph(const QPixmap& value) {
  glyph_ = value;
  setIcon(QIcon(value));
  setIconSize(value.size());
}
