#pragma once
// The text form of a stored description, parsed into a tree.
//
//   object Form1: TForm1
//     Caption = 'Vela '#65306          // quoted text, '' for a quote, #n for a code point
//     Font.Height = -11                  // dotted names reach into object properties
//     BorderIcons = [biSystemMenu, biMinimize]
//     OnCreate = FormCreate              // identifiers: enumerations, handlers, references
//     Lines.Strings = (
//       'first'
//       'second')
//     Columns = <
//       item
//         Width = 25
//       end>
//     Glyph.Data = {0A000000...}         // binary data, hexadecimal
//     object Panel3: TPanel ... end      // nested objects: the inner one's parent is the outer
//   end
//
// The text is UTF-8. Parse errors throw EReadError naming the line.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vela::ui {

struct TFormProperty;

struct TFormItem {
  std::vector<TFormProperty> properties;
};

struct TFormValue {
  enum class Kind { Integer, Float, String, Identifier, Set, List, Binary, Collection };
  Kind kind = Kind::Integer;
  std::int64_t integer = 0;
  double floating = 0;
  std::wstring string;
  std::string identifier;
  std::vector<std::string> setMembers;
  std::vector<TFormValue> list;
  std::vector<std::uint8_t> binary;
  std::vector<TFormItem> items;
  int line = 0;
};

struct TFormProperty {
  std::string name; // possibly dotted: "Font.Height"
  TFormValue value;
  int line = 0;
};

struct TFormObject {
  std::string name;
  std::string className;
  std::vector<TFormProperty> properties;
  std::vector<TFormObject> children;
  int line = 0;
};

TFormObject ParseFormText(std::string_view text);

} // namespace vela::ui
