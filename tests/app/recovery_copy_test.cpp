// The recovery copy: written while a change is unsaved, removed when the
// change ends, left behind by a killed program and offered at the next start
// (what the offer does is tested once, on a copy written here).
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QDir>
#include <QMessageBox>
#include <QProcess>
#include <QTemporaryDir>
#include <cstdio>

#include "app/recovery_copy.h"
#include "main_window_fixture.h"

namespace {

// A cache folder of the test's own and a short interval, for the windows
// created while it lives; a document saved there, unmodified.
struct TRecoveryFixture {
  QTemporaryDir Folder;
  QString Document = Folder.filePath(QStringLiteral("diagram.xml"));
  TRecoveryFixture() {
    qputenv("XDG_CACHE_HOME", Folder.filePath(QStringLiteral("cache")).toUtf8());
    qputenv("VARENTA_RECOVERY_INTERVAL_MS", "20");
    TGraphControl().SaveToFile(Document);
  }
  ~TRecoveryFixture() {
    qunsetenv("XDG_CACHE_HOME");
    qunsetenv("VARENTA_RECOVERY_INTERVAL_MS");
  }
  static std::string Files() {
    return QDir(app::TRecoveryCopy::Folder()).entryList(QDir::Files).join(QLatin1Char(' ')).toStdString();
  }
  // The document named by the first copy written; empty when none comes.
  static QString WaitForCopy() {
    // Whether it came is read from the folder below.
    (void)QTest::qWaitFor([] { return !QDir(app::TRecoveryCopy::Folder()).entryList({"*.path"}).isEmpty(); }, 5000);
    const QStringList names = QDir(app::TRecoveryCopy::Folder()).entryList({"*.path"});
    return names.isEmpty() ? QString() : QString::fromUtf8(Read(app::TRecoveryCopy::Folder() + u'/' + names[0]));
  }
  static QByteArray Read(const QString& fileName) {
    QFile file(fileName);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
  }
};

TEST(RecoveryCopy, AChangeWritesTheCopyAndEveryEndOfTheChangeRemovesIt) {
  const struct {
    const char* Action;
    bool AnswersDiscard;  // to the question about the unsaved changes
  } endings[] = {{"miSave", false}, {"acUndo", false}, {"miNew", true}, {"miQuit", true}};
  for (const auto& ending : endings) {
    TRecoveryFixture recovery;
    const QByteArray original = recovery.Read(recovery.Document);
    TMainWindowFixture f;
    f.Window->OpenDocument(recovery.Document);
    f.Find("miMirror")->trigger();
    ASSERT_EQ(recovery.WaitForCopy(), recovery.Document) << ending.Action;
    EXPECT_EQ(recovery.Read(recovery.Document), original) << "the copy goes elsewhere";
    if (ending.AnswersDiscard)
      AnswerNextModal([](QWidget* modal) { qobject_cast<QMessageBox*>(modal)->button(QMessageBox::Discard)->click(); });
    f.Find(ending.Action)->trigger();
    QTest::qWait(60);  // a few intervals, in which nothing may be written again
    EXPECT_EQ(recovery.Files(), "") << ending.Action;
  }
}

TEST(RecoveryCopy, TheOfferRestoresDiscardsOrKeepsTheCopyInEitherLanguage) {
  const struct {
    int Language;
    const char* Button;
    const char* Text;
    bool Restored, Kept;
  } cases[] = {{i18n::lnFrench, "btnRestore", "Restaurer", true, true},
               {i18n::lnEnglish, "btnRestore", "Restore", true, true},
               {i18n::lnEnglish, "btnDiscard", "Discard", false, false},
               {i18n::lnFrench, "btnDiscard", "Supprimer", false, false},
               {i18n::lnEnglish, "btnLater", "Later", false, true},
               {i18n::lnFrench, "btnLater", "Plus tard", false, true}};
  for (const auto& c : cases) {
    TRecoveryFixture recovery;
    TGraphControl edited;
    edited.SetColor(0x123456);
    {
      app::TRecoveryCopy copy(edited);
      copy.SetDocument(recovery.Document);
      copy.Write();
      EXPECT_TRUE(app::TRecoveryCopy::Find().empty()) << "a running window's copy is never offered";
    }
    const QByteArray copied = recovery.Read(app::TRecoveryCopy::Find().at(0).CopyPath);
    const QByteArray original = recovery.Read(recovery.Document);
    TMainWindowFixture f;
    f.Dictionary.SetLanguage(c.Language);
    QString text;
    AnswerNextModal([&c, &text](QWidget* modal) {
      auto* button = modal->findChild<QAbstractButton*>(QString::fromLatin1(c.Button));
      text = button->text();
      button->click();
    });
    f.Window->OfferRecovery();
    EXPECT_EQ(text.toStdString(), c.Text);
    EXPECT_EQ(f.Window->GraphControl().Color() == 0x123456, c.Restored) << c.Button;
    EXPECT_EQ(f.Window->isWindowModified(), c.Restored) << c.Button;
    EXPECT_EQ(f.Window->FileName(), c.Restored ? recovery.Document : QString()) << c.Button;
    EXPECT_EQ(recovery.Files().empty(), !c.Kept) << c.Button;
    // Save writes the document itself and ends the copy.
    if (c.Restored) f.Find("miSave")->trigger();
    EXPECT_EQ(recovery.Read(recovery.Document), c.Restored ? copied : original) << c.Button;
    EXPECT_EQ(recovery.Files().empty(), !c.Kept || c.Restored) << c.Button;
  }
}

// Run by the next test only: edits a document and waits to be killed.
TEST(RecoveryCopy, ChildEditsUntilKilled) {
  const QString document = qEnvironmentVariable("VARENTA_RECOVERY_CHILD_DOCUMENT");
  if (document.isEmpty()) GTEST_SKIP() << "run by KillingTheProgramLeavesTheCopyForTheNextStart";
  TMainWindowFixture f;
  f.Window->OpenDocument(document);
  f.Find("miMirror")->trigger();
  ASSERT_EQ(TRecoveryFixture::WaitForCopy(), document);
  std::puts("copy written");
  std::fflush(stdout);
  QTest::qWait(60000);
}

TEST(RecoveryCopy, KillingTheProgramLeavesTheCopyForTheNextStart) {
  TRecoveryFixture recovery;
  QProcess child;
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.insert(QStringLiteral("VARENTA_RECOVERY_CHILD_DOCUMENT"), recovery.Document);
  child.setProcessEnvironment(environment);
  child.start(QCoreApplication::applicationFilePath(),
              {QStringLiteral("--gtest_filter=RecoveryCopy.ChildEditsUntilKilled")});
  QByteArray output;
  ASSERT_TRUE(QTest::qWaitFor(
      [&child, &output] {
        child.waitForReadyRead(10);
        output += child.readAllStandardOutput();
        return output.contains("copy written") || child.state() == QProcess::NotRunning;
      },
      30000));
  ASSERT_TRUE(output.contains("copy written")) << output.toStdString();
  child.kill();  // SIGKILL: nothing of the program runs after it
  ASSERT_TRUE(child.waitForFinished(10000));
  ASSERT_EQ(child.exitStatus(), QProcess::CrashExit);
  const std::vector<app::TRecoveryCopy::TFound> found = app::TRecoveryCopy::Find();
  ASSERT_EQ(found.size(), 1u);
  EXPECT_EQ(found[0].Document, recovery.Document);
  EXPECT_NE(recovery.Read(found[0].CopyPath), recovery.Read(recovery.Document));
}

}  // namespace
