#include "mail/sent_mail_log.h"

#include <sstream>

#include "base/text1252.h"
#include "data/whole_file.h"

namespace vt::mail {

namespace {

// A field of the record: tabs and line breaks made blanks, so each message
// keeps to one line of six fields.
std::string Field(const std::string& text) {
  return base::blankSeparators(text);
}

std::vector<std::string> Split(const std::string& line) {
  std::vector<std::string> fields;
  size_t start = 0;
  for (size_t tab; (tab = line.find('\t', start)) != std::string::npos; start = tab + 1) {
    fields.push_back(line.substr(start, tab - start));
  }
  fields.push_back(line.substr(start));
  return fields;
}

}  // namespace

std::string AppendSentMail(engine::FileSystem& fs, const std::string& dir, const SentMail& mail) {
  const std::string path = engine::resolvePath(fs, dir, kSentMailLog);
  std::unique_ptr<engine::File> file =
      fs.open(path, fs.exists(path) ? engine::OpenMode::ReadWrite : engine::OpenMode::Create);
  uint64_t size = 0;
  if (!file || !file->size(&size)) return "Unable to save to: " + path;
  const std::string line = Field(mail.when) + '\t' + Field(mail.document) + '\t' +
                           Field(mail.address) + '\t' + (mail.sent ? "sent" : "refused") + '\t' +
                           Field(mail.reply) + '\t' + Field(mail.messageId) + "\n";
  if (!file->write(size, line.data(), line.size()) || !file->sync())
    return "Unable to save to: " + path;
  return {};
}

std::string ReadSentMail(engine::FileSystem& fs, const std::string& dir,
                         std::vector<SentMail>& out) {
  out.clear();
  const std::string path = engine::resolvePath(fs, dir, kSentMailLog);
  if (!fs.exists(path)) return {};
  std::string bytes;
  if (!data::ReadWholeFile(fs, path, bytes)) return "Unable to read " + path;
  std::istringstream lines(bytes);
  for (std::string line; std::getline(lines, line);) {
    const std::vector<std::string> f = Split(line);
    // A line cut short by a stop while it was written is passed over.
    if (f.size() != 6) continue;
    out.push_back({f[0], f[1], f[2], f[3] == "sent", f[4], f[5]});
  }
  return {};
}

}  // namespace vt::mail
