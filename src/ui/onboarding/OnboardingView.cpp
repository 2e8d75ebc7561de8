// Builds the onboarding content with the settings window's theme and controls.
#include "ui/onboarding/OnboardingView.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QTimer>

#include "ui/AppIcon.h"
#include "ui/KeyboardFocusRing.h"
#include "ui/StandaloneWindowStyle.h"
#include "ui/ThemeColors.h"
#include "ui/settings/SettingsText.h"

namespace dovrik::ui {

namespace {

constexpr int kOnboardingIconSize = 68;

}  // namespace

OnboardingView::OnboardingView(OnboardingModel& model, ColorScheme scheme, QWidget* parent)
    : SettingsPage({.scheme = scheme, .recordKeys = {}}, parent), model_(model) {
  watch(model_.changed);
  rebuild();
}

void OnboardingView::build() {
  addHeaderBlock();
  addExplanationCard();
  if (model_.trusted())
    addTrustedActions();
  else
    addUntrustedActions();
  // A rebuild that removed the focused control hands the keyboard to the leading button.
  QTimer::singleShot(0, primary_, [this, button = primary_] {
    QWidget* focused = window()->focusWidget();
    if (!focused || !isAncestorOf(focused))
      button->setFocus(Qt::OtherFocusReason);
  });
}

void OnboardingView::addHeaderBlock() {
  auto* icon = new QLabel(this);
  icon->setPixmap(appIcon(kOnboardingIconSize, devicePixelRatioF()));
  icon->setFixedSize(kOnboardingIconSize, kOnboardingIconSize);
  icon->setAccessibleName(qs(OnboardingModel::name));
  QLabel* name = styledText(OnboardingModel::name, ColorToken::textPrimary, 22, true);
  QLabel* version = styledText(model_.versionText(), ColorToken::textTertiary, 11);
  addWidget(centred({icon, name, version}));
}

void OnboardingView::addExplanationCard() {
  SettingsCard* card = addCard();
  auto* body = new QWidget(card);
  auto* column = new QVBoxLayout(body);
  column->setContentsMargins(16, 14, 16, 14);
  column->setSpacing(8);
  column->addWidget(styledText(OnboardingModel::cardTitle, ColorToken::textPrimary, 15, true));
  column->addWidget(styledText(model_.permissionText(), ColorToken::textSecondary, 12));
  for (const std::string& assurance : model_.assurances()) {
    auto* line = new QHBoxLayout();
    line->setSpacing(8);
    line->addWidget(symbolImage(OnboardingModel::trustedSymbol, color(ColorToken::success), 14), 0,
                    Qt::AlignTop);
    line->addWidget(styledText(assurance, ColorToken::textSecondary, 12), 1);
    column->addLayout(line);
  }
  column->addWidget(styledText(model_.clipboardNote(), ColorToken::textTertiary, 11));
  if (const auto dragsNote = model_.dragsNotFollowedNote())
    column->addWidget(styledText(*dragsNote, ColorToken::textSecondary, 12));
  QPushButton* link = button(OnboardingModel::privacyTitle, [this] { model_.openPrivacyPolicy(); });
  link->setStyleSheet(
      QStringLiteral("QPushButton { background: transparent; border: none;"
                     " color: %1; padding: 0; min-width: 0; text-align: left; }"
                     "QPushButton[%2=\"true\"] { text-decoration: underline; }")
          .arg(accentColor(palette()).name(), QString::fromLatin1(KeyboardFocusRing::property)));
  column->addWidget(link, 0, Qt::AlignLeft);
  card->addRow(body);
}

void OnboardingView::addTrustedActions() {
  auto* heading = new QWidget(this);
  auto* line = new QHBoxLayout(heading);
  line->setContentsMargins(0, 8, 0, 0);
  line->addStretch(1);
  line->addWidget(symbolImage(OnboardingModel::trustedSymbol, color(ColorToken::success), 22));
  line->addWidget(styledText(OnboardingModel::trustedHeading, ColorToken::textPrimary, 16, true));
  line->addStretch(1);
  addWidget(heading);
  if (const auto tryIt = model_.tryItText())
    addWidget(centredText(*tryIt, ColorToken::textSecondary, 12));
  addWidget(
      actionRow(dialogButton(OnboardingModel::getStartedTitle, [this] { model_.dismiss(); })));
}

void OnboardingView::addUntrustedActions() {
  if (const auto note = model_.missingNote())
    addWidget(centredText(*note, ColorToken::textSecondary, 12));
  QPushButton* ask = dialogButton(model_.primaryTitle(), [this] { model_.requestAccess(); });
  QPushButton* later = dialogButton(OnboardingModel::setUpLaterTitle, [this] { model_.dismiss(); });
  addWidget(actionRow(ask, later));
  if (model_.isWaitingForPermission()) {
    addWidget(centredText(model_.waitingText(), ColorToken::textSecondary, 12));
    addWidget(centredText(model_.waitingDetail(), ColorToken::textTertiary, 11));
  }
  if (model_.needsRelaunchHint()) {
    addWidget(centredText(OnboardingModel::relaunchHint, ColorToken::textSecondary, 11));
    addWidget(
        centred({dialogButton(OnboardingModel::relaunchTitle, [this] { model_.relaunch(); })}));
  }
}

QPushButton* OnboardingView::dialogButton(std::string_view title, std::function<void()> action) {
  QPushButton* control = button(title, std::move(action));
  // The window's style sheet draws it.
  control->setStyleSheet(QString());
  return control;
}

QDialogButtonBox* OnboardingView::actionRow(QPushButton* lead, QPushButton* secondary) {
  auto* row = new QDialogButtonBox(this);
  row->setCenterButtons(true);
  row->setContentsMargins(0, 4, 0, 4);
  placeDialogButton(*row, *lead, QDialogButtonBox::AcceptRole);
  if (secondary)
    placeDialogButton(*row, *secondary, QDialogButtonBox::RejectRole);
  primary_ = lead;
  return row;
}

QLabel* OnboardingView::centredText(std::string_view text, ColorToken token, int pixelSize) {
  QLabel* label = styledText(text, token, pixelSize);
  label->setAlignment(Qt::AlignHCenter);
  return label;
}

QWidget* OnboardingView::centred(std::initializer_list<QWidget*> widgets) {
  auto* box = new QWidget(this);
  auto* column = new QVBoxLayout(box);
  column->setContentsMargins(0, 4, 0, 4);
  column->setSpacing(6);
  for (QWidget* widget : widgets) {
    widget->setParent(box);
    column->addWidget(widget, 0, Qt::AlignHCenter);
  }
  return box;
}

}  // namespace dovrik::ui
