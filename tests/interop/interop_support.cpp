#include "interop/interop_support.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <strings.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace vt::interop {

namespace fs = std::filesystem;

ScratchDir::ScratchDir() {
  const char* tmp = std::getenv("TMPDIR");
  std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/vt-interop-XXXXXX";
  std::vector<char> buf(pattern.begin(), pattern.end());
  buf.push_back('\0');
  if (mkdtemp(buf.data()) != nullptr) path_ = buf.data();
}

ScratchDir::~ScratchDir() {
  std::error_code ec;
  if (!path_.empty()) fs::remove_all(path_, ec);
}

namespace {

// Runs argv in a child whose stdout and stderr go to the given files.
int runChild(const std::vector<std::string>& argv, const std::string& outPath,
             const std::string& errPath) {
  std::vector<char*> args;
  for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
  args.push_back(nullptr);
  pid_t pid = fork();
  if (pid < 0) return -1;
  if (pid == 0) {
    int out = open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    int err = open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    if (out < 0 || err < 0 || dup2(out, 1) < 0 || dup2(err, 2) < 0) _exit(127);
    execv(args[0], args.data());
    _exit(127);
  }
  int status = 0;
  while (waitpid(pid, &status, 0) < 0) {
    if (errno != EINTR) return -1;
  }
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

int hexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

std::vector<std::string> splitTabs(const std::string& line) {
  std::vector<std::string> parts;
  size_t start = 0;
  while (true) {
    size_t tab = line.find('\t', start);
    parts.push_back(line.substr(start, tab - start));
    if (tab == std::string::npos) return parts;
    start = tab + 1;
  }
}

bool parseCell(const std::string& text, Cell* cell) {
  if (text == "-") {
    *cell = std::nullopt;
    return true;
  }
  if (text.empty() || text[0] != '=') return false;
  std::optional<std::string> bytes = fromHex(text.substr(1));
  if (!bytes) return false;
  *cell = std::move(bytes);
  return true;
}

uint32_t le32(const unsigned char* p) {
  return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

uint16_t le16(const unsigned char* p) {
  return uint16_t(p[0] | p[1] << 8);
}

}  // namespace

ToolRun runTool(const std::vector<std::string>& argv) {
  ToolRun result;
  ScratchDir scratch;
  if (argv.empty() || scratch.path().empty()) return result;
  std::string outPath = scratch.path() + "/stdout";
  std::string errPath = scratch.path() + "/stderr";
  result.exitCode = runChild(argv, outPath, errPath);
  result.out = readWholeFile(outPath);
  result.err = readWholeFile(errPath);
  return result;
}

std::string helperScript(const std::string& name) {
  const char* root = std::getenv("VT_SOURCE_DIR");
  if (root == nullptr || *root == '\0') return {};
  return std::string(root) + "/tests/interop/" + name;
}

std::string findFile(const std::string& dir, const std::string& name) {
  std::error_code ec;
  for (const fs::directory_entry& e : fs::directory_iterator(dir, ec)) {
    std::string entry = e.path().filename().string();
    if (strcasecmp(entry.c_str(), name.c_str()) == 0) return e.path().string();
  }
  return {};
}

std::string readWholeFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

bool writeWholeFile(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), std::streamsize(bytes.size()));
  return bool(out.flush());
}

std::string toHex(const std::string& bytes) {
  static const char digits[] = "0123456789abcdef";
  std::string hex;
  hex.reserve(bytes.size() * 2);
  for (unsigned char c : bytes) {
    hex += digits[c >> 4];
    hex += digits[c & 15];
  }
  return hex;
}

std::optional<std::string> fromHex(const std::string& hex) {
  if (hex.size() % 2 != 0) return std::nullopt;
  std::string bytes;
  bytes.reserve(hex.size() / 2);
  for (size_t i = 0; i < hex.size(); i += 2) {
    int hi = hexValue(hex[i]), lo = hexValue(hex[i + 1]);
    if (hi < 0 || lo < 0) return std::nullopt;
    bytes += char(hi * 16 + lo);
  }
  return bytes;
}

std::string formatRows(const std::vector<Row>& rows) {
  std::string text;
  for (const Row& row : rows) {
    text += row.deleted ? '1' : '0';
    for (const Cell& cell : row.cells) text += cell ? "\t=" + toHex(*cell) : std::string("\t-");
    text += '\n';
  }
  return text;
}

bool parseRows(const std::string& text, std::vector<Row>* rows, std::string* error) {
  std::istringstream in(text);
  std::string line;
  for (int number = 1; std::getline(in, line); ++number) {
    std::vector<std::string> parts = splitTabs(line);
    Row row;
    bool ok = parts[0] == "0" || parts[0] == "1";
    row.deleted = parts[0] == "1";
    row.cells.resize(parts.size() - 1);
    for (size_t i = 1; ok && i < parts.size(); ++i) ok = parseCell(parts[i], &row.cells[i - 1]);
    if (!ok) {
      *error = "line " + std::to_string(number) + " is not a record: " + line.substr(0, 200);
      return false;
    }
    rows->push_back(std::move(row));
  }
  return true;
}

