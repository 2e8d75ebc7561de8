// Rows of the General panel over its model.
#include "ui/settings/GeneralPanelView.h"

#include <QLabel>

namespace dovrik::ui {

GeneralPanelView::GeneralPanelView(GeneralPanelModel& model, Context context, QWidget* parent)
    : SettingsPage(std::move(context), parent), model_(model) {
  model_.appear();
  watch(model_.updatesChanged());
  rebuild();
}

void GeneralPanelView::build() {
  GeneralPanelModel& m = model_;
  addHeader(GeneralPanelModel::symbol, GeneralPanelModel::title);
  if (const auto warning = m.restartWarning()) {
    addWarning(*warning);
    addWidget(button(GeneralPanelModel::relaunchTitle, [&m] { m.relaunch(); }));
  }

  addSection(GeneralPanelModel::behaviourSection);
  SettingsCard* behaviour = addCard();
  behaviour->addRow(row({}, GeneralPanelModel::snappingTitle, GeneralPanelModel::snappingSubtitle,
                        {toggle(GeneralPanelModel::snappingTitle, m.snappingEnabled(),
                                [&m](bool on) { m.setSnappingEnabled(on); })}));
  behaviour->addRow(row({}, GeneralPanelModel::loginTitle, GeneralPanelModel::loginSubtitle,
                        {toggle(GeneralPanelModel::loginTitle, m.launchAtLogin(),
                                [&m](bool on) { m.setLaunchAtLogin(on); })}));
  behaviour->addRow(row({}, GeneralPanelModel::previewTitle, GeneralPanelModel::previewSubtitle,
                        {toggle(GeneralPanelModel::previewTitle, m.showSnapPreview(),
                                [&m](bool on) { m.setShowSnapPreview(on); })}));

  addSection(GeneralPanelModel::accessibilitySection);
  SettingsCard* access = addCard();
  const GeneralPanelModel::AccessStatus status = m.accessStatus();
  std::vector<QWidget*> trailing;
  if (const auto title = m.accessButtonTitle()) {
    trailing.push_back(button(*title, [&m] {
      m.requestAccess();
      m.appear();
    }));
  }
  const bool granted = !m.accessButtonTitle() && status.symbol == "checkmark.circle.fill";
  access->addRow(row(status.symbol, status.title, status.detail, trailing,
                     color(granted ? ColorToken::success : ColorToken::warning)));

  addSection(GeneralPanelModel::updatesSection);
  SettingsCard* updates = addCard();
  const auto unavailable = m.updatesUnavailableReason();
  if (unavailable) {
    QLabel* reason = styledText(*unavailable, ColorToken::textSecondary, 12);
    reason->setObjectName(QStringLiteral("updatesUnavailableReason"));
    reason->setContentsMargins(14, 10, 14, 4);
    updates->addRow(reason);
  }
  SettingsSwitch* automatic =
      toggle(GeneralPanelModel::automaticChecksTitle, m.automaticallyChecks(),
             [&m](bool on) { m.setAutomaticallyChecks(on); });
  automatic->setEnabled(m.canChangeAutomaticChecks());
  updates->addRow(row({}, GeneralPanelModel::automaticChecksTitle,
                      GeneralPanelModel::automaticChecksSubtitle, {automatic}));
  QPushButton* checkNow = button(GeneralPanelModel::checkNowTitle, [&m] { m.checkNow(); });
  checkNow->setEnabled(m.canCheckNow());
  updates->addRow(row({}, m.versionText(), m.lastCheckText(), {checkNow}));
}

}  // namespace dovrik::ui
