#include "coord.hpp"

#include "number_format.hpp"

namespace velmor::core {

Coord Coord::from_buffer(Dims dims, std::span<const double> values) {
    const double x = values[0];
    const double y = values[1];
    switch (dims) {
        case Dims::XY:
            return xy(x, y);
        case Dims::XYZ:
            return xyz(x, y, values[2]);
        case Dims::XYM:
            return xym(x, y, values[2]);
        case Dims::XYZM:
            break;
    }
    return xyzm(x, y, values[2], values[3]);
}

Result<Coord> Coord::set_z(double value) const {
    if (!has_z(dims_)) {
        return fail(NativeError::invalid_dims("Tried to set z value on coord with dims: " +
                                              std::string(lower_name(dims_))));
    }
    Coord out = *this;
    out.z_ = value;
    return out;
}

Result<Coord> Coord::set_m(double value) const {
    if (!has_m(dims_)) {
        return fail(NativeError::invalid_dims("Tried to set m value on coord with dims: " +
                                              std::string(lower_name(dims_))));
    }
    Coord out = *this;
    out.m_ = value;
    return out;
}

Result<Coord> Coord::set_index(std::size_t index, double value) const {
    const std::size_t len = buffer_len(dims_);
    if (index >= len) {
        return fail(NativeError::invalid_dims("Failed index based access to coord with dims: " +
                                              std::string(lower_name(dims_)) +
                                              ", buffer representation len: " + std::to_string(len) +
                                              ", idx: " + std::to_string(index)));
    }
    Buffer buffer = to_buffer();
    buffer.values[index] = value;
    return from_buffer(dims_, buffer.view());
}

double Coord::get_index(std::size_t index) const { return to_buffer().values[index]; }

Coord::Buffer Coord::to_buffer() const {
    Buffer buffer{{x_, y_, 0, 0}, 2};
    if (has_z(dims_)) buffer.values[buffer.size++] = z_;
    if (has_m(dims_)) buffer.values[buffer.size++] = m_;
    return buffer;
}

void Coord::append_text(std::string& out) const {
    const Buffer buffer = to_buffer();
    out += '[';
    for (std::size_t i = 0; i < buffer.size; ++i) {
        if (i != 0) out += ", ";
        append_number(out, buffer.values[i]);
    }
    out += ']';
}

std::string Coord::text() const {
    std::string out;
    append_text(out);
    return out;
}

}  // namespace velmor::core
