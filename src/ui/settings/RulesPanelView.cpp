// Rows of the App Rules panel and its add-rule sheet over their models.
#include "ui/settings/RulesPanelView.h"

#include <QComboBox>
#include <QIcon>

#include "ui/AppIcon.h"
#include "ui/settings/SettingsText.h"

namespace dovrik::ui {
namespace {

// The icon an application's desktop entry names; none for an application not installed here
// or whose entry names none.
QIcon iconOf(const std::optional<std::string>& iconValue) {
  if (!iconValue || iconValue->empty())
    return {};
  return applicationIcon(QString::fromStdString(*iconValue));
}

}  // namespace

RulesPanelView::RulesPanelView(RulesPanelModel& model, Context context, QWidget* parent)
    : SettingsPage(std::move(context), parent), model_(model) {
  watch(model_.changed);
  model_.appear();
  rebuild();
}

void RulesPanelView::build() {
  RulesPanelModel& m = model_;
  addHeader(RulesPanelModel::emptySymbol, RulesPanelModel::section);
  if (const auto confirmation = m.deleteConfirmation())
    addConfirmation(
        *confirmation, [&m] { m.confirmDelete(); }, [&m] { m.cancelDelete(); });

  const bool empty = m.rules().empty();
  const auto addButton = [this, &m] {
    return button(RulesPanelModel::addTitle, [&m] { m.openAddRuleSheet(); });
  };
  // An empty list offers the button in its own place; with rules it sits by the switch.
  std::vector<QWidget*> controls{toggle(RulesPanelModel::enabledTitle, m.rulesEnabled(),
                                        [&m](bool on) { m.setRulesEnabled(on); })};
  if (!empty)
    controls.push_back(addButton());
  addCard()->addRow(row({}, RulesPanelModel::enabledTitle, RulesPanelModel::explanation, controls));

  AddRuleSheetModel* sheet = m.addRuleSheet();
  if (sheet)
    addSheet(*sheet);

  if (empty) {
    addEmptyState(RulesPanelModel::emptySymbol, RulesPanelModel::emptyTitle,
                  RulesPanelModel::emptyText, sheet ? nullptr : addButton());
    return;
  }
  SettingsCard* list = addCard();
  for (const AppRule& rule : m.rules()) {
    const Uuid id = rule.id;
    list->addRow(
        imageRow(applicationPixmap(m.iconName(rule), RulesPanelModel::noIconSymbol), rule.appName,
                 rawValue(rule.snapPosition),
                 {toggle("Rule for " + rule.appName, rule.isEnabled,
                         [&m, id](bool on) { m.setRuleEnabled(id, on); }),
                  symbolButton(RulesPanelModel::deleteSymbol, "Delete rule for " + rule.appName,
                               [&m, id] { m.requestDelete(id); })}));
  }
}

void RulesPanelView::addSheet(AddRuleSheetModel& sheet) {
  addSection(AddRuleSheetModel::title);
  SettingsCard* card = addCard();

  auto* apps = new QComboBox(card);
  apps->setAccessibleName(qs(AddRuleSheetModel::applicationCaption));
  apps->addItem(qs(AddRuleSheetModel::noApplicationEntry));
  for (const AppInfo& app : sheet.apps())
    apps->addItem(iconOf(app.icon), QString::fromStdString(app.name));
  const auto& chosen = sheet.selectedApp();
  for (std::size_t i = 0; chosen && i < sheet.apps().size(); ++i) {
    if (sheet.apps()[i] == *chosen)
      apps->setCurrentIndex(static_cast<int>(i) + 1);
  }
  apps->setEnabled(!sheet.isLoading());
  themePicker(*apps);
  connect(apps, &QComboBox::activated, this, [this, &sheet](int index) {
    sheet.selectApp(index == 0 ? std::nullopt
                               : std::optional<AppInfo>(sheet.apps()[std::size_t(index - 1)]));
    scheduleRebuild();
  });
  card->addRow(row({}, AddRuleSheetModel::applicationCaption, {}, {apps}));

  auto* positions = new QComboBox(card);
  positions->setAccessibleName(qs(AddRuleSheetModel::positionCaption));
  for (const SnapPosition position : allSnapPositions) {
    positions->addItem(qs(rawValue(position)));
    if (position == sheet.selectedPosition())
      positions->setCurrentIndex(positions->count() - 1);
  }
  themePicker(*positions);
  connect(positions, &QComboBox::activated, this, [this, &sheet](int index) {
    sheet.selectPosition(allSnapPositions[std::size_t(index)]);
    scheduleRebuild();
  });
  card->addRow(row({}, AddRuleSheetModel::positionCaption, {}, {positions}));

  QPushButton* add = button(AddRuleSheetModel::addTitle, [&sheet] { sheet.addRule(); });
  add->setAccessibleName(QStringLiteral("Add Rule for selection"));
  add->setEnabled(sheet.selectedApp() && !sheet.selectionHasRule());
  card->addRow(row({}, sheet.selectionHasRule() ? AddRuleSheetModel::existingRuleWarning : "", {},
                   {button(AddRuleSheetModel::cancelTitle, [&sheet] { sheet.close(); }), add}));
}

}  // namespace dovrik::ui
