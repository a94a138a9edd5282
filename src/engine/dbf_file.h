// A dBASE III table file (.dbf): header, field descriptors and fixed-length
// records. Knows nothing about memos or indexes.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "io.h"
#include "status.h"

namespace vt::engine {

struct FieldDesc {
  std::string name;  // as stored (upper case by convention), at most 10 chars
  char type = 'C';   // C, N, D, L or M
  uint8_t length = 0;
  uint8_t decimals = 0;
  uint32_t offset = 0;  // offset in the record; byte 0 is the deletion flag
};

class DbfFile {
 public:
  // Opens and validates an existing table. Nothing is written by a failed
  // open. The deletion flag is byte 0 of every record buffer.
  static int open(FileSystem& fs, const std::string& path, bool writable,
                  std::unique_ptr<DbfFile>* out);
  // Writes a new empty table (0x83 when hasMemo). Offsets in `fields` are
  // computed; names are upper-cased. Fails with kErrArgument on a bad
  // definition (name too long, width out of range for its type, ...).
  static int create(FileSystem& fs, const std::string& path, std::vector<FieldDesc> fields,
                    bool hasMemo);

  ~DbfFile();

  const std::vector<FieldDesc>& fields() const;
  int fieldIndex(std::string_view name) const;  // case-insensitive; -1 if none
  uint32_t recCount() const;
  uint32_t recordLength() const;
  uint32_t headerLength() const;
  bool hasMemo() const;  // version byte 0x83
  // Header byte 29, the code page the writer's text is in (0x03 for ours).
  uint8_t languageDriver() const;
  bool writable() const;
  File& file();

  // Reads a whole record (recordLength bytes) of 1..recCount.
  int read(uint32_t recno, char* record);
  // Reads `n` bytes at `offset` within a record (one field, say);
  // kErrArgument when the range is not inside the record.
  int readPart(uint32_t recno, uint32_t offset, uint32_t n, char* out);
  // Rewrites a record in place.
  int write(uint32_t recno, const char* record);
  // Appends a record; *recno receives its number. Appends are buffered until
  // flush(); reads of buffered records are served from the buffer.
  int append(const char* record, uint32_t* recno);
  // Writes buffered appends, the header (record count, today's date) and the
  // 0x1A end marker.
  int flush();
  // Takes the table back to `count` records after appends that failed to
  // reach the disk: buffered records past it are dropped and, when the header
  // may already count them, the old count is written back. Records left
  // past the header's count are invisible to every reader.
  int discardAppends(uint32_t count);
  // Re-reads the record count from the header (another process may have
  // appended). *changed tells whether it differs from what was known.
  // Writes pending changes first and forgets records read before, so the
  // next reads see what other processes wrote.
  int refresh(bool* changed);
  // Empties the table in place (header count 0, file cut after the header).
  int zap();

  // Sequential reading in physical order with large reads, for index builds,
  // pack and export. Records are returned one at a time; the pointer stays
  // valid until the next call. Records rewritten during a scan may be seen
  // as they were when their chunk was read.
  class Scanner {
   public:
    explicit Scanner(DbfFile& dbf, uint32_t first = 1);
    // Returns kOk and sets *record (and *recno) or sets *record = nullptr at
    // the end; a negative status on an I/O error.
    int next(const char** record, uint32_t* recno);

   private:
    DbfFile& dbf_;
    uint32_t next_;
    uint32_t bufFirst_ = 0, bufCount_ = 0;
    std::vector<char> buf_;
  };

  struct Impl;

 private:
  explicit DbfFile(std::unique_ptr<Impl> impl);
  std::unique_ptr<Impl> impl_;
};

// Today's date for the header's last-update bytes; tests may fix it.
// Year 0 goes back to the real clock.
void setDbfClockForTests(int year, int month, int day);

}  // namespace vt::engine
