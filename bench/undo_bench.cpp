// Undo steps on a window holding one series of 1,000,000 points:
// StyleChangeUndo records a line-width change as the properties dialog's
// apply does, then undoes and redoes it; ValuesUndo stores every point changed through
// the values dialog's Ok (after Invert), then undoes and redoes it. The
// "history_MB" counter is what the whole history holds after the run:
// for the style steps their fragments, which must stay small whatever the
// number of points.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>
#include <QTreeView>
#include <QTreeWidget>
#include <random>

#include "app/main_form.h"
#include "app/undo_steps.h"
#include "control/graph_control.h"
#include "i18n/dictionary.h"
#include "model/line_style.h"
#include "model/points_serie.h"

namespace {

constexpr int kPointCount = 1'000'000;

struct TWindow {
  i18n::TDictionary Dictionary;
  TMainForm Form{Dictionary};

  TWindow() {
    auto serie = std::make_unique<TPointsSerie>();
    // Markers only: a polyline through a million random compositions would
    // make every frame a matter of seconds, whatever the undo costs.
    serie->LineStyle().SetVisible(false);
    std::mt19937 random(42);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    {
      TUpdateScope scope(*serie);
      serie->Items().SetCapacity(kPointCount);
      for (int i = 0; i < kPointCount; ++i) {
        const double a = unit(random), b = unit(random) * (1 - a);
        serie->Items().Add({a, b, 1 - a - b});
      }
    }
    Form.GraphControl().Graph().AddSerie(std::move(serie));
    Form.resize(800, 800);
    Form.show();
    QApplication::processEvents();
  }

  QAction& Action(const char* name) { return *Form.findChild<QAction*>(QString::fromLatin1(name)); }
};

// Runs `answer` on the modal dialog that `command` opens, once it shows.
void RunModal(QAction& command, const std::function<void(QWidget*)>& answer) {
  QTimer poll;
  QObject::connect(&poll, &QTimer::timeout, [&poll, &answer] {
    if (QWidget* dialog = QApplication::activeModalWidget()) {
      poll.stop();
      answer(dialog);
    }
  });
  poll.start(0);
  command.trigger();
}

double Seconds(const QElapsedTimer& timer) { return double(timer.nsecsElapsed()) * 1e-9; }

void UndoAndRedo(TWindow& window) {
  window.Form.UndoStack().undo();
  window.Form.UndoStack().redo();
}

// A line-width change recorded as the properties dialog records an apply
// (a snapshot of the edited parts before and after, the change in one update
// batch), then undone and redone: the manual time covers the recording, the
// change and both restorations, each rendering the diagram once.
void StyleChangeUndo(benchmark::State& state) {
  TWindow window;
  TGraphControl& control = window.Form.GraphControl();
  TGraphSerie& serie = control.Graph().GetSerie(0);
  int width = 1;
  size_t held = 0;
  for (auto _ : state) {
    QElapsedTimer timer;
    timer.start();
    TPropertiesStep::TSnapshot before = TPropertiesStep::Take(control);
    {
      TControlUpdateScope scope(control);
      serie.LineStyle().SetWidth(float(++width % 9 + 1));
    }
    auto step = std::make_unique<TPropertiesStep>(control, window.Action("Propritsvisuellesdugraphe1"),
                                                  std::move(before), TPropertiesStep::Take(control));
    held += step->HeldBytes();
    window.Form.History().Record(std::move(step));
    UndoAndRedo(window);
    state.SetIterationTime(Seconds(timer));
  }
  state.counters["steps"] = window.Form.UndoStack().count();
  state.counters["history_MB"] = double(held) / (1024.0 * 1024.0);
}

// The manual time is Ok of the values dialog after Invert, which changes
// every point, with its undo and redo.
void ValuesUndo(benchmark::State& state) {
  TWindow window;
  for (auto _ : state) {
    window.Form.findChild<QTreeView*>(QStringLiteral("lvSeries"))
        ->selectionModel()
        ->select(window.Form.findChild<QTreeView*>(QStringLiteral("lvSeries"))->model()->index(0, 0),
                 QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    QElapsedTimer timer;
    RunModal(window.Action("acEditSerie"), [&timer](QWidget* dialog) {
      dialog->findChild<QToolButton*>(QStringLiteral("tbbInvert"))->click();
      timer.start();
      dialog->findChild<QPushButton*>(QStringLiteral("btnOk"))->click();
    });
    UndoAndRedo(window);
    state.SetIterationTime(Seconds(timer));
  }
  state.counters["steps"] = window.Form.UndoStack().count();
}

}  // namespace

BENCHMARK(StyleChangeUndo)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(20);
BENCHMARK(ValuesUndo)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);
