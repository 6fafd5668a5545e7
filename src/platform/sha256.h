#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>

namespace trel {

using Sha256Digest = std::array<std::uint8_t, 32>;

// The SHA-256 digest of the bytes, computed by the system's own cryptography.
Sha256Digest Sha256(std::span<const std::uint8_t> bytes);

// The digest in lower-case hex, 64 characters, as sha256sum prints it.
std::string Sha256Hex(std::span<const std::uint8_t> bytes);

}  // namespace trel
