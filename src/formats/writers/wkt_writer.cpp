#include "wkt_writer.hpp"

#include <cstdint>
#include <vector>

#include "core/number_format.hpp"

namespace velmor::formats {
namespace {

// Enough for a small geometry in one allocation.
constexpr std::size_t kFirstReserve = 256;

constexpr const char* dimension_keyword(core::Dims dims) {
    constexpr const char* keywords[] = {"", " Z", " M", " ZM"};
    return keywords[static_cast<unsigned>(dims)];
}

class WktSink final : public GeometrySink {
public:
    explicit WktSink(core::Dims dims)
        : keyword_(dimension_keyword(dims)), has_z_(core::has_z(dims)), has_m_(core::has_m(dims)) {
        out_.reserve(kFirstReserve);
    }

    void open(WrittenType type, bool tagged, std::uint32_t count) override {
        begin_member();
        if (tagged) name(type);
        levels_.push_back({0, count == 0});
        out_ += count == 0 ? "EMPTY" : "(";
    }

    void empty_point(bool tagged) override {
        begin_member();
        if (tagged) name(WrittenType::Point);
        out_ += "EMPTY";
    }

    void column_points(const VertexColumns& columns, std::size_t begin, std::size_t end) override {
        for (std::size_t i = begin; i < end; ++i) {
            begin_member();
            core::append_number(out_, columns.xs[i]);
            out_ += ' ';
            core::append_number(out_, columns.ys[i]);
            if (has_z_) measure(columns.zs[i]);
            if (has_m_) measure(columns.ms[i]);
        }
    }

    void listed_points(std::span<const WrittenVertex> points) override {
        for (const WrittenVertex& point : points) {
            begin_member();
            core::append_number(out_, point.x);
            out_ += ' ';
            core::append_number(out_, point.y);
            if (has_z_) measure(point.z);
            if (has_m_) measure(point.m);
        }
    }

    void close() override {
        if (!levels_.back().empty) out_ += ')';
        levels_.pop_back();
    }

    std::string take() { return std::move(out_); }

private:
    struct Level {
        std::uint32_t written;
        bool empty;
    };

    void begin_member() {
        if (!levels_.empty() && levels_.back().written++ != 0) out_ += ", ";
    }

    void name(WrittenType type) {
        out_ += written_type_name(type);
        out_ += keyword_;
        out_ += ' ';
    }

    void measure(double value) {
        out_ += ' ';
        core::append_number(out_, value);
    }

    const char* keyword_;
    bool has_z_;
    bool has_m_;
    std::vector<Level> levels_;
    std::string out_;
};

template <class Geometry>
std::string written(const Geometry& geometry, const WriteOptions& options) {
    WktSink sink(dims_of(geometry));
    walk_geometry(geometry, sink, options);
    return sink.take();
}

}  // namespace

std::string write_wkt(const core::PointValue& point, const WriteOptions& options) { return written(point, options); }
std::string write_wkt(const core::EnvelopeValue& envelope, const WriteOptions& options) {
    return written(envelope, options);
}
std::string write_wkt(const core::Multipoint& multipoint, const WriteOptions& options) {
    return written(multipoint, options);
}
std::string write_wkt(const core::Polyline& polyline, const WriteOptions& options) {
    return written(polyline, options);
}
std::string write_wkt(const core::Polygon& polygon, const WriteOptions& options) { return written(polygon, options); }

}  // namespace velmor::formats
