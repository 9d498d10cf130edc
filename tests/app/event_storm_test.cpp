// A seeded storm of real events (clicks, double clicks, drags, wheel turns,
// keys and shortcuts) over the main window and every window that opens on
// the way. Each event is sent from its own zero-timer, so the storm goes on
// inside any dialog's exec(); file and print dialogs are answered rather than
// stormed, so nothing is read or written outside a temporary folder. After
// each seed, the undo history must walk to its start and back, and the
// document must survive a save, load, save round trip.
//
// VARENTA_STORM_SEEDS ("1-5", "3,7") and VARENTA_STORM_EVENTS (per seed)
// make a longer run or replay a failure, which names its seed and event.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QBuffer>
#include <QDesktopServices>
#include <QDir>
#include <QEventLoop>
#include <QFileDialog>
#include <QMenuBar>
#include <QPointer>
#include <QScopeGuard>
#include <QSettings>
#include <QStandardPaths>
#include <QStyleHints>
#include <QTemporaryDir>
#include <QUrl>
#include <QWheelEvent>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <csignal>
#include <mutex>
#include <random>
#include <thread>

#include "main_window_fixture.h"

namespace {

constexpr long kDefaultEvents = 4000;  // per seed; five seeds make the CI run
constexpr const char* kDefaultSeeds = "1-5";
constexpr long kModalLifetime = 150;  // events before the watchdog closes a dialog or popup
constexpr int kHangSeconds = 120;     // without one event handled: a hang
constexpr long kUndoWalkEvery = 500;  // events between walks of the undo history

// Where the storm is, for reports from a signal handler or another thread.
std::atomic<unsigned> g_seed{0};
std::atomic<long> g_event{0};
std::atomic<long> g_events{0};
std::atomic<long> g_progress{0};

void ReportPosition(const char* what) {
  char text[192];
  const int length =
      std::snprintf(text, sizeof text,
                    "event storm: %s at seed %u, event %ld (replay: VARENTA_STORM_SEEDS=%u VARENTA_STORM_EVENTS=%ld)\n",
                    what, g_seed.load(), g_event.load(), g_seed.load(), g_events.load());
  if (length > 0 && ::write(STDERR_FILENO, text, size_t(length)) < 0) return;  // no other way to tell
}

extern "C" void OnFatalSignal(int signal) {
  ReportPosition("crash");
  std::signal(signal, SIG_DFL);
  std::raise(signal);
}

// Aborts with the storm's position when no event is handled for a long time.
class THangWatch {
 public:
  THangWatch() : m_thread([this] { Watch(); }) {}
  ~THangWatch() {
    {
      std::lock_guard lock(m_mutex);
      m_stop = true;
    }
    m_wake.notify_one();
    m_thread.join();
  }

 private:
  void Watch() {
    std::unique_lock lock(m_mutex);
    long seen = -1;
    int still = 0;
    while (!m_wake.wait_for(lock, std::chrono::seconds(1), [this] { return m_stop; })) {
      const long now = g_progress.load();
      still = now == seen ? still + 1 : 0;
      seen = now;
      if (still < kHangSeconds) continue;
      ReportPosition("hang");
      std::abort();
    }
  }
  std::mutex m_mutex;
  std::condition_variable m_wake;
  bool m_stop = false;
  std::thread m_thread;
};

// Opens no URL; the help and web commands land here.
class TUrlSink : public QObject {
  Q_OBJECT
 public:
  Q_INVOKABLE void Open(const QUrl&) {}
};

// The offscreen platform says so each time a window asks it for what it has not.
QtMessageHandler g_defaultMessages = nullptr;
void QuietPlatformMessages(QtMsgType type, const QMessageLogContext& context, const QString& message) {
  if (!message.startsWith(QLatin1String("This plugin does not support"))) g_defaultMessages(type, context, message);
}

// Settings, caches and files of the program and of Qt's dialogs go into one
// temporary folder, and URLs nowhere, while the storm runs.
class TSandbox {
 public:
  TSandbox() {
    for (const char* variable : kFolders) {
      m_saved.emplace_back(variable, qgetenv(variable));
      qputenv(variable, Folder.path().toLocal8Bit());
    }
    for (const auto format : {QSettings::NativeFormat, QSettings::IniFormat})
      QSettings::setPath(format, QSettings::UserScope, Folder.path());
    for (const char* scheme : kSchemes) QDesktopServices::setUrlHandler(QString::fromLatin1(scheme), &m_urls, "Open");
    QApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
    g_defaultMessages = qInstallMessageHandler(QuietPlatformMessages);
  }
  ~TSandbox() {
    qInstallMessageHandler(g_defaultMessages);
    for (const char* scheme : kSchemes) QDesktopServices::unsetUrlHandler(QString::fromLatin1(scheme));
    for (const auto& [variable, value] : m_saved) value.isEmpty() ? qunsetenv(variable) : qputenv(variable, value);
    const QString settings = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    for (const auto format : {QSettings::NativeFormat, QSettings::IniFormat})
      QSettings::setPath(format, QSettings::UserScope, settings);
  }
  QTemporaryDir Folder;

