#include <gtest/gtest.h>

#include <QBuffer>
#include <QContextMenuEvent>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTreeWidget>

#include "app/annotation_editing.h"
#include "main_window_fixture.h"
#include "model/annotation_list.h"

namespace {

constexpr TTernaryPoint kFirstPosition{0.4, 0.3, 0.3};

QByteArray Document(TMainWindowFixture& f) {
  QBuffer buffer;
  buffer.open(QIODevice::WriteOnly);
  f.Window->GraphControl().SaveToStream(buffer);
  return buffer.data();
}

TAnnotationList& Annotations(TMainWindowFixture& f) { return f.Graph().Annotations(); }

// A point inside the first text's box, which starts at its position.
QPoint OnFirstText(TMainWindowFixture& f) { return f.ClientPointOf(Annotations(f).Get(0).Position()) + QPoint(3, -1); }

QWidget& Field(TMainWindowFixture& f) {
  app::TAnnotationField* field = f.Window->AnnotationEditing().Field();
  EXPECT_NE(field, nullptr);
  return field ? *static_cast<QWidget*>(field) : *f.Window;
}

void AddText(TMainWindowFixture& f) {
  f.Find("tbAddTextMode")->trigger();
  QTest::mouseClick(&f.Window->GraphControl(), Qt::LeftButton, {}, f.ClientPointOf({0.2, 0.5, 0.3}));
  QTest::keyClicks(&Field(f), "new");
  QTest::keyClick(&Field(f), Qt::Key_Return, Qt::ShiftModifier);
  QTest::keyClicks(&Field(f), "line");
  QTest::keyClick(&Field(f), Qt::Key_Return);
}

void EditText(TMainWindowFixture& f) {
  QTest::mouseDClick(&f.Window->GraphControl(), Qt::LeftButton, {}, OnFirstText(f));
  QTest::keyClicks(&Field(f), "edited");  // replaces the selected text
  QTest::keyClick(&Field(f), Qt::Key_Return);
}

void MoveText(TMainWindowFixture& f) {
  TGraphControl& control = f.Window->GraphControl();
  const QPoint start = OnFirstText(f);
  QTest::mousePress(&control, Qt::LeftButton, {}, start);
  QTest::mouseMove(&control, start + QPoint(20, 10));
  QTest::mouseMove(&control, start + QPoint(40, 30));
  QTest::mouseRelease(&control, Qt::LeftButton, {}, start + QPoint(40, 30));
}

void DeleteText(TMainWindowFixture& f) {
  TGraphControl& control = f.Window->GraphControl();
  const QPoint at = OnFirstText(f);
  QContextMenuEvent event(QContextMenuEvent::Mouse, at, control.mapToGlobal(at));
  QApplication::sendEvent(&control, &event);
  QMenu& menu = f.Window->AnnotationEditing().PopupMenu();
  ASSERT_TRUE(menu.isVisible());
  QTest::mouseClick(&menu, Qt::LeftButton, {},
                    menu.actionGeometry(&f.Window->AnnotationEditing().DeleteAction()).center());
}

// Adds a text in the properties dialog, then Ok.
void TypeInDialog(TMainWindowFixture& f) {
  AnswerNextModal([](QWidget* dialog) {
    auto* tree = dialog->findChild<QTreeWidget*>("tvItems");
    tree->setCurrentItem(tree->topLevelItem(tree->topLevelItemCount() - 1));
    QTest::mouseClick(dialog->findChild<QPushButton*>("btnAdd"), Qt::LeftButton);
    auto* text = dialog->findChild<QPlainTextEdit*>("memText");
    text->selectAll();
    QTest::keyClicks(text, "typed");
    QTest::mouseClick(dialog->findChild<QPushButton*>("btnOk"), Qt::LeftButton);
  });
  f.Find("Propritsvisuellesdugraphe1")->trigger();
}

}  // namespace

TEST(AnnotationEditing, EachChangeByMouseAndKeysIsOneStepUndoneAndRedoneExactly) {
  const struct {
    const char* Name;
    void (*Change)(TMainWindowFixture&);
    int Count;
    QString FirstText;  // of the last text after the change
    bool Moved;
  } cases[] = {
      {"add", AddText, 2, QStringLiteral("new\nline"), false},
      {"edit", EditText, 1, QStringLiteral("edited"), false},
      {"move", MoveText, 1, QStringLiteral("first"), true},
      {"delete", DeleteText, 0, QString(), false},
      {"dialog", TypeInDialog, 2, QStringLiteral("typed"), false},
  };
  for (const auto& c : cases) {
    TMainWindowFixture f;
    auto first = std::make_unique<TAnnotation>();
    first->SetText(QStringLiteral("first"));
    first->SetPosition(kFirstPosition);
    Annotations(f).Add(std::move(first));
    QApplication::processEvents();
    const QByteArray before = Document(f);
    const int steps = f.Window->UndoStack().count();
    c.Change(f);
    QApplication::processEvents();
    ASSERT_EQ(Annotations(f).Count(), c.Count) << c.Name;
    if (c.Count > 0) {
      EXPECT_EQ(Annotations(f).Get(c.Count - 1).Text(), c.FirstText) << c.Name;
      EXPECT_EQ(!(Annotations(f).Get(0).Position() == kFirstPosition), c.Moved) << c.Name;
    }
    EXPECT_EQ(f.Window->UndoStack().count(), steps + 1) << c.Name;
    const QByteArray after = Document(f);
    f.Window->UndoStack().undo();
    EXPECT_EQ(Document(f), before) << c.Name;
    f.Window->UndoStack().redo();
    EXPECT_EQ(Document(f), after) << c.Name;
  }
}

TEST(AnnotationEditing, EscapeOrAnEmptyTextAddsNothing) {
  for (const Qt::Key key : {Qt::Key_Escape, Qt::Key_Return}) {
    TMainWindowFixture f;
    f.Find("tbAddTextMode")->trigger();
    QTest::mouseClick(&f.Window->GraphControl(), Qt::LeftButton, {}, f.ClientPointOf({0.2, 0.5, 0.3}));
    if (key == Qt::Key_Escape) QTest::keyClicks(&Field(f), "dropped");
    QTest::keyClick(&Field(f), key);
    EXPECT_EQ(Annotations(f).Count(), 0);
    EXPECT_EQ(f.Window->UndoStack().count(), 0);
    EXPECT_EQ(f.Window->GraphControl().InteractMode(), imNormal);
  }
}
