// The bytes of a loaded script: one buffer, not zero-filled before a read fills it, and backed by
// large pages when it is large, so that a 40 MB script costs tens of page faults, not thousands.
#pragma once

#include <cstddef>
#include <memory>
#include <string_view>

namespace nosk::script {

class ByteBuffer {
 public:
  ByteBuffer() = default;
  ByteBuffer(ByteBuffer&& other) noexcept;
  ByteBuffer& operator=(ByteBuffer&& other) noexcept;
  ~ByteBuffer();

  // Room for at least `capacity` bytes, keeping the content. Throws std::bad_alloc.
  void Reserve(std::size_t capacity);
  // Appends bytes, growing as needed.
  void Append(std::string_view bytes);
  // Sets the size, which may not exceed the capacity; bytes added by growing are not set.
  void SetSize(std::size_t size) { size_ = size; }

  char* data() { return data_; }
  const char* data() const { return data_; }
  std::size_t size() const { return size_; }
  std::size_t capacity() const { return capacity_; }
  bool empty() const { return size_ == 0; }
  std::string_view view() const { return {data_, size_}; }

 private:
  char* data_ = nullptr;
  std::size_t size_ = 0;
  std::size_t capacity_ = 0;
};

}  // namespace nosk::script
