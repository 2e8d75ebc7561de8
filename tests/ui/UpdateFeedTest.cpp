// Reading the update feed, which arrives from the network: the items Dovrik can install come
// out whole, everything else is left out or refused in plain words.
#include <QTest>

#include "linux/qt/AppcastParser.h"

using dovrik::AppcastItem;
using dovrik::qt::parseAppcast;

namespace {

// A feed as releases are published, also a seed of the feed reader's fuzzer.
QByteArray publishedFeed() {
  QFile file(QStringLiteral(QT_TESTCASE_SOURCEDIR "/../../fuzz/corpus/appcast/two-items.xml"));
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

}  // namespace

class UpdateFeedTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  // Versions on the enclosure or as elements, notes as CDATA HTML or plain; items without a
  // signature or length cannot be installed and are left out.
  void readsTheItemsThatCanBeInstalled() {
    const auto result = parseAppcast(publishedFeed());
    QCOMPARE(result.error, std::string());
    QCOMPARE(result.items.size(), std::size_t(2));
    const AppcastItem& newest = result.items[0];
    QCOMPARE(newest.title, "Dovrik 1.5");
    QCOMPARE(newest.shortVersion, "1.5");
    QCOMPARE(newest.buildVersion, "150");
    QCOMPARE(newest.publicationDate, "Mon, 07 Dec 2026 09:00:00 +0000");
    QCOMPARE(newest.releaseNotes, "New\n\n• Faster snapping & less flicker\n• Fixes\n\nThanks!");
    QCOMPARE(newest.url, "https://example.org/dovrik-1.5");
    QCOMPARE(newest.length, 4096u);
    QCOMPARE(newest.edSignature, "c2lnbmF0dXJlLTE1");
    QCOMPARE(result.items[1].shortVersion, "1.4.2");
    QCOMPARE(result.items[1].buildVersion, "142");
    QCOMPARE(result.items[1].releaseNotes, "Plain notes.");
  }

  void refusesWhatIsNotAFeed() {
    const QByteArray feed = publishedFeed();
    const QByteArray truncated = feed.left(feed.indexOf("<enclosure") + 30);
    for (const QByteArray& document :
         {QByteArray(), QByteArray("\x89PNG garbage"),
          QByteArray("<!DOCTYPE html><html><body><p>Not found<br></body></html>"),
          QByteArray("<feed xmlns=\"http://www.w3.org/2005/Atom\"></feed>"), truncated}) {
      const auto result = parseAppcast(document);
      QVERIFY2(result.error.starts_with("The update feed could not be read: "),
               result.error.c_str());
      QVERIFY(result.items.empty());
    }
  }

  // A hostile feed is cut down to size: a hundred items at most, titles and notes shortened.
  void boundsWhatItKeeps() {
    const QByteArray item = "<item><title>" + QByteArray(5000, 'T') + "</title><description>" +
                            QByteArray(100000, 'n') +
                            "</description><enclosure url='https://example.org/d' length='1' "
                            "sparkle:version='2' sparkle:edSignature='c2ln'/></item>";
    const QByteArray published = publishedFeed();
    const QByteArray feed =
        published.left(published.indexOf("<item>")) + item.repeated(150) + "</channel></rss>";
    const auto result = parseAppcast(feed);
    QCOMPARE(result.items.size(), std::size_t(100));
    QCOMPARE(QString::fromStdString(result.items[0].title).size(), 200);
    QCOMPARE(QString::fromStdString(result.items[0].releaseNotes).size(), 20000);
    QVERIFY(result.items[0].releaseNotes.ends_with("…"));
  }
};

QTEST_GUILESS_MAIN(UpdateFeedTest)
#include "UpdateFeedTest.moc"
