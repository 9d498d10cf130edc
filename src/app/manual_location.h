#pragma once

#include <QString>

namespace app {

// The folder of the installed user's manuals, from the program's folder: the
// installation's layout (bin/ and share/ below one prefix) is compiled in as
// a relative path, so an installation under any prefix finds them.
QString InstalledManualFolder(const QString& programFolder);

// The user's manual of that file name: beside the program first (the build
// folder), then in the installed data folder. When neither holds it, the path
// beside the program, which the caller finds missing.
QString LocateManual(const QString& programFolder, const QString& fileName);

}  // namespace app
