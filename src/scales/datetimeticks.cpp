#include "scales/scaleengine.h"

void DateTimeTicks(const ScaleLayoutSettings& s, ScaleLayout& layout) { LinearTicks(s, layout); }
