// Where the file writer puts its data, what it keeps, and how it fails.
#include "output/file_writer.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <future>

namespace {

QByteArray ReadAll(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

mode_t ModeOf(const QString& path) {
  struct stat status {};
  ::lstat(QFile::encodeName(path).constData(), &status);
  return status.st_mode;
}

// Reads a FIFO to its end on another thread, as a program at the other end would.
std::future<QByteArray> ReadFifo(const QString& path) {
  return std::async(std::launch::async, [path] {
    QFile fifo(path);
    return fifo.open(QIODevice::ReadOnly) ? fifo.readAll() : QByteArray();
  });
}

class FileWriter : public testing::Test {
 protected:
  QString PathOf(const char* name) const { return folder.filePath(QString::fromLatin1(name)); }
  QStringList Entries() const {
    return QDir(folder.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System);
  }

  QTemporaryDir folder;
  const QByteArray data = QByteArray(700 * 1024, 'x') + "end";  // larger than the writer's buffer
};

TEST_F(FileWriter, ReplacesARegularFileKeepingItsPermissionsAndLeavesNothingElse) {
  const QString path = PathOf("plot.svg");
  ASSERT_TRUE(output::WriteFile(path, "old"));
  ::chmod(QFile::encodeName(path).constData(), 0640);
  ASSERT_TRUE(output::WriteFile(path, data));
  EXPECT_EQ(ReadAll(path), data);
  EXPECT_EQ(ModeOf(path) & 07777, 0640u);
  EXPECT_EQ(Entries(), QStringList{QStringLiteral("plot.svg")});
}

TEST_F(FileWriter, FollowsSymbolicLinksAndKeepsThem) {
  const QString target = PathOf("target.png");
  ASSERT_TRUE(output::WriteFile(target, "old"));
  ASSERT_TRUE(QFile::link(target, PathOf("link.png")));
  // A relative link to a link, and one to a file that does not exist yet.
  ASSERT_EQ(::symlink("link.png", QFile::encodeName(PathOf("chain.png")).constData()), 0);
  ASSERT_EQ(::symlink("fresh.png", QFile::encodeName(PathOf("dangling.png")).constData()), 0);
  ASSERT_TRUE(output::WriteFile(PathOf("chain.png"), data));
  ASSERT_TRUE(output::WriteFile(PathOf("dangling.png"), "new"));
  EXPECT_TRUE(S_ISLNK(ModeOf(PathOf("link.png"))));
  EXPECT_TRUE(S_ISLNK(ModeOf(PathOf("chain.png"))));
  EXPECT_TRUE(S_ISLNK(ModeOf(PathOf("dangling.png"))));
  EXPECT_EQ(ReadAll(target), data);
  EXPECT_EQ(ReadAll(PathOf("fresh.png")), "new");
}

TEST_F(FileWriter, WritesAFifoInPlaceForItsReader) {
  const QString path = PathOf("pipe");
  ASSERT_EQ(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
  std::future<QByteArray> received = ReadFifo(path);
  ASSERT_TRUE(output::WriteFile(path, data));
  EXPECT_EQ(received.get(), data);
  EXPECT_TRUE(S_ISFIFO(ModeOf(path)));
}

TEST_F(FileWriter, WritesAPipeReachedThroughTheSystemsOwnLinks) {
  int ends[2];
  ASSERT_EQ(::pipe(ends), 0);
  std::future<QByteArray> received = std::async(std::launch::async, [&ends] {
    QByteArray all;
    char chunk[65536];
    for (ssize_t got; (got = ::read(ends[0], chunk, sizeof chunk)) > 0;) all.append(chunk, qsizetype(got));
    return all;
  });
  // As /dev/stdout leads to the pipe a shell gives the program.
  const QString name = QStringLiteral("/proc/self/fd/%1").arg(ends[1]);
  const bool written = output::WriteFile(name, data);
  ::close(ends[1]);
  EXPECT_TRUE(written);
  EXPECT_EQ(received.get(), data);
  ::close(ends[0]);
}

TEST_F(FileWriter, AFifoWhoseReaderLeavesFailsWithoutEndingTheProgram) {
  const QString path = PathOf("pipe");
  ASSERT_EQ(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
  std::future<bool> reader = std::async(std::launch::async, [&path] {
    const int handle = ::open(QFile::encodeName(path).constData(), O_RDONLY);
    return handle >= 0 && ::close(handle) == 0;
  });
  output::TFileWriter file(path);
  ASSERT_TRUE(reader.get());
  file.write(data);
  EXPECT_FALSE(file.Commit());
  EXPECT_EQ(file.ErrorMessage(), QStringLiteral("Cannot write \"%1\": Broken pipe").arg(path));
}

TEST_F(FileWriter, AFullDeviceGivesTheSystemsReasonAndStaysADevice) {
  if (!QFile::exists(QStringLiteral("/dev/full"))) GTEST_SKIP() << "no /dev/full";
  QString error;
  EXPECT_FALSE(output::WriteFile(QStringLiteral("/dev/full"), data, &error));
  EXPECT_EQ(error, QStringLiteral("Cannot write \"/dev/full\": No space left on device"));
  EXPECT_TRUE(S_ISCHR(ModeOf(QStringLiteral("/dev/full"))));
}

TEST_F(FileWriter, AFailedWriteKeepsTheOldFileAndLeavesNoTemporary) {
  const QString path = PathOf("plot.pdf");
  ASSERT_TRUE(output::WriteFile(path, "old"));
  {
    output::TFileWriter file(path);
    file.write(data);
    file.Fail(QStringLiteral("the picture could not be drawn"));
    EXPECT_EQ(file.write("more"), -1);
    EXPECT_FALSE(file.Commit());
    EXPECT_EQ(file.ErrorMessage(), QStringLiteral("Cannot write \"%1\": the picture could not be drawn").arg(path));
  }
  {
    output::TFileWriter abandoned(path);
    abandoned.write(data);
  }
  EXPECT_EQ(ReadAll(path), "old");
  EXPECT_EQ(Entries(), QStringList{QStringLiteral("plot.pdf")});
}

TEST_F(FileWriter, NamesThatCannotBeWrittenReportWhy) {
  const struct {
    QString Name;
    const char* Reason;
  } cases[] = {
      {PathOf("missing/plot.png"), "No such file or directory"},
      {folder.path(), "Is a directory"},
      {QString(), "No such file or directory"},
  };
  for (const auto& entry : cases) {
    QString error;
    EXPECT_FALSE(output::WriteFile(entry.Name, "data", &error));
    EXPECT_EQ(error, QStringLiteral("Cannot write \"%1\": %2").arg(entry.Name, QLatin1String(entry.Reason)));
  }
  EXPECT_TRUE(Entries().isEmpty());
}

}  // namespace
