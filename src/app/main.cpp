#include <QApplication>
#include <QMainWindow>
#include <QMessageBox>
#include <exception>

#include "app/command_line.h"
#include "control/default_font.h"
#include "control/graph_control.h"

namespace {

const QString kTitle = QStringLiteral("Diagramme Varenta");

// A document that cannot be opened is reported; the program goes on with a
// new diagram.
void OpenDocument(TGraphControl& control, const QString& fileName, QWidget& window) {
  try {
    control.LoadFromFile(fileName);
  } catch (const std::exception& error) {
    QMessageBox::critical(&window, kTitle, QString::fromUtf8(error.what()));
  }
}

}  // namespace

int main(int argc, char** argv) {
  // The platform is chosen when the application is created.
  if (app::RunsWithoutDisplay(argc, argv)) app::UseOffscreenPlatform();
  QApplication application(argc, argv);
  QApplication::setApplicationName(kTitle);
  QApplication::setApplicationVersion(QStringLiteral(VARENTA_VERSION));

  app::TCommandLine commandLine;
  try {
    commandLine = app::ParseCommandLine(QApplication::arguments());
  } catch (const app::TCommandLineError& error) {
    app::ReportError(QString::fromUtf8(error.what()));
    return 1;
  }
  if (commandLine.Export) return app::RunHeadlessExport(*commandLine.Export);

  QMainWindow window;
  window.setWindowTitle(kTitle);
  window.setFont(control::DefaultWindowFont());
  auto* graphControl = new TGraphControl(&window);  // owned by the window
  control::ApplyDefaultFont(*graphControl);
  window.setCentralWidget(graphControl);
  window.resize(640, 480);
  window.show();

  if (!commandLine.Document.isEmpty()) OpenDocument(*graphControl, commandLine.Document, window);
  return QApplication::exec();
}