 private:
  static constexpr const char* kFolders[] = {"XDG_CONFIG_HOME", "XDG_CACHE_HOME", "XDG_DATA_HOME"};
  static constexpr const char* kSchemes[] = {"file", "http", "https", "mailto"};
  std::vector<std::pair<const char*, QByteArray>> m_saved;
  TUrlSink m_urls;
};

std::vector<unsigned> SeedsOf(const QString& text) {
  std::vector<unsigned> seeds;
  for (const QString& part : text.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
    const QStringList range = part.split(QLatin1Char('-'));
    for (unsigned seed = range.first().toUInt(); seed <= range.last().toUInt(); ++seed) seeds.push_back(seed);
  }
  return seeds;
}

QByteArray DocumentText(const TGraphControl& control) {
  QBuffer buffer;
  buffer.open(QIODevice::WriteOnly);
  control.SaveToStream(buffer);
  return buffer.data();
}

// Where two documents part, with some text around it; empty when they are the same.
std::string FirstDifference(const QByteArray& expected, const QByteArray& actual) {
  qsizetype at = 0;
  while (at < expected.size() && at < actual.size() && expected[at] == actual[at]) ++at;
  if (at == expected.size() && at == actual.size()) return {};
  const qsizetype from = std::max<qsizetype>(at - 60, 0);
  return "at byte " + std::to_string(at) + ": ..." + expected.mid(from, 120).toStdString() + "... became ..." +
         actual.mid(from, 120).toStdString() + "...";
}

// A point of a window, and the widget the point was chosen in.
struct TAim {
  QPointer<QWidget> Window;
  QPointer<QWidget> Widget;
  QPoint Point;  // in the window's coordinates
  bool Alive() const { return Window && Widget && Window->isVisible() && Window->windowHandle(); }
};

// Events enter Qt as a platform's would, through the calls QTest makes, but
// without QTest's handling of pending events after each one: that is where
// the ticks run, and a gesture must not be cut by its own next tick.
class TInput {
 public:
  void Mouse(const TAim& aim, QEvent::Type type, Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPoint at) {
    if (!aim.Alive()) return;
    if (type == QEvent::MouseButtonPress) m_buttons |= button;
    if (type == QEvent::MouseButtonRelease) m_buttons &= ~button;
    QWindow* window = aim.Window->windowHandle();
    qt_handleMouseEvent(window, at, window->mapToGlobal(at), m_buttons, button, type, modifiers, ++m_time);
  }
  // Outside a double click, presses are kept further apart than Qt's double-click interval.
  void Pause() { m_time += QGuiApplication::styleHints()->mouseDoubleClickInterval() + 1; }
  void Key(const TAim& aim, Qt::Key key, Qt::KeyboardModifiers modifiers, const QString& text = {}) {
    for (const QEvent::Type type : {QEvent::KeyPress, QEvent::KeyRelease})
      if (aim.Alive()) qt_handleKeyEvent(aim.Window->windowHandle(), type, key, modifiers, text);
  }

