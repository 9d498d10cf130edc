// Feeds arbitrary bytes to the diagram document loader. Every input either is
// refused with TDocumentError or loads; a loaded diagram must then take the
// mouse's questions and zooms, save as XML that Qt's independent reader takes,
// and load and save again to the same bytes.
#include <QApplication>
#include <QBuffer>
#include <QXmlStreamReader>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>

#include "control/default_font.h"
#include "control/document_io.h"
#include "control/graph_control.h"

namespace {

struct TFuzzHost {
  int argc = 1;
  char name[16] = "document_fuzzer";
  char* argv[2] = {name, nullptr};
  QApplication application{argc, argv};
  TGraphControl control;
  // Loads the same inputs node by node, as the parser alone reads them.
  TGraphControl reference;

  TFuzzHost() {
    for (TGraphControl* each : {&control, &reference}) {
      control::ApplyDefaultFont(*each);
      each->resize(320, 240);
      each->show();  // gives the control its drawing context: loads also fit and render
    }
  }
};

TFuzzHost& Host() {
  static TFuzzHost host;
  return host;
}

void StartOver(TGraphControl& control) {
  TControlUpdateScope scope(control);
  control.NewDiagram();
  control.SetColor(TGraphControl::kWhite);
}

void Load(TGraphControl& control, const QByteArray& data) {
  QBuffer buffer;
  buffer.setData(data);
  buffer.open(QIODevice::ReadOnly);
  control.LoadFromStream(buffer);
}

// What a mouse over the loaded diagram asks of it.
void Explore(TGraphControl& control) {
  const int x = control.width() / 2;
  const int y = control.height() / 2;
  TSerieHit hit;
  control.HitTest(x, y, hit);
  control.PointAt(x, y);
  control.ZoomInAt(x, y, TGraphControl::kCoarseStep);
  control.ZoomOutAt(x / 2, y / 2, TGraphControl::kFineStep);
}

QByteArray Save(const TGraphControl& control) {
  QBuffer buffer;
  buffer.open(QIODevice::WriteOnly);
  control.SaveToStream(buffer);
  return buffer.data();
}

// The saved diagram, or the error, that a load gives.
std::string Outcome(const std::function<void()>& load, const TGraphControl& control);

bool IsWellFormed(const QByteArray& text) {
  QXmlStreamReader reader(text);
  while (!reader.atEnd()) reader.readNext();
  return !reader.hasError();
}

std::string Outcome(const std::function<void()>& load, const TGraphControl& control) {
  try {
    load();
  } catch (const TDocumentError& error) {
    return std::string("error: ") + error.what();
  }
  return Save(control).toStdString();
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  Host();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  TGraphControl& control = Host().control;
  TGraphControl& reference = Host().reference;
  const QByteArray input(reinterpret_cast<const char*>(data), qsizetype(size));
  StartOver(control);
  StartOver(reference);
  // Lists read straight from the text give what the parser alone gives.
  const std::string outcome = Outcome([&] { Load(control, input); }, control);
  const std::string expected = Outcome(
      [&] {
        pugi::xml_document document;
        control::ParseDocument(input, QStringLiteral("stream"), document);
        reference.LoadFromDocument(document);
      },
      reference);
  if (outcome != expected) std::abort();
  if (outcome.rfind("error: ", 0) == 0) return 0;
  Explore(control);
  const QByteArray first = Save(control);
  if (!IsWellFormed(first)) std::abort();
  StartOver(control);
  Load(control, first);
  if (Save(control) != first) std::abort();
  return 0;
}
