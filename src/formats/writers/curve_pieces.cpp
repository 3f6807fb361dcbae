#include "curve_pieces.hpp"

#include <algorithm>
#include <optional>
#include <variant>

#include "circular_arc_geometry.hpp"
#include "curve_chords.hpp"

namespace velmor::formats {
namespace {

WrittenVertex vertex_at(const core::Part& vertices, std::size_t index) {
    const auto zs = vertices.zs();
    const auto ms = vertices.ms();
    return {vertices.xs()[index], vertices.ys()[index], zs ? (*zs)[index] : 0.0, ms ? (*ms)[index] : 0.0};
}

WrittenVertex halfway(const WrittenVertex& start, double x, double y, const WrittenVertex& end) {
    return {x, y, (start.z + end.z) / 2.0, (start.m + end.m) / 2.0};
}

// Collects pieces segment by segment, starting a new piece when the kind of run changes.
class PieceCollector {
public:
    explicit PieceCollector(ChordDeviation deviation) : deviation_(deviation) {}

    void segment(const WrittenVertex& start, const core::CurveData& curve, const WrittenVertex& end) {
        std::visit([&](const auto& data) { add(start, data, end); }, curve);
    }

    std::vector<CurvePiece> take() { return std::move(pieces_); }

private:
    void add(const WrittenVertex& start, const core::Linear&, const WrittenVertex& end) { straight(start, end); }

    void add(const WrittenVertex& start, const core::CircularArc& arc, const WrittenVertex& end) {
        const std::optional<ArcCircle> circle = arc_circle(start.x, start.y, arc.interior_x, arc.interior_y, end.x, end.y);
        if (!circle) return straight(start, end);
        circular(start, halfway(start, circle->mid_x, circle->mid_y, end), end);
    }

    void add(const WrittenVertex& start, const core::EllipticArc& arc, const WrittenVertex& end) {
        if (arc.ratio == 1.0 && arc.axis > 0.0) {
            const WrittenVertex mid = circular_midpoint(start, arc, end);
            if (arc_circle(start.x, start.y, mid.x, mid.y, end.x, end.y)) {
                return circular(start, halfway(start, mid.x, mid.y, end), end);
            }
        }
        chords(start, curve_chords(start, arc, end, deviation_), end);
    }

    void add(const WrittenVertex& start, const core::BezierCurve& curve, const WrittenVertex& end) {
        chords(start, curve_chords(start, curve, end, deviation_), end);
    }

    void chords(const WrittenVertex& start, const std::vector<WrittenVertex>& inside, const WrittenVertex& end) {
        std::vector<WrittenVertex>& points = run(false, start);
        points.insert(points.end(), inside.begin(), inside.end());
        points.push_back(end);
    }

    void straight(const WrittenVertex& start, const WrittenVertex& end) { run(false, start).push_back(end); }

    void circular(const WrittenVertex& start, const WrittenVertex& mid, const WrittenVertex& end) {
        std::vector<WrittenVertex>& points = run(true, start);
        points.push_back(mid);
        points.push_back(end);
    }

    // The points of the current run of this kind, a new run beginning at `start` when needed.
    std::vector<WrittenVertex>& run(bool arcs, const WrittenVertex& start) {
        if (pieces_.empty() || pieces_.back().arcs != arcs) pieces_.push_back({arcs, {start}});
        return pieces_.back().points;
    }

    ChordDeviation deviation_;
    std::vector<CurvePiece> pieces_;
};

}  // namespace

std::vector<CurvePiece> curve_pieces(const core::CurvePart& part, bool close, ChordDeviation deviation) {
    const core::Part& vertices = part.vertices();
    const std::size_t count = vertices.size();
    if (count == 0) return {};
    PieceCollector collector(deviation);
    WrittenVertex previous = vertex_at(vertices, 0);
    for (std::size_t i = 1; i < count; ++i) {
        const WrittenVertex current = vertex_at(vertices, i);
        collector.segment(previous, part.curves().get(i), current);
        previous = current;
    }
    const WrittenVertex first = vertex_at(vertices, 0);
    if (close && (previous.x != first.x || previous.y != first.y)) collector.segment(previous, core::Linear{}, first);
    std::vector<CurvePiece> pieces = collector.take();
    // A single vertex is a degenerate path of that one point.
    if (pieces.empty()) pieces.push_back({false, {first}});
    return pieces;
}

bool has_arcs(const std::vector<CurvePiece>& pieces) {
    return std::any_of(pieces.begin(), pieces.end(), [](const CurvePiece& piece) { return piece.arcs; });
}

// The shoelace sum of the chords, relative to the first vertex so that rings far from the origin keep
// their sign, plus what each arc bulges beyond its chord.
double doubled_signed_area(const std::vector<CurvePiece>& pieces) {
    if (pieces.empty()) return 0.0;
    const WrittenVertex origin = pieces.front().points.front();
    double sum = 0.0;
    for (const CurvePiece& piece : pieces) {
        const auto& p = piece.points;
        const std::size_t step = piece.arcs ? 2 : 1;
        for (std::size_t i = 0; i + step < p.size(); i += step) {
            const WrittenVertex& a = p[i];
            const WrittenVertex& b = p[i + step];
            sum += (a.x - origin.x) * (b.y - origin.y) - (b.x - origin.x) * (a.y - origin.y);
            if (!piece.arcs) continue;
            const auto circle = arc_circle(a.x, a.y, p[i + 1].x, p[i + 1].y, b.x, b.y);
            if (circle) sum += 2.0 * circle->bulge_area();
        }
    }
    return sum;
}

}  // namespace velmor::formats
