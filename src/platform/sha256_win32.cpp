#include <windows.h>
// bcrypt.h needs the declarations of windows.h first.
#include <bcrypt.h>

#include <algorithm>
#include <limits>

#include "platform/sha256.h"

namespace trel {

namespace {

// One call of the hash takes at most this many bytes; larger inputs go in pieces.
constexpr std::size_t kLargestPiece = std::numeric_limits<ULONG>::max();

// CNG's SHA-256 provider and one hash object of it, closed in reverse order.
class Sha256Hash {
 public:
  Sha256Hash() {
    if (BCRYPT_SUCCESS(
            ::BCryptOpenAlgorithmProvider(&algorithm_, BCRYPT_SHA256_ALGORITHM, nullptr, 0))) {
      ::BCryptCreateHash(algorithm_, &hash_, nullptr, 0, nullptr, 0, 0);
    }
  }
  ~Sha256Hash() {
    if (hash_ != nullptr) {
      ::BCryptDestroyHash(hash_);
    }
    if (algorithm_ != nullptr) {
      ::BCryptCloseAlgorithmProvider(algorithm_, 0);
    }
  }
  Sha256Hash(const Sha256Hash&) = delete;
  Sha256Hash& operator=(const Sha256Hash&) = delete;

  void add(std::span<const std::uint8_t> bytes) {
    while (!bytes.empty()) {
      const std::size_t piece = std::min(bytes.size(), kLargestPiece);
      ::BCryptHashData(hash_, const_cast<PUCHAR>(bytes.data()), static_cast<ULONG>(piece), 0);
      bytes = bytes.subspan(piece);
    }
  }
  Sha256Digest finish() {
    Sha256Digest digest{};
    ::BCryptFinishHash(hash_, digest.data(), static_cast<ULONG>(digest.size()), 0);
    return digest;
  }

 private:
  BCRYPT_ALG_HANDLE algorithm_ = nullptr;
  BCRYPT_HASH_HANDLE hash_ = nullptr;
};

}  // namespace

Sha256Digest Sha256(std::span<const std::uint8_t> bytes) {
  Sha256Hash hash;
  hash.add(bytes);
  return hash.finish();
}

}  // namespace trel
