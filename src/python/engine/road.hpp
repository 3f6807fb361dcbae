#pragma once

#include <Python.h>

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <tuple>
#include <utility>

#include "engine/argument_kinds.hpp"
#include "engine/results.hpp"
#include "engine/signature.hpp"
#include "entry.hpp"
#include "geometry/runtime_conversion.hpp"
#include "runtime/environment.hpp"
#include "runtime/error_capture.hpp"
#include "runtime/function_table.hpp"

// The one road of every engine member: bind the arguments to the parameters of the text signature,
// check and convert them by kind in signature order, make the runtime objects phase by phase (units,
// spatial references and text; the receiver; geometry arguments and iterables; origin, cutter and
// envelope), make one runtime call, convert its result. Every runtime object is owned by the call's
// frame, so each is released on every path.
//
// A member is one row:
//     Member<"clip($self, env)", Gk<GK(clip), GeometryResult>, EnvelopeArg>
// from which its method entry, its argument binding and its __text_signature__ all come.
namespace velmor::py::engine {

template <class... Kinds>
using Values = std::tuple<typename Kinds::Value...>;

template <class... Kinds>
using PreparedSet = std::tuple<std::optional<typename Kinds::Prepared>...>;

using Names = const char* const*;

// Converts the bound arguments by kind, in signature order; the first failure ends the conversion.
template <class... Kinds, std::size_t... I>
Result<void> convert_arguments(Values<Kinds...>& values, PyObject* const* bound, Names names,
                               std::index_sequence<I...>) {
    Result<void> status;
    [[maybe_unused]] const auto one = [&]<std::size_t J>() -> bool {
        using Kind = std::tuple_element_t<J, std::tuple<Kinds...>>;
        auto converted = Kind::convert(bound[J], names[J]);
        if (!converted) {
            status = fail(std::move(converted.error()));
            return false;
        }
        std::get<J>(values) = std::move(*converted);
        return true;
    };
    static_cast<void>((true && ... && one.template operator()<I>()));
    return status;
}

// Makes the runtime objects of the kinds of one phase, in signature order. The first failure ends the
// phase, except for iterables, whose failure is held until the phase's other iterables were read.
template <Phase P, class... Kinds, std::size_t... I>
Result<void> prepare_phase(PreparedSet<Kinds...>& prepared, const Values<Kinds...>& values, Names names,
                           std::index_sequence<I...>) {
    Result<void> status;
    std::optional<NativeError> held;
    [[maybe_unused]] const auto one = [&]<std::size_t J>() -> bool {
        using Kind = std::tuple_element_t<J, std::tuple<Kinds...>>;
        if constexpr (Kind::phase != P) {
            return true;
        } else {
            auto made = Kind::prepare(std::get<J>(values), names[J]);
            if (made) {
                std::get<J>(prepared).emplace(std::move(*made));
                return true;
            }
            if constexpr (Kind::collects) {
                held.emplace(std::move(made.error()));
                return true;
            } else {
                status = fail(std::move(made.error()));
                return false;
            }
        }
    };
    static_cast<void>((true && ... && one.template operator()<I>()));
    if (!status) return status;
    if (held) return fail(std::move(*held));
    return {};
}

// The engine function of a row: its entry in the function table and its result kind. With a name,
// the function must not fail: a runtime error is an internal failure naming it, not an exception.
template <auto Entry, class R, Text MustNotFail = Text("")>
struct Gk {
    template <bool Method, class... Kinds>
    static Result<Ref> run(PyObject* self, const Values<Kinds...>& values, Names names) {
        constexpr auto indices = std::index_sequence_for<Kinds...>{};
        PreparedSet<Kinds...> prepared;
        VELMOR_TRY((prepare_phase<Phase::Plain, Kinds...>(prepared, values, names, indices)));
        VELMOR_TRY((prepare_phase<Phase::BeforeReceiver, Kinds...>(prepared, values, names, indices)));
        std::optional<runtime::GeometryOwned> receiver;
        if constexpr (Method) {
            VELMOR_TRY_ASSIGN(receiver, geometry_to_runtime(self));
        } else {
            // Collection functions of the runtime core read the environment's settings.
            runtime::ensure_environment();
        }
        VELMOR_TRY((prepare_phase<Phase::Geometry, Kinds...>(prepared, values, names, indices)));
        VELMOR_TRY((prepare_phase<Phase::Attached, Kinds...>(prepared, values, names, indices)));
        auto outcome = call<Method, Kinds...>(receiver, prepared, indices);
        if (!outcome) {
            if constexpr (MustNotFail.view().empty()) {
                return fail(runtime::to_native_error(outcome.error()));
            } else {
                runtime::unexpected_runtime_error(MustNotFail.view(), outcome.error());
            }
        }
        return R::convert(*outcome, values);
    }

private:
    template <bool Method, class... Kinds, std::size_t... I>
    static auto call(const std::optional<runtime::GeometryOwned>& receiver, const PreparedSet<Kinds...>& prepared,
                     std::index_sequence<I...>) {
        const auto function = runtime::functions().*Entry;
        if constexpr (Method) {
            return runtime::invoke(function, receiver->get(), Kinds::pass(*std::get<I>(prepared))...);
        } else {
            return runtime::invoke(function, Kinds::pass(*std::get<I>(prepared))...);
        }
    }
};

// A member whose body chooses between rows or reads more than one runtime function; it receives the
// receiver (null for a static member or a module function), the parameter names when it wants them,
// and the converted arguments.
template <auto Body>
struct Custom {
    template <bool, class... Kinds>
    static Result<Ref> run(PyObject* self, const Values<Kinds...>& values, Names names) {
        return std::apply(
            [&](const auto&... value) {
                if constexpr (std::is_invocable_v<decltype(Body), PyObject*, Names, const typename Kinds::Value&...>) {
                    return Body(self, names, value...);
                } else {
                    return Body(self, value...);
                }
            },
            values);
    }
};

// One row of the catalogue.
template <Text Signature, class Engine, class... Kinds>
struct Member {
    static_assert(parameter_count(Signature.view()) == sizeof...(Kinds), "one kind per parameter of the signature");
    static constexpr bool is_method = takes_self(Signature.view());

