#pragma once

#include <QSize>
#include <QString>
#include <QStringList>
#include <optional>
#include <stdexcept>

#include "app/data_import_run.h"
#include "control/picture_size.h"

namespace app {

// A command line that cannot be carried out: the message says why.
class TCommandLineError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Loads Document, lays the diagram out at Picture.Layout() pixels and
// exports it to Output in the format of index FormatIndex (see
// control::kExportFormats) at Picture's size and resolution.
struct THeadlessExport {
  QString Output;
  QString Document;
  int FormatIndex = 0;
  control::TPictureSize Picture;
  // Set when Document is a data file (see import::IsDataFile): its series
  // are imported into a new diagram, or into the style document's.
  std::optional<TImportRequest> Import;
};

struct TCommandLine {
  // The document to open in the window; empty for a new diagram.
  QString Document;
  // Set when the program exports and exits instead of showing a window.
  std::optional<THeadlessExport> Export;
};

inline constexpr int kDefaultExportWidth = 800;
inline constexpr int kDefaultExportHeight = 600;
// Keeps the pictures of one export (a few images of this size) in memory:
// the limit of the layout and of a raster picture's pixels.
inline constexpr int kMaxExportSide = 8192;

// The values of --size and --dpi: WIDTHxHEIGHT, each side a whole number of
// pixels at 96 dpi or a length in mm, cm or in (the sides may mix units),
// and a resolution from control::kMinimumDpi to kMaximumDpi. Raises
// TCommandLineError saying what is wrong, including a picture too large for
// a raster format (`raster`).
control::TPictureSize ExportPictureSize(const QString& size, const QString& dpi, bool raster);

// Whether the raw arguments ask for work without a window, which must run
// without a display: any option of the program's own (an export, the help, the
// version, or a mistyped option, which is reported). Qt's own options are
// single-dash ones such as -platform and keep the window.
bool RunsWithoutDisplay(int argc, const char* const* argv);

// Whether a window can be shown: an X11 or Wayland display is named, or Qt
// is told to use a platform that needs none (offscreen, vnc, ...).
bool HasDisplay();

// The one-line explanation given when the window cannot be shown.
QString NoDisplayMessage();
// The same for any reason, which names the display.
QString CannotOpenWindowMessage(const QString& reason);

// Selects Qt's offscreen platform; call before the application is created.
// Qt's warnings are kept off stderr, which then holds only the program's own
// one-line report of a failure.
void UseOffscreenPlatform();

// Parses the arguments, program name first. --help and --version print their
// text and exit the program. Bad usage raises TCommandLineError.
TCommandLine ParseCommandLine(const QStringList& arguments);

// Carries out a headless export. Returns the process exit status: 0 on
// success; otherwise 1 after one line on stderr naming the file and the reason.
// A document that loads but holds no diagram, or series of unknown types, is
// still exported; after the export, one warning line on stderr says what was
// missing.
int RunHeadlessExport(const THeadlessExport& request);

// Writes one line to stderr, prefixed with the program's name.
void ReportError(const QString& message);
// The same, marked as a warning.
void ReportWarning(const QString& message);

}  // namespace app
