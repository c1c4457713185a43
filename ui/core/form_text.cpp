#include "ui/core/form_text.h"

#include "ui/core/exceptions.h"
#include "ui/core/text.h"

#include <cctype>
#include <cstdlib>

namespace vela::ui {

namespace {

// A hand-written recursive-descent parser over the UTF-8 text; positions are byte offsets.
class Parser {
public:
  explicit Parser(std::string_view text) : text_(text) {}

  TFormObject ParseRoot() {
    SkipBlanks();
    TFormObject root = ParseObject();
    SkipBlanks();
    if (pos_ < text_.size()) Fail("text after the final 'end'");
    return root;
  }

private:
  // Objects and lists nest by recursion; a description nested deeper than any form would be
  // must not use up the stack.
  static constexpr int kMaxDepth = 200;
  class Nested {
  public:
    explicit Nested(Parser& p) : p_(p) {
      if (++p_.depth_ > kMaxDepth) p_.Fail("nested more than " + std::to_string(kMaxDepth) + " deep");
    }
    ~Nested() { --p_.depth_; }
    Nested(const Nested&) = delete;
    Nested& operator=(const Nested&) = delete;

  private:
    Parser& p_;
  };

  [[noreturn]] void Fail(const std::string& what) const {
    throw EReadError("Form description, line " + std::to_string(line_) + ": " + what);
  }

  bool AtEnd() const { return pos_ >= text_.size(); }
  char Peek() const { return AtEnd() ? '\0' : text_[pos_]; }

  void SkipBlanks() {
    while (!AtEnd()) {
      char c = text_[pos_];
      if (c == '\n') {
        ++line_;
        ++pos_;
      } else if (c == ' ' || c == '\t' || c == '\r') {
        ++pos_;
      } else if (c == '/' && pos_ + 1 < text_.size() && text_[pos_ + 1] == '/') {
        while (!AtEnd() && text_[pos_] != '\n') ++pos_;
      } else {
        break;
      }
    }
  }

