// The mail-merge file: the names and addresses of the customers of chosen
// groups, in postal code order, as tab-delimited lines for a word
// processor's mail merge. Windows-1252 bytes, CR LF line ends, a header line
// naming the eight fields, each field trimmed; customers marked deleted get
// no line.
#pragma once

#include <string>
#include <vector>

#include "base/progress.h"
#include "data/data_session.h"
#include "engine/io.h"

namespace vt::labels {

constexpr const char* kMailMergeProgress = "Exporting Mail Merge File";

struct MailMergeOutcome {
  int status = 0;      // 0, or the engine's negative status when CUST5 could not be read
  bool saved = false;  // the file was written whole
  int written = 0;     // customer lines
};

// What the user is told when the file cannot be written.
std::string UnableToSave(const std::string& path);

// Opens CUST5 in "CZip" order and writes the customers whose group is among
// `groups` to `path`, replacing any file there only once the whole file is
// written. The progress box (when given) shows kMailMergeProgress while the
// customers are read. Nothing is written when the table cannot be read.
MailMergeOutcome WriteMailMerge(vt::data::DataSession& session, const std::vector<int>& groups,
                                const std::string& path, vt::base::Progress* progress,
                                vt::engine::FileSystem& fs = vt::engine::realFileSystem());

}  // namespace vt::labels
