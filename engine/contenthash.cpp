#include "engine/contenthash.h"

#include <openssl/evp.h>

#include <new>

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
  static constexpr char kDigits[] = "0123456789abcdef";
  std::string text = "sha256:";
  for (const unsigned char byte : bytes) {
    text.push_back(kDigits[byte >> 4]);
    text.push_back(kDigits[byte & 15]);
  }
  return text;
}

ContentHash ContentHash::FromText(std::string_view text) {
  ContentHash hash;
  if (!text.starts_with("sha256:") || text.size() != 7 + 64) return hash;
  text.remove_prefix(7);
  const auto digit = [](char c) {
    return c >= '0' && c <= '9' ? c - '0' : c >= 'a' && c <= 'f' ? c - 'a' + 10 : -1;
  };
  for (std::size_t i = 0; i < hash.bytes.size(); ++i) {
    const int high = digit(text[2 * i]);
    const int low = digit(text[2 * i + 1]);
    if (high < 0 || low < 0) return {};
    hash.bytes[i] = static_cast<unsigned char>(high * 16 + low);
  }
  hash.known = true;
  return hash;
}

}  // namespace nosk::engine
