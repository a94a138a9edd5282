// NtxIndex::Builder: collects (key, recno) pairs as fixed-size records,
// sorts them (in batches written to a temporary run file when they outgrow
// the memory budget, merged afterwards) and writes the index bottom-up.
#include <algorithm>
#include <cstring>

#include "ntx_header.h"
#include "ntx_index.h"
#include "ntx_runs.h"
#include "ntx_sort.h"
#include "ntx_tree_writer.h"

namespace vt::engine {

using namespace ntx;

namespace {

constexpr size_t kMaxExpression = 255;
constexpr size_t kMaxTagName = 11;
constexpr size_t kMaxBlock = 256u << 10;
constexpr size_t kMinBlock = 4u << 10;
constexpr size_t kMinBatch = 16;

}  // namespace

struct NtxIndex::Builder::Impl {
  Impl(FileSystem& fs, std::string path, NtxInfo info, size_t budget)
      : fs(fs), path(std::move(path)), info(std::move(info)), budget(budget) {}

  FileSystem& fs;
  std::string path;
  NtxInfo info;
  size_t budget;
  Layout layout;
  size_t recSize = 0;
  size_t batchLimit = 0;  // records held in memory before a run is written
  size_t blockSize = 0;   // size of the run file's write buffer
  SystemVector<uint8_t> recs;
  size_t held = 0;
  uint64_t total = 0;
  int status = kOk;
  bool finished = false;
  std::unique_ptr<File> runFile;
  std::vector<Run> runs;
  uint64_t runEnd = 0;
  SortOrder order;

  std::string runPath() const { return path + ".run"; }
  void setUp();
  void expect(size_t entries);
  int add(std::string_view key, uint32_t recno);
  int spill();
  int finish();
  int writeTree(File& out, uint32_t* root);
  int writeFromMemory(TreeWriter& w);
  int writeFromRuns(TreeWriter& w);
  void dropRuns();
};

void NtxIndex::Builder::Impl::setUp() {
  bool ok = info.keyLength >= 1 && info.keyLength <= 250 &&
            info.expression.size() <= kMaxExpression && info.tagName.size() <= kMaxTagName;
  if (!ok) {
    status = kErrArgument;
    return;
  }
  layout = layoutFor(info.keyLength);
  recSize = info.keyLength + 4u;
  blockSize = std::clamp(budget / 8, kMinBlock, kMaxBlock);
  size_t perRecord = recSize + sizeof(SortKey);
  batchLimit = std::max(budget > blockSize ? (budget - blockSize) / perRecord : 0, kMinBatch);
}

void NtxIndex::Builder::Impl::expect(size_t entries) {
  if (status == kOk && held == 0) recs.reserve(std::min(entries, batchLimit) * recSize);
}

int NtxIndex::Builder::Impl::add(std::string_view key, uint32_t recno) {
  if (status < 0) return status;
  if (finished || key.size() != info.keyLength) return status = kErrArgument;
  if (held == batchLimit && (status = spill()) < 0) return status;
  if (recs.size() + recSize > recs.capacity()) {
    size_t grown = std::max(recs.capacity() * 2, size_t{64} * recSize);
    recs.reserve(std::min(grown, batchLimit * recSize));
  }
  recs.insert(recs.end(), key.begin(), key.end());
  for (int shift = 24; shift >= 0; shift -= 8) recs.push_back(static_cast<uint8_t>(recno >> shift));
  ++held;
  ++total;
  return kOk;
}

// Sorts the records in memory and appends them to the run file.
int NtxIndex::Builder::Impl::spill() {
  if (!runFile) {
    runFile = fs.open(runPath(), OpenMode::Create);
    if (!runFile) return kErrCreate;
  }
  sortRecords(recs.data(), recSize, held, &order);
  SystemVector<uint8_t> buffer;
  buffer.reserve(blockSize);
  int st = writeRun(*runFile, recs.data(), recSize, order, buffer, &runEnd, &runs);
  recs.clear();
  held = 0;
  return st;
}

int NtxIndex::Builder::Impl::writeFromMemory(TreeWriter& w) {
  sortRecords(recs.data(), recSize, held, &order);
  for (const SortKey& k : order) {
    const uint8_t* r = recs.data() + static_cast<size_t>(k.index) * recSize;
    int st = w.add(r, rd32be(r + info.keyLength));
    if (st < 0) return st;
  }
  return kOk;
}

int NtxIndex::Builder::Impl::writeFromRuns(TreeWriter& w) {
  if (held > 0) {
    int st = spill();
    if (st < 0) return st;
  }
  // The batch memory now goes to the merge buffers.
  SystemVector<uint8_t>().swap(recs);
  SortOrder().swap(order);
  RunMerger merger(*runFile, runs, recSize, budget);
  while (const uint8_t* r = merger.next()) {
    int st = w.add(r, rd32be(r + info.keyLength));
    if (st < 0) return st;
  }
  return merger.status();
}

int NtxIndex::Builder::Impl::writeTree(File& out, uint32_t* root) {
  TreeWriter w(out, layout);
  int st = w.plan(total);
  if (st == kOk) st = runs.empty() ? writeFromMemory(w) : writeFromRuns(w);
  uint64_t end = 0;
  if (st == kOk) st = w.finish(root, &end);
  return st;
}

void NtxIndex::Builder::Impl::dropRuns() {
  if (!runFile) return;
  runFile.reset();
  fs.remove(runPath());
}

int NtxIndex::Builder::Impl::finish() {
  if (finished) return kErrArgument;
  finished = true;
  if (status < 0) {
    dropRuns();
    return status;
  }
  std::unique_ptr<File> out = fs.open(path, OpenMode::Create);
  if (!out) {
    dropRuns();
    return status = kErrCreate;
  }
  Header h;
  h.counter = 1;
  h.layout = layout;
  h.info = info;
  int st = writeTree(*out, &h.root);
  dropRuns();
  if (st == kOk) {
    uint8_t page[kPageSize];
    encodeHeader(h, page);
    if (!out->write(0, page, kPageSize) || !out->sync()) st = kErrWrite;
  }
  out.reset();
  if (st < 0) fs.remove(path);
  return status = st;
}

// ---- public ----------------------------------------------------------------

NtxIndex::Builder::Builder(FileSystem& fs, std::string path, NtxInfo info, size_t memoryBudget)
    : impl_(std::make_unique<Impl>(fs, std::move(path), std::move(info), memoryBudget)) {
  impl_->setUp();
}

NtxIndex::Builder::~Builder() {
  if (impl_) impl_->dropRuns();
}

void NtxIndex::Builder::expect(size_t entries) {
  impl_->expect(entries);
}
int NtxIndex::Builder::add(std::string_view key, uint32_t recno) {
  return impl_->add(key, recno);
}
int NtxIndex::Builder::finish() {
  return impl_->finish();
}

}  // namespace vt::engine
