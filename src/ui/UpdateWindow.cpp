// The update window over the updater's prompt, drawn like Dovrik's other small windows.
#include "ui/UpdateWindow.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/AppIcon.h"
#include "ui/StandaloneWindowStyle.h"
#include "ui/X11WindowSupport.h"

namespace dovrik::ui {
namespace {

constexpr int kUpdateWindowWidth = 440;
constexpr int kUpdateIconSize = 48;
constexpr int kNotesHeight = 160;

QLabel* wrappedLabel(const char* name, QWidget* parent) {
  auto* label = new QLabel(parent);
  label->setObjectName(QString::fromLatin1(name));
  label->setWordWrap(true);
  label->setTextInteractionFlags(Qt::TextSelectableByMouse);
  return label;
}

}  // namespace

UpdateWindow::UpdateWindow(UpdateManager& updates, ColorScheme scheme) : updates_(updates) {
  setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowCloseButtonHint);
  setFixedWidth(kUpdateWindowWidth);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(28, 28, 28, 20);
  layout->setSpacing(12);

  auto* icon = new QLabel(this);
  icon->setPixmap(appIcon(kUpdateIconSize, devicePixelRatioF()));
  heading_ = wrappedLabel("heading", this);
  message_ = wrappedLabel("explanation", this);
  notes_ = new QPlainTextEdit(this);
  notes_->setReadOnly(true);
  notes_->setFixedHeight(kNotesHeight);
  notes_->setAccessibleName(QStringLiteral("Release notes"));

  secondary_ = new QPushButton(this);
  primary_ = new QPushButton(this);
  primary_->setObjectName(QStringLiteral("primary"));
  primary_->setDefault(true);
  connect(secondary_, &QPushButton::clicked, this, [this] { updates_.dismiss(); });
  connect(primary_, &QPushButton::clicked, this, [this] {
    if (updates_.prompt() && updates_.prompt()->canInstall)
      updates_.install();
    else
      updates_.dismiss();
  });
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(secondary_);
  buttons->addWidget(primary_);

  layout->addWidget(icon);
  layout->addWidget(heading_);
  layout->addWidget(message_);
  layout->addWidget(notes_);
  layout->addLayout(buttons);

  observer_ = updates_.changed.connect([this] { refresh(); });
  setColorScheme(scheme);
}

UpdateWindow::~UpdateWindow() {
  updates_.changed.disconnect(observer_);
}

void UpdateWindow::setColorScheme(ColorScheme scheme) {
  setStyleSheet(standaloneWindowStyle(scheme, palette()));
  refresh();
}

void UpdateWindow::closeEvent(QCloseEvent* event) {
  updates_.dismiss();
  // While an update installs the window stays: its end is what the user waits for.
  if (updates_.prompt())
    event->ignore();
  else
    event->accept();
}

void UpdateWindow::refresh() {
  const auto& prompt = updates_.prompt();
  if (!prompt) {
    hide();
    return;
  }
  heading_->setText(QString::fromStdString(prompt->title));
  message_->setText(QString::fromStdString(prompt->message));
  notes_->setPlainText(QString::fromStdString(prompt->releaseNotes));
  notes_->setVisible(!prompt->releaseNotes.empty());
  primary_->setText(QString::fromStdString(prompt->primaryButton));
  primary_->setVisible(!prompt->primaryButton.empty());
  secondary_->setText(QString::fromStdString(prompt->secondaryButton.value_or("")));
  secondary_->setVisible(prompt->secondaryButton.has_value());
  adjustSize();
  if (isVisible())
    return;
  setExactTitle(*this, QStringLiteral("Dovrik — Updates"));
  centreOnPointerScreen(*this);
  show();
  primary_->setFocus();
  bringForwardAndActivate(*this);
}

}  // namespace dovrik::ui
