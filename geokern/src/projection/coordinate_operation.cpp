#include "projection/coordinate_operation.hpp"

#include <cmath>
#include <list>
#include <optional>
#include <string>

#include "engine/number_text.hpp"
#include "failure.hpp"

namespace geokern {

namespace {

// A loop that alternates between a few pairs of systems stays within this many chains.
constexpr size_t cached_chains = 8;

struct CachedChain {
    SpatialReferencePointer source;  // held, so that the addresses in the key stay theirs
    SpatialReferencePointer target;
    TransformationPointer transformation;
    OperationChain chain;
};

SharedPj visual_order(PJ_CONTEXT* context, const SharedPj& operation, const std::string& what) {
    return require_pj(proj_normalize_for_visualization(context, operation.get()), what);
}

SharedPj between_systems(PJ_CONTEXT* context, const PJ* source, const PJ* target) {
    const char* const options[] = {"ALLOW_BALLPARK=YES", nullptr};
    SharedPj operation = require_pj(proj_create_crs_to_crs_from_pj(context, source, target, nullptr, options),
                                    "no operation between the two systems");
    return visual_order(context, operation, "the operation between the two systems");
}

SharedPj source_of(PJ_CONTEXT* context, const TransformationStep& step) {
    return require_pj(proj_get_source_crs(context, step.operation.get()), "the system of a transformation step");
}

SharedPj target_of(PJ_CONTEXT* context, const TransformationStep& step) {
    return require_pj(proj_get_target_crs(context, step.operation.get()), "the system of a transformation step");
}

bool same_datum(PJ_CONTEXT* context, const PJ* a, const PJ* b) {
    SharedPj datum_a = share_pj(proj_crs_get_datum_forced(context, a));
    SharedPj datum_b = share_pj(proj_crs_get_datum_forced(context, b));
    return datum_a && datum_b &&
           proj_is_equivalent_to_with_ctx(context, datum_a.get(), datum_b.get(), PJ_COMP_EQUIVALENT) != 0;
}

// The transformation in the direction from the source's datum: inverted when only its output fits.
TransformationPointer oriented(PJ_CONTEXT* context, const SpatialReferenceValue& source,
                               const TransformationPointer& transformation) {
    SharedPj first_source = source_of(context, *transformation->steps.front());
    if (same_datum(context, source.horizontal.get(), first_source.get())) return transformation;
    SharedPj last_target = target_of(context, *transformation->steps.back());
    if (same_datum(context, source.horizontal.get(), last_target.get())) return inverse_transformation(*transformation);
    return transformation;
}

OperationChain chain_through(PJ_CONTEXT* context, const SpatialReferenceValue& source,
                             const SpatialReferenceValue& target, const DatumTransformationValue& transformation) {
    OperationChain chain;
    const PJ* system = source.crs.get();
    SharedPj held;
    for (const StepPointer& step : transformation.steps) {
        SharedPj step_source = source_of(context, *step);
        chain.operations.push_back(between_systems(context, system, step_source.get()));
        chain.operations.push_back(visual_order(context, step->operation, "a transformation step"));
        held = target_of(context, *step);
        system = held.get();
    }
    chain.operations.push_back(between_systems(context, system, target.crs.get()));
    return chain;
}

OperationChain build_chain(const SpatialReferencePointer& source, const SpatialReferencePointer& target,
                           const TransformationPointer& transformation) {
    ProjLock lock;
    PJ_CONTEXT* context = lock.context();
    OperationChain chain;
    if (!transformation || transformation->steps.empty()) {
        chain.operations = {between_systems(context, source->crs.get(), target->crs.get())};
    } else {
        chain = chain_through(context, *source, *target, *oriented(context, *source, transformation));
    }
    chain.domain = ProjectionDomain(context, *source, *target);
    return chain;
}

std::list<CachedChain>& thread_chains() {
    thread_local std::list<CachedChain> chains;
    return chains;
}

[[noreturn]] void unprojectable(size_t index, double x, double y) {
    fail(GK_ERROR_INVALID_ARGUMENT, "invalid argument.",
         "point " + std::to_string(index) + " (" + engine::number_text(x) + ", " + engine::number_text(y) +
             ") cannot be projected into the output spatial reference.");
}

bool finite_xy(double x, double y) { return std::isfinite(x) && std::isfinite(y); }

void run_operation(const SharedPj& operation, PJ_DIRECTION direction, double* xs, double* ys, double* zs,
                   size_t count) {
    proj_errno_reset(operation.get());
    proj_trans_generic(operation.get(), direction, xs, sizeof(double), count, ys, sizeof(double), count, zs,
                       zs != nullptr ? sizeof(double) : 0, zs != nullptr ? count : 0, nullptr, 0, 0);
}

void run_chain(const OperationChain& chain, double* xs, double* ys, double* zs, size_t count) {
    ProjLock lock;
    for (const SharedPj& operation : chain.operations) run_operation(operation, PJ_FWD, xs, ys, zs, count);
}

void run_chain_back(const OperationChain& chain, double* xs, double* ys, double* zs, size_t count) {
    ProjLock lock;
    for (auto operation = chain.operations.rbegin(); operation != chain.operations.rend(); ++operation) {
        run_operation(*operation, PJ_INV, xs, ys, zs, count);
    }
}

// The points that were projected but lie outside the domain's box of trust.
struct Distrusted {
    std::vector<size_t> indices;
    std::vector<double> xs, ys, zs;  // their images, then mapped back
};

// The index of the first point of the projection from (input_x, input_y) to (xs, ys, zs) that the
// domain refuses (see projection_domain.hpp), if any. Points whose image is not finite are left to the
// caller.
std::optional<size_t> first_refused(const OperationChain& chain, const double* input_x, const double* input_y,
                                    const double* xs, const double* ys, const double* zs, size_t count) {
    const ProjectionDomain& domain = chain.domain;
    Distrusted distrusted;
    for (size_t i = 0; i < count; ++i) {
        if (!finite_xy(xs[i], ys[i]) || domain.trusts(input_x[i], input_y[i])) continue;
        if (!domain.source_valid(input_y[i]) || !domain.image_valid(xs[i], ys[i])) return i;
        distrusted.indices.push_back(i);
        distrusted.xs.push_back(xs[i]);
        distrusted.ys.push_back(ys[i]);
        if (zs != nullptr) distrusted.zs.push_back(zs[i]);
    }
    if (distrusted.indices.empty()) return std::nullopt;
    run_chain_back(chain, distrusted.xs.data(), distrusted.ys.data(), zs != nullptr ? distrusted.zs.data() : nullptr,
                   distrusted.indices.size());
    for (size_t k = 0; k < distrusted.indices.size(); ++k) {
        const size_t i = distrusted.indices[k];
        if (!domain.maps_back(input_x[i], input_y[i], distrusted.xs[k], distrusted.ys[k])) return i;
    }
    return std::nullopt;
}

}  // namespace

const OperationChain& operation_between(const SpatialReferencePointer& source, const SpatialReferencePointer& target,
                                        const TransformationPointer& transformation) {
    std::list<CachedChain>& chains = thread_chains();
    for (auto entry = chains.begin(); entry != chains.end(); ++entry) {
        if (entry->source == source && entry->target == target && entry->transformation == transformation) {
            chains.splice(chains.begin(), chains, entry);
            return chains.front().chain;
        }
    }
    OperationChain chain = build_chain(source, target, transformation);
    chains.push_front(CachedChain{source, target, transformation, std::move(chain)});
    if (chains.size() > cached_chains) chains.pop_back();
    return chains.front().chain;
}

void transform_columns(const OperationChain& chain, double* xs, double* ys, double* zs, size_t count) {
    if (count == 0) return;
    std::vector<double> input_x(xs, xs + count), input_y(ys, ys + count);
    run_chain(chain, xs, ys, zs, count);
    for (size_t i = 0; i < count; ++i) {
        if (!finite_xy(xs[i], ys[i]) && finite_xy(input_x[i], input_y[i])) unprojectable(i, input_x[i], input_y[i]);
    }
    if (const auto refused = first_refused(chain, input_x.data(), input_y.data(), xs, ys, zs, count)) {
        unprojectable(*refused, input_x[*refused], input_y[*refused]);
    }
}

bool transform_point(const OperationChain& chain, double& x, double& y) {
    const double input_x = x, input_y = y;
    run_chain(chain, &x, &y, nullptr, 1);
    return finite_xy(x, y) && !first_refused(chain, &input_x, &input_y, &x, &y, nullptr, 1);
}

}  // namespace geokern
