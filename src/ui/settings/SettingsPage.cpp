// Builds the rows of a panel with the theme's colours and type.
#include "ui/settings/SettingsPage.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QSlider>
#include <QTimer>
#include <cmath>
#include <tuple>

#include "core/theme/Theme.h"
#include "ui/AppIcon.h"
#include "ui/KeyboardFocusRing.h"
#include "ui/PopupFonts.h"
#include "ui/ThemeColors.h"
#include "ui/settings/SettingsSymbols.h"
#include "ui/settings/SettingsText.h"

namespace dovrik::ui {

namespace {

QLabel* textLabel(std::string_view text, const QColor& color, int pixelSize, bool semibold,
                  QWidget* parent) {
  auto* label = new QLabel(qs(text), parent);
  label->setFont(popupFont(pixelSize, semibold));
  label->setWordWrap(true);
  QPalette palette = label->palette();
  palette.setColor(QPalette::WindowText, color);
  label->setPalette(palette);
  return label;
}

QLabel* symbolLabel(std::string_view symbol, const QColor& color, int size, QWidget* parent) {
  auto* label = new QLabel(parent);
  label->setPixmap(settingsSymbolPixmap(symbol, color, size));
  label->setFixedSize(size, size);
  return label;
}

}  // namespace

SettingsPage::SettingsPage(Context context, QWidget* parent)
    : QWidget(parent), context_(std::move(context)), layout_(new QVBoxLayout(this)) {
  layout_->setContentsMargins(24, 20, 24, 24);
  layout_->setSpacing(8);
}

SettingsPage::~SettingsPage() {
  for (auto& [signal, connection] : watched_)
    signal->disconnect(connection);
}

QColor SettingsPage::color(ColorToken token) const {
  return themeColor(token, context_.scheme);
}

void SettingsPage::watch(Signal<>& signal) {
  watched_.emplace_back(&signal, signal.connect([this] { scheduleRebuild(); }));
}

void SettingsPage::scheduleRebuild() {
  if (rebuildPending_)
    return;
  rebuildPending_ = true;
  QTimer::singleShot(0, this, [this] {
    rebuildPending_ = false;
    // A held slider stays; drawings that read the model are painted afresh.
    if (holdingSlider_)
      update();
    else
      rebuild();
  });
}

void SettingsPage::rebuild() {
  QWidget* focused = focusWidget();
  const QString focusName =
      focused && isAncestorOf(focused) ? focused->accessibleName() : QString();
  clear();
  build();
  layout_->addStretch(1);
  if (focusName.isEmpty())
    return;
  for (QWidget* widget : findChildren<QWidget*>()) {
    if (widget->accessibleName() == focusName && widget->focusPolicy() != Qt::NoFocus) {
      KeyboardFocusRing::moveFocus(*widget);
      return;
    }
  }
}

void SettingsPage::clear() {
  while (QLayoutItem* item = layout_->takeAt(0)) {
    delete item->widget();
    delete item;
  }
}

void SettingsPage::addWidget(QWidget* widget) {
  layout_->addWidget(widget);
}

void SettingsPage::addHeader(std::string_view symbol, std::string_view title, QWidget* trailing) {
  auto* header = new QWidget(this);
  auto* line = new QHBoxLayout(header);
  line->setContentsMargins(0, 0, 0, 8);
  line->setSpacing(10);
  line->addWidget(symbolLabel(symbol, accentColor(palette()), 24, header));
  line->addWidget(textLabel(title, color(ColorToken::textPrimary), 22, true, header));
  line->addStretch(1);
  if (trailing)
    line->addWidget(trailing);
  layout_->addWidget(header);
}

void SettingsPage::addSection(std::string_view title, QWidget* trailing) {
  auto* header = new QWidget(this);
  auto* line = new QHBoxLayout(header);
  line->setContentsMargins(4, 10, 0, 0);
  QLabel* caption = textLabel(title, color(ColorToken::textSecondary), 12, true, header);
  caption->setText(caption->text().toUpper());
  // A title is one line; wrapped, the stretch beside it squeezed it into two.
  caption->setWordWrap(false);
  line->addWidget(caption);
  line->addStretch(1);
  if (trailing)
    line->addWidget(trailing);
  layout_->addWidget(header);
}

SettingsCard* SettingsPage::addCard() {
  auto* card = new SettingsCard(context_.scheme, this);
  layout_->addWidget(card);
  return card;
}

void SettingsPage::addWarning(std::string_view text) {
  auto* box = new QFrame(this);
  QColor tint = color(ColorToken::warning);
  QColor wash = tint;
  wash.setAlphaF(0.12F);
  box->setStyleSheet(QStringLiteral("QFrame { background: %1; border: 1px solid %2;"
                                    " border-radius: 8px; }")
                         .arg(wash.name(QColor::HexArgb), tint.name()));
  auto* line = new QHBoxLayout(box);
  line->setContentsMargins(12, 8, 12, 8);
  line->addWidget(symbolLabel("exclamationmark.triangle.fill", tint, 16, box), 0, Qt::AlignTop);
  QLabel* label = textLabel(text, color(ColorToken::textPrimary), 13, false, box);
  label->setStyleSheet(QStringLiteral("border: none; background: transparent;"));
  label->setAccessibleName(qs(text));
  // A warning may name a command or a setting to change elsewhere, which the user copies.
  label->setTextInteractionFlags(Qt::TextSelectableByMouse);
  line->addWidget(label, 1);
  layout_->addWidget(box);
}

void SettingsPage::addNote(std::string_view text) {
  QLabel* label = textLabel(text, color(ColorToken::textSecondary), 12, false, this);
  label->setContentsMargins(4, 0, 4, 0);
  layout_->addWidget(label);
}

void SettingsPage::addConfirmation(const Confirmation& confirmation, std::function<void()> confirm,
                                   std::function<void()> cancel) {
  SettingsCard* card = addCard();
  auto* body = new QWidget(card);
  auto* column = new QVBoxLayout(body);
  column->setContentsMargins(14, 12, 14, 12);
  column->addWidget(textLabel(confirmation.title, color(ColorToken::textPrimary), 14, true, body));
  if (!confirmation.message.empty())
    column->addWidget(
        textLabel(confirmation.message, color(ColorToken::textSecondary), 12, false, body));
  auto* buttons = new QHBoxLayout();
  buttons->addStretch(1);
  QPushButton* no = button(confirmation.cancelButton, std::move(cancel));
  QPushButton* yes = button(confirmation.confirmButton, std::move(confirm), true);
  buttons->addWidget(no);
  buttons->addWidget(yes);
  column->addLayout(buttons);
  card->addRow(body);
  // The question takes the keyboard, so Tab and Space answer it at once.
  QTimer::singleShot(0, no, [no] { KeyboardFocusRing::moveFocus(*no); });
}

QWidget* SettingsPage::row(std::string_view symbol, std::string_view title,
                           std::string_view subtitle, const std::vector<QWidget*>& trailing,
                           std::optional<QColor> tint) {
  QPixmap leading;
  if (!symbol.empty())
    leading = settingsSymbolPixmap(symbol, tint.value_or(color(ColorToken::textSecondary)), 18);
  return imageRow(leading, title, subtitle, trailing);
}

QPixmap SettingsPage::applicationPixmap(const std::optional<std::string>& iconValue,
                                        std::string_view fallback) const {
  constexpr int size = 20;
  QPixmap icon;
  if (iconValue && !iconValue->empty())
    icon = applicationIcon(QString::fromStdString(*iconValue)).pixmap(size, devicePixelRatioF());
  if (icon.isNull())
    icon = settingsSymbolPixmap(fallback, color(ColorToken::textSecondary), size);
  return icon;
}

QWidget* SettingsPage::imageRow(const QPixmap& leading, std::string_view title,
                                std::string_view subtitle, const std::vector<QWidget*>& trailing) {
  auto* row = new QWidget(this);
  auto* line = new QHBoxLayout(row);
  line->setContentsMargins(14, 9, 14, 9);
  line->setSpacing(10);
  if (!leading.isNull()) {
    auto* image = new QLabel(row);
    image->setPixmap(leading);
    image->setFixedSize(leading.deviceIndependentSize().toSize());
    line->addWidget(image);
  }
  auto* text = new QVBoxLayout();
  text->setSpacing(1);
  text->addWidget(textLabel(title, color(ColorToken::textPrimary), 13, false, row));
  if (!subtitle.empty())
    text->addWidget(textLabel(subtitle, color(ColorToken::textSecondary), 11, false, row));
  line->addLayout(text, 1);
  for (QWidget* widget : trailing) {
    widget->setParent(row);
    line->addWidget(widget, 0, Qt::AlignVCenter);
  }
  return row;
}

QLabel* SettingsPage::styledText(std::string_view text, ColorToken token, int pixelSize,
                                 bool semibold) {
  return textLabel(text, color(token), pixelSize, semibold, this);
}

QLabel* SettingsPage::symbolImage(std::string_view symbol, const QColor& tint, int size) {
  return symbolLabel(symbol, tint, size, this);
}

QLabel* SettingsPage::valueLabel(std::string_view text) {
  return textLabel(text, color(ColorToken::textSecondary), 12, true, this);
}

SettingsSwitch* SettingsPage::toggle(std::string_view name, bool on,
                                     std::function<void(bool)> set) {
  auto* control = new SettingsSwitch(on, context_.scheme, this);
  control->setAccessibleName(qs(name));
  connect(control, &QAbstractButton::toggled, this, [this, set = std::move(set)](bool value) {
    set(value);
    scheduleRebuild();
  });
  return control;
}

QPushButton* SettingsPage::button(std::string_view title, std::function<void()> action,
                                  bool destructive) {
  auto* control = new QPushButton(qs(title), this);
  control->setAccessibleName(qs(title));
  control->setCursor(Qt::PointingHandCursor);
  control->setFocusPolicy(Qt::StrongFocus);
  const QColor fill = destructive ? color(ColorToken::danger) : color(ColorToken::surface);
  const QColor ink =
      destructive ? toQColor(Theme::textOn(Theme::color(ColorToken::danger, context_.scheme)))
                  : color(ColorToken::textPrimary);
  control->setStyleSheet(
      QStringLiteral("QPushButton { background: %1; color: %2; border: 1px solid %3;"
                     " border-radius: 6px; padding: 4px 12px; }"
                     "QPushButton:hover { border-color: %4; }"
                     "QPushButton:disabled { color: %5; background: transparent; }")
          .arg(fill.name(), ink.name(), color(ColorToken::border).name(),
               accentColor(palette()).name(), color(ColorToken::textTertiary).name()) +
      KeyboardFocusRing::rule(QStringLiteral("QPushButton"), ringColor(destructive)));
  connect(control, &QPushButton::clicked, this, [this, action = std::move(action)] {
    action();
    scheduleRebuild();
  });
  return control;
}

QColor SettingsPage::ringColor(bool onDanger) const {
  // An accent ring on the red fill of a destructive button reads poorly; the text colour does.
  return onDanger ? color(ColorToken::textPrimary) : accentColor(palette());
}

QComboBox* SettingsPage::picker(std::string_view name, const std::vector<std::string>& items,
                                int current, std::function<void(int)> choose) {
  auto* control = new QComboBox(this);
  control->setAccessibleName(qs(name));
  control->setFocusPolicy(Qt::StrongFocus);
  for (const std::string& item : items)
    control->addItem(QString::fromStdString(item));
  control->setCurrentIndex(current);
  themePicker(*control);
  connect(control, &QComboBox::activated, this,
          [choose = std::move(choose)](int index) { choose(index); });
  return control;
}

void SettingsPage::themePicker(QComboBox& control) const {
  // The page paints itself from the theme, not from Qt's palette, which stays light in a dark
  // theme; the drop-down and its list take the theme's colours through their palette, so that
  // the style still draws its arrow.
  QPalette colours = control.palette();
  for (const auto role : {QPalette::Button, QPalette::Base, QPalette::Window})
    colours.setColor(role, color(ColorToken::surface));
  for (const auto role : {QPalette::ButtonText, QPalette::Text, QPalette::WindowText})
    colours.setColor(role, color(ColorToken::textPrimary));
  colours.setColor(QPalette::Highlight, accentColor(palette()));
  colours.setColor(QPalette::HighlightedText, onAccentColor(palette()));
  control.setPalette(colours);
  // The list opens in a window of its own, which the page's style sheet reaches and a palette
  // does not.
  control.setStyleSheet(QStringLiteral("QComboBox QAbstractItemView { background: %1; color: %2;"
                                       " selection-background-color: %3; selection-color: %4;"
                                       " border: 1px solid %5; outline: none; }")
                            .arg(color(ColorToken::surface).name(),
                                 color(ColorToken::textPrimary).name(),
                                 accentColor(palette()).name(), onAccentColor(palette()).name(),
                                 color(ColorToken::border).name()));
}

QPushButton* SettingsPage::symbolButton(std::string_view symbol, std::string_view name,
                                        std::function<void()> action) {
  QPushButton* control = bareSymbolButton(symbol, name);
  connect(control, &QPushButton::clicked, this, [this, action = std::move(action)] {
    action();
    scheduleRebuild();
  });
  return control;
}

QPushButton* SettingsPage::bareSymbolButton(std::string_view symbol, std::string_view name) {
  auto* control = new QPushButton(this);
  control->setCursor(Qt::PointingHandCursor);
  control->setFocusPolicy(Qt::StrongFocus);
  control->setAccessibleName(qs(name));
  control->setToolTip(qs(name));
  control->setIcon(QIcon(settingsSymbolPixmap(symbol, color(ColorToken::textSecondary), 32)));
  control->setIconSize(QSize(14, 14));
  control->setStyleSheet(
      QStringLiteral("QPushButton { background: transparent; border: none;"
                     " padding: 3px; border-radius: 5px; }"
                     "QPushButton:hover { background: %1; }")
          .arg(color(ColorToken::hover).name(QColor::HexArgb)) +
      KeyboardFocusRing::rule(QStringLiteral("QPushButton"), accentColor(palette())));
  return control;
}

QPushButton* SettingsPage::menuButton(std::string_view name,
                                      const std::vector<MenuEntry>& entries) {
  QPushButton* control = bareSymbolButton("ellipsis", name);
  auto* menu = new QMenu(control);
  menu->setAccessibleName(qs(name));
  menu->setStyleSheet(
      // Square outside: rounded corners would need a compositor to be see-through.
      QStringLiteral("QMenu { background: %1; color: %2; border: 1px solid %3; padding: 4px; }"
                     "QMenu::item { padding: 5px 18px 5px 10px; border-radius: 5px; }"
                     "QMenu::item:selected { background: %4; color: %5; }"
                     "QMenu::separator { height: 1px; background: %3; margin: 4px 6px; }")
          .arg(color(ColorToken::surface).name(), color(ColorToken::textPrimary).name(),
               color(ColorToken::border).name(), accentColor(palette()).name(),
               onAccentColor(palette()).name()));
  for (const MenuEntry& entry : entries) {
    if (entry.destructive)
      menu->addSeparator();
    QAction* action = menu->addAction(qs(entry.title));
    if (entry.destructive)
      action->setIcon(QIcon(settingsSymbolPixmap("trash", color(ColorToken::danger), 32)));
    connect(action, &QAction::triggered, this, [this, act = entry.action] {
      act();
      scheduleRebuild();
    });
  }
  // Opened without a nested event loop: a choice rebuilds the page, menu included, on the next
  // turn of the loop, which must not come while the menu is still being run.
  connect(control, &QPushButton::clicked, menu,
          [control, menu] { menu->popup(control->mapToGlobal(QPoint(0, control->height()))); });
  return control;
}

void SettingsPage::addEmptyState(std::string_view symbol, std::string_view title,
                                 std::string_view text, QWidget* action) {
  SettingsCard* card = addCard();
  auto* body = new QWidget(card);
  auto* column = new QVBoxLayout(body);
  column->setContentsMargins(24, 22, 24, 22);
  column->setSpacing(6);
  column->addWidget(symbolLabel(symbol, color(ColorToken::textTertiary), 40, body), 0,
                    Qt::AlignHCenter);
  column->addSpacing(4);
  for (auto [line, token, size, semibold] :
       {std::tuple{title, ColorToken::textPrimary, 15, true},
        std::tuple{text, ColorToken::textSecondary, 12, false}}) {
    QLabel* label = textLabel(line, color(token), size, semibold, body);
    label->setAlignment(Qt::AlignHCenter);
    column->addWidget(label);
  }
  if (action) {
    action->setParent(body);
    column->addSpacing(6);
    column->addWidget(action, 0, Qt::AlignHCenter);
  }
  card->addRow(body);
}

ShortcutBadge* SettingsPage::badge(ShortcutRecorder& recorder,
                                   const std::optional<KeyboardShortcut>& shortcut,
                                   std::string_view name) {
  auto* control = new ShortcutBadge(recorder, shortcut, context_.scheme, context_.recordKeys, this);
  control->setAccessibleName(qs(name));
  connect(control, &QPushButton::clicked, this, [this] { scheduleRebuild(); });
  return control;
}

QWidget* SettingsPage::clipboardShortcutRow(ClipboardShortcutRow& model, std::string_view title,
                                            std::string_view subtitle) {
  QPushButton* reset = symbolButton(ClipboardShortcutRow::resetSymbol, model.resetHelp(),
                                    [&model] { model.reset(); });
  return row({}, title, subtitle, {badge(model.recorder(), model.shortcut(), title), reset});
}

QString SettingsPage::sliderStyle() const {
  // The thumb is the card's colour with an edge in light; a light knob on the dark track in
  // dark, as desktop sliders are drawn there.
  const QColor thumb =
      color(scheme() == ColorScheme::dark ? ColorToken::textSecondary : ColorToken::surface);
  const QString accent = accentColor(palette()).name();
  return QStringLiteral(
             "QSlider { min-height: 20px; }"
             "QSlider::groove:horizontal { height: 4px; border-radius: 2px; background: %1; }"
             "QSlider::sub-page:horizontal { border-radius: 2px; background: %2; }"
             "QSlider::add-page:horizontal { border-radius: 2px; background: %1; }"
             "QSlider::sub-page:horizontal:disabled { background: %4; }"
             "QSlider::handle:horizontal { width: 14px; height: 14px; margin: -6px 0;"
             " border-radius: 8px; background: %3; border: 1px solid %4; }"
             "QSlider::handle:horizontal:hover { border-color: %2; }")
             .arg(color(ColorToken::border).name(), accent, thumb.name(),
                  color(ColorToken::textTertiary).name()) +
         KeyboardFocusRing::rule(QStringLiteral("QSlider"), accentColor(palette()),
                                 QStringLiteral("::handle:horizontal"));
}

QWidget* SettingsPage::slider(const SettingSlider& range, std::string_view name, double value,
                              std::function<void(double)> set,
                              std::function<std::string()> valueText,
                              std::function<void()> released) {
  auto* box = new QWidget(this);
  auto* line = new QHBoxLayout(box);
  line->setContentsMargins(0, 0, 0, 0);
  auto* control = new QSlider(Qt::Horizontal, box);
  control->setAccessibleName(qs(name));
  control->setFocusPolicy(Qt::StrongFocus);
  control->setMinimumWidth(180);
  control->setStyleSheet(sliderStyle());
  // Whole steps on the slider; a slider that moves freely gets a hundred.
  const double step = range.step > 0 ? range.step : (range.maximum - range.minimum) / 100;
  control->setRange(0, static_cast<int>(std::lround((range.maximum - range.minimum) / step)));
  control->setValue(static_cast<int>(std::lround((value - range.minimum) / step)));
  QLabel* shown = textLabel(valueText(), color(ColorToken::textSecondary), 12, true, box);
  shown->setMinimumWidth(48);
  shown->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  line->addWidget(control, 1);
  line->addWidget(shown);
  connect(control, &QSlider::valueChanged, this,
          [range, step, shown, set = std::move(set), valueText = std::move(valueText)](int at) {
            set(range.minimum + at * step);
            shown->setText(QString::fromStdString(valueText()));
          });
  connect(control, &QSlider::sliderPressed, this, [this] { holdingSlider_ = true; });
  connect(control, &QSlider::sliderReleased, this, [this, released = std::move(released)] {
    holdingSlider_ = false;
    if (released)
      released();
    scheduleRebuild();
  });
  return box;
}

}  // namespace dovrik::ui
