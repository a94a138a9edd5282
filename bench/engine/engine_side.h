// The engine half of the engine benchmark: the customer table CUST5 with its
// index group, worked through the Engine/Table/Field facade as the program does.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "engine/engine.h"

namespace vt::bench {

class EngineSide {
 public:
  // Works in `dir` with `n` records. Each operation returns its seconds and
  // throws std::runtime_error on any failure.
  EngineSide(const std::string& dir, uint32_t n);
  ~EngineSide();
  EngineSide(const EngineSide&) = delete;
  EngineSide& operator=(const EngineSide&) = delete;

  double append();
  double indexName();
  double indexAll();
  double seekExact();
  double seekPrefix();
  double walkRecno();
  double walkField();
  double pack();

 private:
  void openTable();
  void closeTable();
  void removeFile(const std::string& name);
  engine::Tag* requireTag(const char* name);
  engine::Field* requireField(const char* name);
  // Throws when the engine holds an error.
  void checkEngine(const char* what);
  // Walks the whole name order, calling fn() on each record; returns the
  // number of records visited.
  template <class Fn>
  uint32_t walkNames(Fn&& fn);

  engine::Engine engine_;
  engine::Table* table_ = nullptr;
  uint32_t n_;
};

}  // namespace vt::bench