    // The road after conversion, for bodies that choose this row.
    static Result<Ref> run(PyObject* self, const Values<Kinds...>& values) {
        return Engine::template run<is_method, Kinds...>(self, values,
                                                         parsed_signature<Signature>().parameters.names.data());
    }

    static PyObject* call(PyObject* self, PyObject* const* args, Py_ssize_t nargsf, PyObject* kwnames) {
        return guard([&]() -> Result<Ref> {
            const auto& parameters = parsed_signature<Signature>().parameters;
            VELMOR_TRY_ASSIGN(auto bound, bind(parameters, args, nargsf, kwnames));
            Values<Kinds...> values;
            VELMOR_TRY(convert_arguments<Kinds...>(values, bound.data(), parameters.names.data(),
                                                   std::index_sequence_for<Kinds...>{}));
            return Engine::template run<is_method, Kinds...>(is_method ? self : nullptr, values,
                                                             parameters.names.data());
        });
    }

    // The method entry: its name and its text signature both come from the signature. A signature
    // without "$self" is a static method of the class.
    // Members of a class say how they fail after what they compute, in the same words for every row.
    static PyMethodDef entry(const char* description) {
        static const std::string doc = std::string(description) + " " + failure_note;
        return made_entry(doc.c_str());
    }

    // The entry of a module function, kept for the life of the process; its description is taken as it is.
    static PyMethodDef* module_entry(const char* description) {
        static_assert(!is_method, "a module function takes no $self");
        static PyMethodDef def = [&] {
            PyMethodDef made = made_entry(description);
            made.ml_flags &= ~METH_STATIC;
            return made;
        }();
        return &def;
    }

  private:
    static constexpr const char* failure_note =
        "Raises TypeError or ValueError for an unusable argument, and Exception (\"Geokern library error: "
        "...\") "
        "when the runtime core refuses the input.";

    static PyMethodDef made_entry(const char* description) {
        static const std::string name(function_name(Signature.view()));
        static const std::string doc = std::string(Signature.view()) + "\n--\n\n" + description;
        return {name.c_str(), as_cfunction(call),
                METH_FASTCALL | METH_KEYWORDS | (is_method ? 0 : METH_STATIC), doc.c_str()};
    }
};

// A read-only property computed by the engine: its name and the body that reads it.
template <Text Name, Result<Ref> (*Body)(PyObject* self)>
struct Property {
    static PyObject* get(PyObject* self, void*) {
        return guard([&]() -> Result<Ref> { return Body(self); });
    }
    static PyGetSetDef entry(const char* description) {
        return {Name.chars, get, nullptr, description, nullptr};
    }
};

}  // namespace velmor::py::engine

// The table entry of a runtime engine function, by its operation name.
#define VELMOR_ENGINE(operation) &::velmor::runtime::FunctionTable::GeometryEngine_##operation
// The same, for a function whose failure is an internal failure.
#define VELMOR_ENGINE_MUST_NOT_FAIL(operation, R) \
    ::velmor::py::engine::Gk<VELMOR_ENGINE(operation), R, ::velmor::py::engine::Text("GK_GeometryEngine_" #operation)>
