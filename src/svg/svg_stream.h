#pragma once

#include <QIODevice>
#include <QPointF>
#include <QString>
#include <string>
#include <string_view>

namespace svg {

// Appends value with at most `decimals` decimals, trailing zeros dropped and
// never "-0", whatever the process locale.
void AppendNumber(std::string& out, double value, int decimals = 2);

// Buffered text output to a QIODevice: the buffer goes out whenever it fills,
// so a document of any size needs about one buffer of memory. Numbers are
// written locale-independently in their shortest form; texts XML-escaped.
// The first failed write is remembered and everything after it dropped.
class TSvgStream {
 public:
  static constexpr size_t kBufferSize = 1 << 20;

  explicit TSvgStream(QIODevice& out);
  ~TSvgStream();
  TSvgStream(const TSvgStream&) = delete;
  TSvgStream& operator=(const TSvgStream&) = delete;

  TSvgStream& operator<<(std::string_view text);
  TSvgStream& operator<<(char c);
  TSvgStream& Number(double value, int decimals = 2);
  TSvgStream& Point(const QPointF& point);  // "x,y"
  TSvgStream& Escaped(const QString& text);
  TSvgStream& Raw(const QByteArray& bytes);

  bool Flush();
  bool Failed() const { return m_failed; }
  QString ErrorString() const { return m_error; }

 private:
  void FlushWhenFull();

  QIODevice& m_out;
  std::string m_buffer;
  bool m_failed = false;
  QString m_error;
};

}  // namespace svg
