#include "data/import_copy.h"

#include <vector>

#include "base/codepage.h"
#include "data/whole_file.h"
#include "engine/dbf_header.h"

namespace vt::data {

namespace {

constexpr uint8_t kDriver1252 = 0x03;

// Streams `from` into a new file `to` and notes the code page its table
// header names.
int copyBytes(engine::FileSystem& fs, const std::string& from, const std::string& to,
              base::CodePage* page) {
  std::unique_ptr<engine::File> in = fs.open(from, engine::OpenMode::ReadOnly);
  if (!in) return engine::kErrOpen;
  std::unique_ptr<engine::File> out = fs.open(to, engine::OpenMode::Create);
  if (!out) return engine::kErrCreate;
  switch (StreamBytes(*in, *out)) {
    case StreamResult::ReadFailed:
      return engine::kErrRead;
    case StreamResult::WriteFailed:
      return engine::kErrWrite;
    case StreamResult::Done:
      break;
  }
  unsigned char driver = 0;
  size_t got = 0;
  if (in->read(engine::kDbfLanguageDriverOffset, &driver, 1, &got) && got == 1) {
    *page = base::CodePageOfDriver(driver);
  }
  return out->sync() ? 0 : engine::kErrWrite;
}

// Rewrites every character field of the table file `path` (in the engine's
// directory, base name `name`) from `page` into Windows-1252, and marks the
// header as Windows-1252.
int convertCopy(engine::Engine& work, const std::string& path, const std::string& name,
                base::CodePage page) {
  const engine::AccessMode mode = work.accessMode;
  const bool autoOpen = work.autoOpen;
  work.accessMode = engine::AccessMode::DenyWrite;
  work.autoOpen = false;
  work.errorCode();
  engine::Table* table = work.open(name);
  work.accessMode = mode;
  work.autoOpen = autoOpen;
  if (!table) return work.errorCode();
  for (engine::Result r = table->top(); r == engine::Result::Success; r = table->skip()) {
    for (const auto& field : table->fields()) {
      if (field->type() == 'C') field->assign(base::CodePageTo1252(field->str(), page));
    }
    if (table->flush() < 0) break;
  }
  table->close();
  if (const int status = work.errorCode(); status < 0) return status;
  const char driver = static_cast<char>(kDriver1252);
  std::unique_ptr<engine::File> file = work.fs().open(path, engine::OpenMode::ReadWrite);
  if (!file || !file->write(engine::kDbfLanguageDriverOffset, &driver, 1) || !file->sync()) {
    return engine::kErrWrite;
  }
  return 0;
}

}  // namespace

int CopyOlderTable(engine::Engine& work, const std::string& source, const std::string& target,
                   bool convertText) {
  engine::FileSystem& fs = work.fs();
  const std::string tempName = "import-copy";
  const std::string temp = work.directory() + "/" + tempName + ".dbf";
  base::CodePage page = base::CodePage::Windows1252;
  int status = copyBytes(fs, source, temp, &page);
  if (status == 0 && convertText && page != base::CodePage::Windows1252) {
    status = convertCopy(work, temp, tempName, page);
  }
  if (status == 0 && !fs.rename(temp, target)) status = engine::kErrWrite;
  if (status == 0 && !fs.syncDir(work.directory())) status = engine::kErrWrite;
  if (status < 0) fs.remove(temp);
  return status;
}

}  // namespace vt::data
