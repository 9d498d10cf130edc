#pragma once

#include <QString>
#include <QStringList>
#include <pugixml.hpp>

namespace control {

// What a document that loaded without error held, for telling the user about
// a file that is well-formed XML but not (all) a diagram: loading itself stays
// lenient and skips what it does not know.
struct TLoadReport {
  // Whether the root element holds any part of a diagram: a
  // "BackgroundColor", "MainHeader", "MainFooter" or "Graph" child.
  bool HoldsDiagram = true;
  QString RootName;
  // The "Type" of every "Serie" that was left out because no series class has
  // that name, in document order (empty for a missing attribute).
  QStringList UnknownSerieTypes;

  // One line for each thing worth a warning, naming `source` (a file name);
  // empty when the document was a diagram through and through.
  QStringList Warnings(const QString& source) const;
};

// Walks the children of a document's root element (and its graph's series)
// as the loader reads them.
TLoadReport MakeLoadReport(pugi::xml_node root);

}  // namespace control
