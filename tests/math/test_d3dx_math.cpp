// Math library tests. Expected values are worked out by hand from the row-vector,
// left-handed conventions (v' = v * M, translation in row 4).
#include <gtest/gtest.h>

#include <cmath>

#include "platform/math/D3DXMath.h"

namespace {

constexpr float kEps = 1e-4f;

#define EXPECT_VEC3(v, ex, ey, ez)       \
    do {                                 \
        const D3DXVECTOR3 v_ = (v);      \
        EXPECT_NEAR(v_.x, (ex), kEps);   \
        EXPECT_NEAR(v_.y, (ey), kEps);   \
        EXPECT_NEAR(v_.z, (ez), kEps);   \
    } while (0)

D3DXVECTOR3 xform(const D3DXVECTOR3& v, const D3DXMATRIX& m) {
    D3DXVECTOR3 r;
    return *D3DXVec3TransformCoord(&r, &v, &m);
}

void expectMatrixNear(const D3DXMATRIX& a, const D3DXMATRIX& b, float eps = kEps) {
    for (unsigned i = 0; i < 4; ++i)
        for (unsigned j = 0; j < 4; ++j) EXPECT_NEAR(a(i, j), b(i, j), eps) << "element " << i + 1 << j + 1;
}

D3DXMATRIX identity() {
    D3DXMATRIX m;
    return *D3DXMatrixIdentity(&m);
}

}  // namespace

TEST(MathVector, DefaultsToZeroAndArithmetic) {
    EXPECT_EQ(D3DXVECTOR3(), D3DXVECTOR3(0, 0, 0));
    EXPECT_EQ(D3DXVECTOR4(), D3DXVECTOR4(0, 0, 0, 0));
    const D3DXVECTOR3 a(1, 2, 3), b(4, -5, 6);
    EXPECT_EQ(a + b, D3DXVECTOR3(5, -3, 9));
    EXPECT_EQ(a - b, D3DXVECTOR3(-3, 7, -3));
    EXPECT_EQ(-a, D3DXVECTOR3(-1, -2, -3));
    EXPECT_EQ(2.0f * a, D3DXVECTOR3(2, 4, 6));
    EXPECT_EQ(b / 2.0f, D3DXVECTOR3(2, -2.5f, 3));
    D3DXVECTOR3 c = a;
    c += b;
    c *= 2.0f;
    EXPECT_EQ(c, D3DXVECTOR3(10, -6, 18));
    EXPECT_NE(c, a);
    EXPECT_EQ(static_cast<const float*>(a)[2], 3.0f);
}

TEST(MathVector, DotCrossLength) {
    const D3DXVECTOR3 a(1, 2, 3), b(4, 5, 6), x(1, 0, 0), y(0, 1, 0);
    EXPECT_FLOAT_EQ(D3DXVec3Dot(&a, &b), 32.0f);
    D3DXVECTOR3 r;
    EXPECT_EQ(*D3DXVec3Cross(&r, &x, &y), D3DXVECTOR3(0, 0, 1));
    EXPECT_EQ(*D3DXVec3Cross(&r, &a, &b), D3DXVECTOR3(-3, 6, -3));
    const D3DXVECTOR3 v(3, 4, 12);
    EXPECT_FLOAT_EQ(D3DXVec3Length(&v), 13.0f);
    EXPECT_FLOAT_EQ(D3DXVec3LengthSq(&v), 169.0f);
    const D3DXVECTOR3 from(0, 0, 0), to(10, -20, 4);
    EXPECT_VEC3(*D3DXVec3Lerp(&r, &from, &to, 0.25f), 2.5f, -5.0f, 1.0f);
}

