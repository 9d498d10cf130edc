#include "emf/record_buffer.h"

#include <QSysInfo>
#include <algorithm>

namespace emf {

namespace {

constexpr size_t kPlusRecordHeaderSize = 12;
constexpr size_t kInitialCapacity = 64 * 1024;

}  // namespace

void TRecordBuffer::PutBytes(const void* bytes, size_t count) {
  if (count == 0) return;
  Reserve(count);
  std::memcpy(m_data + m_size, bytes, count);
  m_size += count;
}

void TRecordBuffer::PutZeros(size_t count) {
  if (count == 0) return;
  Reserve(count);
  std::memset(m_data + m_size, 0, count);
  m_size += count;
}

void TRecordBuffer::PutUtf16(const QString& text) {
  if constexpr (QSysInfo::ByteOrder == QSysInfo::LittleEndian) {
    PutBytes(text.utf16(), size_t(text.size()) * 2);
  } else {
    for (QChar c : text) PutU16(c.unicode());
  }
}

void TRecordBuffer::PatchU32(size_t offset, uint32_t value) { qToLittleEndian(value, m_data + offset); }

void TRecordBuffer::PatchU16(size_t offset, uint16_t value) { qToLittleEndian(value, m_data + offset); }

size_t TRecordBuffer::BeginRecord(uint32_t type) {
  const size_t start = m_size;
  PutU32(type);
  PutU32(0);
  return start;
}

void TRecordBuffer::EndRecord(size_t start) {
  PadTo4();
  PatchU32(start + 4, uint32_t(m_size - start));
  ++m_records;
}

size_t TRecordBuffer::BeginPlusRecord(uint16_t type, uint16_t flags) {
  const size_t start = m_size;
  PutU16(type);
  PutU16(flags);
  PutU32(0);
  PutU32(0);
  return start;
}

void TRecordBuffer::EndPlusRecord(size_t start) {
  PadTo4();
  const auto size = uint32_t(m_size - start);
  PatchU32(start + 4, size);
  PatchU32(start + 8, size - uint32_t(kPlusRecordHeaderSize));
}

QByteArray TRecordBuffer::Take() {
  m_bytes.resize(qsizetype(m_size));
  m_bytes.squeeze();
  QByteArray result = std::move(m_bytes);
  m_bytes = QByteArray();
  m_data = nullptr;
  m_size = m_capacity = 0;
  return result;
}

void TRecordBuffer::Grow(size_t count) {
  // Doubling keeps appends amortised constant; the heap moves large blocks
  // with mremap, so growing never holds two copies at once.
  const size_t capacity = std::max({m_size + count, m_capacity * 2, kInitialCapacity});
  m_bytes.resize(qsizetype(capacity));
  m_data = m_bytes.data();
  m_capacity = capacity;
}

}  // namespace emf
