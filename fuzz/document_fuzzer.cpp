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

  TFuzzHost() {
    control::ApplyDefaultFont(control);
    control.resize(320, 240);
    control.show();  // gives the control its drawing context: loads also fit and render
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

bool IsWellFormed(const QByteArray& text) {
  QXmlStreamReader reader(text);
  while (!reader.atEnd()) reader.readNext();
  return !reader.hasError();
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  Host();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  TGraphControl& control = Host().control;
  StartOver(control);
  try {
    Load(control, QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)));
  } catch (const TDocumentError&) {
    return 0;
  }
  Explore(control);
  const QByteArray first = Save(control);
  if (!IsWellFormed(first)) std::abort();
  StartOver(control);
  Load(control, first);
  if (Save(control) != first) std::abort();
  return 0;
}
