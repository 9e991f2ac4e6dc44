#pragma once

#include <cstdint>

// The message types of the host protocol (the copy-data word of each message).
constexpr std::int32_t msgQuit = 4096;
constexpr std::int32_t msgReply = 4097;
constexpr std::int32_t msgRegister = 4098;
constexpr std::int32_t msgUnregister = 4099;
constexpr std::int32_t msgFindEntity = 4100;
constexpr std::int32_t msgParams = 4101;
constexpr std::int32_t msgExecute = 4102;
constexpr std::int32_t msgGetFile = 4103;
constexpr std::int32_t msgMapFileName = 4104;
constexpr std::int32_t msgQueryString = 4105;
constexpr std::int32_t msgGetVariable = 4106;

// The selectors of msgFindEntity.
constexpr std::uint8_t kFindByHandle = 1;
constexpr std::uint8_t kFindByTitle = 2;
