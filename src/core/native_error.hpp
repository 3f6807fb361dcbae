#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "dims.hpp"

namespace velmor::core {

// The seventeen kinds, numbered as callers and result layouts expect; some are produced by no
// operation of this system but keep their place in the numbering.
enum class ErrorKind : std::uint8_t {
    MismatchingDims = 0,
    InsufficientRing = 1,
    MismatchingFeatureType = 2,
    MismatchingAttrType = 3,
    DuplicateAttribute = 4,
    FailedAccess = 5,
    Lock = 6,
    MutabilityUpgrade = 7,
    Resolution = 8,
    ShortCoordList = 9,
    InvalidMutation = 10,
    Io = 11,
    Geokern = 12,
    CurvedPartStart = 13,
    InvalidDims = 14,
    Binding = 15,
    PythonCast = 16,
};

// An exception of the host language carried through the native model untouched. The native model
// knows nothing of Python; the Python layer supplies the implementation and takes it back out.
class CarriedException {
public:
    virtual ~CarriedException() = default;
    virtual std::string describe() const = 0;
};

// The single error value of the native model and the Python layer. It owns its payload and is
// moved, never shared.
class NativeError {
public:
    static NativeError mismatching_dims(Dims expected, Dims got);
    static NativeError insufficient_ring(std::string text);
    static NativeError mismatching_feature_type(std::string expected, std::string got);
    static NativeError mismatching_attr_type(std::string expected, std::string got);
    static NativeError duplicate_attribute(std::string key);
    static NativeError failed_access(std::string text);
    static NativeError lock(std::string text);
    // The Python-facing layer met a lock whose previous holder failed while holding it.
    static NativeError poisoned_lock();
    static NativeError mutability_upgrade(std::string text);
    static NativeError resolution(std::string text);
    static NativeError short_coord_list(std::vector<double> coords);
    static NativeError invalid_mutation(std::string text);
    static NativeError io(std::string text);
    static NativeError geokern(std::string text);
    static NativeError curved_part_start(std::string text);
    static NativeError invalid_dims(std::string text);
    static NativeError binding(std::unique_ptr<CarriedException> exception);
    static NativeError python_cast(std::string text);
    // "'<type>' object cannot be cast as '<expected>'"
    static NativeError python_cast(std::string_view type_name, std::string_view expected_class);

    NativeError(NativeError&&) noexcept = default;
    NativeError& operator=(NativeError&&) noexcept = default;
    NativeError(const NativeError&) = delete;
    NativeError& operator=(const NativeError&) = delete;

    ErrorKind kind() const { return kind_; }
    // The payload text of the text-carrying kinds (the first text for the two-text kinds).
    const std::string& text() const { return text_; }
    Dims expected_dims() const { return expected_; }
    Dims got_dims() const { return got_; }
    const std::vector<double>& coords() const { return coords_; }
    // Hands the carried exception of a Binding error back to its owner; null for other kinds.
    std::unique_ptr<CarriedException> take_carried() { return std::move(carried_); }

    // The display text a Python caller finally sees.
    std::string display() const;

private:
    NativeError(ErrorKind kind, std::string text, std::string text2 = {});

    ErrorKind kind_;
    std::string text_;
    std::string text2_;
    Dims expected_ = Dims::XY;
    Dims got_ = Dims::XY;
    std::vector<double> coords_;
    std::unique_ptr<CarriedException> carried_;
};

}  // namespace velmor::core
