#include "app/graph_control_editor_form.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSplitter>
#include <QVBoxLayout>
#include <algorithm>
#include <iterator>

#include "app/command_guard.h"
#include "app/drag_order_tree.h"
#include "app/editors/annotations_editor_form.h"
#include "app/editors/control_label_editor_form.h"
#include "app/editors/graph_axe_editor_form.h"
#include "app/editors/graph_serie_editor_form.h"
#include "app/editors/legend_editor_form.h"
#include "control/graph_control.h"
#include "i18n/dictionary.h"
#include "model/graph_axe.h"
#include "model/graph_serie.h"

namespace {

// Native texts of the fixed entries, in tree order; the program translates them.
constexpr const char* kFixedEntries[] = {
    QT_TRANSLATE_NOOP("Program", "Header"),      QT_TRANSLATE_NOOP("Program", "Footer"),
    QT_TRANSLATE_NOOP("Program", "Left axe"),    QT_TRANSLATE_NOOP("Program", "Right axe"),
    QT_TRANSLATE_NOOP("Program", "Bottom axe"),  QT_TRANSLATE_NOOP("Program", "Legend"),
    QT_TRANSLATE_NOOP("Program", "Annotations"),
};
constexpr int kSerieEntry = -1;
constexpr int kLegendEntry = 5;
constexpr int kAnnotationsEntry = 6;
// Each entry holds its element and its index in kFixedEntries (kSerieEntry for a series).
constexpr int kElementRole = Qt::UserRole;
constexpr int kFixedEntryRole = Qt::UserRole + 1;

TGraphElement* ElementOf(const QTreeWidgetItem* entry) {
  return entry ? reinterpret_cast<TGraphElement*>(entry->data(0, kElementRole).value<quintptr>()) : nullptr;
}

bool IsSerieEntry(const QTreeWidgetItem* entry) {
  return entry && entry->data(0, kFixedEntryRole).toInt() == kSerieEntry;
}

}  // namespace

TGraphControlEditorForm::TGraphControlEditorForm(TGraphControl& control, QWidget* parent)
    : QDialog(parent),
      m_splitter1(new QSplitter(this)),
      m_tvItems(new app::TDragOrderTree(m_splitter1)),
      m_pnlData(new QWidget(m_splitter1)),
      m_pnlButtons(new QWidget(this)),
      m_btnOk(new QPushButton(m_pnlButtons)),
      m_btnApply(new QPushButton(m_pnlButtons)),
      m_btnCancel(new QPushButton(m_pnlButtons)) {
  m_tvItems->setObjectName(QStringLiteral("tvItems"));
  m_tvItems->setHeaderHidden(true);
  m_tvItems->setRootIsDecorated(false);
  m_tvItems->setIndentation(19);
  m_tvItems->setEditTriggers(QAbstractItemView::NoEditTriggers);
  m_tvItems->IsMovable = [](const QTreeWidgetItem* entry) { return IsSerieEntry(entry); };
  m_tvItems->OnMoved = [this] {
    m_orderChanged = true;
    UpdateApplyButton();
  };
  m_pnlData->setObjectName(QStringLiteral("pnlData"));
  auto* data = new QVBoxLayout(m_pnlData);
  data->setContentsMargins(4, 0, 0, 0);
  m_splitter1->setObjectName(QStringLiteral("Splitter1"));
  m_splitter1->setChildrenCollapsible(false);
  m_tvItems->setMinimumWidth(142);
  m_splitter1->setStretchFactor(0, 0);
  m_splitter1->setStretchFactor(1, 1);
  m_splitter1->setSizes({142, 458});

  m_pnlButtons->setObjectName(QStringLiteral("pnlButtons"));
  m_btnOk->setObjectName(QStringLiteral("btnOk"));
  m_btnApply->setObjectName(QStringLiteral("btnApply"));
  m_btnCancel->setObjectName(QStringLiteral("btnCancel"));
  m_btnOk->setDefault(true);
  m_btnApply->setEnabled(false);
  auto* buttons = new QHBoxLayout(m_pnlButtons);
  buttons->setContentsMargins(0, 4, 0, 0);
  buttons->addStretch(1);
  for (QPushButton* button : {m_btnOk, m_btnApply, m_btnCancel}) buttons->addWidget(button);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(m_splitter1, 1);
  layout->addWidget(m_pnlButtons);

  connect(m_tvItems, &QTreeWidget::currentItemChanged, this,
          [this](QTreeWidgetItem* current) { ItemsChange(current); });
  connect(m_btnOk, &QPushButton::clicked, this, &TGraphControlEditorForm::OkClick);
  connect(m_btnApply, &QPushButton::clicked, this, &TGraphControlEditorForm::ApplyClick);
  // Esc rejects the dialog too, exactly like Cancel.
  connect(m_btnCancel, &QPushButton::clicked, this, &QDialog::reject);

  RetranslateUi();
  resize(600, 374);
  SetGraphControl(control);
}

