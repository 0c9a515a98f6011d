// MD5 and SHA-1 by OpenSSL's libcrypto, through its EVP digests.
#include "lister/crypto_digests.h"

#include <openssl/evp.h>

#include "names/escapes.h"

namespace {
struct ContextFree {
    void operator()(EVP_MD_CTX* context) const { EVP_MD_CTX_free(context); }
};
using Context = std::unique_ptr<EVP_MD_CTX, ContextFree>;

// A context started on `digest`; empty when the library could not start it.
Context started(const EVP_MD* digest) {
    Context context(EVP_MD_CTX_new());
    if (context && EVP_DigestInit_ex(context.get(), digest, nullptr) != 1) {
        context.reset();
    }
    return context;
}

// The context's digest as hex; empty when it cannot be finished.
std::string finished(Context& context) {
    unsigned char digest[EVP_MAX_MD_SIZE];
    unsigned int length = 0;
    if (!context || EVP_DigestFinal_ex(context.get(), digest, &length) != 1) {
        return "";
    }
    return hexOfBytes(digest, length);
}
}  // namespace

struct CryptoDigests::State {
    Context md5 = started(EVP_md5());
    Context sha1 = started(EVP_sha1());
    bool failed = !md5 || !sha1;
};

CryptoDigests::CryptoDigests() : state_(new State) {}

CryptoDigests::~CryptoDigests() = default;

void CryptoDigests::add(const uint8_t* bytes, std::size_t count) {
    if (state_->failed) {
        return;
    }
    state_->failed = EVP_DigestUpdate(state_->md5.get(), bytes, count) != 1 ||
                     EVP_DigestUpdate(state_->sha1.get(), bytes, count) != 1;
}

void CryptoDigests::finish(std::string& md5, std::string& sha1) {
    md5 = state_->failed ? "" : finished(state_->md5);
    sha1 = state_->failed ? "" : finished(state_->sha1);
    if (md5.empty() || sha1.empty()) {
        md5.clear();
        sha1.clear();
    }
}
