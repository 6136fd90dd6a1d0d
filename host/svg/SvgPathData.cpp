#include "SvgPathData.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <optional>

#include "SvgSyntax.h"

namespace standin::svg {

namespace {

constexpr double kTwoThirds = 2.0 / 3.0;
constexpr double kDegreesPerHalfTurn = 180.0;
// An arc is drawn in pieces of at most a quarter turn, each one cubic curve.
constexpr double kArcPieceRadians = std::numbers::pi / 2;
constexpr double kArcPieceSlack = 1e-9;
constexpr double kHandleLengthFactor = 4.0 / 3.0;

UserPoint operator+(UserPoint a, UserPoint b) {
    return {a.x + b.x, a.y + b.y};
}
UserPoint operator-(UserPoint a, UserPoint b) {
    return {a.x - b.x, a.y - b.y};
}
UserPoint operator*(double factor, UserPoint point) {
    return {factor * point.x, factor * point.y};
}

double VectorAngle(UserPoint u, UserPoint v) {
    return std::atan2(u.x * v.y - u.y * v.x, u.x * v.x + u.y * v.y);
}

class Parser {
public:
    Parser(std::string_view data, std::size_t maxSubpathNodes, std::size_t maxNodes)
        : scanner_(data), maxSubpathNodes_(maxSubpathNodes), maxNodes_(maxNodes) {}

    PathData Run() {
        char command = 0;
        while (error_.empty() && !scanner_.AtEnd()) {
            const char letter = scanner_.Command();
            if (letter != 0) {
                command = letter;
            } else if (command == 0 || command == 'Z' || command == 'z') {
                Fail("a number where a command belongs");
                break;
            }
            Execute(command);
            // Coordinates after a move are lines.
            if (command == 'M') {
                command = 'L';
            } else if (command == 'm') {
                command = 'l';
            }
            scanner_.SkipSeparator();
        }
        if (!error_.empty()) {
            return {{}, "path data at offset " + std::to_string(scanner_.Offset()) + ": " + error_};
        }
        return {std::move(subpaths_), {}};
    }

private:
    void Fail(std::string reason) {
        if (error_.empty()) {
            error_ = std::move(reason);
        }
    }

    std::optional<double> Number() {
        scanner_.SkipSeparator();
        const std::optional<float> value = scanner_.Number();
        if (!value) {
            Fail("a number missing or out of range");
        }
        return value;
    }

    std::optional<bool> Flag() {
        scanner_.SkipSeparator();
        const std::optional<bool> value = scanner_.Flag();
        if (!value) {
            Fail("an arc flag missing");
        }
        return value;
    }

    // A point, relative to the current one when the command is lower case.
    std::optional<UserPoint> Point(bool relative) {
        const std::optional<double> x = Number();
        const std::optional<double> y = x ? Number() : std::nullopt;
        if (!y) {
            return std::nullopt;
        }
        const UserPoint point{*x, *y};
        return relative ? current_ + point : point;
    }

    void AddNode(const UserNode& node) {
        Subpath& subpath = subpaths_.back();
        if (subpath.nodes.size() == maxSubpathNodes_ || nodes_ == maxNodes_) {
            Fail("more than " +
                 std::to_string(subpath.nodes.size() == maxSubpathNodes_ ? maxSubpathNodes_
                                                                         : maxNodes_) +
                 " segments");
            return;
        }
        subpath.nodes.push_back(node);
        ++nodes_;
        current_ = node.anchor;
    }

    void Move(UserPoint point) {
        subpaths_.emplace_back();
        AddNode({point, point, point});
        start_ = point;
    }

    // A drawing command after a closing one starts a new subpath at the
    // closed one's start.
    bool Drawing() {
        if (subpaths_.empty()) {
            Fail("drawing before the first move");
            return false;
        }
        if (subpaths_.back().closed) {
            Move(start_);
        }
        return error_.empty();
    }

    void Line(UserPoint point) {
        AddNode({point, point, point});
        curved_ = false;
    }

    void Curve(UserPoint control1, UserPoint control2, UserPoint point) {
        subpaths_.back().nodes.back().out = control1;
        AddNode({point, control2, point});
        curved_ = true;
    }

