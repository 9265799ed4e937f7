// Window sizes that fit the screen at any scale: the screen's available area in
// logical pixels shrinks as the scale factor grows (1280 x 720 at 200 % leaves
// 640 x 360), so fixed sizes would push the window's edges off the screen.
#pragma once

#include <QRect>
#include <QSize>

class QWidget;

namespace vlt::gui {

// The main window's sizes for the available area of its screen.
struct WindowSizes {
  QSize minimum;
  QSize start;
};

// The main window would like at least 900 x 600 and starts at a share of the
// screen; on a small screen the minimum gives way, so the whole window fits.
inline constexpr QSize kPreferredMinimumSize{900, 600};
inline constexpr double kStartWidthShare = 0.75;
inline constexpr double kStartHeightShare = 0.85;
inline constexpr double kMinimumShare = 0.9;

WindowSizes MainWindowSizes(const QSize& available);
// The available area of the screen the widget is on (the primary screen
// without a widget or before it is shown).
QRect AvailableGeometry(const QWidget* near);
// A share of that area's width, in logical pixels.
int ScreenShare(const QWidget* near, double share);

}  // namespace vlt::gui
