// dovrik-agent: the tray agent on a Linux X11 desktop, started by the `dovrik` client in its
// place. Builds the platform from the real adapters, starts the core, and shows the tray icon;
// a second start hands over to the running one, and a command (`dovrik snap left-half`) is
// carried out by the running one.
#include <malloc.h>
#include <unistd.h>

#include <QApplication>
#include <QBuffer>
#include <QCoreApplication>
#include <QFile>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "core/app/App.h"
#include "core/cli/CommandLine.h"
#include "core/install/InstallLocation.h"
#include "core/install/RelocateModel.h"
#include "linux/files/AgentPaths.h"
#include "linux/files/ConfigPaths.h"
#include "linux/files/FileDefaultsDomains.h"
#include "linux/files/FileIo.h"
#include "linux/files/PosixFiles.h"
#include "linux/files/XdgInstaller.h"
#include "linux/files/XdgLoginItem.h"
#include "linux/ipc/CommandLineClient.h"
#include "linux/qt/ColorSchemeWatcher.h"
#include "linux/qt/QtLifecycle.h"
#include "linux/qt/QtLocale.h"
#include "linux/qt/QtMainQueue.h"
#include "linux/qt/QtShell.h"
#include "linux/qt/QtUpdateService.h"
#include "linux/qt/QuitSignals.h"
#include "linux/qt/ServerLossQuit.h"
#include "linux/qt/SingleInstance.h"
#include "linux/qt/ThreadPoolBackground.h"
#include "linux/session/LinuxPlatform.h"
#include "ui/AppIcon.h"
#include "ui/ClipboardPopupWindow.h"
#include "ui/IconThemeFallback.h"
#include "ui/RelocationWindow.h"
#include "ui/SnapPreviewWindow.h"
#include "ui/TrayIcon.h"
#include "ui/UpdateWindow.h"
#include "ui/X11WindowSupport.h"
#include "ui/onboarding/OnboardingWindowView.h"
#include "ui/settings/SettingsWindowView.h"

