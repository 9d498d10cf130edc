#include <QApplication>
#include <QLocale>
#include <QStringList>

#include "app/command_line.h"
#include "app/display_check.h"
#include "app/main_form.h"
#include "i18n/dictionary.h"
#include "import/data_file.h"

int main(int argc, char** argv) {
  // The platform is chosen when the application is created.
  const bool headless = app::RunsWithoutDisplay(argc, argv);
  if (headless) {
    app::UseOffscreenPlatform();
  } else if (const std::optional<QString> failure = app::DisplayFailure(argc, argv)) {
    app::ReportError(*failure);
    return 1;
  }
  // Qt takes its own options out of argv, --style among them; an export reads
  // the arguments as they were given.
  QStringList givenArguments;
  for (int i = 0; i < argc; ++i) givenArguments << QString::fromLocal8Bit(argv[i]);
  QApplication application(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Diagramme Varenta"));
  QApplication::setApplicationVersion(QStringLiteral(VARENTA_VERSION));

  app::TCommandLine commandLine;
  try {
    commandLine = app::ParseCommandLine(headless ? givenArguments : QApplication::arguments());
  } catch (const app::TCommandLineError& error) {
    app::ReportError(QString::fromUtf8(error.what()));
    return 1;
  }
  if (commandLine.Export) return app::RunHeadlessExport(*commandLine.Export);

  i18n::TDictionary dictionary;
  dictionary.SetLanguage(i18n::LanguageForLocale(QLocale::system()));
  TMainForm window(dictionary);
  window.show();
  // A data file opens the import dialog over the new diagram, as if dropped.
  if (import::IsDataFile(commandLine.Document))
    window.ImportData(commandLine.Document);
  else if (!commandLine.Document.isEmpty())
    window.OpenDocument(commandLine.Document);
  window.OfferRecovery();
  return QApplication::exec();
}
