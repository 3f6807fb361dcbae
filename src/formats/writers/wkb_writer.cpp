#include "wkb_writer.hpp"

#include <bit>
#include <cstdint>
#include <cstring>
#include <limits>
#include <optional>
#include <vector>

namespace velmor::formats {
namespace {

static_assert(std::endian::native == std::endian::little, "the WKB writer copies doubles as they lie in memory");

constexpr std::uint32_t kZFlag = 0x80000000U;
constexpr std::uint32_t kMFlag = 0x40000000U;
constexpr std::uint32_t kSridFlag = 0x20000000U;
// Enough for a small geometry in one allocation.
constexpr std::size_t kFirstReserve = 256;

class WkbSink final : public GeometrySink {
public:
    WkbSink(core::Dims dims, WkbFlavour flavour, std::optional<std::uint32_t> srid)
        : flavour_(flavour), srid_(srid), has_z_(core::has_z(dims)), has_m_(core::has_m(dims)),
          stride_(core::buffer_len(dims)) {
        out_.reserve(kFirstReserve);
    }

    // The rings of a plain polygon are bare point lists; everything else has its header.
    void open(WrittenType type, bool, std::uint32_t count) override {
        const bool ring = !open_.empty() && open_.back() == WrittenType::Polygon;
        open_.push_back(type);
        if (!ring) header(type);
        if (type != WrittenType::Point) put(count);
    }

    void empty_point(bool) override {
        header(WrittenType::Point);
        constexpr double nan = std::numeric_limits<double>::quiet_NaN();
        for (std::size_t i = 0; i < stride_; ++i) put(nan);
        --depth_;
    }

    void column_points(const VertexColumns& columns, std::size_t begin, std::size_t end) override {
        char* at = grow((end - begin) * stride_ * sizeof(double));
        for (std::size_t i = begin; i < end; ++i) {
            at = copy(at, columns.xs[i]);
            at = copy(at, columns.ys[i]);
            if (has_z_) at = copy(at, columns.zs[i]);
            if (has_m_) at = copy(at, columns.ms[i]);
        }
    }

    void listed_points(std::span<const WrittenVertex> points) override {
        char* at = grow(points.size() * stride_ * sizeof(double));
        for (const WrittenVertex& point : points) {
            at = copy(at, point.x);
            at = copy(at, point.y);
            if (has_z_) at = copy(at, point.z);
            if (has_m_) at = copy(at, point.m);
        }
    }

    void close() override {
        open_.pop_back();
        if (open_.empty() || open_.back() != WrittenType::Polygon) --depth_;
    }

    std::string take() { return std::move(out_); }

private:
    void header(WrittenType type) {
        out_ += '\x01';
        const auto base = static_cast<std::uint32_t>(type);
        const bool outermost = depth_++ == 0;
        if (flavour_ == WkbFlavour::Iso) {
            put(base + (has_z_ ? 1000U : 0U) + (has_m_ ? 2000U : 0U));
            return;
        }
        const bool with_srid = outermost && srid_.has_value();
        put(base | (has_z_ ? kZFlag : 0U) | (has_m_ ? kMFlag : 0U) | (with_srid ? kSridFlag : 0U));
        if (with_srid) put(*srid_);
    }

    char* grow(std::size_t bytes) {
        const std::size_t size = out_.size();
        out_.resize(size + bytes);
        return out_.data() + size;
    }

    template <class T>
    static char* copy(char* at, T value) {
        std::memcpy(at, &value, sizeof value);
        return at + sizeof value;
    }

    template <class T>
    void put(T value) {
        copy(grow(sizeof value), value);
    }

    WkbFlavour flavour_;
    std::optional<std::uint32_t> srid_;
    bool has_z_;
    bool has_m_;
    std::size_t stride_;
    int depth_ = 0;
    std::vector<WrittenType> open_;
    std::string out_;
};

// The identifier EWKB carries, when the geometry has one.
std::optional<std::uint32_t> srid_of(const std::optional<core::SpatialReference>& reference) {
    return reference ? reference->wkid : std::nullopt;
}
std::optional<std::uint32_t> srid_of(const core::PointValue& point) {
    return srid_of(point.spatial_reference);
}
std::optional<std::uint32_t> srid_of(const core::EnvelopeValue& envelope) {
    return srid_of(envelope.spatial_reference);
}
template <class Geometry>
std::optional<std::uint32_t> srid_of(const Geometry& geometry) {
    return srid_of(geometry.spatial_reference());
}

template <class Geometry>
std::string written(const Geometry& geometry, WkbFlavour flavour, const WriteOptions& options) {
    WkbSink sink(dims_of(geometry), flavour, srid_of(geometry));
    walk_geometry(geometry, sink, options);
    return sink.take();
}

}  // namespace

std::string write_wkb(const core::PointValue& point, WkbFlavour flavour, const WriteOptions& options) {
    return written(point, flavour, options);
}
std::string write_wkb(const core::EnvelopeValue& envelope, WkbFlavour flavour, const WriteOptions& options) {
    return written(envelope, flavour, options);
}
std::string write_wkb(const core::Multipoint& multipoint, WkbFlavour flavour, const WriteOptions& options) {
    return written(multipoint, flavour, options);
}
std::string write_wkb(const core::Polyline& polyline, WkbFlavour flavour, const WriteOptions& options) {
    return written(polyline, flavour, options);
}
std::string write_wkb(const core::Polygon& polygon, WkbFlavour flavour, const WriteOptions& options) {
    return written(polygon, flavour, options);
}

}  // namespace velmor::formats
