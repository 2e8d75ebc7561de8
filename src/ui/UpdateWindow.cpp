// The update window over the updater's prompt, drawn like Dovrik's other small windows.
#include "ui/UpdateWindow.h"

#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>
#include <algorithm>

#include "ui/AppIcon.h"
#include "ui/StandaloneWindowStyle.h"

namespace dovrik::ui {
namespace {

constexpr int kUpdateWindowWidth = 440;
constexpr int kUpdateIconSize = 48;
// Longer notes scroll.
constexpr int kNotesMaximumHeight = 180;

QLabel* wrappedLabel(const char* name, QWidget* parent) {
  auto* label = new QLabel(parent);
  label->setObjectName(QString::fromLatin1(name));
  label->setWordWrap(true);
  label->setTextInteractionFlags(Qt::TextSelectableByMouse);
  return label;
}

}  // namespace

UpdateWindow::UpdateWindow(UpdateManager& updates, ColorScheme scheme)
    : QDialog(nullptr, standaloneWindowFlags), updates_(updates) {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(28, 28, 28, 20);
  layout->setSpacing(12);
  // As tall as the answer and no taller: nothing to maximise.
  layout->setSizeConstraint(QLayout::SetFixedSize);

  auto* icon = new QLabel(this);
  icon->setPixmap(appIcon(kUpdateIconSize, devicePixelRatioF()));
  heading_ = wrappedLabel("heading", this);
  message_ = wrappedLabel("explanation", this);
  for (QLabel* label : {heading_, message_})
    label->setFixedWidth(kUpdateWindowWidth - 56);

  // The notes are read, not edited: a label on a card, which scrolls when they are long.
  notes_ = wrappedLabel("releaseNotes", this);
  notes_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  notes_->setAccessibleName(QStringLiteral("Release notes"));
  // Selectable with the mouse, but no stop for the keyboard and no caret.
  notes_->setFocusPolicy(Qt::NoFocus);
  notesArea_ = new QScrollArea(this);
  notesArea_->setObjectName(QStringLiteral("releaseNotesArea"));
  notesArea_->setWidget(notes_);
  notesArea_->setWidgetResizable(true);
  notesArea_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  notesArea_->setFocusPolicy(Qt::NoFocus);

  auto* buttons = new QDialogButtonBox(this);
  primary_ = addDialogButton(*buttons, {}, QDialogButtonBox::AcceptRole);
  secondary_ = addDialogButton(*buttons, {}, QDialogButtonBox::RejectRole);
  connect(secondary_, &QPushButton::clicked, this, [this] { updates_.dismiss(); });
  connect(primary_, &QPushButton::clicked, this, [this] {
    if (updates_.prompt() && updates_.prompt()->canInstall)
      updates_.install();
    else
      updates_.dismiss();
  });

  layout->addWidget(icon);
  layout->addWidget(heading_);
  layout->addWidget(message_);
  layout->addWidget(notesArea_);
  layout->addSpacing(4);
  layout->addWidget(buttons);

  observer_ = updates_.changed.connect([this] { refresh(); });
  setColorScheme(scheme);
}

UpdateWindow::~UpdateWindow() {
  updates_.changed.disconnect(observer_);
}

void UpdateWindow::setColorScheme(ColorScheme scheme) {
  applyStandaloneStyle(*this, standaloneWindowStyle(scheme, palette()));
  refresh();
}

void UpdateWindow::reject() {
  updates_.dismiss();
}

void UpdateWindow::refresh() {
  const auto& prompt = updates_.prompt();
  if (!prompt) {
    hide();
    return;
  }
  heading_->setText(QString::fromStdString(prompt->title));
  message_->setText(QString::fromStdString(prompt->message));
  notes_->setText(QString::fromStdString(prompt->releaseNotes));
  notesArea_->setVisible(!prompt->releaseNotes.empty());
  // The card is as tall as short notes; long ones scroll inside it.
  const int notesWidth = kUpdateWindowWidth - 56 - 2 * notesArea_->frameWidth() - 14;
  notesArea_->setFixedSize(kUpdateWindowWidth - 56,
                           std::min(kNotesMaximumHeight, notes_->heightForWidth(notesWidth) + 14));
  primary_->setText(QString::fromStdString(prompt->primaryButton));
  primary_->setVisible(!prompt->primaryButton.empty());
  secondary_->setText(QString::fromStdString(prompt->secondaryButton.value_or("")));
  secondary_->setVisible(prompt->secondaryButton.has_value());
  if (isVisible())
    adjustSize();
  else
    presentStandalone(*this, QStringLiteral("Dovrik — Updates"), *primary_);
}

}  // namespace dovrik::ui
