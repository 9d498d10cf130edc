#pragma once

#include <QObject>
#include <QString>
#include <QUndoCommand>
#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "geometry/ternary_types.h"

class QAction;
class TGraphControl;
class TGraphElement;
class TGraphSerie;

// One user command that changed the diagram, as a step of the undo history.
// Recorded through TDiagramHistory::Record once its command has been carried
// out, its first redo does nothing; pushed onto a QUndoStack directly, it
// carries the change out on push like any QUndoCommand. Every undo and redo
// is one update batch of the control: the diagram repaints once.
class TDiagramStep : public QUndoCommand {
 public:
  // The step is named after the command that made it, and is named again
  // whenever that command's text changes (a change of language).
  TDiagramStep(TGraphControl& control, const QAction& origin);
  ~TDiagramStep() override;
  TDiagramStep(const TDiagramStep&) = delete;
  TDiagramStep& operator=(const TDiagramStep&) = delete;

  void undo() final;
  void redo() final;

 protected:
  virtual void Undo() = 0;
  virtual void Redo() = 0;
  TGraphControl& Control() const { return m_control; }

 private:
  friend class TDiagramHistory;

  TGraphControl& m_control;
  const QAction& m_origin;
  QMetaObject::Connection m_renaming;  // to the origin's changed()
  bool m_skipNextRedo = false;         // set by TDiagramHistory::Record
};

// A series added by the user (with the values typed right after), or a line
// drawn with the mouse. Undone, the step keeps the series itself, so that
// redo brings back the same object.
class TAddSerieStep : public TDiagramStep {
 public:
  TAddSerieStep(TGraphControl& control, const QAction& origin, TGraphSerie& added);
  ~TAddSerieStep() override;

 protected:
  void Undo() override;
  void Redo() override;

 private:
  TGraphSerie* m_serie;
  int m_index;
  std::unique_ptr<TGraphSerie> m_removed;
};

// The series of one import, added together: undone and redone as one. The
// step keeps the series while undone, like TAddSerieStep. When the import
// also titled the axes, `titlesBefore` holds the titles it replaced, and the
// step exchanges them at each undo and redo.
class TAddSeriesStep : public TDiagramStep {
 public:
  TAddSeriesStep(TGraphControl& control, const QAction& origin, const std::vector<TGraphSerie*>& added,
                 std::optional<std::array<QString, 3>> titlesBefore = std::nullopt);
  ~TAddSeriesStep() override;

 protected:
  void Undo() override;
  void Redo() override;

 private:
  struct TAdded {
    TGraphSerie* Serie;
    int Index;
    std::unique_ptr<TGraphSerie> Removed;
  };
  void ExchangeTitles();

  std::vector<TAdded> m_added;  // in the order they were added
  std::optional<std::array<QString, 3>> m_otherTitles;
};

// A series deleted by the user; the step keeps it until undone.
class TDeleteSerieStep : public TDiagramStep {
 public:
  TDeleteSerieStep(TGraphControl& control, const QAction& origin, int index, std::unique_ptr<TGraphSerie> deleted);
  ~TDeleteSerieStep() override;

 protected:
  void Undo() override;
  void Redo() override;

 private:
  int m_index;
  TGraphSerie* m_serie;
  std::unique_ptr<TGraphSerie> m_removed;
};

// The name and the values of one series, changed together. The step holds
// the other version of the values and exchanges it with the series' own, so
// that neither undo nor redo copies them.
class TSerieValuesStep : public TDiagramStep {
 public:
  // `before` holds the name and values the series had before the change.
  TSerieValuesStep(TGraphControl& control, const QAction& origin, TGraphSerie& serie, QString nameBefore,
                   std::vector<TTernaryPoint> pointsBefore, std::vector<TTernaryCouple> couplesBefore,
                   std::vector<double> valuesBefore);

  // The values of a series as a step keeps them: points and the value of
  // each (empty when none has one) for points and surfaces, couples for lines.
  static void CopyValues(const TGraphSerie& serie, std::vector<TTernaryPoint>& points,
                         std::vector<TTernaryCouple>& couples, std::vector<double>& values);

 protected:
  void Undo() override { Exchange(); }
  void Redo() override { Exchange(); }

 private:
  void Exchange();

  TGraphSerie& m_serie;
  QString m_otherName;
  std::vector<TTernaryPoint> m_otherPoints;
  std::vector<TTernaryCouple> m_otherCouples;
  std::vector<double> m_otherValues;
};

// What the graph properties dialog edits, recorded before and after one
// apply: the header, the footer, the legend, the free texts, the axes, the style of each series (never
// its items) and the order of the series. Only the parts that changed are
// kept, each as a small document fragment.
class TPropertiesStep : public TDiagramStep {
 public:
  struct TSnapshot {
    std::vector<std::pair<TGraphElement*, std::string>> Parts;
    std::vector<TGraphSerie*> Order;
  };
  static TSnapshot Take(const TGraphControl& control);

  TPropertiesStep(TGraphControl& control, const QAction& origin, TSnapshot before, TSnapshot after);
  // Whether the apply changed nothing, so that no step is needed.
  bool IsEmpty() const { return m_before.Parts.empty() && m_before.Order == m_after.Order; }
  // The memory the step holds, in bytes, beyond its own object.
  size_t HeldBytes() const;

 protected:
  void Undo() override { Restore(m_before); }
  void Redo() override { Restore(m_after); }

 private:
  void Restore(const TSnapshot& snapshot);

  TSnapshot m_before;
  TSnapshot m_after;
};

// The control's background colour, a toolkit colour 0x00BBGGRR.
class TBackgroundColorStep : public TDiagramStep {
 public:
  TBackgroundColorStep(TGraphControl& control, const QAction& origin, uint32_t before, uint32_t after);

 protected:
  void Undo() override;
  void Redo() override;

 private:
  uint32_t m_before;
  uint32_t m_after;
};

// Mirror, rotate right or rotate left: each is undone by its inverse.
class TTurnStep : public TDiagramStep {
 public:
  enum class TTurn { Mirror, RotateRight, RotateLeft };
  TTurnStep(TGraphControl& control, const QAction& origin, TTurn turn);
  static void Apply(TGraphControl& control, TTurn turn);

 protected:
  void Undo() override;
  void Redo() override;

 private:
  TTurn m_turn;
};
