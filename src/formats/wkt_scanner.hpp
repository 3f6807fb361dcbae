#pragma once

#include <cstddef>
#include <string_view>

namespace velmor::formats {

// Character-level reading of WKT text: blanks, punctuation, keywords and numbers. Every read skips
// leading blanks first; nothing reads past the end of the text.
class WktScanner {
  public:
    explicit WktScanner(std::string_view text) : text_(text) {}

    bool at_end();
    // Consumes `c` when it is the next character.
    bool consume(char c);
    // The next character, or '\0' at the end.
    char peek();
    bool word_ahead();
    // A run of letters (possibly empty when no letter follows).
    std::string_view word();
    // True when the next token is a number: a digit, sign or point, or one of the words NaN, Inf,
    // Infinity. Numbers beyond the range of a double read as infinity or zero.
    bool number_ahead();

    enum class NumberRead { Ok, Missing, Invalid };
    NumberRead number(double& value);

  private:
    void skip_blanks();
    std::string_view word_at(std::size_t start) const;

    std::string_view text_;
    std::size_t pos_ = 0;
};

// ASCII case-insensitive comparison, for keywords.
bool same_keyword(std::string_view a, std::string_view b);

}  // namespace velmor::formats
