#pragma once

#include <gtest/gtest.h>
#include <QAbstractButton>
#include <QApplication>
#include <QColorDialog>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "change_counter.h"

// Replaces a line edit's text the way a user does: select all, then type.
inline void TypeInto(QLineEdit* edit, const QString& text) {
  ASSERT_NE(edit, nullptr);
  edit->setFocus();
  QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
  QTest::keyClick(edit, Qt::Key_Delete);
  QTest::keyClicks(edit, text);
}

// Clicks a check box or radio button on its indicator: only the indicator
// and the text take clicks, and a box may be wider than both.
inline void ClickBox(QAbstractButton* box) {
  ASSERT_NE(box, nullptr);
  QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(6, box->height() / 2));
}

// Answers the next colour dialog with `color`, once it is shown.
inline void PickColorInNextDialog(const QColor& color) {
  QTimer::singleShot(0, [color] {
    auto* dialog = qobject_cast<QColorDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr);
    dialog->setCurrentColor(color);
    dialog->accept();
  });
}

// Clicks `browse`, answers the colour dialog it opens with a click on
// `answer`, and returns the colour the dialog opened with.
inline QColor AnswerColorDialog(QPushButton* browse, QDialogButtonBox::StandardButton answer) {
  QColor preset;
  QTimer::singleShot(0, [&preset, answer] {
    auto* dialog = qobject_cast<QColorDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr);
    preset = dialog->currentColor();
    QTest::mouseClick(dialog->findChild<QDialogButtonBox*>()->button(answer), Qt::LeftButton);
  });
  QTest::mouseClick(browse, Qt::LeftButton);
  return preset;
}
