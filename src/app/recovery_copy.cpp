#include "app/recovery_copy.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QUuid>
#include <algorithm>
#include <exception>

#include "control/graph_control.h"
#include "output/file_writer.h"

namespace app {

namespace {

constexpr int kDefaultIntervalMs = 60 * 1000;
const QLatin1String kCopySuffix(".xml");
const QLatin1String kPathSuffix(".path");
const QLatin1String kLockSuffix(".lock");

QString KeyOfDocument(const QString& fileName) {
  return QString::fromLatin1(QCryptographicHash::hash(fileName.toUtf8(), QCryptographicHash::Sha1).toHex().left(20));
}

QString FileOf(const QString& key, QLatin1String suffix) {
  return TRecoveryCopy::Folder() + QLatin1Char('/') + key + suffix;
}

// Whether a running program holds the copy. The lock's age says nothing:
// only its owner's death makes it stale.
bool HeldByRunningProgram(const QString& key) {
  QLockFile lock(FileOf(key, kLockSuffix));
  lock.setStaleLockTime(0);
  return !lock.tryLock(0);
}

// Whether a copy still holds work its document lacks.
bool WorthOffering(const TRecoveryCopy::TFound& found) {
  if (found.Document.isEmpty()) return true;
  const QFileInfo document(found.Document);
  return !document.exists() || document.lastModified() <= found.Written;
}

}  // namespace

int TRecoveryCopy::IntervalFromEnvironment() {
  bool valid = false;
  const int interval = qEnvironmentVariableIntValue("VARENTA_RECOVERY_INTERVAL_MS", &valid);
  return valid && interval > 0 ? interval : kDefaultIntervalMs;
}

QString TRecoveryCopy::Folder() {
  return QStandardPaths::writableLocation(QStandardPaths::CacheLocation) + QStringLiteral("/recovery");
}

std::vector<TRecoveryCopy::TFound> TRecoveryCopy::Find() {
  std::vector<TFound> found;
  const QDir folder(Folder());
  for (const QFileInfo& sidecar : folder.entryInfoList({QStringLiteral("*") + kPathSuffix}, QDir::Files)) {
    const QFileInfo copy(FileOf(sidecar.completeBaseName(), kCopySuffix));
    QFile path(sidecar.filePath());
    if (!copy.exists() || HeldByRunningProgram(sidecar.completeBaseName()) || !path.open(QIODevice::ReadOnly)) continue;
    TFound entry{sidecar.completeBaseName(), copy.filePath(), QString::fromUtf8(path.readAll()), copy.lastModified()};
    if (WorthOffering(entry)) found.push_back(std::move(entry));
  }
  std::sort(found.begin(), found.end(), [](const TFound& a, const TFound& b) { return a.Written > b.Written; });
  return found;
}

void TRecoveryCopy::Discard(const TFound& found) {
  // The sidecar goes last: a copy without it is never offered.
  QFile::remove(FileOf(found.Key, kCopySuffix));
  QFile::remove(FileOf(found.Key, kPathSuffix));
  // A program killed while writing leaves the file writer's temporary
  // (<name>.tmp-<pid>-<random>) beside the copy.
  QDir folder(Folder());
  for (const QString& temporary : folder.entryList({found.Key + QStringLiteral(".*.tmp-*")}, QDir::Files))
    folder.remove(temporary);
}

TRecoveryCopy::TRecoveryCopy(const TGraphControl& control, int intervalMs)
    : m_control(control),
      m_unnamedKey(QStringLiteral("unnamed-") + QUuid::createUuid().toString(QUuid::WithoutBraces)) {
  m_timer.setInterval(intervalMs);
  connect(&m_timer, &QTimer::timeout, this, [this] { Write(); });
}

void TRecoveryCopy::SetDocument(const QString& fileName) {
  m_document = fileName.isEmpty() ? QString() : QFileInfo(fileName).absoluteFilePath();
}

void TRecoveryCopy::SetModified(bool modified) {
  if (modified) {
    if (!m_timer.isActive()) m_timer.start();
  } else {
    m_timer.stop();
    Remove();
  }
}

QString TRecoveryCopy::CurrentKey() const { return m_document.isEmpty() ? m_unnamedKey : KeyOfDocument(m_document); }

void TRecoveryCopy::Write() {
  const QString key = CurrentKey();
  // The document changed its name since the last copy: the old one is stale.
  if (!m_writtenKey.isEmpty() && m_writtenKey != key) Remove();
  try {
    QDir().mkpath(Folder());
    Hold(key);
    m_control.SaveToFile(FileOf(key, kCopySuffix), true);
    QString error;
    if (!output::WriteFile(FileOf(key, kPathSuffix), m_document.toUtf8(), &error))
      throw std::runtime_error(error.toStdString());
    m_writtenKey = key;
  } catch (const std::exception& failure) {
    qWarning("The recovery copy was not written: %s", failure.what());
  } catch (...) {
    qWarning("The recovery copy was not written.");
  }
}

void TRecoveryCopy::Remove() {
  if (m_writtenKey.isEmpty()) return;
  Discard({m_writtenKey, {}, {}, {}});
  m_writtenKey.clear();
  m_lock.reset();
}

void TRecoveryCopy::Hold(const QString& key) {
  if (m_lock && m_writtenKey == key) return;
  m_lock.reset();  // before the new lock, which the old one would refuse
  m_lock = std::make_unique<QLockFile>(FileOf(key, kLockSuffix));
  m_lock->setStaleLockTime(0);
  // Failing leaves the copy unprotected from a second program started on
  // the same document, nothing worse.
  m_lock->tryLock(0);
}

void TRecoveryCopy::Adopt(const TFound& found) {
  if (found.Document.isEmpty()) m_unnamedKey = found.Key;
  m_document = found.Document;
  Hold(found.Key);
  m_writtenKey = found.Key;
}

}  // namespace app