TGraphControlEditorForm::~TGraphControlEditorForm() {
  {
    const QSignalBlocker blocker(m_tvItems);
    m_tvItems->clear();
  }
  DestroyEditors();
}

void TGraphControlEditorForm::RetranslateUi() {
  setWindowTitle(tr("Properties"));
  m_btnOk->setText(tr("Ok"));
  m_btnApply->setText(tr("Apply"));
  m_btnCancel->setText(tr("Cancel"));
  // The fixed entries in place: the selection and the order stay.
  for (int i = 0; i < m_tvItems->topLevelItemCount(); ++i) {
    QTreeWidgetItem* entry = m_tvItems->topLevelItem(i);
    const int fixed = entry->data(0, kFixedEntryRole).toInt();
    if (fixed != kSerieEntry) entry->setText(0, i18n::Lookup(kFixedEntries[fixed]));
  }
}

void TGraphControlEditorForm::changeEvent(QEvent* event) {
  if (event->type() == QEvent::LanguageChange) RetranslateUi();
  QDialog::changeEvent(event);
}

void TGraphControlEditorForm::SetGraphControl(TGraphControl& control) {
  if (&control == m_editedControl) return;
  m_tvItems->CancelDrag();
  {
    const QSignalBlocker blocker(m_tvItems);
    m_tvItems->clear();
  }
  DestroyEditors();
  m_editedControl = &control;
  LoadFromElement();
}

bool TGraphControlEditorForm::Execute() { return exec() == QDialog::Accepted; }

void TGraphControlEditorForm::CreateEmbedded(QWidget* host) {
  setParent(host);
  setWindowFlags(Qt::Widget);
  if (!host->layout()) {
    auto* layout = new QVBoxLayout(host);
    layout->setContentsMargins(0, 0, 0, 0);
  }
  host->layout()->addWidget(this);
  m_pnlButtons->hide();
  show();
}

void TGraphControlEditorForm::AddEntry(TGraphElement& element, int fixedEntry, const QString& text) {
  auto* entry = new QTreeWidgetItem(m_tvItems, QStringList{text});
  entry->setData(0, kElementRole, QVariant::fromValue(reinterpret_cast<quintptr>(&element)));
  entry->setData(0, kFixedEntryRole, fixedEntry);
  // Entry texts are not edited in place.
  entry->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
}

void TGraphControlEditorForm::LoadFromElement() {
  if (!m_editedControl) return;
  m_tvItems->setUpdatesEnabled(false);
  {
    const QSignalBlocker blocker(m_tvItems);
    m_tvItems->clear();
    TGraphControl& control = *m_editedControl;
    TGraph& graph = control.Graph();
    TGraphElement* fixed[] = {&control.MainHeader(), &control.MainFooter(), &graph.GetAxe(apLeft),
                              &graph.GetAxe(apRight), &graph.GetAxe(apBottom)};
    for (int i = 0; i < int(std::size(fixed)); ++i) AddEntry(*fixed[i], i, i18n::Lookup(kFixedEntries[i]));
    for (int i = 0; i < graph.SeriesCount(); ++i) AddEntry(graph.GetSerie(i), kSerieEntry, graph.GetSerie(i).Name());
    // After the series, which are dragged into order among themselves next to the axes.
    AddEntry(control.Legend(), kLegendEntry, i18n::Lookup(kFixedEntries[kLegendEntry]));
    AddEntry(graph.Annotations(), kAnnotationsEntry, i18n::Lookup(kFixedEntries[kAnnotationsEntry]));
  }
  m_tvItems->setCurrentItem(m_tvItems->topLevelItem(0));
  ItemsChange(m_tvItems->currentItem());
  m_tvItems->setUpdatesEnabled(true);
}

