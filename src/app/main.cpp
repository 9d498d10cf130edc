#include <QApplication>
#include <QMainWindow>
#include <QMessageBox>
#include <QStringList>
#include <exception>

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
  QApplication application(argc, argv);
  QApplication::setApplicationName(kTitle);

  QMainWindow window;
  window.setWindowTitle(kTitle);
  window.setFont(control::DefaultWindowFont());
  auto* graphControl = new TGraphControl(&window);  // owned by the window
  control::ApplyDefaultFont(*graphControl);
  window.setCentralWidget(graphControl);
  window.resize(640, 480);
  window.show();

  const QStringList arguments = QApplication::arguments();
  if (arguments.size() > 1) OpenDocument(*graphControl, arguments.at(1), window);
  return QApplication::exec();
}
