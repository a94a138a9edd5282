// The record of every message sent from a data directory, in VTMAIL.LOG
// beside the tables (a backup carries it): one line per message, appended
// and made durable as each is sent or refused.
#pragma once

#include <string>
#include <vector>

#include "data/maintenance.h"
#include "engine/io.h"

namespace vt::mail {

inline constexpr const char* kSentMailLog = data::kSentMailLog;

struct SentMail {
  std::string when;      // "yyyy-mm-dd hh:mm:ss", local time
  std::string document;  // the document's file name without extension
  std::string address;
  bool sent = false;
  std::string reply;      // the server's words, or why it was not sent
  std::string messageId;  // empty when not sent
};

// Adds `mail` at the end of the directory's record. Empty, or why not.
std::string AppendSentMail(engine::FileSystem& fs, const std::string& dir, const SentMail& mail);
// Every line of the record, oldest first; none when there is no record.
// Empty, or why it cannot be read.
std::string ReadSentMail(engine::FileSystem& fs, const std::string& dir,
                         std::vector<SentMail>& out);

}  // namespace vt::mail
