#include "app/manual_location.h"

#include <QDir>
#include <QFileInfo>

#ifndef VARENTA_MANUAL_DIR
#error "VARENTA_MANUAL_DIR names the installed manuals' folder relative to the program's folder"
#endif

namespace app {

QString InstalledManualFolder(const QString& programFolder) {
  return QDir::cleanPath(QDir(programFolder).filePath(QStringLiteral(VARENTA_MANUAL_DIR)));
}

QString LocateManual(const QString& programFolder, const QString& fileName) {
  const QString beside = QDir(programFolder).filePath(fileName);
  if (QFileInfo::exists(beside)) return beside;
  const QString installed = QDir(InstalledManualFolder(programFolder)).filePath(fileName);
  return QFileInfo::exists(installed) ? installed : beside;
}

}  // namespace app
