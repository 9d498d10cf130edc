#include "app/command_line.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QFileInfo>
#include <QRegularExpression>
#include <cstdio>
#include <cstring>
#include <exception>

#include "control/default_font.h"
#include "control/export_formats.h"
#include "control/graph_control.h"
#include "control/graph_export.h"
#include "import/data_file.h"

namespace app {

namespace {

QString Quoted(const QString& text) { return QLatin1Char('"') + text + QLatin1Char('"'); }

[[noreturn]] void Fail(const QString& message) { throw TCommandLineError(message.toStdString()); }

QString FormatNames() {
  QStringList names;
  for (const control::TExportFormat& format : control::kExportFormats)
    names << QString::fromLatin1(format.Extension.data(), qsizetype(format.Extension.size()));
  return names.join(QStringLiteral(", "));
}

// An index 0 to 9, or a short name such as png; without one, the output
// file's extension decides.
int ExportFormatIndex(const QString& output, const std::optional<QString>& format) {
  if (!format) {
    if (const auto index = control::ExportFormatOfFile(output)) return *index;
    Fail(QStringLiteral("Cannot export %1: its extension names no format; choose one with --format (%2)")
             .arg(Quoted(output), FormatNames()));
  }
  bool isNumber = false;
  const int index = format->toInt(&isNumber);
  if (isNumber && control::ExportFormatAt(index)) return index;
  if (const auto named = control::ExportFormatNamed(*format)) return *named;
  // One pass: a name holding "%3" must stay as it is.
  Fail(QStringLiteral("Cannot export %1: unknown format %2; use 0 to %3 or one of %4")
           .arg(Quoted(output), Quoted(*format), QString::number(control::kExportFormatCount - 1), FormatNames()));
}

double ExportDpi(const QString& text) {
  bool isNumber = false;
  const double dpi = text.toDouble(&isNumber);  // "." as the decimal separator, whatever the locale
  if (!isNumber || !(dpi >= control::kMinimumDpi && dpi <= control::kMaximumDpi))
    Fail(QStringLiteral("Invalid resolution %1: expected dots per inch from %2 to %3")
             .arg(Quoted(text), QString::number(control::kMinimumDpi), QString::number(control::kMaximumDpi)));
  return dpi;
}

bool FitsSide(const QSize& size) { return size.width() <= kMaxExportSide && size.height() <= kMaxExportSide; }

}  // namespace

control::TPictureSize ExportPictureSize(const QString& size, const QString& dpi, bool raster) {
  const double resolution = ExportDpi(dpi);
  // The "x" between the sides is the one after a number or a unit: "px" holds one too.
  static const QRegularExpression sidesPattern(QStringLiteral("^([0-9.]+(?:px|mm|cm|in)?)[xX](.+)$"));
  const QRegularExpressionMatch sides = sidesPattern.match(size);
  const auto width = sides.hasMatch() ? control::ParseLength(sides.capturedView(1)) : std::nullopt;
  const auto height = sides.hasMatch() ? control::ParseLength(sides.capturedView(2)) : std::nullopt;
  const control::TPictureSize picture =
      control::TPictureSize::Of(width.value_or(control::TLength()), height.value_or(control::TLength()), resolution);
  if (!width || !height || !FitsSide(picture.Layout()))
    Fail(QStringLiteral("Invalid size %1: expected WIDTHxHEIGHT, each side in pixels from 1 to %2 or a length "
                        "in mm, cm or in (84mmx70mm)")
             .arg(Quoted(size), QString::number(kMaxExportSide)));
  const QSize pixels = picture.Pixels();
  if (raster && !FitsSide(pixels))
    Fail(QStringLiteral("Invalid size %1: at %2 dpi the picture would be %3x%4 pixels; each side may be at most %5")
             .arg(Quoted(size), QString::number(resolution), QString::number(pixels.width()),
                  QString::number(pixels.height()), QString::number(kMaxExportSide)));
  return picture;
}

namespace {

struct TOptions {
  QCommandLineOption Export{QStringLiteral("export"),
                            QStringLiteral("Export the document to <output> without a window, then exit."),
                            QStringLiteral("output")};
  QCommandLineOption Format{
      QStringLiteral("format"),
      QStringLiteral("Export format: an index 0 to 9 or one of %1. Default: the output's extension.")
          .arg(FormatNames()),
      QStringLiteral("format")};
  QCommandLineOption Size{
      QStringLiteral("size"),
      QStringLiteral("Size of the exported diagram: pixels at 96 dpi (800x600), or lengths in mm, cm or in "
                     "(84mmx70mm, 3.3inx2.8in); pixels of a raster file = length x dpi. Default: %1x%2.")
          .arg(kDefaultExportWidth)
          .arg(kDefaultExportHeight),
      QStringLiteral("WxH")};
  QCommandLineOption Dpi{QStringLiteral("dpi"),
                         QStringLiteral("Resolution of the export in dots per inch, %1 to %2: the same picture "
                                        "with every length scaled by dpi/96; raster files record it. Default: 96.")
                             .arg(control::kMinimumDpi)
                             .arg(control::kMaximumDpi),
                         QStringLiteral("N")};
  QCommandLineOption Columns{
      QStringLiteral("columns"),
      QStringLiteral("Columns of A, B and C in a data file, by header or number from 1. Default: the columns "
                     "titled like the axes, else the first three numeric columns."),
      QStringLiteral("A,B,C")};
  QCommandLineOption Group{QStringLiteral("group"),
                           QStringLiteral("Column of a data file whose values split the rows into series."),
                           QStringLiteral("column")};
  QCommandLineOption Close{QStringLiteral("close"), QStringLiteral("Scale each row of a data file to a sum of 1.")};
  QCommandLineOption Style{
      QStringLiteral("style"),
      QStringLiteral("Diagram document whose styles, titles and non-data series the imported series join."),
      QStringLiteral("document")};

