#include "control/load_report.h"

#include <array>
#include <cstring>

#include "model/serie_factory.h"
#include "model/xml_document.h"

namespace control {

namespace {

constexpr std::array<const char*, 4> kDiagramParts = {"BackgroundColor", "MainHeader", "MainFooter", "Graph"};

QString Quoted(const QString& text) { return QLatin1Char('"') + text + QLatin1Char('"'); }

}  // namespace

TLoadReport MakeLoadReport(pugi::xml_node root) {
  TLoadReport report;
  report.RootName = QString::fromUtf8(root.name());
  report.HoldsDiagram = false;
  for (const char* part : kDiagramParts)
    report.HoldsDiagram = report.HoldsDiagram || model::FirstChildElement(root, part);
  const pugi::xml_node series = model::FirstChildElement(model::FirstChildElement(root, "Graph"), "Series");
  for (pugi::xml_node element = series.first_child(); element; element = element.next_sibling()) {
    if (element.type() != pugi::node_element || std::strcmp(element.name(), "Serie") != 0) continue;
    const char* type = element.attribute("Type").value();
    if (!model::IsSerieClassName(type)) report.UnknownSerieTypes << QString::fromUtf8(type);
  }
  return report;
}

QStringList TLoadReport::Warnings(const QString& source) const {
  QStringList warnings;
  if (!HoldsDiagram)
    warnings << QStringLiteral("%1 holds no diagram: its root element %2 has none of %3")
                    .arg(Quoted(source), Quoted(RootName),
                         QStringLiteral("BackgroundColor, MainHeader, MainFooter, Graph"));
  if (!UnknownSerieTypes.isEmpty()) {
    QStringList types;
    for (const QString& type : UnknownSerieTypes)
      if (!types.contains(Quoted(type))) types << Quoted(type);
    warnings << QStringLiteral("%1: %2 series left out, of unknown type %3")
                    .arg(Quoted(source), QString::number(UnknownSerieTypes.size()), types.join(QStringLiteral(", ")));
  }
  return warnings;
}

}  // namespace control
