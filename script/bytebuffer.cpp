#include "script/bytebuffer.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <new>
#include <utility>

#ifdef __linux__
#include <sys/mman.h>
#endif

namespace nosk::script {
namespace {

constexpr std::size_t kLargePage = 2 * 1024 * 1024;

// A buffer of at least `capacity` bytes; from 2 MB on, aligned to large pages and advised to use
// them (the kernel then faults 2 MB at a time).
char* Allocate(std::size_t capacity) {
  if (capacity < kLargePage) {
    void* memory = std::malloc(capacity);
    if (memory == nullptr) throw std::bad_alloc();
    return static_cast<char*>(memory);
  }
  const std::size_t rounded = (capacity + kLargePage - 1) / kLargePage * kLargePage;
  void* memory = std::aligned_alloc(kLargePage, rounded);
  if (memory == nullptr) throw std::bad_alloc();
#ifdef MADV_HUGEPAGE
  ::madvise(memory, rounded, MADV_HUGEPAGE);
#endif
  return static_cast<char*>(memory);
}

}  // namespace

ByteBuffer::ByteBuffer(ByteBuffer&& other) noexcept
    : data_(std::exchange(other.data_, nullptr)),
      size_(std::exchange(other.size_, 0)),
      capacity_(std::exchange(other.capacity_, 0)) {}

ByteBuffer& ByteBuffer::operator=(ByteBuffer&& other) noexcept {
  if (this != &other) {
    std::free(data_);
    data_ = std::exchange(other.data_, nullptr);
    size_ = std::exchange(other.size_, 0);
    capacity_ = std::exchange(other.capacity_, 0);
  }
  return *this;
}

ByteBuffer::~ByteBuffer() { std::free(data_); }

void ByteBuffer::Reserve(std::size_t capacity) {
  if (capacity <= capacity_) return;
  char* grown = Allocate(capacity);
  if (size_ > 0) std::memcpy(grown, data_, size_);
  std::free(data_);
  data_ = grown;
  capacity_ = capacity;
}

void ByteBuffer::Append(std::string_view bytes) {
  if (size_ + bytes.size() > capacity_) Reserve(std::max(size_ + bytes.size(), capacity_ * 2));
  if (!bytes.empty()) std::memcpy(data_ + size_, bytes.data(), bytes.size());
  size_ += bytes.size();
}

}  // namespace nosk::script