    void Close() {
        Subpath& subpath = subpaths_.back();
        if (curved_ && subpath.nodes.size() >= 2 &&
            subpath.nodes.back().anchor == subpath.nodes.front().anchor) {
            subpath.nodes.front().in = subpath.nodes.back().in;
            subpath.nodes.pop_back();
            --nodes_;
        }
        subpath.closed = true;
        current_ = start_;
        curved_ = false;
    }

    void Arc(double rx, double ry, double degrees, bool large, bool sweep, UserPoint end) {
        const UserPoint begin = current_;
        if (begin == end) {
            return;
        }
        rx = std::abs(rx);
        ry = std::abs(ry);
        if (rx == 0 || ry == 0) {
            Line(end);
            return;
        }
        const double phi = degrees * std::numbers::pi / kDegreesPerHalfTurn;
        const double cosPhi = std::cos(phi);
        const double sinPhi = std::sin(phi);
        const UserPoint half = 0.5 * (begin - end);
        const UserPoint p{cosPhi * half.x + sinPhi * half.y, -sinPhi * half.x + cosPhi * half.y};
        const double lambda = (p.x * p.x) / (rx * rx) + (p.y * p.y) / (ry * ry);
        if (lambda > 1) {
            rx *= std::sqrt(lambda);
            ry *= std::sqrt(lambda);
        }
        const double numerator = rx * rx * ry * ry - rx * rx * p.y * p.y - ry * ry * p.x * p.x;
        const double denominator = rx * rx * p.y * p.y + ry * ry * p.x * p.x;
        const double root =
            (large == sweep ? -1.0 : 1.0) * std::sqrt(std::max(0.0, numerator / denominator));
        const UserPoint centreRotated{root * rx * p.y / ry, -root * ry * p.x / rx};
        const UserPoint middle = 0.5 * (begin + end);
        const UserPoint centre{cosPhi * centreRotated.x - sinPhi * centreRotated.y + middle.x,
                               sinPhi * centreRotated.x + cosPhi * centreRotated.y + middle.y};
        const UserPoint u{(p.x - centreRotated.x) / rx, (p.y - centreRotated.y) / ry};
        const UserPoint v{(-p.x - centreRotated.x) / rx, (-p.y - centreRotated.y) / ry};
        const double theta = VectorAngle({1, 0}, u);
        double sweepAngle = VectorAngle(u, v);
        if (!sweep && sweepAngle > 0) {
            sweepAngle -= 2 * std::numbers::pi;
        } else if (sweep && sweepAngle < 0) {
            sweepAngle += 2 * std::numbers::pi;
        }
        if (!std::isfinite(theta) || !std::isfinite(sweepAngle) || !std::isfinite(centre.x) ||
            !std::isfinite(centre.y)) {
            Fail("an arc out of range");
            return;
        }
        const int pieces = std::max(
            1,
            static_cast<int>(std::ceil(std::abs(sweepAngle) / kArcPieceRadians - kArcPieceSlack)));
        const double step = sweepAngle / pieces;
        const double handle = kHandleLengthFactor * std::tan(step / 4);
        const auto at = [&](double angle) {
            return UserPoint{
                centre.x + rx * cosPhi * std::cos(angle) - ry * sinPhi * std::sin(angle),
                centre.y + rx * sinPhi * std::cos(angle) + ry * cosPhi * std::sin(angle)};
        };
        const auto tangent = [&](double angle) {
            return UserPoint{-rx * cosPhi * std::sin(angle) - ry * sinPhi * std::cos(angle),
                             -rx * sinPhi * std::sin(angle) + ry * cosPhi * std::cos(angle)};
        };
        for (int i = 0; i < pieces && error_.empty(); ++i) {
            const double from = theta + i * step;
            const double to = from + step;
            const UserPoint pieceEnd = i + 1 == pieces ? end : at(to);
            Curve(current_ + handle * tangent(from), pieceEnd - handle * tangent(to), pieceEnd);
        }
    }

