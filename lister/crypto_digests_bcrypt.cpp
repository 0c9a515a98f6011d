// MD5 and SHA-1 by Windows' own CNG (bcrypt.dll), the Windows build's digests.
#include "lister/crypto_digests.h"

#include <windows.h>

#include <bcrypt.h>

#include "names/escapes.h"

namespace {
constexpr ULONG md5Bytes = 16;
constexpr ULONG sha1Bytes = 20;
// BCryptHashData takes a 32-bit length: longer pieces go in slices.
constexpr std::size_t largestSlice = 1u << 30;

// One running hash of CNG: its algorithm's provider and the hash object.
struct CngHash {
    BCRYPT_ALG_HANDLE algorithm = nullptr;
    BCRYPT_HASH_HANDLE hash = nullptr;

    explicit CngHash(LPCWSTR algorithmId) {
        if (BCryptOpenAlgorithmProvider(&algorithm, algorithmId, nullptr, 0) < 0) {
            algorithm = nullptr;
            return;
        }
        if (BCryptCreateHash(algorithm, &hash, nullptr, 0, nullptr, 0, 0) < 0) {
            hash = nullptr;
        }
    }
    ~CngHash() {
        if (hash != nullptr) {
            BCryptDestroyHash(hash);
        }
        if (algorithm != nullptr) {
            BCryptCloseAlgorithmProvider(algorithm, 0);
        }
    }
    CngHash(const CngHash&) = delete;
    CngHash& operator=(const CngHash&) = delete;

    bool add(const uint8_t* bytes, std::size_t count) {
        while (count > 0) {
            const std::size_t slice = count < largestSlice ? count : largestSlice;
            if (BCryptHashData(hash, const_cast<PUCHAR>(bytes), static_cast<ULONG>(slice), 0) < 0) {
                return false;
            }
            bytes += slice;
            count -= slice;
        }
        return true;
    }

    std::string finish(ULONG length) {
        UCHAR digest[sha1Bytes] = {};
        if (BCryptFinishHash(hash, digest, length, 0) < 0) {
            return "";
        }
        return hexOfBytes(digest, length);
    }
};
}  // namespace

struct CryptoDigests::State {
    CngHash md5{BCRYPT_MD5_ALGORITHM};
    CngHash sha1{BCRYPT_SHA1_ALGORITHM};
    bool failed = md5.hash == nullptr || sha1.hash == nullptr;
};

CryptoDigests::CryptoDigests() : state_(new State) {}

CryptoDigests::~CryptoDigests() = default;

void CryptoDigests::add(const uint8_t* bytes, std::size_t count) {
    if (!state_->failed) {
        state_->failed = !state_->md5.add(bytes, count) || !state_->sha1.add(bytes, count);
    }
}

void CryptoDigests::finish(std::string& md5, std::string& sha1) {
    md5 = state_->failed ? "" : state_->md5.finish(md5Bytes);
    sha1 = state_->failed ? "" : state_->sha1.finish(sha1Bytes);
    if (md5.empty() || sha1.empty()) {
        md5.clear();
        sha1.clear();
    }
}
