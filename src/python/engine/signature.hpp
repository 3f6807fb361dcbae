#pragma once

#include <Python.h>

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

#include "args.hpp"

// A member's text signature is the single place where its name and its parameter names are written.
// The binding reads both out of it: the parameter names and how many are required (those without a
// default), whether it is a method ("$self" first) or a static function, and its name.
namespace velmor::py::engine {

// A string literal usable as a template argument, so a row of the catalogue can carry its signature.
template <std::size_t N>
struct Text {
    char chars[N]{};
    constexpr Text(const char (&text)[N]) {
        for (std::size_t i = 0; i < N; ++i) chars[i] = text[i];
    }
    constexpr std::string_view view() const { return {chars, N - 1}; }
};

// Plain loops rather than string_view's find and compare: those are not constant expressions under
// the sanitizers.
constexpr std::size_t first_index(std::string_view text, char wanted) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == wanted) return i;
    }
    return std::string_view::npos;
}

constexpr std::size_t last_index(std::string_view text, char wanted) {
    for (std::size_t i = text.size(); i > 0; --i) {
        if (text[i - 1] == wanted) return i - 1;
    }
    return std::string_view::npos;
}

constexpr bool same_text(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (a[i] != b[i]) return false;
    }
    return true;
}

// The text between the parentheses.
constexpr std::string_view parameter_list(std::string_view signature) {
    const auto open = first_index(signature, '(');
    const auto close = last_index(signature, ')');
    return signature.substr(open + 1, close - open - 1);
}

constexpr std::string_view trimmed(std::string_view text) {
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    return text;
}

// Calls visit(index, name, has_default) for every parameter after "$self"; gives the count.
template <class Visit>
constexpr std::size_t for_each_parameter(std::string_view signature, Visit&& visit) {
    std::string_view rest = parameter_list(signature);
    std::size_t index = 0;
    bool first = true;
    while (!trimmed(rest).empty()) {
        const auto comma = first_index(rest, ',');
        const std::string_view item = trimmed(rest.substr(0, comma));
        rest = comma == std::string_view::npos ? std::string_view{} : rest.substr(comma + 1);
        if (first && same_text(item, "$self")) {
            first = false;
            continue;
        }
        first = false;
        const auto equals = first_index(item, '=');
        visit(index++, trimmed(item.substr(0, equals)), equals != std::string_view::npos);
    }
    return index;
}

constexpr bool takes_self(std::string_view signature) {
    const std::string_view parameters = trimmed(parameter_list(signature));
    return parameters.size() >= 5 && same_text(parameters.substr(0, 5), "$self");
}

constexpr std::size_t parameter_count(std::string_view signature) {
    return for_each_parameter(signature, [](std::size_t, std::string_view, bool) {});
}

constexpr std::string_view function_name(std::string_view signature) {
    return signature.substr(0, first_index(signature, '('));
}

// The parameters of a signature in the form `bind` takes; the names point into storage kept with it.
template <std::size_t N>
struct ParsedSignature {
    std::string name;
    std::array<std::string, N> storage;
    Parameters<N> parameters;

    explicit ParsedSignature(std::string_view signature)
        : name(function_name(signature)), parameters{nullptr, {}, N} {
        std::size_t required = N;
        bool optional_seen = false;
        for_each_parameter(signature, [&](std::size_t index, std::string_view parameter, bool has_default) {
            storage[index] = std::string(parameter);
            if (has_default && !optional_seen) {
                optional_seen = true;
                required = index;
            }
        });
        parameters.function = name.c_str();
        for (std::size_t i = 0; i < N; ++i) parameters.names[i] = storage[i].c_str();
        parameters.required = required;
    }
    ParsedSignature(const ParsedSignature&) = delete;
    ParsedSignature& operator=(const ParsedSignature&) = delete;
};

// The parsed form of one signature, made once per process.
template <Text Signature>
const auto& parsed_signature() {
    static const ParsedSignature<parameter_count(Signature.view())> parsed(Signature.view());
    return parsed;
}

}  // namespace velmor::py::engine
