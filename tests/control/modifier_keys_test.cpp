#include <gtest/gtest.h>

#include <QKeyEvent>
#include <vector>

#include "control/modifier_keys.h"

using control::TModifierKeys;

namespace {

// X keycodes.
constexpr quint32 kLeftCtrl = 37, kRightCtrl = 105, kLeftShift = 50, kRightShift = 62;

QKeyEvent KeyPress(Qt::Key key, quint32 scanCode) {
  return QKeyEvent(QEvent::KeyPress, key, Qt::NoModifier, scanCode, 0, 0);
}

struct SideCase {
  const char* name;
  bool x11;
  std::vector<quint32> pressed;  // scan codes seen pressed
  Qt::KeyboardModifiers held;
  bool leftCtrl;
  bool leftShift;
};

class ModifierKeySides : public ::testing::TestWithParam<SideCase> {};

}  // namespace

TEST_P(ModifierKeySides, AreToldApartByScanCodeWhereThePlatformGivesThem) {
  const SideCase& c = GetParam();
  TModifierKeys keys(c.x11);
  for (const quint32 code : c.pressed) {
    const Qt::Key key = (code == kLeftCtrl || code == kRightCtrl) ? Qt::Key_Control : Qt::Key_Shift;
    keys.KeyPressed(KeyPress(key, code));
  }
  EXPECT_EQ(keys.LeftCtrlDown(c.held), c.leftCtrl);
  EXPECT_EQ(keys.LeftShiftDown(c.held), c.leftShift);
}

INSTANTIATE_TEST_SUITE_P(
    Keys, ModifierKeySides,
    ::testing::Values(
        SideCase{"NothingHeld", true, {}, Qt::NoModifier, false, false},
        SideCase{"LeftCtrl", true, {kLeftCtrl}, Qt::ControlModifier, true, false},
        SideCase{"RightCtrl", true, {kRightCtrl}, Qt::ControlModifier, false, false},
        SideCase{"LeftShift", true, {kLeftShift}, Qt::ShiftModifier, false, true},
        SideCase{"RightShift", true, {kRightShift}, Qt::ShiftModifier, false, false},
        SideCase{"BothCtrls", true, {kRightCtrl, kLeftCtrl}, Qt::ControlModifier, true, false},
        // Pressed before the control had the focus: either key counts as the left one.
        SideCase{"UnseenCtrl", true, {}, Qt::ControlModifier, true, false},
        SideCase{"NoScanCodes", false, {kRightCtrl, kRightShift}, Qt::ControlModifier | Qt::ShiftModifier, true, true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ModifierKeys, AReleaseEndsTheKey) {
  TModifierKeys keys(true);
  keys.KeyPressed(KeyPress(Qt::Key_Control, kRightCtrl));
  keys.KeyReleased(QKeyEvent(QEvent::KeyRelease, Qt::Key_Control, Qt::NoModifier, kRightCtrl, 0, 0));
  keys.KeyPressed(KeyPress(Qt::Key_Control, kLeftCtrl));
  EXPECT_TRUE(keys.LeftCtrlDown(Qt::ControlModifier));
}

TEST(ModifierKeys, AReleaseMissedElsewhereIsForgottenOnTheNextEvent) {
  TModifierKeys keys(true);
  keys.KeyPressed(KeyPress(Qt::Key_Control, kLeftCtrl));
  keys.Synchronize(Qt::NoModifier);  // released while another window had the focus
  keys.KeyPressed(KeyPress(Qt::Key_Control, kRightCtrl));
  EXPECT_FALSE(keys.LeftCtrlDown(Qt::ControlModifier));
}

TEST(ModifierKeys, OnlyXServersAndWaylandGiveXKeycodes) {
  EXPECT_TRUE(TModifierKeys::PlatformHasX11ScanCodes(QStringLiteral("xcb")));
  EXPECT_TRUE(TModifierKeys::PlatformHasX11ScanCodes(QStringLiteral("wayland-egl")));
  EXPECT_FALSE(TModifierKeys::PlatformHasX11ScanCodes(QStringLiteral("offscreen")));
  EXPECT_FALSE(TModifierKeys::PlatformHasX11ScanCodes(QStringLiteral("windows")));
}
