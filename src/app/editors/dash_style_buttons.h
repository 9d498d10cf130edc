#pragma once

#include <QWidget>
#include <array>
#include <cstdint>

class QButtonGroup;
class QRadioButton;

namespace app {

// The five dash styles a line can be given, as radio buttons rbSolid to
// rbDashDotDot, each beside a picture of its pattern.
class TDashStyleButtons : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kStyleCount = 5;

  explicit TDashStyleButtons(QWidget* parent = nullptr);

  // The style of the selected button, or -1 when none is selected.
  int32_t Selected() const;
  // A style outside 0 to 4 selects rbSolid.
  void Select(int32_t dashStyle);

 signals:
  // The user selected another button.
  void Changed();

 private:
  QButtonGroup* m_group;
  std::array<QRadioButton*, kStyleCount> m_buttons{};
};

}  // namespace app
