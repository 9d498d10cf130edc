#pragma once

#include <QByteArray>
#include <QPainter>
#include <QSize>
#include <functional>

#include "emf/emf_recorder.h"

namespace emf_test {

// Records what draw paints on a white frame, as the diagram's export does.
inline QByteArray Record(const QSize& frame, const std::function<void(QPainter&)>& draw) {
  emf::TEmfRecorder recorder(frame);
  QPainter painter(&recorder);
  painter.fillRect(QRect(QPoint(0, 0), frame), Qt::white);
  draw(painter);
  painter.end();
  return recorder.Finish();
}

}  // namespace emf_test
