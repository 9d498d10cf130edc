#pragma once

#include <QString>
#include <Qt>
#include <cstdint>

class QKeyEvent;

namespace control {

// Tells the left Ctrl and Shift keys from the right ones. Qt reports only
// "Ctrl" or "Shift"; the side is known from the native scan codes of the key
// events, where the platform gives usable ones (X11 and Wayland keycodes).
// Without them, or when a key went down before the control saw it, either key
// counts as the left one.
class TModifierKeys {
 public:
  // Whether the scan codes of key events on this platform are X keycodes.
  static bool PlatformHasX11ScanCodes(const QString& platformName);

  explicit TModifierKeys(bool x11ScanCodes) : m_x11ScanCodes(x11ScanCodes) {}

  void KeyPressed(const QKeyEvent& event) { Track(event, true); }
  void KeyReleased(const QKeyEvent& event) { Track(event, false); }
  // Forgets the keys that `modifiers` (reported with any input event) show
  // released: their release may have gone to another window.
  void Synchronize(Qt::KeyboardModifiers modifiers);
  // `modifiers` are the ones reported with the event being handled.
  bool LeftCtrlDown(Qt::KeyboardModifiers modifiers) const;
  bool LeftShiftDown(Qt::KeyboardModifiers modifiers) const;

 private:
  enum : uint8_t { kLeftCtrl = 1, kRightCtrl = 2, kLeftShift = 4, kRightShift = 8 };

  void Track(const QKeyEvent& event, bool down);
  bool LeftKeyDown(bool modifierHeld, uint8_t left, uint8_t right) const;

  bool m_x11ScanCodes;
  uint8_t m_down = 0;
};

}  // namespace control
