// The pictures the program draws itself: the application icon and the three
// markers of the data lists.
#pragma once

#include <QIcon>
#include <QPixmap>

namespace vlt::gui {

QIcon ApplicationIcon();

enum class Marker {
  kChildren,     // the item has children: a click opens them
  kUnconfirmed,  // a set value not yet confirmed
  kSettable,     // the value can be set
};
QPixmap MarkerPixmap(Marker marker);

}  // namespace vlt::gui
