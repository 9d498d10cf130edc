#include "control/modifier_keys.h"

#include <QKeyEvent>

namespace control {

namespace {

// X keycodes of the modifier keys.
constexpr quint32 kX11LeftCtrl = 37;
constexpr quint32 kX11RightCtrl = 105;
constexpr quint32 kX11LeftShift = 50;
constexpr quint32 kX11RightShift = 62;

}  // namespace

bool TModifierKeys::PlatformHasX11ScanCodes(const QString& platformName) {
  return platformName == QLatin1String("xcb") || platformName.startsWith(QLatin1String("wayland"));
}

void TModifierKeys::Track(const QKeyEvent& event, bool down) {
  if (!m_x11ScanCodes) return;
  uint8_t key = 0;
  switch (event.nativeScanCode()) {
    case kX11LeftCtrl:
      key = kLeftCtrl;
      break;
    case kX11RightCtrl:
      key = kRightCtrl;
      break;
    case kX11LeftShift:
      key = kLeftShift;
      break;
    case kX11RightShift:
      key = kRightShift;
      break;
    default:
      return;
  }
  m_down = down ? uint8_t(m_down | key) : uint8_t(m_down & ~key);
}

void TModifierKeys::Synchronize(Qt::KeyboardModifiers modifiers) {
  if (!modifiers.testFlag(Qt::ControlModifier)) m_down &= uint8_t(~(kLeftCtrl | kRightCtrl));
  if (!modifiers.testFlag(Qt::ShiftModifier)) m_down &= uint8_t(~(kLeftShift | kRightShift));
}

bool TModifierKeys::LeftKeyDown(bool modifierHeld, uint8_t left, uint8_t right) const {
  if (!modifierHeld) return false;
  if (m_down & left) return true;
  return (m_down & right) == 0;
}

bool TModifierKeys::LeftCtrlDown(Qt::KeyboardModifiers modifiers) const {
  return LeftKeyDown(modifiers.testFlag(Qt::ControlModifier), kLeftCtrl, kRightCtrl);
}

bool TModifierKeys::LeftShiftDown(Qt::KeyboardModifiers modifiers) const {
  return LeftKeyDown(modifiers.testFlag(Qt::ShiftModifier), kLeftShift, kRightShift);
}

}  // namespace control
