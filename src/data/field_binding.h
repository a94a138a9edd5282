// A record buffer tied to its table: one binding per field, naming the
// field, the type it must have and how its value moves between the field and
// the buffer member. The Load and Store routines of every table, and of the
// settings record, run over such a list, so the shared rules live once (in
// field_values.h).
#pragma once

#include <array>
#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "base/convert.h"
#include "data/field_values.h"
#include "engine/engine.h"

namespace vt::data::binding {

// What a load or store needs besides the field: the clock.
struct Context {
  base::DateTime now;
};

template <class R>
struct Binding {
  const char* name;
  char type;  // C M N L D
  // Null when the field is only written (a constant).
  std::function<void(R&, const engine::Field&, const Context&)> load;
  // Takes the buffer by reference: a memo puts the stored text back.
  std::function<void(R&, engine::Field&, const Context&)> store;
};

template <class R>
Binding<R> Text(const char* name, std::string R::*member) {
  return {name, 'C',
          [member](R& r, const engine::Field& f, const Context&) { r.*member = ReadText(f); },
          [member](R& r, engine::Field& f, const Context&) { WriteText(f, r.*member); }};
}

template <class R>
Binding<R> Memo(const char* name, std::string R::*member) {
  return {
      name, 'M',
      [member](R& r, const engine::Field& f, const Context&) { r.*member = ReadMemo(f); },
      [member](R& r, engine::Field& f, const Context&) { r.*member = WriteMemo(f, r.*member); }};
}

// cuno, CuNo, IvNo, PURNo: the engine's long calls.
template <class R>
Binding<R> Long(const char* name, int R::*member) {
  return {name, 'N',
          [member](R& r, const engine::Field& f, const Context&) {
            r.*member = static_cast<int>(f.asLong());
          },
          [member](R& r, engine::Field& f, const Context&) { f.assignLong(r.*member); }};
}

// ngroup, nGroup, NAcross and the settings' integers: the engine's int calls.
template <class R>
Binding<R> Int(const char* name, int R::*member) {
  return {name, 'N',
          [member](R& r, const engine::Field& f, const Context&) { r.*member = f.asInt(); },
          [member](R& r, engine::Field& f, const Context&) { f.assignInt(r.*member); }};
}

template <class R>
Binding<R> Double(const char* name, double R::*member) {
  return {name, 'N',
          [member](R& r, const engine::Field& f, const Context&) { r.*member = f.asDouble(); },
          [member](R& r, engine::Field& f, const Context&) { f.assignDouble(r.*member); }};
}

// One element of an array member (the label stock's dimensions).
template <class R, size_t N>
Binding<R> DoubleAt(const char* name, std::array<double, N> R::*member, size_t index) {
  return {name, 'N',
          [member, index](R& r, const engine::Field& f, const Context&) {
            (r.*member)[index] = f.asDouble();
          },
          [member, index](R& r, engine::Field& f, const Context&) {
            f.assignDouble((r.*member)[index]);
          }};
}

template <class R>
Binding<R> Logical(const char* name, bool R::*member) {
  return {name, 'L',
          [member](R& r, const engine::Field& f, const Context&) { r.*member = ReadLogical(f); },
          [member](R& r, engine::Field& f, const Context&) { WriteLogical(f, r.*member); }};
}

template <class R>
Binding<R> Date(const char* name, base::DateTime R::*member) {
  return {
      name, 'D',
      [member](R& r, const engine::Field& f, const Context& c) { r.*member = ReadDate(f, c.now); },
      [member](R& r, engine::Field& f, const Context& c) { WriteDate(f, r.*member, c.now.year); }};
}

// A field every store writes with the same value and no load reads.
template <class R>
Binding<R> Constant(const char* name, char type, const char* text) {
  return {name, type, nullptr, [text](R&, engine::Field& f, const Context&) { f.assign(text); }};
}

// The name and type of each field of a binding list, in its order.
template <class R>
std::vector<FieldDecl> DeclsOf(const std::vector<Binding<R>>& bindings) {
  std::vector<FieldDecl> decls;
  for (const Binding<R>& b : bindings) decls.push_back({b.name, b.type});
  return decls;
}

// `fields` holds the handles mapped from DeclsOf(bindings), in that order.
template <class R>
void LoadFields(const std::vector<Binding<R>>& bindings, const std::vector<engine::Field*>& fields,
                R& record, const Context& context) {
  for (size_t i = 0; i < bindings.size(); ++i) {
    if (bindings[i].load) bindings[i].load(record, *fields[i], context);
  }
}

template <class R>
void StoreFields(const std::vector<Binding<R>>& bindings, const std::vector<engine::Field*>& fields,
                 R& record, const Context& context) {
  for (size_t i = 0; i < bindings.size(); ++i) bindings[i].store(record, *fields[i], context);
}

// Copies the current record into `record`. 0, or the engine's negative
// status (kErrOpen when the table is not open); leaves no error pending.
template <class R>
int LoadMapped(engine::Engine& engine, const MappedTable& table,
               const std::vector<Binding<R>>& bindings, R& record, const Context& context) {
  if (!table.table) return engine::kErrOpen;
  engine.errorCode();
  LoadFields(bindings, table.fields, record, context);
  return engine.errorCode();
}

// Writes `record` into the current record and flushes it. 0, or the
// engine's negative status; leaves no error pending.
template <class R>
int StoreMapped(engine::Engine& engine, const MappedTable& table,
                const std::vector<Binding<R>>& bindings, R& record, const Context& context) {
  if (!table.table) return engine::kErrOpen;
  engine.errorCode();
  StoreFields(bindings, table.fields, record, context);
  const int flushed = table.table->flush();
  const int pending = engine.errorCode();
  return pending < 0 ? pending : flushed;
}

}  // namespace vt::data::binding
