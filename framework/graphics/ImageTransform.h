// ImageTransform: the transform of transformed image drawing. It stays
// "simple" (a rotation alone or a non-negative scale alone) as long as it
// can, so drawing can use the cheaper rotated or stretched blits; anything
// else turns it "complex" (general) and it is kept as a matrix. Angles are
// radians unless the name says degrees.
#pragma once

#include "framework/graphics/Matrix3.h"

namespace Framework
{

class ImageTransform
{
public:
    bool general = false; // complex: only `matrix` is meaningful
    bool rotated = false;
    bool scaled = false;
    float rotation = 0.0f;
    float scaleX = 1.0f;
    float scaleY = 1.0f;
    float preTranslateX = 0.0f;
    float preTranslateY = 0.0f;
    float postTranslateX = 0.0f;
    float postTranslateY = 0.0f;
    Matrix3 matrix;

    void Reset();
    void RotateRadians(float radians);
    void RotateDegrees(float degrees);
    void Scale(float sx, float sy);

    bool IsComplex() const { return general; }

    // The whole transform as a matrix (about the origin), whether simple or
    // complex.
    Matrix3 GetMatrix() const;

private:
    void MakeComplex();
};

} // namespace Framework
