#include "engine/core/Matrix4.h"

#include "engine/core/MathFunctions.h"

namespace Engine {

cMatrix4::cMatrix4(float m0, float m1, float m2, float m3, float m4, float m5, float m6, float m7, float m8, float m9,
                   float m10, float m11, float m12, float m13, float m14, float m15)
    : m{m0, m1, m2, m3, m4, m5, m6, m7, m8, m9, m10, m11, m12, m13, m14, m15} {}

void cMatrix4::setIdentity() {
    *this = cMatrix4();
}

cMatrix4 cMatrix4::operator*(const cMatrix4& o) const {
    cMatrix4 r;
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j) {
            float sum = 0.0f;
            for (int k = 0; k < 4; ++k)
                sum += at(i, k) * o.at(k, j);
            r.at(i, j) = sum;
        }
    return r;
}

cMatrix4& cMatrix4::operator*=(const cMatrix4& o) {
    return *this = *this * o;
}

cMatrix4 cMatrix4::operator+(const cMatrix4& o) const {
    cMatrix4 r = *this;
    return r += o;
}

cMatrix4& cMatrix4::operator+=(const cMatrix4& o) {
    for (int i = 0; i < 16; ++i)
        m[i] += o.m[i];
    return *this;
}

cMatrix4 cMatrix4::scaled(float k) const {
    cMatrix4 r = *this;
    r.scale(k);
    return r;
}

void cMatrix4::scale(float k) {
    for (float& v : m)
        v *= k;
}

void cMatrix4::setTranslation(const cVector3& t) {
    setIdentity();
    m[12] = t.x;
    m[13] = t.y;
    m[14] = t.z;
}

void cMatrix4::setScale(const cVector3& s) {
    setIdentity();
    m[0] = s.x;
    m[5] = s.y;
    m[10] = s.z;
}

void cMatrix4::setRows(const cVector3& a, const cVector3& b, const cVector3& c, const cVector3& t) {
    *this = cMatrix4(a.x, a.y, a.z, 0, b.x, b.y, b.z, 0, c.x, c.y, c.z, 0, t.x, t.y, t.z, 1);
}

void cMatrix4::setAxisRotation(const cVector3& axis, float radians) {
    // A longer or shorter axis would otherwise change the angle; a zero axis gives the identity.
    float axisLength = sqrtFloat(axis.x * axis.x + axis.y * axis.y + axis.z * axis.z);
    if (axisLength == 0.0f) {
        setIdentity();
        return;
    }
    float h = -radians / 2.0f;
    float s = sinFloat(h) / axisLength, c = cosFloat(h);
    float qx = axis.x * s, qy = axis.y * s, qz = axis.z * s, qw = c;
    float norm = sqrtFloat(qw * qw + qx * qx + qy * qy + qz * qz);
    qx /= norm;
    qy /= norm;
    qz /= norm;
    qw /= norm;
    *this = cMatrix4(1 - 2 * (qy * qy + qz * qz), 2 * (qx * qy - qz * qw), 2 * (qx * qz + qy * qw), 0,
                     2 * (qx * qy + qz * qw), 1 - 2 * (qx * qx + qz * qz), 2 * (qy * qz - qx * qw), 0,
                     2 * (qx * qz - qy * qw), 2 * (qy * qz + qx * qw), 1 - 2 * (qx * qx + qy * qy), 0, 0, 0, 0, 1);
}

float cMatrix4::determinant() const {
    return at(0, 0) * (at(1, 1) * at(2, 2) - at(1, 2) * at(2, 1)) -
           at(0, 1) * (at(1, 0) * at(2, 2) - at(1, 2) * at(2, 0)) +
           at(0, 2) * (at(1, 0) * at(2, 1) - at(1, 1) * at(2, 0));
}

void cMatrix4::affineInverse() {
    float inv = 1.0f / determinant();
    // Adjugate (transposed cofactors) of the 3 x 3 block.
    float r[3][3];
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) {
            int r0 = (j + 1) % 3, r1 = (j + 2) % 3, c0 = (i + 1) % 3, c1 = (i + 2) % 3;
            r[i][j] = (at(r0, c0) * at(r1, c1) - at(r0, c1) * at(r1, c0)) * inv;
        }
    float t[3] = {m[12], m[13], m[14]};
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j)
            at(i, j) = r[i][j];
    for (int k = 0; k < 3; ++k)
        m[12 + k] = -(t[0] * r[0][k] + t[1] * r[1][k] + t[2] * r[2][k]);
    m[3] = m[7] = m[11] = 0.0f;
    m[15] = 1.0f;
}

cVector3 cMatrix4::getScale() const {
    float len[3];
    for (int row = 0; row < 3; ++row)
        len[row] = approxSqrt(at(row, 0) * at(row, 0) + at(row, 1) * at(row, 1) + at(row, 2) * at(row, 2));
    return cVector3(len[0], len[1], len[2]);
}

void cMatrix4::setAxisScale(const cVector3& s) {
    const float lengths[3] = {s.x, s.y, s.z};
    for (int row = 0; row < 3; ++row) {
        cVector3 v(at(row, 0), at(row, 1), at(row, 2));
        v.setLength(lengths[row]);
        at(row, 0) = v.x;
        at(row, 1) = v.y;
        at(row, 2) = v.z;
    }
}

} // namespace Engine
