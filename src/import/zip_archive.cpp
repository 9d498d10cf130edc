#include "import/zip_archive.h"

#include <zip.h>

#include <algorithm>

#include "import/import_error.h"

namespace import {

namespace {

constexpr const char* kPartDamaged = QT_TRANSLATE_NOOP("Program", "its part %1 is damaged or truncated");
constexpr const char* kPartTooLarge = QT_TRANSLATE_NOOP("Program", "its part %1 is too large");

struct TFileCloser {
  void operator()(zip_file_t* file) const { zip_fclose(file); }
};

}  // namespace

void TZipArchive::TCloser::operator()(zip* archive) const { zip_discard(archive); }

TZipArchive::TZipArchive(std::string_view bytes, const QString& source) : m_source(source) {
  zip_error_t error;
  zip_error_init(&error);
  zip_source_t* buffer = zip_source_buffer_create(bytes.data(), bytes.size(), 0, &error);
  zip_t* archive = buffer ? zip_open_from_source(buffer, ZIP_RDONLY | ZIP_CHECKCONS, &error) : nullptr;
  if (!archive) {
    if (buffer) zip_source_free(buffer);
    const QString reason = QString::fromUtf8(zip_error_strerror(&error));
    zip_error_fini(&error);
    Fail(TImportFault::DamagedSpreadsheet, source,
         QT_TRANSLATE_NOOP("Program", "it is not a readable spreadsheet (%1)"), {reason.toLower()});
  }
  zip_error_fini(&error);
  m_archive.reset(archive);
}

TZipArchive::~TZipArchive() = default;

std::optional<std::string> TZipArchive::Read(const std::string& name) const {
  zip_stat_t stat;
  zip_stat_init(&stat);
  if (zip_stat(m_archive.get(), name.c_str(), 0, &stat) != 0) return std::nullopt;
  const QString part = QString::fromStdString(name);
  auto damaged = [&](const char* why) { Fail(TImportFault::DamagedSpreadsheet, m_source, why, {part}); };
  if ((stat.valid & ZIP_STAT_SIZE) && stat.size > kMaxPartSize)
    Fail(TImportFault::TooLarge, m_source, kPartTooLarge, {part});
  std::unique_ptr<zip_file_t, TFileCloser> file(zip_fopen(m_archive.get(), name.c_str(), 0));
  if (!file) damaged(QT_TRANSLATE_NOOP("Program", "its part %1 cannot be unpacked"));
  std::string data;
  data.resize((stat.valid & ZIP_STAT_SIZE) ? size_t(stat.size) : 0);
  size_t filled = 0;
  // The declared size may lie: read until the end, growing only when a byte
  // arrives past it.
  for (;;) {
    if (filled == data.size()) {
      char probe = 0;
      const zip_int64_t read = zip_fread(file.get(), &probe, 1);
      if (read < 0) damaged(kPartDamaged);
      if (read == 0) break;
      if (data.size() >= kMaxPartSize) damaged(kPartTooLarge);
      data.resize(std::min(kMaxPartSize, std::max<size_t>(data.size() * 2, 4096)));
      data[filled++] = probe;
    }
    const zip_int64_t read = zip_fread(file.get(), data.data() + filled, data.size() - filled);
    if (read < 0) damaged(kPartDamaged);
    if (read == 0) break;
    filled += size_t(read);
  }
  data.resize(filled);
  return data;
}

std::string TZipArchive::ReadRequired(const std::string& name) const {
  std::optional<std::string> data = Read(name);
  if (!data)
    Fail(TImportFault::DamagedSpreadsheet, m_source,
         QT_TRANSLATE_NOOP("Program", "it is not a spreadsheet: the part %1 is missing"),
         {QString::fromStdString(name)});
  return std::move(*data);
}

}  // namespace import
