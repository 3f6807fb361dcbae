#include "wkt_scanner.hpp"

#include <locale.h>  // newlocale, locale_t (POSIX)
#include <stdlib.h>  // strtod_l (POSIX)

#include <charconv>
#include <limits>
#include <string>
#include <system_error>

namespace velmor::formats {
namespace {

bool is_blank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v';
}
bool is_letter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}
bool is_digit(char c) {
    return c >= '0' && c <= '9';
}
bool is_number_char(char c) {
    return is_digit(c) || c == '.' || c == 'e' || c == 'E' || c == '+' || c == '-';
}

char lower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

// The special values that writers such as GEOS and PostGIS put in WKT.
bool special_value(std::string_view word, double& value) {
    if (same_keyword(word, "nan")) {
        value = std::numeric_limits<double>::quiet_NaN();
        return true;
    }
    if (same_keyword(word, "inf") || same_keyword(word, "infinity")) {
        value = std::numeric_limits<double>::infinity();
        return true;
    }
    return false;
}

// A number beyond the range of a double rounds to infinity or zero, as strtod and Python's float do.
// The C locale keeps the decimal point a point whatever the process's locale.
double beyond_range(const std::string& token) {
    static const locale_t c_locale = newlocale(LC_ALL_MASK, "C", nullptr);
    return strtod_l(token.c_str(), nullptr, c_locale);
}

}  // namespace

bool same_keyword(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (lower(a[i]) != lower(b[i])) return false;
    }
    return true;
}

void WktScanner::skip_blanks() {
    while (pos_ < text_.size() && is_blank(text_[pos_])) ++pos_;
}

bool WktScanner::at_end() {
    skip_blanks();
    return pos_ == text_.size();
}

char WktScanner::peek() {
    skip_blanks();
    return pos_ < text_.size() ? text_[pos_] : '\0';
}

bool WktScanner::consume(char c) {
    if (peek() != c || c == '\0') return false;
    ++pos_;
    return true;
}

bool WktScanner::word_ahead() {
    return is_letter(peek());
}

std::string_view WktScanner::word_at(std::size_t start) const {
    std::size_t end = start;
    while (end < text_.size() && is_letter(text_[end])) ++end;
    return text_.substr(start, end - start);
}

std::string_view WktScanner::word() {
    skip_blanks();
    const std::string_view found = word_at(pos_);
    pos_ += found.size();
    return found;
}

bool WktScanner::number_ahead() {
    const char c = peek();
    if (is_digit(c) || c == '+' || c == '-' || c == '.') return true;
    double ignored = 0;
    return is_letter(c) && special_value(word_at(pos_), ignored);
}

WktScanner::NumberRead WktScanner::number(double& value) {
    if (!number_ahead()) return NumberRead::Missing;
    std::size_t start = pos_;
    bool negative = false;
    if (text_[start] == '+' || text_[start] == '-') {
        negative = text_[start] == '-';
        ++start;
    }
    if (start < text_.size() && is_letter(text_[start])) {
        const std::string_view word = word_at(start);
        if (!special_value(word, value)) return NumberRead::Invalid;
        if (negative) value = -value;
        pos_ = start + word.size();
        return NumberRead::Ok;
    }
    std::size_t end = start;
    while (end < text_.size() && is_number_char(text_[end])) ++end;
    // from_chars takes no leading '+', and a second sign after the first is malformed anyway.
    const bool plus = text_[pos_] == '+';
    const char* first = text_.data() + pos_ + (plus ? 1 : 0);
    const char* last = text_.data() + end;
    if (first == last || (plus && (*first == '+' || *first == '-'))) return NumberRead::Invalid;
    const auto [stop, error] = std::from_chars(first, last, value);
    if (stop != last || (error != std::errc{} && error != std::errc::result_out_of_range)) {
        return NumberRead::Invalid;
    }
    if (error == std::errc::result_out_of_range) value = beyond_range(std::string(first, last));
    pos_ = end;
    return NumberRead::Ok;
}

}  // namespace velmor::formats
