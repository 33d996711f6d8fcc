#pragma once
// A text field of fixed capacity inside the parameter record: a longer text is cut to its first
// N characters. Trivially copyable, so copies of the record never allocate.
#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace tgsim {

template <std::size_t N>
class ShortText {
public:
    ShortText() = default;
    ShortText(std::string_view text) { assign(text); }  // NOLINT: used like a string
    ShortText& operator=(std::string_view text) {
        assign(text);
        return *this;
    }

    std::string_view view() const { return {chars_.data(), length_}; }
    std::string str() const { return std::string(view()); }
    bool operator==(std::string_view other) const { return view() == other; }
    bool operator==(const ShortText& other) const { return view() == other.view(); }

private:
    void assign(std::string_view text) {
        length_ = text.size() < N ? text.size() : N;
        for (std::size_t i = 0; i < length_; ++i) chars_[i] = text[i];
    }
    std::array<char, N> chars_{};
    std::size_t length_ = 0;
};

}  // namespace tgsim
