#include "engine/contenthash.h"

#include <openssl/evp.h>

#include <new>

#include "script/ascii.h"

namespace nosk::engine {

struct ContentHasher::State {
  EVP_MD_CTX* context = EVP_MD_CTX_new();
  ~State() { EVP_MD_CTX_free(context); }
};

ContentHasher::ContentHasher() : state_(std::make_unique<State>()) {
  if (state_->context == nullptr ||
      EVP_DigestInit_ex(state_->context, EVP_sha256(), nullptr) != 1) {
    throw std::bad_alloc();
  }
}

ContentHasher::~ContentHasher() = default;

void ContentHasher::Update(std::string_view bytes) {
  if (!bytes.empty()) EVP_DigestUpdate(state_->context, bytes.data(), bytes.size());
}

ContentHash ContentHasher::Finish() {
  ContentHash hash;
  unsigned int length = 0;
  hash.known = EVP_DigestFinal_ex(state_->context, hash.bytes.data(), &length) == 1 &&
               length == hash.bytes.size();
  EVP_DigestInit_ex(state_->context, EVP_sha256(), nullptr);
  return hash;
}

ContentHash HashOf(std::string_view bytes) {
  ContentHasher hasher;
  hasher.Update(bytes);
  return hasher.Finish();
}

bool HashingSink::Write(std::string_view bytes) {
  hasher_.Update(bytes);
  return next_ == nullptr || next_->Write(bytes);
}

std::string ContentHash::Text() const {
  return "sha256:" + script::HexText(std::string_view(reinterpret_cast<const char*>(bytes.data()),
                                                      bytes.size()));
}

ContentHash ContentHash::FromText(std::string_view text) {
  ContentHash hash;
  if (!text.starts_with("sha256:") || text.size() != 7 + 64) return hash;
  text.remove_prefix(7);
  for (std::size_t i = 0; i < hash.bytes.size(); ++i) {
    const int high = script::HexDigitValue(text[2 * i]);
    const int low = script::HexDigitValue(text[2 * i + 1]);
    if (high < 0 || low < 0) return {};
    hash.bytes[i] = static_cast<unsigned char>(high * 16 + low);
  }
  hash.known = true;
  return hash;
}

}  // namespace nosk::engine