  bool ImportOptionSet(const QCommandLineParser& parser) const {
    return parser.isSet(Columns) || parser.isSet(Group) || parser.isSet(Close) || parser.isSet(Style);
  }
};

// A data file given with --export is imported; the options of an import
// apply to nothing else.
std::optional<TImportRequest> ImportRequest(const QCommandLineParser& parser, const TOptions& options,
                                            const QString& document) {
  if (!import::IsDataFile(document)) {
    if (options.ImportOptionSet(parser))
      Fail(
          QStringLiteral("--columns, --group, --close and --style apply to a data file "
                         "(.csv, .tsv, .txt, .xlsx or .ods) only"));
    return std::nullopt;
  }
  TImportRequest request;
  request.DataFile = document;
  request.Columns = parser.value(options.Columns);
  request.Group = parser.value(options.Group);
  request.Close = parser.isSet(options.Close);
  request.Style = parser.value(options.Style);
  return request;
}

THeadlessExport HeadlessExport(const QCommandLineParser& parser, const TOptions& options, const QString& document) {
  THeadlessExport request;
  request.Output = parser.value(options.Export);
  request.Document = document;
  if (request.Document.isEmpty()) Fail(QStringLiteral("--export needs the document to export"));
  const auto format = parser.isSet(options.Format) ? std::optional(parser.value(options.Format)) : std::nullopt;
  request.FormatIndex = ExportFormatIndex(request.Output, format);
  const QString size = parser.isSet(options.Size)
                           ? parser.value(options.Size)
                           : QStringLiteral("%1x%2").arg(kDefaultExportWidth).arg(kDefaultExportHeight);
  const QString dpi = parser.isSet(options.Dpi) ? parser.value(options.Dpi) : QStringLiteral("96");
  const bool raster = control::ExportFormatAt(request.FormatIndex)->Kind == control::TExportKind::Raster;
  request.Picture = ExportPictureSize(size, dpi, raster);
  request.Import = ImportRequest(parser, options, request.Document);
  return request;
}

}  // namespace

bool RunsWithoutDisplay(int argc, const char* const* argv) {
  for (int i = 1; i < argc; ++i) {
    const char* argument = argv[i];
    if (std::strcmp(argument, "--") == 0) return false;  // file names follow
    if (std::strncmp(argument, "--", 2) == 0) return true;
    if (std::strcmp(argument, "-h") == 0 || std::strcmp(argument, "-v") == 0) return true;
  }
  return false;
}

bool HasDisplay() {
  if (!qEnvironmentVariableIsEmpty("DISPLAY") || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")) return true;
  const QString platform = qEnvironmentVariable("QT_QPA_PLATFORM");
  return !platform.isEmpty() && !platform.startsWith(QLatin1String("xcb")) &&
         !platform.startsWith(QLatin1String("wayland"));
}

QString NoDisplayMessage() {
  return CannotOpenWindowMessage(QStringLiteral("there is no display (neither DISPLAY nor WAYLAND_DISPLAY is set)"));
}

QString CannotOpenWindowMessage(const QString& reason) {
  return QStringLiteral(
             "cannot open the window: %1; to export a document without a window, run: varenta-diagram --export "
             "OUTPUT FILE")
      .arg(reason);
}

void UseOffscreenPlatform() {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtCriticalMsg || type == QtFatalMsg) ReportError(message);
  });
}