 private:
  int m_time = 0;
  Qt::MouseButtons m_buttons;
};

const Qt::Key kClosingKeys[] = {Qt::Key_Escape, Qt::Key_Return, Qt::Key_Enter};
const Qt::Key kKeys[] = {Qt::Key_Delete, Qt::Key_Backspace, Qt::Key_Tab,  Qt::Key_Backtab,  Qt::Key_Space,
                         Qt::Key_Up,     Qt::Key_Down,      Qt::Key_Left, Qt::Key_Right,    Qt::Key_Home,
                         Qt::Key_End,    Qt::Key_PageUp,    Qt::Key_F1,   Qt::Key_PageDown, Qt::Key_F2,
                         Qt::Key_F4,     Qt::Key_Menu};
const QKeySequence::StandardKey kShortcuts[] = {QKeySequence::Undo,   QKeySequence::Redo,  QKeySequence::New,
                                                QKeySequence::Open,   QKeySequence::Save,  QKeySequence::SaveAs,
                                                QKeySequence::Print,  QKeySequence::Quit,  QKeySequence::Copy,
                                                QKeySequence::Cut,    QKeySequence::Paste, QKeySequence::SelectAll,
                                                QKeySequence::Delete, QKeySequence::Close, QKeySequence::HelpContents};
constexpr char kTyped[] = "0123456789012345.,-+eE abcxyzXY";
const Qt::KeyboardModifiers kModifiers[] = {
    {}, {}, {}, {}, {}, Qt::ShiftModifier, Qt::ControlModifier, Qt::AltModifier};

std::string Replay() {
  return "seed " + std::to_string(g_seed) + " (replay: VARENTA_STORM_SEEDS=" + std::to_string(g_seed) +
         " VARENTA_STORM_EVENTS=" + std::to_string(g_events) + ")";
}

// Undo walks to the start of the history and redo walks back to the same document.
// Returns the number of steps walked.
int ExpectUndoWalksBothWays(const TMainWindowFixture& f) {
  QAction* undo = f.Find("acUndo");
  QAction* redo = f.Find("acRedo");
  if (!undo || !redo) {
    ADD_FAILURE() << "no undo or redo action; " << Replay();
    return 0;
  }
  const QByteArray before = DocumentText(f.Window->GraphControl());
  const auto walk = [](QAction* action, int most) {
    int steps = 0;
    for (; action->isEnabled() && steps < most; ++steps, ++g_progress) action->trigger();
    return steps;
  };
  constexpr int kMost = 100000;
  const int undone = walk(undo, kMost);
  const int redone = walk(redo, kMost);
  EXPECT_GE(redone, undone) << Replay();
  walk(undo, redone - undone);  // back to where the storm had left the history
  EXPECT_EQ(FirstDifference(before, DocumentText(f.Window->GraphControl())), "") << Replay();
  return undone;
}

void ExpectSaveLoadSaveRoundTrip(const TMainWindowFixture& f) {
  const QByteArray saved = DocumentText(f.Window->GraphControl());
  TGraphControl reloaded;
  QBuffer buffer;
  buffer.setData(saved);
  buffer.open(QIODevice::ReadOnly);
  reloaded.LoadFromStream(buffer);
  EXPECT_EQ(FirstDifference(saved, DocumentText(reloaded)), "") << Replay();
}

class TStorm {
 public:
  TStorm(TMainWindowFixture& f, const QString& folder, long events) : m_f(f), m_folder(folder), m_events(events) {}

  void Run() {
    QTimer::singleShot(0, &m_context, [this] { Tick(); });
    m_loop.exec();
  }
  // The random source, seeded by the test; a fixed seed replays the storm.
  std::mt19937 Random;
  int UndoSteps = 0;  // walked back and forth

 private:
  struct TEventKind {
    const char* Name;
    int Weight;
    void (TStorm::*Send)(const TAim&);
  };
  static const TEventKind kEventKinds[];

