// Turning HTML release notes into lines of plain text without an HTML engine: the feed is
// untrusted, so the notes are only ever text to us.
#include "linux/qt/AppcastNotes.h"

#include <QHash>
#include <QStringList>

namespace dovrik::qt {
namespace {

// Tags that end a line of text where they stand.
bool breaksLine(const QString& tag) {
  static const QStringList tags{"br", "p",  "div", "li", "ul", "ol",  "tr",         "h1",
                                "h2", "h3", "h4",  "h5", "h6", "pre", "blockquote", "hr"};
  return tags.contains(tag);
}

QString decodedReference(const QString& name) {
  static const QHash<QString, QString> named{{"amp", "&"},   {"lt", "<"},   {"gt", ">"},
                                             {"quot", "\""}, {"apos", "'"}, {"nbsp", " "}};
  if (const auto found = named.constFind(name); found != named.cend())
    return *found;
  if (name.startsWith(u'#')) {
    bool ok = false;
    const bool hex = name.size() > 1 && (name[1] == u'x' || name[1] == u'X');
    const uint code = hex ? name.mid(2).toUInt(&ok, 16) : name.mid(1).toUInt(&ok, 10);
    // Control characters and values beyond Unicode stay out of the text.
    if (ok && code >= 0x20 && code <= 0x10FFFF && (code < 0xD800 || code > 0xDFFF)) {
      const char32_t character = code;
      return QString::fromUcs4(&character, 1);
    }
  }
  return QStringLiteral("&") + name + u';';
}

// Lowercased element name of a tag's inside ("/P class=x" gives "p").
QString tagName(QStringView inside) {
  if (inside.startsWith(u'/'))
    inside = inside.mid(1);
  qsizetype end = 0;
  while (end < inside.size() && inside[end].isLetterOrNumber())
    ++end;
  return inside.first(end).toString().toLower();
}

QString collapsedLines(const QString& text) {
  QStringList lines;
  for (const QString& line : text.split(u'\n')) {
    const QString simple = line.simplified();
    if (!simple.isEmpty() || (!lines.isEmpty() && !lines.last().isEmpty()))
      lines.append(simple);
  }
  while (!lines.isEmpty() && lines.last().isEmpty())
    lines.removeLast();
  return lines.join(u'\n');
}

}  // namespace

QString plainTextFromNotes(const QString& notes) {
  QString text;
  text.reserve(notes.size());
  QString skippedUntil;  // closing tag of a script or style element being left out
  // In HTML a line break in the source is only a space; plain notes keep their lines.
  const bool html = notes.contains(u'<');
  qsizetype i = 0;
  while (i < notes.size()) {
    const QChar c = notes[i];
    if (c == u'<') {
      const qsizetype close = notes.indexOf(u'>', i + 1);
      if (close < 0)
        break;
      const QStringView inside = QStringView(notes).sliced(i + 1, close - i - 1);
      const QString name = tagName(inside);
      const bool closing = inside.startsWith(u'/');
      if (!skippedUntil.isEmpty()) {
        if (closing && name == skippedUntil)
          skippedUntil.clear();
      } else if (!closing && (name == u"script" || name == u"style")) {
        skippedUntil = name;
      } else if (breaksLine(name)) {
        // A list item starts a line; its end tag adds nothing, so items stay together.
        if (name != u"li")
          text += u'\n';
        else if (!closing)
          text += QStringLiteral("\n• ");
      }
      i = close + 1;
      continue;
    }
    if (!skippedUntil.isEmpty()) {
      ++i;
      continue;
    }
    if (c == u'&') {
      const qsizetype semicolon = notes.indexOf(u';', i + 1);
      if (semicolon > i && semicolon - i <= 10) {
        text += decodedReference(notes.mid(i + 1, semicolon - i - 1));
        i = semicolon + 1;
        continue;
      }
    }
    const bool space = c == u'\t' || c == u'\r' || (html && c == u'\n');
    text += space ? QChar(u' ') : c;
    ++i;
  }
  return collapsedLines(text);
}

}  // namespace dovrik::qt
