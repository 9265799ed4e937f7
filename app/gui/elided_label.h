// A line of text that gives way when room is short: it shows as much as fits,
// ending in "...", and the whole text in its tooltip. For the parts of a line
// that may be cut, so that the parts that must stay whole keep their room.
#pragma once

#include <QString>
#include <QWidget>

namespace vlt::gui {

class ElidedLabel final : public QWidget {
  Q_OBJECT

 public:
  explicit ElidedLabel(QWidget* parent = nullptr);

  void SetText(const QString& text);
  const QString& Text() const { return text_; }
  // What shows at the present width.
  QString ShownText() const;

  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QString text_;
};

}  // namespace vlt::gui