  int Pick(int count) { return std::uniform_int_distribution<int>(0, std::max(count, 1) - 1)(Random); }
  template <class T, size_t N>
  const T& PickOf(const T (&table)[N]) {
    return table[Pick(int(N))];
  }

  // Each tick first plans the next one: when its event opens a dialog, the
  // next ticks run inside the dialog's exec().
  void Tick() {
    ++g_progress;
    if (g_event >= m_events) return WindDown();
    QTimer::singleShot(0, &m_context, [this] { Tick(); });
    ++g_event;
    SendOne();
  }

  void SendOne() {
    if (!m_f.Window->isVisible()) m_f.Window->show();  // after Quit: the user starts again
    if (CloseOverdue()) return;
    if (g_event % kUndoWalkEvery == 0 && !QApplication::activeModalWidget() && !QApplication::activePopupWidget())
      return void(UndoSteps += ExpectUndoWalksBothWays(m_f));
    if (QWidget* modal = QApplication::activeModalWidget(); modal && Answer(*modal)) return;
    const TAim aim = AimAt(TargetWindow());
    if (!aim.Alive()) return;
    int choice = Pick(kTotalWeight);
    const TEventKind* kind = kEventKinds;
    while (choice >= kind->Weight) choice -= (kind++)->Weight;
    (this->*kind->Send)(aim);
  }

  void WindDown() {
    if (QWidget* popup = QApplication::activePopupWidget())
      popup->close();
    else if (QWidget* modal = QApplication::activeModalWidget())
      Close(*modal);
    else
      return m_loop.quit();
    QTimer::singleShot(0, &m_context, [this] { Tick(); });
  }

  static void Close(QWidget& window) {
    if (auto* dialog = qobject_cast<QDialog*>(&window))
      dialog->reject();
    else
      window.close();
  }

  // The watchdog: a dialog or popup open too long is closed.
  bool CloseOverdue() {
    for (QWidget* window : {QApplication::activePopupWidget(), QApplication::activeModalWidget()}) {
      if (!window) continue;
      const QVariant since = window->property("stormSince");
      if (!since.isValid()) window->setProperty("stormSince", qlonglong(g_event));
      if (!since.isValid() || g_event - since.toLongLong() < kModalLifetime) continue;
      Close(*window);
      return true;
    }
    return false;
  }

  // File and print dialogs are answered, never stormed: they could reach
  // files or a printer outside the test.
  bool Answer(QWidget& modal) {
    if (modal.objectName() == QLatin1String("PrintDialog1")) return Close(modal), true;
    auto* files = qobject_cast<QFileDialog*>(&modal);
    if (!files) return false;
    const QDir folder(m_folder);
    const QStringList existing = folder.entryList(QDir::Files);
    if (Pick(5) == 0 || (files->acceptMode() == QFileDialog::AcceptOpen && existing.isEmpty()))
      return files->reject(), true;
    files->selectNameFilter(files->nameFilters().value(Pick(int(files->nameFilters().size()))));
    static const char* const kSuffixes[] = {"", ".xml", ".xml", ".txt", ".svg"};
    const QString name = files->acceptMode() == QFileDialog::AcceptOpen
                             ? existing[Pick(int(existing.size()))]
                             : QStringLiteral("storm%1%2").arg(Pick(3)).arg(QLatin1String(PickOf(kSuffixes)));
    files->selectFile(folder.filePath(name));
    static_cast<QDialog*>(files)->accept();  // public there
    return true;
  }

  // Mostly the open popup or dialog; sometimes any shown window, where
  // modality may block the event as it would block a user.
  QWidget* TargetWindow() {
    if (QWidget* popup = QApplication::activePopupWidget(); popup && Pick(4)) return popup;
    if (QWidget* modal = QApplication::activeModalWidget(); modal && Pick(8)) return modal;
    if (Pick(8)) return m_f.Window.get();
    QWidgetList windows = QApplication::topLevelWidgets();
    windows.removeIf([](QWidget* w) { return !w->isVisible() || w->windowType() == Qt::ToolTip; });
    return windows.isEmpty() ? nullptr : windows[Pick(int(windows.size()))];
  }

