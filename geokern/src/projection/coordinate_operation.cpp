#include "projection/coordinate_operation.hpp"

#include <cmath>
#include <list>
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
    if (!transformation || transformation->steps.empty()) {
        return OperationChain{{between_systems(context, source->crs.get(), target->crs.get())}};
    }
    return chain_through(context, *source, *target, *oriented(context, *source, transformation));
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

void run_chain(const OperationChain& chain, double* xs, double* ys, double* zs, size_t count) {
    ProjLock lock;
    for (const SharedPj& operation : chain.operations) {
        proj_errno_reset(operation.get());
        proj_trans_generic(operation.get(), PJ_FWD, xs, sizeof(double), count, ys, sizeof(double), count, zs,
                           zs != nullptr ? sizeof(double) : 0, zs != nullptr ? count : 0, nullptr, 0, 0);
    }
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
}

bool transform_point(const OperationChain& chain, double& x, double& y) {
    run_chain(chain, &x, &y, nullptr, 1);
    return finite_xy(x, y);
}

}  // namespace geokern
