// The fixed-pitch font of the log pane, the lists and the decision window. The
// tester's texts are laid out in columns, so a proportional font would break them.
#pragma once

#include <QFont>

namespace vlt::gui {

QFont MonospaceFont(int pointSize);

}  // namespace vlt::gui
