#include "core/value_state.hpp"

#include <array>
#include <bit>
#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <string>
#include <optional>
#include <span>
#include <type_traits>
#include <utility>
#include <vector>

#include "core/lock_messages.hpp"

namespace velmor::core {
namespace {

static_assert(std::endian::native == std::endian::little, "states are written in the host's byte order");

// What a state holds; the first byte of every state.
enum class Tag : std::uint8_t { Point = 1, Envelope, Multipoint, Polyline, Polygon };

template <class Value>
constexpr Tag tag_of() {
    if constexpr (std::is_same_v<Value, PointValue>) return Tag::Point;
    if constexpr (std::is_same_v<Value, EnvelopeValue>) return Tag::Envelope;
    if constexpr (std::is_same_v<Value, Multipoint>) return Tag::Multipoint;
    if constexpr (std::is_same_v<Value, Polyline>) return Tag::Polyline;
    if constexpr (std::is_same_v<Value, Polygon>) return Tag::Polygon;
}

std::unexpected<NativeError> damaged(std::string text) { return fail(NativeError::io(std::move(text))); }

class Writer {
public:
    explicit Writer(Tag tag) { byte(static_cast<std::uint8_t>(tag)); }

    void byte(std::uint8_t value) { out_.push_back(static_cast<char>(value)); }
    template <class Number>
    void number(Number value) {
        char bytes[sizeof(Number)];
        std::memcpy(bytes, &value, sizeof(Number));
        out_.append(bytes, sizeof(Number));
    }
    void count(std::size_t value) { number<std::uint64_t>(value); }
    void doubles(std::span<const double> values) {
        out_.append(reinterpret_cast<const char*>(values.data()), values.size_bytes());
    }
    void text(const std::string& value) {
        count(value.size());
        out_.append(value);
    }
    void field(double value) { number(value); }
    void field(std::uint32_t value) { number(value); }
    void field(const std::string& value) { text(value); }
    std::string take() { return std::move(out_); }

private:
    std::string out_;
};

class Reader {
public:
    explicit Reader(std::string_view bytes) : rest_(bytes) {}

