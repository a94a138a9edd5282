#include "status.h"

namespace vt::engine {

const char* statusText(int status) {
  switch (status) {
    case kOk:
      return "no error";
    case kErrOpen:
      return "file missing or cannot be opened";
    case kErrCreate:
      return "file cannot be created";
    case kErrRead:
      return "read error";
    case kErrWrite:
      return "write error (disk full?)";
    case kErrFormat:
      return "malformed or foreign table file";
    case kErrLocked:
      return "file is in use by another program";
    case kErrField:
      return "no such field";
    case kErrTag:
      return "no such index tag";
    case kErrExpression:
      return "invalid key expression";
    case kErrMemo:
      return "malformed memo file or memo reference";
    case kErrRecord:
      return "record number out of range";
    case kErrIndex:
      return "malformed index file";
    case kErrReadOnly:
      return "table is open for reading only";
    case kErrExists:
      return "file already exists";
    case kErrArgument:
      return "invalid argument";
    case kErrOverflow:
      return "number too wide for its field";
    case kErrUnfinished:
      return "an unfinished change of the files lists files that are not there";
    default:
      return "unknown error";
  }
}

}  // namespace vt::engine