    void Execute(char command) {
        const bool relative = command >= 'a' && command <= 'z';
        const char upper = relative ? static_cast<char>(command - 'a' + 'A') : command;
        if (upper == 'M') {
            if (const std::optional<UserPoint> point = Point(relative)) {
                Move(*point);
                curved_ = false;
            }
            previous_ = upper;
            return;
        }
        if (!Drawing()) {
            return;
        }
        const UserPoint current = current_;
        switch (upper) {
            case 'Z':
                Close();
                break;
            case 'L':
                if (const std::optional<UserPoint> point = Point(relative)) {
                    Line(*point);
                }
                break;
            case 'H':
            case 'V':
                if (const std::optional<double> value = Number()) {
                    const double base = upper == 'H' ? current.x : current.y;
                    const double coordinate = relative ? base + *value : *value;
                    Line(upper == 'H' ? UserPoint{coordinate, current.y}
                                      : UserPoint{current.x, coordinate});
                }
                break;
            case 'C':
            case 'S': {
                const bool smooth = upper == 'S';
                const UserPoint reflected =
                    previous_ == 'C' || previous_ == 'S' ? current + (current - control_) : current;
                const std::optional<UserPoint> control1 =
                    smooth ? std::optional(reflected) : Point(relative);
                const std::optional<UserPoint> control2 = control1 ? Point(relative) : std::nullopt;
                const std::optional<UserPoint> end = control2 ? Point(relative) : std::nullopt;
                if (end) {
                    Curve(*control1, *control2, *end);
                    control_ = *control2;
                }
                break;
            }
            case 'Q':
            case 'T': {
                const bool smooth = upper == 'T';
                const UserPoint reflected =
                    previous_ == 'Q' || previous_ == 'T' ? current + (current - control_) : current;
                const std::optional<UserPoint> control =
                    smooth ? std::optional(reflected) : Point(relative);
                const std::optional<UserPoint> end = control ? Point(relative) : std::nullopt;
                if (end) {
                    Curve(current + kTwoThirds * (*control - current),
                          *end + kTwoThirds * (*control - *end), *end);
                    control_ = *control;
                }
                break;
            }
            case 'A': {
                const std::optional<double> rx = Number();
                const std::optional<double> ry = rx ? Number() : std::nullopt;
                const std::optional<double> rotation = ry ? Number() : std::nullopt;
                const std::optional<bool> large = rotation ? Flag() : std::nullopt;
                const std::optional<bool> sweep = large ? Flag() : std::nullopt;
                const std::optional<UserPoint> end = sweep ? Point(relative) : std::nullopt;
                if (end) {
                    Arc(*rx, *ry, *rotation, *large, *sweep, *end);
                }
                break;
            }
            default:
                Fail(std::string("the unknown command '") + command + "'");
                break;
        }
        previous_ = upper;
    }

    ValueScanner scanner_;
    std::size_t maxSubpathNodes_;
    std::size_t maxNodes_;
    std::size_t nodes_ = 0;
    std::vector<Subpath> subpaths_;
    UserPoint current_{0, 0};
    UserPoint start_{0, 0};
    UserPoint control_{0, 0};  // of the last curve, for the smooth ones
    char previous_ = 0;
    bool curved_ = false;  // the last node ended a curve
    std::string error_;
};

void AppendPoint(std::string& data, host::RealPoint point) {
    data += ' ';
    data += FormatNumber(point.h);
    data += ' ';
    data += FormatNumber(point.v);
}

// The command that draws from one segment to the next.
void AppendStep(std::string& data, const host::PathSegment& from, const host::PathSegment& to) {
    if (from.out == from.anchor && to.in == to.anchor) {
        data += " L";
    } else {
        data += " C";
        AppendPoint(data, from.out);
        AppendPoint(data, to.in);
    }
    AppendPoint(data, to.anchor);
}

}  // namespace

PathData ParsePathData(std::string_view data, std::size_t maxSubpathNodes, std::size_t maxNodes) {
    return Parser(data, maxSubpathNodes, maxNodes).Run();
}

std::string WritePathData(std::span<const host::PathSegment> segments, bool closed) {
    std::string data;
    if (segments.empty()) {
        return data;
    }
    data += "M";
    AppendPoint(data, segments.front().anchor);
    for (std::size_t i = 1; i < segments.size(); ++i) {
        AppendStep(data, segments[i - 1], segments[i]);
    }
    if (closed) {
        const host::PathSegment& last = segments.back();
        const host::PathSegment& first = segments.front();
        const bool curved = !(last.out == last.anchor && first.in == first.anchor);
        if (curved || (segments.size() >= 2 && last.anchor == first.anchor)) {
            data += " C";
            AppendPoint(data, last.out);
            AppendPoint(data, first.in);
            AppendPoint(data, first.anchor);
        }
        data += " Z";
    }
    return data;
}

}  // namespace standin::svg