    template <class Number>
    Result<Number> number() {
        if (rest_.size() < sizeof(Number)) return truncated();
        Number value;
        std::memcpy(&value, rest_.data(), sizeof(Number));
        rest_.remove_prefix(sizeof(Number));
        return value;
    }
    Result<std::uint8_t> byte() { return number<std::uint8_t>(); }
    // A count of items of at least `item_size` bytes each, which must all fit in what is left.
    Result<std::size_t> count(std::size_t item_size) {
        VELMOR_TRY_ASSIGN(std::uint64_t value, number<std::uint64_t>());
        if (value > rest_.size() / item_size) return truncated();
        return static_cast<std::size_t>(value);
    }
    Result<std::vector<double>> doubles(std::size_t size) {
        if (size > rest_.size() / sizeof(double)) return truncated();
        std::vector<double> values(size);
        if (size != 0) std::memcpy(values.data(), rest_.data(), size * sizeof(double));
        rest_.remove_prefix(size * sizeof(double));
        return values;
    }
    Result<std::string> text() {
        VELMOR_TRY_ASSIGN(std::size_t size, count(1));
        std::string value(rest_.substr(0, size));
        rest_.remove_prefix(size);
        return value;
    }
    template <class T>
    Result<T> field() {
        if constexpr (std::is_same_v<T, std::string>) {
            return text();
        } else {
            return number<T>();
        }
    }
    Result<void> finish() const {
        if (!rest_.empty()) return damaged("unexpected bytes after the geometry");
        return {};
    }

private:
    static std::unexpected<NativeError> truncated() { return damaged("the state is truncated"); }
    std::string_view rest_;
};

// Optional fields go behind one mask byte, bit i for field i.
template <class T>
void write_optionals(Writer& out, std::initializer_list<const std::optional<T>*> fields) {
    std::uint8_t mask = 0;
    std::uint8_t bit = 1;
    for (const auto* field : fields) {
        if (field->has_value()) mask |= bit;
        bit = static_cast<std::uint8_t>(bit << 1);
    }
    out.byte(mask);
    for (const auto* field : fields) {
        if (field->has_value()) out.field(**field);
    }
}

template <class T>
Result<void> read_optionals(Reader& in, std::initializer_list<std::optional<T>*> fields) {
    VELMOR_TRY_ASSIGN(std::uint8_t mask, in.byte());
    if ((mask >> fields.size()) != 0) return damaged("unknown optional fields are marked present");
    std::uint8_t bit = 1;
    for (auto* field : fields) {
        if ((mask & bit) != 0) {
            VELMOR_TRY_ASSIGN(T value, in.field<T>());
            *field = std::move(value);
        }
        bit = static_cast<std::uint8_t>(bit << 1);
    }
    return {};
}

// A present spatial reference with no field set is kept apart from none at all.
void write_spatial_reference(Writer& out, const std::optional<SpatialReference>& reference) {
    out.byte(reference ? 1 : 0);
    if (!reference) return;
    write_optionals<std::uint32_t>(
        out, {&reference->wkid, &reference->latest_wkid, &reference->vcs_wkid, &reference->latest_vcs_wkid});
    write_optionals<std::string>(out, {&reference->wkt, &reference->wkt2});
}

Result<std::optional<SpatialReference>> read_spatial_reference(Reader& in) {
    VELMOR_TRY_ASSIGN(std::uint8_t present, in.byte());
    if (present > 1) return damaged("the spatial reference marker is neither 0 nor 1");
    if (present == 0) return std::optional<SpatialReference>();
    SpatialReference reference;
    VELMOR_TRY(read_optionals<std::uint32_t>(
        in, {&reference.wkid, &reference.latest_wkid, &reference.vcs_wkid, &reference.latest_vcs_wkid}));
    VELMOR_TRY(read_optionals<std::string>(in, {&reference.wkt, &reference.wkt2}));
    return std::optional<SpatialReference>(std::move(reference));
}

Result<Dims> read_dims(Reader& in) {
    VELMOR_TRY_ASSIGN(std::uint8_t code, in.byte());
    if (code > static_cast<std::uint8_t>(Dims::XYZM)) return damaged("the dimensionality code is out of range");
    return static_cast<Dims>(code);
}

// A part: its vertex count, then each present column whole.
void write_part(Writer& out, const Part& part) {
    out.count(part.size());
    out.doubles(part.xs());
    out.doubles(part.ys());
    if (auto zs = part.zs()) out.doubles(*zs);
    if (auto ms = part.ms()) out.doubles(*ms);
}

Result<Part> read_part(Reader& in, Dims dims) {
    VELMOR_TRY_ASSIGN(std::size_t size, in.count(sizeof(double) * buffer_len(dims)));
    VELMOR_TRY_ASSIGN(std::vector<double> xs, in.doubles(size));
    VELMOR_TRY_ASSIGN(std::vector<double> ys, in.doubles(size));
    std::optional<std::vector<double>> zs, ms;
    if (has_z(dims)) {
        VELMOR_TRY_ASSIGN(zs, in.doubles(size));
    }
    if (has_m(dims)) {
        VELMOR_TRY_ASSIGN(ms, in.doubles(size));
    }
    return Part::from_columns(std::move(xs), std::move(ys), std::move(zs), std::move(ms));
}

void write_curve(Writer& out, const CurveData& curve) {
    std::visit(
        [&](const auto& data) {
            using Kind = std::decay_t<decltype(data)>;
            if constexpr (std::is_same_v<Kind, CircularArc>) {
                out.number(data.interior_x);
                out.number(data.interior_y);
            } else if constexpr (std::is_same_v<Kind, EllipticArc>) {
                out.number(data.center_x);
                out.number(data.center_y);
                out.number(data.rotation);
                out.number(data.axis);
                out.number(data.ratio);
                out.byte(data.minor ? 1 : 0);
                out.byte(data.clockwise ? 1 : 0);
            } else if constexpr (std::is_same_v<Kind, BezierCurve>) {
                out.number(data.control1_x);
                out.number(data.control1_y);
                out.number(data.control2_x);
                out.number(data.control2_y);
            }
        },
        curve);
}

Result<bool> read_flag(Reader& in) {
    VELMOR_TRY_ASSIGN(std::uint8_t value, in.byte());
    if (value > 1) return damaged("a flag byte is neither 0 nor 1");
    return value == 1;
}

template <std::size_t N>
Result<std::array<double, N>> read_numbers(Reader& in) {
    std::array<double, N> numbers{};
    for (double& number : numbers) {
        VELMOR_TRY_ASSIGN(number, in.number<double>());
    }
    return numbers;
}

Result<CurveData> read_curve(Reader& in, std::uint8_t kind) {
    switch (kind) {
        case 1: {
            VELMOR_TRY_ASSIGN(auto n, (read_numbers<2>(in)));
            return CircularArc{n[0], n[1]};
        }
        case 2: {
            VELMOR_TRY_ASSIGN(auto n, (read_numbers<5>(in)));
            VELMOR_TRY_ASSIGN(bool minor, read_flag(in));
            VELMOR_TRY_ASSIGN(bool clockwise, read_flag(in));
            return EllipticArc{n[0], n[1], n[2], n[3], n[4], minor, clockwise};
        }
        case 3: {
            VELMOR_TRY_ASSIGN(auto n, (read_numbers<4>(in)));
            return BezierCurve{n[0], n[1], n[2], n[3]};
        }
        default:
            return damaged("a curve kind code is out of range");
    }
}

// A curve part: its vertices as a part, one kind code per vertex, then the data of each curve in
// vertex order.
void write_curve_part(Writer& out, const CurvePart& part) {
    write_part(out, part.vertices());
    for (const auto& entry : part.curves().entries()) out.byte(entry.kind);
    for (std::size_t index = 0; index < part.size(); ++index) write_curve(out, *part.curve(index));
}

Result<CurvePart> read_curve_part(Reader& in, Dims dims) {
    VELMOR_TRY_ASSIGN(Part vertices, read_part(in, dims));
    std::vector<std::uint8_t> kinds(vertices.size());
    for (std::uint8_t& kind : kinds) {
        VELMOR_TRY_ASSIGN(kind, in.byte());
    }
    CurvePart part(std::move(vertices));
    for (std::size_t index = 0; index < kinds.size(); ++index) {
        if (kinds[index] == 0) continue;
        VELMOR_TRY_ASSIGN(CurveData curve, read_curve(in, kinds[index]));
        VELMOR_TRY(part.set_curve(index, curve));
    }
    return part;
}

void write_one(Writer& out, const Part& part) { write_part(out, part); }
void write_one(Writer& out, const CurvePart& part) { write_curve_part(out, part); }
Result<Part> read_one(Reader& in, Dims dims, const Part*) { return read_part(in, dims); }
Result<CurvePart> read_one(Reader& in, Dims dims, const CurvePart*) { return read_curve_part(in, dims); }

template <class PartT>
void write_container(Writer& out, const Shared<PartContainer<PartT>>& shared) {
    const auto container = shared.lock(lock_messages::kAny);
    out.count(container->size());
    for (const auto& handle : *container) write_one(out, *handle.lock(lock_messages::kAny));
}

// Every part needs at least its count, which bounds how many a state can claim.
template <class PartT>
Result<Shared<PartContainer<PartT>>> read_container(Reader& in, Dims dims) {
    VELMOR_TRY_ASSIGN(std::size_t size, in.count(sizeof(std::uint64_t)));
    std::vector<Shared<PartT>> parts;
    parts.reserve(size);
    for (std::size_t index = 0; index < size; ++index) {
        VELMOR_TRY_ASSIGN(PartT part, read_one(in, dims, static_cast<const PartT*>(nullptr)));
        parts.push_back(Shared<PartT>(std::move(part)));
    }
    VELMOR_TRY_ASSIGN(PartContainer<PartT> container, PartContainer<PartT>::from_parts(dims, std::move(parts)));
    return Shared<PartContainer<PartT>>(std::move(container));
}

template <class Geometry>
std::string write_multipart_geometry(const Geometry& value, const SharedMultipart& linear,
                                     const SharedCurveMultipart& curved) {
    Writer out(tag_of<Geometry>());
    out.byte(static_cast<std::uint8_t>(value.dims()));
    write_container(out, linear);
    write_container(out, curved);
    write_spatial_reference(out, value.spatial_reference());
    return out.take();
}

// The two containers are taken back as they were, without the checks of a build from parts.
template <class Geometry, class SetLinear, class SetCurved>
Result<Geometry> read_multipart_geometry(Reader& in, SetLinear set_linear, SetCurved set_curved) {
    VELMOR_TRY_ASSIGN(Dims dims, read_dims(in));
    Geometry geometry(dims);
    VELMOR_TRY_ASSIGN(SharedMultipart linear, read_container<Part>(in, dims));
    VELMOR_TRY_ASSIGN(SharedCurveMultipart curved, read_container<CurvePart>(in, dims));
    VELMOR_TRY((geometry.*set_linear)(std::move(linear)));
    VELMOR_TRY((geometry.*set_curved)(std::move(curved)));
    VELMOR_TRY_ASSIGN(auto reference, read_spatial_reference(in));
    geometry.set_spatial_reference(std::move(reference));
    return geometry;
}

Result<PointValue> read_value(Reader& in, const PointValue*) {
    PointValue value;
    VELMOR_TRY_ASSIGN(value.x, in.number<double>());
    VELMOR_TRY_ASSIGN(value.y, in.number<double>());
    VELMOR_TRY(read_optionals<double>(in, {&value.z, &value.m}));
    VELMOR_TRY_ASSIGN(value.spatial_reference, read_spatial_reference(in));
    return value;
}

Result<EnvelopeValue> read_value(Reader& in, const EnvelopeValue*) {
    EnvelopeValue value;
    for (double* bound : {&value.xmin, &value.ymin, &value.xmax, &value.ymax}) {
        VELMOR_TRY_ASSIGN(*bound, in.number<double>());
    }
    VELMOR_TRY(read_optionals<double>(in, {&value.zmin, &value.zmax, &value.mmin, &value.mmax}));
    VELMOR_TRY(read_optionals<std::uint32_t>(in, {&value.idmin, &value.idmax}));
    VELMOR_TRY_ASSIGN(value.spatial_reference, read_spatial_reference(in));
    return value;
}

Result<Multipoint> read_value(Reader& in, const Multipoint*) {
    VELMOR_TRY_ASSIGN(Dims dims, read_dims(in));
    VELMOR_TRY_ASSIGN(Part points, read_part(in, dims));
    VELMOR_TRY_ASSIGN(auto reference, read_spatial_reference(in));
    return Multipoint(SharedPart(std::move(points)), std::move(reference));
}

Result<Polyline> read_value(Reader& in, const Polyline*) {
    return read_multipart_geometry<Polyline>(in, &Polyline::set_paths, &Polyline::set_curve_paths);
}

Result<Polygon> read_value(Reader& in, const Polygon*) {
    return read_multipart_geometry<Polygon>(in, &Polygon::set_rings, &Polygon::set_curve_rings);
}

}  // namespace

std::string encode_state(const PointValue& value) {
    Writer out(Tag::Point);
    out.number(value.x);
    out.number(value.y);
    write_optionals<double>(out, {&value.z, &value.m});
    write_spatial_reference(out, value.spatial_reference);
    return out.take();
}

std::string encode_state(const EnvelopeValue& value) {
    Writer out(Tag::Envelope);
    for (double bound : {value.xmin, value.ymin, value.xmax, value.ymax}) out.number(bound);
    write_optionals<double>(out, {&value.zmin, &value.zmax, &value.mmin, &value.mmax});
    write_optionals<std::uint32_t>(out, {&value.idmin, &value.idmax});
    write_spatial_reference(out, value.spatial_reference);
    return out.take();
}

std::string encode_state(const Multipoint& value) {
    Writer out(Tag::Multipoint);
    const auto points = value.points().lock(lock_messages::kAny);
    out.byte(static_cast<std::uint8_t>(points->dims()));
    write_part(out, *points);
    write_spatial_reference(out, value.spatial_reference());
    return out.take();
}

std::string encode_state(const Polyline& value) {
    return write_multipart_geometry(value, value.paths(), value.curve_paths());
}

std::string encode_state(const Polygon& value) {
    return write_multipart_geometry(value, value.rings(), value.curve_rings());
}

template <class Value>
Result<Value> decode_state(std::string_view bytes) {
    Reader in(bytes);
    VELMOR_TRY_ASSIGN(std::uint8_t tag, in.byte());
    if (tag != static_cast<std::uint8_t>(tag_of<Value>())) return damaged("the state is not of this geometry class");
    VELMOR_TRY_ASSIGN(Value value, read_value(in, static_cast<const Value*>(nullptr)));
    VELMOR_TRY(in.finish());
    return value;
}

template Result<PointValue> decode_state<PointValue>(std::string_view);
template Result<EnvelopeValue> decode_state<EnvelopeValue>(std::string_view);
template Result<Multipoint> decode_state<Multipoint>(std::string_view);
template Result<Polyline> decode_state<Polyline>(std::string_view);
template Result<Polygon> decode_state<Polygon>(std::string_view);

}  // namespace velmor::core
