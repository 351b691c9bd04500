#include "framework/graphics/Matrix3.h"

#include <cmath>

namespace Framework
{

Matrix3 Matrix3::Translation(float tx, float ty)
{
    Matrix3 r;
    r.m[0][2] = tx;
    r.m[1][2] = ty;
    return r;
}

Matrix3 Matrix3::Rotation(float radians)
{
    Matrix3 r;
    const float c = std::cos(radians);
    const float s = std::sin(radians);
    r.m[0][0] = c;
    r.m[0][1] = s;
    r.m[1][0] = -s;
    r.m[1][1] = c;
    return r;
}

Matrix3 Matrix3::Scaling(float sx, float sy)
{
    Matrix3 r;
    r.m[0][0] = sx;
    r.m[1][1] = sy;
    return r;
}

Matrix3 Matrix3::operator*(const Matrix3& other) const
{
    Matrix3 r;
    for (int i = 0; i < 3; ++i)
    {
        for (int j = 0; j < 3; ++j)
        {
            r.m[i][j] = m[i][0] * other.m[0][j] + m[i][1] * other.m[1][j] + m[i][2] * other.m[2][j];
        }
    }
    return r;
}

void Matrix3::Transform(float x, float y, float& outX, float& outY) const
{
    outX = m[0][0] * x + m[0][1] * y + m[0][2];
    outY = m[1][0] * x + m[1][1] * y + m[1][2];
}

bool Matrix3::Inverse(Matrix3& out) const
{
    const double a = m[0][0], b = m[0][1], c = m[0][2];
    const double d = m[1][0], e = m[1][1], f = m[1][2];
    const double det = a * e - b * d;
    out = Matrix3();
    if (!std::isfinite(det) || std::fabs(det) < 1e-12)
    {
        return false;
    }
    const double inv = 1.0 / det;
    out.m[0][0] = float(e * inv);
    out.m[0][1] = float(-b * inv);
    out.m[1][0] = float(-d * inv);
    out.m[1][1] = float(a * inv);
    out.m[0][2] = float((b * f - e * c) * inv);
    out.m[1][2] = float((d * c - a * f) * inv);
    return true;
}

} // namespace Framework
