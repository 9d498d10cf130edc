#pragma once

#include <QByteArray>
#include <QString>
#include <QtEndian>
#include <bit>
#include <cstdint>
#include <cstring>

namespace emf {

// The growing byte buffer a metafile is written into, little-endian, with the
// framing of EMF records and of the EMF+ records nested in comments. Record
// sizes are patched when a record ends, so writers never compute them ahead.
class TRecordBuffer {
 public:
  size_t Size() const { return m_size; }
  // EMF records ended so far (EMF+ records do not count).
  uint32_t RecordCount() const { return m_records; }

  void PutU8(uint8_t value) { PutRaw(value); }
  void PutU16(uint16_t value) { PutRaw(qToLittleEndian(value)); }
  void PutI16(int16_t value) { PutRaw(qToLittleEndian(value)); }
  void PutU32(uint32_t value) { PutRaw(qToLittleEndian(value)); }
  void PutI32(int32_t value) { PutRaw(qToLittleEndian(value)); }
  void PutF32(float value) { PutU32(std::bit_cast<uint32_t>(value)); }
  void PutBytes(const void* bytes, size_t count);
  void PutZeros(size_t count);
  void PutUtf16(const QString& text);  // without terminator
  void PadTo4() { PutZeros((4 - m_size % 4) % 4); }

  void PatchU32(size_t offset, uint32_t value);
  void PatchI32(size_t offset, int32_t value) { PatchU32(offset, uint32_t(value)); }
  void PatchU16(size_t offset, uint16_t value);

  // An EMF record: type and size; EndRecord pads it to 4 bytes and fills in
  // its size. Returns the record's offset.
  size_t BeginRecord(uint32_t type);
  void EndRecord(size_t start);

  // An EMF+ record: type, flags, size and data size.
  size_t BeginPlusRecord(uint16_t type, uint16_t flags);
  void EndPlusRecord(size_t start);

  // Hands the bytes over; the buffer is empty afterwards.
  QByteArray Take();

 private:
  template <typename T>
  void PutRaw(T littleEndian) {
    Reserve(sizeof(T));
    std::memcpy(m_data + m_size, &littleEndian, sizeof(T));
    m_size += sizeof(T);
  }
  void Reserve(size_t count) {
    if (m_capacity - m_size < count) Grow(count);
  }
  void Grow(size_t count);

  QByteArray m_bytes;  // m_capacity bytes, of which the first m_size are written
  char* m_data = nullptr;
  size_t m_size = 0;
  size_t m_capacity = 0;
  uint32_t m_records = 0;
};

}  // namespace emf
