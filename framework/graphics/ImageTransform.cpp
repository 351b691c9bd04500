#include "framework/graphics/ImageTransform.h"

namespace Framework
{

void ImageTransform::Reset()
{
    *this = ImageTransform();
}

Matrix3 ImageTransform::GetMatrix() const
{
    if (general)
    {
        return matrix;
    }
    Matrix3 m = Matrix3::Translation(-preTranslateX, -preTranslateY);
    if (scaled)
    {
        m = Matrix3::Scaling(scaleX, scaleY) * m;
    }
    if (rotated)
    {
        m = Matrix3::Rotation(rotation) * m;
    }
    return Matrix3::Translation(postTranslateX, postTranslateY) * m;
}

void ImageTransform::MakeComplex()
{
    if (general)
    {
        return;
    }
    matrix = GetMatrix();
    general = true;
}

void ImageTransform::RotateRadians(float radians)
{
    if (!general && !scaled)
    {
        rotation += radians;
        rotated = true;
        return;
    }
    MakeComplex();
    matrix = Matrix3::Rotation(radians) * matrix;
}

void ImageTransform::RotateDegrees(float degrees)
{
    RotateRadians(degrees * 0.017453292f);
}

void ImageTransform::Scale(float sx, float sy)
{
    if (!general && !rotated && preTranslateX == 0.0f && preTranslateY == 0.0f && sx >= 0.0f && sy >= 0.0f)
    {
        scaleX *= sx;
        scaleY *= sy;
        scaled = true;
        return;
    }
    MakeComplex();
    matrix = Matrix3::Scaling(sx, sy) * matrix;
}

} // namespace Framework
