#include "app/command_guard.h"

#include <QApplication>
#include <QMessageBox>
#include <exception>

#include "i18n/dictionary.h"

namespace app {

THourglass::THourglass() { QApplication::setOverrideCursor(Qt::WaitCursor); }

THourglass::~THourglass() { QApplication::restoreOverrideCursor(); }

bool RunCommand(QWidget* parent, const std::function<void()>& command) {
  QString message;
  try {
    command();
    return true;
  } catch (const std::exception& error) {
    message = QString::fromUtf8(error.what());
  } catch (...) {
    message = QStringLiteral("Unknown error");
  }
  ShowError(parent, message);
  return false;
}

void ShowError(QWidget* parent, const QString& message) {
  QMessageBox::critical(parent, i18n::Lookup(QT_TRANSLATE_NOOP("Program", "Diagramme Varenta")), message);
}

}  // namespace app