TEST(MathVector, NormalizeHandlesZero) {
    D3DXVECTOR3 r(7, 7, 7);
    const D3DXVECTOR3 v(3, 4, 0), zero;
    EXPECT_VEC3(*D3DXVec3Normalize(&r, &v), 0.6f, 0.8f, 0.0f);
    EXPECT_EQ(*D3DXVec3Normalize(&r, &zero), D3DXVECTOR3(0, 0, 0));
    D3DXVECTOR2 r2, v2(3, 4), zero2;
    EXPECT_FLOAT_EQ(D3DXVec2Length(&v2), 5.0f);
    D3DXVec2Normalize(&r2, &v2);
    EXPECT_NEAR(r2.x, 0.6f, kEps);
    EXPECT_NEAR(r2.y, 0.8f, kEps);
    EXPECT_EQ(*D3DXVec2Normalize(&r2, &zero2), D3DXVECTOR2(0, 0));
}

TEST(MathMatrix, LayoutDefaultAndProductOrder) {
    EXPECT_EQ(D3DXMATRIX(), D3DXMATRIX(0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0));
    D3DXMATRIX t;
    D3DXMatrixTranslation(&t, 7, 8, 9);
    EXPECT_EQ(t._41, 7.0f);
    EXPECT_EQ(t(3, 1), 8.0f);
    EXPECT_EQ(t.m[3][2], 9.0f);
    EXPECT_EQ(static_cast<const float*>(t)[12], 7.0f);  // row-major memory

    const D3DXMATRIX a(1, 2, 0, 0, 3, 4, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1);
    const D3DXMATRIX b(0, 1, 0, 0, 1, 0, 0, 0, 0, 0, 2, 0, 5, 6, 7, 1);
    EXPECT_EQ(a * b, D3DXMATRIX(2, 1, 0, 0, 4, 3, 0, 0, 0, 0, 2, 0, 5, 6, 7, 1));
    EXPECT_EQ(b * a, D3DXMATRIX(3, 4, 0, 0, 1, 2, 0, 0, 0, 0, 2, 0, 23, 34, 7, 1));
    D3DXMATRIX c = a;
    D3DXMatrixMultiply(&c, &c, &b);  // aliasing output and input
    EXPECT_EQ(c, a * b);
    c = a;
    c *= b;
    EXPECT_EQ(c, a * b);
    EXPECT_EQ(*D3DXMatrixTranspose(&c, &b), D3DXMATRIX(0, 1, 0, 5, 1, 0, 0, 6, 0, 0, 2, 7, 0, 0, 0, 1));
}

TEST(MathMatrix, RotationsAreLeftHanded) {
    D3DXMATRIX m;
    const float q = D3DXToRadian(90.0f);
    D3DXMatrixRotationY(&m, q);
    EXPECT_VEC3(xform({1, 0, 0}, m), 0, 0, -1);
    EXPECT_VEC3(xform({0, 0, 1}, m), 1, 0, 0);
    D3DXMatrixRotationX(&m, q);
    EXPECT_VEC3(xform({0, 1, 0}, m), 0, 0, 1);
    EXPECT_VEC3(xform({0, 0, 1}, m), 0, -1, 0);
    D3DXMatrixRotationZ(&m, q);
    EXPECT_VEC3(xform({1, 0, 0}, m), 0, 1, 0);
    EXPECT_VEC3(xform({0, 1, 0}, m), -1, 0, 0);
}

TEST(MathMatrix, RotationAxis) {
    D3DXMATRIX m, ry;
    const D3DXVECTOR3 longY(0, 5, 0), diag(1, 1, 1);
    D3DXMatrixRotationAxis(&m, &longY, 0.7f);  // axis is normalised first
    expectMatrixNear(m, *D3DXMatrixRotationY(&ry, 0.7f));
    D3DXMatrixRotationAxis(&m, &diag, D3DXToRadian(120.0f));  // cycles x -> y -> z -> x
    EXPECT_VEC3(xform({1, 0, 0}, m), 0, 1, 0);
    EXPECT_VEC3(xform({0, 1, 0}, m), 0, 0, 1);
    EXPECT_VEC3(xform({0, 0, 1}, m), 1, 0, 0);
}

