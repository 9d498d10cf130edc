#include "app/display_check.h"

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>
#include <xcb/xcb.h>

#include <QStringList>
#include <cassert>
#include <cerrno>
#include <cstring>

#include "app/command_line.h"

namespace app {

namespace {

// The value after a single-dash option of Qt's (-platform xcb), or nothing.
std::optional<QByteArray> QtArgument(int argc, const char* const* argv, const char* option) {
  for (int i = 1; i + 1 < argc; ++i)
    if (std::strcmp(argv[i], option) == 0) return QByteArray(argv[i + 1]);
  return std::nullopt;
}

// Whether an attempt to reach the display failed, and how it reads in the message.
struct TAttempt {
  bool Failed = false;
  // The environment names this display: a failure on a display nobody named
  // is left out of the message when another is in it.
  bool Named = false;
  QString Display;  // as the message names it: the X display ":0"
  QString Reason;
};

QString XcbErrorText(int error) {
  switch (error) {
    case XCB_CONN_ERROR:
      return QStringLiteral("no X server accepts the connection");
    case XCB_CONN_CLOSED_PARSE_ERR:
      return QStringLiteral("not a display name");
    case XCB_CONN_CLOSED_INVALID_SCREEN:
      return QStringLiteral("the X server has no such screen");
    default:
      return QStringLiteral("the X connection fails with error %1").arg(error);
  }
}

// Connects as the xcb platform does (DISPLAY, or Qt's -display) and hangs up at once.
TAttempt TryX11(int argc, const char* const* argv) {
  const QByteArray display = QtArgument(argc, argv, "-display").value_or(qgetenv("DISPLAY"));
  if (display.isEmpty()) return {true, false, QStringLiteral("the X display"), QStringLiteral("DISPLAY is not set")};
  int screen = 0;
  xcb_connection_t* connection = xcb_connect(display.constData(), &screen);
  int error = xcb_connection_has_error(connection);
  // libxcb leaves the screen number to the caller; Qt's xcb platform refuses one the server lacks.
  if (error == 0 && screen >= xcb_setup_roots_length(xcb_get_setup(connection))) error = XCB_CONN_CLOSED_INVALID_SCREEN;
  xcb_disconnect(connection);  // also frees a connection in error
  if (error == 0) return {};
  return {true, true, QStringLiteral("the X display \"%1\"").arg(QString::fromLocal8Bit(display)), XcbErrorText(error)};
}

// Connects to the compositor's socket where libwayland looks for it.
TAttempt TryWayland() {
  if (qEnvironmentVariableIsSet("WAYLAND_SOCKET")) return {};  // a connection handed down by the parent
  const QByteArray name = qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") ? "wayland-0" : qgetenv("WAYLAND_DISPLAY");
  const bool named = !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
  const auto failure = [&](const QString& reason) {
    return TAttempt{true, named, QStringLiteral("the Wayland display \"%1\"").arg(QString::fromLocal8Bit(name)),
                    reason};
  };
  QByteArray path = name;
  if (!name.startsWith('/')) {
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) return failure(QStringLiteral("XDG_RUNTIME_DIR is not set"));
    path = qgetenv("XDG_RUNTIME_DIR") + '/' + name;
  }
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  if (path.size() >= qsizetype(sizeof address.sun_path)) return failure(QStringLiteral("the socket path is too long"));
  std::memcpy(address.sun_path, path.constData(), size_t(path.size()));
  const int socket = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  const bool connected = socket >= 0 && ::connect(socket, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
  const int error = errno;
  if (socket >= 0) ::close(socket);
  if (connected) return {};
  return failure(QString::fromLocal8Bit(path) + QStringLiteral(": ") + QString::fromLocal8Bit(std::strerror(error)));
}

QString UnreachableMessage(const QList<TAttempt>& failures) {
  QList<TAttempt> shown;
  for (const TAttempt& failure : failures)
    if (failure.Named) shown << failure;
  if (shown.isEmpty()) shown = failures;
  assert(shown.size() == 1 || shown.size() == 2);  // one X and one Wayland display at most
  if (shown.size() == 1)
    return CannotOpenWindowMessage(QStringLiteral("%1 cannot be reached (%2)").arg(shown[0].Display, shown[0].Reason));
  return CannotOpenWindowMessage(QStringLiteral("neither %1 (%2) nor %3 (%4) can be reached")
                                     .arg(shown[0].Display, shown[0].Reason, shown[1].Display, shown[1].Reason));
}

// The platforms Qt 6.4 will try, in its order: -platform, else QT_QPA_PLATFORM,
// else xcb, after wayland when WAYLAND_DISPLAY is set or XDG_SESSION_TYPE says
// so. Each name may carry arguments ("xcb:...").
QStringList PlatformsToTry(int argc, const char* const* argv) {
  if (const auto platform = QtArgument(argc, argv, "-platform")) return QString::fromLocal8Bit(*platform).split(';');
  if (!qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) return qEnvironmentVariable("QT_QPA_PLATFORM").split(';');
  if (qEnvironmentVariableIsSet("WAYLAND_DISPLAY") || qgetenv("XDG_SESSION_TYPE") == "wayland")
    return {QStringLiteral("wayland"), QStringLiteral("xcb")};
  return {QStringLiteral("xcb")};
}

}  // namespace

std::optional<QString> DisplayFailure(int argc, const char* const* argv) {
  bool x11 = false;
  bool wayland = false;
  for (const QString& platform : PlatformsToTry(argc, argv)) {
    const QString plugin = platform.section(QLatin1Char(':'), 0, 0).toLower();
    if (plugin == QLatin1String("xcb")) {
      x11 = true;
    } else if (plugin.startsWith(QLatin1String("wayland"))) {
      wayland = true;
    } else if (!plugin.isEmpty()) {
      return std::nullopt;  // offscreen, vnc, eglfs...: Qt is left to judge
    }
  }
  if (!HasDisplay()) return NoDisplayMessage();
  // In Qt's order, Wayland first; the first display that answers is Qt's.
  QList<TAttempt> attempts;
  if (wayland) attempts << TryWayland();
  if (x11 && (attempts.isEmpty() || attempts.back().Failed)) attempts << TryX11(argc, argv);
  if (attempts.isEmpty() || !attempts.back().Failed) return std::nullopt;
  return UnreachableMessage(attempts);
}

}  // namespace app
