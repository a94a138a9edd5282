// Error codes of the engine: 0 is success, every failure is negative.
#pragma once

namespace vt::engine {

enum Status : int {
  kOk = 0,
  kErrOpen = -10,         // file missing or cannot be opened
  kErrCreate = -20,       // file cannot be created
  kErrRead = -30,         // I/O error while reading
  kErrWrite = -40,        // I/O error while writing (disk full, short write)
  kErrFormat = -50,       // malformed, truncated or foreign data file
  kErrLocked = -60,       // another user holds a lock that excludes this one
  kErrField = -70,        // no such field
  kErrTag = -80,          // no such tag
  kErrExpression = -90,   // key expression cannot be parsed
  kErrMemo = -100,        // malformed memo file or memo reference
  kErrRecord = -110,      // record number out of range
  kErrIndex = -120,       // malformed index file
  kErrReadOnly = -130,    // write to a table opened read-only
  kErrExists = -140,      // file exists and safety is on
  kErrArgument = -150,    // invalid argument (bad field definition, ...)
  kErrOverflow = -160,    // a number too wide for its field
  kErrUnfinished = -170,  // an unfinished change lists files that are not there
};

// A short English description of a status, for messages and the tool.
const char* statusText(int status);

}  // namespace vt::engine
