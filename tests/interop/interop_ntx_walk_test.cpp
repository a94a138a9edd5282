// Index files written by our engine, walked by Perl XBase::Index: the same
// keys with the same record numbers in the same order as our engine's own
// walk (top, then skip), fresh from a build and after keys were changed,
// records appended and records deleted.
#include <gtest/gtest.h>

#include <map>
#include <memory>

#include "engine/engine.h"
#include "interop/interop_index_model.h"
#include "interop/interop_support.h"

namespace vt::interop {
namespace {

using engine::Engine;
using engine::Result;
using engine::Table;

class InteropOurIndexesInPerlXBase : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_FALSE(dir_.path().empty()) << "no scratch directory";
    engine_ = std::make_unique<Engine>(dir_.path());
    ASSERT_EQ(0, engine_->create("contacts", contactFields()));
    table_ = engine_->open("contacts");
    ASSERT_NE(nullptr, table_) << "open failed with " << engine_->lastError();
    for (const auto& tag : contactTags()) expected_.emplace_back(tag.name);
  }

  void append(const Contact& c) {
    ASSERT_GE(table_->appendBlank(), 0);
    assignContact(*table_, c);
    ASSERT_EQ(0, table_->flush());
    contacts_.push_back(c);
    for (ExpectedIndex& index : expected_) index.insert(uint32_t(contacts_.size()), c);
  }

  void change(uint32_t recno, const Contact& c) {
    ASSERT_EQ(Result::Success, table_->go(recno));
    assignContact(*table_, c);
    ASSERT_EQ(0, table_->flush());
    for (ExpectedIndex& index : expected_) index.update(recno, contacts_[recno - 1], c);
    contacts_[recno - 1] = c;
  }

  void setDeleted(uint32_t recno, bool deleted) {
    ASSERT_EQ(Result::Success, table_->go(recno));
    if (deleted) {
      table_->deleteRecord();
    } else {
      table_->recall();
    }
    ASSERT_EQ(0, table_->flush());
  }

  void buildIndexes() { ASSERT_EQ(0, table_->createIndexGroup("contacts", contactTags())); }

  // The tag's order as our engine walks it, with the keys the records have.
  std::vector<KeyEntry> engineWalk(const std::string& tagName) {
    std::vector<KeyEntry> entries;
    engine::Tag* tag = table_->tag(tagName);
    if (tag == nullptr) {
      ADD_FAILURE() << "the engine has no tag " << tagName;
      return entries;
    }
    table_->selectTag(tag);
    for (Result r = table_->top(); r == Result::Success && entries.size() <= contacts_.size();
         r = table_->skip(1)) {
      uint32_t recno = table_->recNo();
      if (recno < 1 || recno > contacts_.size()) {
        ADD_FAILURE() << tagName << ": walk reached record " << recno;
        break;
      }
      entries.emplace_back(contactKey(tagName, contacts_[recno - 1]), recno);
    }
    table_->selectTag(nullptr);
    return entries;
  }

  void perlWalk(const std::string& path, std::vector<KeyEntry>* entries) {
    const std::string script = helperScript("interop_xbase_ntx_walk.pl");
    ASSERT_FALSE(script.empty()) << "VT_SOURCE_DIR is not set";
    ToolRun run = runTool({kPerl, script, path});
    ASSERT_EQ(0, run.exitCode) << "interop_xbase_ntx_walk.pl failed:\n" << run.err;
    std::string error;
    ASSERT_TRUE(parseKeyEntries(run.out, entries, &error)) << error;
  }

  // Walks every tag with our engine, closes the table, then walks every
  // .ntx file with Perl XBase::Index; both must give the expected entries.
  void compareWalks(bool fresh) {
    ASSERT_EQ(contacts_.size(), table_->recCount());
    std::map<std::string, std::vector<KeyEntry>> ours;
    for (const ExpectedIndex& index : expected_) ours[index.tag()] = engineWalk(index.tag());
    engine_->closeAll();
    table_ = nullptr;
    for (const ExpectedIndex& index : expected_) {
      SCOPED_TRACE("tag " + index.tag());
      expectSameEntries(index.entries(), ours[index.tag()], "our engine's walk");
      const std::string path = findFile(dir_.path(), index.tag() + ".ntx");
      ASSERT_FALSE(path.empty()) << "no index file for " << index.tag();
      const int depth = ntxDepth(path);
      // XBase::Index repeats keys when it walks a tree of three levels, so
      // the table stays small enough for two.
      ASSERT_TRUE(depth == 1 || depth == 2) << "index depth " << depth;
      if (fresh) {
        EXPECT_EQ(2, depth) << "too few keys to need interior pages";
      }
      std::vector<KeyEntry> theirs;
      ASSERT_NO_FATAL_FAILURE(perlWalk(path, &theirs));
      expectSameEntries(index.entries(), theirs, "Perl XBase::Index walk");
    }
  }

  ScratchDir dir_;
  std::unique_ptr<Engine> engine_;
  Table* table_ = nullptr;
  std::vector<Contact> contacts_;
  std::vector<ExpectedIndex> expected_;
  ContactMaker maker_{20240229};
};

TEST_F(InteropOurIndexesInPerlXBase, BuiltIndexesWalkAlike) {
  for (int i = 0; i < 200; ++i) ASSERT_NO_FATAL_FAILURE(append(maker_.next()));
  ASSERT_NO_FATAL_FAILURE(buildIndexes());
  compareWalks(true);
}

TEST_F(InteropOurIndexesInPerlXBase, IndexesWalkAlikeAfterChangesAppendsAndDeletions) {
  for (int i = 0; i < 200; ++i) ASSERT_NO_FATAL_FAILURE(append(maker_.next()));
  ASSERT_NO_FATAL_FAILURE(buildIndexes());
  for (int i = 0; i < 30; ++i) {
    ASSERT_NO_FATAL_FAILURE(append(maker_.next()));
    const uint32_t recno = 1 + maker_.below(uint32_t(contacts_.size()));
    Contact changed = maker_.next();
    // Every other change touches the name only, so the number, amount and
    // city keys stay where they are.
    if (i % 2 == 0) {
      std::string name = changed.name;
      changed = contacts_[recno - 1];
      changed.name = name;
    }
    ASSERT_NO_FATAL_FAILURE(change(recno, changed));
  }
  // A record given another's values goes behind it in every order.
  ASSERT_NO_FATAL_FAILURE(change(5, contacts_[8]));
  for (int i = 0; i < 10; ++i) {
    ASSERT_NO_FATAL_FAILURE(setDeleted(1 + maker_.below(uint32_t(contacts_.size())), true));
  }
  ASSERT_NO_FATAL_FAILURE(setDeleted(3, true));
  ASSERT_NO_FATAL_FAILURE(setDeleted(3, false));
  compareWalks(false);
}

}  // namespace
}  // namespace vt::interop
