// A contact table with index tags of every key form our tables use (Upper(),
// Str() with and without decimals, DTOS(), concatenation), the keys each
// record should have, and the index order the Clipper rules give: a build
// lists equal keys in record order, a later insert goes after its equals.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "engine/engine.h"
#include "interop/interop_support.h"

namespace vt::interop {

struct Contact {
  std::string name;  // Windows-1252, up to 20 bytes
  std::string city;  // up to 15 bytes
  long num = 0;
  double amount = 0;  // two decimals
  std::string day;    // yyyymmdd or "" for an empty date
};

std::vector<engine::FieldDesc> contactFields();
std::vector<engine::TagSpec> contactTags();

// The key `tag` (one of contactTags()) computes for a contact.
std::string contactKey(const std::string& tag, const Contact& c);

// Contacts made from a seed: repeated and mixed-case names, accented
// letters, negative numbers and empty dates.
class ContactMaker {
 public:
  explicit ContactMaker(uint32_t seed) : state_(seed) {}
  Contact next();
  uint32_t below(uint32_t n);

 private:
  uint32_t state_;
};

// The entries one tag should hold, kept in index order.
class ExpectedIndex {
 public:
  explicit ExpectedIndex(std::string tag) : tag_(std::move(tag)) {}
  const std::string& tag() const { return tag_; }
  const std::vector<KeyEntry>& entries() const { return entries_; }
  // Adds the record's key after every equal key already there.
  void insert(uint32_t recno, const Contact& c);
  // Moves the record behind its new equals when its key changed; an
  // unchanged key keeps its place.
  void update(uint32_t recno, const Contact& before, const Contact& after);

 private:
  std::string tag_;
  std::vector<KeyEntry> entries_;
};

// Writes the contact's fields into the table's current record.
void assignContact(engine::Table& t, const Contact& c);

}  // namespace vt::interop
