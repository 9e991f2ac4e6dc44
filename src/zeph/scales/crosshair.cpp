#include "zeph/scales/crosshair.h"

namespace zeph {

void TCrossHair::SetPosX(double value) {
  pos_x_ = value;
  Changed();
}

void TCrossHair::SetPosY(double value) {
  pos_y_ = value;
  Changed();
}

void TCrossHair::SetColor(TColorArg value) {
  color_ = value;
  Changed();
}

void TCrossHair::SetMode(TCrossHMode value) {
  mode_ = value;
  Changed();
}

void TCrossHair::SetLineType(TPenStyle value) {
  line_type_ = value;
  Changed();
}

void TCrossHair::SetLineWid(int value) {
  line_wid_ = value;
  Changed();
}

void TCrossHair::SetLayer(int value) {
  layer_ = value;
  Changed();
}

void TCrossHair::Assign(const TCrossHair& source) {
  pos_x_ = source.pos_x_;
  pos_y_ = source.pos_y_;
  color_ = source.color_;
  mode_ = source.mode_;
  line_type_ = source.line_type_;
  line_wid_ = source.line_wid_;
  layer_ = source.layer_;
}

}  // namespace zeph
