// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "sign/page_content.h"

#include <algorithm>
#include <vector>
#include <qpdf/QPDF.hh>
#include <qpdf/QPDFPageObjectHelper.hh>


namespace yz {

namespace {

// Passes the data on but not the end of each piece, so that several streams make one.
class Continuing : public Pipeline {
 public:
  explicit Continuing(Pipeline* next) : Pipeline("continuing", next) {}
  void write(unsigned char const* data, size_t length) override { getNext()->write(data, length); }
  void finish() override {}
};

std::vector<QPDFObjectHandle> ContentStreams(QPDFPageObjectHelper& page) {
  std::vector<QPDFObjectHandle> streams;
  QPDFObjectHandle contents = page.getObjectHandle().getKey("/Contents");
  if (contents.isStream()) streams.push_back(contents);
  if (contents.isArray())
    for (QPDFObjectHandle item : contents.aitems())
      if (item.isStream()) streams.push_back(item);
  return streams;
}

// Pipes a content stream's decoded data (as much of it as decodes, as the readers draw it);
// false when its filters are none the library knows, in which case what reached `pipeline` is
// not content.
bool PipeDecoded(QPDFObjectHandle stream, Pipeline* pipeline) {
  bool filtered = false;
  stream.pipeStreamData(pipeline, &filtered, 0, qpdf_dl_specialized, true);
  QPDFObjectHandle filter = stream.getDict().getKey("/Filter");
  return filtered || !(filter.isName() || (filter.isArray() && filter.getArrayNItems() > 0));
}

ContentEnd ScanContent(const std::vector<QPDFObjectHandle>& streams) {
  ContentScan scan;
  ContentEnd end;
  for (size_t i = 0; i < streams.size(); ++i) {
    const ContentState before = scan.State();
    // A stream no reader can decode draws nothing: it changes nothing either.
    end.readable.push_back(PipeDecoded(streams[i], &scan));
    if (!end.readable.back()) scan.Restore(before);
    if (i + 1 < streams.size()) end.runsOn.push_back(scan.State().RunsOn());
  }
  end.state = scan.State();
  return end;
}

const ContentEnd& EndOf(const std::vector<QPDFObjectHandle>& streams, ContentEnds& known) {
  std::vector<QPDFObjGen> key;
  for (QPDFObjectHandle stream : streams) key.push_back(stream.getObjGen());
  // A direct stream cannot be shared; its key would not tell it from another.
  const bool keyed = std::none_of(key.begin(), key.end(), [](const QPDFObjGen& id) { return id.getObj() == 0; });
  if (!keyed) key.clear();
  auto at = known.find(key);
  if (at == known.end() || !keyed) at = known.insert_or_assign(key, ScanContent(streams)).first;
  return at->second;
}

// Content that no closing operators can tidy: a restore with nothing saved (one reader ignores
// it, another stops drawing the page there, the stamp with it), an open string, array,
// dictionary or inline image (it would take the stamp's operators in), or more open saves than
// are worth closing one by one.
bool NeedsIsolating(const ContentState& scan) {
  constexpr long long kMostToClose = 64;
  return scan.RestoredTooMuch() || !scan.EndsCleanly() || scan.OpenSaves() > kMostToClose ||
         scan.OpenMarkedContent() > kMostToClose;
}

constexpr double kFarAway = 1e5;  // points: beyond any page

// The page's resources as they are now, for its content made a form: what is added to the
// page's resources later (the form's own name) does not reach the form's.
QPDFObjectHandle ResourcesAsTheyAre(QPDFPageObjectHelper& page) {
  QPDFObjectHandle resources = page.getAttribute("/Resources", false);
  QPDFObjectHandle copy = QPDFObjectHandle::newDictionary();
  if (!resources.isDictionary()) return copy;
  for (auto [key, value] : resources.ditems())
    copy.replaceKey(key, value.isDictionary() && !value.isIndirect() ? value.shallowCopy() : value);
  return copy;
}

// The page's own content becomes a form XObject drawn first: a reader reads a form's content on
// its own and restores its state after it, so whatever the content does stays inside it, and
// the page draws exactly as before. The streams are joined as the readers join them, a space
// between them except where one runs on into the next; the data is copied only as the file is
// written.
QPDFObjectHandle PageAsForm(QPDFPageObjectHelper& page, const std::vector<QPDFObjectHandle>& streams,
                            const ContentEnd& end) {
  QPDF& pdf = *page.getObjectHandle().getOwningQPDF();
  QPDFObjectHandle form = pdf.newStream();
  form.replaceStreamData(
      [streams, readable = end.readable, runsOn = end.runsOn](Pipeline* out) {
        Continuing joined(out);
        for (size_t i = 0; i < streams.size(); ++i) {
          if (i > 0 && !runsOn[i - 1]) joined.write(reinterpret_cast<const unsigned char*>(" "), 1);
          if (readable[i]) PipeDecoded(streams[i], &joined);
        }
        out->finish();
      },
      QPDFObjectHandle::newNull(), QPDFObjectHandle::newNull());
  QPDFObjectHandle dict = form.getDict();
  dict.replaceKey("/Type", QPDFObjectHandle::newName("/XObject"));
  dict.replaceKey("/Subtype", QPDFObjectHandle::newName("/Form"));
  // The page shows no more than its media box; a box that cannot be read clips nothing.
  QPDFObjectHandle media = page.getMediaBox();
  dict.replaceKey("/BBox", media.isRectangle() ? media.shallowCopy()
                                               : QPDFObjectHandle::newArray(QPDFObjectHandle::Rectangle(
                                                     -kFarAway, -kFarAway, kFarAway, kFarAway)));
  dict.replaceKey("/Resources", ResourcesAsTheyAre(page));
  return form;
}

QPDFObjectHandle OwnCopy(QPDFObjectHandle parent, const std::string& key) {
  QPDFObjectHandle value = parent.getKey(key);
  if (!value.isDictionary()) {
    value = QPDFObjectHandle::newDictionary();
  } else if (value.isIndirect()) {
    value = value.shallowCopy();
  } else {
    return value;
  }
  parent.replaceKey(key, value);
  return value;
}

}  // namespace

std::string AddPageResource(QPDFPageObjectHelper& page, const std::string& kind,
                            QPDFObjectHandle object, const std::string& prefix) {
  QPDFObjectHandle resources = page.getAttribute("/Resources", true);
  if (!resources.isDictionary()) {
    resources = QPDFObjectHandle::newDictionary();
    page.getObjectHandle().replaceKey("/Resources", resources);
  }
  // The kind's own dictionary may be shared even where the resources are not.
  QPDFObjectHandle names = OwnCopy(resources, kind);
  int suffix = 1;
  const std::string name = resources.getUniqueResourceName(prefix, suffix);
  names.replaceKey(name, object);
  return name;
}

void DrawOverPage(QPDFPageObjectHelper& page, const std::string& drawing, ContentEnds* known) {
  QPDF& pdf = *page.getObjectHandle().getOwningQPDF();
  const std::vector<QPDFObjectHandle> streams = ContentStreams(page);
  ContentEnds own;
  const ContentEnd& end = EndOf(streams, known ? *known : own);
  if (NeedsIsolating(end.state)) {
    const QPDFObjectHandle form = PageAsForm(page, streams, end);
    const std::string name = AddPageResource(page, "/XObject", form, "/YzPage");
    page.getObjectHandle().replaceKey(
        "/Contents", QPDFObjectHandle::newStream(&pdf, "q " + name + " Do Q\n" + drawing));
    return;
  }
  // One save first, which the content never restores past; after it, as many restores as leave
  // the page's default state, the text object and marked content it left open closed first.
  std::string after = "\n";
  if (end.state.InTextObject()) after += "ET\n";
  for (long long i = 0; i < end.state.OpenMarkedContent(); ++i) after += "EMC\n";
  for (long long i = 0; i <= end.state.OpenSaves(); ++i) after += "Q\n";
  page.addPageContents(QPDFObjectHandle::newStream(&pdf, "q\n"), true);
  page.addPageContents(QPDFObjectHandle::newStream(&pdf, after + drawing), false);
}

}  // namespace yz
