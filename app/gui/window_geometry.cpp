#include "gui/window_geometry.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <algorithm>

namespace vlt::gui {

namespace {
int Share(int length, double share) {
  return static_cast<int>(length * share);
}
}  // namespace

WindowSizes MainWindowSizes(const QSize& available) {
  WindowSizes sizes;
  sizes.minimum =
      QSize(std::min(kPreferredMinimumSize.width(), Share(available.width(), kMinimumShare)),
            std::min(kPreferredMinimumSize.height(), Share(available.height(), kMinimumShare)));
  sizes.start =
      QSize(std::max(sizes.minimum.width(), Share(available.width(), kStartWidthShare)),
            std::max(sizes.minimum.height(), Share(available.height(), kStartHeightShare)));
  return sizes;
}

QRect AvailableGeometry(const QWidget* near) {
  const QScreen* screen = near != nullptr ? near->screen() : nullptr;
  if (screen == nullptr) screen = QGuiApplication::primaryScreen();
  return screen != nullptr ? screen->availableGeometry() : QRect(0, 0, 1280, 720);
}

int ScreenShare(const QWidget* near, double share) {
  return Share(AvailableGeometry(near).width(), share);
}

}  // namespace vlt::gui
