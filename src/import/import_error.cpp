#include "import/import_error.h"

namespace import {

namespace {

// Puts arguments[n - 1] in place of each %n (n from 1 to 9) in one pass, so
// that an argument holding "%1" (a file name, a library's message) is left
// as it is, as repeated QString::arg would not.
QString Substituted(const QString& pattern, const QStringList& arguments) {
  QString text;
  text.reserve(pattern.size());
  for (qsizetype at = 0; at < pattern.size(); ++at) {
    const int number = at + 1 < pattern.size() ? pattern[at + 1].digitValue() : -1;
    if (pattern[at] == QLatin1Char('%') && number >= 1 && number <= arguments.size()) {
      text += arguments[number - 1];
      ++at;
    } else {
      text += pattern[at];
    }
  }
  return text;
}

QString Worded(QString (*word)(const char*), const QString& file, const char* reason, const QStringList& arguments) {
  return Substituted(word(QT_TRANSLATE_NOOP("Program", "Cannot import \"%1\": %2")),
                     {file, Substituted(word(reason), arguments)});
}

}  // namespace

TImportError::TImportError(TImportFault fault, const QString& file, const char* reason, const QStringList& arguments)
    : std::runtime_error(Worded(NativeText, file, reason, arguments).toStdString()),
      m_fault(fault),
      m_file(file),
      m_reason(reason),
      m_arguments(arguments) {}

QString TImportError::Text(QString (*word)(const char*)) const { return Worded(word, m_file, m_reason, m_arguments); }

void Fail(TImportFault fault, const QString& file, const char* reason, const QStringList& arguments) {
  throw TImportError(fault, file, reason, arguments);
}

}  // namespace import
