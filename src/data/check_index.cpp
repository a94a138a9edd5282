// The index part of the data-directory check: each .ntx file walked in
// order and compared with the keys its expression gives for the records.
#include <cstring>
#include <memory>

#include "data/check_parts.h"
#include "engine/key_expr.h"
#include "engine/ntx_index.h"
#include "engine/status.h"

namespace vt::data::check_detail {
namespace {

constexpr uint64_t kMaxGroupFileSize = 64 * 1024;

// Lower case, blanks removed: "Upper(PurProd)+ DTOS(PURDATE)" and
// "upper(purprod)+dtos(purdate)" are the same expression.
std::string normalized(std::string_view expression) {
  std::string out;
  for (char c : expression) {
    if (c != ' ') out += c;
  }
  return lowerName(out);
}

std::string entryAt(uint64_t entry, uint32_t recno) {
  return "entry " + std::to_string(entry) + " (record " + std::to_string(recno) + ")";
}

// Reads the index file base names a group file lists (extension dropped,
// blank lines skipped). False when the file cannot be read.
bool readGroupFile(engine::FileSystem& fs, const std::string& path,
                   std::vector<std::string>* names) {
  std::unique_ptr<engine::File> file = fs.open(path, engine::OpenMode::ReadOnly);
  uint64_t size = 0;
  if (!file || !file->size(&size) || size > kMaxGroupFileSize) return false;
  std::string text(size, '\0');
  size_t got = 0;
  if (!file->read(0, text.data(), text.size(), &got) || got != size) return false;
  size_t start = 0;
  while (start <= text.size()) {
    size_t end = text.find_first_of("\r\n", start);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(start, end - start);
    while (!line.empty() && line.back() == ' ') line.pop_back();
    while (!line.empty() && line.front() == ' ') line.erase(0, 1);
    const size_t dot = line.find_last_of('.');
    if (dot != std::string::npos) line.erase(dot);
    if (!line.empty()) names->push_back(line);
    start = end + 1;
  }
  return true;
}

// Walks the entries, comparing each with its record.
class IndexWalk {
 public:
  IndexWalk(engine::NtxIndex& ntx, const engine::KeyExpr& expr, engine::DbfFile& dbf,
            FileProblems& problems)
      : expr_(expr),
        dbf_(dbf),
        problems_(problems),
        seen_(dbf.recCount() + 1, false),
        record_(dbf.recordLength()),
        expected_(ntx.keyLength(), '\0') {}

  bool visit(std::string_view key, uint32_t recno) {
    ++entries_;
    const std::string where = entryAt(entries_, recno);
    if (entries_ > 1 && std::memcmp(key.data(), previous_.data(), key.size()) < 0) {
      problems_.add(where, "key " + quoted(key) + " is out of order after " + quoted(previous_));
    }
    previous_.assign(key);
    checkRecord(where, key, recno);
    return true;
  }

  void reportMissing() {
    for (uint32_t recno = 1; recno < seen_.size(); ++recno) {
      if (!seen_[recno]) problems_.add(recordAt(recno), "has no entry in the index");
    }
  }

  uint64_t entries() const { return entries_; }

 private:
  void checkRecord(const std::string& where, std::string_view key, uint32_t recno) {
    if (recno == 0 || recno >= seen_.size()) {
      problems_.add(where, "points past the end of the table (" + std::to_string(seen_.size() - 1) +
                               " records)");
      return;
    }
    if (seen_[recno]) {
      problems_.add(where, "is a second entry for the record");
      return;
    }
    seen_[recno] = true;
    const int status = dbf_.read(recno, record_.data());
    if (status < 0) {
      problems_.add(where, std::string("record cannot be read: ") + engine::statusText(status));
      return;
    }
    expr_.evaluate(record_.data(), expected_.data());
    if (key != expected_) {
      problems_.add(where,
                    "key " + quoted(key) + " differs from the record's " + quoted(expected_));
    }
  }

  const engine::KeyExpr& expr_;
  engine::DbfFile& dbf_;
  FileProblems& problems_;
  std::vector<bool> seen_;
  std::vector<char> record_;
  std::string expected_;
  std::string previous_;
  uint64_t entries_ = 0;
};

}  // namespace

void checkIndex(engine::FileSystem& fs, const std::string& path, const TagDef* def,
                engine::DbfFile& dbf, CheckReport& report) {
  FileProblems problems(report, fileNameOf(path));
  std::unique_ptr<engine::NtxIndex> ntx;
  int status = engine::NtxIndex::open(fs, path, false, &ntx);
  if (status < 0) {
    problems.add("", std::string("cannot be opened: ") + engine::statusText(status));
    return;
  }
  const std::string& expression = ntx->info().expression;
  if (def && normalized(expression) != normalized(def->expression)) {
    problems.add("",
                 "key expression " + quoted(expression) + " should be " + quoted(def->expression));
  }
  std::unique_ptr<engine::KeyExpr> expr;
  status = engine::KeyExpr::compile(expression, dbf.fields(), &expr);
  if (status < 0) {
    problems.add("", "key expression " + quoted(expression) +
                         " does not fit the table: " + engine::statusText(status));
    return;
  }
  if (expr->length() != ntx->keyLength()) {
    problems.add("", "key length " + std::to_string(ntx->keyLength()) + " should be " +
                         std::to_string(expr->length()));
    return;
  }
  ++report.indexes;
  IndexWalk walk(*ntx, *expr, dbf, problems);
  status =
      ntx->forEach([&](std::string_view key, uint32_t recno) { return walk.visit(key, recno); });
  report.entries += walk.entries();
  if (status < 0) {
    problems.add("", std::string("cannot be walked to the end: ") + engine::statusText(status));
    return;
  }
  walk.reportMissing();
}

void checkIndexes(engine::FileSystem& fs, const std::string& dir, const TableDef& def,
                  engine::DbfFile& dbf, CheckReport& report) {
  const std::string groupPath = engine::resolvePath(fs, dir, def.group + ".cgp");
  std::vector<std::string> names;
  {
    FileProblems problems(report, fileNameOf(groupPath));
    if (!fs.exists(groupPath)) {
      problems.add("", "index group file is missing");
      for (const TagDef& tag : def.tags) names.push_back(tag.file);
    } else if (!readGroupFile(fs, groupPath, &names)) {
      problems.add("", "cannot be read");
      return;
    } else {
      for (const TagDef& tag : def.tags) {
        bool listed = false;
        for (const std::string& name : names) listed = listed || sameName(name, tag.file);
        if (!listed) problems.add("", "does not list " + tag.file + ".ntx");
      }
    }
  }
  for (const std::string& name : names) {
    const std::string path = engine::resolvePath(fs, dir, name + ".ntx");
    if (!fs.exists(path)) {
      FileProblems(report, fileNameOf(path)).add("", "index file is missing");
      continue;
    }
    checkIndex(fs, path, def.findTag(name), dbf, report);
  }
}

}  // namespace vt::data::check_detail
