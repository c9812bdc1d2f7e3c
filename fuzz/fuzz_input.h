// Splitting one fuzzer input into the pieces a target needs: fields, flags and names.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace fuzz {

// Reads an input front to back: one byte at a time, or a field that ends at the next 0x00 byte
// (or the end of the input).
class Input {
 public:
  Input(const uint8_t* data, std::size_t size) : data_(data), size_(size) {}

  uint8_t Byte() { return pos_ < size_ ? data_[pos_++] : 0; }
  std::string Field() {
    std::string field;
    while (pos_ < size_ && data_[pos_] != 0) field.push_back(static_cast<char>(data_[pos_++]));
    if (pos_ < size_) ++pos_;
    return field;
  }
  std::string Rest() {
    std::string rest(reinterpret_cast<const char*>(data_) + pos_, size_ - pos_);
    pos_ = size_;
    return rest;
  }

 private:
  const uint8_t* data_;
  std::size_t size_;
  std::size_t pos_ = 0;
};

inline bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// text without line breaks, without blanks at either end.
template <class String>
String OneTrimmedLine(String text) {
  String out;
  for (auto c : text) {
    if (c != '\r' && c != '\n') out.push_back(c);
  }
  while (!out.empty() && IsBlank(static_cast<char>(out.back()))) out.pop_back();
  std::size_t start = 0;
  while (start < out.size() && IsBlank(static_cast<char>(out[start]))) ++start;
  return out.substr(start);
}

}  // namespace fuzz
