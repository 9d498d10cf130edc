#include "import/import_error.h"

namespace import {

void Fail(TImportFault fault, const QString& file, const QString& reason) {
  throw TImportError(fault, QStringLiteral("Cannot import \"%1\": %2").arg(file, reason));
}

}  // namespace import
