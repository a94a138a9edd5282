// Key expressions compile to a short list of operations over the record
// buffer, so that evaluating a key for every record of a large table costs a
// few memcpy calls and no allocation.
#include "key_expr.h"

#include <array>
#include <cstring>

#include "dbf_decimal.h"
#include "key_expr_parse.h"
#include "number_text.h"
#include "status.h"

namespace vt::engine {
namespace {

struct KeyOp {
  enum class Kind : uint8_t { Copy, Upper, Str, NumKey };
  Kind kind = Kind::Copy;
  uint8_t fieldDecimals = 0;
  uint16_t fieldLength = 0;
  uint16_t decimals = 0;  // Str
  uint32_t src = 0;       // offset in the record
  uint32_t dst = 0;       // offset in the key
  uint32_t len = 0;       // bytes of key written (Upper: bytes changed)
};

constexpr std::array<unsigned char, 256> makeUpperTable() {
  std::array<unsigned char, 256> t{};
  for (int c = 0; c < 256; ++c) t[c] = static_cast<unsigned char>(c);
  for (int c = 'a'; c <= 'z'; ++c) t[c] = static_cast<unsigned char>(c - 0x20);
  t[0x9A] = 0x8A;  // š
  t[0x9C] = 0x8C;  // œ
  t[0x9E] = 0x8E;  // ž
  t[0xFF] = 0x9F;  // ÿ
  for (int c = 0xE0; c <= 0xFE; ++c) {
    if (c != 0xF7) t[c] = static_cast<unsigned char>(c - 0x20);  // à-ö, ø-þ; not ÷
  }
  return t;
}

constexpr std::array<unsigned char, 256> kUpper1252 = makeUpperTable();

// The type of a node, or 0 when its parts do not fit together.
char typeOf(const KeyNode& node, const std::vector<FieldDesc>& fields) {
  switch (node.kind) {
    case KeyNode::Kind::Field:
      return fields[node.field].type;
    case KeyNode::Kind::Upper:
      return typeOf(node.kids[0], fields) == 'C' ? 'C' : 0;
    case KeyNode::Kind::Str:
      return typeOf(node.kids[0], fields) == 'N' ? 'C' : 0;
    case KeyNode::Kind::Dtos:
      return typeOf(node.kids[0], fields) == 'D' ? 'C' : 0;
    case KeyNode::Kind::Concat:
      for (const KeyNode& kid : node.kids) {
        const char t = typeOf(kid, fields);
        if (t == 0 || t == 'M') return 0;
      }
      return 'C';
  }
  return 0;
}

class Compiler {
 public:
  explicit Compiler(const std::vector<FieldDesc>& fields) : fields_(fields) {}

  void emit(const KeyNode& node) {
    switch (node.kind) {
      case KeyNode::Kind::Field:
        return emitField(fields_[node.field]);
      case KeyNode::Kind::Dtos:
        return emit(node.kids[0]);
      case KeyNode::Kind::Concat:
        for (const KeyNode& kid : node.kids) emit(kid);
        return;
      case KeyNode::Kind::Upper: {
        const uint32_t start = length_;
        emit(node.kids[0]);
        KeyOp op;
        op.kind = KeyOp::Kind::Upper;
        op.dst = start;
        op.len = length_ - start;
        ops_.push_back(op);
        return;
      }
      case KeyNode::Kind::Str: {
        const FieldDesc& f = fields_[node.kids[0].field];
        push(KeyOp::Kind::Str, f, static_cast<uint32_t>(node.width), node.decimals);
        return;
      }
    }
  }

  std::vector<KeyOp>& ops() { return ops_; }
  uint32_t length() const { return length_; }

 private:
  void emitField(const FieldDesc& f) {
    push(f.type == 'N' ? KeyOp::Kind::NumKey : KeyOp::Kind::Copy, f, f.length, f.decimals);
  }

  void push(KeyOp::Kind kind, const FieldDesc& f, uint32_t len, int decimals) {
    KeyOp op;
    op.kind = kind;
    op.src = f.offset;
    op.fieldLength = f.length;
    op.fieldDecimals = f.decimals;
    op.decimals = static_cast<uint16_t>(decimals);
    op.dst = length_;
    op.len = len;
    length_ += len;
    ops_.push_back(op);
  }

  const std::vector<FieldDesc>& fields_;
  std::vector<KeyOp> ops_;
  uint32_t length_ = 0;
};

void evaluateStr(const KeyOp& op, const char* record, char* key) {
  const char* text = record + op.src;
  if (op.fieldLength == op.len && op.fieldDecimals == op.decimals &&
      isCanonicalNumber(text, op.fieldLength, op.fieldDecimals)) {
    std::memcpy(key + op.dst, text, op.len);
    return;
  }
  Decimal value;
  parseDecimal(text, op.fieldLength, &value);
  formatDecimal(value, static_cast<int>(op.len), op.decimals, key + op.dst);
}

}  // namespace

struct KeyExpr::Impl {
  std::string text;
  std::vector<KeyOp> ops;
  size_t length = 0;
  char type = 'C';
  int decimals = 0;
};

KeyExpr::KeyExpr(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {}
KeyExpr::~KeyExpr() = default;

int KeyExpr::compile(const std::string& text, const std::vector<FieldDesc>& fields,
                     std::unique_ptr<KeyExpr>* out) {
  KeyNode root;
  int status = parseKeyExpr(text, fields, &root);
  if (status != kOk) return status;
  const char type = typeOf(root, fields);
  if (type == 0 || type == 'M') return kErrExpression;
  Compiler compiler(fields);
  compiler.emit(root);
  if (compiler.length() == 0 || compiler.length() > kMaxLength) return kErrExpression;
  auto impl = std::make_unique<Impl>();
  impl->text = text;
  impl->ops = std::move(compiler.ops());
  impl->length = compiler.length();
  impl->type = type;
  impl->decimals = type == 'N' ? fields[root.field].decimals : 0;
  out->reset(new KeyExpr(std::move(impl)));
  return kOk;
}

const std::string& KeyExpr::text() const {
  return impl_->text;
}
size_t KeyExpr::length() const {
  return impl_->length;
}
char KeyExpr::type() const {
  return impl_->type;
}
int KeyExpr::decimals() const {
  return impl_->decimals;
}

void KeyExpr::evaluate(const char* record, char* key) const {
  for (const KeyOp& op : impl_->ops) {
    switch (op.kind) {
      case KeyOp::Kind::Copy:
        std::memcpy(key + op.dst, record + op.src, op.len);
        break;
      case KeyOp::Kind::Upper:
        upper1252(key + op.dst, op.len);
        break;
      case KeyOp::Kind::Str:
        evaluateStr(op, record, key);
        break;
      case KeyOp::Kind::NumKey:
        numericKey(record + op.src, op.fieldLength, op.fieldDecimals, key + op.dst);
        break;
    }
  }
}

unsigned char upper1252(unsigned char c) {
  return kUpper1252[c];
}

void upper1252(char* text, size_t n) {
  auto* p = reinterpret_cast<unsigned char*>(text);
  for (size_t i = 0; i < n; ++i) p[i] = kUpper1252[p[i]];
}

void formatStr(double value, int width, int decimals, char* out) {
  formatNumber(value, width, decimals, out);
}

}  // namespace vt::engine
