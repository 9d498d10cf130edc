#pragma once

#include <array>

namespace emf {

// A fixed table of N object slots remembered by value, so that a pen, brush
// or font is written once and reused while it does not change. When all slots
// are taken the oldest one is reused.
template <typename Key, int N>
class TObjectSlots {
 public:
  // The slot holding key, or -1.
  int Find(const Key& key) const {
    for (int slot = 0; slot < m_used; ++slot)
      if (m_keys[slot] == key) return slot;
    return -1;
  }

  // Gives key a slot; replaced tells whether the slot held an object that the
  // caller must release first.
  int Claim(const Key& key, bool& replaced) {
    int slot;
    replaced = m_used == N;
    if (!replaced) {
      slot = m_used++;
    } else {
      slot = m_oldest;
      m_oldest = (m_oldest + 1) % N;
    }
    m_keys[slot] = key;
    return slot;
  }

 private:
  std::array<Key, N> m_keys{};
  int m_used = 0;
  int m_oldest = 0;
};

}  // namespace emf