TEST(MathMatrix, YawPitchRollAppliesRollThenPitchThenYaw) {
    const float q = D3DXToRadian(90.0f);
    D3DXMATRIX m;
    D3DXMatrixRotationYawPitchRoll(&m, q, q, 0);
    EXPECT_VEC3(xform({1, 0, 0}, m), 0, 0, -1);
    EXPECT_VEC3(xform({0, 1, 0}, m), 1, 0, 0);
    EXPECT_VEC3(xform({0, 0, 1}, m), 0, -1, 0);
    D3DXMatrixRotationYawPitchRoll(&m, q, q, q);
    EXPECT_VEC3(xform({1, 0, 0}, m), 1, 0, 0);

    D3DXMATRIX z, x, y;
    D3DXMatrixRotationYawPitchRoll(&m, 0.4f, -1.1f, 2.3f);
    D3DXMatrixRotationZ(&z, 2.3f);
    D3DXMatrixRotationX(&x, -1.1f);
    D3DXMatrixRotationY(&y, 0.4f);
    expectMatrixNear(m, z * x * y);
}

TEST(MathMatrix, WorldIsScaleThenRotateThenTranslate) {
    D3DXMATRIX s, r, t;
    D3DXMatrixScaling(&s, 2, 3, 4);
    D3DXMatrixRotationZ(&r, D3DXToRadian(90.0f));
    D3DXMatrixTranslation(&t, 10, 20, 30);
    // (1,1,1) -> scaled (2,3,4) -> rotated (-3,2,4) -> translated (7,22,34)
    EXPECT_VEC3(xform({1, 1, 1}, s * r * t), 7, 22, 34);
    // The other order translates first: (11,21,31) -> (-21,11,31) -> (-42,33,124)
    EXPECT_VEC3(xform({1, 1, 1}, t * r * s), -42, 33, 124);
}

TEST(MathMatrix, TransformNormalAndTransform4) {
    D3DXMATRIX r, t;
    D3DXMatrixRotationZ(&r, D3DXToRadian(90.0f));
    D3DXMatrixTranslation(&t, 5, 6, 7);
    const D3DXMATRIX m = r * t;
    const D3DXVECTOR3 v(1, 0, 0);
    D3DXVECTOR3 n;
    EXPECT_VEC3(*D3DXVec3TransformNormal(&n, &v, &m), 0, 1, 0);
    EXPECT_VEC3(xform(v, m), 5, 7, 7);
    D3DXVECTOR4 h;
    const D3DXVECTOR3 p(1, 2, 3);
    D3DXVec3Transform(&h, &p, &t);
    EXPECT_EQ(h, D3DXVECTOR4(6, 8, 10, 1));
}

TEST(MathMatrix, InverseOfGeneralAffine) {
    D3DXMATRIX s, shear, r, t, inv;
    D3DXMatrixScaling(&s, 2, 3, 4);
    D3DXMatrixIdentity(&shear);
    shear._21 = 0.5f;  // unit-triangular: does not change the determinant
    D3DXMatrixRotationYawPitchRoll(&r, 0.3f, 0.5f, -0.2f);
    D3DXMatrixTranslation(&t, 1, -2, 3);
    const D3DXMATRIX m = s * shear * r * t;
    float det = 0;
    ASSERT_NE(D3DXMatrixInverse(&inv, &det, &m), nullptr);
    EXPECT_NEAR(det, 24.0f, 1e-3f);
    expectMatrixNear(inv * m, identity());
    expectMatrixNear(m * inv, identity());

    D3DXMatrixTranslation(&t, 1, 2, 3);
    D3DXMatrixInverse(&inv, nullptr, &t);
    expectMatrixNear(inv, *D3DXMatrixTranslation(&t, -1, -2, -3));
    D3DXMatrixScaling(&s, 2, 4, 8);
    D3DXMatrixInverse(&inv, nullptr, &s);
    expectMatrixNear(inv, *D3DXMatrixScaling(&s, 0.5f, 0.25f, 0.125f));
}

