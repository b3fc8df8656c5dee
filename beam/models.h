// The four models of the ultimate moment, each described once: the name its column heading
// shows, the result fields it fills, its constants α and β and the shape of its stress block.
// The computation's steps, the drawing, the calculation text and its table read them here.
//
// α is the stress block's area as a fraction of fcd·xu, β the depth of its centroid, where the
// compression C acts, as a fraction of xu. Both are held as their texts and as the doubles
// nearest to them; the computation of "parabolisch" and "parabool rechthoek" does not use these
// doubles but forms each fraction operation by operation (moment.cpp), so they serve the steps,
// the drawing and the texts only. "bi_lineair" takes both from the concrete class.
#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <optional>
#include <string_view>

namespace beam {

// The result fields in the order in which the window writes them.
enum ResultField : int { Mu0, Mu1, Xu1, Mu2, Xu2, Mu3, Xu3, Z0, Z1, Z2, Z3, ResultFieldCount };

// In the order of the main window's result columns; every per-model array is indexed so.
enum class Model { Approximation, Parabolic, BiLinear, ParabolaRectangle };

inline constexpr std::array<Model, 4> allModels{Model::Approximation, Model::Parabolic,
                                                Model::BiLinear, Model::ParabolaRectangle};
inline constexpr std::size_t modelCount = allModels.size();

constexpr std::size_t index(Model model)
{
    return static_cast<std::size_t>(model);
}

struct BlockConstants {
    std::string_view alphaText; // as the constants write them, e.g. "2/3" or "0.73"
    std::string_view betaText;
    double alpha = 0;
    double beta = 0;
};

// How the stress in the block rises from 0 at the neutral axis to fcd, above which it stays at
// fcd. The depth over which it rises follows from α: 3(1 - α)·xu for a parabola with a
// horizontal tangent at its top, 2(1 - α)·xu for a straight line.
enum class BlockShape { None, Parabola, Straight };

// The strain at the top fibre where the block ends: 2.0 per mille for the whole parabola, 3.5
// for the parabola-rectangle, εcu3 of the concrete class for the bi-linear block.
enum class TopStrain { Parabola, Rectangle, ClassUltimate };

struct ModelDescriptor {
    Model model;
    std::string_view name; // as the main window's column heading writes it
    ResultField mu;
    std::optional<ResultField> xu; // none for a model without a compression zone of its own
    ResultField z;                 // the field of z/d
    BlockShape shape;
    // Those of the model; "bi_lineair" has none of its own (blockConstants gives them).
    std::optional<BlockConstants> constants;
    // A model without a strain of its own takes the strain, the verdict and the yield limit of
    // this one, and assumes z = leverArm·d.
    std::optional<Model> strainOf;
    std::optional<double> leverArm;
    TopStrain topStrain = TopStrain::Rectangle;
};

inline constexpr std::array<ModelDescriptor, modelCount> models{{
    {Model::Approximation, "benadering", Mu0, std::nullopt, Z0, BlockShape::None, std::nullopt,
     Model::ParabolaRectangle, 0.9, TopStrain::Rectangle},
    {Model::Parabolic, "parabolisch", Mu1, Xu1, Z1, BlockShape::Parabola,
     BlockConstants{"2/3", "0.375", 2.0 / 3.0, 0.375}, std::nullopt, std::nullopt,
     TopStrain::Parabola},
    {Model::BiLinear, "bi_lineair", Mu2, Xu2, Z2, BlockShape::Straight, std::nullopt, std::nullopt,
     std::nullopt, TopStrain::ClassUltimate},
    {Model::ParabolaRectangle, "parabool rechthoek", Mu3, Xu3, Z3, BlockShape::Parabola,
     BlockConstants{"17/21", "99/238", 17.0 / 21.0, 99.0 / 238.0}, std::nullopt, std::nullopt,
     TopStrain::Rectangle},
}};

// A model added to allModels without its descriptor would read a zeroed one.
static_assert(
    [] {
        for (std::size_t i = 0; i < modelCount; ++i)
            if (models[i].model != allModels[i] || models[i].name.empty())
                return false;
        return true;
    }(),
    "one descriptor for every model, in the order of allModels");

constexpr const ModelDescriptor &descriptor(Model model)
{
    return models[index(model)];
}

// Whether the model has no strain of its own, and the model whose strain, verdict and yield
// limit it then takes: its own where it has one.
constexpr bool borrowsStrain(Model model)
{
    return descriptor(model).strainOf.has_value();
}

constexpr Model strainSource(Model model)
{
    return descriptor(model).strainOf.value_or(model);
}

static_assert(
    [] {
        for (const ModelDescriptor &m : models)
            if (m.strainOf && borrowsStrain(*m.strainOf))
                return false;
        return true;
    }(),
    "a model borrows the strain of a model that has one of its own");

// Whether the concrete fails where the model's own block ends: then steel that does not yield
// there makes the section over-reinforced. Not at the whole parabola's top, whose 2.0 per mille
// is no failure, and not for a model without a strain of its own.
constexpr bool concreteFailsAtTop(Model model)
{
    return !borrowsStrain(model) && descriptor(model).topStrain != TopStrain::Parabola;
}

// The one model of its own strain whose block ends at 3.5 per mille in every class: where the
// steel of a block that stops short of failure does not yield, its verdict at failure is
// quoted from this one.
constexpr bool endsAtFixedStrain(const ModelDescriptor &m)
{
    return !m.strainOf && m.topStrain == TopStrain::Rectangle;
}

constexpr Model failureAtFixedStrain()
{
    for (const ModelDescriptor &m : models)
        if (endsAtFixedStrain(m))
            return m.model;
    return allModels.front();
}

static_assert(std::count_if(models.begin(), models.end(), endsAtFixedStrain) == 1,
              "one model of its own strain ends at 3.5 per mille in every class");

// α and β of a model for the selected concrete class; none for "benadering". A class index
// outside the table takes the constants of its first item, as the computation does.
BlockConstants blockConstants(Model model, int concreteClass);

} // namespace beam