TEditorForm* TGraphControlEditorForm::FindEditor(const TGraphElement* element) const {
  for (const auto& editor : m_editors)
    if (editor->GetElement() == element) return editor.get();
  return nullptr;
}

TEditorForm* TGraphControlEditorForm::CreateEditor(TGraphElement* element) {
  std::unique_ptr<TEditorForm> editor;
  if (dynamic_cast<TControlLabel*>(element))
    editor = std::make_unique<TControlLabelEditorForm>(m_pnlData);
  else if (dynamic_cast<TGraphAxe*>(element))
    editor = std::make_unique<TGraphAxeEditorForm>(m_pnlData);
  else if (dynamic_cast<TGraphSerie*>(element))
    editor = std::make_unique<TGraphSerieEditorForm>(m_pnlData);
  else if (dynamic_cast<TLegend*>(element))
    editor = std::make_unique<TLegendEditorForm>(m_pnlData);
  else if (dynamic_cast<TAnnotationList*>(element))
    editor = std::make_unique<TAnnotationsEditorForm>(m_pnlData);
  else
    return nullptr;
  editor->CreateEmbedded(m_pnlData);
  editor->SetElement(element);
  connect(editor.get(), &TEditorForm::Edited, this, &TGraphControlEditorForm::UpdateApplyButton);
  m_editors.push_back(std::move(editor));
  return m_editors.back().get();
}

void TGraphControlEditorForm::ItemsChange(QTreeWidgetItem* current) {
  if (!current) return;
  if (m_currentEditor) m_currentEditor->hide();
  TGraphElement* element = ElementOf(current);
  m_currentEditor = FindEditor(element);
  if (!m_currentEditor) m_currentEditor = CreateEditor(element);
  if (m_currentEditor) m_currentEditor->show();
}

void TGraphControlEditorForm::DestroyEditors() {
  m_currentEditor = nullptr;
  while (!m_editors.empty()) m_editors.pop_back();
}

bool TGraphControlEditorForm::IsModified() const {
  return m_orderChanged ||
         std::any_of(m_editors.begin(), m_editors.end(), [](const auto& editor) { return editor->IsModified(); });
}

void TGraphControlEditorForm::ApplyChanges() {
  if (!m_editedControl) return;
  if (OnBeforeApply) OnBeforeApply();
  {
    // One repaint of the diagram for the whole apply.
    TControlUpdateScope scope(*m_editedControl);
    for (const auto& editor : m_editors) {
      if (!editor->IsModified()) continue;
      editor->ApplyChanges();
      // Shows what was stored: fallbacks, and fields that did not convert.
      editor->LoadFromElement();
    }
    ApplySeriesNamesAndOrder();
  }
  if (OnAfterApply) OnAfterApply();
}

void TGraphControlEditorForm::ApplySeriesNamesAndOrder() {
  std::vector<TGraphSerie*> order;
  for (int i = 0; i < m_tvItems->topLevelItemCount(); ++i) {
    QTreeWidgetItem* entry = m_tvItems->topLevelItem(i);
    if (!IsSerieEntry(entry)) continue;
    auto* serie = static_cast<TGraphSerie*>(ElementOf(entry));
    entry->setText(0, serie->Name());
    order.push_back(serie);
  }

  TGraph& graph = m_editedControl->Graph();
  TUpdateScope scope(graph);
  std::vector<std::unique_ptr<TGraphSerie>> removed;
  for (int i = graph.SeriesCount() - 1; i >= 0; --i) removed.push_back(graph.RemoveSerie(i));
  std::reverse(removed.begin(), removed.end());
  for (TGraphSerie* serie : order) {
    auto found =
        std::find_if(removed.begin(), removed.end(), [serie](const auto& owned) { return owned.get() == serie; });
    if (found == removed.end()) continue;
    graph.AddSerie(std::move(*found));
    removed.erase(found);
  }
  // Series the tree does not know keep their relative order at the end.
  for (auto& serie : removed) graph.AddSerie(std::move(serie));
}

void TGraphControlEditorForm::UpdateApplyButton() {
  if (m_pnlButtons->isVisibleTo(this)) m_btnApply->setEnabled(IsModified());
}

void TGraphControlEditorForm::ApplyClick() {
  app::RunCommand(this, [this] { ApplyChanges(); });
  UpdateApplyButton();
}

void TGraphControlEditorForm::OkClick() {
  if (app::RunCommand(this, [this] { ApplyChanges(); })) accept();
}
