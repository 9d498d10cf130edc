#include "app/progress_run.h"

#include <QApplication>
#include <QCoreApplication>
#include <QProgressDialog>
#include <algorithm>
#include <cassert>

namespace app {

namespace {

// The dialog counts in thousandths: finer steps would not show.
constexpr int kSteps = 1000;
constexpr int kDefaultDelayMs = 500;

class TProgressRun {
  Q_DECLARE_TR_FUNCTIONS(TProgressRun)

 public:
  static QString Caption(TLongWork kind) {
    switch (kind) {
      case TLongWork::Open:
        return tr("Ouverture du document…");
      case TLongWork::Save:
        return tr("Enregistrement du document…");
      case TLongWork::Export:
        return tr("Exportation du diagramme…");
      case TLongWork::Print:
        return tr("Impression du diagramme…");
      case TLongWork::Import:
        return tr("Importation des données…");
    }
    return {};
  }
  static QString CancelText() { return tr("Annuler"); }
};

int DelayMs() {
  bool valid = false;
  const int delay = qEnvironmentVariableIntValue("VARENTA_PROGRESS_DELAY_MS", &valid);
  return valid && delay >= 0 ? delay : kDefaultDelayMs;
}

// The commands show the hourglass; the dialog's Cancel button shows an arrow
// for as long as the dialog is up.
class TArrowWhileShown {
 public:
  void Update(const QWidget& dialog) {
    if (m_pushed || !dialog.isVisible()) return;
    QApplication::setOverrideCursor(Qt::ArrowCursor);
    m_pushed = true;
  }
  ~TArrowWhileShown() {
    if (m_pushed) QApplication::restoreOverrideCursor();
  }

 private:
  bool m_pushed = false;
};

}  // namespace

bool RunWithProgress(QWidget* parent, TLongWork kind, const std::function<void(const model::TProgress&)>& work) {
  QProgressDialog dialog(TProgressRun::Caption(kind), TProgressRun::CancelText(), 0, kSteps, parent);
  dialog.setObjectName(QStringLiteral("ProgressDialog"));
  dialog.setWindowTitle(QApplication::applicationDisplayName());
  dialog.setWindowModality(Qt::WindowModal);
  dialog.setMinimumDuration(DelayMs());
  dialog.setAutoClose(false);
  dialog.setAutoReset(false);
  dialog.setValue(0);
  TArrowWhileShown arrow;
  // setValue shows the dialog when the delay has passed and, once shown,
  // lets the events through: that is where Cancel is heard.
  const model::TProgress::TCallback report = [&](double fraction) {
    assert(fraction >= 0 && fraction <= 1);
    // The minimum would start the delay again.
    dialog.setValue(std::max(int(fraction * kSteps), 1));
    arrow.Update(dialog);
    return !dialog.wasCanceled();
  };
  try {
    work(model::TProgress(report));
  } catch (const model::TCancelled&) {
    return false;
  }
  return true;
}

}  // namespace app
