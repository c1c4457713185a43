#include "link/fields.h"

#include <algorithm>

namespace vela::link {

namespace {

constexpr char kQuote = '"';
constexpr char kComma = ',';

bool IsSeparatorBlank(unsigned char c) {
  return c >= 0x01 && c <= 0x20;
}

// Walks a field text character by character. The text ends at its first zero byte; a lead
// byte at the very end has no trail byte to take along.
class TextCursor {
public:
  TextCursor(std::string_view text, LeadBytePredicate is_lead)
      : text_(text.substr(0, std::min(text.size(), text.find('\0')))), is_lead_(is_lead) {}

  bool AtEnd() const { return pos_ >= text_.size(); }
  unsigned char Peek() const { return static_cast<unsigned char>(text_[pos_]); }
  bool AtLastByte() const { return pos_ + 1 == text_.size(); }
  std::size_t pos() const { return pos_; }
  std::string_view Slice(std::size_t from, std::size_t to) const {
    return text_.substr(from, to - from);
  }

  // Moves past one character: one byte, or two for a lead byte with its trail.
  void Step() {
    const bool lead = is_lead_(Peek());
    pos_ += (lead && pos_ + 1 < text_.size()) ? 2 : 1;
  }
  // Moves past one byte that is known to be a single-byte character.
  void StepByte() { ++pos_; }
  void SkipBlanks() {
    while (!AtEnd() && IsSeparatorBlank(Peek()))
      StepByte();
  }

private:
  std::string_view text_;
  LeadBytePredicate is_lead_;
  std::size_t pos_ = 0;
};

std::string ReadQuotedField(TextCursor& cursor) {
  std::string field;
  cursor.StepByte(); // the opening quotation mark
  while (!cursor.AtEnd()) {
    if (cursor.Peek() == kQuote) {
      cursor.StepByte();
      if (cursor.AtEnd() || cursor.Peek() != kQuote)
        return field;  // the closing mark
      field += kQuote; // a doubled mark stands for one
      cursor.StepByte();
      continue;
    }
    const std::size_t from = cursor.pos();
    cursor.Step();
    field += cursor.Slice(from, cursor.pos());
  }
  return field; // an unterminated quote runs to the end of the text
}

std::string ReadPlainField(TextCursor& cursor) {
  const std::size_t from = cursor.pos();
  while (!cursor.AtEnd() && cursor.Peek() != kComma && cursor.Peek() > 0x20)
    cursor.Step();
  return std::string(cursor.Slice(from, cursor.pos()));
}

bool NeedsQuotes(std::string_view field, LeadBytePredicate is_lead) {
  if (field.empty() || field.front() == kQuote)
    return true;
  for (std::size_t i = 0; i < field.size(); ++i) {
    const auto c = static_cast<unsigned char>(field[i]);
    if (c <= 0x20 || c == kComma || c == kQuote)
      return true;
    if (is_lead(c) && i + 1 < field.size())
      ++i;
  }
  return false;
}

} // namespace

bool IsCp936LeadByte(unsigned char byte) {
  return byte >= 0x81 && byte <= 0xFE;
}

bool IsNeverLeadByte(unsigned char) {
  return false;
}

std::vector<std::string> SplitFields(std::string_view text, LeadBytePredicate is_lead,
                                     std::size_t max_fields) {
  std::vector<std::string> fields;
  TextCursor cursor(text, is_lead);
  cursor.SkipBlanks();
  while (!cursor.AtEnd() && fields.size() < max_fields) {
    fields.push_back(cursor.Peek() == kQuote ? ReadQuotedField(cursor) : ReadPlainField(cursor));
    cursor.SkipBlanks();
    if (!cursor.AtEnd() && cursor.Peek() == kComma) {
      if (cursor.AtLastByte() && fields.size() < max_fields)
        fields.emplace_back();
      cursor.StepByte();
      cursor.SkipBlanks();
    }
  }
  return fields;
}

std::string QuoteField(std::string_view field, LeadBytePredicate is_lead) {
  if (!NeedsQuotes(field, is_lead))
    return std::string(field);
  std::string quoted;
  quoted.reserve(field.size() + 2);
  quoted += kQuote;
  for (std::size_t i = 0; i < field.size(); ++i) {
    const auto c = static_cast<unsigned char>(field[i]);
    if (is_lead(c) && i + 1 < field.size()) {
      quoted += field.substr(i, 2);
      ++i;
      continue;
    }
    if (c == kQuote)
      quoted += kQuote;
    quoted += field[i];
  }
  quoted += kQuote;
  return quoted;
}

std::string JoinFields(std::span<const std::string> fields, LeadBytePredicate is_lead) {
  std::string joined;
  for (std::size_t i = 0; i < fields.size(); ++i) {
    if (i > 0)
      joined += kComma;
    joined += QuoteField(fields[i], is_lead);
  }
  return joined;
}

} // namespace vela::link
