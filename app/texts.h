#pragma once
// Operator texts of the main window and the connection control, as UTF-8. The window shows
// them through the Unicode interfaces; the upgrade's own texts live in link/texts.h.
#include <string_view>

namespace vela::app::text {

inline constexpr std::string_view kAppTitle = "Vela System Firmware Update Tool";

// Message boxes.
inline constexpr std::string_view kAddressOrPortEmpty =
    "Server IP address or port number can not be empty！";
inline constexpr std::string_view kNoClientCaption = "信息提示";
inline constexpr std::string_view kNoClient = "没有一个客户端和您建立连接";

// Status panel 0.
inline constexpr std::string_view kConnecting = "Connection is being established....";
inline constexpr std::string_view kConnected = "Successful connection！";
inline constexpr std::string_view kConnectedBinding = "---Binding Ports";
inline constexpr std::string_view kConnectedTcp = "---TCP";
inline constexpr std::string_view kConnectedClient = "---Client";
inline constexpr std::string_view kSocketFailed = "Creating socket failed!!";
inline constexpr std::string_view kSocketClosed = "Socket has been closed！！";

// Status panel 1 in server mode.
inline constexpr std::string_view kClientCountPrefix = "共有：";
inline constexpr std::string_view kClientCountSuffix = "个连接";

// Log line of a sent text message: prefix + address + ": " + port + end + message.
inline constexpr std::string_view kLogSendPrefix = "【Send to ";
inline constexpr std::string_view kLogAddressSeparator = ": ";
inline constexpr std::string_view kLogBracketEnd = "】：";

} // namespace vela::app::text
