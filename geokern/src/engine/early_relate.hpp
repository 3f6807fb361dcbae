#pragma once

#include <functional>
#include <optional>

#include "engine/geos_cache.hpp"
#include "engine/matrix_bounds.hpp"

namespace geokern::engine {

// What is asked of the DE-9IM matrix: a predicate or a pattern, read off the bounds known so far
// (nothing while they allow both answers), given the dimensions of the two geometries.
using MatrixQuestion = std::function<std::optional<bool>(const MatrixBounds&, int dimension_a, int dimension_b)>;

// The answer to a question about two areas or two polylines, found with cheap exact tests before
// GEOS's full relate (which nodes both geometries to compute the whole matrix) is asked; nothing when
// the tests leave it open, for other pairs of types, and for empty inputs. The tests, each asked only
// while the answer is open, in this order:
// 1. Extents: a vertex beyond the other's extent lies outside it (the interior, and for areas the
//    boundary, reaches the exterior of the other): decides equals, within and contains false.
// 2. Areas: the first vertex of each ring located in the other area (inside, on its boundary or
//    outside): a vertex inside decides touches false, vertices outside each other decide within,
//    contains and equals false, and with a vertex inside, overlaps true.
// 3. Every pair of edges whose extents meet (blocks of edges swept by x), met by the orientation test:
//    - a proper crossing of two area edges fills every entry but boundary against boundary (interiors
//      meet, each reaches the other's exterior): decides touches, within, contains and equals false
//      and overlaps true; of two line edges, the interiors meet in a point (unless a path end lies
//      there): touches false;
//    - a common piece of two edges: boundaries meet in a line (areas) or interiors meet in a line
//      (lines): decides crosses of two lines false;
//    - edges that meet at an end point of one of them make a node.
// 4. When every pair has been met, the matrix is complete:
//    - areas without a proper crossing: at each node, the edges of both areas around it, in angular
//      order, cut its neighbourhood into sectors inside or outside each area, which give the entries
//      there; a ring without nodes lies wholly inside or outside the other area, as its first vertex;
//    - lines: each node is inside or on the boundary of each line (the mod-2 rule on path ends); a
//      line reaches the other's exterior unless common pieces cover each of its edges, and its
//      boundary unless each of its boundary points is a node.
// The complete matrix decides crosses and touches true, and whatever steps 1 to 3 left open. Areas
// whose rings do not alternate around a node as valid areas do are left to GEOS, and so are paths
// without length. The answers are GEOS's for valid areas and simple lines. Lines that cross themselves
// get the exact answer, where GEOS 3.11 nodes them at rounded points and may find a piece of such a
// line outside it; areas whose rings cross have no topology to agree on, and the layer reads them as
// their rings say.
std::optional<bool> early_answer(const GeosForm& a, const GeosForm& b, const MatrixQuestion& question);

}  // namespace geokern::engine
