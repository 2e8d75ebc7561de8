// Watching CLIPBOARD's owner, caching what it offers, and owning it for Dovrik's writes.
#include "linux/x11/X11Pasteboard.h"

#include <QByteArray>
#include <QString>
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <utility>

#include <xcb/xfixes.h>

#include "core/platform/KeptFormats.h"
#include "linux/clipboard/ClipboardBytes.h"
#include "linux/x11/XAtoms.h"

namespace dovrik::x11 {
namespace {

// An unmapped input-only window: the window managers never see it.
xcb_window_t createOwnWindow(XConnection& x) {
  if (!x.isConnected())
    return XCB_NONE;
  const xcb_window_t window = xcb_generate_id(x.raw());
  // Property changes carry the chunks of INCR transfers; the mask matches the one every
  // adapter on this connection asks for.
  const std::uint32_t mask = XCB_EVENT_MASK_PROPERTY_CHANGE | XCB_EVENT_MASK_STRUCTURE_NOTIFY;
  xcb_create_window(x.raw(), XCB_COPY_FROM_PARENT, window, x.root(), -1, -1, 1, 1, 0,
                    XCB_WINDOW_CLASS_INPUT_ONLY, XCB_COPY_FROM_PARENT, XCB_CW_EVENT_MASK, &mask);
  return window;
}

// Targets that describe the transfer rather than the content.
bool isMetaTarget(const std::string& name) {
  return name == "TARGETS" || name == "MULTIPLE" || name == "TIMESTAMP" || name == "SAVE_TARGETS" ||
         name == "DELETE";
}

std::shared_ptr<const std::string> share(std::string bytes) {
  return std::make_shared<const std::string>(std::move(bytes));
}

}  // namespace

X11Pasteboard::X11Pasteboard(XConnection& x, Scheduler& mainQueue, Background& background,
                             OwnerLookup ownerOf)
    : x_(x),
      mainQueue_(mainQueue),
      background_(background),
      ownerOf_(std::move(ownerOf)),
      atoms_(SelectionAtoms::intern(x.raw())),
      window_(createOwnWindow(x)),
      reader_(x, mainQueue, window_, atoms_),
      server_(x, window_, atoms_),
      changes_(mainQueue, changed) {
  if (window_ == XCB_NONE)
    return;
  const xcb_query_extension_reply_t* xfixes = xcb_get_extension_data(x.raw(), &xcb_xfixes_id);
  if (xfixes && xfixes->present) {
    // The server speaks XFixes to a client only after it said which version it knows.
    std::free(xcb_xfixes_query_version_reply(
        x.raw(), xcb_xfixes_query_version(x.raw(), XCB_XFIXES_MAJOR_VERSION, 0), nullptr));
    ownerEvent_ = xfixes->first_event + XCB_XFIXES_SELECTION_NOTIFY;
    xcb_xfixes_select_selection_input(x.raw(), window_, atoms_.CLIPBOARD,
                                      XCB_XFIXES_SELECTION_EVENT_MASK_SET_SELECTION_OWNER |
                                          XCB_XFIXES_SELECTION_EVENT_MASK_SELECTION_WINDOW_DESTROY |
                                          XCB_XFIXES_SELECTION_EVENT_MASK_SELECTION_CLIENT_CLOSE);
    watching_ = true;
  }
  subscription_ = x.events.connect([this](const xcb_generic_event_t& event) { onEvent(event); });
  server_.delivered.connect([this] { contentTaken.emit(); });
  x.flush();
  // What is on the clipboard already is the content at count 0.
  const auto cookie = xcb_get_selection_owner(x.raw(), atoms_.CLIPBOARD);
  xcb_generic_error_t* error = nullptr;
  const auto owner = takeReply(xcb_get_selection_owner_reply(x.raw(), cookie, &error), error);
  if (owner && owner->owner != XCB_NONE)
    fetchTargets(changes_.noticed(), owner->owner);
}

X11Pasteboard::~X11Pasteboard() {
  x_.events.disconnect(subscription_);
  if (window_ != XCB_NONE) {
    xcb_destroy_window(x_.raw(), window_);
    x_.flush();
  }
}

void X11Pasteboard::onEvent(const xcb_generic_event_t& event) {
  if (watching_ && event.response_type == ownerEvent_) {
    const auto& notify = reinterpret_cast<const xcb_xfixes_selection_notify_event_t&>(event);
    if (notify.selection == atoms_.CLIPBOARD)
      ownerChanged(notify.owner);
    return;
  }
  server_.handle(event);
  reader_.handle(event);
}

void X11Pasteboard::ownerChanged(xcb_window_t owner) {
  if (owner == window_ && ownNoticesDue_ > 0) {
    --ownNoticesDue_;
    return;
  }
  const ChangeCount generation = changes_.notice();
  reader_.abandonAll();
  if (owner == XCB_NONE || owner == window_)
    publish(generation, owner == window_ ? content_ : Content{});
  else
    fetchTargets(generation, owner);
}

void X11Pasteboard::fetchTargets(ChangeCount generation, xcb_window_t owner) {
  // Asked before the owner can go away again, so the answer belongs to this change.
  PasteboardOwner app = ownerOf_ ? ownerOf_(owner) : PasteboardOwner{};
  reader_.read(atoms_.CLIPBOARD, atoms_.TARGETS,
               [this, generation, app = std::move(app)](std::optional<SelectionReader::Data> data) {
                 if (changes_.isStale(generation))
                   return;
                 Content content;
                 content.owner = app;
                 if (data && data->type == XCB_ATOM_ATOM) {
                   std::vector<xcb_atom_t> atoms(data->bytes.size() / sizeof(xcb_atom_t));
                   std::memcpy(atoms.data(), data->bytes.data(), atoms.size() * sizeof(xcb_atom_t));
                   const auto names = atomNames(x_.raw(), atoms);
                   for (std::size_t i = 0; i < atoms.size(); ++i) {
                     if (names[i].empty() || isMetaTarget(names[i]))
                       continue;
                     content.targets.emplace_back(atoms[i], names[i]);
                     content.types.push_back(names[i]);
                   }
                 }
                 fetchHint(generation, std::move(content));
               });
}

void X11Pasteboard::fetchHint(ChangeCount generation, Content content) {
  const bool hinted = std::ranges::any_of(
      content.targets, [&](const auto& target) { return target.first == atoms_.passwordHint; });
  if (!hinted)
    return fetchText(generation, std::move(content));
  reader_.read(atoms_.CLIPBOARD, atoms_.passwordHint,
               [this, generation,
                content = std::move(content)](std::optional<SelectionReader::Data> data) mutable {
                 if (changes_.isStale(generation))
                   return;
                 if (data && data->bytes == "secret") {
                   content.types.emplace_back(concealedContentType);
                   // A secret is never pulled into Dovrik's memory: the history skips it.
                   return publish(generation, std::move(content));
                 }
                 fetchText(generation, std::move(content));
               });
}

void X11Pasteboard::fetchText(ChangeCount generation, Content content) {
  xcb_atom_t target = XCB_ATOM_NONE;
  for (const xcb_atom_t wanted : {atoms_.UTF8_STRING, atoms_.textPlainUtf8}) {
    const bool offered = std::ranges::any_of(
        content.targets, [&](const auto& offeredTarget) { return offeredTarget.first == wanted; });
    if (offered && target == XCB_ATOM_NONE)
      target = wanted;
  }
  if (target == XCB_ATOM_NONE || (keepsNothingOf && keepsNothingOf(content.owner)))
    return publish(generation, std::move(content));
  reader_.read(atoms_.CLIPBOARD, target,
               [this, generation,
                content = std::move(content)](std::optional<SelectionReader::Data> data) mutable {
                 if (changes_.isStale(generation))
                   return;
                 if (!data)
                   return publish(generation, std::move(content));
                 // Mending a large text takes long enough to be felt: off the main thread.
                 clipboard::mendInBackground(
                     background_, std::move(data->bytes),
                     lifetime_.guard([this, generation,
                                      content = std::move(content)](std::string text) mutable {
                       if (changes_.isStale(generation))
                         return;
                       content.text = std::move(text);
                       fetchFormats(generation, std::move(content), 0);
                     }));
               });
}

void X11Pasteboard::fetchFormats(ChangeCount generation, Content content, std::size_t next) {
  for (; next < keptFormats.size(); ++next) {
    const KeptFormat format = keptFormats[next];
    const auto offered = std::ranges::find_if(
        content.targets, [&](const auto& target) { return target.second == format.type; });
    if (offered == content.targets.end())
      continue;
    const xcb_atom_t target = offered->first;
    reader_.read(
        atoms_.CLIPBOARD, target,
        [this, generation, next, format,
         content = std::move(content)](std::optional<SelectionReader::Data> data) mutable {
          if (changes_.isStale(generation))
            return;
          if (data && keepsFormat(format.type, data->bytes.size()))
            content.formats.push_back({std::string(format.type), std::move(data->bytes)});
          fetchFormats(generation, std::move(content), next + 1);
        },
        format.maxBytes);
    return;
  }
  publish(generation, std::move(content));
}

void X11Pasteboard::publish(ChangeCount generation, Content content) {
  content_ = std::move(content);
  changes_.publish(generation);
}

void X11Pasteboard::readPNG(std::function<void(std::optional<Bytes>)> done) {
  if (content_.png) {
    mainQueue_.after(0, [done = std::move(done), png = *content_.png] { done(png); });
    return;
  }
  auto image = std::ranges::find_if(
      content_.targets, [&](const auto& target) { return target.first == atoms_.imagePng; });
  if (image == content_.targets.end()) {
    image = std::ranges::find_if(
        content_.targets, [](const auto& target) { return target.second.starts_with("image/"); });
  }
  if (image == content_.targets.end()) {
    mainQueue_.after(0, [done = std::move(done)] { done(std::nullopt); });
    return;
  }
  const bool isPng = image->first == atoms_.imagePng;
  reader_.read(atoms_.CLIPBOARD, image->first,
               [this, isPng, done = std::move(done)](std::optional<SelectionReader::Data> data) {
                 if (!data)
                   return done(std::nullopt);
                 // An image may be tens of megabytes: even copying it is kept off the main
                 // thread, let alone converting it.
                 clipboard::pngInBackground(background_, std::move(data->bytes), isPng, done);
               });
}

void X11Pasteboard::addTextOffers(const std::string& text,
                                  std::vector<SelectionServer::Offer>& offers,
                                  Content& content) const {
  const auto utf8 = share(text);
  const QByteArray latin1 = QString::fromStdString(text).toLatin1();
  offers.push_back({atoms_.UTF8_STRING, atoms_.UTF8_STRING, utf8});
  offers.push_back({atoms_.textPlainUtf8, atoms_.textPlainUtf8, utf8});
  offers.push_back({XCB_ATOM_STRING, XCB_ATOM_STRING, share(latin1.toStdString())});
  for (const char* type : {"UTF8_STRING", "text/plain;charset=utf-8", "STRING"})
    content.types.emplace_back(type);
  content.text = text;
}

ChangeCount X11Pasteboard::writeText(const std::string& text, bool alsoPrimary) {
  std::vector<SelectionServer::Offer> offers;
  Content content;
  addTextOffers(text, offers, content);
  return own(std::move(offers), std::move(content), alsoPrimary);
}

ChangeCount X11Pasteboard::writeRepresentations(
    const std::vector<PasteboardRepresentation>& representations, bool alsoPrimary) {
  std::vector<xcb_atom_t> atoms(representations.size(), XCB_ATOM_NONE);
  std::vector<std::pair<const char*, xcb_atom_t*>> table;
  for (std::size_t i = 0; i < representations.size(); ++i)
    table.emplace_back(representations[i].type.c_str(), &atoms[i]);
  internAtoms(x_.raw(), table);
  std::vector<SelectionServer::Offer> offers;
  Content content;
  for (std::size_t i = 0; i < representations.size(); ++i) {
    const PasteboardRepresentation& representation = representations[i];
    if (representation.type == plainTextType) {
      addTextOffers(representation.bytes, offers, content);
    } else if (atoms[i] != XCB_ATOM_NONE) {
      offers.push_back({atoms[i], atoms[i], share(representation.bytes)});
      content.types.push_back(representation.type);
      content.formats.push_back(representation);
    }
  }
  return own(std::move(offers), std::move(content), alsoPrimary);
}

std::optional<ChangeCount> X11Pasteboard::writePNG(const Bytes& png, bool alsoPrimary) {
  if (!clipboard::isReadablePNG(png))
    return std::nullopt;
  std::vector<SelectionServer::Offer> offers{
      {atoms_.imagePng, atoms_.imagePng, share(std::string(png.begin(), png.end()))}};
  Content content;
  content.types = {"image/png"};
  content.png = png;
  return own(std::move(offers), std::move(content), alsoPrimary);
}

ChangeCount X11Pasteboard::own(std::vector<SelectionServer::Offer> offers, Content content,
                               bool alsoPrimary) {
  if (alsoPrimary)
    server_.own(XCB_ATOM_PRIMARY, offers);
  if (server_.own(atoms_.CLIPBOARD, std::move(offers)) && watching_)
    ++ownNoticesDue_;
  const ChangeCount generation = changes_.notice();
  reader_.abandonAll();
  publish(generation, std::move(content));
  return generation;
}

}  // namespace dovrik::x11
