// Export, clipboard and printing of the control; the work is done by the
// functions of graph_export.h, clipboard_data.h and print_layout.h.
#include "control/clipboard_data.h"
#include "control/graph_control.h"
#include "control/graph_export.h"
#include "control/print_layout.h"

bool TGraphControl::Export(const QString& fileName, int formatIndex, const model::TProgress& progress) {
  return control::Export(*this, fileName, formatIndex, progress);
}

void TGraphControl::RenderToMetafile(emf::TEmfRecorder& metafile) { control::RenderToMetafile(*this, metafile); }

void TGraphControl::CopyImageToClipboard() {
  // The clipboard takes the bitmap as it stands, which must not be a rough frame of a motion.
  RedrawSmooth();
  control::CopyImageToClipboard(*this);
}

void TGraphControl::CopyDataToClipboard() const { control::CopyDataToClipboard(*this); }

void TGraphControl::Print(QPrinter& printer, const model::TProgress& progress) {
  control::Print(*this, printer, progress);
}
