#pragma once

#include <QString>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

struct zip;

namespace import {

// A zip archive in memory, read-only, through libzip. Raises TImportError
// (DamagedSpreadsheet) when the bytes are not a readable archive.
class TZipArchive {
 public:
  // A part that unpacks to more than this is refused: spreadsheets of a
  // million rows stay well below it, zip bombs do not.
  static constexpr size_t kMaxPartSize = size_t(512) << 20;

  // `bytes` must outlive the archive. `source` names the file in errors.
  TZipArchive(std::string_view bytes, const QString& source);
  ~TZipArchive();

  // The part's unpacked bytes; nullopt when there is no such part. Raises
  // TImportError when the part is damaged, truncated or too large.
  std::optional<std::string> Read(const std::string& name) const;
  // The same, raising TImportError when the part is missing.
  std::string ReadRequired(const std::string& name) const;

 private:
  struct TCloser {
    void operator()(zip* archive) const;
  };
  std::unique_ptr<zip, TCloser> m_archive;
  QString m_source;
};

}  // namespace import
