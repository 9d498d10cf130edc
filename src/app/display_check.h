#pragma once

#include <QString>
#include <optional>

namespace app {

// Why the window cannot be shown, in one line: no display is named, or none of
// the displays the platforms to try would use answers. Nothing when Qt can be
// let loose: a display answers, or a platform is named that needs none or that
// this check does not know. Call before the application is created, which
// otherwise aborts the process on a display that does not answer.
std::optional<QString> DisplayFailure(int argc, const char* const* argv);

}  // namespace app
