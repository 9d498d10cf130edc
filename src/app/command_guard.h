#pragma once

#include <QString>
#include <functional>

class QWidget;

namespace app {

// Shows the hourglass for its lifetime; nests, and restores the cursor also
// when an exception leaves the scope.
class THourglass {
 public:
  THourglass();
  ~THourglass();
  THourglass(const THourglass&) = delete;
  THourglass& operator=(const THourglass&) = delete;
};

// Runs a user command. Qt does not catch exceptions thrown from slots or
// event handlers (the program would end), so every command goes through
// here: an escaping exception becomes a message box with its text, shown
// after the hourglass is gone, and the program goes on. Returns false when
// the command failed.
bool RunCommand(QWidget* parent, const std::function<void()>& command);

// The message box of a failed command; its title is the program's name in
// the current language.
void ShowError(QWidget* parent, const QString& message);

}  // namespace app