namespace {

// Bytes outside printable ASCII as \xHH, so Windows-1252 text reads in a
// UTF-8 terminal.
std::string escaped(const std::string& bytes) {
  std::string text;
  for (unsigned char c : bytes) {
    if (c >= 0x20 && c < 0x7F && c != '\\') {
      text += char(c);
    } else {
      char hex[8];
      std::snprintf(hex, sizeof hex, "\\x%02X", c);
      text += hex;
    }
  }
  return text;
}

// A cell for a failure message: short ones whole, long ones by where they
// first differ from `other`.
std::string show(const Cell& cell, const Cell& other) {
  if (!cell) return "null";
  if (cell->size() <= 80) return "\"" + escaped(*cell) + "\"";
  size_t at = 0;
  if (other) {
    auto diff = std::mismatch(cell->begin(), cell->end(), other->begin(), other->end());
    at = size_t(diff.first - cell->begin());
  }
  return std::to_string(cell->size()) + " bytes, from offset " + std::to_string(at) + ": \"" +
         escaped(cell->substr(at, 40)) + "\"";
}

}  // namespace

void expectSameRows(const std::vector<Row>& expected, const std::vector<Row>& actual,
                    const std::vector<std::string>& fieldNames, const std::string& reader) {
  EXPECT_EQ(expected.size(), actual.size()) << reader << ": number of records";
  for (size_t i = 0; i < std::min(expected.size(), actual.size()); ++i) {
    const Row& want = expected[i];
    const Row& got = actual[i];
    EXPECT_EQ(want.deleted, got.deleted) << reader << ": deleted flag of row " << i + 1;
    if (want.cells.size() != got.cells.size()) {
      ADD_FAILURE() << reader << ": row " << i + 1 << " has " << got.cells.size()
                    << " fields, expected " << want.cells.size();
      continue;
    }
    for (size_t f = 0; f < want.cells.size(); ++f) {
      const std::string name = f < fieldNames.size() ? fieldNames[f] : std::to_string(f + 1);
      EXPECT_TRUE(want.cells[f] == got.cells[f])
          << reader << ": row " << i + 1 << ", field " << name
          << "\n  expected: " << show(want.cells[f], got.cells[f])
          << "\n  read:     " << show(got.cells[f], want.cells[f]);
    }
  }
}

std::vector<Row> liveThenDeleted(std::vector<Row> rows) {
  std::stable_partition(rows.begin(), rows.end(), [](const Row& r) { return !r.deleted; });
  return rows;
}

bool parseKeyEntries(const std::string& text, std::vector<KeyEntry>* entries, std::string* error) {
  std::istringstream in(text);
  std::string line;
  for (int number = 1; std::getline(in, line); ++number) {
    std::vector<std::string> parts = splitTabs(line);
    std::optional<std::string> key = parts.size() == 2 ? fromHex(parts[0]) : std::nullopt;
    char* end = nullptr;
    unsigned long recno = key ? std::strtoul(parts[1].c_str(), &end, 10) : 0;
    if (!key || end == parts[1].c_str() || *end != '\0') {
      *error = "line " + std::to_string(number) + " is not a key entry: " + line.substr(0, 200);
      return false;
    }
    entries->emplace_back(std::move(*key), uint32_t(recno));
  }
  return true;
}

void expectSameEntries(const std::vector<KeyEntry>& expected, const std::vector<KeyEntry>& actual,
                       const std::string& what) {
  EXPECT_EQ(expected.size(), actual.size()) << what << ": number of entries";
  size_t n = std::min(expected.size(), actual.size());
  for (size_t i = 0; i < n; ++i) {
    if (expected[i] == actual[i]) continue;
    ADD_FAILURE() << what << ": entries differ first at position " << i + 1 << "\n  expected: \""
                  << expected[i].first << "\" record " << expected[i].second << "\n  read:     \""
                  << actual[i].first << "\" record " << actual[i].second;
    return;
  }
}

int ntxDepth(const std::string& path) {
  const std::string bytes = readWholeFile(path);
  constexpr size_t kPage = 1024;
  if (bytes.size() < kPage) return -1;
  auto at = [&](size_t offset) { return reinterpret_cast<const unsigned char*>(&bytes[offset]); };
  uint32_t page = le32(at(4));
  for (int depth = 1; depth <= 64; ++depth) {
    if (page % kPage != 0 || page + kPage > bytes.size()) return -1;
    size_t slot0 = le16(at(page + 2));
    if (slot0 + 4 > kPage) return -1;
    uint32_t child = le32(at(page + slot0));
    if (child == 0) return depth;
    page = child;
  }
  return -1;
}

}  // namespace vt::interop