TCommandLine ParseCommandLine(const QStringList& arguments) {
  QCommandLineParser parser;
  parser.setApplicationDescription(QStringLiteral("Draws and edits ternary diagrams."));
  const QCommandLineOption help = parser.addHelpOption();
  const QCommandLineOption version = parser.addVersionOption();
  const TOptions options;
  parser.addOptions({options.Export, options.Format, options.Size, options.Dpi, options.Columns, options.Group,
                     options.Close, options.Style});
  parser.addPositionalArgument(QStringLiteral("file"),
                               QStringLiteral("The diagram document to open or export, or a data file to export."),
                               QStringLiteral("[file]"));
  if (!parser.parse(arguments)) Fail(parser.errorText());
  if (parser.isSet(help)) parser.showHelp(0);
  if (parser.isSet(version)) parser.showVersion();

  const QStringList files = parser.positionalArguments();
  if (files.size() > 1) Fail(QStringLiteral("Too many files: give one document"));
  TCommandLine commandLine;
  commandLine.Document = files.value(0);
  if (parser.isSet(options.Export)) {
    commandLine.Export = HeadlessExport(parser, options, commandLine.Document);
  } else if (parser.isSet(options.Format) || parser.isSet(options.Size) || parser.isSet(options.Dpi)) {
    Fail(QStringLiteral("--format, --size and --dpi apply to --export only"));
  } else if (options.ImportOptionSet(parser)) {
    Fail(QStringLiteral("--columns, --group, --close and --style apply to --export only"));
  }
  return commandLine;
}

int RunHeadlessExport(const THeadlessExport& request) {
  try {
    TGraphControl control;
    control.setAttribute(Qt::WA_DontShowOnScreen);
    control::ApplyDefaultFont(control);
    control.resize(request.Picture.Layout());
    control.show();  // lays the control out and gives it its drawing context
    QString importReport;
    if (request.Import)
      importReport = ImportIntoControl(control, *request.Import);
    else
      control.LoadFromFile(request.Document);
    if (!control::Export(control, request.Output, request.FormatIndex, request.Picture)) {
      const std::string_view mimeType = control::ExportFormatAt(request.FormatIndex)->MimeType;
      ReportError(QStringLiteral("Cannot write %1: no image encoder for %2 is installed")
                      .arg(Quoted(request.Output), QString::fromLatin1(mimeType.data(), qsizetype(mimeType.size()))));
      return 1;
    }
    // Only a picture that was written is worth a warning: a failure stays one line.
    for (const QString& warning : control.LoadReport().Warnings(request.Document)) ReportWarning(warning);
    if (request.Import) ReportError(QFileInfo(request.Document).fileName() + QStringLiteral(": ") + importReport);
    return 0;
  } catch (const std::bad_alloc&) {
    ReportError(QStringLiteral("Cannot export %1: out of memory").arg(Quoted(request.Output)));
  } catch (const std::exception& error) {
    ReportError(QString::fromUtf8(error.what()));
  }
  return 1;
}

void ReportError(const QString& message) {
  QString line = message;
  line.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
  std::fprintf(stderr, "varenta-diagram: %s\n", line.toLocal8Bit().constData());
}

void ReportWarning(const QString& message) { ReportError(QStringLiteral("warning: ") + message); }

}  // namespace app
