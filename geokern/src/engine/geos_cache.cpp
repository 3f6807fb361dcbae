#include "engine/geos_cache.hpp"

#include <algorithm>
#include <array>
#include <memory>
#include <utility>

#include "engine/geos_conversion.hpp"
#include "engine/linearize.hpp"

namespace geokern::engine {
namespace {

int64_t vertex_count_of(const GeometryValue& value) {
    switch (value.type) {
        case geometry_type_point: return 1;
        case geometry_type_envelope: return 4;
        case geometry_type_multipoint: return value.points->point_count();
        default: {
            int64_t count = 0;
            for (const auto& part : value.parts) count += part->point_count();
            return count;
        }
    }
}

bool without_length(const PartValue& part) {
    if (part.has_curves()) return false;
    for (int64_t i = 1; i < part.point_count(); ++i) {
        if (part.xs[i] != part.xs[0] || part.ys[i] != part.ys[0]) return false;
    }
    return true;
}

// A flat envelope relates as the segment or point it is (see to_geos).
bool areal(const GeometryValue& geometry) {
    if (geometry.type == geometry_type_envelope) return !flat_envelope(geometry.envelope);
    return geometry.type == geometry_type_polygon;
}

// GEOS 3.11 relates a line without length as if it were empty; it is a point (as later GEOS versions
// have it), so a polyline whose every part has no length goes to GEOS as the multipoint of its points.
GeosGeometry relation_form(const GeometryValue& geometry, double deviation) {
    if (geometry.type != geometry_type_polyline || is_empty(geometry)) return to_geos(geometry, deviation);
    auto points = std::make_shared<PartValue>();
    for (const auto& part : geometry.parts) {
        if (part->empty()) continue;
        if (!without_length(*part)) return to_geos(geometry, deviation);
        points->xs.push_back(part->xs[0]);
        points->ys.push_back(part->ys[0]);
    }
    GeometryValue multipoint;
    multipoint.type = geometry_type_multipoint;
    multipoint.points = std::move(points);
    return to_geos(multipoint, deviation);
}

// The most recently used forms first.
class FormCache {
  public:
    std::shared_ptr<const GeosForm> find_or_make(const GeometryValue& value) {
        const uint64_t identity = value.identity.get();
        for (size_t i = 0; i < entries_.size(); ++i) {
            if (entries_[i].form != nullptr && entries_[i].identity == identity) {
                std::rotate(entries_.begin(), entries_.begin() + static_cast<std::ptrdiff_t>(i),
                            entries_.begin() + static_cast<std::ptrdiff_t>(i) + 1);
                return entries_[0].form;
            }
        }
        auto form = std::make_shared<const GeosForm>(value);
        std::rotate(entries_.begin(), entries_.end() - 1, entries_.end());
        entries_[0] = Entry{identity, form};
        return form;
    }

  private:
    struct Entry {
        uint64_t identity = 0;
        std::shared_ptr<const GeosForm> form;
    };
    std::array<Entry, 8> entries_;
};

}  // namespace

GeosForm::GeosForm(const GeometryValue& value) : extent_(extent_of(value)), vertex_count_(vertex_count_of(value)) {
    const double deviation = chord_deviation(value.spatial_reference, extent_);
    if (areal(value)) areas_ = polygon_rings(polygon_of_envelope(value), deviation);
    else geometry_ = relation_form(value, deviation);
    if (value.type == geometry_type_polyline) {
        path_parts_ = value.parts;
        deviation_ = deviation;
    }
}

const RelateEdges* GeosForm::edges() const {
    if (!edges_) {
        if (areas_ && !areas_->rings.empty()) {
            edges_ = RelateEdges::of_rings(*areas_);
        } else if (!path_parts_.empty()) {
            paths_.emplace();
            for (const auto& part : path_parts_) {
                if (!part->empty()) paths_->push_back(linearize_xy(*part, deviation_));
            }
            if (paths_->empty()) return nullptr;
            edges_ = RelateEdges::of_paths(*paths_);
        } else {
            return nullptr;
        }
    }
    return &*edges_;
}

const GEOSGeometry* GeosForm::geometry() const {
    if (geometry_ == nullptr) geometry_ = to_geos(*areas_);
    return geometry_.get();
}

const GEOSPreparedGeometry* GeosForm::prepare() const {
    if (prepared_ == nullptr) {
        const GEOSPreparedGeometry* made = GEOSPrepare_r(geos(), geometry());
        if (made == nullptr) fail_geos("preparing a geometry");
        prepared_.reset(made);
    }
    return prepared_.get();
}

std::shared_ptr<const GeosForm> geos_form(const GeometryValue& value) {
    // The context first, so that it outlives the cache's GEOS geometries when the thread ends.
    geos();
    // On the heap: the library's thread-local storage stays small enough for a static slot.
    thread_local std::unique_ptr<FormCache> cache;
    if (!cache) cache = std::make_unique<FormCache>();
    return cache->find_or_make(value);
}

}  // namespace geokern::engine
