#include "key_expr_parse.h"

#include <string_view>

#include "dbf_bytes.h"
#include "status.h"

namespace vt::engine {
namespace {

constexpr int kMaxDepth = 32;     // nesting of functions and parentheses
constexpr int kMaxNumber = 9999;  // Str() width and decimals

bool isAlpha(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
}

class Parser {
 public:
  Parser(std::string_view text, const std::vector<FieldDesc>& fields)
      : text_(text), fields_(fields) {}

  int parseAll(KeyNode* out) {
    int status = parseExpr(out, 0);
    if (status != kOk) return status;
    skipBlanks();
    return pos_ == text_.size() ? kOk : kErrExpression;
  }

 private:
  int parseExpr(KeyNode* out, int depth) {
    if (depth > kMaxDepth) return kErrExpression;
    KeyNode first;
    int status = parseTerm(&first, depth);
    if (status != kOk) return status;
    if (!accept('+')) {
      *out = std::move(first);
      return kOk;
    }
    KeyNode concat;
    concat.kind = KeyNode::Kind::Concat;
    concat.kids.push_back(std::move(first));
    do {
      KeyNode next;
      status = parseTerm(&next, depth);
      if (status != kOk) return status;
      concat.kids.push_back(std::move(next));
    } while (accept('+'));
    *out = std::move(concat);
    return kOk;
  }

  int parseTerm(KeyNode* out, int depth) {
    if (accept('(')) {
      int status = parseExpr(out, depth + 1);
      if (status != kOk) return status;
      return accept(')') ? kOk : kErrExpression;
    }
    std::string_view name = identifier();
    if (name.empty()) return kErrExpression;
    if (accept('(')) return parseCall(name, out, depth + 1);
    for (size_t i = 0; i < fields_.size(); ++i) {
      if (equalNoCaseAscii(fields_[i].name, name)) {
        out->kind = KeyNode::Kind::Field;
        out->field = static_cast<int>(i);
        return kOk;
      }
    }
    return kErrField;
  }

  // After "NAME(": the arguments and the closing parenthesis.
  int parseCall(std::string_view name, KeyNode* out, int depth) {
    if (equalNoCaseAscii(name, "UPPER")) {
      out->kind = KeyNode::Kind::Upper;
    } else if (equalNoCaseAscii(name, "DTOS")) {
      out->kind = KeyNode::Kind::Dtos;
    } else if (equalNoCaseAscii(name, "STR")) {
      out->kind = KeyNode::Kind::Str;
    } else {
      return kErrExpression;
    }
    out->kids.resize(1);
    int status = parseExpr(&out->kids[0], depth);
    if (status != kOk) return status;
    if (out->kind == KeyNode::Kind::Str) {
      if (!accept(',') || !number(&out->width) || out->width < 1) return kErrExpression;
      if (accept(',') && !number(&out->decimals)) return kErrExpression;
    }
    return accept(')') ? kOk : kErrExpression;
  }

  void skipBlanks() {
    while (pos_ < text_.size() && (text_[pos_] == ' ' || text_[pos_] == '\t')) ++pos_;
  }

  bool accept(char c) {
    skipBlanks();
    if (pos_ < text_.size() && text_[pos_] == c) {
      ++pos_;
      return true;
    }
    return false;
  }

  std::string_view identifier() {
    skipBlanks();
    const size_t start = pos_;
    if (pos_ < text_.size() && isAlpha(text_[pos_])) {
      while (pos_ < text_.size() && (isAlpha(text_[pos_]) || isAsciiDigit(text_[pos_]))) ++pos_;
    }
    return text_.substr(start, pos_ - start);
  }

  bool number(int* out) {
    skipBlanks();
    const size_t start = pos_;
    int value = 0;
    while (pos_ < text_.size() && isAsciiDigit(text_[pos_]) && value <= kMaxNumber) {
      value = value * 10 + (text_[pos_++] - '0');
    }
    *out = value;
    return pos_ > start && value <= kMaxNumber;
  }

  std::string_view text_;
  const std::vector<FieldDesc>& fields_;
  size_t pos_ = 0;
};

}  // namespace

int parseKeyExpr(const std::string& text, const std::vector<FieldDesc>& fields, KeyNode* out) {
  *out = KeyNode{};
  return Parser(text, fields).parseAll(out);
}

}  // namespace vt::engine
