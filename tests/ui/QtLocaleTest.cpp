// The locale port on Qt: month names in the user's language reach the dates of older entries,
// and application names sort the way the user's language sorts them, accents included.
#include <QLocale>
#include <QTest>
#include <string>
#include <vector>

#include "core/model/RelativeTime.h"
#include "core/rules/InstalledAppsCache.h"
#include "linux/qt/QtLocale.h"
#include "tests/unit/support/SimWorld.h"

using namespace dovrik;

namespace {

// Noon UTC on 2024-03-05, so the local date is the same day in nearly every time zone.
constexpr double kMarchFifth = 731332800;

}  // namespace

class QtLocaleTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void datesNameTheMonthInTheUsersLanguage_data() {
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("date");
    QTest::newRow("English") << QStringLiteral("en_US") << QStringLiteral("Mar 5");
    QTest::newRow("German") << QStringLiteral("de_DE") << QStringLiteral("März 5");
    QTest::newRow("French") << QStringLiteral("fr_FR") << QStringLiteral("mars 5");
  }

  void datesNameTheMonthInTheUsersLanguage() {
    QFETCH(QString, locale);
    QFETCH(QString, date);
    const qt::QtLocale port{QLocale(locale)};
    QCOMPARE(QString::fromStdString(relativeTimeText(kMarchFifth, kMarchFifth + 2 * 86400, port)),
             date);
    QVERIFY(port.shortMonthName(0).empty());
    QVERIFY(port.shortMonthName(13).empty());
  }

  void applicationNamesSortWithTheirLettersNotTheirBytes_data() {
    QTest::addColumn<QString>("locale");
    QTest::newRow("English") << QStringLiteral("en_US");
    QTest::newRow("French") << QStringLiteral("fr_FR");
  }

  void applicationNamesSortWithTheirLettersNotTheirBytes() {
    QFETCH(QString, locale);
    const qt::QtLocale port{QLocale(locale)};
    test::SimWorld world;
    world.sim.installedApps.setApps({{Uuid(), "zsh", "zsh", std::nullopt},
                                     {Uuid(), "Files", "files", std::nullopt},
                                     {Uuid(), "Écran", "ecran", std::nullopt},
                                     {Uuid(), "editor 10", "editor10", std::nullopt},
                                     {Uuid(), "Editor 2", "editor2", std::nullopt},
                                     {Uuid(), "dolphin", "dolphin", std::nullopt}});
    InstalledAppsCache cache{world.sim.installedApps, world.sim.background, port};
    QStringList names;
    for (const AppInfo& app : cache.loadNow())
      names << QString::fromStdString(app.name);
    // Case does not split the list, and numbers count as numbers.
    QCOMPARE(names, QStringList({"dolphin", "Écran", "Editor 2", "editor 10", "Files", "zsh"}));
  }
};

QTEST_MAIN(QtLocaleTest)
#include "QtLocaleTest.moc"
