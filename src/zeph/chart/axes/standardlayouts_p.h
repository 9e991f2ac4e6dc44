#pragma once

#include <array>

#include "zeph/chart/chartenums.h"
#include "zeph/scales/zephenums.h"
#include "zeph/toolkit/types.h"

namespace zeph {

// One scale's entry in a standard layout. Location is a TScaleLocationHoriz for x scales and a
// TScaleLocationVert for y scales.
struct TLayoutScale {
  bool visible;
  int caption_x;
  int caption_y;
  TAlignment alignment;
  TScaleUnitAnchor anchor;
  int scale_pos;
  int location;
};

// Rims, title placement and the first four x and y scales of one standard layout.
struct TLayoutRow {
  int b_rim;
  int t_rim;
  int l_rim;
  int r_rim;
  int caption_x;
  int caption_y;
  TAlignment caption_alignment;
  TCaptionAnchorHoriz anchor_horiz;
  TCaptionAnchorVert anchor_vert;
  std::array<TLayoutScale, 4> x;
  std::array<TLayoutScale, 4> y;
};

const TLayoutRow& StandardLayoutRow(TzcLayout layout);

}  // namespace zeph
