#pragma once

#include <functional>

#include "model/progress.h"

class QWidget;

namespace app {

// The long operations that show their progress; each has its own caption.
enum class TLongWork { Open, Save, Export, Print, Import };

// Runs `work` under a window-modal progress dialog over `parent` (object
// name "ProgressDialog"), which appears once the work has lasted half a
// second (VARENTA_PROGRESS_DELAY_MS sets another delay, for tests) and shows
// what `work` reports to its TProgress. Returns false when the user pressed
// Cancel: `work` then ended with model::TCancelled, which stops here. Every
// other exception passes on to the command's own handling.
bool RunWithProgress(QWidget* parent, TLongWork kind, const std::function<void(const model::TProgress&)>& work);

}  // namespace app