  static bool IdentStart(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_'; }
  static bool IdentChar(char c) { return IdentStart(c) || (c >= '0' && c <= '9'); }

  // An identifier, with dots when `dotted` ("Font.Height").
  std::string Ident(bool dotted) {
    SkipBlanks();
    if (!IdentStart(Peek())) Fail("identifier expected");
    std::size_t start = pos_;
    while (!AtEnd() && (IdentChar(text_[pos_]) || (dotted && text_[pos_] == '.' && pos_ + 1 < text_.size() &&
                                                   IdentStart(text_[pos_ + 1]))))
      ++pos_;
    return std::string(text_.substr(start, pos_ - start));
  }

  void Expect(char c) {
    SkipBlanks();
    if (Peek() != c) Fail(std::string("'") + c + "' expected");
    ++pos_;
  }

  bool PeekWord(std::string_view word) {
    SkipBlanks();
    if (text_.substr(pos_, word.size()).size() != word.size()) return false;
    if (!SameName(text_.substr(pos_, word.size()), word)) return false;
    std::size_t after = pos_ + word.size();
    return after >= text_.size() || !IdentChar(text_[after]);
  }

  TFormObject ParseObject() {
    const Nested nested(*this);
    if (!(PeekWord("object") || PeekWord("inherited") || PeekWord("inline"))) Fail("'object' expected");
    Ident(false);
    TFormObject obj;
    obj.line = line_;
    std::string first = Ident(false);
    SkipBlanks();
    if (Peek() == ':') {
      ++pos_;
      obj.name = first;
      obj.className = Ident(false);
    } else {
      obj.className = first;
    }
    SkipBlanks();
    if (Peek() == '[') { // an index of an inherited child; kept out of the tree
      while (!AtEnd() && Peek() != ']') ++pos_;
      Expect(']');
    }
    for (;;) {
      SkipBlanks();
      if (AtEnd()) Fail("'end' expected for object " + obj.name);
      if (PeekWord("end")) {
        Ident(false);
        return obj;
      }
      if (PeekWord("object") || PeekWord("inherited") || PeekWord("inline")) {
        obj.children.push_back(ParseObject());
        continue;
      }
      obj.properties.push_back(ParseProperty());
    }
  }

  TFormProperty ParseProperty() {
    TFormProperty prop;
    prop.line = line_;
    prop.name = Ident(true);
    Expect('=');
    prop.value = ParseValue();
    return prop;
  }

  TFormValue ParseValue() {
    const Nested nested(*this);
    SkipBlanks();
    TFormValue v;
    v.line = line_;
    char c = Peek();
    if (c == '\'' || c == '#') {
      v.kind = TFormValue::Kind::String;
      v.string = ParseString();
    } else if (c == '-' || c == '+' || (c >= '0' && c <= '9') || c == '$') {
      ParseNumber(v);
    } else if (c == '[') {
      ParseSet(v);
    } else if (c == '(') {
      ++pos_;
      v.kind = TFormValue::Kind::List;
      for (;;) {
        SkipBlanks();
        if (AtEnd()) Fail("')' expected");
        if (Peek() == ')') {
          ++pos_;
          break;
        }
        v.list.push_back(ParseValue());
      }
    } else if (c == '{') {
      ParseBinary(v);
    } else if (c == '<') {
      ParseCollection(v);
    } else if (IdentStart(c)) {
      v.kind = TFormValue::Kind::Identifier;
      v.identifier = Ident(true);
    } else {
      Fail("value expected");
    }
    return v;
  }

  // 'text' pieces, #n code points, joined directly or with '+' across lines.
  std::wstring ParseString() {
    std::wstring out;
    for (;;) {
      char c = Peek();
      if (c == '\'') {
        ++pos_;
        std::size_t start = pos_;
        std::string piece;
        for (;;) {
          if (AtEnd() || text_[pos_] == '\n') Fail("unterminated string");
          if (text_[pos_] == '\'') {
            if (pos_ + 1 < text_.size() && text_[pos_ + 1] == '\'') {
              piece.append(text_.substr(start, pos_ + 1 - start));
              pos_ += 2;
              start = pos_;
              continue;
            }
            piece.append(text_.substr(start, pos_ - start));
            ++pos_;
            break;
          }
          ++pos_;
        }
        out += Utf8ToWide(piece);
      } else if (c == '#') {
        ++pos_;
        std::size_t start = pos_;
        while (!AtEnd() && (std::isalnum(static_cast<unsigned char>(text_[pos_])) || text_[pos_] == '$')) ++pos_;
        std::int64_t code = 0;
        if (!TryStrToInt64(text_.substr(start, pos_ - start), code) || code < 0 || code > 0x10FFFF)
          Fail("bad character code");
        if (code >= 0x10000 && sizeof(wchar_t) == 2) {
          code -= 0x10000;
          out.push_back(wchar_t(0xD800 + (code >> 10)));
          out.push_back(wchar_t(0xDC00 + (code & 0x3FF)));
        } else {
          out.push_back(wchar_t(code));
        }
      } else {
        std::size_t save = pos_;
        int saveLine = line_;
        SkipBlanks();
        if (Peek() == '+') {
          ++pos_;
          SkipBlanks();
          if (Peek() == '\'' || Peek() == '#') continue;
          Fail("string expected after '+'");
        }
        pos_ = save;
        line_ = saveLine;
        return out;
      }
    }
  }

  void ParseNumber(TFormValue& v) {
    std::size_t start = pos_;
    if (Peek() == '-' || Peek() == '+') ++pos_;
    bool hex = Peek() == '$';
    if (hex) ++pos_;
    bool isFloat = false;
    while (!AtEnd()) {
      char c = text_[pos_];
      if (std::isxdigit(static_cast<unsigned char>(c)) && (hex || std::isdigit(static_cast<unsigned char>(c)))) {
        ++pos_;
      } else if (!hex && (c == '.' || c == 'e' || c == 'E')) {
        isFloat = true;
        ++pos_;
        if ((c == 'e' || c == 'E') && (Peek() == '-' || Peek() == '+')) ++pos_;
      } else {
        break;
      }
    }
    std::string token(text_.substr(start, pos_ - start));
    if (isFloat) {
      char* end = nullptr;
      v.kind = TFormValue::Kind::Float;
      v.floating = std::strtod(token.c_str(), &end);
      v.identifier = token;
      if (!end || *end) Fail("bad number '" + token + "'");
      return;
    }
    v.kind = TFormValue::Kind::Integer;
    if (!TryStrToInt64(token, v.integer)) Fail("bad number '" + token + "'");
  }

  void ParseSet(TFormValue& v) {
    Expect('[');
    v.kind = TFormValue::Kind::Set;
    SkipBlanks();
    if (Peek() == ']') {
      ++pos_;
      return;
    }
    for (;;) {
      v.setMembers.push_back(Ident(false));
      SkipBlanks();
      if (Peek() == ']') {
        ++pos_;
        return;
      }
      Expect(',');
    }
  }

  void ParseBinary(TFormValue& v) {
    Expect('{');
    v.kind = TFormValue::Kind::Binary;
    int high = -1;
    for (;;) {
      SkipBlanks();
      if (AtEnd()) Fail("'}' expected");
      char c = text_[pos_++];
      if (c == '}') break;
      int digit = c >= '0' && c <= '9' ? c - '0' : c >= 'a' && c <= 'f' ? c - 'a' + 10 : c >= 'A' && c <= 'F' ? c - 'A' + 10 : -1;
      if (digit < 0) Fail("hexadecimal digit expected in binary data");
      if (high < 0) {
        high = digit;
      } else {
        v.binary.push_back(std::uint8_t(high * 16 + digit));
        high = -1;
      }
    }
    if (high >= 0) Fail("odd number of hexadecimal digits in binary data");
  }

  void ParseCollection(TFormValue& v) {
    Expect('<');
    v.kind = TFormValue::Kind::Collection;
    for (;;) {
      SkipBlanks();
      if (Peek() == '>') {
        ++pos_;
        return;
      }
      if (!PeekWord("item")) Fail("'item' expected");
      Ident(false);
      TFormItem item;
      for (;;) {
        SkipBlanks();
        if (AtEnd()) Fail("'end' expected for item");
        if (PeekWord("end")) {
          Ident(false);
          break;
        }
        item.properties.push_back(ParseProperty());
      }
      v.items.push_back(std::move(item));
    }
  }

  std::string_view text_;
  std::size_t pos_ = 0;
  int line_ = 1;
  int depth_ = 0;
};

} // namespace

TFormObject ParseFormText(std::string_view text) {
  if (text.size() >= 3 && text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
  return Parser(text).ParseRoot();
}

} // namespace vela::ui
