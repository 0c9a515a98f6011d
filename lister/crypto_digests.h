#ifndef QUELT_LISTER_CRYPTO_DIGESTS_H
#define QUELT_LISTER_CRYPTO_DIGESTS_H

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

// A running MD5 and SHA-1 from the system's crypto library: OpenSSL's libcrypto
// on POSIX (crypto_digests_libcrypto.cpp), Windows' CNG, bcrypt, in the Windows
// build (crypto_digests_bcrypt.cpp). CMake links the one for the platform.
class CryptoDigests {
public:
    CryptoDigests();
    ~CryptoDigests();
    CryptoDigests(const CryptoDigests&) = delete;
    CryptoDigests& operator=(const CryptoDigests&) = delete;

    void add(const uint8_t* bytes, std::size_t count);
    // Both digests as lowercase hex; both empty when the library failed at any
    // step. The digests are spent afterwards.
    void finish(std::string& md5, std::string& sha1);

    struct State;  // the library's contexts

private:
    std::unique_ptr<State> state_;
};

#endif