namespace {

using namespace dovrik;

// A window of ours that the user sees as one: a managed window or dialog. Menus, tooltips and
// the tray icon's own window (which bypasses the window manager) do not count.
bool hasVisibleWindow() {
  for (const QWidget* widget : QApplication::topLevelWidgets()) {
    const Qt::WindowType type = widget->windowType();
    if (widget->isVisible() && (type == Qt::Window || type == Qt::Dialog) &&
        !widget->windowFlags().testFlag(Qt::BypassWindowManagerHint))
      return true;
  }
  return false;
}

constexpr int kIconSizes[] = {16, 32, 48, 64, 128, 256};
constexpr int kLargeBlockBytes = 1 << 20;

std::string environment(const char* name) {
  const char* value = std::getenv(name);
  return value ? value : "";
}

// What makes an installed copy known to the desktop: the project's desktop entry, built in,
// and the icon drawn at the sizes menus ask for.
files::DesktopFiles desktopFiles() {
  const auto resource = [](const QString& name) {
    QFile file(name);
    file.open(QIODevice::ReadOnly);
    return file.readAll().toStdString();
  };
  files::DesktopFiles result{
      .applicationId = "org.dovrik.Dovrik",
      .desktopEntry = resource(QStringLiteral(":/org.dovrik.Dovrik.desktop")),
      .agentEntry = resource(QStringLiteral(":/org.dovrik.Dovrik.Agent.desktop")),
      .iconPngs = {}};
  for (const int size : kIconSizes) {
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    ui::appIcon(size).save(&buffer, "PNG");
    result.iconPngs.emplace_back(size, png.toStdString());
  }
  return result;
}

// The client this agent installs beside itself, built in.
std::string carriedClient() {
  QFile client(QStringLiteral(":/dovrik"));
  client.open(QIODevice::ReadOnly);
  return client.readAll().toStdString();
}

files::ProgramFiles programFiles() {
  return {.agent = files::runningExecutablePath().value_or(std::filesystem::path()),
          .client = carriedClient()};
}

// An update replaces the user's agent alone; the client it carries follows at its next start.
// An agent that an update put in the client's own place, as Dovrik was once one program, first
// copies itself where the client looks for it.
void renewUserClient(const std::filesystem::path& userClient, qt::QtShell& shell) {
  const auto self = files::runningExecutablePath();
  const std::filesystem::path agent = files::installedAgentOf(userClient);
  if (!self || (*self != agent && *self != userClient))
    return;
  const std::string carried = carriedClient();
  if (carried.empty() || files::readWholeFile(userClient).contents == carried)
    return;
  std::optional<std::string> error;
  if (*self == userClient)
    error = files::writeFileAtomically(agent, files::readWholeFile(*self).contents, 0755);
  if (!error)
    error = files::writeFileAtomically(userClient, carried, 0755);
  if (error)
    shell.systemLog("Dovrik could not renew " + userClient.string() + ": " + *error);
}

// A copy that runs from a place it cannot keep shows only the window that moves it, and runs
// until that window ends it; answers its exit status then, or nothing for any other copy (one
// installed for the user renews its client then). It takes no part in the single-instance
// claim: a Dovrik that runs keeps running undisturbed, and the installed copy this window
// starts hands over to it like any later start.
std::optional<int> runRelocationIfNeeded(const std::filesystem::path& executable) {
  const std::string home = environment("HOME");
  const auto dataHome = files::dataHome();
  if (!home.starts_with('/') || !dataHome)
    return std::nullopt;
  qt::QtMainQueue mainQueue;
  qt::QtShell shell;
  const qt::SingleInstance instance = qt::SingleInstance::forCurrentSession();
  files::XdgInstaller installer(*dataHome, programFiles, desktopFiles, mainQueue, shell,
                                [&instance] { return instance.isClaimed(); });
  const InstallLocation location({.executable = executable,
                                  .home = home,
                                  .appImage = environment("APPIMAGE"),
                                  .runtimeDir = environment("XDG_RUNTIME_DIR")},
                                 installer, PlatformTexts::linux());
  if (!location.needsRelocation()) {
    renewUserClient(location.userTarget(), shell);
    return std::nullopt;
  }

  qt::QtLifecycle lifecycle(executable,
                            [&shell](const std::string& line) { shell.systemLog(line); });
  RelocateModel model(location, installer, mainQueue, lifecycle, PlatformTexts::linux());
  qt::ColorSchemeWatcher colorScheme;
  ui::RelocationWindow window(model, colorScheme.scheme());
  QObject::connect(&colorScheme, &qt::ColorSchemeWatcher::schemeChanged, &window,
                   [&window](ColorScheme scheme) { window.setColorScheme(scheme); });
  window.present();
  qt::QuitSignals quitSignals;
  return QApplication::exec();
}

int runAgent(int argc, char** argv) {
  // Qt's platform plugin would abort, with a page about plugins, where no display answers.
  if (const auto problem = LinuxPlatform::unreachableDisplay()) {
    std::fprintf(stderr, "%s\n", problem->c_str());
    return 1;
  }
  // Clipboard images and their saved form can be tens of megabytes each, made and dropped on
  // several threads. Such blocks are given back to the system when freed, rather than left in
  // the allocator's pools, where a weeks-long session would keep its largest moment forever.
  mallopt(M_MMAP_THRESHOLD, kLargeBlockBytes);
  QApplication qtApp(argc, argv);
  QApplication::setApplicationName(QStringLiteral("dovrik"));
  QApplication::setApplicationDisplayName(QStringLiteral("Dovrik"));
  QIcon icon;
  for (const int size : kIconSizes)
    icon.addPixmap(ui::appIcon(size));
  QApplication::setWindowIcon(icon);
  ui::installIconThemeFallback();
  // An agent: closing a notice or any other window of ours never ends Dovrik.
  QApplication::setQuitOnLastWindowClosed(false);

  const std::filesystem::path executable =
      files::takeProgramPath().value_or(std::filesystem::absolute(argv[0]));
  if (const auto relocated = runRelocationIfNeeded(executable))
    return *relocated;

  qt::SingleInstance instance = qt::SingleInstance::forCurrentSession();
  switch (instance.claim(qt::QtLifecycle::takePredecessor())) {
    case qt::SingleInstance::Claim::forwarded:
      return 0;
    case qt::SingleInstance::Claim::failed:
      std::fputs("Dovrik: another Dovrik runs on this display but did not answer.\n", stderr);
      return 1;
    case qt::SingleInstance::Claim::primary:
      break;
  }

  const auto configHome = files::configHome();
  const auto dataHome = files::dataHome();
  if (!configHome || !dataHome) {
    std::fputs(
        "Dovrik: no home folder to keep the settings and the clipboard history in ($HOME is not "
        "set).\n",
        stderr);
    return 1;
  }

  qt::QtMainQueue mainQueue;
  qt::ThreadPoolBackground background;
  qt::QtShell shell;
  files::PosixFiles files(*dataHome);
  files::FileDefaultsDomains defaults(files::dovrikConfigFolder(*configHome),
                                      [&shell](const std::string& line) { shell.systemLog(line); });
  files::XdgLoginItem loginItem(*configHome, executable);
  qt::QtLifecycle lifecycle(executable,
                            [&shell](const std::string& line) { shell.systemLog(line); });
  const qt::QtLocale locale;
  qt::QtUpdateService updateService(QStringLiteral(DOVRIK_UPDATE_FEED_URL),
                                    QByteArrayLiteral(DOVRIK_UPDATE_PUBLIC_KEY),
                                    QString::fromStdString(executable.string()));

  LinuxPlatform linuxPlatform(
      LinuxPlatform::detectDesktop(),
      {.display = {},
       .ownPid = ::getpid(),
       .dataDirs = {},
       .serviceOnQtLoop = true,
       .previewLook = {.paint =
                           [](QPainter& painter, const QSize& size, const OverlayContent& content) {
                             ui::SnapPreviewWindow::paintPreview(
                                 painter, size, content,
                                 QApplication::palette().color(QPalette::Active,
                                                               QPalette::Highlight));
                           },
                       .easing =
                           [](AnimationCurve curve, double progress) {
                             return ui::easingFor(curve).valueForProgress(progress);
                           }}},
      mainQueue, background);
  DesktopAdapters& desktop = linuxPlatform.adapters();
  const auto toWindowCoordinates = [&desktop](const Rect& desktopFrame) {
    return desktop.toWindowCoordinates(desktopFrame);
  };
  ui::SnapPreviewWindow preview(toWindowCoordinates);
  qt::ColorSchemeWatcher colorScheme;
  ui::ClipboardPopupWindow popup(
      toWindowCoordinates,
      [&desktop](std::uint8_t keycode, std::uint16_t state) {
        return desktop.shortcutPressedInPopup(keycode, state);
      },
      colorScheme.scheme(),
      desktop.placesOwnWindows() ? ui::ClipboardPopupWindow::DesktopPlacement{
                                       .present =
                                           [&desktop](const std::string& title, const Rect& frame) {
                                             desktop.presentOwnWindow(title, frame);
                                           },
                                       .dismissed = [&desktop] { desktop.returnKeyboard(); }}
                                 : ui::ClipboardPopupWindow::DesktopPlacement{});
  QObject::connect(&colorScheme, &qt::ColorSchemeWatcher::schemeChanged, &popup,
                   [&popup](ColorScheme scheme) { popup.setColorScheme(scheme); });
  ui::SettingsWindowView settings(
      colorScheme.scheme(), [&desktop](quint32 keycode) { return desktop.keyCodeAt(keycode); });
  QObject::connect(&colorScheme, &qt::ColorSchemeWatcher::schemeChanged, &settings,
                   [&settings](ColorScheme scheme) { settings.setColorScheme(scheme); });
  ui::OnboardingWindowView onboarding(colorScheme.scheme());
  QObject::connect(&colorScheme, &qt::ColorSchemeWatcher::schemeChanged, &onboarding,
                   [&onboarding](ColorScheme scheme) { onboarding.setColorScheme(scheme); });

  App app(linuxPlatform.platform(HostPorts{
      .clock = mainQueue,
      .scheduler = mainQueue,
      .background = background,
      .defaults = defaults,
      .shell = shell,
      .loginItem = loginItem,
      .locale = locale,
      .files = files,
      .lifecycle = lifecycle,
      .updateService = updateService,
      .settingsWindow = settings,
      .onboardingWindow = onboarding,
      .popupPanel = popup,
      .overlaySurface = preview,
  }));
  app.setVersion(DOVRIK_VERSION, DOVRIK_BUILD_NUMBER);
  // Until there is a settings window to show it in, a refused hotkey is told where a user who
  // started Dovrik from a terminal, or reads the session's log, will see it.
  // Registration runs again on every change of the shortcuts; tell each refusal once.
  std::string lastRefusal;
  const auto tellRefusedHotkeys = [&app, &lastRefusal] {
    const std::string notice = ShortcutManager::refusalNotice(
        app.shortcutManager().unavailablePositions(), PlatformTexts::linux(),
        app.shortcutManager().unavailableWindowActions());
    if (!notice.empty() && notice != lastRefusal)
      std::fprintf(stderr, "%s\n", notice.c_str());
    lastRefusal = notice;
  };
  app.shortcutManager().unavailablePositionsChanged.connect(tellRefusedHotkeys);
  app.start();

  if (!app.accessibilityTrust().hasAccessibilityPermission()) {
    std::string reason = desktop.accessibility().untrustedReason();
    if (reason.empty())
      reason = PlatformTexts::linux().accessibilityMissingDetail;
    std::fprintf(stderr,
                 "%s\nDovrik keeps running in the tray and starts its hotkeys as soon as that "
                 "changes.\n",
                 reason.c_str());
  }

  ui::TrayIcon tray(app.menuBarController(), colorScheme.scheme(),
                    desktop.trayFollowsPalette() ? ui::TrayIcon::Art::paletteGlyph
                                                 : ui::TrayIcon::Art::applicationIcon);
  QObject::connect(&colorScheme, &qt::ColorSchemeWatcher::schemeChanged, &tray,
                   [&tray](ColorScheme scheme) { tray.setColorScheme(scheme); });
  tray.show();
  ui::UpdateWindow updateWindow(app.updateManager(), colorScheme.scheme());
  QObject::connect(&colorScheme, &qt::ColorSchemeWatcher::schemeChanged, &updateWindow,
                   [&updateWindow](ColorScheme scheme) { updateWindow.setColorScheme(scheme); });

  // Opened again while running: with one of our windows on screen nothing happens; otherwise
  // the trust answer is refreshed, and the settings open, or the first-run window.
  instance.setReopenHandler([&app] {
    if (hasVisibleWindow())
      return;
    app.reopen();
    if (app.accessibilityTrust().hasAccessibilityPermission())
      app.openSettings();
    else
      app.showOnboarding();
  });
  instance.setRequestHandler(
      [&app, &desktop](const QByteArray& line, qt::SingleInstance::Reply reply) {
        desktop.catchUp();
        cli::answerRequest(app, line.toStdString(), [reply = std::move(reply)](std::string answer) {
          reply(QByteArray::fromStdString(answer));
        });
      });

  // Quitting from the tray, or by a signal, first writes what still waits to be saved: a copy
  // made just before would otherwise be lost.
  qt::QuitSignals quitSignals;
  QObject::connect(&qtApp, &QCoreApplication::aboutToQuit, [&app] { app.flush(); });
  qt::ServerLossQuit serverLoss([&app, &instance] {
    app.flush();
    instance.release();
  });
  desktop.setConnectionLostHandler([&serverLoss] { serverLoss.lost(); });
  return QApplication::exec();
}

}  // namespace

int main(int argc, char** argv) {
  // Started directly, the agent answers commands like the client does.
  if (const auto status =
          ipc::runCommandLine(std::vector<std::string>(argv + 1, argv + argc), DOVRIK_VERSION))
    return *status;
  return runAgent(argc, argv);
}
