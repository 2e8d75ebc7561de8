// The appcast reader: RSS items with the sparkle namespace's version elements and enclosure
// attributes.
#include "linux/qt/AppcastParser.h"

#include <QXmlStreamReader>
#include <optional>

#include "linux/qt/AppcastNotes.h"

namespace dovrik::qt {
namespace {

constexpr QLatin1String kSparkle("http://www.andymatuschak.org/xml-namespaces/sparkle");
constexpr std::size_t kMaxItems = 100;
constexpr qsizetype kMaxLineLength = 200;
constexpr qsizetype kMaxNotesLength = 20000;
// Longer addresses and signatures are not cut but refused: a shortened one is a wrong one.
constexpr qsizetype kMaxUrlLength = 2048;
constexpr qsizetype kMaxSignatureLength = 200;

UpdateService::FeedResult failure(const QString& why) {
  return {{}, QStringLiteral("The update feed could not be read: %1.").arg(why).toStdString()};
}

// Cut on a character boundary, marked with an ellipsis.
std::string truncated(QString text, qsizetype maxLength) {
  text = text.trimmed();
  if (text.size() > maxLength) {
    qsizetype cut = maxLength - 1;
    if (text[cut - 1].isHighSurrogate())
      --cut;
    text = text.first(cut) + u'…';
  }
  return text.toStdString();
}

struct ItemFields {
  AppcastItem item;
  QString url, length, signature;
  QString elementVersion, elementShortVersion, enclosureVersion, enclosureShortVersion;
  bool hasEnclosure = false;
};

void readEnclosure(const QXmlStreamAttributes& attributes, ItemFields& fields) {
  fields.hasEnclosure = true;
  fields.url = attributes.value(QLatin1String("url")).toString().trimmed();
  fields.length = attributes.value(QLatin1String("length")).toString().trimmed();
  fields.signature = attributes.value(kSparkle, QLatin1String("edSignature")).toString().trimmed();
  fields.enclosureVersion = attributes.value(kSparkle, QLatin1String("version")).toString();
  fields.enclosureShortVersion =
      attributes.value(kSparkle, QLatin1String("shortVersionString")).toString();
}

// The item's build number and display version, from its elements or else its enclosure; a feed
// that gives only a build number uses it as the display version too.
bool takeVersions(ItemFields& fields) {
  const QString build =
      fields.elementVersion.isEmpty() ? fields.enclosureVersion : fields.elementVersion;
  QString shortVersion = fields.elementShortVersion.isEmpty() ? fields.enclosureShortVersion
                                                              : fields.elementShortVersion;
  if (shortVersion.trimmed().isEmpty())
    shortVersion = build;
  fields.item.buildVersion = truncated(build, kMaxLineLength);
  fields.item.shortVersion = truncated(shortVersion, kMaxLineLength);
  return !fields.item.shortVersion.empty();
}

std::optional<AppcastItem> usableItem(ItemFields fields) {
  bool lengthOk = false;
  fields.item.length = fields.length.toULongLong(&lengthOk);
  if (!fields.hasEnclosure || fields.url.isEmpty() || fields.url.size() > kMaxUrlLength ||
      !lengthOk || fields.item.length == 0 || fields.signature.isEmpty() ||
      fields.signature.size() > kMaxSignatureLength || !takeVersions(fields))
    return std::nullopt;
  fields.item.url = fields.url.toStdString();
  fields.item.edSignature = fields.signature.toStdString();
  return fields.item;
}

// Reads one <item> up to its end tag.
std::optional<AppcastItem> readItem(QXmlStreamReader& xml) {
  ItemFields fields;
  while (xml.readNextStartElement()) {
    const QStringView name = xml.name();
    const QStringView space = xml.namespaceUri();
    if (space.isEmpty() && name == u"enclosure" && !fields.hasEnclosure) {
      readEnclosure(xml.attributes(), fields);
      xml.skipCurrentElement();
      continue;
    }
    const auto text = [&] { return xml.readElementText(QXmlStreamReader::IncludeChildElements); };
    if (space.isEmpty() && name == u"title")
      fields.item.title = truncated(text(), kMaxLineLength);
    else if (space.isEmpty() && name == u"pubDate")
      fields.item.publicationDate = truncated(text(), kMaxLineLength);
    else if (space.isEmpty() && name == u"description")
      fields.item.releaseNotes = truncated(plainTextFromNotes(text()), kMaxNotesLength);
    else if (space == kSparkle && name == u"version")
      fields.elementVersion = text();
    else if (space == kSparkle && name == u"shortVersionString")
      fields.elementShortVersion = text();
    else
      xml.skipCurrentElement();
  }
  return usableItem(std::move(fields));
}

}  // namespace

UpdateService::FeedResult parseAppcast(const QByteArray& feed) {
  QXmlStreamReader xml(feed);
  UpdateService::FeedResult result;
  if (xml.readNextStartElement() && (xml.name() != u"rss" || !xml.namespaceUri().isEmpty()))
    return failure(QStringLiteral("it is not an RSS feed"));
  while (!xml.hasError() && result.items.size() < kMaxItems && xml.readNextStartElement()) {
    if (xml.name() != u"channel") {
      xml.skipCurrentElement();
      continue;
    }
    while (result.items.size() < kMaxItems && xml.readNextStartElement()) {
      if (xml.name() == u"item" && xml.namespaceUri().isEmpty()) {
        if (std::optional<AppcastItem> item = readItem(xml); item && !xml.hasError())
          result.items.push_back(std::move(*item));
      } else {
        xml.skipCurrentElement();
      }
    }
  }
  if (xml.hasError()) {
    QString reason = xml.errorString();
    if (reason.endsWith(u'.'))
      reason.chop(1);
    return failure(
        QStringLiteral("the XML is broken at line %1 (%2)").arg(xml.lineNumber()).arg(reason));
  }
  return result;
}

}  // namespace dovrik::qt
