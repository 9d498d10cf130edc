#include "control/clipboard_data.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <memory>

#include "control/graph_control.h"
#include "control/graph_export.h"
#include "control/series_data_text.h"
#include "emf/emf_recorder.h"

namespace control {

void CopyImageToClipboard(TGraphControl& control) {
  emf::TEmfRecorder metafile(PictureSize(control));
  RenderToMetafile(control, metafile);
  // Both forms go on in one piece, so receivers pick the one they prefer.
  auto data = std::make_unique<QMimeData>();
  data->setData(QString::fromLatin1(kMetafileMimeType), metafile.Finish());
  data->setImageData(control.Bitmap());
  QGuiApplication::clipboard()->setMimeData(data.release());  // the clipboard owns it
}

void CopyDataToClipboard(const TGraphControl& control) {
  QGuiApplication::clipboard()->setText(ClipboardText(control));
}

}  // namespace control