TEST(MathMatrix, InverseOfSingularIsNull) {
    D3DXMATRIX flat, out(1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16);
    const D3DXMATRIX before = out;
    D3DXMatrixScaling(&flat, 1, 0, 1);
    float det = 99;
    EXPECT_EQ(D3DXMatrixInverse(&out, &det, &flat), nullptr);
    EXPECT_EQ(det, 0.0f);
    EXPECT_EQ(out, before);
    EXPECT_EQ(D3DXMatrixInverse(&out, nullptr, &before), nullptr);  // rows in arithmetic progression
}

TEST(MathCamera, LookAtPutsTargetOnPositiveZ) {
    const D3DXVECTOR3 eye(10, 2, 1.5f), at(10, 1.5f, 5), up(0, 1, 0);
    D3DXMATRIX v;
    D3DXMatrixLookAtLH(&v, &eye, &at, &up);
    EXPECT_VEC3(xform(eye, v), 0, 0, 0);
    EXPECT_VEC3(xform(at, v), 0, 0, 3.5355339f);  // |(0,-0.5,3.5)| = sqrt(12.5)
    EXPECT_VEC3(xform({11, 2, 1.5f}, v), 1, 0, 0);  // world +x is screen right
    EXPECT_VEC3(xform({10, 3, 1.5f}, v), 0, 0.9899495f, -0.1414214f);
}

TEST(MathCamera, LightLookingDownItsDirection) {
    const D3DXVECTOR3 dir(0.5f, -1.0f, 0.3f), origin, up(0, 1, 0);
    D3DXVECTOR3 n;
    D3DXVec3Normalize(&n, &dir);  // |dir| = sqrt(1.34) = 1.1575837
    const D3DXVECTOR3 eye = origin - n * 40.0f;
    EXPECT_VEC3(eye, -17.277369f, 34.554737f, -10.366421f);
    D3DXMATRIX v;
    D3DXMatrixLookAtLH(&v, &eye, &origin, &up);
    EXPECT_VEC3(xform(origin, v), 0, 0, 40);
    EXPECT_VEC3(xform(origin + dir, v), 0, 0, 40 + 1.1575837f);
}

TEST(MathCamera, PerspectiveFovMapsDepthToZeroOne) {
    D3DXMATRIX p;
    D3DXMatrixPerspectiveFovLH(&p, D3DX_PI / 3, 16.0f / 9.0f, 0.5f, 100.0f);
    EXPECT_NEAR(p._11, 0.9742786f, kEps);  // cot(30 deg) / aspect
    EXPECT_NEAR(p._22, 1.7320508f, kEps);
    EXPECT_NEAR(p._33, 1.0050251f, kEps);
    EXPECT_NEAR(p._43, -0.5025126f, kEps);
    EXPECT_EQ(p._34, 1.0f);
    EXPECT_EQ(p._44, 0.0f);
    EXPECT_VEC3(xform({0, 0, 0.5f}, p), 0, 0, 0);
    EXPECT_VEC3(xform({0, 0, 100}, p), 0, 0, 1);
    const float top = 10 * std::tan(D3DX_PI / 6);  // frustum edge at depth 10
    EXPECT_VEC3(xform({top * 16 / 9, -top, 10}, p), 1, -1, 0.9547739f);  // 100/99.5 - 5/99.5
}

TEST(MathCamera, OrthographicProjections) {
    D3DXMATRIX o;
    D3DXMatrixOrthoLH(&o, 800, 600, 1, 101);
    EXPECT_VEC3(xform({400, 300, 1}, o), 1, 1, 0);
    EXPECT_VEC3(xform({-400, -300, 101}, o), -1, -1, 1);
    EXPECT_VEC3(xform({0, 150, 51}, o), 0, 0.5f, 0.5f);
    // Screen-style box: y grows downwards, top-left pixel maps to (-1, 1).
    D3DXMatrixOrthoOffCenterLH(&o, 0, 800, 600, 0, 0, 1);
    EXPECT_VEC3(xform({0, 0, 0}, o), -1, 1, 0);
    EXPECT_VEC3(xform({800, 600, 1}, o), 1, -1, 1);
    EXPECT_VEC3(xform({400, 150, 0.25f}, o), 0, 0.5f, 0.25f);
}

