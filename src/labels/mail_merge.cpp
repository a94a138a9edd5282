#include "labels/mail_merge.h"

#include <algorithm>

#include "base/text1252.h"
#include "data/whole_file.h"
#include "engine/status.h"

namespace vt::labels {

namespace {

constexpr const char* kHeader =
    "Title\tFirstName\tLastName\tCompany\tAddr1\tAddr2\tAddr3\tPostalCode\r\n";

// One customer's line; the buffer holds UTF-8, the file the stored bytes. A
// tab or line break inside a field becomes a blank, so it can split neither
// the line nor its fields.
std::string customerLine(const vt::data::CustomerRecord& c) {
  std::string line;
  const char* separator = "";
  for (const std::string* field :
       {&c.title, &c.first, &c.last, &c.addr1, &c.addr2, &c.addr3, &c.addr4, &c.zip}) {
    line += separator + vt::base::fromUtf8(vt::base::blankSeparators(vt::base::trim(*field)));
    separator = "\t";
  }
  return line + "\r\n";
}

// The file's bytes; the status of a failed read in *status.
std::string mailMergeText(vt::data::DataSession& session, const std::vector<int>& groups,
                          vt::base::Progress* progress, int* written, int* status) {
  vt::engine::Table* customers = session.customers();
  vt::engine::Field* ngroup = customers->field("ngroup");
  std::string text = kHeader;
  const uint32_t count = customers->recCount();
  uint32_t read = 0;
  session.engine().errorCode();
  for (auto r = customers->top(); r == vt::engine::Result::Success; r = customers->skip()) {
    const bool chosen = std::find(groups.begin(), groups.end(), ngroup->asInt()) != groups.end();
    if (chosen && !customers->deleted()) {
      if ((*status = session.LoadCustomer()) < 0) return text;
      text += customerLine(session.Customer);
      ++*written;
    }
    ++read;
    if (progress) progress->set(static_cast<int>(read * 100ull / count));
  }
  *status = session.engine().errorCode();
  return text;
}

}  // namespace

std::string UnableToSave(const std::string& path) {
  return "Unable to save to: " + path;
}

MailMergeOutcome WriteMailMerge(vt::data::DataSession& session, const std::vector<int>& groups,
                                const std::string& path, vt::base::Progress* progress,
                                vt::engine::FileSystem& fs) {
  MailMergeOutcome outcome;
  if (!session.OpenCustomers()) {
    outcome.status = vt::engine::kErrOpen;
    return outcome;
  }
  vt::engine::Table* customers = session.customers();
  vt::engine::Tag* byZip = customers->tag("CZip");
  if (!byZip || !customers->field("ngroup")) {
    outcome.status = byZip ? vt::engine::kErrField : vt::engine::kErrTag;
    return outcome;
  }
  customers->selectTag(byZip);
  if (progress) progress->show(true, kMailMergeProgress);
  const std::string text =
      mailMergeText(session, groups, progress, &outcome.written, &outcome.status);
  if (progress) progress->show(false, "");
  if (outcome.status < 0) return outcome;
  outcome.saved = vt::data::WriteWholeFile(fs, path, text);
  return outcome;
}

}  // namespace vt::labels
