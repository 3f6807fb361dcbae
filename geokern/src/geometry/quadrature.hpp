#pragma once

#include <algorithm>
#include <cmath>

namespace geokern {

// Adaptive 7/15-point Gauss-Kronrod integration: an interval is split until the Kronrod and Gauss
// estimates agree to the requested relative accuracy, so smooth integrands take one or two rules and
// sharp ones (very flat ellipses, Bezier cusps) get refined only where they bend.
namespace quadrature_detail {

inline constexpr double nodes[8] = {0.991455371120812639206854697526329, 0.949107912342758524526189684047851,
                                    0.864864423359769072789712788640926, 0.741531185599394439863864773280788,
                                    0.586087235467691130294144845693013, 0.405845151377397166906606412076961,
                                    0.207784955007898467600689403773245, 0.0};
inline constexpr double kronrod_weights[8] = {
    0.022935322010529224963732008058970, 0.063092092629978553290700663189204,
    0.104790010322250183839876322541518, 0.140653259715525918745189590510238,
    0.169004726639267902826583426598550, 0.190350578064785409913256402421014,
    0.204432940075298892414161999234649, 0.209482141084727828012999174891714};
// Weights of the 7-point Gauss rule on nodes[1], nodes[3], nodes[5] and nodes[7].
inline constexpr double gauss_weights[4] = {
    0.129484966168869693270611432679082, 0.279705391489276667901467771423780,
    0.381830050505118944950369775488975, 0.417959183673469387755102040816327};

template <class F>
double integrate_piece(const F& f, double a, double b, double tolerance, int depth) {
    const double half = 0.5 * (b - a);
    const double centre = 0.5 * (a + b);
    const double f_centre = f(centre);
    double kronrod = kronrod_weights[7] * f_centre;
    double gauss = gauss_weights[3] * f_centre;
    for (int i = 0; i < 7; ++i) {
        const double offset = half * nodes[i];
        const double sum = f(centre - offset) + f(centre + offset);
        kronrod += kronrod_weights[i] * sum;
        if (i % 2 == 1) gauss += gauss_weights[i / 2] * sum;
    }
    kronrod *= half;
    gauss *= half;
    // An overflowing integrand does not get better by splitting: return its infinity or NaN at once.
    if (depth >= 40 || !std::isfinite(kronrod) || std::fabs(kronrod - gauss) <= tolerance) return kronrod;
    return integrate_piece(f, a, centre, 0.5 * tolerance, depth + 1) +
           integrate_piece(f, centre, b, 0.5 * tolerance, depth + 1);
}

}  // namespace quadrature_detail

// The integral of f over [a, b] to about `relative` of its magnitude (f is assumed non-negative).
template <class F>
double integrate(const F& f, double a, double b, double relative = 1e-15) {
    if (a == b) return 0.0;
    const double rough = std::fabs(quadrature_detail::integrate_piece(f, a, b, INFINITY, 40));
    const double tolerance = std::max(rough * relative, 1e-300);
    return quadrature_detail::integrate_piece(f, a, b, tolerance, 0);
}

}  // namespace geokern
