#pragma once

#include <QPalette>
#include <QString>

#include "zeph/chart/chartenums.h"
#include "zeph/scales/zephenums.h"
#include "zeph/toolkit/tcolor.h"
#include "zeph/toolkit/tfont.h"
#include "zeph/toolkit/types.h"

namespace zeph {

// How the chart looks: its colours, caption, font, shadow, grid, item texts and drawing, as the
// widget's properties set them.
struct TChartLook {
  TColor chart_color = clWhite;
  TColor wind_color = clBtnFace;
  TColor chart_frame_color = clBlack;
  TColor grid_color = clBlack;
  TColor shadow_color = clGrayText;
  TColor shadow_bak_color = clBtnFace;
  QString caption;
  int caption_pos_x = 0;
  int caption_pos_y = -16;
  TAlignment caption_alignment = taRightJustify;
  TCaptionAnchorHoriz caption_anchor_horiz = cahChartRight;
  TCaptionAnchorVert caption_anchor_vert = cavChartTop;
  TFont font;
  TShadowStyle shadow_style = ssFlying;
  GridStyleType grid_style = gsNone;
  double grid_dx = 0;
  double grid_dy = 0;
  TFontStyles text_font_style;
  TTextBkg text_bk_style = tbClear;
  TColor text_bk_color = clWhite;
  TAlignment text_alignment = taCenter;
  bool antialiased = false;
  // Whether the chart's own colours give way to the palette's (a chart following the theme).
  bool palette_colors = false;

  // The colour shown for one of the chart's own colours: with the palette's colours, the
  // palette's colour of the role.
  TColor ShownColor(TColor own, QPalette::ColorRole role, const QPalette& palette) const;
};

}  // namespace zeph
