// Splitting an announcement's field text into fields, and the reverse for a device.
//
//   auto fields = SplitFields(text, IsCp936LeadByte);     // {"CPU", "V1.0", "V2 beta"}
//   std::string line = JoinFields(fields, IsCp936LeadByte); // CPU,V1.0,"V2 beta"
//
// Text is stepped in characters of an ANSI code page: a lead byte of a double-byte
// character takes the following byte with it, so a trail byte is never read as a comma or a
// quotation mark. Which bytes lead is the caller's choice (the predicate); on Windows the
// system's ANSI code page (system_code_page.h), in portable code usually code page 936.
#pragma once

#include <cstddef>
#include <limits>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace vela::link {

using LeadBytePredicate = bool (*)(unsigned char);

// Code page 936: lead bytes 0x81 to 0xFE.
bool IsCp936LeadByte(unsigned char byte);
// A single-byte code page: no byte leads.
bool IsNeverLeadByte(unsigned char byte);

// Splits a field text. The text ends at its first zero byte or at its end. Bytes 0x01 to
// 0x20 and commas separate unquoted fields; a field that begins with a quotation mark runs
// to the next lone quotation mark, with doubled marks standing for one; two commas enclose
// an empty field, and a comma that is the text's last byte adds an empty field.
// Splitting stops after `max_fields` fields; the ones before are the same either way.
std::vector<std::string>
SplitFields(std::string_view text, LeadBytePredicate is_lead,
            std::size_t max_fields = std::numeric_limits<std::size_t>::max());

// Quotes a field when the splitter would otherwise cut or change it (it is empty, holds a
// byte up to 0x20 or a comma, or holds or starts with a quotation mark), doubling its
// quotation marks. Trail bytes are left alone.
std::string QuoteField(std::string_view field, LeadBytePredicate is_lead);

// Fields quoted as needed and joined by ","; SplitFields gives them back unchanged, provided
// no field ends in a lone lead byte (which would take the following separator as its trail).
std::string JoinFields(std::span<const std::string> fields, LeadBytePredicate is_lead);

} // namespace vela::link
