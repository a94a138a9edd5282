// The record part of the data-directory check: deletion flags and memo
// references.
#include <memory>

#include "data/check_parts.h"
#include "engine/dbt_file.h"
#include "engine/status.h"

namespace vt::data::check_detail {
namespace {

struct MemoFile {
  std::unique_ptr<engine::DbtFile> dbt;
  uint64_t size = 0;
  std::string name;
};

std::vector<const engine::FieldDesc*> memoFieldsOf(engine::DbfFile& dbf) {
  std::vector<const engine::FieldDesc*> memoFields;
  for (const engine::FieldDesc& field : dbf.fields()) {
    if (field.type == 'M') memoFields.push_back(&field);
  }
  return memoFields;
}

// Opens the table's memo file; reports under the memo file's name and
// returns false when it cannot.
bool openMemoFile(engine::FileSystem& fs, const std::string& dir, const TableDef& def,
                  CheckReport& report, MemoFile* memo) {
  const std::string path = engine::resolvePath(fs, dir, def.dbtName());
  memo->name = fileNameOf(path);
  FileProblems problems(report, memo->name);
  if (!fs.exists(path)) {
    problems.add("", "memo file is missing");
    return false;
  }
  const int status = engine::DbtFile::open(fs, path, false, &memo->dbt);
  if (status < 0) {
    problems.add("", std::string("cannot be opened: ") + engine::statusText(status));
    return false;
  }
  if (!memo->dbt->file().size(&memo->size)) {
    problems.add("", "its size cannot be read");
    return false;
  }
  return true;
}

void checkMemo(MemoFile& memo, const engine::FieldDesc& field, const char* record, uint32_t recno,
               FileProblems& problems, CheckReport& report) {
  const std::string where = recordAt(recno) + ", field " + field.name;
  const char* ref = record + field.offset;
  uint32_t block = 0;
  if (!engine::parseMemoRef(ref, &block)) {
    problems.add(where, "malformed memo reference " + quoted(std::string_view(ref, 10)));
    return;
  }
  if (block == 0) return;
  const std::string at = "memo block " + std::to_string(block);
  const uint64_t blocks =
      (memo.size + engine::DbtFile::kBlockSize - 1) / engine::DbtFile::kBlockSize;
  if (block >= blocks) {
    problems.add(where, at + " is past the end of " + memo.name + " (" + std::to_string(blocks) +
                            " blocks)");
    return;
  }
  if (block >= memo.dbt->nextFree()) {
    problems.add(where, at + " lies in the free space of " + memo.name + " (next free block " +
                            std::to_string(memo.dbt->nextFree()) + ")");
    return;
  }
  std::string text;
  const int status = memo.dbt->read(block, &text);
  if (status < 0) {
    problems.add(where,
                 at + " of " + memo.name + " does not read back: " + engine::statusText(status));
    return;
  }
  ++report.memos;
}

}  // namespace

void checkRecords(engine::FileSystem& fs, const std::string& dir, const TableDef& def,
                  engine::DbfFile& dbf, FileProblems& problems, CheckReport& report) {
  const std::vector<const engine::FieldDesc*> memoFields = memoFieldsOf(dbf);
  MemoFile memo;
  const bool memoReadable = !memoFields.empty() && openMemoFile(fs, dir, def, report, &memo);
  engine::DbfFile::Scanner scanner(dbf);
  uint32_t lastRead = 0;
  for (;;) {
    const char* record = nullptr;
    uint32_t recno = 0;
    const int status = scanner.next(&record, &recno);
    if (status < 0) {
      problems.add(recordAt(lastRead + 1),
                   std::string("cannot be read: ") + engine::statusText(status));
      return;
    }
    if (!record) return;
    lastRead = recno;
    ++report.records;
    if (record[0] != ' ' && record[0] != '*') {
      problems.add(recordAt(recno), "deletion flag is neither blank nor '*'");
    }
    if (!memoReadable) continue;
    for (const engine::FieldDesc* field : memoFields) {
      checkMemo(memo, *field, record, recno, problems, report);
    }
  }
}

}  // namespace vt::data::check_detail
