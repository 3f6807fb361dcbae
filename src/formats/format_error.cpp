#include "format_error.hpp"

namespace velmor::formats {

std::string FormatError::display() const {
    switch (kind_) {
        case Kind::Geometry:
            return "processing geometry `" + message_ + "`";
        case Kind::Truncated:
            return "I/O error: WKB ends early: " + message_;
        case Kind::Wkb:
            return "invalid WKB: " + message_;
    }
    return message_;
}

}  // namespace velmor::formats
