#include "engine/relation_predicates.hpp"

#include <initializer_list>
#include <string_view>

namespace geokern::engine {
namespace {

// Whether the matrix matches any of the patterns.
std::optional<bool> any_matches(const MatrixBounds& matrix, std::initializer_list<std::string_view> patterns) {
    bool known = true;
    for (std::string_view pattern : patterns) {
        const std::optional<bool> matched = matrix.matches(pattern);
        if (matched == true) return true;
        if (!matched) known = false;
    }
    if (known) return false;
    return std::nullopt;
}

std::optional<bool> negated(std::optional<bool> answer) {
    if (answer) return !*answer;
    return std::nullopt;
}

std::optional<bool> crosses(const MatrixBounds& matrix, int a, int b) {
    if (a == 1 && b == 1) return matrix.matches("0********");
    if (a < b) return matrix.matches("T*T******");
    if (a > b) return matrix.matches("T*****T**");
    return false;
}

std::optional<bool> overlaps(const MatrixBounds& matrix, int a, int b) {
    if (a != b) return false;
    return matrix.matches(a == 1 ? "1*T***T**" : "T*T***T**");
}

}  // namespace

std::optional<bool> predicate_of(Predicate predicate, const MatrixBounds& matrix, int a, int b) {
    switch (predicate) {
        case Predicate::contains: return matrix.matches("T*****FF*");
        case Predicate::crosses: return crosses(matrix, a, b);
        case Predicate::disjoint: return matrix.matches("FF*FF****");
        case Predicate::equals:
            if (a != b) return false;
            return matrix.matches("T*F**FFF*");
        case Predicate::intersects: return negated(matrix.matches("FF*FF****"));
        case Predicate::overlaps: return overlaps(matrix, a, b);
        case Predicate::touches:
            if (a == 0 && b == 0) return false;
            return any_matches(matrix, {"FT*******", "F**T*****", "F***T****"});
        case Predicate::within: return matrix.matches("T*F**F***");
    }
    return std::nullopt;
}

}  // namespace geokern::engine
