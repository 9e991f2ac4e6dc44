#include "zeph/chart/textlabel.h"

namespace zeph {

void TTextLabel::SetPosX(double value) {
  pos_x_ = value;
  Changed();
}

void TTextLabel::SetPosY(double value) {
  pos_y_ = value;
  Changed();
}

void TTextLabel::SetLayer(int value) {
  if (value < 1 || value > 16) return;
  layer_ = value;
  Changed();
}

void TTextLabel::SetAttachToData(bool value) {
  attach_to_data_ = value;
  Changed();
}

void TTextLabel::SetColorBkg(TColorArg value) {
  color_bkg_ = value;
  Changed();
}

void TTextLabel::SetColorBorder(TColorArg value) {
  color_border_ = value;
  Changed();
}

void TTextLabel::SetColorShadow(TColorArg value) {
  color_shadow_ = value;
  Changed();
}

void TTextLabel::SetShadowDx(int value) {
  shadow_dx_ = value;
  Changed();
}

void TTextLabel::SetShadowDy(int value) {
  shadow_dy_ = value;
  Changed();
}

void TTextLabel::SetTransparent(bool value) {
  transparent_ = value;
  Changed();
}

void TTextLabel::SetAlignment(TAlignment value) {
  alignment_ = value;
  Changed();
}

void TTextLabel::SetFont(const TFont& value) {
  font_ = value;
  Changed();
}

void TTextLabel::SetMode(TTxtLblMode value) {
  mode_ = value;
  Changed();
}

void TTextLabel::SetCaption(const QString& value) {
  caption_ = value;
  Changed();
}

}  // namespace zeph
