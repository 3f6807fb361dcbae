#pragma once

#include <optional>
#include <string>
#include <utility>

namespace velmor::formats {

// Why reading WKT or WKB stopped. The readers and the builders they feed report through it, and its
// display text is what a caller finally sees.
class FormatError {
  public:
    enum class Kind {
        Geometry,   // a WKT syntax error or a failure of the builder: "processing geometry `...`"
        Truncated,  // WKB input that ends inside the geometry
        Wkb,        // WKB input that is complete but malformed
    };

    static FormatError geometry(std::string message) { return {Kind::Geometry, std::move(message)}; }
    static FormatError truncated(std::string message) { return {Kind::Truncated, std::move(message)}; }
    static FormatError wkb(std::string message) { return {Kind::Wkb, std::move(message)}; }

    Kind kind() const { return kind_; }
    const std::string& message() const { return message_; }
    std::string display() const;

  private:
    FormatError(Kind kind, std::string message) : kind_(kind), message_(std::move(message)) {}

    Kind kind_;
    std::string message_;
};

// The outcome of one reading step or builder event: success, or the error that stops the walk.
// (Deliberately not std::expected: the fuzz harnesses build this component with a clang whose
// standard library support for std::expected is incomplete.)
class [[nodiscard]] Status {
  public:
    Status() = default;
    Status(FormatError error) : error_(std::move(error)) {}  // NOLINT: an error converts implicitly

    explicit operator bool() const { return !error_.has_value(); }
    const FormatError& error() const { return *error_; }

  private:
    std::optional<FormatError> error_;
};

}  // namespace velmor::formats

// Returns a failed Status from the enclosing function, which must itself return a Status.
#define VELMOR_FORMAT_TRY(expr)                                                \
    do {                                                                       \
        if (auto velmor_status = (expr); !velmor_status) return velmor_status; \
    } while (false)
