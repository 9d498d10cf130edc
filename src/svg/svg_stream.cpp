#include "svg/svg_stream.h"

#include <charconv>
#include <cmath>

namespace svg {

void AppendNumber(std::string& out, double value, int decimals) {
  if (!std::isfinite(value)) value = 0;
  char digits[400];  // room for any double in fixed notation
  const auto [end, error] = std::to_chars(digits, digits + sizeof digits, value, std::chars_format::fixed, decimals);
  if (error != std::errc()) {
    out.push_back('0');
    return;
  }
  std::string_view text(digits, size_t(end - digits));
  if (text.find('.') != std::string_view::npos) {
    while (text.back() == '0') text.remove_suffix(1);
    if (text.back() == '.') text.remove_suffix(1);
  }
  if (text == "-0") text = "0";
  out.append(text);
}

TSvgStream::TSvgStream(QIODevice& out) : m_out(out) { m_buffer.reserve(kBufferSize + 4096); }

TSvgStream::~TSvgStream() = default;

void TSvgStream::FlushWhenFull() {
  if (m_buffer.size() >= kBufferSize) Flush();
}

bool TSvgStream::Flush() {
  if (!m_failed && !m_buffer.empty()) {
    const auto size = qint64(m_buffer.size());
    if (m_out.write(m_buffer.data(), size) != size) {
      m_failed = true;
      m_error = m_out.errorString();
      if (m_error.isEmpty()) m_error = QStringLiteral("the device did not take the data");
    }
  }
  m_buffer.clear();
  return !m_failed;
}

TSvgStream& TSvgStream::operator<<(std::string_view text) {
  m_buffer.append(text);
  FlushWhenFull();
  return *this;
}

TSvgStream& TSvgStream::operator<<(char c) {
  m_buffer.push_back(c);
  FlushWhenFull();
  return *this;
}

TSvgStream& TSvgStream::Number(double value, int decimals) {
  AppendNumber(m_buffer, value, decimals);
  FlushWhenFull();
  return *this;
}

TSvgStream& TSvgStream::Point(const QPointF& point) {
  Number(point.x());
  *this << ',';
  return Number(point.y());
}

TSvgStream& TSvgStream::Escaped(const QString& text) {
  const QByteArray utf8 = text.toUtf8();
  for (const char c : utf8) {
    switch (c) {
      case '<':
        m_buffer.append("&lt;");
        break;
      case '>':
        m_buffer.append("&gt;");
        break;
      case '&':
        m_buffer.append("&amp;");
        break;
      case '"':
        m_buffer.append("&quot;");
        break;
      case '\'':
        m_buffer.append("&apos;");
        break;
      default:
        // Control characters other than tab and line ends are not allowed in XML 1.0.
        if (static_cast<unsigned char>(c) < 0x20 && c != '\t' && c != '\n' && c != '\r')
          m_buffer.push_back(' ');
        else
          m_buffer.push_back(c);
    }
  }
  FlushWhenFull();
  return *this;
}

TSvgStream& TSvgStream::Raw(const QByteArray& bytes) {
  if (m_buffer.size() + size_t(bytes.size()) >= kBufferSize) {
    Flush();
    if (!m_failed && m_out.write(bytes) != bytes.size()) {
      m_failed = true;
      m_error = m_out.errorString();
    }
    return *this;
  }
  return *this << std::string_view(bytes.constData(), size_t(bytes.size()));
}

}  // namespace svg
