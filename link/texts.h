// Operator texts of the update link, as UTF-8. The GUI converts them to UTF-16 for its
// message boxes and log; the command-line tool prints them. Bytes received from or sent to
// a device are never mixed into these: those stay in the ANSI code page.
#pragma once

#include <string_view>

namespace vela::link::text {

// Message boxes of the upgrade.
inline constexpr std::string_view kSelectBinaryFile = "Please select a binary file！";
inline constexpr std::string_view kNoCardFound = "To upgrade the card was not found！";
inline constexpr std::string_view kSelectCard = "Please select the card you want to upgrade！";
inline constexpr std::string_view kSameTypeBoard = "Please select the same type of board！";
inline constexpr std::string_view kUpgradeSuccess = "Card program upgrade success！";

// Refusals decided for this tool: an image that does not fit the buffer or is empty is not
// loaded, and a selection that does not fit the select message is not sent.
inline constexpr std::string_view kImageTooLarge =
    "The binary file is too large: at most 1048577 bytes can be upgraded！";
inline constexpr std::string_view kImageEmpty = "The binary file is empty！";
inline constexpr std::string_view kImageUnreadable = "The binary file can not be opened：";
inline constexpr std::string_view kTooManyCards =
    "Too many cards are selected: at most 4097 can be upgraded together！";
inline constexpr std::string_view kSelectTooLong =
    "The names of the selected cards are too long to send in one message！";

// Log lines.
inline constexpr std::string_view kLogUpgradeSuccess = "板卡程序升级成功！";
inline constexpr std::string_view kLogBlockPrefix = "指令序列号:";
inline constexpr std::string_view kLogBlockSuffix = "*发送成功！";
inline constexpr std::string_view kLogReceivePrefix = "【Receive from ";
inline constexpr std::string_view kLogBracketEnd = "】：";

// Status panel 1.
inline constexpr std::string_view kStatusReceivedPrefix = "Received Data from IP:";
inline constexpr std::string_view kStatusPortPrefix = ",Port:";

} // namespace vela::link::text
