#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "handle.hpp"
#include "interface.hpp"
#include "spatial/proj_context.hpp"
#include "spatial/spatial_reference_value.hpp"

namespace geokern {

enum : GK_DatumTransformationType { transformation_geographic = 1, transformation_horizontal_vertical = 2 };

// One coordinate operation of a datum transformation, in the direction it is applied.
struct TransformationStep {
    GK_DatumTransformationType kind = transformation_geographic;
    SharedPj operation;
    int32_t wkid = 0;      // identifier of the operation as the database stores it, 0 when it has none
    bool inverse = false;  // applied against the direction the database stores
    std::string name;      // name of the stored operation
    std::vector<std::string> grid_files;
    bool missing_files = false;  // a grid the operation needs is not in any searched directory
};
GEOKERN_HANDLE_VALUE(GK_GeographicTransformationStepHandle, TransformationStep, "geographic transformation step");
GEOKERN_HANDLE_VALUE(GK_HorizontalVerticalTransformationStepHandle, TransformationStep,
                     "horizontal-vertical transformation step");

using StepPointer = std::shared_ptr<TransformationStep>;

// Steps applied in order from the input system to the output system; a system may be unknown (null)
// when the transformation was made from steps whose systems PROJ cannot name.
struct DatumTransformationValue {
    GK_DatumTransformationType kind = transformation_geographic;
    std::vector<StepPointer> steps;
    SpatialReferencePointer input;
    SpatialReferencePointer output;
};
GEOKERN_HANDLE_VALUE(GK_DatumTransformationHandle, DatumTransformationValue, "datum transformation");

using TransformationPointer = std::shared_ptr<DatumTransformationValue>;

// Call these while holding the PROJ lock.
StepPointer step_from_operation(PJ_CONTEXT* context, SharedPj operation, GK_DatumTransformationType kind);
StepPointer step_from_wkid(int32_t wkid, GK_DatumTransformationType kind);
StepPointer step_from_text(const std::string& text, GK_DatumTransformationType kind);
StepPointer inverse_step(const TransformationStep& step);
std::string step_text(const TransformationStep& step, bool second_edition);
bool same_step(const TransformationStep& a, const TransformationStep& b);
uint64_t step_hash(const TransformationStep& step);

// A transformation through these steps; its systems are the first step's source and the last
// step's target.
TransformationPointer transformation_from_steps(std::vector<StepPointer> steps, GK_DatumTransformationType kind);
TransformationPointer inverse_transformation(const DatumTransformationValue& transformation);
// The names of the steps joined by " + ".
std::string transformation_name(const DatumTransformationValue& transformation);
bool missing_files(const DatumTransformationValue& transformation);
bool same_transformation(const DatumTransformationValue& a, const DatumTransformationValue& b);
uint64_t transformation_hash(const DatumTransformationValue& transformation);

}  // namespace geokern
