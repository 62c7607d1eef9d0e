#pragma once
// CRC-32 as zip, PNG and zlib compute it (reflected polynomial 0xEDB88320, all ones in and
// out), so a fingerprint printed by the application can be checked with any common tool.

#include <cstdint>
#include <span>

namespace tarvos {

uint32_t Crc32(std::span<const uint8_t> bytes);

}  // namespace tarvos