TEST(MathPlane, FromPointsNormalizeDotCoord) {
    const D3DXVECTOR3 p1(0, 0, 0), p2(1, 0, 0), p3(0, 0, 1);
    D3DXPLANE pl;
    D3DXPlaneFromPoints(&pl, &p1, &p2, &p3);  // cross((1,0,0),(0,0,1)) = (0,-1,0)
    EXPECT_NEAR(pl.a, 0, kEps);
    EXPECT_NEAR(pl.b, -1, kEps);
    EXPECT_NEAR(pl.c, 0, kEps);
    EXPECT_NEAR(pl.d, 0, kEps);
    const D3DXVECTOR3 above(3, 5, -2);
    EXPECT_NEAR(D3DXPlaneDotCoord(&pl, &above), -5.0f, kEps);

    const D3DXVECTOR3 q1(0, 2, 0), q2(0, 2, 3), q3(4, 2, 0), probe(3, 7, -1);
    D3DXPlaneFromPoints(&pl, &q1, &q2, &q3);  // normal (0,1,0), d = -2
    EXPECT_NEAR(D3DXPlaneDotCoord(&pl, &probe), 5.0f, kEps);

    const D3DXPLANE raw(0, 3, 4, 10);
    D3DXPlaneNormalize(&pl, &raw);
    EXPECT_NEAR(pl.b, 0.6f, kEps);
    EXPECT_NEAR(pl.c, 0.8f, kEps);
    EXPECT_NEAR(pl.d, 2.0f, kEps);
}

TEST(MathQuaternion, AxisAngleAndMatrixRoundTrip) {
    const D3DXVECTOR3 yAxis(0, 2, 0);
    D3DXQUATERNION q;
    D3DXQuaternionRotationAxis(&q, &yAxis, D3DXToRadian(90.0f));
    EXPECT_NEAR(q.y, 0.7071068f, kEps);
    EXPECT_NEAR(q.w, 0.7071068f, kEps);
    D3DXMATRIX m, ry;
    D3DXMatrixRotationQuaternion(&m, &q);
    expectMatrixNear(m, *D3DXMatrixRotationY(&ry, D3DXToRadian(90.0f)));

    // Half turns have a negative trace and exercise the other extraction branches.
    D3DXMATRIX half;
    D3DXQuaternionRotationMatrix(&q, D3DXMatrixRotationX(&half, D3DX_PI));
    EXPECT_NEAR(std::fabs(q.x), 1.0f, kEps);
    D3DXQuaternionRotationMatrix(&q, D3DXMatrixRotationY(&half, D3DX_PI));
    EXPECT_NEAR(std::fabs(q.y), 1.0f, kEps);
    D3DXQuaternionRotationMatrix(&q, D3DXMatrixRotationZ(&half, D3DX_PI));
    EXPECT_NEAR(std::fabs(q.z), 1.0f, kEps);

    D3DXQuaternionRotationMatrix(&q, D3DXMatrixRotationY(&ry, D3DXToRadian(90.0f)));
    EXPECT_NEAR(q.x, 0, kEps);
    EXPECT_NEAR(q.y, 0.7071068f, kEps);
    EXPECT_NEAR(q.w, 0.7071068f, kEps);

    // Small turn, then near half turns about Y, X and Z (each extraction branch), all tilted.
    const float angles[][3] = {{0.3f, -0.4f, 0.2f}, {3.0f, 0.2f, 0.1f}, {0.1f, 3.0f, 0.2f}, {0.2f, 0.1f, 3.0f}};
    for (const auto& a : angles) {
        D3DXMatrixRotationYawPitchRoll(&m, a[0], a[1], a[2]);
        D3DXQuaternionRotationMatrix(&q, &m);
        expectMatrixNear(*D3DXMatrixRotationQuaternion(&ry, &q), m);
    }
}

