#pragma once

#include <QWidget>

class QLabel;

// The small always-on-top "Identification" window: it shows the hint of the
// item under the mouse, which the main window writes into it.
class TAutoHintForm : public QWidget {
  Q_OBJECT

 public:
  explicit TAutoHintForm(QWidget* parent = nullptr);

  void SetText(const QString& text);
  QString Text() const;

 protected:
  void changeEvent(QEvent* event) override;

 private:
  void RetranslateUi();

  QLabel* lblAutoHint = nullptr;
};
