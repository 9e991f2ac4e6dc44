#include "zeph/chart/interaction/chartcursors_p.h"

#include <QGuiApplication>
#include <QPixmap>
#include <array>

// The cursor images are compiled into the chart library, which may be static: their registration
// has to be asked for by name, from outside any namespace.
static void InitChartCursorResources() { Q_INIT_RESOURCE(cursors); }

namespace zeph {

namespace {

struct TCursorImage {
  const char* resource;
  int hot_x;
  int hot_y;
};

// Hot spots: the middle of the palm, and the centre of the magnifier's lens.
constexpr std::array<TCursorImage, 4> kCursorImages = {{
    {":/cursors/CURHAND.png", 15, 15},
    {":/cursors/CURZOOMW.png", 12, 12},
    {":/cursors/CURZOOMD.png", 12, 12},
    {":/cursors/CURZOOMP.png", 12, 12},
}};

// Pixmaps must go before the GUI application does; the table is freed by the application's
// post routines.
std::array<QCursor, kCursorImages.size()>* table = nullptr;

void FreeCursorTable() {
  delete table;
  table = nullptr;
}

}  // namespace

int TScreenCursor::current_ = crDefault;
const void* TScreenCursor::setter_ = nullptr;

void TScreenCursor::LoadChartCursors() {
  if (table) return;
  InitChartCursorResources();
  table = new std::array<QCursor, kCursorImages.size()>;
  for (std::size_t i = 0; i < kCursorImages.size(); ++i) {
    const QPixmap image(QString::fromLatin1(kCursorImages[i].resource));
    (*table)[i] = image.isNull() ? QCursor(Qt::ArrowCursor)
                                 : QCursor(image, kCursorImages[i].hot_x, kCursorImages[i].hot_y);
  }
  qAddPostRoutine(FreeCursorTable);
}

QCursor TScreenCursor::Cursor(int id) {
  if (id == crCross) return QCursor(Qt::CrossCursor);
  if (id >= crZephHand && id <= crZephZoomWindPos) {
    LoadChartCursors();
    return (*table)[static_cast<std::size_t>(id - crZephHand)];
  }
  return QCursor(Qt::ArrowCursor);
}

void TScreenCursor::Set(int id, const void* setter) {
  if (id == crDefault) {
    if (current_ != crDefault) QGuiApplication::restoreOverrideCursor();
    current_ = crDefault;
    setter_ = nullptr;
    return;
  }
  // One override of the charts' at a time: a further cursor replaces it in place.
  if (current_ == crDefault) {
    QGuiApplication::setOverrideCursor(Cursor(id));
  } else if (current_ != id) {
    QGuiApplication::changeOverrideCursor(Cursor(id));
  }
  current_ = id;
  setter_ = setter;
}

void TScreenCursor::Release(const void* setter) {
  if (setter_ == setter && current_ != crDefault) Set(crDefault, setter);
}

}  // namespace zeph
