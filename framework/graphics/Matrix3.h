// Matrix3: a 3 x 3 float matrix for 2D affine transforms acting on column
// vectors (x, y, 1). A * B applies B first, then A. Angles are radians; the
// rotation matrix is [[cos a, sin a], [-sin a, cos a]], so with y pointing
// down a positive angle turns counter-clockwise on screen.
#pragma once

namespace Framework
{

struct Matrix3
{
    float m[3][3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}};

    static Matrix3 Identity() { return Matrix3(); }
    static Matrix3 Translation(float tx, float ty);
    static Matrix3 Rotation(float radians);
    static Matrix3 Scaling(float sx, float sy);

    Matrix3 operator*(const Matrix3& other) const;

    // Applies the matrix to the point (x, y).
    void Transform(float x, float y, float& outX, float& outY) const;

    // The inverse of the affine part; false (and identity) when singular.
    bool Inverse(Matrix3& out) const;
};

} // namespace Framework
