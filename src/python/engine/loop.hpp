#pragma once

#include <Python.h>

#include <cstddef>
#include <tuple>
#include <utility>
#include <vector>

#include "engine/road.hpp"

// The road of the collection functions: the fixed arguments are checked and made into runtime objects
// once, then the iterable is read one element at a time, each element converted when the loop reaches
// it and handed to one call of the engine function; the shape gathers the results. The first failure
// ends the call with everything kept so far released, and no further element is read.
namespace velmor::py::engine {

// The iterable parameter of a collection function; the loop reads it, nothing is made in advance.
struct ElementsArg : PlainKind<PyObject*> {
    static Result<PyObject*> convert(PyObject* argument, const char*) { return argument; }
};

// Where the element goes in the engine call: in its place in the signature, or first of all.
enum class Order { Signature, ElementFirst };

// A list of one geometry per element.
struct ListShape {
    using State = std::vector<runtime::GeometryOwned>;
    static Result<bool> add(State& state, GK_GeometryHandle geometry) {
        state.push_back(runtime::GeometryOwned::take(geometry));
        return true;
    }
    static Result<Ref> finish(State state) { return geometry_list(std::move(state)); }
};

// One list of the geometries of every element's array, in order.
struct FlatListShape {
    using State = std::vector<runtime::GeometryOwned>;
    static Result<bool> add(State& state, GK_ArrayHandle array) {
        VELMOR_TRY_ASSIGN(std::vector<runtime::GeometryOwned> pieces, geometries_of_array(array));
        for (auto& piece : pieces) state.push_back(std::move(piece));
        return true;
    }
    static Result<Ref> finish(State state) { return geometry_list(std::move(state)); }
};

struct BoolListShape {
    using State = std::vector<bool>;
    static Result<bool> add(State& state, GK_Bool value) {
        state.push_back(value != 0);
        return true;
    }
    static Result<Ref> finish(State state);
};

struct FloatListShape {
    using State = std::vector<double>;
    static Result<bool> add(State& state, double value) {
        state.push_back(value);
        return true;
    }
    static Result<Ref> finish(State state);
};

// 0.0 plus each element's measure, in element order.
struct TotalShape {
    using State = double;
    static Result<bool> add(State& state, double value) {
        state += value;
        return true;
    }
    static Result<Ref> finish(State state) { return FloatResult::float_object(state); }
};

// True at the first True (which ends the reading); False for none, and for an empty iterable.
struct AnyShape {
    using State = bool;
    static Result<bool> add(State& state, GK_Bool value) {
        state = value != 0;
        return !state;
    }
    static Result<Ref> finish(State state) { return Ref::borrow(state ? Py_True : Py_False); }
};

// False at the first False (which ends the reading); True otherwise, also for an empty iterable.
struct AllShape {
    using State = bool;
    static Result<bool> add(State& state, GK_Bool value) {
        state = value != 0;
        return state;
    }
    static Result<Ref> finish(State state) { return Ref::borrow(state ? Py_True : Py_False); }
};

template <class Shape>
typename Shape::State initial_state() {
    if constexpr (std::is_same_v<Shape, AllShape>) {
        return true;
    } else {
        return typename Shape::State{};
    }
}

template <class... Kinds>
constexpr std::size_t elements_index() {
    constexpr bool is_elements[] = {std::is_same_v<Kinds, ElementsArg>...};
    for (std::size_t i = 0; i < sizeof...(Kinds); ++i) {
        if (is_elements[i]) return i;
    }
    return sizeof...(Kinds);
}

// The engine policy of a collection function (see Gk): one engine call per element.
template <auto Entry, class Shape, Order O = Order::Signature, Text MustNotFail = Text("")>
struct Loop {
    template <bool, class... Kinds>
    static Result<Ref> run(PyObject*, const Values<Kinds...>& values, Names names) {
        constexpr std::size_t E = elements_index<Kinds...>();
        static_assert(E < sizeof...(Kinds), "a collection function has one iterable parameter");
        constexpr auto indices = std::index_sequence_for<Kinds...>{};
        PreparedSet<Kinds...> prepared;
        VELMOR_TRY((prepare_phase<Phase::Plain, Kinds...>(prepared, values, names, indices)));
        VELMOR_TRY((prepare_phase<Phase::BeforeReceiver, Kinds...>(prepared, values, names, indices)));
        VELMOR_TRY((prepare_phase<Phase::Geometry, Kinds...>(prepared, values, names, indices)));
        VELMOR_TRY((prepare_phase<Phase::Attached, Kinds...>(prepared, values, names, indices)));
        Ref iterator = Ref::steal(PyObject_GetIter(std::get<E>(values)));
        if (!iterator) return fail(python_error());
        auto state = initial_state<Shape>();
        while (Ref item = Ref::steal(PyIter_Next(iterator.get()))) {
            VELMOR_TRY_ASSIGN(runtime::GeometryOwned element, geometry_to_runtime(item.get()));
            auto outcome = [&] {
                if constexpr (O == Order::ElementFirst) {
                    return call_element_first<E, Kinds...>(element, prepared,
                                                           std::make_index_sequence<sizeof...(Kinds) - 1>{});
                } else {
                    return call_in_place<E, Kinds...>(element, prepared, indices);
                }
            }();
            if (!outcome) {
                if constexpr (MustNotFail.view().empty()) {
                    return fail(runtime::to_native_error(outcome.error()));
                } else {
                    runtime::unexpected_runtime_error(MustNotFail.view(), outcome.error());
                }
            }
            VELMOR_TRY_ASSIGN(bool more, Shape::add(state, *outcome));
            if (!more) return Shape::finish(std::move(state));
        }
        if (PyErr_Occurred()) return fail(python_error());
        return Shape::finish(std::move(state));
    }

private:
    template <std::size_t I, std::size_t E, class... Kinds>
    static auto argument(const runtime::GeometryOwned& element, const PreparedSet<Kinds...>& prepared) {
        if constexpr (I == E) {
            return element.get();
        } else {
            using Kind = std::tuple_element_t<I, std::tuple<Kinds...>>;
            return Kind::pass(*std::get<I>(prepared));
        }
    }

    template <std::size_t E, class... Kinds, std::size_t... I>
    static auto call_in_place(const runtime::GeometryOwned& element, const PreparedSet<Kinds...>& prepared,
                              std::index_sequence<I...>) {
        return runtime::invoke(runtime::functions().*Entry, argument<I, E, Kinds...>(element, prepared)...);
    }

    template <std::size_t E, class... Kinds, std::size_t... J>
    static auto call_element_first(const runtime::GeometryOwned& element, const PreparedSet<Kinds...>& prepared,
                                   std::index_sequence<J...>) {
        return runtime::invoke(runtime::functions().*Entry, element.get(),
                               argument<(J < E ? J : J + 1), E, Kinds...>(element, prepared)...);
    }
};

}  // namespace velmor::py::engine
