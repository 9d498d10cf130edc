// The diagram document: reading and writing the control's part of it.
#include <QIODevice>
#include <string>

#include "control/document_io.h"
#include "control/graph_control.h"
#include "model/default_fragment.h"
#include "model/property_io.h"
#include "model/value_encoding.h"
#include "model/xml_document.h"

namespace {

constexpr const char* kRootName = "GraphControl";
// The background colour is written with at least this many hexadecimal digits.
constexpr int kColorDigits = 4;

// The items of the series go straight into the text, never into nodes.
std::string Serialize(const TGraphControl& control, model::TXmlLayout layout,
                      const model::TProgress& progress = model::TProgress()) {
  pugi::xml_document document;
  model::TStreamedChildren streamed;
  control.SaveToXML(model::AppendElement(document, kRootName), &streamed);
  std::string text;
  model::WriteDocument(document, text, layout, &streamed, progress);
  return text;
}

QByteArrayView ViewOf(const std::string& text) { return QByteArrayView(text.data(), qsizetype(text.size())); }

// The root's name is not checked: only its children matter.
pugi::xml_node RootOf(const pugi::xml_document& document) {
  const pugi::xml_node root = document.document_element();
  if (!root) throw TDocumentError("Cannot read the document: it has no root element");
  return root;
}

}  // namespace

void TGraphControl::SaveToFile(const QString& fileName, bool indent, const model::TProgress& progress) const {
  // Formatting the numbers takes most of the time, writing the text the rest.
  constexpr double kSerializeShare = 0.8;
  const auto layout = indent ? model::TXmlLayout::Indented : model::TXmlLayout::Compact;
  const std::string text = Serialize(*this, layout, progress.Part(0, kSerializeShare));
  control::WriteDocumentFile(fileName, ViewOf(text), progress.Part(kSerializeShare, 1));
}

void TGraphControl::SaveToStream(QIODevice& stream) const {
  control::WriteAll(stream, ViewOf(Serialize(*this, model::TXmlLayout::Compact)), control::DeviceName(stream));
}

void TGraphControl::SaveToDocument(pugi::xml_document& document) const {
  SaveToXML(model::AppendElement(document, kRootName));
}

void TGraphControl::SaveToXML(pugi::xml_node element) const { SaveToXML(element, nullptr); }

void TGraphControl::SaveToXML(pugi::xml_node element, model::TStreamedChildren* streamed) const {
  model::AppendTextElement(element, "BackgroundColor", model::FormatHex(m_color, kColorDigits));
  m_header->SaveToXML(model::AppendElement(element, "MainHeader"));
  m_footer->SaveToXML(model::AppendElement(element, "MainFooter"));
  // Only a legend that was set up is written: older documents save unchanged.
  if (!model::SavesAsDefault(*m_legend)) m_legend->SaveToXML(model::AppendElement(element, "Legend"));
  m_graph->SaveToXML(model::AppendElement(element, "Graph"), streamed);
}

void TGraphControl::LoadFromFile(const QString& fileName, const model::TProgress& progress) {
  control::TParsedDocument parsed;
  control::ParseDocumentFile(fileName, parsed, progress);
  // From here on the diagram changes: too late to cancel.
  LoadFromParsed(parsed);
}

void TGraphControl::LoadFromStream(QIODevice& stream) {
  const QString name = control::DeviceName(stream);
  control::TParsedDocument parsed;
  control::ParseDocumentText(control::ReadAll(stream, name), name, parsed);
  LoadFromParsed(parsed);
}

void TGraphControl::LoadFromDocument(const pugi::xml_document& document) { LoadFromXML(RootOf(document), nullptr); }

void TGraphControl::LoadFromParsed(control::TParsedDocument& parsed) {
  LoadFromXML(RootOf(parsed.Document), &parsed.Entries);
}

void TGraphControl::LoadFromXML(pugi::xml_node element) { LoadFromXML(element, nullptr); }

void TGraphControl::LoadFromXML(pugi::xml_node element, model::TPrereadEntries* preread) {
  TControlUpdateScope scope(*this);
  m_loadReport = control::MakeLoadReport(element);
  model::ReadColor(element, "BackgroundColor", m_color);
  if (const pugi::xml_node header = model::FirstChildElement(element, "MainHeader")) m_header->LoadFromXML(header);
  if (const pugi::xml_node footer = model::FirstChildElement(element, "MainFooter")) m_footer->LoadFromXML(footer);
  // A document without a legend has none, whatever the diagram showed before:
  // it is written only when set up, so its absence means the defaults.
  m_legend->SetDefaults();
  if (const pugi::xml_node legend = model::FirstChildElement(element, "Legend")) m_legend->LoadFromXML(legend);
  if (const pugi::xml_node graph = model::FirstChildElement(element, "Graph")) m_graph->LoadFromXML(graph, preread);
  UpdateLayout();  // the series just read may show a legend or colour bars
  FitToBounds();
}
