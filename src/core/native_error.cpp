#include "native_error.hpp"

#include "number_format.hpp"

namespace velmor::core {

NativeError::NativeError(ErrorKind kind, std::string text, std::string text2)
    : kind_(kind), text_(std::move(text)), text2_(std::move(text2)) {}

NativeError NativeError::mismatching_dims(Dims expected, Dims got) {
    NativeError e(ErrorKind::MismatchingDims, {});
    e.expected_ = expected;
    e.got_ = got;
    return e;
}
NativeError NativeError::insufficient_ring(std::string text) {
    return {ErrorKind::InsufficientRing, std::move(text)};
}
NativeError NativeError::mismatching_feature_type(std::string expected, std::string got) {
    return {ErrorKind::MismatchingFeatureType, std::move(expected), std::move(got)};
}
NativeError NativeError::mismatching_attr_type(std::string expected, std::string got) {
    return {ErrorKind::MismatchingAttrType, std::move(expected), std::move(got)};
}
NativeError NativeError::duplicate_attribute(std::string key) {
    return {ErrorKind::DuplicateAttribute, std::move(key)};
}
NativeError NativeError::failed_access(std::string text) { return {ErrorKind::FailedAccess, std::move(text)}; }
NativeError NativeError::lock(std::string text) { return {ErrorKind::Lock, std::move(text)}; }
NativeError NativeError::poisoned_lock() { return lock("poisoned lock: another task failed inside"); }
NativeError NativeError::mutability_upgrade(std::string text) {
    return {ErrorKind::MutabilityUpgrade, std::move(text)};
}
NativeError NativeError::resolution(std::string text) { return {ErrorKind::Resolution, std::move(text)}; }
NativeError NativeError::short_coord_list(std::vector<double> coords) {
    NativeError e(ErrorKind::ShortCoordList, {});
    e.coords_ = std::move(coords);
    return e;
}
NativeError NativeError::invalid_mutation(std::string text) {
    return {ErrorKind::InvalidMutation, std::move(text)};
}
NativeError NativeError::io(std::string text) { return {ErrorKind::Io, std::move(text)}; }
NativeError NativeError::geokern(std::string text) { return {ErrorKind::Geokern, std::move(text)}; }
NativeError NativeError::curved_part_start(std::string text) {
    return {ErrorKind::CurvedPartStart, std::move(text)};
}
NativeError NativeError::invalid_dims(std::string text) { return {ErrorKind::InvalidDims, std::move(text)}; }
NativeError NativeError::binding(std::unique_ptr<CarriedException> exception) {
    NativeError e(ErrorKind::Binding, {});
    e.carried_ = std::move(exception);
    return e;
}
NativeError NativeError::python_cast(std::string text) { return {ErrorKind::PythonCast, std::move(text)}; }
NativeError NativeError::python_cast(std::string_view type_name, std::string_view expected_class) {
    std::string text = "'";
    text += type_name;
    text += "' object cannot be cast as '";
    text += expected_class;
    text += "'";
    return python_cast(std::move(text));
}

namespace {

std::string quoted(std::string_view prefix, std::string_view text) {
    std::string out(prefix);
    out += '\'';
    out += text;
    out += '\'';
    return out;
}

std::string expected_got(std::string_view prefix, std::string_view expected, std::string_view got) {
    std::string out(prefix);
    out += ", expected '";
    out += expected;
    out += "' but got '";
    out += got;
    out += "'";
    return out;
}

std::string coord_list(const std::vector<double>& coords) {
    std::string out = "Short coord list: [";
    for (std::size_t i = 0; i < coords.size(); ++i) {
        if (i != 0) out += ", ";
        append_debug_float(out, coords[i]);
    }
    out += ']';
    return out;
}

}  // namespace

std::string NativeError::display() const {
    switch (kind_) {
        case ErrorKind::MismatchingDims:
            return expected_got("Mismatching dimensions", upper_name(expected_), upper_name(got_));
        case ErrorKind::InsufficientRing:
            return "Ring must have sufficient data to enclose an area: " + text_;
        case ErrorKind::MismatchingFeatureType:
            return expected_got("Mismatching feature type", text_, text2_);
        case ErrorKind::MismatchingAttrType:
            return expected_got("Mismatching attr type", text_, text2_);
        case ErrorKind::DuplicateAttribute:
            return "Duplicate value for attribute with key '" + text_ + "' inserted into feature attributes";
        case ErrorKind::FailedAccess:
            return quoted("Failed access: ", text_);
        case ErrorKind::Lock:
            return quoted("Lock error: ", text_);
        case ErrorKind::MutabilityUpgrade:
            return quoted("Mutability upgrade error: ", text_);
        case ErrorKind::Resolution:
            return quoted("Resolution error: ", text_);
        case ErrorKind::ShortCoordList:
            return coord_list(coords_);
        case ErrorKind::InvalidMutation:
            return quoted("Invalid mutation: ", text_);
        case ErrorKind::Io:
            return quoted("Io error: ", text_);
        case ErrorKind::Geokern:
            return quoted("Geokern library error: ", text_);
        case ErrorKind::CurvedPartStart:
            return quoted("Curved parts must have starting vertex with no curve data: ", text_);
        case ErrorKind::InvalidDims:
            return "Invalid dims for operation: " + text_;
        case ErrorKind::Binding:
            return quoted("Python binding error: ", carried_ ? carried_->describe() : std::string{});
        case ErrorKind::PythonCast:
            return quoted("Python cast error: ", text_);
    }
    return {};
}

}  // namespace velmor::core
