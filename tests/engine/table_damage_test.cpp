// A table over damaged indexes and failing reads: a record write changes
// every index or none, a failure in an index sets the error and names the
// file instead of passing for the end of the file, and an entry for a record
// the table does not have is reported, never shown as another record.
#include <cstring>
#include <filesystem>

#include "engine/fault_fs.h"
#include "engine/ntx_index.h"
#include "engine/ntx_page.h"
#include "table_support.h"

namespace vt::engine::testing {
namespace {

// Customer i has number 10 i, name "Last<i>" and zip "Z<i>".
std::vector<Customer> customers(int n) {
  std::vector<Customer> rows;
  for (int i = 1; i <= n; ++i) {
    rows.push_back({i * 10, "Last" + std::to_string(i), "Ann", "Z" + std::to_string(i)});
  }
  return rows;
}

std::string indexPath(const std::string& dir, const std::string& tag) {
  return resolvePath(realFileSystem(), dir, tag + ".ntx");
}

std::string trimmed(std::string text) {
  while (!text.empty() && text.back() == ' ') text.pop_back();
  return text;
}

// ---- a record write changes every index or none -----------------------------

constexpr uint32_t kChanged = 77;

// Record 77 still holds its old name, found under its old key only.
void expectOldRecord(const std::string& dir) {
  Engine engine(dir);
  Table* t = engine.open("CUST");
  ASSERT_NE(t, nullptr);
  t->selectTag(t->tag("CName"));
  EXPECT_EQ(t->seek("LAST77 "), Result::Success);
  EXPECT_EQ(t->recNo(), kChanged);
  EXPECT_EQ(trimmed(t->field("last")->str()), "Last77");
  EXPECT_NE(t->seek("CHANGED"), Result::Success);
}

// Opens the table and changes record 77's name and zip, to be written.
Table* changeRecord(Engine& engine) {
  Table* t = engine.open("CUST");
  EXPECT_EQ(t->go(kChanged), Result::Success);
  t->field("last")->assign("Changed");
  t->field("zip")->assign("CHANGED");
  return t;
}

TEST(RecordWrites, ChangeEveryIndexOrNone) {
  // An old key missing from the last index the write changes.
  TempDir dir;
  makeCustomers(dir.path(), customers(200));
  {
    std::unique_ptr<NtxIndex> zip;
    ASSERT_EQ(NtxIndex::open(realFileSystem(), indexPath(dir.path(), "CZip"), true, &zip), kOk);
    ASSERT_EQ(zip->remove("Z77       ", kChanged), kOk);
    ASSERT_EQ(zip->flush(), kOk);
    Engine engine(dir.path());
    EXPECT_EQ(changeRecord(engine)->flush(), kErrIndex);
    EXPECT_EQ(engine.errorText(engine.errorCode()), "malformed index file (CZip.ntx)");
  }
  expectOldRecord(dir.path());

  // Reads failing from any one on.
  uint64_t n = 1;
  for (;; ++n) {
    TempDir fresh;
    makeCustomers(fresh.path(), customers(200));
    FaultFileSystem fs(realFileSystem());
    int status;
    {
      Engine engine(fresh.path(), &fs);
      Table* t = changeRecord(engine);
      fs.failReadsFrom(n);
      status = t->flush();
      EXPECT_EQ(engine.errorCode(), status);
      fs.failReadsFrom(0);
    }
    if (!fs.faultHit()) {
      EXPECT_EQ(status, kOk);
      break;
    }
    EXPECT_LT(status, 0) << "read " << n;
    expectOldRecord(fresh.path());
    EXPECT_EQ(indexProblems(fresh.path(), "CUST"), "") << "read " << n;
  }
  EXPECT_GT(n, 5u);  // reads in more than one index
}

// ---- failures in an index set the error -----------------------------------

// Makes the leaf page holding `key` fail the page checks.
void damageLeafOf(const std::string& path, std::string_view key) {
  std::vector<uint8_t> bytes(std::filesystem::file_size(path));
  auto file = realFileSystem().open(path, OpenMode::ReadWrite);
  size_t got = 0;
  ASSERT_TRUE(file->read(0, bytes.data(), bytes.size(), &got));
  for (size_t at = ntx::kPageSize; at < bytes.size(); at += ntx::kPageSize) {
    const uint8_t* page = bytes.data() + at;
    for (int i = 0; ntx::isLeaf(page) && i < ntx::count(page); ++i) {
      if (std::memcmp(ntx::key(page, i), key.data(), key.size()) != 0) continue;
      ASSERT_TRUE(file->write(at, "\xFF\xFF", 2));  // a key count no page can hold
      return;
    }
  }
  FAIL() << "no leaf holds " << key;
}

TEST(IndexFailures, SetTheErrorInsteadOfEndingTheFile) {
  TempDir damaged, sound;
  makeCustomers(damaged.path(), customers(200));
  damageLeafOf(indexPath(damaged.path(), "CCNO"), "  1500");
  makeCustomers(sound.path(), customers(200));
  Result (*const moves[])(Table*) = {
      [](Table* t) {
        Result r = t->top();
        while (r == Result::Success) r = t->skip(1);
        return r;
      },
      [](Table* t) { return t->seek("  1500"); },
  };
  for (auto move : moves) {
    for (int expected : {kErrIndex, kErrRead}) {
      FaultFileSystem fs(realFileSystem());
      Engine engine(expected == kErrIndex ? damaged.path() : sound.path(), &fs);
      // Alone, the table reads nothing but index pages while moving.
      engine.accessMode = AccessMode::DenyWrite;
      Table* t = engine.open("CUST");
      ASSERT_NE(t, nullptr);
      t->selectTag(t->tag("CCNO"));
      if (expected == kErrRead) fs.failReadsFrom(1);
      EXPECT_EQ(move(t), Result::Eof);
      EXPECT_TRUE(t->eof());
      EXPECT_EQ(engine.errorText(engine.errorCode()),
                std::string(statusText(expected)) + " (CCNO.ntx)");
    }
  }
}

// ---- entries for records the table does not have ----------------------------

TEST(MissingRecords, ReadBlankWithTheErrorSet) {
  TempDir dir;
  makeCustomers(dir.path(), customers(20));
  // The record count cut to 15 behind the indexes' back, as when another
  // program packs the table: customer 170's entry names record 17.
  auto dbf = realFileSystem().open(dir.file("CUST.dbf"), OpenMode::ReadWrite);
  ASSERT_TRUE(dbf->write(4, "\x0F\0\0\0", 4));

  FaultFileSystem fs(realFileSystem());
  Engine engine(dir.path(), &fs);
  engine.accessMode = AccessMode::DenyWrite;
  Table* t = engine.open("CUST");
  ASSERT_NE(t, nullptr);
  ASSERT_EQ(t->go(3), Result::Success);
  ASSERT_EQ(trimmed(t->field("last")->str()), "Last3");
  t->selectTag(t->tag("CCNO"));
  EXPECT_EQ(t->seek("   170"), Result::Eof);
  EXPECT_EQ(trimmed(t->field("last")->str()), "");
  EXPECT_EQ(engine.errorCode(), kErrIndex);

  // A record whose read fails reads blank too, not as the record before.
  ASSERT_EQ(t->go(3), Result::Success);
  fs.failReadsFrom(1);
  t->selectTag(nullptr);
  EXPECT_EQ(t->skip(5), Result::Success);
  EXPECT_EQ(trimmed(t->field("last")->str()), "");
  EXPECT_EQ(engine.errorCode(), kErrRead);
}

}  // namespace
}  // namespace vt::engine::testing
