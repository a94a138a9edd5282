// A table replaced under its name (another user's pack renaming the new
// file in) between the open and the open lock: the open notices that its
// file is no longer the one the name gives and opens the new one.
#include <filesystem>

#include "table_support.h"

namespace vt::engine::testing {
namespace {

// The real file system; the first lock taken on a file of `watched` renames
// `replacement` over it first, as a pack finishing at that moment would.
class ReplacingFileSystem final : public FileSystem {
 public:
  ReplacingFileSystem(std::string watched, std::string replacement)
      : watched_(std::move(watched)), replacement_(std::move(replacement)) {}

  std::unique_ptr<File> open(const std::string& path, OpenMode mode) override {
    auto inner = real().open(path, mode);
    if (!inner || path != watched_) return inner;
    return std::make_unique<Watched>(std::move(inner), *this);
  }
  bool rename(const std::string& a, const std::string& b) override { return real().rename(a, b); }
  bool remove(const std::string& p) override { return real().remove(p); }
  bool exists(const std::string& p) override { return real().exists(p); }
  std::vector<std::string> list(const std::string& d) override { return real().list(d); }
  bool syncDir(const std::string& d) override { return real().syncDir(d); }
  bool identity(const std::string& p, FileIdentity* id) override { return real().identity(p, id); }

 private:
  class Watched final : public File {
   public:
    Watched(std::unique_ptr<File> f, ReplacingFileSystem& fs) : f_(std::move(f)), fs_(fs) {}
    bool read(uint64_t o, void* b, size_t n, size_t* got) override {
      return f_->read(o, b, n, got);
    }
    bool write(uint64_t o, const void* b, size_t n) override { return f_->write(o, b, n); }
    bool size(uint64_t* out) override { return f_->size(out); }
    bool truncate(uint64_t s) override { return f_->truncate(s); }
    bool sync() override { return f_->sync(); }
    bool lock(uint64_t o, uint64_t l, LockKind k, bool w) override {
      if (!fs_.replaced_) {
        fs_.replaced_ = true;
        std::filesystem::rename(fs_.replacement_, fs_.watched_);
      }
      return f_->lock(o, l, k, w);
    }
    bool unlock(uint64_t o, uint64_t l) override { return f_->unlock(o, l); }
    bool identity(FileIdentity* id) override { return f_->identity(id); }

   private:
    std::unique_ptr<File> f_;
    ReplacingFileSystem& fs_;
  };
  static FileSystem& real() { return realFileSystem(); }
  std::string watched_, replacement_;
  bool replaced_ = false;
};

TEST(OpenReplaced, AnOpenWorksOnTheFileTheNameGivesAfterItsLock) {
  TempDir oldDir, newDir;
  makeCustomers(oldDir.path(), {{1, "Old", "A", "1"}});
  makeCustomers(newDir.path(), {{1, "New", "A", "1"}, {2, "Newer", "B", "2"}});
  const std::string target = oldDir.file("CUST.dbf");
  std::filesystem::copy_file(newDir.file("CUST.dbf"), oldDir.file("CUST.new"));
  ReplacingFileSystem fs(target, oldDir.file("CUST.new"));
  Engine engine(oldDir.path(), &fs);
  engine.autoOpen = false;
  Table* t = engine.open("CUST");
  ASSERT_NE(t, nullptr);
  EXPECT_EQ(t->recCount(), 2u);
  ASSERT_EQ(t->top(), Result::Success);
  EXPECT_EQ(t->field("LAST")->str().substr(0, 3), "New");
}

}  // namespace
}  // namespace vt::engine::testing
