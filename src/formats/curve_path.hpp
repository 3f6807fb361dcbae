#pragma once

#include <cstddef>
#include <optional>
#include <string>

#include "geometry_builder.hpp"
#include "geometry_type.hpp"

namespace velmor::formats {

// Turns the points of one curve (a circular string, the pieces of a compound curve, or a straight ring
// of a curve polygon) into builder events and enforces the rules both readers share: a circular piece
// has an odd number of at least 3 points, a straight piece at least 2, each piece of a compound curve
// starts where the one before it ends, and a ring ends where it starts.
class CurvePath {
  public:
    // How a reader words its errors: FormatError::geometry for WKT, FormatError::wkb for WKB.
    using ErrorMaker = FormatError (*)(std::string);

    CurvePath(GeometryBuilder& out, ErrorMaker error) : out_(out), error_(error) {}

    // Starts the next piece; inside a compound curve (`announce`) the builder hears of it.
    Status piece(GeometryType kind, bool announce);
    Status point(const Coordinate& c);
    // Checks the number of points of the piece just read.
    Status end_piece() const;
    // Checks that the finished path is a closed ring; `ring` numbers it (from 1) in the message.
    Status closed(std::size_t ring) const;

  private:
    Status join(const Coordinate& c) const;

    GeometryBuilder& out_;
    ErrorMaker error_;
    GeometryType kind_ = GeometryType::LineString;
    std::size_t pieces_ = 0;
    std::size_t points_ = 0;  // of the current piece, the point shared with the piece before included
    std::optional<Coordinate> first_;
    std::optional<Coordinate> last_;
    Coordinate interior_;  // of the arc being read, before its end point arrives
};

}  // namespace velmor::formats
