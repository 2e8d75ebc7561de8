// Rows of the Workspaces panel over its model.
#include "ui/settings/WorkspacesPanelView.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>

namespace dovrik::ui {

WorkspacesPanelView::WorkspacesPanelView(WorkspacesPanelModel& model, Context context,
                                         QWidget* parent)
    : SettingsPage(std::move(context), parent), model_(model) {
  watch(model_.changed);
  rebuild();
}

void WorkspacesPanelView::build() {
  WorkspacesPanelModel& m = model_;
  addHeader(WorkspacesPanelModel::emptySymbol, WorkspacesPanelModel::title,
            button(WorkspacesPanelModel::saveTitle, [&m] { m.beginCapture(); }));
  addNote(WorkspacesPanelModel::introText);
  if (m.showsAccessNotice())
    addWarning(WorkspacesPanelModel::accessNotice);
  if (m.captureFailed())
    addWarning(WorkspacesPanelModel::nothingToSaveNotice);
  if (const auto& notice = m.conflictNotice())
    addWarning(*notice);
  if (const auto confirmation = m.deleteConfirmation())
    addConfirmation(
        *confirmation, [&m] { m.confirmDelete(); }, [&m] { m.cancelDelete(); });
  if (m.isNaming())
    addNamingCard();

  addSection(WorkspacesPanelModel::savedSection);
  const std::vector<WorkspacesPanelModel::Row> rows = m.rows();
  if (rows.empty()) {
    // Appended rather than concatenated: GCC 12 sees a false overflow in the chain of `+`.
    std::string text(WorkspacesPanelModel::emptyText);
    text.append("\n").append(WorkspacesPanelModel::emptySecondLine);
    addEmptyState(WorkspacesPanelModel::emptySymbol, WorkspacesPanelModel::emptyTitle, text);
    return;
  }
  SettingsCard* card = addCard();
  for (const WorkspacesPanelModel::Row& layout : rows)
    addLayoutRow(card, layout);
}

void WorkspacesPanelView::addNamingCard() {
  WorkspacesPanelModel& m = model_;
  SettingsCard* card = addCard();
  auto* field = new QLineEdit(QString::fromStdString(m.draftName()), card);
  field->setAccessibleName(QString::fromUtf8(WorkspacesPanelModel::namingTitle.data(),
                                             WorkspacesPanelModel::namingTitle.size()));
  field->setMinimumWidth(220);
  const auto save = [&m, field] {
    m.setDraftName(field->text().toStdString());
    m.commitCapture();
  };
  connect(field, &QLineEdit::returnPressed, this, [this, save] {
    save();
    scheduleRebuild();
  });
  card->addRow(row({}, WorkspacesPanelModel::namingTitle, {},
                   {field, button("Cancel", [&m] { m.cancelCapture(); }), button("Save", save)}));
  field->setFocus(Qt::OtherFocusReason);
}

void WorkspacesPanelView::addLayoutRow(SettingsCard* card,
                                       const WorkspacesPanelModel::Row& layout) {
  WorkspacesPanelModel& m = model_;
  const Uuid id = layout.workspace.id;
  const std::string& name = layout.workspace.name;
  std::vector<QWidget*> trailing{
      badge(m.recorder(id), layout.workspace.shortcut, "Shortcut for " + name)};
  if (layout.workspace.shortcut) {
    trailing.push_back(symbolButton("xmark.circle.fill", "Clear shortcut for " + name,
                                    [&m, id] { m.clearShortcut(id); }));
  }
  trailing.push_back(button(WorkspacesPanelModel::restoreTitle, [&m, id] { m.restore(id); }));
  trailing.back()->setAccessibleName(QStringLiteral("Restore ") + QString::fromStdString(name));
  trailing.push_back(
      menuButton("More for " + name,
                 {{WorkspacesPanelModel::updateTitle, [&m, id] { m.updateToCurrentLayout(id); }},
                  {WorkspacesPanelModel::deleteTitle, [&m, id] { m.requestDelete(id); }, true}}));
  card->addRow(row(layout.symbol, name, layout.subtitle, trailing,
                   layout.justRestored ? std::optional(color(ColorToken::success)) : std::nullopt));

  const std::string autoName = "Restore " + name + " automatically";
  card->addRow(row({}, WorkspacesPanelModel::autoRestoreTitle, layout.autoRestoreText,
                   {toggle(autoName, layout.workspace.autoRestore,
                           [&m, id](bool on) { m.setAutoRestore(id, on); })}));
}

}  // namespace dovrik::ui