  // A random point of a random visible widget of the window.
  TAim AimAt(QWidget* window) {
    if (!window) return {};
    QWidgetList widgets = window->findChildren<QWidget*>();
    widgets.removeIf([window](QWidget* w) { return !w->isVisible() || w->window() != window; });
    widgets.append(window);
    QWidget* widget = widgets[Pick(int(widgets.size()))];
    return {window, widget, widget->mapTo(window, QPoint(Pick(widget->width()), Pick(widget->height())))};
  }

  QPoint Near(const TAim& aim) {
    if (Pick(2)) return AimAt(aim.Window).Point;
    const QPoint near = aim.Point + QPoint(Pick(121) - 60, Pick(121) - 60);
    return {std::clamp(near.x(), 0, aim.Window->width() - 1), std::clamp(near.y(), 0, aim.Window->height() - 1)};
  }
  Qt::MouseButton Button() { return Pick(6) ? Qt::LeftButton : Pick(2) ? Qt::RightButton : Qt::MiddleButton; }

  void Click(const TAim& aim) { ClickWith(aim, Button(), PickOf(kModifiers)); }
  void ClickWith(const TAim& aim, Qt::MouseButton button, Qt::KeyboardModifiers modifiers) {
    m_input.Mouse(aim, QEvent::MouseButtonPress, button, modifiers, aim.Point);
    m_input.Mouse(aim, QEvent::MouseButtonRelease, button, modifiers, aim.Point);
    m_input.Pause();
  }
  void DoubleClick(const TAim& aim) {
    const Qt::KeyboardModifiers modifiers = PickOf(kModifiers);
    for (int click = 0; click < 2; ++click) {
      m_input.Mouse(aim, QEvent::MouseButtonPress, Qt::LeftButton, modifiers, aim.Point);
      m_input.Mouse(aim, QEvent::MouseButtonRelease, Qt::LeftButton, modifiers, aim.Point);
    }
    m_input.Pause();
  }
  // A menu of the menu bar opens; the next events mostly go to it.
  void OpenMenu(const TAim&) {
    QMenuBar* bar = m_f.Window->menuBar();
    const QList<QAction*> menus = bar->actions();
    const QPoint title = bar->actionGeometry(menus.value(Pick(int(menus.size())))).center();
    ClickWith({m_f.Window.get(), bar, bar->mapTo(m_f.Window.get(), title)}, Qt::LeftButton, {});
  }
  void Hover(const TAim& aim) { m_input.Mouse(aim, QEvent::MouseMove, Qt::NoButton, {}, aim.Point); }
  void Drag(const TAim& aim) {
    const Qt::MouseButton button = Button();
    const Qt::KeyboardModifiers modifiers = PickOf(kModifiers);
    const QPoint to = Near(aim);
    m_input.Mouse(aim, QEvent::MouseButtonPress, button, modifiers, aim.Point);
    for (int step = 1; step <= 4; ++step)
      m_input.Mouse(aim, QEvent::MouseMove, Qt::NoButton, modifiers, aim.Point + (to - aim.Point) * step / 4);
    m_input.Mouse(aim, QEvent::MouseButtonRelease, button, modifiers, to);
    m_input.Pause();
  }
  void Wheel(const TAim& aim) {
    // Sent past the window system, so modality is checked here.
    const QWidget* modal = QApplication::activeModalWidget();
    if (modal && aim.Window != modal && !QApplication::activePopupWidget()) return;
    QWidget* under = aim.Window->childAt(aim.Point);
    if (!under) under = aim.Window;
    const QPointF local = under->mapFrom(aim.Window, aim.Point);
    QWheelEvent wheel(local, under->mapToGlobal(local), {}, QPoint(0, Pick(2) ? 120 : -120), Qt::NoButton,
                      PickOf(kModifiers), Qt::NoScrollPhase, false);
    QApplication::sendEvent(under, &wheel);
  }
  void Key(const TAim& aim) { m_input.Key(aim, PickOf(kKeys), PickOf(kModifiers)); }
  void ClosingKey(const TAim& aim) { m_input.Key(aim, PickOf(kClosingKeys), {}); }
  void Shortcut(const TAim& aim) {
    const QKeySequence sequence(PickOf(kShortcuts));
    if (sequence.isEmpty()) return;  // no binding on this platform
    m_input.Key(aim, sequence[0].key(), sequence[0].keyboardModifiers());
  }
  void Mnemonic(const TAim& aim) {
    const QChar letter(u'a' + Pick(26));
    m_input.Key(aim, Qt::Key(letter.toUpper().unicode()), Qt::AltModifier, letter);
  }
  void Type(const TAim& aim) {
    const QChar typed = QLatin1Char(kTyped[Pick(int(sizeof kTyped) - 1)]);
    m_input.Key(aim, Qt::Key(typed.toUpper().unicode()), typed.isUpper() ? Qt::ShiftModifier : Qt::NoModifier, typed);
  }

