#pragma once

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QTest>
#include <QTimer>
#include <QTreeView>
#include <functional>
#include <memory>

#include "app/main_form.h"
#include "geometry/device_conversions.h"
#include "i18n/dictionary.h"
#include "model/graph.h"
#include "model/graph_serie.h"

// A shown main window with its own dictionary at the native texts; the
// dictionary outlives the window and removes its translators at the end.
struct TMainWindowFixture {
  i18n::TDictionary Dictionary;
  std::unique_ptr<TMainForm> Window;

  TMainWindowFixture() : Window(std::make_unique<TMainForm>(Dictionary)) {
    Window->show();
    QApplication::processEvents();
  }

  template <class T = QAction>
  T* Find(const char* name) const {
    return Window->findChild<T*>(QString::fromLatin1(name));
  }
  // Adds a series with one of the add commands; `answer` handles the values
  // dialog that follows (by default it is cancelled, keeping the series).
  void AddSerie(const char* action, std::function<void(QWidget*)> answer = nullptr) const;

  QTreeView& SeriesList() const { return *Find<QTreeView>("lvSeries"); }
  TGraph& Graph() const { return Window->GraphControl().Graph(); }

  // The caption as the title bar shows it of an unmodified document.
  QString Caption() const {
    QApplication::processEvents();
    return Window->windowTitle().remove(QStringLiteral("[*]"));
  }

  QString Cell(int row, int column) const { return SeriesList().model()->index(row, column).data().toString(); }

  void ClickRow(int row) const {
    QTreeView& list = SeriesList();
    const QRect rect = list.visualRect(list.model()->index(row, 0));
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, rect.center());
  }

  // The client point of a composition in the diagram as it is drawn.
  QPoint ClientPointOf(const TTernaryPoint& point) const {
    TGraphControl& control = Window->GraphControl();
    const TProjection& projection = control.Graph().Projection();
    return geometry::PlaneToDevice(*control.Graphics(), projection, projection.TernaryToPlane(point, true)).toPoint();
  }
};

// Runs `answer` on the next modal dialog once it is shown, while the code
// under test waits in its exec(). Gives up after a few seconds.
inline void AnswerNextModal(const std::function<void(QWidget*)>& answer) {
  auto timer = std::make_shared<QElapsedTimer>();
  timer->start();
  auto poll = std::make_shared<std::function<void()>>();
  *poll = [answer, timer, poll] {
    if (QWidget* modal = QApplication::activeModalWidget()) {
      answer(modal);
      *poll = nullptr;  // breaks the cycle
      return;
    }
    if (timer->elapsed() < 5000)
      QTimer::singleShot(10, *poll);
    else
      *poll = nullptr;
  };
  QTimer::singleShot(0, *poll);
}

inline void TMainWindowFixture::AddSerie(const char* action, std::function<void(QWidget*)> answer) const {
  if (!answer) answer = [](QWidget* modal) { qobject_cast<QDialog*>(modal)->reject(); };
  AnswerNextModal(answer);
  Find(action)->trigger();
}