TEST(MathQuaternion, SlerpAndNormalize) {
    const D3DXVECTOR3 yAxis(0, 1, 0);
    const D3DXQUATERNION id(0, 0, 0, 1);
    D3DXQUATERNION q90, mid;
    D3DXQuaternionRotationAxis(&q90, &yAxis, D3DXToRadian(90.0f));
    D3DXQuaternionSlerp(&mid, &id, &q90, 0.5f);  // 45 deg about Y: (0, sin 22.5, 0, cos 22.5)
    EXPECT_NEAR(mid.x, 0, kEps);
    EXPECT_NEAR(mid.y, 0.3826834f, kEps);
    EXPECT_NEAR(mid.w, 0.9238795f, kEps);
    // -q90 is the same rotation; the short way still lands on 45 degrees.
    const D3DXQUATERNION neg(-q90.x, -q90.y, -q90.z, -q90.w);
    D3DXQuaternionSlerp(&mid, &id, &neg, 0.5f);
    D3DXMATRIX m, r45;
    expectMatrixNear(*D3DXMatrixRotationQuaternion(&m, &mid), *D3DXMatrixRotationY(&r45, D3DX_PI / 4));

    const D3DXQUATERNION raw(0, 0, 3, 4), zero;
    EXPECT_EQ(*D3DXQuaternionNormalize(&mid, &raw), D3DXQUATERNION(0, 0, 0.6f, 0.8f));
    EXPECT_EQ(*D3DXQuaternionNormalize(&mid, &zero), D3DXQUATERNION(0, 0, 0, 0));
}

TEST(MathColor, PackUnpackAndClamp) {
    EXPECT_EQ(D3DCOLOR_ARGB(0x12, 0x34, 0x56, 0x78), 0x12345678u);
    EXPECT_EQ(D3DCOLOR_XRGB(1, 2, 3), 0xFF010203u);
    EXPECT_EQ(D3DCOLOR_RGBA(1, 2, 3, 4), 0x04010203u);
    // r clamps to 1 (FF), g 0.5*255+0.5 = 128 (80), b clamps to 0, a = 1.
    EXPECT_EQ(static_cast<D3DCOLOR>(D3DXCOLOR(1.2f, 0.5f, -1.0f, 1.0f)), 0xFFFF8000u);
    EXPECT_EQ(static_cast<D3DCOLOR>(D3DXCOLOR(0.498f, 0, 0, 0)), 0x007F0000u);  // 127.49 -> 127
    const D3DXCOLOR c(0x80FF4000u);
    EXPECT_NEAR(c.a, 128 / 255.0f, 1e-6f);
    EXPECT_FLOAT_EQ(c.r, 1.0f);
    EXPECT_NEAR(c.g, 64 / 255.0f, 1e-6f);
    EXPECT_FLOAT_EQ(c.b, 0.0f);
    for (D3DCOLOR argb : {0x00000000u, 0xFFFFFFFFu, 0x80FF4000u, 0x01FE7F80u})
        EXPECT_EQ(static_cast<D3DCOLOR>(D3DXCOLOR(argb)), argb);
    const D3DCOLORVALUE cv = D3DXCOLOR(0.1f, 0.2f, 0.3f, 0.4f);
    EXPECT_EQ(D3DXCOLOR(cv), D3DXCOLOR(0.1f, 0.2f, 0.3f, 0.4f));
    EXPECT_EQ(D3DXCOLOR(), D3DXCOLOR(0, 0, 0, 0));
}

TEST(MathAngles, RadianDegree) {
    EXPECT_FLOAT_EQ(D3DXToRadian(180.0f), D3DX_PI);
    EXPECT_FLOAT_EQ(D3DXToDegree(D3DX_PI / 2), 90.0f);
}