  TMainWindowFixture& m_f;
  QString m_folder;
  long m_events;
  TInput m_input;
  QObject m_context;  // drops the ticks still planned when the storm ends
  QEventLoop m_loop;
  static const int kTotalWeight;
};

const TStorm::TEventKind TStorm::kEventKinds[] = {{"click", 30, &TStorm::Click},
                                                  {"double click", 6, &TStorm::DoubleClick},
                                                  {"drag", 10, &TStorm::Drag},
                                                  {"hover", 6, &TStorm::Hover},
                                                  {"wheel", 6, &TStorm::Wheel},
                                                  {"key", 12, &TStorm::Key},
                                                  {"Escape or Return", 2, &TStorm::ClosingKey},
                                                  {"shortcut", 5, &TStorm::Shortcut},
                                                  {"mnemonic", 3, &TStorm::Mnemonic},
                                                  {"typed", 20, &TStorm::Type},
                                                  {"menu", 5, &TStorm::OpenMenu}};

const int TStorm::kTotalWeight = [] {
  int total = 0;
  for (const TEventKind& kind : kEventKinds) total += kind.Weight;
  return total;
}();

TEST(EventStorm, EveryWindowSurvivesRandomRealEventsAndKeepsItsDocument) {
  const std::vector<unsigned> seeds = SeedsOf(qEnvironmentVariable("VARENTA_STORM_SEEDS", kDefaultSeeds));
  g_events = qEnvironmentVariableIntValue("VARENTA_STORM_EVENTS");
  if (g_events <= 0) g_events = kDefaultEvents;
  for (const int signal : {SIGSEGV, SIGABRT, SIGFPE, SIGBUS}) std::signal(signal, OnFatalSignal);
  const auto restoreSignals = qScopeGuard([] {
    for (const int signal : {SIGSEGV, SIGABRT, SIGFPE, SIGBUS}) std::signal(signal, SIG_DFL);
  });
  TSandbox sandbox;
  THangWatch hangWatch;
  for (const unsigned seed : seeds) {
    g_seed = seed;
    g_event = 0;
    TMainWindowFixture f;
    f.Window->SetProgramFolder(sandbox.Folder.path());
    QFile(f.Window->ManualPath()).open(QIODevice::WriteOnly);  // Help is enabled and opens nothing
    for (const char* name : {"OpenDialog1", "SaveDialog2", "SaveDialog1"})
      f.Find<QFileDialog>(name)->setDirectory(sandbox.Folder.path());
    TStorm storm(f, sandbox.Folder.path(), g_events);
    storm.Random.seed(seed);
    QElapsedTimer clock;
    clock.start();
    storm.Run();
    const double seconds = double(std::max<qint64>(clock.elapsed(), 1)) / 1000.0;
    const int steps = storm.UndoSteps + ExpectUndoWalksBothWays(f);
    std::fprintf(stderr, "event storm: seed %u, %ld events in %.1f s (%.0f events/s), %d undo steps\n", seed,
                 g_events.load(), seconds, double(g_events) / seconds, steps);
    ExpectSaveLoadSaveRoundTrip(f);
  }
}

}  // namespace

#include "event_storm_test.moc"
