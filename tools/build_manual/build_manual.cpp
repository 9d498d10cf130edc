// Builds one PDF of the user's manual from the Markdown chapters of a folder.
//
//   build_manual <chapter folder> <output.pdf> <title>
//
// The chapters are the folder's *.md files in file-name order; each begins on
// a new page. Pictures are referenced relative to the chapter's file; a
// missing picture is reported on stderr and replaced by its description, so
// that the manual still builds. Wide pictures are scaled to the text width; a
// picture on a line of its own gets its description as a caption.
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QRegularExpression>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextImageFormat>
#include <QUrl>
#include <algorithm>
#include <cstdio>
#include <stdexcept>
#include <vector>

namespace {

// The text width in document pixels (96 per inch) of an A4 page without the
// 2 cm margins that QTextDocument::print leaves: 210 mm - 40 mm.
constexpr double kTextWidth = (210.0 - 40.0) / 25.4 * 96.0;
// Pictures are drawn no wider than this share of the text width.
constexpr double kMaxPictureShare = 0.9;

void Warn(const QString& message) { std::fprintf(stderr, "build_manual: %s\n", qPrintable(message)); }

bool StandsAlone(const QString& text, const QRegularExpressionMatch& match) {
  const qsizetype start = match.capturedStart();
  const qsizetype end = match.capturedEnd();
  const bool lineStart = start == 0 || text[start - 1] == QLatin1Char('\n');
  const bool lineEnd = end == text.size() || text[end] == QLatin1Char('\n') || text[end] == QLatin1Char('\r');
  return lineStart && lineEnd;
}

// Reads the chapters, making picture paths absolute. A picture that does not
// exist is replaced by its description in italics.
QString ReadChapters(const QDir& folder, int& missingPictures) {
  static const QRegularExpression picture(QStringLiteral(R"(!\[([^\]]*)\]\(([^)\s]+)\))"));
  QString markdown;
  const QStringList chapters = folder.entryList({QStringLiteral("*.md")}, QDir::Files, QDir::Name);
  for (const QString& name : chapters) {
    QFile file(folder.filePath(name));
    if (!file.open(QIODevice::ReadOnly))
      throw std::runtime_error(qPrintable(QStringLiteral("cannot read ") + file.fileName()));
    QString text = QString::fromUtf8(file.readAll());
    QString resolved;
    qsizetype last = 0;
    for (auto it = picture.globalMatch(text); it.hasNext();) {
      const QRegularExpressionMatch match = it.next();
      resolved += text.mid(last, match.capturedStart() - last);
      const QString path = QFileInfo(folder.filePath(match.captured(2))).absoluteFilePath();
      if (QFileInfo::exists(path)) {
        resolved += QStringLiteral("![%1](%2)").arg(match.captured(1), QUrl::fromLocalFile(path).toString());
        // A picture that stands on a line of its own gets its description
        // as a caption below it.
        if (StandsAlone(text, match)) resolved += QStringLiteral("\n\n*%1*").arg(match.captured(1));
      } else {
        Warn(QStringLiteral("%1: missing picture %2, left out").arg(file.fileName(), match.captured(2)));
        resolved += QStringLiteral("*[%1]*").arg(match.captured(1));
        ++missingPictures;
      }
      last = match.capturedEnd();
    }
    resolved += text.mid(last);
    markdown += resolved + QStringLiteral("\n\n");
  }
  if (chapters.isEmpty()) throw std::runtime_error(qPrintable(QStringLiteral("no chapter in ") + folder.path()));
  return markdown;
}

// Loads every picture into the document at a size that fits the page. The
// pictures are found first and resized afterwards: changing a format splits
// and merges the fragments that an iteration would walk.
void FitPictures(QTextDocument& document) {
  struct TPicture {
    int Position;
    int Length;
    QTextImageFormat Format;
  };
  std::vector<TPicture> pictures;
  for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
    for (auto it = block.begin(); !it.atEnd(); ++it) {
      const QTextFragment fragment = it.fragment();
      if (fragment.charFormat().isImageFormat())
        pictures.push_back({fragment.position(), fragment.length(), fragment.charFormat().toImageFormat()});
    }
  for (TPicture& picture : pictures) {
    const QUrl url(picture.Format.name());
    const QImage image(url.toLocalFile());
    if (image.isNull()) {
      Warn(QStringLiteral("cannot read picture %1").arg(url.toLocalFile()));
      continue;
    }
    document.addResource(QTextDocument::ImageResource, url, image);
    // Screenshots were taken at 96 dpi: keep their size unless too wide.
    const double width = std::min(double(image.width()), kTextWidth * kMaxPictureShare);
    picture.Format.setWidth(width);
    picture.Format.setHeight(width * image.height() / image.width());
    QTextCursor cursor(&document);
    cursor.setPosition(picture.Position);
    cursor.setPosition(picture.Position + picture.Length, QTextCursor::KeepAnchor);
    cursor.setCharFormat(picture.Format);
  }
}

// Every chapter title but the first starts a new page.
void BreakPagesBeforeChapters(QTextDocument& document) {
  bool first = true;
  for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
    if (block.blockFormat().headingLevel() != 1) continue;
    if (!first) {
      QTextCursor cursor(block);
      QTextBlockFormat format = block.blockFormat();
      format.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
      cursor.setBlockFormat(format);
    }
    first = false;
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  if (argc != 4) {
    std::fprintf(stderr, "usage: build_manual <chapter folder> <output.pdf> <title>\n");
    return 2;
  }
  try {
    int missingPictures = 0;
    const QString markdown = ReadChapters(QDir(QString::fromLocal8Bit(argv[1])), missingPictures);
    QTextDocument document;
    document.setDefaultFont(QFont(QStringLiteral("Liberation Sans"), 10));
    document.setMarkdown(markdown);
    FitPictures(document);
    BreakPagesBeforeChapters(document);

    const QString output = QString::fromLocal8Bit(argv[2]);
    // Written beside the target and renamed over it, so that a failed build
    // leaves no half-written manual for the program to open.
    const QString partial = output + QStringLiteral(".part");
    {
      QPdfWriter writer(partial);
      writer.setTitle(QString::fromUtf8(argv[3]));
      writer.setCreator(QStringLiteral("Quellar Varenta Diagram"));
      writer.setPageSize(QPageSize(QPageSize::A4));
      writer.setResolution(300);
      document.print(&writer);
    }
    QFile::remove(output);
    if (!QFile::rename(partial, output)) throw std::runtime_error(qPrintable(QStringLiteral("cannot write ") + output));
    if (missingPictures > 0) Warn(QStringLiteral("%1 picture(s) left out of %2").arg(missingPictures).arg(output));
  } catch (const std::exception& error) {
    Warn(QString::fromUtf8(error.what()));
    return 1;
  }
  return 0;
}
