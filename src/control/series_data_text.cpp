#include "control/series_data_text.h"

#include <QStringList>

#include "control/graph_control.h"

namespace control {

namespace {

const QString kLineBreak = QStringLiteral("\r\n");

QString SeriesText(const TGraphControl& control, const model::TProgress& progress = {}) {
  QString text;
  control.Graph().GetSeriesText(text, progress);
  return text;
}

}  // namespace

QString ExportText(const TGraphControl& control, const model::TProgress& progress) {
  QStringList entries;
  if (control.MainHeader().Visible()) entries << control.MainHeader().Caption();
  if (!entries.isEmpty()) entries << QString();
  entries << SeriesText(control, progress);
  if (control.MainFooter().Visible()) entries << QString() << control.MainFooter().Caption();
  return entries.join(kLineBreak) + kLineBreak;
}

QString ClipboardText(const TGraphControl& control) {
  const QString header = control.MainHeader().Visible() ? control.MainHeader().Caption() : QString();
  QString text = header.isEmpty() ? SeriesText(control) : header + kLineBreak + kLineBreak + SeriesText(control);
  if (control.MainFooter().Visible()) text += kLineBreak + kLineBreak + control.MainFooter().Caption();
  return text;
}

}  // namespace control
